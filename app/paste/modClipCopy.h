#pragma once
// Copying a clip, the one routine behind the main clip window's copy buttons, the clip hotkeys and the
// clipboard menu's clip items. Status texts go to PasteHooks().showStatus.
namespace quillet {

// Puts clip n on the clipboard in its format; a clip that got there becomes the clip copied last.
// False when the row is empty or the copy failed (lastCopiedClip then stays as it was).
bool CopyClipToClipboard(int clip);
// The paste step for clip n once it is on the clipboard, by the clip's paste method.
void PasteCopiedClip(int clip);
// CopyClipToClipboard, then the paste into the last active window; nothing is pasted after a failure.
bool CopyAndPasteClip(int clip);

} // namespace quillet
