#pragma once
// frmImgColors ("Color balance"): a slider per channel from -100 to 100 with a preview; OK runs
// "colorbalance" on the editor's picture, which reads the three sliders.
#include "app/editor/EffectPreview.h"
#include "winkit/Window.h"

#include <windows.h>

namespace quillet {

class PictureView;

class frmImgColors final : public winkit::Window {
public:
    static constexpr const wchar_t* kClassName = L"QuilletImgColors";

    bool Load(HWND editor, PictureView& view);
    void Preview();
    void OK();
    void Cancel();

    HWND sldRed() const { return sldRed_; }
    HWND sldGreen() const { return sldGreen_; }
    HWND sldBlue() const { return sldBlue_; }
    HWND cmdOK() const { return cmdOK_; }
    EffectPreview& preview() { return preview_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Unload();
    EffectHost Host() const;

    HWND editor_ = nullptr;
    PictureView* view_ = nullptr;
    HWND sldRed_ = nullptr;
    HWND sldGreen_ = nullptr;
    HWND sldBlue_ = nullptr;
    HWND cmdOK_ = nullptr;
    HWND cmdCancel_ = nullptr;
    EffectPreview preview_;
};

} // namespace quillet
