#pragma once
// modParseClipboard: the clipboard writers and readers the program's actions share.
#include <optional>
#include <string>

namespace quillet {

// How long an action waits for another program to let go of the clipboard before giving up.
inline constexpr unsigned kClipboardOpenWaitMs = 750;

// Opens the clipboard with no owner window, trying again while another program holds it, for at most
// kClipboardOpenWaitMs. Returns whether it is open (and must then be closed).
bool OpenClipboardPatiently();

// Replaces the clipboard's content with `text`, as Unicode text and, for programs that read only
// that, as ANSI text. Reports its own failures; returns whether the text is on the clipboard.
bool CopyTextToClipboard(const std::wstring& text);

// The clipboard's text (empty when it holds none), or nothing when the clipboard could not be opened;
// then the pending error says why.
std::optional<std::wstring> GetClipboardText();

} // namespace quillet
