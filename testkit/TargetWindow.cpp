#include "testkit/TargetWindow.h"

#include "winkit/Wait.h"

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

TargetWindow::TargetWindow(const std::wstring& title) {
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
    edit_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
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

void TargetWindow::clear() const { ::SetWindowTextW(edit_, L""); }

bool TargetWindow::Activate() const {
    ::SetForegroundWindow(frame_);
    ::SetFocus(edit_);
    return winkit::WaitUntil([this] { return ::GetForegroundWindow() == frame_ && ::GetFocus() == edit_; }, 3000);
}

void TargetWindow::Close() {
    if (frame_ && ::IsWindow(frame_))
        ::DestroyWindow(frame_);
    winkit::PumpMessages();
}

} // namespace testkit
