#pragma once
// frmImgBrightness ("Brightness"): one slider from -255 to 255 with a preview; OK runs "brightness" on
// the editor's picture with the slider's value as BrightnessOffset. Esc is Cancel.
#include "app/editor/EffectDialog.h"

#include <windows.h>

namespace quillet {

class frmImgBrightness final : public EffectDialog {
public:
    static constexpr const wchar_t* kClassName = L"QuilletImgBrightness";

    frmImgBrightness();
    // Loads over the editor with BrightnessOffset back at 0: the preview of the view's picture, the editor
    // disabled, shown modelessly.
    bool Load(HWND editor, PictureView& view);

    HWND sldBright() const { return sldBright_; }

protected:
    HWND MakeControls(HWND dialog) override;
    void SliderMoved(HWND slider, WPARAM scrollCode) override;
    EffectHost PreviewHost() const override;

private:
    HWND sldBright_ = nullptr;
};

} // namespace quillet
