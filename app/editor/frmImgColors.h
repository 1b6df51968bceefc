#pragma once
// frmImgColors ("Color balance"): a slider per channel from -100 to 100 with a preview; OK runs
// "colorbalance" on the editor's picture, which reads the three sliders.
#include "app/editor/EffectDialog.h"

#include <windows.h>

namespace quillet {

class frmImgColors final : public EffectDialog {
public:
    static constexpr const wchar_t* kClassName = L"QuilletImgColors";

    frmImgColors();
    bool Load(HWND editor, PictureView& view) { return Open(editor, view); }

    HWND sldRed() const { return sldRed_; }
    HWND sldGreen() const { return sldGreen_; }
    HWND sldBlue() const { return sldBlue_; }

protected:
    HWND MakeControls(HWND dialog) override;
    void SliderMoved(HWND slider, WPARAM scrollCode) override;
    EffectHost PreviewHost() const override;
    EffectHost ApplyHost() const override;

private:
    HWND sldRed_ = nullptr;
    HWND sldGreen_ = nullptr;
    HWND sldBlue_ = nullptr;
};

} // namespace quillet
