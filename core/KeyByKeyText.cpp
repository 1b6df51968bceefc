#include "core/KeyByKeyText.h"

namespace core {

namespace {

const std::wstring kAllowed = std::wstring(L"ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                           L"\u017E\u0161\u010D\u0159\u010F\u0148\u0160\u010C\u0158\u010E\u0147"
                                           L"\u00E1\u00E9\u011B\u00ED\u00F3\u00FA\u016F\u00FD"
                                           L"\u00C1\u00C9\u011A\u00CD\u00D3\u00DA\u016E\u00DD"
                                           L"\u0154\u00C2\u00C4\u0139\u0106\u00C7\u0118\u00CB\u011A\u00CE\u0110\u0143"
                                           L"\u00D4\u0150\u00D6\u0170\u00DC"
                                           L"\u0155\u00E2\u0103\u00E4\u013A\u0107\u00E7\u010D\u0119\u00EB\u00EE"
                                           L"\u0111\u0144\u00F4\u0151\u00F6\u0171\u00FC\u0163\u0102\u0162"
                                           L"-.<>[]:`&=!/\\'\u00A7$@#* ") +
                               L"\"\r\n";

} // namespace

wchar_t FoldLatinCase(wchar_t c) {
    if (c >= L'A' && c <= L'Z')
        return static_cast<wchar_t>(c + 32);
    if (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7)
        return static_cast<wchar_t>(c + 32);
    if (c == 0x0178)
        return 0x00FF;
    // Latin Extended-A pairs capital and small letters side by side; the capital is even in the first
    // and last runs and odd in the middle one (U+0139 to U+0148 and U+0179 to U+017E).
    if ((c >= 0x0100 && c <= 0x0137) || (c >= 0x014A && c <= 0x0177))
        return (c % 2 == 0) ? static_cast<wchar_t>(c + 1) : c;
    if ((c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E))
        return (c % 2 == 1) ? static_cast<wchar_t>(c + 1) : c;
    return c;
}

bool IsKeyByKeyText(const std::wstring& text) {
    static const std::wstring folded = [] {
        std::wstring s = kAllowed;
        for (wchar_t& c : s)
            c = FoldLatinCase(c);
        return s;
    }();
    for (wchar_t c : text) {
        if (folded.find(FoldLatinCase(c)) == std::wstring::npos)
            return false;
    }
    return true;
}

} // namespace core
