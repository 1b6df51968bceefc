// The settings dialog of the real program as a person uses it: opened by its hotkey, from the main
// window's Options menu and from the clipboard menu; its changes taking effect at OK and Apply, Escape's
// question, and the hotkeys the system would not take named to the user.
#include "app/menu/frmMain.h"
#include "app/paste/frmProperties.h"
#include "app/shell/frmSettings.h"
#include "e2e/ClipWindowDriver.h"
#include "testkit/FileContents.h"
#include "winkit/TextConv.h"

#include <commctrl.h>

using namespace e2e;
using S = quillet::frmSettings;

namespace {

constexpr int kHotkeysTab = 4;
constexpr int kClipEditTab = 1;
constexpr int kPastingTab = 2;

std::string FileBytes(const std::wstring& path) {
    return testkit::ReadFileBytes(path);
}

// Whether another program could take the combination now: the system refuses one somebody holds.
bool CombinationFree(UINT modifiers, UINT key) {
    if (!::RegisterHotKey(nullptr, 0x7000, modifiers, key))
        return false;
    ::UnregisterHotKey(nullptr, 0x7000);
    return true;
}

class SettingsDialog : public ClipWindowTest {
protected:
    HWND WaitForDialogShown() {
        HWND found = nullptr;
        winkit::WaitUntil(
            [&] {
                for (HWND w : testkit::TopLevelWindows(quillet_.processId(), L"QuilletSettings"))
                    if (::IsWindowVisible(w) && testkit::WindowText(w) == L"Quillet Settings")
                        found = w;
                return found != nullptr;
            },
            kActTimeout);
        dialog_ = found;
        return found;
    }
    bool WaitForDialogHidden() const {
        return winkit::WaitUntil([&] { return !::IsWindowVisible(dialog_); }, kActTimeout);
    }
    HWND item(int id) const { return ::GetDlgItem(dialog_, id); }
    bool Checked(int id) const { return ::SendMessageW(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool SetCheck(int id, bool on) {
        if (Checked(id) != on)
            Click(item(id));
        return winkit::WaitUntil([&] { return Checked(id) == on; }, kActTimeout);
    }
    LRESULT SelectedCode(int box) const {
        const LRESULT index = ::SendMessageW(item(S::mKey(box)), CB_GETCURSEL, 0, 0);
        return index < 0 ? -1 : ::SendMessageW(item(S::mKey(box)), CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    }
    // A click on the first tab, then the arrow keys, as a keyboard user steps through the pages.
    bool ShowTab(int page) {
        HWND strip = item(S::tabs);
        RECT r{};
        ::GetWindowRect(strip, &r);
        // The dialog may just be coming to the front; a user whose click did not take clicks again.
        bool focused = false;
        for (int tries = 0; tries < 3 && !focused; ++tries) {
            winkit::WaitUntil([&] { return ::GetForegroundWindow() == dialog_; }, kActTimeout);
            ClickAt({r.left + 14, r.top + 10});
            focused = winkit::WaitUntil([&] { return GuiState(dialog_).hwndFocus == strip; }, 2000);
        }
        if (!focused)
            return false;
        for (int i = 0; i < page; ++i)
            PressKey(VK_RIGHT);
        return winkit::WaitUntil(
            [&] {
                return ::SendMessageW(strip, TCM_GETCURSEL, 0, 0) == page &&
                       ::IsWindowVisible(item(page == kHotkeysTab ? S::fraHotkeys : S::fraQuilleter + page));
            },
            kActTimeout);
    }
    // Drops the box's key list with a click and picks the entry `letter` by typing it. From the top of the
    // list, so that "h" finds the letter and not "HOME" further down.
    bool ChooseKey(int box, wchar_t letter, int code) {
        HWND list = item(S::mKey(box));
        Click(list);
        if (!winkit::WaitUntil([&] { return ::SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) != 0; }, kActTimeout))
            return false;
        PressKey(VK_HOME);
        TypeText(std::wstring(1, letter));
        if (!winkit::WaitUntil([&] { return SelectedCode(box) == code; }, kActTimeout))
            return false;
        // Typing may already have closed the list; F4 closes one still open and keeps the choice.
        if (::SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) != 0)
            PressKey(VK_F4);
        return winkit::WaitUntil([&] { return ::SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) == 0; }, kActTimeout) &&
               ::IsWindowVisible(dialog_) && SelectedCode(box) == code;
    }
    // The dialog saves without looking at its messages in between: a message sent to it is answered only
    // once the save is over and the file is complete.
    void SaveDone() const {
        DWORD_PTR unused = 0;
        ::SendMessageTimeoutW(dialog_, WM_NULL, 0, 0, SMTO_BLOCK, kActTimeout, &unused);
    }
    bool Topmost() const { return (::GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

    HWND dialog_ = nullptr;
};

// The settings hotkey opens the dialog; moving it from Ctrl+Alt+S to Ctrl+Alt+O with OK frees the old keys
// and makes the new ones open it; a hotkey the user leaves alone (Alt+Shift+X) survives the save as it
// was, and a box given another box's keys is named to the user while every other hotkey keeps working.
TEST_F(SettingsDialog, HotkeyOpensItAndChangedHotkeysTakeOverAtOk) {
    PrepareSettings();
    WriteHotkey(L"HKShowQL", 3, 'H');
    WriteHotkey(L"HKGlobalMenu", 3, 'G');
    WriteHotkey(L"HKPasteNext", 2, 'Q');
    WriteHotkey(L"HKPasteMenu", 5, 'X');
    WriteHotkey(L"HKSettings", 3, 'S');
    StartQuillet();

    PressChord({VK_CONTROL, VK_MENU}, 'S');
    ASSERT_NE(WaitForDialogShown(), nullptr) << "Ctrl+Alt+S opens the settings dialog";
    ASSERT_TRUE(ShowTab(kHotkeysTab));
    EXPECT_TRUE(Checked(S::chkAlt(3)) && Checked(S::chkShift(3)) && !Checked(S::chkControl(3)));
    EXPECT_EQ(SelectedCode(3), 'X');
    EXPECT_TRUE(Checked(S::chkAlt(4)) && Checked(S::chkControl(4)) && !Checked(S::chkShift(4)));
    EXPECT_EQ(SelectedCode(4), 'S');

    ASSERT_TRUE(ChooseKey(4, L'o', 'O'));
    // Paste next gets the keys of "Show Quillet main window".
    ASSERT_TRUE(SetCheck(S::chkAlt(2), true));
    ASSERT_TRUE(ChooseKey(2, L'h', 'H'));
    Click(item(S::cmdOK));
    const std::wstring refused = AnswerBox(quillet_, L"Quillet", IDOK);
    EXPECT_NE(refused.find(L"Paste next clip"), std::wstring::npos) << winkit::ToUtf8(refused);
    EXPECT_EQ(refused.find(L"Display Settings"), std::wstring::npos);
    EXPECT_EQ(refused.find(L"Show Quillet main window"), std::wstring::npos);
    ASSERT_TRUE(WaitForDialogHidden());

    EXPECT_EQ(Setting(L"Hotkeys", L"HKSettingsMod"), L"3");
    EXPECT_EQ(Setting(L"Hotkeys", L"HKSettingsKey"), L"79");
    EXPECT_EQ(Setting(L"Hotkeys", L"HKPasteMenuMod"), L"5");
    EXPECT_EQ(Setting(L"Hotkeys", L"HKPasteMenuKey"), L"88");
    EXPECT_EQ(Setting(L"Hotkeys", L"HKPasteNextMod"), L"3");
    EXPECT_TRUE(CombinationFree(MOD_CONTROL | MOD_ALT, 'S')) << "the old settings hotkey is given up";
    EXPECT_FALSE(CombinationFree(MOD_CONTROL | MOD_ALT, 'O'));
    EXPECT_FALSE(CombinationFree(MOD_ALT | MOD_SHIFT, 'X')) << "the paste menu hotkey is still held";
    EXPECT_FALSE(CombinationFree(MOD_CONTROL | MOD_ALT, 'G'));
    EXPECT_TRUE(CombinationFree(MOD_CONTROL, 'Q')) << "paste next's old keys are given up";

    PressChord({VK_CONTROL, VK_MENU}, 'S');
    EXPECT_TRUE(StaysQuiet([&] { return ::IsWindowVisible(dialog_) != FALSE; }, 300));
    PressChord({VK_CONTROL, VK_MENU}, 'O');
    ASSERT_NE(WaitForDialogShown(), nullptr) << "Ctrl+Alt+O opens the settings dialog";
    EXPECT_EQ(SelectedCode(4), 'O');
    Click(item(S::cmdCancel));
    EXPECT_TRUE(WaitForDialogHidden());
}

// From the main window's Options menu: Apply writes and keeps the dialog open with the user's values
// (turning "Remember font" off forgets the remembered font); Escape asks, and No leaves the file byte for
// byte as it was and the next opening shows what is stored. The main window, kept on top by its toolbar
// button, leaves the top layer while the dialog is open and comes back to it after.
TEST_F(SettingsDialog, ApplyKeepsItOpenAndEscapeWithNoKeepsTheFile) {
    PrepareSettings({{L"RememberFontSettings", L"1"},
                     {L"DefaultFontName", L"Arial"},
                     {L"DefaultFontSize", L"12"},
                     {L"AskClearingClip", L"1"},
                     {L"QLAlwaysOnTop", L"1"}});
    StartQuillet();

    ASSERT_TRUE(BringToFront(window_) && MenuKeys(window_, 'O', 'S'));
    ASSERT_NE(WaitForDialogShown(), nullptr) << "Options > Settings opens the dialog";
    EXPECT_FALSE(Topmost());
    ASSERT_TRUE(ShowTab(kClipEditTab));
    EXPECT_TRUE(Checked(S::optAskClear));
    ASSERT_TRUE(SetCheck(S::chkRememberDefaultFont, false));
    Click(item(S::cmdApply));
    EXPECT_TRUE(winkit::WaitUntil(
        [&] {
            return Setting(L"Quillet", L"DefaultFontName") == L"0" && Setting(L"Quillet", L"DefaultFontSize") == L"0" &&
                   Setting(L"Quillet", L"RememberFontSettings") == L"0";
        },
        kActTimeout));
    SaveDone();
    EXPECT_TRUE(::IsWindowVisible(dialog_)) << "Apply keeps the dialog open";
    EXPECT_FALSE(Checked(S::chkRememberDefaultFont)) << "with the user's values";

    const std::string applied = FileBytes(settingsFile());
    Click(item(S::optDontAskClear));
    ASSERT_TRUE(winkit::WaitUntil([&] { return Checked(S::optDontAskClear); }, kActTimeout));
    PressKey(VK_ESCAPE);
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDNO), L"Do you want to save settings?");
    ASSERT_TRUE(WaitForDialogHidden());
    EXPECT_EQ(FileBytes(settingsFile()), applied) << "Escape and No write nothing";
    EXPECT_TRUE(winkit::WaitUntil([&] { return Topmost(); }, kActTimeout)) << "back on top";

