#include "app/shell/frmSplash.h"

#include "app/shell/modInitialization.h"

namespace quillet {
namespace {

constexpr UINT_PTR kHideTimerId = 1;
constexpr int kBlockSize = 20;
constexpr int kBlockGap = 6;
constexpr int kMargin = 18;
constexpr int kWidth = 2 * kMargin + frmSplash::kBlocks * kBlockSize + (frmSplash::kBlocks - 1) * kBlockGap;
constexpr int kHeight = 140;
constexpr COLORREF kWebShadow = RGB(160, 160, 160);

// Near black at the first block to white at the last.
COLORREF BlockGrey(int element) {
    const int grey = 24 + element * (255 - 24) / (frmSplash::kBlocks - 1);
    return RGB(grey, grey, grey);
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id,
           DWORD exStyle = 0) {
    return ::CreateWindowExW(exStyle, cls, text, WS_CHILD | style, x, y, w, h, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
}

} // namespace

frmSplash& Splash() {
    static frmSplash splash;
    return splash;
}

bool frmSplash::Load() {
    if (hwnd())
        return true;
    if (!winkit::RegisterWindowClass(kClassName, 0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)))
        return false;
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    if (!Create(kClassName, L"Quillet", WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW, x, y, kWidth, kHeight))
        return false;
    counter_ = 1;
    font_.reset(::CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"));
    webFont_.reset(::CreateFontW(-15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"));

    lblInfo_ = Child(hwnd(), L"STATIC", L"", WS_VISIBLE | SS_LEFT, kMargin, 16, kWidth - 2 * kMargin, 18, kInfoId);
    for (int i = 0; i < kBlocks; ++i) {
        blockBrushes_[i].reset(::CreateSolidBrush(BlockGrey(i)));
        shpLoader_[i] = Child(hwnd(), L"STATIC", L"", (i == 0 ? WS_VISIBLE : 0) | WS_BORDER,
                              kMargin + i * (kBlockSize + kBlockGap), 48, kBlockSize, kBlockSize, kFirstBlockId + i);
    }
    // The address twice, a grey copy one pixel behind the black one.
    lblWeb_[1] = Child(hwnd(), L"STATIC", kWebAddress, WS_VISIBLE | SS_CENTER, kMargin + 1, 95, kWidth - 2 * kMargin,
                       20, kFirstWebId + 1);
    lblWeb_[0] = Child(hwnd(), L"STATIC", kWebAddress, WS_VISIBLE | SS_CENTER, kMargin, 94, kWidth - 2 * kMargin, 20,
                       kFirstWebId, WS_EX_TRANSPARENT);
    ::SendMessageW(lblInfo_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    for (HWND web : lblWeb_)
        ::SendMessageW(web, WM_SETFONT, reinterpret_cast<WPARAM>(webFont_.get()), FALSE);
    return true;
}

void frmSplash::Show() {
    if (!hwnd())
        return;
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::UpdateWindow(hwnd());
}

void frmSplash::Unload() {
    if (!hwnd())
        return;
    ::KillTimer(hwnd(), kHideTimerId);
    Destroy();
}

void frmSplash::SetInfo(const std::wstring& text) {
    if (lblInfo_ && hwnd())
        ::SetWindowTextW(lblInfo_, text.c_str());
}

void frmSplash::ShowNext() {
    if (!hwnd() || counter_ >= kBlocks)
        return;
    ::ShowWindow(shpLoader_[counter_], SW_SHOWNA);
    ++counter_;
}

void frmSplash::StartHideTimer(UINT delayMs) {
    if (hwnd())
        ::SetTimer(hwnd(), kHideTimerId, delayMs, nullptr);
}

void frmSplash::Repaint() {
    if (hwnd())
        ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

LRESULT frmSplash::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER:
        if (wParam == kHideTimerId) {
            ::KillTimer(hwnd(), kHideTimerId);
            ::ShowWindow(hwnd(), SW_HIDE);
            Unload();
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC: {
        const HWND control = reinterpret_cast<HWND>(lParam);
        const HDC dc = reinterpret_cast<HDC>(wParam);
        const int id = ::GetDlgCtrlID(control);
        if (id >= kFirstBlockId && id < kFirstBlockId + kBlocks)
            return reinterpret_cast<LRESULT>(blockBrushes_[id - kFirstBlockId].get());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, id == kFirstWebId + 1 ? kWebShadow : RGB(0, 0, 0));
        if (id == kFirstWebId)
            return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    }
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

void frmSplash::OnDestroyed() {
    shpLoader_.fill(nullptr);
    lblInfo_ = nullptr;
    lblWeb_.fill(nullptr);
    for (auto& brush : blockBrushes_)
        brush.reset();
    font_.reset();
    webFont_.reset();
}

} // namespace quillet
