#include "app/paste/modClipCopy.h"

#include "app/paste/modInternalFunctions.h"
#include "app/paste/modParseClipboard.h"
#include "app/projects/ClipProject.h"
#include "app/projects/MainClipWindow.h"

namespace quillet {

namespace {
void Status(const std::wstring& text) {
    if (PasteHooks().showStatus)
        PasteHooks().showStatus(text);
}
} // namespace

bool CopyClipToClipboard(int clip) {
    if (clip < 1 || clip > core::kSlotCount)
        return false;
    if (IsClipEmpty(clip)) {
        Status(L"Textbox is empty!");
        return false;
    }
    const Clip& slot = OpenProject().slot(clip);
    bool copied = false;
    if (slot.format == core::kFormatImg) {
        copied = CopyPictureToClipboard(slot.bitmap());
        Status(copied ? L"Picture copied sucessfully." : L"Couldn't copy picture.");
    } else {
        if (slot.format == core::kFormatRtf)
            copied = CopyRtfToClipboard(slot.data);
        else if (slot.format == core::kFormatTxtLong)
            copied = CopyTextToClipboard(slot.data);
        else
            copied = CopyTextToClipboard(slot.text);
        // The writers report their own failures; only a text that really is there is announced.
        if (copied)
            Status(L"Text copied.");
    }
    // A clip that never reached the clipboard was not copied: paste next goes on from the one that was.
    if (copied)
        lastCopiedClip = static_cast<std::uint8_t>(clip);
    return copied;
}

void PasteCopiedClip(int clip) {
    if (clip < 1 || clip > core::kSlotCount)
        return;
    const Clip& slot = OpenProject().slot(clip);
    PasteRequest request;
    request.clip = clip;
    request.format = slot.format;
    request.method = ClipMethods[static_cast<std::size_t>(clip - 1)];
    request.text = slot.format == core::kFormatTxtLong ? slot.data : slot.text;
    PasteIntoLastWindow(request);
}

bool CopyAndPasteClip(int clip) {
    // Pasting after a failed copy would paste whatever another program left on the clipboard.
    if (!CopyClipToClipboard(clip))
        return false;
    PasteCopiedClip(clip);
    return true;
}

} // namespace quillet
