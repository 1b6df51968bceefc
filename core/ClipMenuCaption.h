#pragma once
// The caption of a clip's item in the clipboard and paste menus.
#include <string>

namespace core {

// How many characters of a clip's row text its menu item shows.
inline constexpr std::size_t kClipMenuTextLength = 30;

// "(" + n + ") &" + the first 30 characters of the row text, so that the text's first character becomes
// the item's access key. A surrogate pair is never cut in half at the 30th character.
std::wstring ClipMenuCaption(int clip, const std::wstring& rowText);

} // namespace core
