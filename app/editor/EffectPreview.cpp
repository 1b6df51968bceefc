#include "app/editor/EffectPreview.h"

#include "app/editor/PictureFiles.h"
#include "core/PictureLayout.h"
#include "core/WindowPlacement.h"
#include "winkit/Wait.h"

#include <commctrl.h>

#include <cmath>

namespace quillet {

namespace {
constexpr int kTwips = core::kTwipsPerPixel;
} // namespace

bool EffectPreview::Create(HWND dialog, int left, int top, HBITMAP picture) {
    left_ = left;
    top_ = top;
    // picTemp is a hidden child: a window of its own on the screen costs more to make and to destroy.
    if (!picBox_.Create(dialog, left, top, kMaxWidth, kMaxHeight) || !picTemp_.Create(dialog, 0, 0, 1, 1, false))
        return false;
    lblPreview_ = ::CreateWindowExW(0, L"STATIC", L"Generating preview...", WS_CHILD | SS_LEFT, left, top - 22,
                                    kMaxWidth, 18, dialog, nullptr, nullptr, nullptr);
    ::SendMessageW(lblPreview_, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    Prepare(picture);
    return true;
}

void EffectPreview::Prepare(HBITMAP picture) {
    const SIZE size = PictureSize(picture);
    const core::PreviewSize preview =
        core::PreviewSizeFor(size.cx * double(kTwips), size.cy * double(kTwips), kMaxWidth * double(kTwips),
                             kMaxHeight * double(kTwips), kMaxWidth * double(kTwips), kMaxHeight * double(kTwips));
    PictureFailure failure;
    if (preview.scaled) {
        const int w = std::max(1, static_cast<int>(std::lround(preview.width / kTwips)));
        const int h = std::max(1, static_cast<int>(std::lround(preview.height / kTwips)));
        picTemp_.SetPixelSize(w, h);
        picTemp_.SetPicture(nullptr);
        winkit::ScopedMemoryDC source(::CreateCompatibleDC(nullptr));
        if (source && picture) {
            winkit::SelectObjectGuard select(source.get(), picture);
            ::SetStretchBltMode(picTemp_.hDC(), HALFTONE);
            ::StretchBlt(picTemp_.hDC(), 0, 0, w, h, source.get(), 0, 0, size.cx, size.cy, SRCCOPY);
        }
        picTemp_.MakeImageThePicture();
        imgOriginal_.reset(CopyPicture(picTemp_.Picture(), failure));
        picTemp_.SetPicture(nullptr);
        // The reduced copy keeps its aspect inside the designed size.
        picBox_.SetPixelSize(w, h);
    } else {
        imgOriginal_.reset(CopyPicture(picture, failure));
        // A small picture is shown at its own size, not stretched over the box.
        picBox_.SetPixelSize(std::max<int>(size.cx, 1), std::max<int>(size.cy, 1));
    }
    ShowOriginal();
}

SIZE EffectPreview::OriginalSize() const {
    return PictureSize(static_cast<HBITMAP>(imgOriginal_.get()));
}

int EffectPreview::DialogWidth() const {
    return left_ + picBox_.PixelWidth() + 150 / kTwips;
}

int EffectPreview::Bottom() const {
    return top_ + picBox_.PixelHeight();
}

void EffectPreview::ShowInBox(HBITMAP picture) {
    PictureFailure failure;
    picBox_.SetPicture(picture ? CopyPicture(picture, failure) : nullptr);
    picBox_.Refresh();
}

void EffectPreview::ShowOriginal() {
    ShowInBox(static_cast<HBITMAP>(imgOriginal_.get()));
}

void EffectPreview::Preview(const char* key, const EffectHost& host) {
    const SIZE size = OriginalSize();
    PictureFailure failure;
    picTemp_.SetPixelSize(std::max<int>(size.cx, 1), std::max<int>(size.cy, 1));
    picTemp_.SetPicture(CopyPicture(static_cast<HBITMAP>(imgOriginal_.get()), failure));
    if (::IsWindowVisible(lblPreview_))
        return;
    ::ShowWindow(lblPreview_, SW_SHOWNA);
    ::UpdateWindow(lblPreview_);
    // What is waiting runs first, above all what the dialog's opening left: run after it, it would take
    // the keyboard away from the control the dialog then gives it to.
    winkit::PumpMessages();
    RunImageEffect(key, picTemp_, host);
    ShowInBox(picTemp_.Picture());
    ::ShowWindow(lblPreview_, SW_HIDE);
}

HWND MakeEffectControl(HWND dialog, const wchar_t* windowClass, const wchar_t* text, DWORD style, int x, int y,
                       int width, int height, int id) {
    HWND control = ::CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, dialog,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

HWND MakeEffectSlider(HWND dialog, int x, int y, int width, int minimum, int maximum, int page, int tick) {
    HWND slider =
        MakeEffectControl(dialog, TRACKBAR_CLASSW, L"", WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS, x, y, width, 30);
    ::SendMessageW(slider, TBM_SETRANGEMIN, FALSE, minimum);
    ::SendMessageW(slider, TBM_SETRANGEMAX, FALSE, maximum);
    ::SendMessageW(slider, TBM_SETPAGESIZE, 0, page);
    ::SendMessageW(slider, TBM_SETLINESIZE, 0, 1);
    ::SendMessageW(slider, TBM_SETTICFREQ, static_cast<WPARAM>(tick), 0);
    ::SendMessageW(slider, TBM_SETPOS, TRUE, 0);
    return slider;
}

bool SliderSettled(WPARAM scrollCode) {
    const int code = LOWORD(scrollCode);
    return code != TB_THUMBTRACK && code != TB_ENDTRACK;
}

void FitEffectDialog(HWND dialog, HWND editor, int clientWidth, int clientHeight) {
    RECT frame{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    RECT around{};
    if (!editor || !::GetWindowRect(editor, &around))
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
    ::SetWindowPos(dialog, nullptr, std::max<int>(0, (around.left + around.right - w) / 2),
                   std::max<int>(0, (around.top + around.bottom - h) / 2), w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void BringBackEditor(HWND editor) {
    ::ShowWindow(editor, SW_SHOW);
    // Already in front, asking again is a round trip for nothing.
    if (::GetForegroundWindow() != editor)
        ::SetForegroundWindow(editor);
}

} // namespace quillet
