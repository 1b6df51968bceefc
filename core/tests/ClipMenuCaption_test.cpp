#include "core/ClipMenuCaption.h"

#include <gtest/gtest.h>

TEST(ClipMenuCaption, NumbersTheClipAndMakesItsFirstCharacterTheAccessKey) {
    EXPECT_EQ(core::ClipMenuCaption(2, L"hello"), L"(2) &hello");
    EXPECT_EQ(core::ClipMenuCaption(30, L"x"), L"(30) &x");
    EXPECT_EQ(core::ClipMenuCaption(7, L""), L"(7) &");
}

TEST(ClipMenuCaption, ShowsAtMostThirtyCharactersOfTheRowText) {
    // 45 characters: three runs of fifteen, so the cut after thirty is easy to see.
    const std::wstring text = L"abcdefghijklmnoABCDEFGHIJKLMNO123456789012345";
    ASSERT_EQ(text.size(), 45u);
    EXPECT_EQ(core::ClipMenuCaption(5, text), L"(5) &abcdefghijklmnoABCDEFGHIJKLMNO");
    const std::wstring thirty = L"abcdefghijklmnoABCDEFGHIJKLMNO";
    EXPECT_EQ(core::ClipMenuCaption(5, thirty), L"(5) &" + thirty) << "exactly thirty stays whole";
}

TEST(ClipMenuCaption, DoesNotSplitACharacterOutsideTheBasicPlane) {
    // 29 letters, then U+1F600 as a surrogate pair occupying units 30 and 31.
    std::wstring text(29, L'a');
    text += L"\xD83D\xDE00";
    text += L"tail";
    EXPECT_EQ(core::ClipMenuCaption(1, text), L"(1) &" + std::wstring(29, L'a'));
    // The pair inside the first thirty units survives whole.
    std::wstring early = L"\xD83D\xDE00";
    early += std::wstring(40, L'b');
    EXPECT_EQ(core::ClipMenuCaption(1, early), L"(1) &\xD83D\xDE00" + std::wstring(28, L'b'));
}
