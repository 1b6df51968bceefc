#include "core/modStrings.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using core::RemoveDiacritics;
using core::ReplaceAll;
using core::ReverseText;
using core::SplitRecordLines;

namespace {

// The table's pairs, one by one.
const std::vector<std::pair<wchar_t, wchar_t>> kPairs = {
    {L'ž', L'z'}, {L'š', L's'}, {L'č', L'c'}, {L'ř', L'r'}, {L'ď', L'd'}, {L'ť', L't'}, {L'ň', L'n'},
    {L'Ž', L'Z'}, {L'Š', L'S'}, {L'Č', L'C'}, {L'Ř', L'R'}, {L'Ď', L'D'}, {L'Ť', L'T'}, {L'Ň', L'N'},
    {L'á', L'a'}, {L'é', L'e'}, {L'ě', L'e'}, {L'í', L'i'}, {L'ó', L'o'}, {L'ú', L'u'}, {L'ů', L'u'},
    {L'ý', L'y'}, {L'Á', L'A'}, {L'É', L'E'}, {L'Ě', L'E'}, {L'Í', L'I'}, {L'Ó', L'O'}, {L'Ú', L'U'},
    {L'Ů', L'U'}, {L'Ý', L'Y'}, {L'Ŕ', L'R'}, {L'Â', L'A'}, {L'Ä', L'A'}, {L'Ĺ', L'L'}, {L'Ć', L'C'},
    {L'Ç', L'C'}, {L'Ę', L'E'}, {L'Ë', L'E'}, {L'Î', L'I'}, {L'Đ', L'D'}, {L'Ń', L'N'}, {L'Ô', L'O'},
    {L'Ő', L'O'}, {L'Ö', L'O'}, {L'Ű', L'U'}, {L'Ü', L'U'}, {L'ŕ', L'r'}, {L'â', L'a'}, {L'ă', L'a'},
    {L'ä', L'a'}, {L'ĺ', L'l'}, {L'ć', L'c'}, {L'ç', L'c'}, {L'ę', L'e'}, {L'ë', L'e'}, {L'î', L'i'},
    {L'đ', L'd'}, {L'ń', L'n'}, {L'ô', L'o'}, {L'ő', L'o'}, {L'ö', L'o'}, {L'ű', L'u'}, {L'ü', L'u'},
    {L'ţ', L't'}, {L'Ă', L'A'}, {L'Ţ', L'T'},
};

std::wstring Repeat(std::wstring_view piece, std::size_t times) {
    std::wstring out;
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

} // namespace

TEST(RemoveDiacritics, CzechSentencesLoseTheirMarks) {
    EXPECT_EQ(RemoveDiacritics(L"Příliš žluťoučký kůň"), L"Prilis zlutoucky kun");
    EXPECT_EQ(RemoveDiacritics(L"ŽLUŤOUČKÝ"), L"ZLUTOUCKY");
    EXPECT_EQ(RemoveDiacritics(L"Árvíztűrő tükörfúrógép, Ţară"), L"Arvizturo tukorfurogep, Tara");
    EXPECT_EQ(RemoveDiacritics(L""), L"");
}

TEST(RemoveDiacritics, TableHasSixtyEightPairsEachMappedAsListed) {
    ASSERT_EQ(core::kDiacriticsSource.size(), 68u);
    ASSERT_EQ(core::kDiacriticsReplacement.size(), 68u);
    std::wstring from, to;
    for (auto [source, replacement] : kPairs) {
        from += source;
        to += replacement;
    }
    EXPECT_EQ(RemoveDiacritics(from), to);
    // "Ě" and "č" stand twice; the listed pairs give each character once.
    EXPECT_EQ(std::set<wchar_t>(core::kDiacriticsSource.begin(), core::kDiacriticsSource.end()).size(), kPairs.size());
}

TEST(RemoveDiacritics, EveryOtherCharacterIsKeptAndCaseMatters) {
    std::set<wchar_t> sources;
    for (auto [source, replacement] : kPairs)
        sources.insert(source);
    std::wstring others;
    for (wchar_t c = 1; c < 0xD800; ++c) {
        if (!sources.count(c))
            others += c;
    }
    EXPECT_EQ(RemoveDiacritics(others), others);
    // Near misses of the table: ñ, ł, ß, ÿ and ø are not in it.
    EXPECT_EQ(RemoveDiacritics(L"ñłßÿøŽž"), L"ñłßÿøZz");
}

TEST(ReverseText, LineBreaksSurviveTheReversal) {
    EXPECT_EQ(ReverseText(L"ab\r\ncd", true), L"dc\r\nba");
    EXPECT_EQ(ReverseText(L"ab\r\ncd", false), L"dc\n\rba");
    EXPECT_EQ(ReverseText(L"one\r\n\r\ntwo\r\n", true), L"\r\nowt\r\n\r\neno");
    EXPECT_EQ(ReverseText(L"a\nb", true), L"b\na");
    EXPECT_EQ(ReverseText(L"", true), L"");
    EXPECT_EQ(ReverseText(L"x", true), L"x");
}

TEST(ReverseText, CharactersBeyondTheBasicPlaneStayWhole) {
    // U+1F600 as a surrogate pair between two letters.
    const std::wstring text = {L'a', wchar_t(0xD83D), wchar_t(0xDE00), L'b'};
    const std::wstring reversed = {L'b', wchar_t(0xD83D), wchar_t(0xDE00), L'a'};
    EXPECT_EQ(ReverseText(text, true), reversed);
    // A stray low surrogate is an ordinary unit and simply moves.
    const std::wstring stray = {wchar_t(0xDE00), L'a'};
    const std::wstring strayReversed = {L'a', wchar_t(0xDE00)};
    EXPECT_EQ(ReverseText(stray, true), strayReversed);
}

TEST(ReplaceAll, ReplacesLeftToRightWithoutRescanning) {
    EXPECT_EQ(ReplaceAll(L"aaa", L"a", L"aa"), L"aaaaaa");
    EXPECT_EQ(ReplaceAll(L"aaaa", L"aa", L"b"), L"bb");
    EXPECT_EQ(ReplaceAll(L"aaa", L"aa", L"b"), L"ba");
    EXPECT_EQ(ReplaceAll(L"abcabc", L"abc", L""), L"");
    EXPECT_EQ(ReplaceAll(L"x\n\ry", L"\n\r", L"\r\n"), L"x\r\ny");
}

TEST(ReplaceAll, IsCaseSensitiveAndIgnoresAnEmptySearch) {
    EXPECT_EQ(ReplaceAll(L"Aa", L"a", L"x"), L"Ax");
    EXPECT_EQ(ReplaceAll(L"Žž", L"ž", L"z"), L"Žz");
    EXPECT_EQ(ReplaceAll(L"abc", L"", L"x"), L"abc");
    EXPECT_EQ(ReplaceAll(L"", L"a", L"x"), L"");
}

TEST(ReplaceAll, HandlesManyOccurrencesInALongText) {
    const std::wstring text = Repeat(L"ab", 200000);
    EXPECT_EQ(ReplaceAll(text, L"b", L"cd"), Repeat(L"acd", 200000));
}

TEST(SplitRecordLines, CrLfAndLoneCrEndLinesButLoneLfDoesNot) {
    const auto lines = SplitRecordLines(L"a\r\nb\rc\nd\r\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"a");
    EXPECT_EQ(lines[1], L"b");
    EXPECT_EQ(lines[2], L"c\nd");
}

TEST(SplitRecordLines, FinalLineEndStartsNoLineButAnEmptyLineCounts) {
    EXPECT_TRUE(SplitRecordLines(L"").empty());
    EXPECT_EQ(SplitRecordLines(L"a").size(), 1u);
    EXPECT_EQ(SplitRecordLines(L"a\r\n").size(), 1u);
    const auto lines = SplitRecordLines(L"a\r\n\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], L"");
    const auto crs = SplitRecordLines(L"\r\r");
    ASSERT_EQ(crs.size(), 2u);
    EXPECT_EQ(crs[0], L"");
}
