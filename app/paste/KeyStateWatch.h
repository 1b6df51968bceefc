#pragma once
// The keyboard as its own events tell it: a low-level hook on a thread of its own notes every key going
// down and up, so a hotkey that waits for its modifiers knows at once when they are let go, without the
// system's cached key state that can lag behind a quick tap.
#include <windows.h>

namespace quillet {

// Starts the watch once (later calls do nothing); false when the hook could not be set.
bool StartKeyStateWatch();
void StopKeyStateWatch();
bool KeyStateWatched();
// Whether the watch last saw `vk` go down; VK_CONTROL, VK_SHIFT and VK_MENU stand for either side.
bool WatchedKeyDown(int vk);
// Set whenever the watch sees a key go up; reset by the waiter before it looks.
HANDLE KeyReleasedEvent();

} // namespace quillet
