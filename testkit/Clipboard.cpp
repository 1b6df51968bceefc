#include "testkit/Clipboard.h"

#include "winkit/Scoped.h"
#include "winkit/Wait.h"

#include <cstring>

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

bool PutClipboardText(const std::wstring& text) {
    winkit::ScopedGlobal block(::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
    if (!block)
        return false;
    std::memcpy(::GlobalLock(block.get()), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(block.get());
    OpenClipboard clipboard;
    if (!clipboard || !::EmptyClipboard() || !::SetClipboardData(CF_UNICODETEXT, block.get()))
        return false;
    block.release(); // the clipboard owns it now
    return true;
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
    if (!ClipboardHas(CF_UNICODETEXT))
        return std::nullopt;
    const std::string bytes = ClipboardBytes(CF_UNICODETEXT);
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
}

bool ClipboardHas(UINT format) { return ::IsClipboardFormatAvailable(format) != FALSE; }

} // namespace testkit
