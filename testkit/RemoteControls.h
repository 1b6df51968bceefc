#pragma once
// Reading common controls of another process, whose messages carry pointers the system does not
// carry across (a status bar's panel texts, a toolbar button's place).
#include <windows.h>

#include <string>

namespace testkit {

// The text of panel `part` (0-based) of a status bar in any process; empty when it cannot be read.
std::wstring StatusBarText(HWND statusBar, int part);

// The screen rectangle of the toolbar button with the given command id; empty when it cannot be read.
RECT ToolbarButtonRect(HWND toolbar, int command);

} // namespace testkit
