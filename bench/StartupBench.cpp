// Start-up: from starting the real Quillet.exe (in a fresh program folder, a target window in front) to
// its hidden main form existing, to the main clip window shown, and to a tapped Ctrl+1 pasting clip 1
// into the target; median of 10, without and with the splash. Beside it, in the same run, a trivial
// Win32 program's start to its window shown.
#include "app/projects/ClipProject.h"
#include "app/projects/ProjectFile.h"
#include "app/projects/frmQuilletIds.h"
#include "app/shell/modInitialization.h"
#include "bench/BenchClock.h"
#include "testkit/Dialogs.h"
#include "testkit/Files.h"
#include "testkit/Input.h"
#include "testkit/ProgramUnderTest.h"
#include "testkit/TargetWindow.h"
#include "winkit/ModulePath.h"
#include "winkit/Scoped.h"
#include "winkit/Wait.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

namespace ids = quillet::frmquillet_ids;

namespace {

using bench::Median;
using bench::Now;

constexpr DWORD kStartLimitMs = 60000;
const wchar_t kClip[] = L"started";

bool Visible(DWORD pid, const wchar_t* className) {
    for (HWND w : testkit::TopLevelWindows(pid, className))
        if (::IsWindowVisible(w))
            return true;
    return false;
}

struct Run {
    double form = 0, window = 0, hotkey = 0;
    bool ok = false;
};

Run StartQuillet(bool splash) {
    Run run;
    testkit::ProgramUnderTest quillet;
    if (!quillet.ready())
        return run;
    const std::wstring ini = quillet.folder() + L"settings.ini";
    for (const auto& [section, key, value] :
         {std::tuple{L"General", L"DisableSplash", splash ? L"0" : L"1"},
          std::tuple{L"General", L"OpenWindowAtStartup", L"1"}, std::tuple{L"General", L"RunOnStartup", L"0"},
          std::tuple{L"Quillet", L"AutoPaste", L"1"}, std::tuple{L"Hotkeys", L"Clip1Mod", L"2"},
          std::tuple{L"Hotkeys", L"Clip1Key", L"49"}})
        ::WritePrivateProfileStringW(section, key, value, ini.c_str());
    ::CreateDirectoryW((quillet.folder() + L"projects").c_str(), nullptr);
    quillet::ClipProject project;
    project.CleanUp();
    project.slot(1).text = kClip;
    if (!quillet::SaveProject(project, quillet.folder() + L"projects\\default.ql"))
        return run;
    testkit::TargetWindow target(L"Start-up target");
    if (!target.Activate())
        return run;

    const double start = Now();
    if (!quillet.Start())
        return run;
    const DWORD pid = quillet.processId();
    HWND form = nullptr;
    double lastTap = 0;
    // Ctrl+1 is tapped over and over, as an impatient user would, until the clip arrives; taps before the
    // hotkey exists reach the target as a plain Ctrl+1, which types nothing.
    const bool done = winkit::WaitUntil(
        [&] {
            const double now = Now();
            if (!form) {
                form = quillet.WaitForWindow(L"QuilletMainForm", 0);
                if (form)
                    run.form = now - start;
            }
            if (run.window == 0 && Visible(pid, ids::kClassName))
                run.window = now - start;
            // Taps keep coming until the clip is seen, so a second paste may follow the first at once.
            if (run.hotkey == 0 && target.text().find(kClip) != std::wstring::npos)
                run.hotkey = now - start;
            if (run.hotkey == 0 && now - lastTap >= 10) {
                lastTap = now;
                testkit::SendKeys({{VK_CONTROL, true}, {'1', true}, {'1', false}, {VK_CONTROL, false}});
            }
            return run.window > 0 && run.hotkey > 0;
        },
        kStartLimitMs, 1);
    run.ok = done && form;
    return run;
}

// The baseline: a program that only registers a class and shows a window.
double StartTrivial(const std::wstring& exe) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::wstring command = L"\"" + exe + L"\"";
    const double start = Now();
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    winkit::ScopedHandle process(pi.hProcess), thread(pi.hThread);
    double shown = -1;
    winkit::WaitUntil(
        [&] {
            if (Visible(pi.dwProcessId, L"QuilletTrivialWindow"))
                shown = Now() - start;
            return shown >= 0;
        },
        kStartLimitMs, 1);
    ::TerminateProcess(process.get(), 0);
    ::WaitForSingleObject(process.get(), 5000);
    return shown;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    // Saving the start-up project goes through a temporary file of the saving program's own.
    testkit::TempFolder work{L"quillet-startup-bench"};
    quillet::TempFolder = work.path();
    std::wstring here = winkit::ModulePath(nullptr);
    here.erase(here.find_last_of(L'\\') + 1);
    const std::wstring trivial = here + L"trivial_window.exe";
    std::vector<double> baseline;
    std::vector<double> form[2], window[2], hotkey[2];
    for (int i = 0; i < runs; ++i) {
        const double b = StartTrivial(trivial);
        if (b < 0) {
            std::fprintf(stderr, "startup_bench: %ls did not show its window\n", trivial.c_str());
            return 1;
        }
        baseline.push_back(b);
        for (int splash = 0; splash < 2; ++splash) {
            const Run run = StartQuillet(splash != 0);
            if (!run.ok) {
                std::fprintf(stderr,
                             "startup_bench: run %d (%s the splash): Quillet did not come up and paste (form %.0f, "
                             "window %.0f, paste %.0f ms)\n",
                             i + 1, splash ? "with" : "without", run.form, run.window, run.hotkey);
                return 1;
            }
            form[splash].push_back(run.form);
            window[splash].push_back(run.window);
            hotkey[splash].push_back(run.hotkey);
        }
    }
    std::printf("median of %d, ms                 without splash   with splash\n", runs);
    std::printf("start -> hidden main form exists      %8.0f      %8.0f\n", Median(form[0]), Median(form[1]));
    std::printf("start -> main clip window shown       %8.0f      %8.0f\n", Median(window[0]), Median(window[1]));
    std::printf("start -> Ctrl+1 pastes into target    %8.0f      %8.0f\n", Median(hotkey[0]), Median(hotkey[1]));
    std::printf("baseline: trivial program's window    %8.0f\n", Median(baseline));
    std::printf("ratio, window shown without splash:   %.1fx\n", Median(window[0]) / Median(baseline));
    return 0;
}
