#pragma once
// The clipboard as another program uses it: text put and read with plain calls. The clipboard is opened
// for a window of the caller's own, as programs do, so the program under test cannot lose it to us half
// way through (an open for no window can be taken over by any other such open), and a busy clipboard is
// waited for a moment rather than read as empty.
#include <windows.h>

#include <optional>
#include <string>

namespace testkit {

// Puts Unicode text alone on the clipboard.
bool PutClipboardText(const std::wstring& text);
bool EmptyTheClipboard();
// The data in `format` as bytes, with whatever terminator the writer put there; empty when there is none.
std::string ClipboardBytes(UINT format);
// The Unicode text on the clipboard, up to its terminator; nothing when there is no text.
std::optional<std::wstring> ClipboardText();
bool ClipboardHas(UINT format);

} // namespace testkit
