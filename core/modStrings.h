#pragma once
// modStrings: the case-free text routines of the clipboard menu.
#include <string>
#include <string_view>
#include <vector>

namespace core {

// The diacritics table: a character of the source becomes the replacement's character at the same place.
extern const std::wstring_view kDiacriticsSource;
extern const std::wstring_view kDiacriticsReplacement;

// Texts longer than this go through RemoveDiacriticsLong.
inline constexpr std::size_t kLongTextLimit = 20000;

// Replaces each character of the diacritics table (compared exactly, case matters); others are kept.
std::wstring RemoveDiacritics(std::wstring_view text);

// The characters from last to first. A surrogate pair stays in order, so characters beyond the basic
// plane survive. With keepLineBreaks every LF CR of the result becomes CR LF again.
std::wstring ReverseText(std::wstring_view text, bool keepLineBreaks);

// Every occurrence of `search`, left to right, without rescanning inserted text; case-sensitive.
// An empty search text finds nothing.
std::wstring ReplaceAll(std::wstring_view text, std::wstring_view search, std::wstring_view replacement);

// Splits a record file's text into its lines as a line-by-line reader sees them: CR LF and a lone CR
// end a line, a lone LF stays inside its line, and a final line end does not start another line.
std::vector<std::wstring_view> SplitRecordLines(std::wstring_view text);

} // namespace core
