#pragma once
// Rich text that keeps every character: an RTF writer that knows no \u escape for a character its code
// page only approximates writes the approximation instead ("c" for U+010D, "r" for U+0159).
#include <optional>
#include <string>
#include <string_view>

namespace core {

// `rtf` as written from `text`, the exact characters of what was written (a paragraph end is one CR, as
// a rich-text control counts it), with every character written as an approximation replaced by its \u
// escape (the approximation kept as the fallback for readers without Unicode). The source is followed
// character by character: nothing is returned when its text does not line up with `text` (a construct
// this reading does not know), so the caller never keeps a source it cannot vouch for.
std::optional<std::string> EscapeApproximatedCharacters(std::string_view rtf, std::wstring_view text);

} // namespace core
