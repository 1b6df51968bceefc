#include "app/editor/frmProgress.h"

#include <commctrl.h>

namespace quillet {

namespace {
constexpr int kWidth = 340, kHeight = 110;
} // namespace

bool frmProgress::Make(HWND owner) {
    if (hwnd() && ::GetWindow(hwnd(), GW_OWNER) == owner)
        return true;
    if (!winkit::RegisterWindowClass(kClassName))
        return false;
    Destroy();
    if (!Create(kClassName, L"Quillet", WS_POPUP | WS_CAPTION | WS_BORDER, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 0, 0,
                kWidth, kHeight, owner))
        return false;
    font_ = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    lblInfo_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT, 12, 10, kWidth - 30, 18, hwnd(),
                                 nullptr, nullptr, nullptr);
    bar_ = ::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, 12, 34, kWidth - 30, 20,
                             hwnd(), nullptr, nullptr, nullptr);
    ::SendMessageW(lblInfo_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    ::SendMessageW(bar_, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    return true;
}

bool frmProgress::Prepare(HWND owner, const std::wstring& info) {
    if (!Make(owner))
        return false;
    RECT around{};
    if (!owner || !::GetWindowRect(owner, &around))
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
    const int x = (around.left + around.right - kWidth) / 2, y = (around.top + around.bottom - kHeight) / 2;
    ::SetWindowPos(hwnd(), HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowTextW(lblInfo_, info.c_str());
    ::SendMessageW(bar_, PBM_SETPOS, 0, 0);
    return true;
}

bool frmProgress::Show() {
    if (!hwnd())
        return false;
    ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(hwnd());
    return true;
}

void frmProgress::Hide() {
    if (hwnd())
        ::ShowWindow(hwnd(), SW_HIDE);
}

} // namespace quillet
