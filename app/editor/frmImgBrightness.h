#pragma once
// frmImgBrightness ("Brightness"): one slider from -255 to 255 with a preview; OK runs "brightness" on
// the editor's picture with the slider's value as BrightnessOffset.
#include "app/editor/EffectPreview.h"
#include "winkit/Window.h"

#include <windows.h>

namespace quillet {

class PictureView;

class frmImgBrightness final : public winkit::Window {
public:
    static constexpr const wchar_t* kClassName = L"QuilletImgBrightness";

    // Loads over the editor: the preview of the view's picture, the editor disabled, shown modelessly.
    bool Load(HWND editor, PictureView& view);
    void Preview();
    void OK();
    void Cancel();

    HWND sldBright() const { return sldBright_; }
    HWND cmdOK() const { return cmdOK_; }
    HWND cmdCancel() const { return cmdCancel_; }
    EffectPreview& preview() { return preview_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Unload();

    HWND editor_ = nullptr;
    PictureView* view_ = nullptr;
    HWND sldBright_ = nullptr;
    HWND cmdOK_ = nullptr;
    HWND cmdCancel_ = nullptr;
    EffectPreview preview_;
};

} // namespace quillet
