// Clip hotkey to paste: the time from letting go of Ctrl after Ctrl+1 until clip 1's text is in the
// target's edit control (and, beside it, until it is on the clipboard), median of 20, with the real
// Quillet.exe in a fresh program folder.
#include "app/projects/frmQuilletIds.h"
#include "bench/BenchClock.h"
#include "testkit/Dialogs.h"
#include "testkit/Input.h"
#include "testkit/ProgramUnderTest.h"
#include "testkit/TargetWindow.h"
#include "winkit/Wait.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace ids = quillet::frmquillet_ids;

namespace {

constexpr int kRuns = 20;
const wchar_t kText[] = L"The quick brown fox";
// How long the hand keeps Ctrl down after pressing 1, as a person does; the hotkey is in by then.
constexpr DWORD kHoldMs = 150;

using bench::Median;
using bench::Now;

std::wstring Text(HWND hwnd) {
    wchar_t buffer[256] = {};
    ::SendMessageW(hwnd, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

} // namespace

int main() {
    testkit::ProgramUnderTest quillet;
    if (!quillet.ready()) {
        std::fprintf(stderr, "hotkey_bench: the program folder could not be prepared\n");
        return 1;
    }
    // Only what the run needs: no splash, the window shown, auto paste on, Ctrl+1 on clip 1.
    const std::wstring ini = quillet.folder() + L"settings.ini";
    for (const auto& [section, key, value] :
         {std::tuple{L"General", L"DisableSplash", L"1"}, std::tuple{L"General", L"OpenWindowAtStartup", L"1"},
          std::tuple{L"General", L"RunOnStartup", L"0"}, std::tuple{L"Quillet", L"AutoPaste", L"1"},
          std::tuple{L"Hotkeys", L"Clip1Mod", L"2"}, std::tuple{L"Hotkeys", L"Clip1Key", L"49"}})
        ::WritePrivateProfileStringW(section, key, value, ini.c_str());
    if (!quillet.Start()) {
        std::fprintf(stderr, "hotkey_bench: Quillet.exe could not be started\n");
        return 1;
    }
    HWND window = quillet.WaitForWindow(ids::kClassName, 20000);
    if (!window || !winkit::WaitUntil([&] { return ::IsWindowVisible(window) != FALSE; }, 20000)) {
        std::fprintf(stderr, "hotkey_bench: the main clip window did not come up\n");
        return 1;
    }
    ::SendMessageW(::GetDlgItem(window, ids::kTxtPaste + 1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kText));
    testkit::TargetWindow target(L"Bench target");
    ::SetWindowPos(target.hwnd(), nullptr, 40, 40, 360, 120, SWP_NOZORDER);
    HWND label = ::GetDlgItem(window, ids::kLblWindow);
    // The program may still bring its own window up after the target came first; bring it back until the
    // program has taken it for the last active window.
    bool seen = false;
    for (int tries = 0; tries < 10 && !seen; ++tries) {
        target.Activate();
        seen = winkit::WaitUntil([&] { return Text(label) == L"Last Active Window: Bench target"; }, 500);
    }
    if (!seen) {
        std::fprintf(stderr, "hotkey_bench: the program never saw the target in front\n");
        return 1;
    }

    std::vector<double> toClipboard, toTarget;
    int missed = 0;
    for (int i = 0; i < kRuns; ++i) {
        target.clear();
        target.Activate();
        const DWORD sequence = ::GetClipboardSequenceNumber();
        testkit::SendKeys({{VK_CONTROL, true}, {'1', true}, {'1', false}});
        winkit::WaitUntil([] { return false; }, kHoldMs); // the hand still on Ctrl, messages running
        const double released = Now();
        testkit::SendKeys({{VK_CONTROL, false}});
        if (!winkit::WaitUntil([&] { return ::GetClipboardSequenceNumber() != sequence; }, 5000, 0)) {
            std::fprintf(stderr, "hotkey_bench: run %d: nothing was copied\n", i + 1);
            return 1;
        }
        toClipboard.push_back(Now() - released);
        if (winkit::WaitUntil([&] { return target.text() == kText; }, 3000, 0))
            toTarget.push_back(Now() - released);
        else
            ++missed;
    }
    std::printf("Ctrl released -> text on the clipboard (median of %d): %.1f ms\n", kRuns, Median(toClipboard));
    std::printf("Ctrl released -> text in the target    (median of %zu): %.1f ms\n", toTarget.size(),
                Median(toTarget));
    if (missed)
        std::printf("runs whose paste never reached the target: %d of %d\n", missed, kRuns);

    // Ctrl+1 tapped, as most people press it, beside the driver's own Ctrl+V into the same window with
    // the clip's text already on the clipboard.
    const auto timedKeys = [&](const std::vector<std::pair<WORD, bool>>& keys, std::vector<double>& times) {
        target.clear();
        target.Activate();
        const double pressed = Now();
        testkit::SendKeys(keys);
        if (!winkit::WaitUntil([&] { return target.text() == kText; }, 3000, 0))
            return false;
        times.push_back(Now() - pressed);
        return true;
    };
    std::vector<double> tapped, plainPaste;
    for (int i = 0; i < kRuns; ++i) {
        if (!timedKeys({{VK_CONTROL, true}, {'1', true}, {'1', false}, {VK_CONTROL, false}}, tapped))
            ++missed;
        // The program's paste has ended (the text is there); the driver's own paste is the baseline.
        timedKeys({{VK_CONTROL, true}, {'V', true}, {'V', false}, {VK_CONTROL, false}}, plainPaste);
    }
    const auto p95 = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0.0 : v[(v.size() * 95) / 100 < v.size() ? (v.size() * 95) / 100 : v.size() - 1];
    };
    std::printf("Ctrl+1 tapped -> text in the target    (of %zu): median %.1f ms, p95 %.1f ms\n", tapped.size(),
                Median(tapped), p95(tapped));
    std::printf("driver's own Ctrl+V -> text in target  (of %zu): median %.1f ms, p95 %.1f ms (the baseline)\n",
                plainPaste.size(), Median(plainPaste), p95(plainPaste));
    if (missed)
        std::printf("runs whose paste never reached the target: %d\n", missed);
    return 0;
}
