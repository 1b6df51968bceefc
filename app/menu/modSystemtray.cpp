#include "app/menu/modSystemtray.h"

#include "app/projects/MainClipWindow.h"

#include <shellapi.h>

namespace quillet {
namespace {

// Kept for the life of the process: the removal names the same window and id.
NOTIFYICONDATAW tray{};
bool added = false;

} // namespace

bool AddTrayIcon(HWND form, HICON icon, const std::wstring& tip) {
    tray = NOTIFYICONDATAW{};
    tray.cbSize = NOTIFYICONDATAW_V1_SIZE;
    tray.hWnd = form;
    tray.uID = kTrayIconId;
    tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    tray.uCallbackMessage = kTrayCallbackMessage;
    tray.hIcon = icon;
    // The first version of the record holds 64 characters with the terminator.
    tip.copy(tray.szTip, 63);
    added = ::Shell_NotifyIconW(NIM_ADD, &tray) != FALSE;
    return added;
}

void RemoveTrayIcon() {
    if (!added)
        return;
    ::Shell_NotifyIconW(NIM_DELETE, &tray);
    added = false;
}

bool TrayIconAdded() { return added; }

void TrayMouseMessage(int x) {
    if (x == WM_LBUTTONDOWN || x == WM_RBUTTONDOWN)
        ShowTrayMenu();
}

void ShowTrayMenu() {
    if (ProgramMenuHooks().popupClipboardMenu)
        ProgramMenuHooks().popupClipboardMenu();
}

} // namespace quillet
