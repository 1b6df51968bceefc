#include "app/paste/frmProperties.h"

#include "ClipboardTestKit.h"
#include "HotkeyTestKit.h"
#include "SettingsFixture.h"
#include "app/paste/modHotkey.h"
#include "app/projects/ClipProject.h"
#include "app/projects/MainClipWindow.h"

#include <gtest/gtest.h>

using hotkeytest::CombinationFree;
using hotkeytest::HostWindow;
using namespace quillet;

namespace {

class Properties : public settings_test::SettingsFileTest {
protected:
    void SetUp() override {
        SettingsFileTest::SetUp();
        ASSERT_TRUE(CreateDefaultSettings(false));
        MainClipWindowHooks() = {};
        MainClipWindowHooks().setTopmost = [this](bool on) { topmost.push_back(on); };
        ClipMethods.fill(1);
        LoadHotkeys(host.hwnd());
    }
    void TearDown() override {
        PropertiesForm().Unload();
        for (int id = core::kFirstClipHotkeyId; id <= core::kLastClipHotkeyId; ++id)
            SetClipHotkey(0, 0, id);
        UnregisterProgramHotkeys();
        MainClipWindowHooks() = {};
        SettingsFileTest::TearDown();
    }
    frmProperties& form() { return PropertiesForm(); }
    bool checked(int id) { return ::SendMessageW(form().control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void check(int id, bool on) {
        ::SendMessageW(form().control(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    std::wstring keyText() {
        wchar_t text[64] = {};
        ::GetWindowTextW(form().control(frmProperties::mKey), text, 64);
        return text;
    }
    void chooseKey(const std::wstring& text) {
        const HWND list = form().control(frmProperties::mKey);
        const LRESULT i = ::SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(text.c_str()));
        ASSERT_NE(i, CB_ERR) << "no entry " << winkit::ToUtf8(text);
        ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    }
    void choose(bool control, bool alt, bool shift, const std::wstring& key) {
        check(frmProperties::chkControl, control);
        check(frmProperties::chkAlt, alt);
        check(frmProperties::chkShift, shift);
        chooseKey(key);
    }
    // Presses OK; returns the message boxes it showed (answered as the user would).
    std::vector<testkit::DialogContents> pressOK() {
        return apptest::AnsweringDialogs([&] {
            ::SendMessageW(form().hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                           reinterpret_cast<LPARAM>(form().control(IDOK)));
        });
    }
    std::wstring stored(const std::wstring& key) { return ReadSetting(L"Hotkeys", key); }

    HostWindow host;
    std::vector<bool> topmost;
};

} // namespace

TEST_F(Properties, OpensWithTheStoredValuesAndTheFullKeyList) {
    ClipMethods[2] = 3;
    ShowProperties(3);
    ASSERT_TRUE(form().hwnd());
    EXPECT_EQ(topmost, (std::vector<bool>{false}));
    EXPECT_EQ(testkit::WindowText(form().hwnd()), L"Clip properties");
    EXPECT_EQ(::SendMessageW(form().control(frmProperties::mKey), CB_GETCOUNT, 0, 0), 54);
    EXPECT_TRUE(checked(frmProperties::optShiftInsert));
    EXPECT_FALSE(checked(frmProperties::optControlV));
    EXPECT_TRUE(checked(frmProperties::chkControl)); // default Ctrl+3
    EXPECT_FALSE(checked(frmProperties::chkAlt) || checked(frmProperties::chkShift));
    EXPECT_EQ(keyText(), L"3");

    // An unknown stored key selects the last entry; an unknown mask checks nothing.
    form().Unload();
    WriteSetting(L"Hotkeys", L"Clip4Mod", L"9");
    WriteSetting(L"Hotkeys", L"Clip4Key", L"200");
    ShowProperties(4);
    EXPECT_EQ(keyText(), L"END");
    EXPECT_FALSE(checked(frmProperties::chkControl) || checked(frmProperties::chkAlt) ||
                 checked(frmProperties::chkShift));
}

TEST_F(Properties, ChangingTheHotkeyAndMethodStoresBothAndMovesTheRegistration) {
    ShowProperties(3);
    choose(false, true, true, L"a");
    check(frmProperties::optShiftInsert, false);
    check(frmProperties::optControlV, false);
    check(frmProperties::optKeyByKey, true);
    EXPECT_TRUE(pressOK().empty());
    EXPECT_FALSE(form().hwnd()); // closed
    EXPECT_EQ(stored(L"Clip3Mod"), L"5");
    EXPECT_EQ(stored(L"Clip3Key"), L"65");
    EXPECT_EQ(ClipMethods[2], 2);
    EXPECT_TRUE(CombinationFree(MOD_CONTROL, '3'));
    EXPECT_FALSE(CombinationFree(MOD_ALT | MOD_SHIFT, 'A'));

    // Reopening shows what was stored.
    ShowProperties(3);
    EXPECT_TRUE(checked(frmProperties::chkAlt) && checked(frmProperties::chkShift));
    EXPECT_FALSE(checked(frmProperties::chkControl));
    EXPECT_EQ(keyText(), L"a");
    EXPECT_TRUE(checked(frmProperties::optKeyByKey));
}

TEST_F(Properties, RefusesAltAloneAndAnotherClipsCombination) {
    ShowProperties(3);
    choose(false, true, false, L"F5");
    auto boxes = pressOK();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"You may not use Alt hotkey alone!");
    EXPECT_TRUE(form().hwnd()); // stays open

    choose(true, false, false, L"7"); // clip 7's default Ctrl+7
    boxes = pressOK();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"This hotkey is set to clip 7!");
    EXPECT_TRUE(form().hwnd());
    EXPECT_EQ(stored(L"Clip3Key"), L"51");

    choose(true, false, false, L"F5"); // Ctrl alone is fine
    EXPECT_TRUE(pressOK().empty());
    EXPECT_EQ(stored(L"Clip3Mod"), L"2");
    EXPECT_EQ(stored(L"Clip3Key"), L"116");
}

TEST_F(Properties, NoneRemovesAHotkeyAndWritesNothingWhenThereWasNone) {
    ShowProperties(5);
    choose(true, false, true, L"(none)");
    EXPECT_TRUE(pressOK().empty());
    EXPECT_EQ(stored(L"Clip5Mod"), L"6"); // the mask as checked
    EXPECT_EQ(stored(L"Clip5Key"), L"0");
    EXPECT_TRUE(CombinationFree(MOD_CONTROL, '5'));

    // Now without a hotkey: choosing none again leaves the file as it is.
    ShowProperties(5);
    choose(false, false, false, L"(none)");
    EXPECT_TRUE(pressOK().empty());
    EXPECT_EQ(stored(L"Clip5Mod"), L"6");
}

TEST_F(Properties, CancelStoresNothingAndClosingRestoresTopmost) {
    WriteSetting(L"Quillet", L"QLAlwaysOnTop", L"1");
    ClipMethods[1] = 1;
    ShowProperties(2);
    choose(true, true, true, L"z");
    check(frmProperties::optControlV, false);
    check(frmProperties::optDefault, true);
    ::SendMessageW(form().hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_FALSE(form().hwnd());
    EXPECT_EQ(stored(L"Clip2Mod"), L"2");
    EXPECT_EQ(ClipMethods[1], 1);
    EXPECT_EQ(topmost, (std::vector<bool>{false, true}));
}
