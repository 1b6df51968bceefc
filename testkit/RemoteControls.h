#pragma once
// Reading common controls of another process, whose messages carry pointers the system does not
// carry across (a status bar's panel texts).
#include <windows.h>

#include <string>

namespace testkit {

// The text of panel `part` (0-based) of a status bar in any process; empty when it cannot be read.
std::wstring StatusBarText(HWND statusBar, int part);

} // namespace testkit
