// The command-line switch, the screen check and the splash's steps.
#include "core/StartupRules.h"

#include <gtest/gtest.h>

using core::IsNoWindowCommandLine;
using core::SplashStepFor;

TEST(NoWindowSwitch, OneWordInAnyCase) {
    EXPECT_TRUE(IsNoWindowCommandLine(L"nowindow"));
    EXPECT_TRUE(IsNoWindowCommandLine(L"NOWINDOW"));
    EXPECT_TRUE(IsNoWindowCommandLine(L"NoWindow"));
    EXPECT_TRUE(IsNoWindowCommandLine(L" nowindow "));
    EXPECT_FALSE(IsNoWindowCommandLine(L""));
    EXPECT_FALSE(IsNoWindowCommandLine(L"nowindow now"));
    EXPECT_FALSE(IsNoWindowCommandLine(L"nowindow nowindow"));
    EXPECT_FALSE(IsNoWindowCommandLine(L"window"));
    EXPECT_FALSE(IsNoWindowCommandLine(L"nowindows"));
    EXPECT_FALSE(IsNoWindowCommandLine(L"/nowindow"));
    EXPECT_FALSE(IsNoWindowCommandLine(L"\"nowindow\""));
}

TEST(ScreenCheck, OnlyNinetySixDotsPerInchOnBothAxesIsUsual) {
    EXPECT_TRUE(core::IsUsualTwipSize(96, 96));
    EXPECT_FALSE(core::IsUsualTwipSize(120, 120));
    EXPECT_FALSE(core::IsUsualTwipSize(96, 120));
    EXPECT_FALSE(core::IsUsualTwipSize(0, 96));
    EXPECT_EQ(core::TwipSizeText(core::TwipsPerPixel(96)), L"15");
    EXPECT_EQ(core::TwipSizeText(core::TwipsPerPixel(120)), L"12");
    EXPECT_EQ(core::TwipSizeText(core::TwipsPerPixel(144)), L"10");
    EXPECT_EQ(core::TwipSizeText(core::TwipsPerPixel(110)), L"13.09091"); // 1440 / 110 = 13.0909...
}

TEST(SplashSteps, LabelsAndBlocksOfEveryStep) {
    struct Expected {
        int n;
        const wchar_t* label;
        bool block;
    };
    const Expected steps[] = {{0, L"Preloading...", false},
                              {1, L"Temp dirs...", true},
                              {2, L"Preloading fonts...", false},
                              {3, L"Loading settings...", false},
                              {4, L"Loading forms...", false},
                              {7, L"Loading hotkeys...", true},
                              {8, L"Hooking to clipboard chain...", true},
                              {9, L"Clean up...", true},
                              {10, L"Adding to systray...", false},
                              {11, L"Loading finnished.", true},
                              {20, L"Loading Quillet window...", false}};
    for (const Expected& e : steps) {
        const auto step = SplashStepFor(e.n);
        ASSERT_TRUE(step.has_value()) << e.n;
        ASSERT_TRUE(step->label.has_value()) << e.n;
        EXPECT_EQ(*step->label, e.label) << e.n;
        EXPECT_EQ(step->nextBlock, e.block) << e.n;
        EXPECT_EQ(step->startsHideTimer, e.n == 11) << e.n;
    }
    const auto five = SplashStepFor(5);
    ASSERT_TRUE(five.has_value());
    EXPECT_FALSE(five->label.has_value());
    EXPECT_FALSE(five->nextBlock);
    for (int n : {-1, 6, 12, 19, 21})
        EXPECT_FALSE(SplashStepFor(n).has_value()) << n;
}
