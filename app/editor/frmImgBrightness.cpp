#include "app/editor/frmImgBrightness.h"

#include "app/editor/PictureView.h"
#include "app/shell/modInitialization.h"

#include <commctrl.h>

namespace quillet {

namespace {

enum : int { kOK = IDOK, kCancel = IDCANCEL };
constexpr int kPreviewLeft = 300, kPreviewTop = 34;

// Esc, as a key press or a key-down, in any of the dialog's controls is Cancel.
LRESULT CALLBACK EscapeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if ((msg == WM_KEYDOWN || msg == WM_CHAR) && wParam == VK_ESCAPE) {
        reinterpret_cast<frmImgBrightness*>(data)->Cancel();
        return 0;
    }
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

} // namespace

bool frmImgBrightness::Load(HWND editor, PictureView& view) {
    editor_ = editor;
    view_ = &view;
    if (!winkit::RegisterWindowClass(kClassName))
        return false;
    if (!Create(kClassName, L"Brightness", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME,
                0, 0, 100, 100, editor))
        return false;
    HWND me = hwnd();
    MakeEffectControl(me, L"STATIC", L"Darker", 0, 12, 12, 80, 16);
    MakeEffectControl(me, L"STATIC", L"Current", SS_CENTER, 100, 12, 80, 16);
    MakeEffectControl(me, L"STATIC", L"Lighter", SS_RIGHT, 188, 12, 80, 16);
    sldBright_ = MakeEffectSlider(me, 12, 34, 256, -255, 255, 51, 51);
    MakeEffectControl(me, L"STATIC", L"-255", 0, 12, 68, 40, 16);
    MakeEffectControl(me, L"STATIC", L"255", SS_RIGHT, 228, 68, 40, 16);
    cmdOK_ = MakeEffectControl(me, L"BUTTON", L"&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 12, 100, 90, 26, kOK);
    cmdCancel_ = MakeEffectControl(me, L"BUTTON", L"&Cancel", WS_TABSTOP, 110, 100, 90, 26, kCancel);
    for (HWND control : {sldBright_, cmdOK_, cmdCancel_})
        ::SetWindowSubclass(control, &EscapeProc, 1, reinterpret_cast<DWORD_PTR>(this));

    if (!preview_.Create(me, kPreviewLeft, kPreviewTop, view.picPicture().Picture()))
        return false;
    FitEffectDialog(me, editor, preview_.DialogWidth(), std::max(140, preview_.Bottom() + 12));
    BrightnessOffset = 0;
    Preview();
    preview_.ShowOriginal();
    if (editor_)
        ::EnableWindow(editor_, FALSE);
    ::ShowWindow(me, SW_SHOW);
    ::SetFocus(sldBright_);
    return true;
}

void frmImgBrightness::Preview() {
    EffectHost host;
    host.brightnessDialog = hwnd();
    preview_.Preview("brightness", host);
}

void frmImgBrightness::OK() {
    if (editor_)
        BringBackEditor(editor_);
    ::ShowWindow(hwnd(), SW_HIDE);
    view_->ApplyEffect("brightness");
    Unload();
}

void frmImgBrightness::Cancel() {
    Unload();
}

void frmImgBrightness::Unload() {
    if (!IsExiting && editor_) {
        ::EnableWindow(editor_, TRUE);
        BringBackEditor(editor_);
    }
    Destroy();
}

LRESULT frmImgBrightness::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lParam) == sldBright_) {
            BrightnessOffset = static_cast<std::int32_t>(::SendMessageW(sldBright_, TBM_GETPOS, 0, 0));
            if (SliderSettled(wParam))
                Preview();
        }
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
