#pragma once
// Driving the real program's main clip window as a person would: keys and clicks through SendInput, the
// File menu by its access keys, rows and the status bar read from outside, message boxes and file dialogs
// read and answered. Shared by the end-to-end tests of the window.
#include "app/projects/frmQuilletIds.h"
#include "testkit/Dialogs.h"
#include "testkit/Input.h"
#include "testkit/ProgramUnderTest.h"
#include "testkit/RemoteControls.h"
#include "winkit/TextConv.h"
#include "winkit/Wait.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

namespace ids = quillet::frmquillet_ids;

inline constexpr DWORD kStartTimeout = 20000;
inline constexpr DWORD kActTimeout = 5000;
inline constexpr DWORD kExitTimeout = 10000;
inline const wchar_t kEmptyMarker[] = L"Empty\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0";

// WM_GETTEXT reaches the control itself; an edit's own text is not what the system keeps as its caption.
inline std::wstring Text(HWND hwnd) {
    wchar_t buffer[512] = {};
    ::SendMessageW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

inline void Send(std::vector<INPUT> inputs) {
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

inline INPUT Key(WORD vk, bool up) { return testkit::KeyInput(vk, up); }

inline void PressKey(WORD vk) { Send({Key(vk, false), Key(vk, true)}); }

// Presses `key` with `modifiers` held and keeps them down, as a hand that has not let go yet.
inline void PressHolding(const std::vector<WORD>& modifiers, WORD key) {
    std::vector<INPUT> inputs;
    for (WORD vk : modifiers)
        inputs.push_back(Key(vk, false));
    inputs.push_back(Key(key, false));
    inputs.push_back(Key(key, true));
    Send(inputs);
}

inline void Release(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (WORD vk : keys)
        inputs.push_back(Key(vk, true));
    Send(inputs);
}

// A whole key combination, pressed and let go.
inline void PressChord(const std::vector<WORD>& modifiers, WORD key) {
    PressHolding(modifiers, key);
    std::vector<WORD> reversed(modifiers.rbegin(), modifiers.rend());
    Release(reversed);
}

// For what must not happen yet: true when `happened` stayed false for the whole of `ms`. The wait is
// bounded by the condition it watches, and timing out is the expected outcome.
inline bool StaysQuiet(const std::function<bool()>& happened, DWORD ms) { return !winkit::WaitUntil(happened, ms); }

inline void TypeText(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        for (bool up : {false, true}) {
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wScan = c;
            in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            inputs.push_back(in);
        }
    }
    Send(inputs);
}

inline GUITHREADINFO GuiState(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

// What a failed step found: the front window, the window's thread state and the keys held, for the log.
inline std::string DescribeFront(HWND window) {
    const HWND front = ::GetForegroundWindow();
    const GUITHREADINFO gui = GuiState(window);
    std::string held;
    for (const auto& [vk, name] : {std::pair{VK_CONTROL, "Ctrl"}, {VK_MENU, "Alt"}, {VK_SHIFT, "Shift"}, {VK_LWIN, "Win"}})
        if (::GetAsyncKeyState(vk) & 0x8000)
            held += std::string(" ") + name;
    return "front " + winkit::ToUtf8(testkit::ClassName(front)) + " \"" + winkit::ToUtf8(testkit::WindowText(front)) +
           "\"" + (front == window ? " (the window)" : "") + ", window's thread flags " + std::to_string(gui.flags) +
           ", its focus " + winkit::ToUtf8(testkit::ClassName(gui.hwndFocus)) + " \"" +
           winkit::ToUtf8(testkit::WindowText(gui.hwndFocus)) + "\", keys held:" +
           (held.empty() ? " none" : held);
}

// Under Wine the display's reports about a dialog that went (a window that lost or took the keyboard) can
// wait until the program next draws; read inside a menu, a late "lost the keyboard" closes the menu at
// once. The window is drawn again, unchanged, and a few round trips to its thread let it read them.
inline void LetTheProgramReadTheDisplay(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    for (int trip = 0; trip < 4; ++trip) {
        DWORD_PTR answer = 0;
        ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kActTimeout, &answer);
    }
}

// Alt+letter, then the given keys once the menu is open (access keys, arrows, Enter), as a keyboard user
// picks a menu item.
inline bool MenuKeys(HWND window, WORD menuKey, const std::vector<WORD>& itemKeys) {
    DWORD program = 0;
    ::GetWindowThreadProcessId(window, &program);
    const auto menuShown = [&] {
        if ((GuiState(window).flags & GUI_INMENUMODE) == 0)
            return false;
        for (HWND popup : testkit::TopLevelWindows(program, L"#32768"))
            if (::IsWindowVisible(popup))
                return true;
        return false;
    };
    bool open = false;
    for (int tries = 0; tries < 3 && !open; ++tries) {
        if (tries > 0) {
            ::SetForegroundWindow(window);
            winkit::WaitUntil([window] { return ::GetForegroundWindow() == window; }, kActTimeout);
        }
        LetTheProgramReadTheDisplay(window);
        Send({Key(VK_MENU, false), Key(menuKey, false), Key(menuKey, true), Key(VK_MENU, true)});
        if (!winkit::WaitUntil(menuShown, kActTimeout))
            continue;
        // A report read only now still closes it; the user then opens it again.
        LetTheProgramReadTheDisplay(window);
        open = menuShown();
    }
    if (!open) {
        ADD_FAILURE() << "the menu did not open: " << DescribeFront(window);
        return false;
    }
    for (WORD key : itemKeys)
        PressKey(key);
    // A picked item closes the menu.
    if (!itemKeys.empty() &&
        !winkit::WaitUntil([window] { return (GuiState(window).flags & GUI_INMENUMODE) == 0; }, kActTimeout)) {
        ADD_FAILURE() << "the menu took no item: " << DescribeFront(window);
        return false;
    }
    return true;
}

inline bool MenuKeys(HWND window, WORD menuKey, WORD itemKey) { return MenuKeys(window, menuKey, std::vector<WORD>{itemKey}); }

inline void ClickAt(POINT at) {
    // From elsewhere each time, as a hand moves: two clicks on one spot in a row would make a double click.
    using testkit::MouseAt;
    Send({MouseAt({0, 0}), MouseAt(at), MouseAt(at, MOUSEEVENTF_LEFTDOWN), MouseAt(at, MOUSEEVENTF_LEFTUP)});
}

inline void Click(HWND control) {
    RECT rc{};
    ::GetWindowRect(control, &rc);
    ClickAt({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

inline bool BringToFront(HWND window) {
    ::SetForegroundWindow(window);
    if (winkit::WaitUntil([window] { return ::GetForegroundWindow() == window; }, kActTimeout))
        return true;
    ADD_FAILURE() << "the window did not come to the front: " << DescribeFront(window);
    return false;
}

// A message box or file dialog of the program as the user sees it: null when none came in time.
inline HWND WaitForProgramDialog(const testkit::ProgramUnderTest& program, const std::wstring& title) {
    return testkit::WaitForDialog(program.processId(), title, kActTimeout);
}

// Reads the message box the program shows under `title`, presses `button` and returns its text ("" when no
// box came).
inline std::wstring AnswerBox(const testkit::ProgramUnderTest& program, const std::wstring& title, int button) {
    HWND box = WaitForProgramDialog(program, title);
    // A box just made visible may not hold its text and buttons yet.
    testkit::DialogContents contents;
    if (!box || !winkit::WaitUntil(
                    [&] {
                        contents = testkit::ReadDialog(box);
                        return !contents.text.empty() &&
                               std::find(contents.buttons.begin(), contents.buttons.end(), button) !=
                                   contents.buttons.end();
                    },
                    kActTimeout))
        return {};
    const std::wstring text = contents.text;
    testkit::PressButton(box, button);
    winkit::WaitUntil([box] { return !::IsWindow(box) || !::IsWindowVisible(box); }, kActTimeout);
    return text;
}

// The file name box of an open or save dialog: the edit that carries the file name control's id (cmb13 of
// the explorer style, edt1 of the old one), at whatever depth the dialog nests it.
inline HWND FileNameEdit(HWND dialog) {
    struct Search {
        HWND found = nullptr;
    } search;
    ::EnumChildWindows(
        dialog,
        [](HWND child, LPARAM lp) -> BOOL {
            constexpr int kFileNameCombo = 0x47C;
            constexpr int kFileNameEdit = 0x480;
            const int id = ::GetDlgCtrlID(child);
            if ((id == kFileNameCombo || id == kFileNameEdit) && _wcsicmp(testkit::ClassName(child).c_str(), L"Edit") == 0) {
                reinterpret_cast<Search*>(lp)->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Types a file name into the file dialog titled `title` and presses Enter there; false when the dialog did
// not come or did not take the name.
inline bool AnswerFileDialog(const testkit::ProgramUnderTest& program, const std::wstring& title,
                             const std::wstring& fileName) {
    HWND dialog = WaitForProgramDialog(program, title);
    if (!dialog || !BringToFront(dialog))
        return false;
    HWND edit = FileNameEdit(dialog);
    if (!edit || !winkit::WaitUntil([edit] { return GuiState(edit).hwndFocus == edit; }, kActTimeout))
        return false;
    TypeText(fileName);
    if (!winkit::WaitUntil([&] { return Text(edit) == fileName; }, kActTimeout))
        return false;
    PressKey(VK_RETURN);
    return winkit::WaitUntil([dialog] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); }, kActTimeout);
}

// A test that starts the real program (in a fresh folder) and finds its main clip window.
class ClipWindowTest : public testing::Test {
protected:
    // Starts the program and waits until its window shows and the splash has gone.
    void StartQuillet() {
        ASSERT_TRUE(quillet_.ready());
        ASSERT_TRUE(quillet_.Start());
        window_ = quillet_.WaitForWindow(ids::kClassName, kStartTimeout);
        ASSERT_NE(window_, nullptr) << "the main clip window never appeared";
        ASSERT_TRUE(winkit::WaitUntil([this] { return ::IsWindowVisible(window_) != FALSE; }, kStartTimeout))
            << "OpenWindowAtStartup=1 shows the window at start";
        // The splash stays in front of the window for a moment; what happens next begins once it is gone.
        ASSERT_TRUE(winkit::WaitUntil(
            [this] {
                for (HWND splash : testkit::TopLevelWindows(quillet_.processId(), L"QuilletSplash"))
                    if (::IsWindowVisible(splash))
                        return false;
                return true;
            },
            kStartTimeout));
    }

    HWND control(int id) const { return ::GetDlgItem(window_, id); }
    HWND row(int n) const { return control(ids::kTxtPaste + n); }
    std::wstring title() const { return Text(window_); }
    std::wstring status() const { return testkit::StatusBarText(control(ids::kStatusBar), 1); }
    bool WaitForStatus(const std::wstring& text, DWORD timeoutMs = kActTimeout) const {
        if (winkit::WaitUntil([&] { return status() == text; }, timeoutMs))
            return true;
        ADD_FAILURE() << "no status \"" << winkit::ToUtf8(text) << "\": " << Scene();
        return false;
    }
    bool WaitForTitle(const std::wstring& text) const {
        if (winkit::WaitUntil([&] { return title() == text; }, kActTimeout))
            return true;
        ADD_FAILURE() << "no title \"" << winkit::ToUtf8(text) << "\": " << Scene();
        return false;
    }
    // What the user sees of the program when a step did not come: its title, status, visible windows.
    std::string Scene() const {
        std::string scene = "title \"" + winkit::ToUtf8(title()) + "\", status \"" + winkit::ToUtf8(status()) +
                            "\", windows:";
        for (HWND w : testkit::TopLevelWindows(quillet_.processId(), L""))
            if (::IsWindowVisible(w))
                scene += " [" + winkit::ToUtf8(testkit::ClassName(w)) + " \"" +
                         winkit::ToUtf8(testkit::WindowText(w)) + "\"]";
        return scene + "; " + DescribeFront(window_);
    }
    bool WaitForRow(int n, const std::wstring& text) const {
        return winkit::WaitUntil([&] { return Text(row(n)) == text; }, kActTimeout);
    }
    // Puts a text into a row as a paste into it would.
    void SetRow(int n, const std::wstring& text) {
        ::SendMessageW(row(n), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Opens File, then presses the given keys in it, with the window in front as the user has it.
    bool FileMenu(const std::vector<WORD>& keys) { return BringToFront(window_) && MenuKeys(window_, 'F', keys); }
    bool FileMenu(WORD key) { return FileMenu(std::vector<WORD>{key}); }

    std::wstring settingsFile() const { return quillet_.folder() + L"settings.ini"; }
    std::wstring projectsFolder() const { return quillet_.folder() + L"projects\\"; }
    std::wstring Setting(const wchar_t* section, const std::wstring& key) const {
        wchar_t text[512] = {};
        ::GetPrivateProfileStringW(section, key.c_str(), L"", text, 512, settingsFile().c_str());
        return text;
    }
    void WriteSetting(const wchar_t* section, const std::wstring& key, const std::wstring& value) const {
        ::WritePrivateProfileStringW(section, key.c_str(), value.c_str(), settingsFile().c_str());
    }
    // A program folder prepared before the first start: settings that skip the splash and show the
    // window, with the given values on top. With the file there no default settings are written, so
    // every hotkey the test needs is written too.
    void PrepareSettings(const std::vector<std::pair<const wchar_t*, std::wstring>>& quilletValues = {}) const {
        WriteSetting(L"General", L"DisableSplash", L"1");
        WriteSetting(L"General", L"OpenWindowAtStartup", L"1");
        WriteSetting(L"General", L"RunOnStartup", L"0");
        for (const auto& [key, value] : quilletValues)
            WriteSetting(L"Quillet", key, value);
    }
    // A hotkey as settings.ini keeps it: `name` is "Clip5", "HKPasteNext" and so on.
    void WriteHotkey(const std::wstring& name, int mask, int key) const {
        WriteSetting(L"Hotkeys", name + L"Mod", std::to_wstring(mask));
        WriteSetting(L"Hotkeys", name + L"Key", std::to_wstring(key));
    }

    testkit::ProgramUnderTest quillet_;
    HWND window_ = nullptr;
};

} // namespace e2e
