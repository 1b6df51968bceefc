#pragma once
// modClipboardChain: keeps the hidden main form in the system's clipboard viewer chain for the life of
// the program, passing every chain message on as the chain requires.
#include <windows.h>

namespace quillet {

// The next viewer in the chain (null when this program is the only one).
extern HWND nextViewer;
// How long a chain message waits for the next viewer before passing it on counts as failed.
inline constexpr UINT kNextViewerWaitMs = 1000;

// Puts the clipboard procedure on `window`, keeping the procedure it had for forwarding.
void HookClipboardWindow(HWND window);
// Puts back the procedure the window had before HookClipboardWindow; every procedure installed on top
// of the clipboard procedure (the hotkey procedure) goes with it.
void UnhookClipboardWindow();
LRESULT CALLBACK ClipboardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What the main form does on load and on unload: hook, then join the chain; unhook, then leave it.
void JoinClipboardChain(HWND window);
void LeaveClipboardChain();

} // namespace quillet
