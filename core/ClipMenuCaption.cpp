#include "core/ClipMenuCaption.h"

namespace core {

std::wstring ClipMenuCaption(int clip, const std::wstring& rowText) {
    std::size_t length = rowText.size() < kClipMenuTextLength ? rowText.size() : kClipMenuTextLength;
    // Half a character would show as a box (and could not be typed as an access key).
    if (length == kClipMenuTextLength && length < rowText.size()) {
        const wchar_t last = rowText[length - 1];
        if (last >= 0xD800 && last <= 0xDBFF)
            --length;
    }
    return L"(" + std::to_wstring(clip) + L") &" + rowText.substr(0, length);
}

} // namespace core
