// The clipboard's text comes from any program: the transforms must take every sequence of UTF-16
// units, paired surrogates or stray ones, without fault, and keep their length promises.
#include "core/modFormatText.h"
#include "core/modStrings.h"
#include "core/tests/LocaleCaseMapper.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool holds) {
    if (!holds)
        std::abort();
}

// Whether every surrogate of the text belongs to a pair.
bool WellFormed(const std::wstring& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
        const bool low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
        if (low)
            return false;
        if (high) {
            if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF)
                return false;
            ++i;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const coretest::LocaleCaseMapper cases;
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));

    const std::wstring plain = core::RemoveDiacritics(text);
    Check(plain.size() == text.size());
    Check(core::RemoveDiacritics(plain) == plain);

    // Stray surrogates may meet as a new pair when reversed, so only well-formed text reverses back.
    if (WellFormed(text))
        Check(core::ReverseText(core::ReverseText(text, false), false) == text);
    Check(core::ReverseText(text, true).size() == text.size());

    std::size_t lineUnits = 0;
    for (std::wstring_view line : core::SplitRecordLines(text))
        lineUnits += line.size();
    Check(lineUnits <= text.size());

    Check(core::ReplaceAll(text, L"\n\r", L"\r\n").size() == text.size());
    Check(core::ReverseCase(text, cases).size() == text.size());
    Check(core::ZigZagCase(text, true, cases).size() == text.size());
    Check(core::ToProperCase(text, cases).size() == text.size());
    Check(core::SentenceCase(text, false, cases).size() <= text.size() + 1);
    return 0;
}
