#pragma once
// Which texts paste method 2 may type key by key: letters (with the Central European accented ones),
// the blank, line breaks and a fixed set of punctuation. Digits and the characters the keystroke
// notation gives a meaning (+ ^ % ~ ( ) { }) are refused.
#include <string>

namespace core {

bool IsKeyByKeyText(const std::wstring& text);

// Lower case of the Latin letters (basic, Latin-1 and Latin Extended-A) the check compares without
// regard to case; every other character is returned as it is.
wchar_t FoldLatinCase(wchar_t c);

} // namespace core
