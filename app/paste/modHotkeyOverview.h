#pragma once
// modHotkeyOverview: File > "&Export Hotkey Overview": an HTML page of the open project's clips and
// their hotkeys, for viewing and printing in a browser.
#include <string>

namespace quillet {

// Writes the page (ANSI code page, CR LF) to `path`, replacing it. Reports its own failure.
bool WriteHotkeyOverview(const std::wstring& path);
// The menu command: asks where, asks before overwriting, writes, offers to open it.
void ExportHotkeyOverview();

// The short time, a blank and the short date of now, as the page's stamp shows them.
std::wstring GeneratedStamp();

} // namespace quillet
