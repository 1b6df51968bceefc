#pragma once
// modFormatText: the case transforms of the clipboard menu, on the letter case the platform defines.
#include "core/CaseMapper.h"

#include <string>
#include <string_view>

namespace core {

// The characters that end a sentence for SentenceCase.
inline constexpr std::wstring_view kSentenceEnds = L".!?:";

// True when the upper-case form of c is c itself (digits, blanks and punctuation count as upper case).
bool IsUpperChar(wchar_t c, const CaseMapper& cases);

std::wstring ToLowerCase(std::wstring_view text, const CaseMapper& cases);
std::wstring ToUpperCase(std::wstring_view text, const CaseMapper& cases);
// The first letter of every word upper case, every other letter lower case. Words are runs of letters
// and digits, with apostrophes inside them, so "don't" keeps its t small.
std::wstring ToProperCase(std::wstring_view text, const CaseMapper& cases);

// Upper case becomes lower and everything else upper, at any text length.
std::wstring ReverseCase(std::wstring_view text, const CaseMapper& cases);
// Upper and lower case alternate on every character, letter or not.
std::wstring ZigZagCase(std::wstring_view text, bool startUpper, const CaseMapper& cases);
// Trims blanks, lowers everything unless keepCapitals, capitalises the first letter of every sentence
// (a sentence ends at one of kSentenceEnds) and ends the text with ".", "!" or "?".
std::wstring SentenceCase(std::wstring_view text, bool keepCapitals, const CaseMapper& cases);

} // namespace core
