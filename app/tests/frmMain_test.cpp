#include "app/menu/frmMain.h"

#include "app/menu/modGetIP.h"
#include "app/menu/modSystemtray.h"
#include "app/projects/MainClipWindow.h"
#include "app/projects/frmQuillet.h"
#include "app/projects/frmQuilletIds.h"
#include "ClipboardTestKit.h"
#include "SettingsFixture.h"
#include "testkit/Clipboard.h"
#include "winkit/Wait.h"

#include <winsock2.h>

#include <gtest/gtest.h>

#include <atomic>

namespace {

class frmMainTest : public settings_test::SettingsFileTest {
protected:
    void SetUp() override {
        SettingsFileTest::SetUp();
        savedWindow_ = quillet::MainClipWindowHooks();
        savedMenus_ = quillet::ProgramMenuHooks();
        ASSERT_TRUE(::WritePrivateProfileStringW(L"General", L"DisabledIP", L"1", path().c_str()));
        ASSERT_TRUE(quillet::MainForm().Load());
        menus_ = quillet::MainForm().menus();
        ASSERT_NE(menus_, nullptr);
    }
    void TearDown() override {
        quillet::MainForm().Unload();
        quillet::MainClipWindowHooks() = savedWindow_;
        quillet::ProgramMenuHooks() = savedMenus_;
        SettingsFileTest::TearDown();
    }
    quillet::MenuNode& Item(const wchar_t* name) { return *menus_->Item(name); }

    quillet::frmMainMenus* menus_ = nullptr;
    quillet::MainClipWindowLinks savedWindow_;
    quillet::ProgramMenuLinks savedMenus_;
};

} // namespace

