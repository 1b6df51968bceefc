#include "testkit/Clipboard.h"

#include "winkit/Scoped.h"

#include <cstring>
#include <future>

namespace testkit {

std::optional<std::wstring> ClipboardText() {
    if (!::OpenClipboard(nullptr))
        return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

bool PutClipboardText(const std::wstring& text) {
    if (!::OpenClipboard(nullptr))
        return false;
    ::EmptyClipboard();
    winkit::ScopedGlobal block(::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
    bool put = false;
    if (block) {
        std::memcpy(::GlobalLock(block.get()), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        ::GlobalUnlock(block.get());
        put = ::SetClipboardData(CF_UNICODETEXT, block.get()) != nullptr;
        if (put)
            block.release(); // the clipboard owns it now
    }
    ::CloseClipboard();
    return put;
}

namespace {

const wchar_t kViewerClass[] = L"QuilletTestClipboardViewer";
// Sent from the test's thread, so that joining and leaving happen on the viewer's own thread.
constexpr UINT kJoin = WM_APP + 1;
constexpr UINT kLeave = WM_APP + 2;

} // namespace

ClipboardViewer::ClipboardViewer() {
    std::promise<HWND> made;
    std::future<HWND> window = made.get_future();
    thread_ = std::thread([this, &made] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &ClipboardViewer::Procedure;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kViewerClass;
        ::RegisterClassW(&wc); // a second viewer finds the class registered
        HWND hwnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, kViewerClass, L"Clipboard viewer", WS_OVERLAPPED, 0, 0, 100,
                                      50, nullptr, nullptr, wc.hInstance, this);
        made.set_value(hwnd);
        if (hwnd)
            Run();
    });
    window_ = window.get();
}

ClipboardViewer::~ClipboardViewer() {
    if (window_) {
        Leave();
        ::PostMessageW(window_, WM_CLOSE, 0, 0);
    }
    thread_.join();
}

bool ClipboardViewer::Join() { return window_ && ::SendMessageW(window_, kJoin, 0, 0) != 0; }

void ClipboardViewer::Leave() {
    if (window_)
        ::SendMessageW(window_, kLeave, 0, 0);
}

void ClipboardViewer::Run() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

LRESULT CALLBACK ClipboardViewer::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE)
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* viewer = reinterpret_cast<ClipboardViewer*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!viewer)
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY)
        ::PostQuitMessage(0);
    return viewer->Handle(hwnd, msg, wParam, lParam);
}

LRESULT ClipboardViewer::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case kJoin:
        if (!joined_) {
            // The system announces the current content at once; that notice counts like any other.
            joined_ = true;
            next_ = ::SetClipboardViewer(hwnd);
        }
        return 1;
    case kLeave:
        if (joined_) {
            joined_ = false;
            ::ChangeClipboardChain(hwnd, next_);
            next_ = nullptr;
        }
        return 0;
    case WM_DRAWCLIPBOARD:
        if (joined_)
            ++changes_;
        if (next_)
            ::SendMessageW(next_, msg, wParam, lParam);
        return 0;
    case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wParam) == next_)
            next_ = reinterpret_cast<HWND>(lParam);
        else if (next_)
            ::SendMessageW(next_, msg, wParam, lParam);
        return 0;
    default:
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

} // namespace testkit
