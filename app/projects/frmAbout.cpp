#include "app/projects/frmAbout.h"

#include "app/shell/modInitialization.h"
#include "QuilletVersion.h"
#include "winkit/Scoped.h"
#include "winkit/Window.h"

#include <shellapi.h>

#include <string>

namespace quillet {
namespace {

const wchar_t kClassName[] = L"QuilletAbout";
constexpr int kMail = 101, kWeb = 102, kClose = IDOK;

class frmAbout final : public winkit::Window {
public:
    bool done = false;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case WM_CREATE: {
            NONCLIENTMETRICSW metrics{};
            metrics.cbSize = sizeof(metrics);
            ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
            LOGFONTW face = metrics.lfMessageFont;
            font_.reset(::CreateFontIndirectW(&face));
            face.lfHeight = face.lfHeight * 3 / 2;
            face.lfWeight = FW_BOLD;
            titleFont_.reset(::CreateFontIndirectW(&face));
            Child(L"STATIC", L"Quillet", SS_LEFT, 16, 14, 260, 26, 0, titleFont_.get());
            Child(L"STATIC", L"Version " QUILLET_VERSION_TEXT L" — clipboard tool", SS_LEFT, 16, 44, 260, 18, 0,
                  font_.get());
            Child(L"BUTTON", (std::wstring(L"Write to ") + kSupportAddress).c_str(), BS_PUSHBUTTON | WS_TABSTOP, 16,
                  74, 260, 24, kMail, font_.get());
            Child(L"BUTTON", (std::wstring(L"Visit ") + kWebAddress).c_str(), BS_PUSHBUTTON | WS_TABSTOP, 16, 104, 260,
                  24, kWeb, font_.get());
            Child(L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 196, 142, 80, 24, kClose, font_.get());
            return 0;
        }
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
            case kMail:
                ::ShellExecuteW(hwnd(), L"open", (std::wstring(L"mailto:") + kSupportAddress).c_str(), nullptr, nullptr,
                                SW_SHOWNORMAL);
                return 0;
            case kWeb:
                ::ShellExecuteW(hwnd(), L"open", (std::wstring(L"http://") + kWebAddress).c_str(), nullptr, nullptr,
                                SW_SHOWNORMAL);
                return 0;
            case kClose:
            case IDCANCEL:
                done = true;
                return 0;
            default:
                break;
            }
            break;
        case WM_CLOSE:
            done = true;
            return 0;
        default:
            break;
        }
        return Window::HandleMessage(msg, wParam, lParam);
    }

private:
    void Child(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id, HGDIOBJ font) {
        HWND c = ::CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, hwnd(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                                   nullptr);
        ::SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    winkit::ScopedGdiObject font_, titleFont_;
};

} // namespace

void ShowAbout(HWND owner) {
    if (!winkit::RegisterWindowClass(kClassName))
        return;
    frmAbout about;
    RECT frame{0, 0, 292, 180};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    RECT ownerRect{0, 0, 640, 480};
    if (owner)
        ::GetWindowRect(owner, &ownerRect);
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    if (!about.Create(kClassName, L"About Quillet", style, WS_EX_DLGMODALFRAME,
                      ownerRect.left + (ownerRect.right - ownerRect.left - w) / 2,
                      ownerRect.top + (ownerRect.bottom - ownerRect.top - h) / 2, w, h, owner))
        return;
    ::ShowWindow(about.hwnd(), SW_SHOW);
    if (owner)
        ::EnableWindow(owner, FALSE);
    MSG msg;
    while (!about.done && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!::IsDialogMessageW(about.hwnd(), &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (owner)
        ::EnableWindow(owner, TRUE);
    about.Destroy();
    if (owner)
        ::SetForegroundWindow(owner);
}

} // namespace quillet
