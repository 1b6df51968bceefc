#include "app/menu/ScreenFonts.h"

#include "winkit/Scoped.h"

#include <windows.h>

#include <algorithm>

namespace quillet {

std::vector<std::wstring> ScreenFonts(std::size_t limit) {
    std::vector<std::wstring> names;
    winkit::WindowDC screen(nullptr);
    if (!screen)
        return names;
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(
        screen.get(), &wanted,
        [](const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM lp) -> int {
            auto* list = reinterpret_cast<std::vector<std::wstring>*>(lp);
            if (font->lfFaceName[0] != L'@')
                list->emplace_back(font->lfFaceName);
            return 1;
        },
        reinterpret_cast<LPARAM>(&names), 0);
    const auto lessNoCase = [](const std::wstring& a, const std::wstring& b) {
        return _wcsicmp(a.c_str(), b.c_str()) < 0;
    };
    std::sort(names.begin(), names.end(), lessNoCase);
    names.erase(
        std::unique(names.begin(), names.end(),
                    [](const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }),
        names.end());
    if (names.size() > limit)
        names.resize(limit);
    return names;
}

} // namespace quillet
