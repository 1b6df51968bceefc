#include "app/paste/modClipboardChain.h"

#include "app/shell/Messages.h"

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

namespace {

// Passes a chain message on, bounded: a next viewer that hangs or has vanished must not freeze the
// program each time the clipboard changes. A vanished one is dropped, so its failure is told once.
bool PassOn(UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR ignored = 0;
    if (::SendMessageTimeoutW(nextViewer, message, wParam, lParam, SMTO_ABORTIFHUNG, kNextViewerWaitMs, &ignored))
        return true;
    SetPendingWin32Error(::GetLastError());
    if (!::IsWindow(nextViewer))
        nextViewer = nullptr;
    return false;
}

} // namespace

LRESULT CALLBACK ClipboardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    bool passed = true;
    if (message == WM_DRAWCLIPBOARD) {
        if (nextViewer)
            passed = PassOn(message, wParam, lParam);
    } else if (message == WM_CHANGECBCHAIN) {
        if (nextViewer && reinterpret_cast<HWND>(wParam) == nextViewer)
            nextViewer = reinterpret_cast<HWND>(lParam); // the next viewer is leaving
        else if (nextViewer)
            passed = PassOn(message, wParam, lParam);
    }
    if (!passed) {
        ShowError(L"Error has occured while obtaining clipboard data!", true);
        return 0;
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
