// The clipboard menu of the real program, popped up from its tray icon and used by keyboard, as a user
// would: the access keys reach the items, so what an item does shows whether it was there.
#include "app/projects/ClipProject.h"
#include "app/projects/ProjectFile.h"
#include "app/projects/frmQuilletIds.h"
#include "app/shell/modInitialization.h"
#include "e2e/ClipWindowDriver.h"
#include "testkit/Clipboard.h"
#include "testkit/Dialogs.h"
#include "testkit/Input.h"
#include "testkit/ProgramUnderTest.h"
#include "testkit/TargetWindow.h"
#include "winkit/Bitmaps.h"
#include "winkit/Com.h"
#include "winkit/Scoped.h"
#include "winkit/Wait.h"

#include "Syslinkage_h.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <cstdlib>
#include <cstring>
#include <vector>
#include <optional>
#include <string>

namespace {

constexpr DWORD kStartTimeout = 20000;
constexpr DWORD kActionTimeout = 5000;
const wchar_t kMainFormClass[] = L"QuilletMainForm";
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

using testkit::ClipboardText;
using testkit::PutClipboardText;

void Key(WORD vk) { testkit::PressKey(vk); }

// A popup menu window of the program that is on screen.
HWND ShownMenu(DWORD pid) {
    for (HWND w : testkit::TopLevelWindows(pid, L"#32768"))
        if (::IsWindowVisible(w))
            return w;
    return nullptr;
}

std::wstring RunValue() {
    wchar_t text[512] = {};
    DWORD bytes = sizeof text - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, kRunKey, L"QuilletSW", RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
        return {};
    return text;
}

class ClipboardMenuTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(quillet_.ready());
        savedRun_ = RunValue();
    }
    void TearDown() override {
        if (form_)
            ::PostMessageW(form_, WM_CLOSE, 0, 0);
        quillet_.WaitForExit(10000);
        winkit::ScopedKey key;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS) {
            if (savedRun_.empty())
                ::RegDeleteValueW(key.get(), L"QuilletSW");
            else
                ::RegSetValueExW(key.get(), L"QuilletSW", 0, REG_SZ, reinterpret_cast<const BYTE*>(savedRun_.c_str()),
                                 static_cast<DWORD>((savedRun_.size() + 1) * sizeof(wchar_t)));
        }
    }

    // A settings file of the template's keys that matter here; the program adds nothing to it.
    void WriteSettings(const wchar_t* disabledIp, const wchar_t* autoPasteOther) {
        const std::wstring file = quillet_.folder() + L"settings.ini";
        ::WritePrivateProfileStringW(L"General", L"RunOnStartup", L"0", file.c_str());
        ::WritePrivateProfileStringW(L"General", L"OpenWindowAtStartup", L"0", file.c_str());
        ::WritePrivateProfileStringW(L"General", L"DisabledIP", disabledIp, file.c_str());
        ::WritePrivateProfileStringW(L"General", L"DisableSplash", L"1", file.c_str());
        ::WritePrivateProfileStringW(L"Quillet", L"AutoPaste", L"1", file.c_str());
        ::WritePrivateProfileStringW(L"Quillet", L"AutoPasteOther", autoPasteOther, file.c_str());
        ::WritePrivateProfileStringW(L"Quillet", L"PasteMethod", L"1", file.c_str());
    }
    std::wstring Setting(const wchar_t* key) const {
        wchar_t text[64] = {};
        ::GetPrivateProfileStringW(L"General", key, L"", text, 64, (quillet_.folder() + L"settings.ini").c_str());
        return text;
    }

    void Start() {
        ASSERT_TRUE(quillet_.Start());
        form_ = quillet_.WaitForWindow(kMainFormClass, kStartTimeout);
        ASSERT_NE(form_, nullptr);
    }

    // Exactly what the shell sends for a click on the icon: the callback message with the icon's id and
    // the mouse message in the low word.
    bool ClickTray(UINT button = WM_LBUTTONDOWN) {
        ::PostMessageW(form_, WM_MOUSEMOVE, 1, button);
        return winkit::WaitUntil([this] { return ShownMenu(quillet_.processId()) != nullptr; }, kActionTimeout);
    }
    bool MenuClosed() {
        return winkit::WaitUntil([this] { return ShownMenu(quillet_.processId()) == nullptr; }, kActionTimeout);
    }
    bool WaitForClipboard(const std::wstring& expected) {
        return winkit::WaitUntil([&] { return ClipboardText() == expected; }, kActionTimeout);
    }
    // The program notices the window in front by polling (its clip window shows which); a user works
    // there a moment before turning to the menu.
    bool Noticed(const testkit::TargetWindow& target) const {
        namespace ids = quillet::frmquillet_ids;
        const HWND clipWindow = quillet_.WaitForWindow(ids::kClassName, kActionTimeout);
        const std::wstring expected = L"Last Active Window: " + testkit::WindowText(target.hwnd());
        return clipWindow && winkit::WaitUntil(
                                 [&] {
                                     wchar_t text[256] = {};
                                     ::SendMessageW(::GetDlgItem(clipWindow, ids::kLblWindow), WM_GETTEXT, 256,
                                                    reinterpret_cast<LPARAM>(text));
                                     return expected == text;
                                 },
                                 kActionTimeout);
    }

    testkit::ProgramUnderTest quillet_;
    HWND form_ = nullptr;
    std::wstring savedRun_;
};

