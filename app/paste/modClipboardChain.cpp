#include "app/paste/modClipboardChain.h"

namespace quillet {

HWND nextViewer = nullptr;

namespace {
HWND hookedWindow = nullptr;
WNDPROC previousWindowProc = nullptr;
} // namespace

void HookClipboardWindow(HWND window) {
    if (!window || hookedWindow)
        return;
    previousWindowProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ClipboardWindowProc)));
    if (previousWindowProc)
        hookedWindow = window;
}

void UnhookClipboardWindow() {
    if (!hookedWindow)
        return;
    if (::IsWindow(hookedWindow))
        ::SetWindowLongPtrW(hookedWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousWindowProc));
    hookedWindow = nullptr;
}

LRESULT CALLBACK ClipboardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWCLIPBOARD) {
        if (nextViewer)
            ::SendMessageW(nextViewer, message, wParam, lParam);
    } else if (message == WM_CHANGECBCHAIN) {
        if (nextViewer && reinterpret_cast<HWND>(wParam) == nextViewer)
            nextViewer = reinterpret_cast<HWND>(lParam); // the next viewer is leaving
        else if (nextViewer)
            ::SendMessageW(nextViewer, message, wParam, lParam);
    }
    // Without a procedure to hand on to (unhooked while a message was under way) the system's default
    // still answers.
    if (!previousWindowProc)
        return ::DefWindowProcW(window, message, wParam, lParam);
    return ::CallWindowProcW(previousWindowProc, window, message, wParam, lParam);
}

void JoinClipboardChain(HWND window) {
    HookClipboardWindow(window);
    nextViewer = ::SetClipboardViewer(window);
}

void LeaveClipboardChain() {
    const HWND window = hookedWindow;
    UnhookClipboardWindow();
    if (window)
        ::ChangeClipboardChain(window, nextViewer);
    nextViewer = nullptr;
}

} // namespace quillet
