#include "core/modFormatText.h"

namespace core {

namespace {

// Both case forms of a text, mapped once for the whole text rather than per character: a platform call
// per character would make a megabyte of text crawl. When the platform changes a text's length (it
// maps one character to several), each character is mapped on its own instead, which keeps positions
// lined up.
class CaseForms {
public:
    CaseForms(std::wstring_view text, const CaseMapper& cases)
        : text_(text), cases_(cases), upper_(cases.Upper(text)), lower_(cases.Lower(text)),
          aligned_(upper_.size() == text.size() && lower_.size() == text.size()) {}

    wchar_t Upper(std::size_t i) const { return aligned_ ? upper_[i] : One(cases_.Upper(text_.substr(i, 1)), i); }
    wchar_t Lower(std::size_t i) const { return aligned_ ? lower_[i] : One(cases_.Lower(text_.substr(i, 1)), i); }
    bool HasCase(std::size_t i) const { return Upper(i) != Lower(i); }

private:
    wchar_t One(const std::wstring& mapped, std::size_t i) const { return mapped.size() == 1 ? mapped[0] : text_[i]; }

    std::wstring_view text_;
    const CaseMapper& cases_;
    std::wstring upper_;
    std::wstring lower_;
    bool aligned_;
};

bool IsBlank(wchar_t c) { return c == L' '; }

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool IsApostrophe(wchar_t c) { return c == L'\'' || c == L'\u2019'; }

} // namespace

bool IsUpperChar(wchar_t c, const CaseMapper& cases) {
    const std::wstring upper = cases.Upper(std::wstring_view(&c, 1));
    return upper.size() == 1 && upper[0] == c;
}

std::wstring ToLowerCase(std::wstring_view text, const CaseMapper& cases) { return cases.Lower(text); }

std::wstring ToUpperCase(std::wstring_view text, const CaseMapper& cases) { return cases.Upper(text); }

std::wstring ToProperCase(std::wstring_view text, const CaseMapper& cases) {
    const CaseForms forms(text, cases);
    std::wstring result(text);
    bool inWord = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool letter = forms.HasCase(i);
        if (letter)
            result[i] = inWord ? forms.Lower(i) : forms.Upper(i);
        inWord = letter || cases.IsLetter(text[i]) || IsDigit(text[i]) || (inWord && IsApostrophe(text[i]));
    }
    return result;
}

std::wstring ReverseCase(std::wstring_view text, const CaseMapper& cases) {
    const CaseForms forms(text, cases);
    std::wstring result(text);
    for (std::size_t i = 0; i < text.size(); ++i)
        result[i] = forms.Upper(i) == text[i] ? forms.Lower(i) : forms.Upper(i);
    return result;
}

std::wstring ZigZagCase(std::wstring_view text, bool startUpper, const CaseMapper& cases) {
    const CaseForms forms(text, cases);
    std::wstring result(text);
    for (std::size_t i = 0; i < text.size(); ++i)
        result[i] = (i % 2 == 0) == startUpper ? forms.Upper(i) : forms.Lower(i);
    return result;
}

std::wstring SentenceCase(std::wstring_view text, bool keepCapitals, const CaseMapper& cases) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    std::wstring result = keepCapitals ? std::wstring(text.substr(first, last - first))
                                       : cases.Lower(text.substr(first, last - first));

    const CaseForms forms(result, cases);
    std::wstring sentence(result);
    bool started = false;
    for (std::size_t i = 0; i < result.size(); ++i) {
        if (!started && forms.HasCase(i)) {
            sentence[i] = forms.Upper(i);
            started = true;
        }
        if (kSentenceEnds.find(result[i]) != std::wstring_view::npos)
            started = false;
    }
    const wchar_t end = sentence.empty() ? L'\0' : sentence.back();
    if (end != L'.' && end != L'!' && end != L'?')
        sentence += L'.';
    return sentence;
}

} // namespace core
