#include "core/KeyByKeyText.h"

#include <gtest/gtest.h>

TEST(IsKeyByKeyText, LettersBlanksLineBreaksAndTheListedPunctuationPass) {
    EXPECT_TRUE(core::IsKeyByKeyText(L""));
    EXPECT_TRUE(core::IsKeyByKeyText(L"Hello World"));
    EXPECT_FALSE(core::IsKeyByKeyText(L"Dear Sir,\r\nthank you")); // the comma is not listed
    EXPECT_TRUE(core::IsKeyByKeyText(L"Dear Sir\r\nthank you\n"));
    EXPECT_TRUE(core::IsKeyByKeyText(L"-.<>[]:`&=!/\\'\u00A7$@#* \""));
}

TEST(IsKeyByKeyText, AccentedLettersPassInEitherCase) {
    // "Příliš žluťoučký kůň": ť (U+0165) is not in the list, in neither case.
    EXPECT_TRUE(core::IsKeyByKeyText(L"P\u0159\u00EDli\u0161 \u017Elu"));
    EXPECT_FALSE(core::IsKeyByKeyText(L"\u0165"));
    EXPECT_FALSE(core::IsKeyByKeyText(L"\u0164"));
    // Only small ž is listed; its capital Ž (U+017D) passes by the case-blind comparison. Ĺ (U+0139) and
    // ĺ (U+013A) are both listed; Ź (U+0179) is not listed in either case.
    EXPECT_TRUE(core::IsKeyByKeyText(L"\u017D"));
    EXPECT_TRUE(core::IsKeyByKeyText(L"\u013A\u0139"));
    EXPECT_FALSE(core::IsKeyByKeyText(L"\u0179"));
    // Only capital Ţ and Ă appear with small ţ and ă; Ñ is not listed.
    EXPECT_TRUE(core::IsKeyByKeyText(L"\u0163\u0162\u0103\u0102"));
    EXPECT_FALSE(core::IsKeyByKeyText(L"\u00D1"));
    EXPECT_FALSE(core::IsKeyByKeyText(L"\u00FF"));
}

TEST(IsKeyByKeyText, DigitsAndNotationCharactersAreRefused) {
    for (const wchar_t* bad : {L"abc1", L"0", L"a+b", L"^", L"%", L"~", L"(", L")", L"{", L"}", L"a,b", L"?", L"\t",
                               L"\u65E5"})
        EXPECT_FALSE(core::IsKeyByKeyText(bad)) << static_cast<int>(bad[0]);
}

TEST(FoldLatinCase, PairsCapitalAndSmallLetters) {
    EXPECT_EQ(core::FoldLatinCase(L'Q'), L'q');
    EXPECT_EQ(core::FoldLatinCase(L'q'), L'q');
    EXPECT_EQ(core::FoldLatinCase(L'\u00C9'), L'\u00E9'); // É é
    EXPECT_EQ(core::FoldLatinCase(L'\u00D7'), L'\u00D7'); // × has no pair
    EXPECT_EQ(core::FoldLatinCase(L'\u010C'), L'\u010D'); // Č č
    EXPECT_EQ(core::FoldLatinCase(L'\u0147'), L'\u0148'); // Ň ň (odd capital)
    EXPECT_EQ(core::FoldLatinCase(L'\u0150'), L'\u0151'); // Ő ő
    EXPECT_EQ(core::FoldLatinCase(L'\u017D'), L'\u017E'); // Ž ž
    EXPECT_EQ(core::FoldLatinCase(L'\u0178'), L'\u00FF'); // Ÿ ÿ
    EXPECT_EQ(core::FoldLatinCase(L'1'), L'1');
}
