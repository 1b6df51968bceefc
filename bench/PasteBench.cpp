// Copy-click to paste: the time from a click on row 1's copy button of the real Quillet.exe until the
// text is in the target's edit control, median of 20. Beside it, in the same run, the baseline: the
// driver putting the same text on the clipboard and pressing Ctrl+V into the target itself.
#include "app/projects/frmQuilletIds.h"
#include "bench/BenchClock.h"
#include "testkit/Clipboard.h"
#include "testkit/Dialogs.h"
#include "testkit/Input.h"
#include "testkit/ProgramUnderTest.h"
#include "testkit/TargetWindow.h"
#include "winkit/Wait.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace ids = quillet::frmquillet_ids;

namespace {

constexpr int kRuns = 20;
const wchar_t kText[] = L"The quick brown fox";

using bench::Median;
using bench::Now;

bool BringToFront(HWND window) {
    ::SetForegroundWindow(window);
    return winkit::WaitUntil([window] { return ::GetForegroundWindow() == window; }, 5000);
}

// Each mouse event carries its own position, so a pointer report of the display cannot move the click.
void Click(HWND control) {
    RECT rc{};
    ::GetWindowRect(control, &rc);
    const POINT at{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    INPUT in[3] = {testkit::MouseAt({0, 0}), testkit::MouseAt(at, MOUSEEVENTF_LEFTDOWN),
                   testkit::MouseAt(at, MOUSEEVENTF_LEFTUP)};
    ::SendInput(3, in, sizeof(INPUT));
}

void CtrlV() {
    INPUT in[4]{};
    for (auto& i : in)
        i.type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[3].ki.wVk = VK_CONTROL;
    in[1].ki.wVk = in[2].ki.wVk = 'V';
    in[2].ki.dwFlags = in[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(4, in, sizeof(INPUT));
}

} // namespace

int main() {
    testkit::ProgramUnderTest quillet;
    if (!quillet.ready() || !quillet.Start()) {
        std::fprintf(stderr, "paste_bench: Quillet.exe could not be started\n");
        return 1;
    }
    HWND window = quillet.WaitForWindow(ids::kClassName, 20000);
    const bool up = window && winkit::WaitUntil(
                                  [&] {
                                      if (!::IsWindowVisible(window))
                                          return false;
                                      for (HWND s : testkit::TopLevelWindows(quillet.processId(), L"QuilletSplash"))
                                          if (::IsWindowVisible(s))
                                              return false;
                                      return true;
                                  },
                                  20000);
    if (!up) {
        std::fprintf(stderr, "paste_bench: the main clip window did not come up\n");
        return 1;
    }
    testkit::TargetWindow target(L"Bench target");
    ::SetWindowPos(target.hwnd(), nullptr, 40, 40, 360, 120, SWP_NOZORDER);
    target.Activate();
    // The program notices the window in front by polling; wait until it names the target.
    HWND label = ::GetDlgItem(window, ids::kLblWindow);
    winkit::WaitUntil(
        [&] {
            wchar_t text[128] = {};
            ::SendMessageW(label, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text));
            return std::wcscmp(text, L"Last Active Window: Bench target") == 0;
        },
        5000);
    HWND row = ::GetDlgItem(window, ids::kTxtPaste + 1);
    HWND copy = ::GetDlgItem(window, ids::kImgCopy + 1);
    ::SendMessageW(row, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kText));

    std::vector<double> viaQuillet, baseline;
    for (int i = 0; i < kRuns; ++i) {
        target.clear();
        if (!BringToFront(window))
            return 1;
        const double start = Now();
        Click(copy);
        if (!winkit::WaitUntil([&] { return target.text() == kText; }, 5000, 0)) {
            std::fprintf(stderr, "paste_bench: run %d did not arrive\n", i + 1);
            return 1;
        }
        viaQuillet.push_back(Now() - start);

        target.clear();
        testkit::PutClipboardText(kText);
        target.Activate();
        const double direct = Now();
        CtrlV();
        if (!winkit::WaitUntil([&] { return target.text() == kText; }, 5000, 0))
            return 1;
        baseline.push_back(Now() - direct);
    }
    const double q = Median(viaQuillet), b = Median(baseline);
    std::printf("copy click -> text in target (median of %d): %.1f ms\n", kRuns, q);
    std::printf("baseline, Ctrl+V sent by the driver itself:   %.1f ms\n", b);
    std::printf("ratio: %.1fx\n", b > 0 ? q / b : 0.0);
    return 0;
}
