// Puts the real Quillet.exe's settings dialog on screen, one page after another, for screenshots. For page
// n it writes the dialog's screen rectangle ("x y width height") to READY-PREFIX + n, then waits for
// DONE-PREFIX + n before it turns to the next page; after the last it ends the program.
#include "app/shell/frmSettings.h"
#include "bench/StageWindows.h"
#include "testkit/FileContents.h"
#include "testkit/Input.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

namespace ids = quillet::frmquillet_ids;
using S = quillet::frmSettings;

namespace {

HWND ShownSettings(DWORD pid) {
    for (HWND w : testkit::TopLevelWindows(pid, L"QuilletSettings"))
        if (::IsWindowVisible(w))
            return w;
    return nullptr;
}

bool Click(POINT at) {
    INPUT inputs[] = {testkit::MouseAt(at, MOUSEEVENTF_MOVE), testkit::MouseAt(at, MOUSEEVENTF_LEFTDOWN),
                      testkit::MouseAt(at, MOUSEEVENTF_LEFTUP)};
    return ::SendInput(3, inputs, sizeof(INPUT)) == 3;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: settings_stage READY-PREFIX DONE-PREFIX\n");
        return 2;
    }
    testkit::ProgramUnderTest quillet;
    HWND window = stage::StartToMainWindow(quillet);
    if (!window)
        return 1;
    // Options > Settings, as the menu sends it.
    stage::Command(window, ids::mnuSettings);
    HWND dialog = nullptr;
    if (!winkit::WaitUntil([&] { return (dialog = ShownSettings(quillet.processId())) != nullptr; }, 10000))
        return 1;
    ::SetForegroundWindow(dialog);
    HWND strip = ::GetDlgItem(dialog, S::tabs);
    RECT tabsRect{};
    ::GetWindowRect(strip, &tabsRect);
    Click({tabsRect.left + 14, tabsRect.top + 10});
    for (int page = 0; page < S::kTabCount; ++page) {
        if (page > 0)
            testkit::PressKey(VK_RIGHT);
        if (!winkit::WaitUntil([&] { return ::SendMessageW(strip, TCM_GETCURSEL, 0, 0) == page; }, 5000))
            return 1;
        // Painted once the page's frame shows and the window has nothing left to paint.
        winkit::WaitUntil([&] { return ::GetUpdateRect(dialog, nullptr, FALSE) == FALSE; }, 2000);
        RECT r{};
        ::GetWindowRect(dialog, &r);
        const std::string place = std::to_string(r.left) + " " + std::to_string(r.top) + " " +
                                  std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top) + "\n";
        const std::wstring n = std::to_wstring(page);
        if (!testkit::WriteFileBytes(argv[1] + n, place))
            return 1;
        if (!winkit::WaitUntil([&] { return testkit::FileExists(argv[2] + n); }, 60000, 50))
            return 1;
    }
    return 0;
}
