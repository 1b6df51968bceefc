#include "core/IniText.h"

#include <cwctype>

namespace core {
namespace {

constexpr std::size_t kMaxValue = 254;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view Trimmed(std::wstring_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i]))
            return false;
    return true;
}

constexpr std::size_t kNoSection = static_cast<std::size_t>(-1);

} // namespace

IniText::IniText(std::wstring_view text) : text_(text) {
    std::size_t section = kNoSection;
    std::wstring_view rest(text_);
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of(L"\r\n");
        std::wstring_view line = Trimmed(rest.substr(0, end));
        rest = end == std::wstring_view::npos ? std::wstring_view() : rest.substr(end + 1);
        if (line.empty())
            continue;
        if (line.front() == L'[') {
            const std::size_t close = line.find(L']');
            sections_.push_back(Trimmed(line.substr(1, close == std::wstring_view::npos ? line.npos : close - 1)));
            section = sections_.size() - 1;
            continue;
        }
        if (section == kNoSection)
            continue;
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos)
            lines_.push_back({section, line, {}});
        else
            lines_.push_back({section, Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1))});
    }
}

std::wstring IniText::Value(std::wstring_view section, std::wstring_view key) const {
    std::size_t wanted = kNoSection;
    for (std::size_t i = 0; i < sections_.size() && wanted == kNoSection; ++i)
        if (SameName(sections_[i], Trimmed(section)))
            wanted = i;
    if (wanted == kNoSection)
        return {};
    for (const Line& line : lines_) {
        if (line.section != wanted || !SameName(line.key, Trimmed(key)))
            continue;
        std::wstring_view value = line.value;
        if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return std::wstring(value.substr(0, kMaxValue));
    }
    return {};
}

} // namespace core
