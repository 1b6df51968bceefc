#pragma once
// modStrings, its file-backed half: removing diacritics from a long text line by line through two
// temporary files in the program's temp folder.
#include <stdexcept>
#include <string>

namespace quillet {

inline constexpr const wchar_t* kDiacriticsInputFile = L"tempdiaremove.tmp";
inline constexpr const wchar_t* kDiacriticsOutputFile = L"tempdiawdia.tmp";

// A file step of RemoveDiacriticsLong failed; the pending error holds the system's reason.
struct TempFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// RemoveDiacritics of every line of `text`, through the temporary files. CR LF and a lone CR come back
// as CR LF; a lone LF stays. Both files are gone afterwards, also when a step fails (TempFileError).
std::wstring RemoveDiacriticsLong(const std::wstring& text);

} // namespace quillet
