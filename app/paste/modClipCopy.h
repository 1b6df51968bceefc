#pragma once
// The core of the main clip window's copy handler, shared by the hotkey layer: put clip n on the
// clipboard in its format, make it the clip copied last, and paste it into the last active window.
namespace quillet {

// Status texts go to PasteHooks().showStatus. False when the slot is empty or the copy failed (then
// nothing is pasted).
bool CopyAndPasteClip(int clip);

} // namespace quillet