    ASSERT_TRUE(BringToFront(window_) && MenuKeys(window_, 'O', 'S'));
    ASSERT_NE(WaitForDialogShown(), nullptr);
    EXPECT_TRUE(Checked(S::optAskClear) && !Checked(S::optDontAskClear)) << "the stored choice is shown again";
    EXPECT_FALSE(Checked(S::chkRememberDefaultFont));
    Click(item(S::cmdCancel));
    EXPECT_TRUE(WaitForDialogHidden());
    EXPECT_EQ(FileBytes(settingsFile()), applied);
}

// From the clipboard menu: "Set all clips to default" gives every clip of the open project the
// program-wide method, as the clip properties dialog then shows.
TEST_F(SettingsDialog, ClipboardMenuOpensItAndSetAllClipsToDefault) {
    PrepareSettings();
    StartQuillet();
    const HWND form = quillet_.WaitForWindow(quillet::frmMain::kClassName, kActTimeout);
    ASSERT_NE(form, nullptr);
    // What the shell sends for a click on the tray icon; then Options > Settings... by access keys.
    ::PostMessageW(form, WM_MOUSEMOVE, 1, WM_LBUTTONDOWN);
    ASSERT_TRUE(winkit::WaitUntil(
        [&] {
            for (HWND w : testkit::TopLevelWindows(quillet_.processId(), L"#32768"))
                if (::IsWindowVisible(w))
                    return true;
            return false;
        },
        kActTimeout));
    PressKey('O');
    PressKey('S');
    ASSERT_NE(WaitForDialogShown(), nullptr) << "the clipboard menu's Settings... opens the dialog";

    ASSERT_TRUE(ShowTab(kPastingTab));
    Click(item(S::cmdMassSet));
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDOK),
              L"Done. Note: You will have to save your project for permanent effect.");
    Click(item(S::cmdOK));
    ASSERT_TRUE(WaitForDialogHidden());

    for (int clip : {1, 30}) {
        ASSERT_TRUE(BringToFront(window_));
        Click(control(ids::kImgProp + clip));
        HWND properties = nullptr;
        ASSERT_TRUE(winkit::WaitUntil(
            [&] {
                for (HWND w : testkit::TopLevelWindows(quillet_.processId(), L"QuilletProperties"))
                    if (::IsWindowVisible(w))
                        properties = w;
                return properties != nullptr;
            },
            kActTimeout));
        EXPECT_EQ(::SendMessageW(::GetDlgItem(properties, quillet::frmProperties::optDefault), BM_GETCHECK, 0, 0),
                  BST_CHECKED)
            << "clip " << clip;
        ::PostMessageW(properties, WM_CLOSE, 0, 0);
        ASSERT_TRUE(winkit::WaitUntil([&] { return !::IsWindow(properties); }, kActTimeout));
    }
}

} // namespace
