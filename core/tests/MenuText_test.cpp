#include "core/MenuText.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(MenuText, TextBeforeCutsAtTheFirstMarkAndTrims) {
    EXPECT_EQ(core::TextBefore(L"  Open  \tCtrl+O", L'\t'), L"Open");
    EXPECT_EQ(core::TextBefore(L"Open", L'\t'), L"") << "no TAB at all";
    EXPECT_EQ(core::TextBefore(L"\tCtrl+O", L'\t'), L"") << "the TAB stands first";
    EXPECT_EQ(core::TextBefore(L"C:\\Windows\0\0\0"s, L'\0'), L"C:\\Windows");
    EXPECT_EQ(core::TextBefore(L"   \t", L'\t'), L"") << "only spaces before it";
}

TEST(MenuText, ShortcutIsTheTextAfterTheTabUpToTheTerminator) {
    EXPECT_EQ(core::ShortcutPart(L"Open\tCtrl+O\0    "s), L"Ctrl+O");
    EXPECT_EQ(core::ShortcutPart(L"Open\tCtrl+O"), L"Ctrl+O");
    EXPECT_EQ(core::ShortcutPart(L"Open"), L"");
    EXPECT_EQ(core::ShortcutPart(L"Open\t"), L"");
}

TEST(MenuText, ItemTextsFromAFixedBuffer) {
    // An 80-space buffer the system wrote "&Open\tCtrl+O" and its terminator into.
    std::wstring buffer(80, L' ');
    buffer += L'\0';
    const std::wstring text = L"&Open\tCtrl+O";
    buffer.replace(0, text.size() + 1, text + L'\0');
    const core::MenuItemText withShortcut = core::SplitMenuItemText(buffer);
    EXPECT_EQ(withShortcut.caption, L"&Open");
    EXPECT_EQ(withShortcut.shortcut, L"Ctrl+O");

    const core::MenuItemText plain = core::SplitMenuItemText(L"Clips\0     \0"s);
    EXPECT_EQ(plain.caption, L"Clips");
    EXPECT_EQ(plain.shortcut, L"");
    // A TAB among the spaces after the terminator belongs to no item.
    const core::MenuItemText stale = core::SplitMenuItemText(L"Exit\0 \told\0"s);
    EXPECT_EQ(stale.caption, L"Exit");
    EXPECT_EQ(stale.shortcut, L"");
    EXPECT_EQ(core::SplitMenuItemText(L"\0      \0"s).caption, L"");
}

TEST(MenuText, AccessKeyIsTheLetterAfterASingleAmpersand) {
    EXPECT_EQ(core::AccessKey(L"&Open"), L'O');
    EXPECT_EQ(core::AccessKey(L"Quillet &settings"), L'S');
    EXPECT_EQ(core::AccessKey(L"Copy && &paste"), L'P') << "&& is a literal ampersand";
    EXPECT_EQ(core::AccessKey(L"Fish && chips"), 0);
    EXPECT_EQ(core::AccessKey(L"No key"), 0);
    EXPECT_EQ(core::AccessKey(L"Trailing&"), 0);
    EXPECT_EQ(core::AccessKey(L"&\u00e9t\u00e9"), L'\u00c9');
}

TEST(MenuText, AccessKeyPicksTheFirstMatchAfterTheSelection) {
    const std::vector<std::wstring> captions = {L"&Upper case", L"", L"&Lower case", L"&Undo", L"Plain"};
    EXPECT_EQ(core::ItemForAccessKey(captions, -1, L'u'), 0) << "nothing selected: from the top";
    EXPECT_EQ(core::ItemForAccessKey(captions, 0, L'U'), 3) << "after the selected item";
    EXPECT_EQ(core::ItemForAccessKey(captions, 3, L'u'), 0) << "wraps round";
    EXPECT_EQ(core::ItemForAccessKey(captions, 2, L'l'), 2) << "the only match, even when selected";
    EXPECT_EQ(core::ItemForAccessKey(captions, -1, L'p'), -1) << "Plain has no access key";
    EXPECT_EQ(core::ItemForAccessKey({}, -1, L'u'), -1);
    EXPECT_EQ(core::ItemForAccessKey(captions, 7, L'l'), 2) << "a selection out of range counts as none";
}

TEST(MenuText, CaptionsCompareWithoutCase) {
    EXPECT_TRUE(core::SameCaption(L"&Exit", L"&EXIT"));
    EXPECT_FALSE(core::SameCaption(L"Exit", L"Exit "));
    EXPECT_FALSE(core::SameCaption(L"Exit", L"Edit"));
}
