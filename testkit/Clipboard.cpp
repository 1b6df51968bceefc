#include "testkit/Clipboard.h"

#include "winkit/Scoped.h"
#include "winkit/Wait.h"

#include <cstring>
#include <future>

namespace testkit {

namespace {

constexpr DWORD kOpenWaitMs = 2000;

HWND OwnWindow() {
    thread_local winkit::ScopedWindow window(
        ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    return window.get();
}

// Closes the clipboard on every way out of a caller that opened it.
class OpenClipboard {
public:
    OpenClipboard() {
        const HWND owner = OwnWindow();
        open_ = winkit::WaitUntil([owner] { return ::OpenClipboard(owner) != FALSE; }, kOpenWaitMs, 2);
    }
    OpenClipboard(const OpenClipboard&) = delete;
    OpenClipboard& operator=(const OpenClipboard&) = delete;
    ~OpenClipboard() {
        if (open_)
            ::CloseClipboard();
    }
    explicit operator bool() const { return open_; }

private:
    bool open_ = false;
};

} // namespace

bool PutClipboardBytes(UINT format, const void* bytes, std::size_t size) {
    winkit::ScopedGlobal block(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block)
        return false;
    std::memcpy(::GlobalLock(block.get()), bytes, size);
    ::GlobalUnlock(block.get());
    OpenClipboard clipboard;
    if (!clipboard || !::EmptyClipboard() || !::SetClipboardData(format, block.get()))
        return false;
    block.release(); // the clipboard owns it now
    return true;
}

bool PutClipboardText(const std::wstring& text) {
    return PutClipboardBytes(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

bool EmptyTheClipboard() {
    OpenClipboard clipboard;
    return clipboard && ::EmptyClipboard() != FALSE;
}

std::string ClipboardBytes(UINT format) {
    std::string bytes;
    OpenClipboard clipboard;
    if (!clipboard)
        return bytes;
    if (HANDLE data = ::GetClipboardData(format)) {
        if (const void* p = ::GlobalLock(data)) {
            bytes.assign(static_cast<const char*>(p), ::GlobalSize(data));
            ::GlobalUnlock(data);
        }
    }
    return bytes;
}

std::optional<std::wstring> ClipboardText() {
    // Read under one open: a writer's empty-then-set is never seen half done.
    OpenClipboard clipboard;
    if (!clipboard)
        return std::nullopt;
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    const auto* chars = data ? static_cast<const wchar_t*>(::GlobalLock(data)) : nullptr;
    if (!chars)
        return std::nullopt;
    std::wstring text(chars, ::GlobalSize(data) / sizeof(wchar_t));
    ::GlobalUnlock(data);
    return text.substr(0, text.find(L'\0'));
}

bool ClipboardHas(UINT format) {
    return ::IsClipboardFormatAvailable(format) != FALSE;
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
        HWND hwnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, kViewerClass, L"Clipboard viewer", WS_OVERLAPPED, 0, 0, 100, 50,
                                      nullptr, nullptr, wc.hInstance, this);
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

bool ClipboardViewer::Join() {
    return window_ && ::SendMessageW(window_, kJoin, 0, 0) != 0;
}

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
