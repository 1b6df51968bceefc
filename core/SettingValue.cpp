#include "core/SettingValue.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace core {
namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The number at the start of the text as characters, and where it ends; empty when there is none.
std::string NumberAtStart(std::wstring_view text, size_t& end) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
        ++i;
    // Copy out only the characters that form the number, so the conversion never reads past it.
    std::string number;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        number += static_cast<char>(text[i++]);
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        number += static_cast<char>(text[i++]);
        ++digits;
    }
    if (i < text.size() && text[i] == L'.') {
        number += '.';
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            number += static_cast<char>(text[i++]);
            ++digits;
        }
    }
    if (digits == 0) {
        end = 0;
        return {};
    }
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-'))
            exponent += static_cast<char>(text[j++]);
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                exponent += static_cast<char>(text[j++]);
            number += exponent;
            i = j;
        }
    }
    end = i;
    return number;
}

} // namespace

double LeadingNumber(std::wstring_view text) {
    size_t end = 0;
    const std::string number = NumberAtStart(text, end);
    return number.empty() ? 0.0 : std::strtod(number.c_str(), nullptr);
}

bool IsNumericText(std::wstring_view text) {
    size_t end = 0;
    if (NumberAtStart(text, end).empty())
        return false;
    while (end < text.size() && (text[end] == L' ' || text[end] == L'\t'))
        ++end;
    return end == text.size();
}

std::optional<long long> RoundInRange(double value, long long min, long long max) {
    if (std::isnan(value))
        return std::nullopt;
    const double rounded = std::round(value);
    if (std::fabs(rounded) >= 9.0e18)
        return std::nullopt;
    // Compared as doubles first: a huge value must not be cast to an integer it does not fit.
    if (rounded < static_cast<double>(min) || rounded > static_cast<double>(max))
        return std::nullopt;
    const auto whole = static_cast<long long>(rounded);
    if (whole < min || whole > max)
        return std::nullopt;
    return whole;
}

std::optional<long long> SettingInteger(std::wstring_view text, long long min, long long max) {
    return RoundInRange(LeadingNumber(text), min, max);
}

bool IsFlagOn(std::wstring_view text) { return std::round(LeadingNumber(text)) == 1.0; }

bool IsNonZero(std::wstring_view text) { return std::round(LeadingNumber(text)) != 0.0; }

} // namespace core
