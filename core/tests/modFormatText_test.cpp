#include "core/modFormatText.h"

#include "core/tests/CaseMappingCases.h"
#include "core/tests/LocaleCaseMapper.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

const coretest::LocaleCaseMapper& Cases() {
    static const coretest::LocaleCaseMapper mapper;
    return mapper;
}

// A platform that maps "ß" to "SS" in upper case, as full case mapping does: the text grows.
class ExpandingMapper : public CaseMapper {
public:
    std::wstring Lower(std::wstring_view text) const override { return Cases().Lower(text); }
    std::wstring Upper(std::wstring_view text) const override {
        std::wstring out;
        for (wchar_t c : text)
            out += c == L'ß' ? std::wstring(L"SS") : Cases().Upper(std::wstring_view(&c, 1));
        return out;
    }
    bool IsLetter(wchar_t c) const override { return Cases().IsLetter(c); }
};

class RefusingMapper : public CaseMapper {
public:
    std::wstring Lower(std::wstring_view) const override { throw CaseMappingError("refused"); }
    std::wstring Upper(std::wstring_view) const override { throw CaseMappingError("refused"); }
    bool IsLetter(wchar_t) const override { return true; }
};

} // namespace

TEST(CaseMapping, StandInMatchesTheWorkedOutCases) {
    for (const auto& c : coretest::CaseMappingCases()) {
        EXPECT_EQ(ToLowerCase(c.text, Cases()), c.lower);
        EXPECT_EQ(ToUpperCase(c.text, Cases()), c.upper);
    }
}

TEST(IsUpperChar, CapitalsDigitsBlanksAndUncasedCharactersCountAsUpper) {
    for (wchar_t c : std::wstring(L"AŽĚЖΣ09 .,\t中"))
        EXPECT_TRUE(IsUpperChar(c, Cases())) << int(c);
    for (wchar_t c : std::wstring(L"ažěжσ"))
        EXPECT_FALSE(IsUpperChar(c, Cases())) << int(c);
}

TEST(ProperCase, EveryWordStartsWithACapitalAndTheRestIsSmall) {
    EXPECT_EQ(ToProperCase(L"hello wORLD", Cases()), L"Hello World");
    EXPECT_EQ(ToProperCase(L"žluťoučký KŮŇ", Cases()), L"Žluťoučký Kůň");
    EXPECT_EQ(ToProperCase(L"well-known (sort) of\tthing\r\nnext", Cases()), L"Well-Known (Sort) Of\tThing\r\nNext");
    EXPECT_EQ(ToProperCase(L"don't 3rd o'clock", Cases()), L"Don't 3rd O'clock");
    // A letter without an upper-case form still belongs to its word.
    EXPECT_EQ(ToProperCase(L"STRASSE straße", Cases()), L"Strasse Straße");
    EXPECT_EQ(ToProperCase(L"", Cases()), L"");
}

TEST(ReverseCase, SwapsCaseAndLeavesOtherCharacters) {
    EXPECT_EQ(ReverseCase(L"Hello 123", Cases()), L"hELLO 123");
    EXPECT_EQ(ReverseCase(L"ŽluŤ Кот", Cases()), L"žLUť кОТ");
    EXPECT_EQ(ReverseCase(L"", Cases()), L"");
}

TEST(ReverseCase, WorksPastThirtyTwoThousandCharacters) {
    std::wstring text, expected;
    for (int i = 0; i < 20000; ++i) {
        text += L"aB";
        expected += L"Ab";
    }
    EXPECT_EQ(ReverseCase(text, Cases()), expected);
}

TEST(ZigZagCase, AlternatesOnEveryCharacter) {
    EXPECT_EQ(ZigZagCase(L"hello world", true, Cases()), L"HeLlO WoRlD");
    EXPECT_EQ(ZigZagCase(L"hello world", false, Cases()), L"hElLo wOrLd");
    EXPECT_EQ(ZigZagCase(L"ŽLUŤ", true, Cases()), L"ŽlUť");
    EXPECT_EQ(ZigZagCase(L"1abc", true, Cases()), L"1aBc");
}

TEST(SentenceCase, TrimsCapitalisesSentencesAndEndsWithAFullStop) {
    EXPECT_EQ(SentenceCase(L"  hello world. how ARE you  ", true, Cases()), L"Hello world. How ARE you.");
    EXPECT_EQ(SentenceCase(L"  hello world. how ARE you  ", false, Cases()), L"Hello world. How are you.");
    EXPECT_EQ(SentenceCase(L"hi: there", true, Cases()), L"Hi: There.");
    EXPECT_EQ(SentenceCase(L"what? no! yes", true, Cases()), L"What? No! Yes.");
}

TEST(SentenceCase, KeepsAFinalStopButNotAFinalColon) {
    EXPECT_EQ(SentenceCase(L"done.", true, Cases()), L"Done.");
    EXPECT_EQ(SentenceCase(L"really?", true, Cases()), L"Really?");
    EXPECT_EQ(SentenceCase(L"stop!", true, Cases()), L"Stop!");
    EXPECT_EQ(SentenceCase(L"list:", true, Cases()), L"List:.");
}

TEST(SentenceCase, TheFirstCasedLetterStartsTheSentence) {
    EXPECT_EQ(SentenceCase(L"1. první bod", true, Cases()), L"1. První bod.");
    EXPECT_EQ(SentenceCase(L"\"quoted\" start", true, Cases()), L"\"Quoted\" start.");
    EXPECT_EQ(SentenceCase(L"a.b", true, Cases()), L"A.B.");
}

TEST(CaseTransforms, StayAlignedWhenThePlatformChangesTheLength) {
    const ExpandingMapper expanding;
    EXPECT_EQ(ReverseCase(L"aßb", expanding), L"AßB");
    EXPECT_EQ(ZigZagCase(L"ßab", true, expanding), L"ßaB");
    EXPECT_EQ(ToProperCase(L"ßa b", expanding), L"ßa B");
    EXPECT_EQ(SentenceCase(L"ßa. b", true, expanding), L"ßA. B.");
}

TEST(CaseTransforms, APlatformRefusalReachesTheCaller) {
    const RefusingMapper refusing;
    EXPECT_THROW(ReverseCase(L"abc", refusing), CaseMappingError);
    EXPECT_THROW(SentenceCase(L"abc", true, refusing), CaseMappingError);
}
