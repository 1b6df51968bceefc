#include "app/menu/modSystemtray.h"

#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

namespace {

// Changing the tip succeeds only for an icon the notification area holds.
bool TrayHolds(HWND window) {
    NOTIFYICONDATAW probe{};
    probe.cbSize = NOTIFYICONDATAW_V1_SIZE;
    probe.hWnd = window;
    probe.uID = quillet::kTrayIconId;
    probe.uFlags = NIF_TIP;
    wcscpy(probe.szTip, L"probe");
    return ::Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

} // namespace

// The window stays alive throughout, so only RemoveTrayIcon can take the icon away (the notification
// area also drops icons of windows that are gone, which would hide a missing removal).
TEST(modSystemtray, AddsOneIconForTheFormAndRemovesItWhileTheFormLives) {
    HWND form = ::CreateWindowExW(0, L"STATIC", L"form", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(form, nullptr);
    HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);
    ASSERT_TRUE(quillet::AddTrayIcon(form, icon, L"Quillet"));
    EXPECT_TRUE(quillet::TrayIconAdded());
    EXPECT_TRUE(TrayHolds(form));
    quillet::RemoveTrayIcon();
    EXPECT_FALSE(quillet::TrayIconAdded());
    EXPECT_FALSE(TrayHolds(form));
    quillet::RemoveTrayIcon(); // a second removal is harmless
    ::DestroyWindow(form);
}
