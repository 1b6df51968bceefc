#include "app/editor/frmImgColors.h"

#include <utility>

namespace quillet {

namespace {
// The sliders' rows start here, one every kRow pixels; the buttons come below the last.
constexpr int kFirstRow = 12, kRow = 40;
constexpr int kButtonsTop = kFirstRow + 3 * kRow + 8;
} // namespace

frmImgColors::frmImgColors()
    : EffectDialog({kClassName, L"Color balance", "colors", "colorbalance", kButtonsTop, kButtonsTop + 38, false}) {}

HWND frmImgColors::MakeControls(HWND dialog) {
    int y = kFirstRow;
    for (auto [name, slider] : {std::pair{L"Red", &sldRed_}, {L"Green", &sldGreen_}, {L"Blue", &sldBlue_}}) {
        MakeEffectControl(dialog, L"STATIC", name, 0, 12, y + 6, 50, 16);
        *slider = MakeEffectSlider(dialog, 64, y, 210, -100, 100, 25, 10);
        y += kRow;
    }
    return sldRed_;
}

void frmImgColors::SliderMoved(HWND, WPARAM scrollCode) {
    if (SliderSettled(scrollCode))
        Preview();
}

EffectHost frmImgColors::PreviewHost() const {
    EffectHost host = ApplyHost();
    host.colorBalanceDialog = hwnd();
    return host;
}

EffectHost frmImgColors::ApplyHost() const {
    EffectHost host;
    host.sldRed = sldRed_;
    host.sldGreen = sldGreen_;
    host.sldBlue = sldBlue_;
    return host;
}

} // namespace quillet
