#include "app/editor/EffectDialog.h"

#include "app/editor/PictureView.h"
#include "app/shell/modInitialization.h"

#include <commctrl.h>

#include <algorithm>

namespace quillet {

namespace {

constexpr int kPreviewLeft = 300, kPreviewTop = 34;

// Esc, as a key press or a key-down, in a control of the dialog is Cancel.
LRESULT CALLBACK EscapeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if ((msg == WM_KEYDOWN || msg == WM_CHAR) && wParam == VK_ESCAPE) {
        reinterpret_cast<EffectDialog*>(data)->Cancel();
        return 0;
    }
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

BOOL CALLBACK SubclassForEscape(HWND control, LPARAM dialog) {
    if (::GetWindowLongPtrW(control, GWL_STYLE) & WS_TABSTOP)
        ::SetWindowSubclass(control, &EscapeProc, 1, static_cast<DWORD_PTR>(dialog));
    return TRUE;
}

BOOL CALLBACK SliderToZero(HWND control, LPARAM) {
    wchar_t name[32]{};
    ::GetClassNameW(control, name, 32);
    if (::lstrcmpiW(name, TRACKBAR_CLASSW) == 0)
        ::SendMessageW(control, TBM_SETPOS, TRUE, 0);
    return TRUE;
}

} // namespace

bool EffectDialog::Open(HWND editor, PictureView& view) {
    view_ = &view;
    HWND me = hwnd();
    if (me && editor == editor_) {
        // Made on the first opening over this editor and only hidden since: a window made and destroyed on
        // every use costs more than the effect. Every slider starts at 0 again.
        ::EnumChildWindows(me, &SliderToZero, 0);
        preview_.Prepare(view.picPicture().Picture());
    } else {
        Destroy();
        editor_ = editor;
        if (!winkit::RegisterWindowClass(kind_.className))
            return false;
        if (!Create(kind_.className, kind_.caption, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                    WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME, 0, 0, 100, 100, editor))
            return false;
        me = hwnd();
        focus_ = MakeControls(me);
        cmdOK_ =
            MakeEffectControl(me, L"BUTTON", L"&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 12, kind_.buttonsTop, 90, 26, IDOK);
        cmdCancel_ = MakeEffectControl(me, L"BUTTON", L"&Cancel", WS_TABSTOP, 110, kind_.buttonsTop, 90, 26, IDCANCEL);
        // The keyboard reaches the controls that take the focus: the sliders and the buttons.
        if (kind_.escapeCancels)
            ::EnumChildWindows(me, &SubclassForEscape, reinterpret_cast<LPARAM>(this));
        if (!preview_.Create(me, kPreviewLeft, kPreviewTop, view.picPicture().Picture()))
            return false;
    }
    FitEffectDialog(me, editor, preview_.DialogWidth(), std::max(kind_.minimumHeight, preview_.Bottom() + 12));
    Preview();
    preview_.ShowOriginal();
    if (editor_)
        ::EnableWindow(editor_, FALSE);
    ::ShowWindow(me, SW_SHOW);
    ::SetFocus(focus_);
    return true;
}

void EffectDialog::Preview() {
    preview_.Preview(kind_.engineKey, PreviewHost());
}

void EffectDialog::OK() {
    // Hiding the dialog over an enabled editor gives the editor the front by itself; asking for it
    // besides is a second activation round trip. ApplyEffect disables the editor again while it runs.
    if (editor_)
        ::EnableWindow(editor_, TRUE);
    ::ShowWindow(hwnd(), SW_HIDE);
    if (editor_)
        BringBackEditor(editor_);
    // The effect may read the controls of this (hidden) dialog while it runs.
    view_->effectHost() = ApplyHost();
    view_->ApplyEffect(kind_.effectName);
    view_->effectHost() = {};
    Unload();
}

void EffectDialog::Cancel() {
    Unload();
}

void EffectDialog::Unload() {
    if (!IsExiting && editor_) {
        ::EnableWindow(editor_, TRUE);
        BringBackEditor(editor_);
    }
    // Kept, hidden, for the next opening over the same editor.
    ::ShowWindow(hwnd(), SW_HIDE);
}

LRESULT EffectDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_HSCROLL:
        if (lParam)
            SliderMoved(reinterpret_cast<HWND>(lParam), wParam);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            OK();
        else if (LOWORD(wParam) == IDCANCEL)
            Cancel();
        return 0;
    case WM_CLOSE:
        Cancel();
        return 0;
    case WM_DESTROY:
        editor_ = nullptr;
        break;
    }
    return winkit::Window::HandleMessage(msg, wParam, lParam);
}

} // namespace quillet
