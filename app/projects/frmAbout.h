#pragma once
// frmAbout: the about box — program name, version, and links to the support mail and the web site.
#include <windows.h>

namespace quillet {

// Shows the about box, modal to `owner`.
void ShowAbout(HWND owner);

} // namespace quillet
