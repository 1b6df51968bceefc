#pragma once
// The stage the paste benchmarks share: the real Quillet.exe started in a fresh program folder with its
// main clip window up, and a driver that brings windows to the front, clicks controls and reads what
// Quillet's label says about the window it will paste into.
#include "app/projects/frmQuilletIds.h"
#include "testkit/Dialogs.h"
#include "testkit/Input.h"
#include "testkit/ProgramUnderTest.h"
#include "winkit/Wait.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace bench {

inline constexpr DWORD kStageTimeoutMs = 20000;

inline std::wstring WindowText(HWND hwnd) {
    wchar_t buffer[256] = {};
    ::SendMessageW(hwnd, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

inline bool BringToFront(HWND window) {
    ::SetForegroundWindow(window);
    return winkit::WaitUntil([window] { return ::GetForegroundWindow() == window; }, 5000);
}

// Each mouse event carries its own position, so a pointer report of the display cannot move the click.
inline void Click(HWND control) {
    RECT rc{};
    ::GetWindowRect(control, &rc);
    const POINT at{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    INPUT in[3] = {testkit::MouseAt({0, 0}), testkit::MouseAt(at, MOUSEEVENTF_LEFTDOWN),
                   testkit::MouseAt(at, MOUSEEVENTF_LEFTUP)};
    ::SendInput(3, in, sizeof(INPUT));
}

// Ctrl held around one key, pressed and let go at once as a user taps it.
inline void TapWithCtrl(WORD vk) {
    testkit::SendKeys({{VK_CONTROL, true}, {vk, true}, {vk, false}, {VK_CONTROL, false}});
}

// The label of the main window names the window a paste goes to; it follows the front window.
inline bool WaitUntilLabelNames(HWND mainWindow, const std::wstring& title, DWORD timeoutMs) {
    const HWND label = ::GetDlgItem(mainWindow, quillet::frmquillet_ids::kLblWindow);
    const std::wstring name = L"Last Active Window: " + title;
    return winkit::WaitUntil([&] { return WindowText(label) == name; }, timeoutMs);
}

// Starts the program (its settings.ini already written, if wanted) and waits until its main clip window
// is shown and no splash covers it; null after a message naming `who` when it does not come up.
inline HWND StartQuillet(testkit::ProgramUnderTest& quillet, const char* who) {
    if (!quillet.ready() || !quillet.Start()) {
        std::fprintf(stderr, "%s: Quillet.exe could not be started\n", who);
        return nullptr;
    }
    const HWND window = quillet.WaitForWindow(quillet::frmquillet_ids::kClassName, kStageTimeoutMs);
    const bool up = window && winkit::WaitUntil(
                                  [&] {
                                      if (!::IsWindowVisible(window))
                                          return false;
                                      for (HWND s : testkit::TopLevelWindows(quillet.processId(), L"QuilletSplash"))
                                          if (::IsWindowVisible(s))
                                              return false;
                                      return true;
                                  },
                                  kStageTimeoutMs);
    if (!up) {
        std::fprintf(stderr, "%s: the main clip window did not come up\n", who);
        return nullptr;
    }
    return window;
}

} // namespace bench