// Whether the library in this build draws menus (its Window object exists). Start-up registered it.
bool LibraryDrawsMenus() {
    winkit::ComApartment apartment;
    winkit::ComPtr<_System> system;
    if (FAILED(::CoCreateInstance(CLSID_System, nullptr, CLSCTX_INPROC_SERVER, IID__System, system.put_void())))
        return false;
    winkit::ComPtr<_Window> window;
    return SUCCEEDED(system->get_Window(window.put())) && window;
}

// The screen's pixels under a window, as 0x00BBGGRR values, row after row.
std::vector<COLORREF> PixelsOf(HWND window, int& width, int& height) {
    RECT r{};
    ::GetWindowRect(window, &r);
    width = r.right - r.left;
    height = r.bottom - r.top;
    std::vector<COLORREF> pixels;
    winkit::WindowDC screen(nullptr);
    winkit::ScopedMemoryDC dc(::CreateCompatibleDC(screen.get()));
    BITMAPINFO info = winkit::TopDown32BitInfo(width, height);
    void* bits = nullptr;
    winkit::ScopedGdiObject bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || width <= 0 || height <= 0)
        return pixels;
    {
        winkit::SelectObjectGuard selected(dc.get(), bitmap.get());
        ::BitBlt(dc.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
        ::GdiFlush();
    }
    const auto* p = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width * height; ++i)
        pixels.push_back(RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF));
    return pixels;
}

// Windows path of a Unix one (Wine's Z: drive holds the whole file system).
std::wstring FromUnixPath(const char* path) {
    std::wstring w = L"Z:";
    for (const char* c = path; *c; ++c)
        w += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return w;
}

std::wstring ShortDateNow() {
    wchar_t text[128] = {};
    ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, 128);
    return text;
}

} // namespace

TEST_F(ClipboardMenuTest, TrayClicksOpenTheMenuAndToUpperCaseWorksByAccessKeys) {
    WriteSettings(L"1", L"0");
    Start();
    ASSERT_TRUE(ClickTray(WM_RBUTTONDOWN)) << "a right click on the icon opens the clipboard menu";
    Key(VK_ESCAPE);
    ASSERT_TRUE(MenuClosed());

    ASSERT_TRUE(PutClipboardText(L"Mixed text 42"));
    ASSERT_TRUE(ClickTray(WM_LBUTTONDOWN));
    Key('C'); // &Case Conversion
    Key('U'); // To &Upper Case
    EXPECT_TRUE(WaitForClipboard(L"MIXED TEXT 42"));
    EXPECT_TRUE(MenuClosed());
}

TEST_F(ClipboardMenuTest, WithAddressesDisabledNoItemAnswersTheirAccessKey) {
    WriteSettings(L"1", L"0");
    Start();
    ASSERT_TRUE(PutClipboardText(L"before"));
    ASSERT_TRUE(ClickTray());
    // Had an "I&P adress" item been there, P would have chosen it and closed the menu, and D would have
    // gone nowhere: the date on the clipboard shows that P found no item.
    Key('P');
    Key('D'); // Current &Date
    EXPECT_TRUE(WaitForClipboard(ShortDateNow())) << "the clipboard holds " << ClipboardText().value_or(L"(nothing)").size()
                                                  << " characters";
}

