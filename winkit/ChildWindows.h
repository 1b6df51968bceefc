#pragma once
// Changes to a form's child windows that are made only when they change something: under Wine every
// move, show or text of a control is a round trip to the server (and a repaint), even when nothing moves.
#include <windows.h>

#include <string>

namespace winkit {

// The child's rectangle in its parent's client coordinates.
inline RECT ChildRect(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Moves and sizes a child unless it stands there already.
inline void PlaceChild(HWND child, int x, int y, int width, int height) {
    const RECT r = ChildRect(child);
    if (r.left != x || r.top != y || r.right - r.left != width || r.bottom - r.top != height)
        ::MoveWindow(child, x, y, width, height, TRUE);
}

// Shows or hides a child unless it is so already.
inline void ShowChild(HWND child, bool shown) {
    const bool visible = (::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible != shown)
        ::ShowWindow(child, shown ? SW_SHOW : SW_HIDE);
}

// Sets a control's text unless it holds that text already.
inline void SetChildText(HWND child, const std::wstring& text) {
    const int length = ::GetWindowTextLengthW(child);
    if (length == static_cast<int>(text.size())) {
        std::wstring current(static_cast<std::size_t>(length) + 1, L'\0');
        current.resize(static_cast<std::size_t>(::GetWindowTextW(child, current.data(), length + 1)));
        if (current == text)
            return;
    }
    ::SetWindowTextW(child, text.c_str());
}

} // namespace winkit
