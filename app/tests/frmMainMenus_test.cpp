#include "app/menu/frmMainMenus.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using quillet::frmMainMenus;

namespace {

std::wstring TextAt(HMENU menu, int position) {
    wchar_t text[128] = {};
    ::GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
    return text;
}

std::vector<std::wstring> Texts(HMENU menu) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        texts.push_back(TextAt(menu, i));
    return texts;
}

bool CheckedAt(HMENU menu, int position) {
    return (::GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_CHECKED) != 0;
}

} // namespace

TEST(frmMainMenus, BarHoldsTheTwoPopupsWithTheirItemsInOrder) {
    frmMainMenus menus;
    EXPECT_EQ(Texts(menus.bar()), (std::vector<std::wstring>{L"&Quillet Menu", L"&Quillet"}));
    EXPECT_EQ(::GetSubMenu(menus.bar(), 0), menus.clipboardMenu());
    EXPECT_EQ(::GetSubMenu(menus.bar(), 1), menus.pasteMenu());
    // The LAN address item starts hidden, so it is not in the popup at all.
    EXPECT_EQ(Texts(menus.clipboardMenu()),
              (std::vector<std::wstring>{L"Quillet Menu", L"Show &Quillet", L"Clipboard Formatting", L"&Case Conversion",
                                         L"&Remove Diacritics", L"R&everse Text", L"Copy to Clipboard", L"Current &Date",
                                         L"Current &Time", L"I&P adress", L"Cl&ip from Quillet", L"Quillet &Settings",
                                         L"&Options", L"E&xit"}));
    HMENU cases = ::GetSubMenu(menus.clipboardMenu(), 3);
    ASSERT_NE(cases, nullptr);
    EXPECT_EQ(Texts(cases), (std::vector<std::wstring>{L"To &Lower Case", L"To &Upper Case", L"", L"To &Proper Case",
                                                       L"&Reverse Case", L"", L"Make &Sentences", L"&To ZiG zAg Case"}));
    EXPECT_EQ(::GetMenuState(cases, 2, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    HMENU options = ::GetSubMenu(menus.clipboardMenu(), 12);
    EXPECT_EQ(Texts(options), (std::vector<std::wstring>{L"&Settings...", L"", L"&Run At Startup"}));
    // The paste menu: its clip items start hidden; auto paste starts checked.
    EXPECT_EQ(Texts(menus.pasteMenu()), (std::vector<std::wstring>{L"Quillet", L"&Auto Paste", L"Clips"}));
    EXPECT_TRUE(CheckedAt(menus.pasteMenu(), 1));
}

TEST(frmMainMenus, LoadQLMenuMakesThirtyClipItemsInEachMenuWithDistinctIds) {
    frmMainMenus menus;
    EXPECT_NE(menus.ClipItem(true, 1), nullptr);
    EXPECT_EQ(menus.ClipItem(true, 2), nullptr) << "only element 1 exists before the form loads";
    menus.LoadQLMenu();
    std::set<UINT> ids;
    for (int n = 1; n <= 30; ++n) {
        ASSERT_NE(menus.ClipItem(true, n), nullptr) << n;
        ASSERT_NE(menus.ClipItem(false, n), nullptr) << n;
        ids.insert(menus.ClipItem(true, n)->id);
        ids.insert(menus.ClipItem(false, n)->id);
        EXPECT_EQ(menus.FromId(menus.ClipItem(false, n)->id), menus.ClipItem(false, n));
    }
    EXPECT_EQ(ids.size(), 60u);
    EXPECT_EQ(menus.ClipItem(true, 31), nullptr);
}

TEST(frmMainMenus, ClipboardMenuShowsExactlyTheFilledClipsCutToThirtyCharacters) {
    frmMainMenus menus;
    menus.LoadQLMenu();
    const std::wstring longText = L"abcdefghijklmnoABCDEFGHIJKLMNO123456789012345"; // 45 characters
    auto empty = [](int n) { return n != 2 && n != 5; };
    auto text = [&](int n) { return n == 2 ? std::wstring(L"second") : longText; };
    menus.RefreshClipMenuItems(true, empty, text);
    HMENU clips = ::GetSubMenu(menus.clipboardMenu(), 10);
    EXPECT_EQ(Texts(clips), (std::vector<std::wstring>{L"(2) &second", L"(5) &abcdefghijklmnoABCDEFGHIJKLMNO"}));
    EXPECT_EQ(::GetMenuItemID(clips, 1), menus.ClipItem(true, 5)->id);
    EXPECT_EQ(::GetMenuItemCount(menus.pasteMenu()), 3) << "the clipboard menu's refresh leaves the paste menu";

    // Clip 2 emptied, clip 9 filled: the paste menu's refresh keeps slot order in both menus.
    auto empty2 = [](int n) { return n != 5 && n != 9; };
    menus.RefreshClipMenuItems(false, empty2, [](int n) { return L"clip" + std::to_wstring(n); });
    EXPECT_EQ(Texts(clips), (std::vector<std::wstring>{L"(5) &clip5", L"(9) &clip9"}));
    EXPECT_EQ(Texts(menus.pasteMenu()),
              (std::vector<std::wstring>{L"Quillet", L"&Auto Paste", L"Clips", L"(5) &clip5", L"(9) &clip9"}));
}

TEST(frmMainMenus, HiddenItemsComeBackAtTheirOwnPlaceWithTheirChecks) {
    frmMainMenus menus;
    quillet::MenuNode* lan = menus.Item(L"mnuIpAdressLAN");
    quillet::MenuNode* pub = menus.Item(L"mnuIpAdressPUB");
    menus.SetCaption(*lan, L"I&P adress (10.0.0.2)");
    menus.SetVisible(*lan, true);
    EXPECT_EQ(TextAt(menus.clipboardMenu(), 10), L"I&P adress (10.0.0.2)");
    EXPECT_EQ(TextAt(menus.clipboardMenu(), 11), L"Cl&ip from Quillet");
    menus.SetVisible(*pub, false);
    EXPECT_EQ(TextAt(menus.clipboardMenu(), 9), L"I&P adress (10.0.0.2)");

    quillet::MenuNode* run = menus.Item(L"mnuRunStartup");
    HMENU options = menus.MenuOf(*run);
    menus.SetChecked(*run, true);
    EXPECT_TRUE(CheckedAt(options, 2));
    // A check put from outside (by the menu drawer through the item's object) reaches the Win32 item too.
    run->state->checked = false;
    run->state->checkedChanged();
    EXPECT_FALSE(CheckedAt(options, 2));
}