TEST_F(ClipboardMenuTest, AddressItemsOfBothMenusPutTheAddressTheyShow) {
    WriteSettings(L"0", L"0");
    Start();
    ASSERT_TRUE(PutClipboardText(L"before"));
    ASSERT_TRUE(ClickTray());
    Key('P'); // I&P adress (…): the public address
    ASSERT_TRUE(winkit::WaitUntil(
        [] {
            const auto text = ClipboardText();
            return text && *text != L"before";
        },
        kActionTimeout));
    const std::wstring address = ClipboardText().value_or(L"");
    // Dotted decimal: four numbers of 0 to 255.
    int parts[4] = {-1, -1, -1, -1};
    char tail = 0;
    ASSERT_EQ(::swscanf(address.c_str(), L"%d.%d.%d.%d%c", &parts[0], &parts[1], &parts[2], &parts[3], &tail), 4)
        << "not an address";
    for (int p : parts) {
        EXPECT_GE(p, 0);
        EXPECT_LE(p, 255);
    }

    // The main clip window loads after the lookup has begun; its own item has the same address.
    ASSERT_TRUE(PutClipboardText(L"before"));
    ASSERT_TRUE(ClickTray());
    Key('Q'); // Show &Quillet
    namespace ids = quillet::frmquillet_ids;
    const HWND window = quillet_.WaitForWindow(ids::kClassName, kActionTimeout);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(winkit::WaitUntil([window] { return ::GetForegroundWindow() == window; }, kActionTimeout));
    // &Clipboard opens on its first item; down to Copy to clipboard, into it, down past the date and the
    // time to the public address.
    ASSERT_TRUE(e2e::MenuKeys(window, 'C', {VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN}));
    EXPECT_TRUE(WaitForClipboard(address))
        << "the clipboard holds " << ClipboardText().value_or(L"(nothing)").size() << " characters";
}

TEST_F(ClipboardMenuTest, CurrentDatePastesWhenAutoPasteOtherIsOn) {
    WriteSettings(L"1", L"1");
    Start();
    testkit::TargetWindow target;
    ASSERT_TRUE(target.Activate());
    ASSERT_TRUE(Noticed(target));
    ASSERT_TRUE(ClickTray());
    Key('D');
    const std::wstring date = ShortDateNow();
    EXPECT_TRUE(WaitForClipboard(date));
    EXPECT_TRUE(winkit::WaitUntil([&] { return target.text() == date; }, kActionTimeout)) << "pasted nothing";
}

TEST_F(ClipboardMenuTest, RunAtStartupWritesAndRemovesTheRunEntry) {
    WriteSettings(L"1", L"0");
    Start();
    ASSERT_TRUE(ClickTray());
    Key('O'); // &Options
    Key('R'); // &Run At Startup
    const std::wstring expected = L"\"" + quillet_.folder() + L"Quillet.exe\" nowindow";
    EXPECT_TRUE(winkit::WaitUntil([&] { return RunValue() == expected; }, kActionTimeout)) << "value: " << RunValue().size();
    EXPECT_TRUE(winkit::WaitUntil([&] { return Setting(L"RunOnStartup") == L"1"; }, kActionTimeout));
    ASSERT_TRUE(MenuClosed());

    ASSERT_TRUE(ClickTray());
    Key('O');
    Key('R');
    EXPECT_TRUE(winkit::WaitUntil([&] { return RunValue().empty(); }, kActionTimeout));
    EXPECT_TRUE(winkit::WaitUntil([&] { return Setting(L"RunOnStartup") == L"0"; }, kActionTimeout));
}

