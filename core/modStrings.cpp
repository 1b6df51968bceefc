#include "core/modStrings.h"

#include <array>

namespace core {

const std::wstring_view kDiacriticsSource =
    L"žščřďťňŽŠČŘĎŤŇáéěíóúůýÁÉĚÍÓÚŮÝŔÂÄĹĆÇĘËĚÎĐŃÔŐÖŰÜŕâăäĺćçčęëîđńôőöűüţĂŢ";
const std::wstring_view kDiacriticsReplacement =
    L"zscrdtnZSCRDTNaeeiouuyAEEIOUUYRAALCCEEEIDNOOOUUraaalccceeidnooouutAT";

namespace {

// Every table character lies below U+0180, so one array lookup replaces a search of the table per
// character and keeps the routine linear.
constexpr std::size_t kTableEnd = 0x180;

const std::array<wchar_t, kTableEnd>& DiacriticsLookup() {
    static const std::array<wchar_t, kTableEnd> lookup = [] {
        std::array<wchar_t, kTableEnd> table{};
        for (std::size_t i = 0; i < table.size(); ++i)
            table[i] = static_cast<wchar_t>(i);
        // Walked backwards so the first occurrence of a doubled source character wins.
        for (std::size_t i = kDiacriticsSource.size(); i-- > 0;)
            table[static_cast<std::size_t>(kDiacriticsSource[i])] = kDiacriticsReplacement[i];
        return table;
    }();
    return lookup;
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

} // namespace

std::wstring RemoveDiacritics(std::wstring_view text) {
    const auto& lookup = DiacriticsLookup();
    std::wstring result(text);
    for (wchar_t& c : result) {
        const auto code = static_cast<std::size_t>(c);
        if (code < lookup.size())
            c = lookup[code];
    }
    return result;
}

std::wstring ReverseText(std::wstring_view text, bool keepLineBreaks) {
    std::wstring result(text.size(), L'\0');
    std::size_t out = 0;
    for (std::size_t i = text.size(); i-- > 0;) {
        if (i > 0 && IsLowSurrogate(text[i]) && IsHighSurrogate(text[i - 1])) {
            result[out++] = text[i - 1];
            result[out++] = text[i];
            --i;
        } else {
            result[out++] = text[i];
        }
    }
    if (keepLineBreaks) {
        // LF CR back to CR LF, left to right: a swap in place, as the pair keeps its length.
        for (std::size_t i = 0; i + 1 < result.size(); ++i) {
            if (result[i] == L'\n' && result[i + 1] == L'\r') {
                result[i] = L'\r';
                result[i + 1] = L'\n';
                ++i;
            }
        }
    }
    return result;
}

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view search, std::wstring_view replacement) {
    if (search.empty())
        return std::wstring(text);
    std::wstring result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(search); at != std::wstring_view::npos; at = text.find(search, from)) {
        result.append(text, from, at - from);
        result.append(replacement);
        from = at + search.size();
    }
    result.append(text, from, std::wstring_view::npos);
    return result;
}

std::vector<std::wstring_view> SplitRecordLines(std::wstring_view text) {
    std::vector<std::wstring_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\r')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (i + 1 < text.size() && text[i + 1] == L'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

} // namespace core
