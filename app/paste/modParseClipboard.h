#pragma once
// modParseClipboard: the clipboard writers and readers the program's actions share.
#include <windows.h>

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

// Replaces the clipboard's content with `rtf` under the registered format "Rich Text Format" (as the
// ANSI bytes of the source, zero-terminated). Reports its own failures.
bool CopyRtfToClipboard(const std::wstring& rtf);

// Replaces the clipboard's content with `text` (as CopyTextToClipboard) and `rtf` beside it under
// "Rich Text Format", so rich-text readers get the formatting and the others the text. Reports failures.
bool CopyTextAndRtfToClipboard(const std::wstring& text, const std::wstring& rtf);

// Replaces the clipboard's content with a copy of `picture` (CF_BITMAP). False when the copy could
// not be made or placed; shows nothing.
bool CopyPictureToClipboard(HBITMAP picture);

// Empties the clipboard and leaves empty text and empty rich text on it; failures are ignored.
void ClearClipboard();

// The paste step after the clipboard menu put a date, a time or an address on the clipboard: with
// AutoPasteOther and auto paste on, activates the last window and sends Ctrl+V (key by key falls back
// to it) or Shift+Insert.
void PasteAfterMenuAction();

// The clipboard's text (empty when it holds none), or nothing when the clipboard could not be opened;
// then the pending error says why.
std::optional<std::wstring> GetClipboardText();

} // namespace quillet
