#pragma once
// modSystemtray: the program's one icon in the notification area. Its mouse messages come to the hidden
// main form as WM_MOUSEMOVE with the message number in the x coordinate.
#include <windows.h>

#include <string>

namespace quillet {

inline constexpr UINT kTrayIconId = 1;
inline constexpr UINT kTrayCallbackMessage = WM_MOUSEMOVE;

// Adds the icon of `form` with the tip (up to 63 characters); false when the shell refused it.
bool AddTrayIcon(HWND form, HICON icon, const std::wstring& tip);
// Removes the icon added last; nothing when there is none.
void RemoveTrayIcon();
bool TrayIconAdded();

// A left or right button press opens the clipboard menu; anything else (movement) does nothing.
void TrayMouseMessage(int x);
void ShowTrayMenu();

} // namespace quillet