TEST_F(ClipboardMenuTest, TrayIconIsThereWhileRunningAndGoneAfterExit) {
    WriteSettings(L"1", L"0");
    Start();
    // Changing the tip succeeds only for an icon the notification area holds.
    NOTIFYICONDATAW probe{};
    probe.cbSize = NOTIFYICONDATAW_V1_SIZE;
    probe.hWnd = form_;
    probe.uID = 1;
    probe.uFlags = NIF_TIP;
    wcscpy(probe.szTip, L"Quillet");
    // The icon comes late in the start-up, after the main form exists.
    EXPECT_TRUE(winkit::WaitUntil([&] { return ::Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE; }, kStartTimeout))
        << "no tray icon while the program runs";
    ::PostMessageW(form_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(quillet_.WaitForExit(10000));
    form_ = nullptr;
    EXPECT_FALSE(::Shell_NotifyIconW(NIM_MODIFY, &probe)) << "the icon outlived the program";
}

TEST_F(ClipboardMenuTest, ClipItemsListExactlyTheFilledClipsAndPasteTheChosenOne) {
    WriteSettings(L"1", L"0");
    const std::wstring file = quillet_.folder() + L"settings.ini";
    ::WritePrivateProfileStringW(L"Hotkeys", L"HKGlobalMenuMod", L"3", file.c_str());
    ::WritePrivateProfileStringW(L"Hotkeys", L"HKGlobalMenuKey", L"71", file.c_str());
    // The program folder's default project, with clips 2 and 5 filled.
    testkit::TempFolder work{L"quillet-e2e-work"};
    quillet::TempFolder = work.path();
    ASSERT_TRUE(::CreateDirectoryW((quillet_.folder() + L"projects").c_str(), nullptr));
    quillet::ClipProject project;
    project.CleanUp();
    project.slot(2).text = L"second clip";
    const std::wstring longText = L"abcdefghijklmnoABCDEFGHIJKLMNO123456789012345"; // 45 characters
    project.slot(5).text = longText;
    ASSERT_TRUE(quillet::SaveProject(project, quillet_.folder() + L"projects\\default.ql"));
    Start();

    testkit::TargetWindow target;
    ASSERT_TRUE(target.Activate());
    ASSERT_TRUE(Noticed(target));
    // The clipboard menu's own hotkey, Ctrl+Alt+G, pressed over the target.
    testkit::SendKeys({{VK_CONTROL, true}, {VK_MENU, true}, {'G', true}, {'G', false}, {VK_MENU, false}, {VK_CONTROL, false}});
    ASSERT_TRUE(winkit::WaitUntil([this] { return ShownMenu(quillet_.processId()) != nullptr; }, kActionTimeout))
        << "Ctrl+Alt+G showed no menu";
    // Cl&ip from Quillet opens with its first item selected; one step down is the second item.
    Key('I');
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_TRUE(winkit::WaitUntil([&] { return target.text() == longText; }, kActionTimeout))
        << "the second item is clip 5, pasted whole";
    ASSERT_TRUE(MenuClosed());

    target.clear();
    ASSERT_TRUE(target.Activate());
    ASSERT_TRUE(Noticed(target));
    ASSERT_TRUE(ClickTray());
    // Two steps down wrap round to the first item only when there are exactly two.
    Key('I');
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_TRUE(winkit::WaitUntil([&] { return target.text() == L"second clip"; }, kActionTimeout))
        << "the submenu holds more than the two filled clips";
}

TEST_F(ClipboardMenuTest, MenusAreDrawnWithSideBarAndPictures) {
    WriteSettings(L"1", L"0");
    Start();
    const bool drawn = LibraryDrawsMenus();
    ASSERT_TRUE(ClickTray());
    HWND menu = ShownMenu(quillet_.processId());
    ASSERT_NE(menu, nullptr);
    // Let it paint: its pixels stop changing.
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    winkit::WaitUntil(
        [&] {
            auto now = PixelsOf(menu, width, height);
            const bool settled = !now.empty() && now == pixels;
            pixels = std::move(now);
            return settled;
        },
        kActionTimeout, 100);
    ASSERT_GT(width, 40);
    ASSERT_GT(height, 100);
    // scripts/menu-screenshot-app.sh takes its picture while the menu is up.
    if (const char* ready = std::getenv("QUILLET_MENU_SHOT_READY")) {
        const char* done = std::getenv("QUILLET_MENU_SHOT_DONE");
        winkit::ScopedFile marker(::CreateFileW(FromUnixPath(ready).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
        marker.reset();
        if (done)
            winkit::WaitUntil([&] { return testkit::FileExists(FromUnixPath(done)); }, 20000, 50);
    }
    if (!drawn)
        Key(VK_ESCAPE);
    ASSERT_TRUE(drawn) << "the library's menu drawer did not come up";

    // The side bar: a band down the left edge that is not the menu's background, on nearly every row.
    const COLORREF background = ::GetSysColor(COLOR_MENU);
    int barRows = 0;
    for (int y = 4; y < height - 4; ++y)
        barRows += pixels[static_cast<size_t>(y * width + 6)] != background;
    EXPECT_GT(barRows, (height - 8) * 9 / 10) << "no side bar down the left edge";

    // The pictures: the calendar's red header and the clipboard's board brown are the program's own colours.
    int red = 0, brown = 0;
    for (COLORREF c : pixels) {
        red += c == RGB(190, 40, 40);
        brown += c == RGB(170, 120, 70);
    }
    EXPECT_GT(red, 10) << "the date item has no picture";
    EXPECT_GT(brown, 10) << "the clip submenu item has no picture";

    Key(VK_ESCAPE);
    EXPECT_TRUE(MenuClosed());
}
