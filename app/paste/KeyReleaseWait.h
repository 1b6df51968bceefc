#pragma once
// KeyReleaseWait: waiting, with the thread's messages running, until the keys of a hotkey are let go.
// The keys' state comes from their own events: a low-level keyboard hook set only for the wait, seeded
// with one fresh look at the keyboard taken once the hook is in.
#include <windows.h>

#include <vector>

namespace quillet {

enum class KeyWait { Released, Exiting, Stuck };

// Returns once none of `keys` (virtual keys; Ctrl, Shift and Alt stand for either side) is held, when the
// program starts to end, or after kKeyWaitLimitMs with a key still down.
KeyWait WaitForKeysUp(const std::vector<int>& keys);

// The thread's own key state lets go of the modifiers (Ctrl, Shift, Alt, Windows) that are up now. A key
// let go while another program's window was in front leaves the thread's copy showing it held, so a menu
// opened by a hotkey would take a typed "I" for Ctrl+I. Keys held now are left as they are.
void ForgetReleasedModifiers();

// A key the system reports as held for this long is taken as stuck: the action is dropped rather than
// leaving every later press ignored behind its busy flag.
inline constexpr DWORD kKeyWaitLimitMs = 15000;
// Should the hook miss an event (its call timed out while a long message ran), the keyboard is looked
// at afresh this often.
inline constexpr DWORD kKeyRecheckMs = 100;

} // namespace quillet
