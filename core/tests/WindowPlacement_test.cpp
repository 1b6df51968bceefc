// Restoring stored window positions onto a screen of another size.
#include "core/WindowPlacement.h"

#include <gtest/gtest.h>

using core::CenteredOffset;
using core::RestoredLeft;
using core::RestoredTop;

namespace {
// A 1280 x 1024 pixel screen and a 400 x 300 pixel window, in twips.
constexpr long kScreenW = 1280 * 15, kScreenH = 1024 * 15; // 19200, 15360
constexpr long kWinW = 400 * 15, kWinH = 300 * 15;         // 6000, 4500
} // namespace

TEST(WindowPlacement, CentresTheWindowOnEachAxis) {
    EXPECT_EQ(CenteredOffset(kScreenW, kWinW), 6600);
    EXPECT_EQ(CenteredOffset(kScreenH, kWinH), 5430);
    EXPECT_EQ(CenteredOffset(1000, 1001), 0); // half a twip left over is dropped
    EXPECT_EQ(CenteredOffset(1000, 3000), -1000);
}

TEST(WindowPlacement, LeftEdgeKeepsOnScreenValuesAndClampsTheRest) {
    EXPECT_EQ(RestoredLeft(1500, kScreenW, kWinW), 1500);
    EXPECT_EQ(RestoredLeft(1500.9, kScreenW, kWinW), 1500); // the integer part, not rounded
    EXPECT_EQ(RestoredLeft(-200, kScreenW, kWinW), -200);
    EXPECT_EQ(RestoredLeft(-150, kScreenW, kWinW), -150);
    EXPECT_EQ(RestoredLeft(-200.5, kScreenW, kWinW), 0); // its integer part is -201
    EXPECT_EQ(RestoredLeft(-500, kScreenW, kWinW), 0);
    EXPECT_EQ(RestoredLeft(13200, kScreenW, kWinW), 13200); // exactly at the right edge
    EXPECT_EQ(RestoredLeft(13201, kScreenW, kWinW), 13200);
    EXPECT_EQ(RestoredLeft(1e30, kScreenW, kWinW), 13200);
}

TEST(WindowPlacement, TopEdgeOutsideTheBandGoesNearTheBottom) {
    EXPECT_EQ(RestoredTop(2000, kScreenH, kWinH), 2000);
    EXPECT_EQ(RestoredTop(-199, kScreenH, kWinH), -199);
    // Far up and far down both end 1000 twips above the lowest fitting top (15360 - 4500 - 1000).
    EXPECT_EQ(RestoredTop(-200, kScreenH, kWinH), 9860);
    EXPECT_EQ(RestoredTop(-500, kScreenH, kWinH), 9860);
    EXPECT_EQ(RestoredTop(10860, kScreenH, kWinH), 9860); // the bottom fit itself is outside the band
    EXPECT_EQ(RestoredTop(10859, kScreenH, kWinH), 10859);
    EXPECT_EQ(RestoredTop(-1e30, kScreenH, kWinH), 9860);
}

TEST(WindowPlacement, TallWindowNeverLosesItsTitleBarAboveTheScreen) {
    // 15360 - 15000 - 1000 would be -640.
    EXPECT_EQ(RestoredTop(-500, kScreenH, 15000), 0);
    EXPECT_EQ(RestoredTop(100, kScreenH, 15000), 100);
}
