#include "core/ByteValue.h"

#include <cmath>

namespace core {

std::optional<std::uint8_t> ParseByteValue(const std::wstring& text) {
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
            ++i;
    };
    skipBlanks();
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        negative = text[i++] == L'-';
    double value = 0;
    int digits = 0;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9' && digits < 12) {
        value = value * 10 + (text[i++] - L'0');
        ++digits;
    }
    if (i < text.size() && text[i] == L'.') {
        ++i;
        double scale = 0.1;
        while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
            value += (text[i++] - L'0') * scale;
            scale /= 10;
            ++digits;
        }
    }
    skipBlanks();
    if (digits == 0 || i != text.size())
        return std::nullopt;
    if (negative)
        value = -value;
    const double rounded = std::nearbyint(value); // the default rounding mode: half to even
    if (rounded < 0 || rounded > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(rounded);
}

} // namespace core
