#include "core/RtfExactCharacters.h"

#include <cstdint>
#include <vector>

namespace core {
namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Groups whose content is no text of the document (tables, pictures, bullet labels, metadata).
bool IsDestination(std::string_view word) {
    static constexpr std::string_view kDestinations[] = {"fonttbl",
                                                         "colortbl",
                                                         "stylesheet",
                                                         "info",
                                                         "pict",
                                                         "object",
                                                         "pntext",
                                                         "listtext",
                                                         "listtable",
                                                         "listoverridetable",
                                                         "rsidtbl",
                                                         "header",
                                                         "footer",
                                                         "headerl",
                                                         "headerr",
                                                         "footerl",
                                                         "footerr",
                                                         "footnote",
                                                         "fldinst",
                                                         "generator",
                                                         "xmlnstbl",
                                                         "themedata",
                                                         "colorschememapping",
                                                         "latentstyles",
                                                         "datastore",
                                                         "filetbl",
                                                         "revtbl",
                                                         "nonshppict",
                                                         "shppict",
                                                         "pn"};
    for (std::string_view d : kDestinations)
        if (word == d)
            return true;
    return false;
}

// The character a control word stands for, or 0 for a word that is formatting only.
std::uint32_t CharacterOfWord(std::string_view word) {
    static constexpr struct {
        std::string_view word;
        std::uint32_t character;
    } kCharacters[] = {{"par", 0x0D},         {"tab", 0x09},         {"line", 0x0B},      {"emdash", 0x2014},
                       {"endash", 0x2013},    {"bullet", 0x2022},    {"lquote", 0x2018},  {"rquote", 0x2019},
                       {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003}, {"enspace", 0x2002}};
    for (const auto& c : kCharacters)
        if (word == c.word)
            return c.character;
    return 0;
}

class Reading {
public:
    Reading(std::string_view rtf, std::wstring_view text) : rtf_(rtf), text_(text) { out_.reserve(rtf.size() + 256); }

    std::optional<std::string> Run() {
        while (at_ < rtf_.size()) {
            const char c = rtf_[at_];
            if (c == '{') {
                groups_.push_back(groups_.empty() ? Group{} : groups_.back());
                Copy(1);
                groupStart_ = true;
                fallback_ = 0;
                continue;
            }
            if (c == '}') {
                if (groups_.empty())
                    return std::nullopt;
                groups_.pop_back();
                Copy(1);
                groupStart_ = false;
                fallback_ = 0;
                continue;
            }
            if (c == '\r' || c == '\n' || c == '\0') { // some writers end the source with a NUL
                Copy(1);
                continue;
            }
            const bool wasGroupStart = groupStart_;
            groupStart_ = false;
            if (c == '\\') {
                if (!Backslash(wasGroupStart))
                    return std::nullopt;
                continue;
            }
            if (!Literal(c, 1))
                return std::nullopt;
        }
        // A whole-box source ends with the box's own last paragraph mark, which the text does not hold.
        if (!groups_.empty() || next_ != text_.size())
            return std::nullopt;
        return std::move(out_);
    }

private:
    struct Group {
        bool skipped = false;
        long unicodeFallback = 1; // \ucN: characters after a \u escape that only readers without it read
    };

    bool Skipped() const { return !groups_.empty() && groups_.back().skipped; }

    void Copy(std::size_t n) {
        out_.append(rtf_.substr(at_, n));
        at_ += n;
    }

    // One character of the source's text, `units` bytes long in the source.
    bool Literal(char c, std::size_t units) {
        if (Skipped() || TakeFallback()) {
            Copy(units);
            return true;
        }
        if (next_ >= text_.size())
            return false;
        const auto expected = static_cast<std::uint32_t>(text_[next_]);
        if (expected == static_cast<unsigned char>(c)) {
            Copy(units);
            ++next_;
            return true;
        }
        if (expected < 0x80 || static_cast<unsigned char>(c) >= 0x80 || expected > 0xFFFF)
            return false;
        // The writer's approximation of a character it could not write: the escape, then the
        // approximation as what readers without Unicode show.
        out_ += "\\u" + std::to_string(static_cast<std::int16_t>(expected)) + " ";
        Copy(units);
        ++next_;
        return true;
    }

