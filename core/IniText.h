#pragma once
// Values of an INI text held in memory, read the way the platform's profile reader reads a file, so a
// project's index can be read straight from the project file: section and key names compared without
// regard to case, blanks around names and values dropped, one pair of matching quotes around a value
// dropped, the first matching section and key win, a value longer than 254 characters is cut there.
#include <string>
#include <string_view>
#include <vector>

namespace core {

class IniText {
public:
    explicit IniText(std::wstring_view text);
    // The parsed lines point into the held text.
    IniText(const IniText&) = delete;
    IniText& operator=(const IniText&) = delete;

    // The value of `key` in `section`, or the empty text when either is missing.
    std::wstring Value(std::wstring_view section, std::wstring_view key) const;

private:
    struct Line {
        std::size_t section; // index into sections_
        std::wstring_view key;
        std::wstring_view value;
    };
    std::wstring text_;
    std::vector<std::wstring_view> sections_;
    std::vector<Line> lines_;
};

} // namespace core