TEST_F(frmMainTest, LoadsHiddenWithItsMenuBarAndConnectsItsSeams) {
    HWND form = quillet::MainForm().hwnd();
    EXPECT_FALSE(::IsWindowVisible(form));
    EXPECT_EQ(::GetMenu(form), menus_->bar());
    EXPECT_NE(menus_->ClipItem(false, 30), nullptr) << "the clip arrays are loaded with the form";
    EXPECT_TRUE(quillet::ProgramMenuHooks().popupClipboardMenu);
    EXPECT_TRUE(quillet::ProgramMenuHooks().popupPasteMenu);
    EXPECT_TRUE(quillet::SettingsHooks().switchRunAtStartup);
    // DisabledIP = 1: neither address item is in the menu.
    EXPECT_FALSE(Item(L"mnuIpAdressPUB").visible);
    EXPECT_FALSE(Item(L"mnuIpAdressLAN").visible);
    // Activated from outside, the form hides again at once.
    ::ShowWindow(form, SW_SHOW);
    ::SendMessageW(form, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_FALSE(::IsWindowVisible(form));
}

TEST_F(frmMainTest, AddressItemsShowTheAddressesInParenthesesAndKeepThemAsTags) {
    bool windowShows = false;
    std::wstring windowPublic, windowLocal;
    quillet::MainClipWindowHooks().showIpItems = [&](bool on) { windowShows = on; };
    quillet::MainClipWindowHooks().setIpCaptions = [&](const std::wstring& p, const std::wstring& l) {
        windowPublic = p;
        windowLocal = l;
    };
    quillet::MainForm().ShowIpAddresses(false, L"192.168.1.7", L"10.0.0.3");
    EXPECT_EQ(Item(L"mnuIpAdressPUB").state->caption, L"I&P adress (192.168.1.7)");
    EXPECT_EQ(Item(L"mnuIpAdressPUB").tag, L"192.168.1.7");
    EXPECT_EQ(Item(L"mnuIpAdressLAN").state->caption, L"I&P adress (10.0.0.3)");
    EXPECT_EQ(Item(L"mnuIpAdressLAN").tag, L"10.0.0.3");
    EXPECT_TRUE(Item(L"mnuIpAdressLAN").visible);
    EXPECT_TRUE(windowShows);
    EXPECT_EQ(windowPublic, L"192.168.1.7");
    EXPECT_EQ(windowLocal, L"10.0.0.3");

    // The same address twice: only the public item.
    quillet::MainForm().ShowIpAddresses(false, L"10.0.0.3", L"10.0.0.3");
    EXPECT_TRUE(Item(L"mnuIpAdressPUB").visible);
    EXPECT_FALSE(Item(L"mnuIpAdressLAN").visible);
    // A single address: the local lookup is empty, so both show, the LAN item with empty parentheses.
    quillet::MainForm().ShowIpAddresses(false, L"10.0.0.3", L"");
    EXPECT_TRUE(Item(L"mnuIpAdressLAN").visible);
    EXPECT_EQ(Item(L"mnuIpAdressLAN").state->caption, L"I&P adress ()");
    EXPECT_EQ(Item(L"mnuIpAdressLAN").tag, L"");

    quillet::MainForm().ShowIpAddresses(true, L"", L"");
    EXPECT_FALSE(Item(L"mnuIpAdressPUB").visible);
    EXPECT_FALSE(windowShows);
}

TEST_F(frmMainTest, AutoPasteFollowsTheMainClipWindowBothWays) {
    bool windowAutoPaste = true;
    quillet::MainClipWindowHooks().autoPasteChecked = [&] { return windowAutoPaste; };
    quillet::MainClipWindowHooks().setAutoPaste = [&](bool on) { windowAutoPaste = on; };
    quillet::MenuNode& item = Item(L"mnuAutoPaste");

    quillet::MainForm().RunMenuCommand(item.id);
    EXPECT_FALSE(windowAutoPaste);
    EXPECT_FALSE(item.state->checked);
    quillet::MainForm().RunMenuCommand(item.id);
    EXPECT_TRUE(windowAutoPaste);
    EXPECT_TRUE(item.state->checked);
    // Out of step (the window was toggled on its own): the window's state decides, and both agree after.
    windowAutoPaste = false;
    quillet::MainForm().ToggleAutoPaste();
    EXPECT_TRUE(windowAutoPaste);
    EXPECT_TRUE(item.state->checked);
    // Toggled in the window: it tells the menu.
    ASSERT_TRUE(quillet::MainClipWindowHooks().autoPasteChanged);
    quillet::MainClipWindowHooks().autoPasteChanged(false);
    EXPECT_FALSE(item.state->checked);
}

TEST_F(frmMainTest, ClipItemsRunTheMainWindowsTriggerForTheirOwnClip) {
    std::vector<int> triggered;
    quillet::MainClipWindowHooks().hotkeyTrigger = [&](int n) { triggered.push_back(n); };
    quillet::MainForm().RunMenuCommand(menus_->ClipItem(true, 5)->id);
    quillet::MainForm().RunMenuCommand(menus_->ClipItem(false, 30)->id);
    quillet::MainForm().RunMenuCommand(1); // no item of ours
    EXPECT_EQ(triggered, (std::vector<int>{5, 30}));

    bool offTop = false;
    int settingsShown = 0;
    quillet::MainClipWindowHooks().setTopmost = [&](bool on) { offTop = !on; };
    quillet::ProgramMenuHooks().showSettingsDialog = [&] { ++settingsShown; };
    quillet::MainForm().RunMenuCommand(Item(L"mnuSettings").id);
    EXPECT_TRUE(offTop);
    EXPECT_EQ(settingsShown, 1);
}

TEST_F(frmMainTest, TrayButtonPressesOpenTheClipboardMenuAndMovementDoesNot) {
    int popups = 0;
    quillet::ProgramMenuHooks().popupClipboardMenu = [&] { ++popups; };
    HWND form = quillet::MainForm().hwnd();
    // As the shell sends it: the mouse message number in the x coordinate.
    ::SendMessageW(form, WM_MOUSEMOVE, quillet::kTrayIconId, WM_MOUSEMOVE);
    EXPECT_EQ(popups, 0);
    ::SendMessageW(form, WM_MOUSEMOVE, quillet::kTrayIconId, WM_LBUTTONDOWN);
    ::SendMessageW(form, WM_MOUSEMOVE, quillet::kTrayIconId, WM_RBUTTONDOWN);
    ::SendMessageW(form, WM_MOUSEMOVE, quillet::kTrayIconId, WM_LBUTTONUP);
    EXPECT_EQ(popups, 2);
}

// The sockets service failing in the address lookup the main form starts: the user is told, the address
// items stay out of the menu, and the form asks for the end of the program, from its own thread and once
// the load is over, instead of a shutdown unloading the form from under its own load.
using SocketsFailure = settings_test::SettingsFileTest;

TEST_F(SocketsFailure, InTheLookupIsToldAndAsksForTheEndOnceTheLoadIsOver) {
    ASSERT_TRUE(quillet::CreateDefaultSettings(false));
    const auto savedWindow = quillet::MainClipWindowHooks();
    const auto savedMenus = quillet::ProgramMenuHooks();
    struct Failure {
        int code;
        WORD version;
        const wchar_t* message;
    };
    for (const Failure failure : {Failure{WSASYSNOTREADY, 0, L"Winsock.dll Error."},
                                  Failure{0, MAKEWORD(1, 0), L"Windows Sockets version 1.0"}}) {
        std::atomic<int> starts{0};
        std::atomic<DWORD> startThread{0};
        quillet::SocketsStartup() = [failure, &starts, &startThread](unsigned short, WSAData* data) {
            ++starts;
            startThread = ::GetCurrentThreadId();
            data->wVersion = failure.version;
            return failure.code;
        };
        int ends = 0;
        bool loadedBeforeTheEnd = false;
        quillet::MainForm().endProgram = [&] {
            loadedBeforeTheEnd = quillet::MainForm().menus() != nullptr;
            ++ends;
        };
        bool loaded = false;
        bool reported = false;
        std::vector<testkit::DialogContents> boxes = apptest::AnsweringDialogs([&] {
            loaded = quillet::MainForm().Load();
            EXPECT_EQ(ends, 0) << "nothing ends inside the load";
            reported = winkit::WaitUntil([] { return !quillet::MainForm().LookingUpAddresses(); }, 10000);
        });
        quillet::SocketsStartup() = nullptr;
        EXPECT_TRUE(loaded);
        ASSERT_TRUE(reported);
        EXPECT_EQ(starts, 1);
        EXPECT_NE(startThread, ::GetCurrentThreadId()) << "the lookup runs off the user-interface thread";
        EXPECT_TRUE(quillet::SocketsFailed());
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, failure.message);
        EXPECT_EQ(ends, 1);
        EXPECT_TRUE(loadedBeforeTheEnd);
        EXPECT_FALSE(quillet::IsExiting);
        ASSERT_NE(quillet::MainForm().menus(), nullptr);
        EXPECT_FALSE(quillet::MainForm().menus()->Item(L"mnuIpAdressPUB")->visible);
        quillet::MainForm().Unload();
        quillet::MainForm().endProgram = nullptr;
    }
    // A service that starts again clears the failure.
    EXPECT_TRUE(quillet::ReportLookup(quillet::LookUpAddresses({})));
    EXPECT_FALSE(quillet::SocketsFailed());
    quillet::MainClipWindowHooks() = savedWindow;
    quillet::ProgramMenuHooks() = savedMenus;
}

