#pragma once
// Menu item texts as the owner-drawn menus read them: the caption before the TAB, the shortcut after it,
// and the "&" access key, which the system no longer honours once an item is drawn by its owner.
#include <string>
#include <vector>

namespace core {

// The characters of `s` before the first `c`, trimmed of leading and trailing spaces; empty when `c`
// does not occur or stands first.
std::wstring TextBefore(const std::wstring& s, wchar_t c);

// The characters after the first TAB up to (not including) the first NUL after it.
std::wstring ShortcutPart(const std::wstring& s);

// The caption and shortcut of a menu item text read into a fixed, NUL-terminated buffer.
struct MenuItemText {
    std::wstring caption;
    std::wstring shortcut;
};
MenuItemText SplitMenuItemText(const std::wstring& buffer);

// The access key of a caption: the character after the first single "&" ("&&" is a literal "&"),
// upper-cased for comparison; 0 when there is none.
wchar_t AccessKey(const std::wstring& caption);

// Which item a pressed access key selects among a popup's items (empty captions stand for items the
// key cannot reach): the first whose key matches, searching from the item after `current` (-1 = none
// selected) and wrapping round. -1 when none matches.
int ItemForAccessKey(const std::vector<std::wstring>& captions, int current, wchar_t key);

// Case-insensitive comparison of captions (ASCII and Latin-1 letters).
bool SameCaption(const std::wstring& a, const std::wstring& b);

} // namespace core
