#include "app/menu/WindowsCaseMapper.h"

#include "core/modFormatText.h"
#include "core/tests/CaseMappingCases.h"
#include "winkit/TextConv.h"

#include <gtest/gtest.h>

using quillet::PlatformCases;

// The same worked-out cases the core's stand-in is held to.
TEST(WindowsCaseMapper, MatchesTheWorkedOutCases) {
    for (const auto& c : coretest::CaseMappingCases()) {
        EXPECT_EQ(PlatformCases().Lower(c.text), c.lower) << winkit::ToUtf8(c.text);
        EXPECT_EQ(PlatformCases().Upper(c.text), c.upper) << winkit::ToUtf8(c.text);
    }
}

TEST(WindowsCaseMapper, LettersOfEveryScriptAreLetters) {
    for (wchar_t c : std::wstring(L"aZžŽжßσ東"))
        EXPECT_TRUE(PlatformCases().IsLetter(c)) << int(c);
    for (wchar_t c : std::wstring(L"0 .,-'\t"))
        EXPECT_FALSE(PlatformCases().IsLetter(c)) << int(c);
}

TEST(WindowsCaseMapper, DrivesTheCoreTransformsAsTheStandInDoes) {
    const auto& cases = PlatformCases();
    EXPECT_FALSE(core::IsUpperChar(L'ř', cases));
    EXPECT_EQ(core::ToProperCase(L"STRASSE straße don't", cases), L"Strasse Straße Don't");
}
