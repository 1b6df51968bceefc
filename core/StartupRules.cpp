#include "core/StartupRules.h"

#include <cmath>
#include <cstdio>
#include <cwctype>

namespace core {

bool IsNoWindowCommandLine(std::wstring_view commandLine) {
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    size_t first = 0;
    size_t last = commandLine.size();
    while (first < last && blank(commandLine[first]))
        ++first;
    while (last > first && blank(commandLine[last - 1]))
        --last;
    const std::wstring_view word = commandLine.substr(first, last - first);
    constexpr std::wstring_view kSwitch = L"nowindow";
    if (word.size() != kSwitch.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i) {
        if (static_cast<wchar_t>(std::towlower(word[i])) != kSwitch[i])
            return false;
    }
    return true;
}

double TwipsPerPixel(int dotsPerInch) { return dotsPerInch > 0 ? 1440.0 / dotsPerInch : 0.0; }

bool IsUsualTwipSize(int dotsPerInchX, int dotsPerInchY) {
    return TwipsPerPixel(dotsPerInchX) == 15.0 && TwipsPerPixel(dotsPerInchY) == 15.0;
}

std::wstring TwipSizeText(double twipsPerPixel) {
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", twipsPerPixel);
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

std::optional<SplashStepInfo> SplashStepFor(int n) {
    switch (n) {
    case 0:
        return SplashStepInfo{L"Preloading...", false, false};
    case 1:
        return SplashStepInfo{L"Temp dirs...", true, false};
    case 2:
        return SplashStepInfo{L"Preloading fonts...", false, false};
    case 3:
        return SplashStepInfo{L"Loading settings...", false, false};
    case 4:
        return SplashStepInfo{L"Loading forms...", false, false};
    case 5:
        return SplashStepInfo{std::nullopt, false, false};
    case 7:
        return SplashStepInfo{L"Loading hotkeys...", true, false};
    case 8:
        return SplashStepInfo{L"Hooking to clipboard chain...", true, false};
    case 9:
        return SplashStepInfo{L"Clean up...", true, false};
    case 10:
        return SplashStepInfo{L"Adding to systray...", false, false};
    case 11:
        return SplashStepInfo{L"Loading finnished.", true, true};
    case 20:
        return SplashStepInfo{L"Loading Quillet window...", false, false};
    default:
        return std::nullopt;
    }
}

} // namespace core
