#pragma once
// What the clipboard tests do as another program or as the user would: put and read text (testkit), and
// answer every message box that comes up while an action runs.
#include "testkit/Clipboard.h"
#include "testkit/Dialogs.h"
#include "winkit/Scoped.h"
#include "winkit/TextConv.h"

#include <windows.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace apptest {

using testkit::ClipboardBytes;
using testkit::ClipboardHas;
using testkit::EmptyTheClipboard;
using testkit::PutClipboardText;

// The Unicode text on the clipboard, read as another program would; empty when there is none.
inline std::wstring ClipboardUnicodeText() { return testkit::ClipboardText().value_or(L""); }

// Runs `action` on this thread while another thread, acting as the user, reads every message box of
// this process and presses its first button. Returns the boxes in the order they came.
inline std::vector<testkit::DialogContents> AnsweringDialogs(const std::function<void()>& action) {
    std::vector<testkit::DialogContents> seen;
    std::atomic<bool> done{false};
    std::thread user([&] {
        std::set<HWND> answered;
        const DWORD pid = ::GetCurrentProcessId();
        while (!done) {
            for (HWND box : testkit::TopLevelWindows(pid, L"#32770")) {
                if (!::IsWindowVisible(box) || answered.count(box))
                    continue;
                answered.insert(box);
                testkit::DialogContents contents = testkit::ReadDialog(box);
                seen.push_back(contents);
                testkit::PressButton(box, contents.buttons.empty() ? IDOK : contents.buttons.front());
            }
            ::Sleep(5);
        }
    });
    action();
    done = true;
    user.join();
    return seen;
}

} // namespace apptest
