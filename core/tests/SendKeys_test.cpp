#include "core/SendKeys.h"

#include <gtest/gtest.h>

using core::KeyStroke;

namespace {
KeyStroke Key(std::uint16_t vk, bool ctrl = false, bool shift = false, bool alt = false) {
    KeyStroke k;
    k.virtualKey = vk;
    k.ctrl = ctrl;
    k.shift = shift;
    k.alt = alt;
    return k;
}
KeyStroke Char(wchar_t c, bool shift = false) {
    KeyStroke k;
    k.character = c;
    k.shift = shift;
    return k;
}
} // namespace

TEST(ParseSendKeys, PasteMethodsGiveCtrlVAndShiftInsert) {
    // Ctrl with a letter is the shortcut key 'V' (0x56), not the character.
    EXPECT_EQ(core::ParseSendKeys(core::kCtrlV), std::vector<KeyStroke>{Key(0x56, true)});
    EXPECT_EQ(core::ParseSendKeys(core::kShiftInsert), std::vector<KeyStroke>{Key(0x2D, false, true)});
    EXPECT_TRUE(Key(0x2D).isExtended());
    EXPECT_FALSE(Key(0x56).isExtended());
}

TEST(ParseSendKeys, ModifiersHoldOnlyForTheNextKey) {
    const auto strokes = core::ParseSendKeys(L"+ab%{F4}~{ENTER}");
    ASSERT_TRUE(strokes);
    EXPECT_EQ(*strokes, (std::vector<KeyStroke>{Char(L'a', true), Char(L'b'), Key(0x73, false, false, true),
                                                 Key(0x0D), Key(0x0D)}));
}

TEST(ParseSendKeys, BracesQuoteTheSpecialCharacters) {
    const auto strokes = core::ParseSendKeys(L"{+}{^}{{}{}}{%}{~}");
    ASSERT_TRUE(strokes);
    EXPECT_EQ(*strokes, (std::vector<KeyStroke>{Char(L'+'), Char(L'^'), Char(L'{'), Char(L'}'), Char(L'%'),
                                                 Char(L'~')}));
}

TEST(ParseSendKeys, MalformedNotationIsRefused) {
    for (const wchar_t* bad : {L"{INSERT", L"^", L"a+", L"{NOSUCHKEY}", L"{}", L"(ab)", L"}", L"{F17}", L"{F0}"})
        EXPECT_FALSE(core::ParseSendKeys(bad)) << bad;
    EXPECT_EQ(core::ParseSendKeys(L""), std::vector<KeyStroke>{});
}

TEST(TextKeyStrokes, TypesEveryCharacterAsItselfAndLineBreaksAsEnter) {
    // No notation: "+" and "{" are typed, and each kind of line break is one Enter.
    EXPECT_EQ(core::TextKeyStrokes(L"a+{\r\nb\rc\nž"),
              (std::vector<KeyStroke>{Char(L'a'), Char(L'+'), Char(L'{'), Key(0x0D), Char(L'b'), Key(0x0D),
                                      Char(L'c'), Key(0x0D), Char(L'\u017E')}));
}
