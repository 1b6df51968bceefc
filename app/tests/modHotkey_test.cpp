#include "app/paste/modHotkey.h"

#include "HotkeyTestKit.h"
#include "SettingsFixture.h"
#include "app/paste/modClipCopy.h"
#include "app/paste/modInternalFunctions.h"
#include "app/projects/ClipProject.h"
#include "app/projects/MainClipWindow.h"
#include "testkit/TargetWindow.h"
#include "winkit/TextConv.h"
#include "winkit/Wait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using hotkeytest::CombinationFree;
using hotkeytest::HostWindow;
using namespace quillet;

namespace {

constexpr DWORD kWaitMs = 5000;
// How long a held modifier is watched for a paste that must not come.
constexpr DWORD kHeldMs = 400;

class Hotkeys : public settings_test::SettingsFileTest {
protected:
    void SetUp() override {
        SettingsFileTest::SetUp();
        ASSERT_TRUE(CreateDefaultSettings(false));
        ProgramHotkeys = ProgramHotkeyNumbers{};
        MainClipWindowHooks() = {};
        ProgramMenuHooks() = {};
        PasteHooks() = {};
        OpenProject().CleanUp();
        ClipMethods.fill(1);
        lastCopiedClip = 0;
        lastWindows = {};
    }
    void TearDown() override {
        for (int id = core::kFirstClipHotkeyId; id <= core::kLastClipHotkeyId; ++id)
            SetClipHotkey(0, 0, id);
        UnregisterProgramHotkeys();
        MainClipWindowHooks() = {};
        PasteHooks() = {};
        OpenProject().CleanUp();
        // Whatever a failed test left held goes up again.
        testkit::SendKeys({{VK_CONTROL, false}, {VK_SHIFT, false}, {VK_MENU, false}});
        SettingsFileTest::TearDown();
    }
    void SetText(int clip, const std::wstring& text) {
        OpenProject().slot(clip).format = core::kFormatTxtSimple;
        OpenProject().slot(clip).text = text;
    }
    HostWindow host;
};

// Reads a window's text from another thread than its own, through the owner's message pump.
std::wstring TextOf(HWND edit) {
    wchar_t buffer[256] = {};
    // Bounded, so a failing test never deadlocks with the thread that owns the window.
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(edit, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer), SMTO_NORMAL, 200, &result);
    return buffer;
}

} // namespace

TEST_F(Hotkeys, LoadRegistersDefaultsAndClipChangesFollowTheTable) {
    LoadHotkeys(host.hwnd());
    EXPECT_FALSE(CombinationFree(MOD_CONTROL | MOD_ALT, 'H'));   // show window
    EXPECT_FALSE(CombinationFree(MOD_CONTROL, 'Q'));             // paste next
    EXPECT_FALSE(CombinationFree(MOD_CONTROL | MOD_ALT, 'S'));   // settings
    EXPECT_FALSE(CombinationFree(MOD_CONTROL, '1'));             // clip 1
    EXPECT_FALSE(CombinationFree(MOD_CONTROL | MOD_SHIFT, '0')); // clip 20
    EXPECT_FALSE(CombinationFree(MOD_CONTROL | MOD_ALT, '0'));   // clip 30
    EXPECT_EQ(ClipHotkeys[4], (core::ClipHotkey{2, 53, true}));
    EXPECT_EQ(ClipHotkeys[29], (core::ClipHotkey{3, 48, true}));

    // Clip 5 from Ctrl+5 to Ctrl+Alt+Shift+5 (Ctrl+Shift+5 is clip 15's): only the new one is held.
    SetClipHotkey(7, 53, 11);
    EXPECT_TRUE(CombinationFree(MOD_CONTROL, '5'));
    EXPECT_FALSE(CombinationFree(MOD_CONTROL | MOD_ALT | MOD_SHIFT, '5'));
    // Cleared: none.
    SetClipHotkey(0, 0, 11);
    EXPECT_TRUE(CombinationFree(MOD_CONTROL | MOD_ALT | MOD_SHIFT, '5'));
    EXPECT_EQ(ClipHotkeys[4], (core::ClipHotkey{}));
    // Ids outside 7..36 change nothing.
    SetClipHotkey(2, 'K', 37);
    EXPECT_TRUE(CombinationFree(MOD_CONTROL, 'K'));

    UnregisterProgramHotkeys();
    EXPECT_TRUE(CombinationFree(MOD_CONTROL | MOD_ALT, 'H'));
    EXPECT_TRUE(CombinationFree(MOD_CONTROL, 'Q'));
    EXPECT_FALSE(CombinationFree(MOD_CONTROL, '1')); // clip hotkeys stay
}

