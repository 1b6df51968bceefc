#pragma once
// Texts with their lower- and upper-case forms, worked out by hand from the Unicode case tables. The
// native stand-in and the Windows mapper are both held to them, so the core's tests speak for Windows.
#include <string>
#include <vector>

namespace coretest {

struct CaseMappingCase {
    std::wstring text;
    std::wstring lower;
    std::wstring upper;
};

inline const std::vector<CaseMappingCase>& CaseMappingCases() {
    static const std::vector<CaseMappingCase> cases = {
        {L"Hello, World 123!", L"hello, world 123!", L"HELLO, WORLD 123!"},
        {L"Příliš žluťoučký KŮŇ", L"příliš žluťoučký kůň", L"PŘÍLIŠ ŽLUŤOUČKÝ KŮŇ"},
        {L"Őrült Űrhajó", L"őrült űrhajó", L"ŐRÜLT ŰRHAJÓ"},
        {L"Кошка Ёж", L"кошка ёж", L"КОШКА ЁЖ"},
        {L"Σοφία ΑΘΗΝΑ", L"σοφία αθηνα", L"ΣΟΦΊΑ ΑΘΗΝΑ"},
        {L"東京 tokyo", L"東京 tokyo", L"東京 TOKYO"},
        {L"\t-_.:;?!\r\n", L"\t-_.:;?!\r\n", L"\t-_.:;?!\r\n"},
        {L"", L"", L""},
    };
    return cases;
}

} // namespace coretest
