#pragma once
// Sends keystrokes to the window in front with SendInput and waits until that window's thread has
// taken them, so what the caller does next (put another clip on the clipboard) cannot overtake them.
#include "core/SendKeys.h"

#include <windows.h>

#include <string>
#include <vector>

namespace quillet {

// How long the sender waits for the target to take its keystrokes.
inline constexpr DWORD kKeysProcessedWaitMs = 2000;

// Sends the strokes to whatever has the keyboard (the caller made `target` the foreground window) and
// waits until `target`'s thread processed them. False when the system took not all of them.
bool SendKeyStrokes(const std::vector<core::KeyStroke>& strokes, HWND target);
// The same for a string in keystroke notation; false also when the notation is malformed.
bool SendKeys(const std::wstring& notation, HWND target);

} // namespace quillet
