// Copy-click to paste: the time from a click on row 1's copy button of the real Quillet.exe until the
// text is in the target's edit control, median of 20. Beside it, in the same run, the baseline: the
// driver putting the same text on the clipboard and pressing Ctrl+V into the target itself.
#include "app/projects/frmQuilletIds.h"
#include "bench/BenchClock.h"
#include "bench/PasteStage.h"
#include "testkit/Clipboard.h"
#include "testkit/TargetWindow.h"
#include "winkit/Wait.h"

#include <cstdio>
#include <vector>

namespace ids = quillet::frmquillet_ids;

namespace {

constexpr int kRuns = 20;
const wchar_t kText[] = L"The quick brown fox";

using bench::BringToFront;
using bench::Click;
using bench::Median;
using bench::Now;

} // namespace

int main() {
    testkit::ProgramUnderTest quillet;
    const HWND window = bench::StartQuillet(quillet, "paste_bench");
    if (!window)
        return 1;
    testkit::TargetWindow target(L"Bench target");
    ::SetWindowPos(target.hwnd(), nullptr, 40, 40, 360, 120, SWP_NOZORDER);
    target.Activate();
    // The program notices the window in front on its own; wait until it names the target.
    bench::WaitUntilLabelNames(window, L"Bench target", 5000);
    HWND row = ::GetDlgItem(window, ids::kTxtPaste + 1);
    HWND copy = ::GetDlgItem(window, ids::kImgCopy + 1);
    ::SendMessageW(row, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kText));

    std::vector<double> viaQuillet, baseline;
    for (int i = 0; i < kRuns; ++i) {
        target.clear();
        if (!BringToFront(window)) {
            std::fprintf(stderr, "paste_bench: run %d: the main clip window would not come to the front\n", i + 1);
            return 1;
        }
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
        bench::TapWithCtrl('V');
        if (!winkit::WaitUntil([&] { return target.text() == kText; }, 5000, 0)) {
            std::fprintf(stderr, "paste_bench: run %d: the driver's own Ctrl+V did not arrive\n", i + 1);
            return 1;
        }
        baseline.push_back(Now() - direct);
    }
    const double q = Median(viaQuillet), b = Median(baseline);
    std::printf("copy click -> text in target (median of %d): %.1f ms\n", kRuns, q);
    std::printf("baseline, Ctrl+V sent by the driver itself:   %.1f ms\n", b);
    std::printf("ratio: %.1fx\n", b > 0 ? q / b : 0.0);
    return 0;
}