namespace {

// The main clip window beside the clipboard menu, loaded in start-up's order, with the address lookup
// held at the sockets service's start until the test lets it go.
class AddressArrival : public settings_test::SettingsFileTest {
protected:
    void SetUp() override {
        SettingsFileTest::SetUp();
        savedWindow_ = quillet::MainClipWindowHooks();
        savedMenus_ = quillet::ProgramMenuHooks();
        quillet::ProjectsFolder = projects_.path();
        ASSERT_TRUE(quillet::CreateDefaultSettings(false));
        ASSERT_TRUE(::WritePrivateProfileStringW(L"Quillet", L"AutoPasteOther", L"0", path().c_str()));
        gate_.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        ASSERT_TRUE(gate_);
        HANDLE gate = gate_.get();
        quillet::SocketsStartup() = [gate](unsigned short version, WSAData* data) {
            ::WaitForSingleObject(gate, 10000);
            return ::WSAStartup(version, data);
        };
    }
    void TearDown() override {
        ::SetEvent(gate_.get());
        quillet::QuilletWindow().Unload();
        quillet::MainForm().Unload();
        quillet::SocketsStartup() = nullptr;
        quillet::MainClipWindowHooks() = savedWindow_;
        quillet::ProgramMenuHooks() = savedMenus_;
        SettingsFileTest::TearDown();
    }
    void LetTheLookupGo() { ::SetEvent(gate_.get()); }
    static bool Arrived() {
        return winkit::WaitUntil([] { return !quillet::MainForm().LookingUpAddresses(); }, 10000);
    }
    // The caption of the main clip window's public address item; empty when it has none.
    static std::wstring WindowItem() {
        HMENU bar = ::GetMenu(quillet::QuilletWindow().hwnd());
        wchar_t text[128] = {};
        if (!::GetMenuStringW(bar, quillet::frmquillet_ids::mnuIpAdressPUB, text, 128, MF_BYCOMMAND))
            return {};
        return text;
    }
    static quillet::MenuNode& FormItem() { return *quillet::MainForm().menus()->Item(L"mnuIpAdressPUB"); }

private:
    testkit::TempFolder projects_{L"quillet-addresses"};
    winkit::ScopedHandle gate_;
    quillet::MainClipWindowLinks savedWindow_;
    quillet::ProgramMenuLinks savedMenus_;
};

} // namespace

TEST_F(AddressArrival, AddressesKnownBeforeTheMainClipWindowLoadsReachItsItems) {
    LetTheLookupGo();
    ASSERT_TRUE(quillet::MainForm().Load());
    ASSERT_TRUE(Arrived());
    const std::wstring address = FormItem().tag;
    ASSERT_FALSE(address.empty());
    ASSERT_TRUE(quillet::QuilletWindow().Load());
    EXPECT_EQ(WindowItem(), L"I&P Adress (" + address + L")");
}

TEST_F(AddressArrival, ItemsChosenBeforeTheAddressesArriveGetThemWhenTheyDo) {
    ASSERT_TRUE(quillet::MainForm().Load());
    ASSERT_TRUE(quillet::QuilletWindow().Load());
    ASSERT_TRUE(quillet::MainForm().LookingUpAddresses());
    // Nothing known yet: the clipboard menu shows its design caption, the main clip window no item.
    EXPECT_EQ(FormItem().state->caption, L"I&P adress");
    EXPECT_EQ(WindowItem(), L"");
    ASSERT_TRUE(testkit::PutClipboardText(L"before"));
    // Chosen now, the item waits for its address rather than putting an empty text on the clipboard.
    LetTheLookupGo();
    quillet::MainForm().RunMenuCommand(FormItem().id);
    const std::wstring address = FormItem().tag;
    ASSERT_FALSE(address.empty());
    EXPECT_EQ(testkit::ClipboardText().value_or(L"(none)"), address);
    EXPECT_EQ(FormItem().state->caption, L"I&P adress (" + address + L")");
    EXPECT_EQ(WindowItem(), L"I&P Adress (" + address + L")");
}
