#pragma once
// Input as a user gives it, through the system's input queue (SendInput): it reaches whatever window
// has the keyboard focus or lies under the pointer, menus and their loops included.
#include <windows.h>

namespace testkit {

// One press and release of a virtual key.
bool PressKey(WORD vk);
// Moves the pointer to a point of the screen.
bool MovePointerTo(POINT screen);

} // namespace testkit
