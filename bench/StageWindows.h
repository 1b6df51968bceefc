#pragma once
// What the screenshot stages share: the start of the real program up to its main window, the placing of
// windows for the capture, and the hand-shake with the script (a file the stage makes when the screen is
// ready, a file the script makes when the picture is taken).
//
// Under Wine without a window manager, a window that lies wholly inside another window of the same
// program reaches the screen black (it paints, but the capture shows nothing of it) until the windows
// overlap only in part. The stages therefore set the main window aside before a form opens over it, and
// shift a dialog so that it stands out of its form.
#include "app/projects/frmQuilletIds.h"
#include "testkit/Dialogs.h"
#include "testkit/Files.h"
#include "testkit/ProgramUnderTest.h"
#include "testkit/RemoteControls.h"
#include "winkit/Wait.h"

#include <windows.h>

namespace stage {

// Starts the program and waits for its main window, shown and with the splash gone; null if it failed.
inline HWND StartToMainWindow(testkit::ProgramUnderTest& quillet) {
    if (!quillet.ready() || !quillet.Start())
        return nullptr;
    HWND window = quillet.WaitForWindow(quillet::frmquillet_ids::kClassName, 20000);
    if (!window || !winkit::WaitUntil([&] { return ::IsWindowVisible(window) != FALSE; }, 20000))
        return nullptr;
    winkit::WaitUntil([&] { return testkit::TopLevelWindows(quillet.processId(), L"QuilletSplash").empty(); }, 20000);
    ::SetWindowPos(window, nullptr, 20, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return window;
}

// Moves a dialog by (dx, dy) from where its form put it.
inline void Shift(HWND dialog, int dx, int dy) {
    RECT r{};
    ::GetWindowRect(dialog, &r);
    ::SetWindowPos(dialog, nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

inline void Touch(const wchar_t* path) {
    HANDLE f = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f != INVALID_HANDLE_VALUE)
        ::CloseHandle(f);
}

// Brings the window forward, tells the script the screen is ready and waits until the picture is taken.
inline void Pose(HWND window, const wchar_t* ready, const wchar_t* taken) {
    ::SetForegroundWindow(window);
    Touch(ready);
    winkit::WaitUntil([&] { return testkit::FileExists(taken); }, 60000, 50);
}

inline void Command(HWND window, int id) {
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

} // namespace stage
