#pragma once
// How the text of a setting becomes a number: its leading decimal number, else 0, rounded where a
// whole number is wanted. The settings file is edited by hand now and then, so anything goes in.
#include <optional>
#include <string_view>

namespace core {

// The decimal number the text starts with: leading blanks and tabs are skipped, then an optional sign,
// digits with an optional fraction, and an exponent only when digits follow it ("2e3" is 2000, "2e" is 2).
// Text that does not start with a number ("", "abc", "-", ".") is 0.
double LeadingNumber(std::wstring_view text);

// The nearest whole number (halves away from zero), or nothing when it lies outside [min, max].
std::optional<long long> RoundInRange(double value, long long min, long long max);

// LeadingNumber, rounded, as long as it fits the range.
std::optional<long long> SettingInteger(std::wstring_view text, long long min, long long max);

// True when the whole text (blanks around it aside) is one decimal number: "12" and " -1.5 " are, "12abc" and
// "" are not.
bool IsNumericText(std::wstring_view text);

// A flag is on only when its number rounds to exactly 1 ("2" is off).
bool IsFlagOn(std::wstring_view text);

// For the few flags that count as on whenever their number is not 0 ("2" is on, "0.2" is off).
bool IsNonZero(std::wstring_view text);

} // namespace core