TEST_F(Hotkeys, StoredClipHotkeysOutOfRangeOrZeroAreNotRegistered) {
    WriteSetting(L"Hotkeys", L"Clip1Mod", L"0");
    WriteSetting(L"Hotkeys", L"Clip2Key", L"70000"); // no 16-bit key
    WriteSetting(L"Hotkeys", L"Clip3Mod", L"6");
    WriteSetting(L"Hotkeys", L"Clip3Key", L"75"); // Ctrl+Shift+K
    LoadHotkeys(host.hwnd());
    EXPECT_TRUE(CombinationFree(MOD_CONTROL, '1'));
    EXPECT_TRUE(CombinationFree(MOD_CONTROL, '2'));
    EXPECT_FALSE(ClipHotkeys[1].registered);
    EXPECT_FALSE(CombinationFree(MOD_CONTROL | MOD_SHIFT, 'K'));
}

TEST_F(Hotkeys, WindowProcedureDispatchesByIdAndForwardsTheRest) {
    std::vector<std::string> calls;
    MainClipWindowHooks().hotkeyTrigger = [&](int clip) { calls.push_back("clip" + std::to_string(clip)); };
    MainClipWindowHooks().openSettings = [&] { calls.push_back("settings"); };
    ProgramMenuHooks().popupClipboardMenu = [&] { calls.push_back("clipboard menu"); };
    ProgramMenuHooks().popupPasteMenu = [&] { calls.push_back("paste menu"); };
    LoadHotkeys(host.hwnd());
    SetText(9, L"nine");

    for (WPARAM id : {2, 4, 5, 6, 40, 15})
        EXPECT_EQ(::SendMessageW(host.hwnd(), WM_HOTKEY, id, 0), 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"clipboard menu", "paste menu", "settings", "clip9"}));
    // Only a copy that reached the clipboard makes a clip the one copied last; this trigger copied nothing.
    EXPECT_EQ(lastCopiedClip, 0);
    EXPECT_EQ(host.seen(WM_HOTKEY), 0); // answered, never passed on

    ::SendMessageW(host.hwnd(), WM_USER + 7, 0, 0);
    EXPECT_EQ(host.seen(WM_USER + 7), 1);

    // While the program ends nothing gets through.
    IsExiting = true;
    ::SendMessageW(host.hwnd(), WM_HOTKEY, 15, 0);
    ::SendMessageW(host.hwnd(), WM_USER + 7, 0, 0);
    IsExiting = false;
    EXPECT_EQ(calls.size(), 4u);
    EXPECT_EQ(host.seen(WM_USER + 7), 1);
}

TEST_F(Hotkeys, PasteNextStepsDownWrapsAndSkipsEmptyClips) {
    std::vector<int> triggered;
    MainClipWindowHooks().hotkeyTrigger = [&](int clip) {
        triggered.push_back(clip);
        lastCopiedClip = static_cast<std::uint8_t>(clip);
    };
    LoadHotkeys(host.hwnd());
    SetText(3, L"three");
    SetText(7, L"seven");
    lastCopiedClip = 3;
    ::SendMessageW(host.hwnd(), WM_HOTKEY, core::kHotkeyPasteNext, 0);
    ::SendMessageW(host.hwnd(), WM_HOTKEY, core::kHotkeyPasteNext, 0);
    PasteNext(-1); // the toolbar's upward button
    EXPECT_EQ(triggered, (std::vector<int>{7, 3, 7}));

    OpenProject().CleanUp();
    triggered.clear();
    PasteNext(+1);
    EXPECT_TRUE(triggered.empty());
}

