#include "testkit/TargetWindow.h"

#include "winkit/Wait.h"

#include <richedit.h>

#include <vector>

namespace testkit {

namespace {

const wchar_t kClass[] = L"QuilletTestPasteTarget";

LRESULT CALLBACK TargetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        if (HWND edit = ::GetWindow(hwnd, GW_CHILD))
            ::MoveWindow(edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        if (HWND edit = ::GetWindow(hwnd, GW_CHILD))
            ::SetFocus(edit);
        return 0;
    default:
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

} // namespace

TargetWindow::TargetWindow(const std::wstring& title, Kind kind) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &TargetProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    ::RegisterClassW(&wc); // a second target finds the class registered
    frame_ = ::CreateWindowExW(0, kClass, title.c_str(), WS_OVERLAPPEDWINDOW, 120, 120, 360, 200, nullptr, nullptr,
                               wc.hInstance, nullptr);
    if (!frame_)
        return;
    const wchar_t* editClass = L"EDIT";
    if (kind == Kind::RichEdit) {
        static const bool loaded = ::LoadLibraryW(L"riched20.dll") != nullptr;
        rich_ = loaded;
        if (loaded)
            editClass = RICHEDIT_CLASSW;
    }
    edit_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, editClass, L"",
                              WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 0, 360, 200,
                              frame_, nullptr, wc.hInstance, nullptr);
    ::ShowWindow(frame_, SW_SHOWNORMAL);
    ::UpdateWindow(frame_);
}

TargetWindow::~TargetWindow() {
    if (frame_ && ::IsWindow(frame_))
        ::DestroyWindow(frame_);
}

std::wstring TargetWindow::text() const {
    if (!edit_ || !::IsWindow(edit_))
        return {};
    const int length = ::GetWindowTextLengthW(edit_);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(edit_, buffer.data(), length + 1);
    return buffer.data();
}

std::string TargetWindow::rtf() const {
    std::string out;
    if (!edit_ || !::IsWindow(edit_) || !rich_)
        return out;
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&out);
    stream.pfnCallback = [](DWORD_PTR cookie, LPBYTE bytes, LONG count, LONG* done) -> DWORD {
        reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(bytes),
                                                       static_cast<std::size_t>(count));
        *done = count;
        return 0;
    };
    ::SendMessageW(edit_, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    return out;
}

void TargetWindow::clear() const {
    ::SetWindowTextW(edit_, L"");
}

bool TargetWindow::Activate() const {
    // The display's late word about an earlier focus (a window just made on another thread, say) can take
    // the front away again right after it was given: asked again now and then while waiting.
    ULONGLONG asked = 0;
    return winkit::WaitUntil(
        [this, &asked] {
            if (::GetForegroundWindow() == frame_ && ::GetFocus() == edit_)
                return true;
            const ULONGLONG now = ::GetTickCount64();
            if (now - asked >= 200) {
                asked = now;
                ::SetForegroundWindow(frame_);
                ::SetFocus(edit_);
            }
            return false;
        },
        3000);
}

void TargetWindow::Close() {
    if (frame_ && ::IsWindow(frame_))
        ::DestroyWindow(frame_);
    winkit::PumpMessages();
}

} // namespace testkit
