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

bool CopyAndPasteClip(int clip) {
    if (clip < 1 || clip > core::kSlotCount)
        return false;
    if (IsClipEmpty(clip)) {
        Status(L"Textbox is empty!");
        return false;
    }
    const Clip& slot = OpenProject().slot(clip);
    bool copied = false;
    if (slot.format == core::kFormatTxtSimple) {
        copied = CopyTextToClipboard(slot.text);
    } else if (slot.format == core::kFormatTxtLong) {
        copied = CopyTextToClipboard(slot.data);
    } else if (slot.format == core::kFormatRtf) {
        copied = CopyRtfToClipboard(slot.data);
    } else if (slot.format == core::kFormatImg) {
        copied = CopyPictureToClipboard(slot.bitmap());
        Status(copied ? L"Picture copied sucessfully." : L"Couldn't copy picture.");
    }
    // The writers report their own failures; only a text that really is there is announced.
    if (copied && slot.format != core::kFormatImg)
        Status(L"Text copied.");
    lastCopiedClip = static_cast<std::uint8_t>(clip);
    // Pasting after a failed copy would paste whatever another program left on the clipboard.
    if (!copied)
        return false;
    PasteRequest request;
    request.clip = clip;
    request.format = slot.format;
    request.method = ClipMethods[static_cast<std::size_t>(clip - 1)];
    request.text = slot.format == core::kFormatTxtSimple ? slot.text : slot.data;
    PasteIntoLastWindow(request);
    return true;
}

} // namespace quillet
