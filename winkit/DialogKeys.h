#pragma once
// The dialog manager's keys (Tab, Enter, Esc, access keys) for modeless windows, without the program's
// message loop knowing about them: while at least one window is added, a message hook hands this thread's
// key messages for it to IsDialogMessage.
#include <windows.h>

namespace winkit {

void AddDialogKeys(HWND window);
void RemoveDialogKeys(HWND window);

} // namespace winkit
