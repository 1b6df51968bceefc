#include "app/editor/frmImgBrightness.h"

#include <commctrl.h>

namespace quillet {

frmImgBrightness::frmImgBrightness()
    : EffectDialog({kClassName, L"Brightness", "brightness", "brightness", 100, 140, true}) {}

bool frmImgBrightness::Load(HWND editor, PictureView& view) {
    BrightnessOffset = 0;
    return Open(editor, view);
}

HWND frmImgBrightness::MakeControls(HWND dialog) {
    MakeEffectControl(dialog, L"STATIC", L"Darker", 0, 12, 12, 80, 16);
    MakeEffectControl(dialog, L"STATIC", L"Current", SS_CENTER, 100, 12, 80, 16);
    MakeEffectControl(dialog, L"STATIC", L"Lighter", SS_RIGHT, 188, 12, 80, 16);
    sldBright_ = MakeEffectSlider(dialog, 12, 34, 256, -255, 255, 51, 51);
    MakeEffectControl(dialog, L"STATIC", L"-255", 0, 12, 68, 40, 16);
    MakeEffectControl(dialog, L"STATIC", L"255", SS_RIGHT, 228, 68, 40, 16);
    return sldBright_;
}

void frmImgBrightness::SliderMoved(HWND slider, WPARAM scrollCode) {
    if (slider != sldBright_)
        return;
    // Kept while dragging too; the preview waits until the slider settles.
    BrightnessOffset = static_cast<std::int32_t>(::SendMessageW(sldBright_, TBM_GETPOS, 0, 0));
    if (SliderSettled(scrollCode))
        Preview();
}

EffectHost frmImgBrightness::PreviewHost() const {
    EffectHost host;
    host.brightnessDialog = hwnd();
    return host;
}

} // namespace quillet
