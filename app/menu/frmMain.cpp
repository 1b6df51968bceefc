#include "app/menu/frmMain.h"

#include "app/paste/modClipboardChain.h"
#include "app/shell/modInitialization.h"

namespace quillet {

frmMain& MainForm() {
    static frmMain form;
    return form;
}

bool frmMain::Load() {
    if (hwnd())
        return true;
    if (!winkit::RegisterWindowClass(kClassName))
        return false;
    // A top-level window (not message-only), so that closing it from outside ends the program
    // properly and the tray and clipboard chain can address it.
    if (!Create(kClassName, L"Quillet", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, 0, 0, 0, 0))
        return false;
    JoinClipboardChain(hwnd());
    return true;
}

void frmMain::Unload() {
    LeaveClipboardChain();
    Destroy();
}

LRESULT frmMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        // Someone outside asked the program to end (a task manager, a script): end it the one proper way.
        if (!IsExiting)
            ShutDown(true);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam && !IsExiting)
            ShutDown(true);
        return 0;
    default:
        return Window::HandleMessage(msg, wParam, lParam);
    }
}

} // namespace quillet
