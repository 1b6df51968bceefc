#pragma once
// Input as a user gives it, through the system's input queue (SendInput): it reaches whatever window
// has the keyboard focus or lies under the pointer, menus and their loops included.
#include <windows.h>

namespace testkit {

// One press and release of a virtual key.
bool PressKey(WORD vk);
// A mouse event at an absolute screen point. Each event carries its own position: a position set
// beforehand may still be overtaken by the display's own pointer report under Wine.
INPUT MouseAt(POINT screen, DWORD flags = 0);
// Moves the pointer to a point of the screen.
bool MovePointerTo(POINT screen);

} // namespace testkit
