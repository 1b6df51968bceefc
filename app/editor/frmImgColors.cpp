#include "app/editor/frmImgColors.h"

#include "app/editor/PictureView.h"
#include "app/shell/modInitialization.h"

#include <commctrl.h>

namespace quillet {

namespace {
enum : int { kOK = IDOK, kCancel = IDCANCEL };
constexpr int kPreviewLeft = 300, kPreviewTop = 34;
} // namespace

bool frmImgColors::Load(HWND editor, PictureView& view) {
    editor_ = editor;
    view_ = &view;
    if (!winkit::RegisterWindowClass(kClassName))
        return false;
    if (!Create(kClassName, L"Color balance", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME, 0, 0, 100, 100, editor))
        return false;
    HWND me = hwnd();
    int y = 12;
    for (auto [name, slider] : {std::pair{L"Red", &sldRed_}, {L"Green", &sldGreen_}, {L"Blue", &sldBlue_}}) {
        MakeEffectControl(me, L"STATIC", name, 0, 12, y + 6, 50, 16);
        *slider = MakeEffectSlider(me, 64, y, 210, -100, 100, 25, 10);
        y += 40;
    }
    cmdOK_ = MakeEffectControl(me, L"BUTTON", L"&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 12, y + 8, 90, 26, kOK);
    cmdCancel_ = MakeEffectControl(me, L"BUTTON", L"&Cancel", WS_TABSTOP, 110, y + 8, 90, 26, kCancel);

    if (!preview_.Create(me, kPreviewLeft, kPreviewTop, view.picPicture().Picture()))
        return false;
    FitEffectDialog(me, editor, preview_.DialogWidth(), std::max(y + 46, preview_.Bottom() + 12));
    Preview();
    preview_.ShowOriginal();
    if (editor_)
        ::EnableWindow(editor_, FALSE);
    ::ShowWindow(me, SW_SHOW);
    ::SetFocus(sldRed_);
    return true;
}

EffectHost frmImgColors::Host() const {
    EffectHost host;
    host.colorBalanceDialog = hwnd();
    host.sldRed = sldRed_;
    host.sldGreen = sldGreen_;
    host.sldBlue = sldBlue_;
    return host;
}

void frmImgColors::Preview() {
    preview_.Preview("colors", Host());
}

void frmImgColors::OK() {
    if (editor_)
        BringBackEditor(editor_);
    ::ShowWindow(hwnd(), SW_HIDE);
    // The effect reads the sliders of this (hidden) dialog while it runs.
    view_->effectHost() = Host();
    view_->effectHost().colorBalanceDialog = nullptr;
    view_->ApplyEffect("colorbalance");
    view_->effectHost() = {};
    Unload();
}

void frmImgColors::Cancel() {
    Unload();
}

void frmImgColors::Unload() {
    if (!IsExiting && editor_) {
        ::EnableWindow(editor_, TRUE);
        BringBackEditor(editor_);
    }
    Destroy();
}

LRESULT frmImgColors::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_HSCROLL:
        if (lParam && SliderSettled(wParam))
            Preview();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kOK)
            OK();
        else if (LOWORD(wParam) == kCancel)
            Cancel();
        return 0;
    case WM_CLOSE:
        Cancel();
        return 0;
    }
    return winkit::Window::HandleMessage(msg, wParam, lParam);
}

} // namespace quillet