    // A character written as a control word or symbol: counted, not changed.
    bool Written(std::uint32_t character, std::size_t length) {
        if (Skipped() || TakeFallback()) {
            Copy(length);
            return true;
        }
        if (next_ < text_.size() && static_cast<std::uint32_t>(text_[next_]) == character) {
            ++next_;
            Copy(length);
            return true;
        }
        // The box's own last paragraph mark.
        if (character == 0x0D && next_ == text_.size() && !endMark_) {
            endMark_ = true;
            Copy(length);
            return true;
        }
        return false;
    }

    bool TakeFallback() {
        if (fallback_ <= 0)
            return false;
        --fallback_;
        return true;
    }

    bool Backslash(bool groupStart) {
        if (at_ + 1 >= rtf_.size())
            return false;
        const char next = rtf_[at_ + 1];
        if (next == '\\' || next == '{' || next == '}')
            return Literal(next, 2);
        if (next == '*') {
            if (groupStart && !groups_.empty())
                groups_.back().skipped = true;
            Copy(2);
            return true;
        }
        if (next == '\'') {
            if (at_ + 4 > rtf_.size())
                return false;
            if (Skipped() || TakeFallback()) {
                Copy(4);
                return true;
            }
            // A byte of the font's code page: a character beyond ASCII, taken as written.
            if (next_ >= text_.size() || static_cast<std::uint32_t>(text_[next_]) < 0x80)
                return false;
            ++next_;
            Copy(4);
            return true;
        }
        if (next == '~')
            return Written(0xA0, 2);
        if (next == '_')
            return Written(0x2011, 2);
        if (next == '-')
            return Written(0xAD, 2);
        if (next == '\r' || next == '\n')
            return Written(0x0D, 2);
        if (!IsLetter(next)) {
            Copy(2); // \| \: and the like: no text
            return true;
        }
        std::size_t end = at_ + 1;
        while (end < rtf_.size() && IsLetter(rtf_[end]))
            ++end;
        const std::string_view word = rtf_.substr(at_ + 1, end - at_ - 1);
        bool hasValue = false;
        long value = 0;
        bool negative = false;
        if (end < rtf_.size() && rtf_[end] == '-') {
            negative = true;
            ++end;
        }
        while (end < rtf_.size() && IsDigit(rtf_[end])) {
            hasValue = true;
            value = value * 10 + (rtf_[end] - '0');
            if (value > 1000000000)
                return false;
            ++end;
        }
        if (negative)
            value = -value;
        if (end < rtf_.size() && rtf_[end] == ' ')
            ++end;
        const std::size_t length = end - at_;

        if (word == "bin") {
            // Raw bytes follow, braces and all.
            if (value < 0 || end + static_cast<std::size_t>(value) > rtf_.size())
                return false;
            Copy(length + static_cast<std::size_t>(value));
            return true;
        }
        if (groupStart && IsDestination(word) && !groups_.empty())
            groups_.back().skipped = true;
        if (Skipped()) {
            Copy(length);
            return true;
        }
        if (word == "uc" && hasValue && !groups_.empty()) {
            groups_.back().unicodeFallback = value < 0 ? 0 : value;
            Copy(length);
            return true;
        }
        if (word == "u" && hasValue) {
            fallback_ = 0;
            const bool ok = Written(static_cast<std::uint16_t>(static_cast<std::int16_t>(value)), length);
            fallback_ = groups_.empty() ? 1 : groups_.back().unicodeFallback;
            return ok;
        }
        fallback_ = 0;
        if (const std::uint32_t character = CharacterOfWord(word))
            return Written(character, length);
        Copy(length);
        return true;
    }

    std::string_view rtf_;
    std::wstring_view text_;
    std::string out_;
    std::size_t at_ = 0;
    std::size_t next_ = 0; // the next character of text_ the source must write
    std::vector<Group> groups_;
    bool groupStart_ = false;
    bool endMark_ = false;
    long fallback_ = 0;
};

} // namespace

std::optional<std::string> EscapeApproximatedCharacters(std::string_view rtf, std::wstring_view text) {
    return Reading(rtf, text).Run();
}

} // namespace core
