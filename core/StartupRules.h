#pragma once
// The window-free rules of start-up: the command-line switch, the screen check and the splash steps.
#include <optional>
#include <string>
#include <string_view>

namespace core {

// True when the command line is the one word "nowindow", in any case (surrounding blanks are no word).
bool IsNoWindowCommandLine(std::wstring_view commandLine);

// Twips per pixel at `dotsPerInch` (1440 twips to the inch); the program is laid out for 15 (96 dpi).
double TwipsPerPixel(int dotsPerInch);
bool IsUsualTwipSize(int dotsPerInchX, int dotsPerInchY);
// The value as the screen-check question shows it: "12", "13.09091" (at most 7 significant digits).
std::wstring TwipSizeText(double twipsPerPixel);

// What the splash does at one start-up step.
struct SplashStepInfo {
    std::optional<std::wstring_view> label; // the step text; none leaves the label as it is
    bool nextBlock = false;                 // one more block of the progress row shows
    bool startsHideTimer = false;           // the last step: the splash hides itself shortly after
};

// The splash's part in step `n`; nothing for numbers that are no step.
std::optional<SplashStepInfo> SplashStepFor(int n);

} // namespace core