TEST_F(Hotkeys, ShowWindowOnlyFocusesAnOpenEditor) {
    int focused = 0;
    testkit::TargetWindow main(L"Main clip window stand-in");
    ::ShowWindow(main.hwnd(), SW_HIDE);
    bool editorOpen = true;
    MainClipWindowHooks().editorOpen = [&] { return editorOpen; };
    MainClipWindowHooks().focusEditor = [&] { ++focused; };
    MainClipWindowHooks().window = [&] { return main.hwnd(); };
    LoadHotkeys(host.hwnd());

    ::SendMessageW(host.hwnd(), WM_HOTKEY, core::kHotkeyShowMain, 0);
    EXPECT_EQ(focused, 1);
    EXPECT_FALSE(::IsWindowVisible(main.hwnd()));

    editorOpen = false;
    ::SendMessageW(host.hwnd(), WM_HOTKEY, core::kHotkeyShowMain, 0);
    EXPECT_TRUE(::IsWindowVisible(main.hwnd()));
    ::ShowWindow(main.hwnd(), SW_MINIMIZE);
    ShowMainWindow();
    EXPECT_FALSE(::IsIconic(main.hwnd()));
    EXPECT_EQ(focused, 1);
}

// The user's physical keys: the paste waits until every modifier of the hotkey is up.
TEST_F(Hotkeys, ACtrlHotkeyPastesOnlyAfterCtrlIsReleased) {
    testkit::TargetWindow target;
    ASSERT_TRUE(target.Activate());
    TrackForegroundWindow(::GetForegroundWindow());
    SetText(1, L"alpha");
    WriteSetting(L"Quillet", L"AutoPaste", L"1");
    LoadHotkeys(host.hwnd()); // no main clip window: the shared copy core pastes

    for (int vk : {VK_SHIFT, VK_CONTROL, VK_MENU, int{'1'}})
        ASSERT_FALSE(::GetAsyncKeyState(vk) & 0x8000) << "key held before the test: " << vk;
    std::atomic<bool> pastedWhileHeld{false};
    auto user = std::thread([&] {
        testkit::SendKeys({{VK_CONTROL, true}, {'1', true}, {'1', false}});
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < kHeldMs) {
            if (!TextOf(target.edit()).empty())
                pastedWhileHeld = true;
            ::Sleep(10);
        }
        testkit::SendKeys({{VK_CONTROL, false}});
    });
    EXPECT_TRUE(winkit::WaitUntil([&] { return target.text() == L"alpha"; }, kWaitMs));
    user.join();
    EXPECT_FALSE(pastedWhileHeld);
    EXPECT_EQ(lastCopiedClip, 1);
    winkit::PumpMessages();
    EXPECT_EQ(target.text(), L"alpha");

    // A tap, as most hands do it: every key is up again before the hotkey is even handled, so the paste
    // neither waits for nor combines with a modifier.
    target.clear();
    SetText(2, L"beta");
    ::SetForegroundWindow(target.hwnd());
    ASSERT_TRUE(winkit::WaitUntil([&] { return ::GetForegroundWindow() == target.hwnd(); }, kWaitMs));
    SetClipHotkey(2, '2', core::ClipHotkeyId(2));
    testkit::SendKeys({{VK_CONTROL, true}, {'2', true}, {'2', false}, {VK_CONTROL, false}});
    EXPECT_TRUE(winkit::WaitUntil([&] { return target.text() == L"beta"; }, kWaitMs)) << winkit::ToUtf8(target.text());
    EXPECT_EQ(lastCopiedClip, 2);
}

TEST_F(Hotkeys, AProgramHotkeyWithoutAKeyHoldsNoCombination) {
    // A settings file without the key reads as 0: the function has no hotkey, and the modifiers alone
    // (with "key" 0) stay free for other programs.
    ProgramHotkeys.HKPasteNextKey = 0;
    ProgramHotkeys.HKSettingsMod = 0;
    ProgramHotkeys.HKSettingsKey = 0;
    LoadHotkeys(host.hwnd());
    EXPECT_TRUE(CombinationFree(MOD_CONTROL, 0));
    EXPECT_TRUE(CombinationFree(0, 0));
    EXPECT_FALSE(CombinationFree(MOD_CONTROL | MOD_ALT, 'H')) << "the others are registered as before";
}
