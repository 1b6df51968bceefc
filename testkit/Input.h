#pragma once
// Input as a user gives it, through the system's input queue (SendInput): it reaches whatever window
// has the keyboard focus or lies under the pointer, menus and their loops included.
#include <windows.h>

#include <utility>
#include <vector>

namespace testkit {

// A press (up false) or release of a virtual key.
INPUT KeyInput(WORD vk, bool up);
// One press and release of a virtual key.
bool PressKey(WORD vk);
// Presses (true) and releases (false) of virtual keys, in order, as one batch.
bool SendKeys(const std::vector<std::pair<WORD, bool>>& strokes);
// A mouse event at an absolute screen point. Each event carries its own position: a position set
// beforehand may still be overtaken by the display's own pointer report under Wine.
INPUT MouseAt(POINT screen, DWORD flags = 0);
// Moves the pointer to a point of the screen.
bool MovePointerTo(POINT screen);

} // namespace testkit
