// The picture's place in the editor's frame and the effect dialogs' preview size.
#include "core/PictureLayout.h"

#include <gtest/gtest.h>

using core::LayOutPicture;
using core::PreviewSizeFor;
using core::ScrollSteps;

namespace {
// A frame of 400 x 300 pixels, in twips.
constexpr double kFrameW = 6000, kFrameH = 4500;
} // namespace

TEST(PictureLayout, SmallPictureIsCentredWithoutBars) {
    const auto l = LayOutPicture(kFrameW, kFrameH, 1500, 1000);
    EXPECT_FALSE(l.horz.scrolled);
    EXPECT_FALSE(l.vert.scrolled);
    EXPECT_FALSE(l.bloxShown);
    EXPECT_DOUBLE_EQ(l.horz.offset, 2250);
    EXPECT_DOUBLE_EQ(l.vert.offset, 1750);
    // Exactly as wide as the frame still fits: centred at 0 rather than scrolled by nothing.
    const auto exact = LayOutPicture(kFrameW, kFrameH, kFrameW, kFrameH);
    EXPECT_FALSE(exact.horz.scrolled || exact.vert.scrolled || exact.bloxShown);
    EXPECT_DOUBLE_EQ(exact.horz.offset, 0);
}

TEST(PictureLayout, WideLowPictureScrollsOnlyHorizontally) {
    const auto l = LayOutPicture(kFrameW, kFrameH, 9000, 1500);
    ASSERT_TRUE(l.horz.scrolled);
    EXPECT_FALSE(l.vert.scrolled);
    EXPECT_TRUE(l.bloxShown);
    EXPECT_EQ(l.horz.minimum, -3000);
    // At the bar's end the picture's right edge meets the frame's.
    EXPECT_DOUBLE_EQ(l.horz.minimum + 9000, kFrameW);
    EXPECT_EQ(l.horz.largeStep, 1500);
    EXPECT_EQ(l.horz.smallStep, 76);
    EXPECT_DOUBLE_EQ(l.horz.offset, 0);
    EXPECT_DOUBLE_EQ(l.vert.offset, 1500);
    EXPECT_EQ(l.horz.barLength, 6000 - 240);
}

TEST(PictureLayout, LargePictureScrollsBothWaysAndTallOneOnlyVertically) {
    const auto both = LayOutPicture(kFrameW, kFrameH, 28800, 16200); // a 1920 x 1080 screenshot
    EXPECT_TRUE(both.horz.scrolled && both.vert.scrolled && both.bloxShown);
    EXPECT_EQ(both.horz.minimum, -22800);
    EXPECT_EQ(both.vert.minimum, -11700);
    EXPECT_DOUBLE_EQ(both.horz.offset, 0);
    EXPECT_DOUBLE_EQ(both.vert.offset, 0);
    const auto tall = LayOutPicture(kFrameW, kFrameH, 3000, 4501);
    EXPECT_FALSE(tall.horz.scrolled);
    EXPECT_TRUE(tall.vert.scrolled);
    EXPECT_EQ(tall.vert.minimum, -1);
    EXPECT_DOUBLE_EQ(tall.horz.offset, 1500);
}

TEST(PictureLayout, StepsFollowTheHiddenExtent) {
    EXPECT_EQ(ScrollSteps(1).largeStep, 1);
    EXPECT_EQ(ScrollSteps(1).smallStep, 1);
    EXPECT_EQ(ScrollSteps(100000).largeStep, 32767);
    EXPECT_EQ(ScrollSteps(100000).smallStep, 1639);
    EXPECT_EQ(ScrollSteps(5).largeStep, 2); // 2.5 rounds to even
    EXPECT_EQ(ScrollSteps(7).largeStep, 4); // 3.5 rounds to even
    EXPECT_EQ(ScrollSteps(65534).largeStep, 32767);
    EXPECT_EQ(ScrollSteps(65536).largeStep, 32767);
    EXPECT_EQ(ScrollSteps(37).smallStep, 1); // large step 18 (18.5 to even)
    EXPECT_EQ(ScrollSteps(39).smallStep, 2); // large step 20 (19.5 to even)
    // A fractional hidden extent is rounded before it becomes the range.
    EXPECT_EQ(LayOutPicture(1000, 1000, 1000.6, 10).horz.minimum, -1);
}

TEST(PictureLayout, PreviewIsReducedOnlyWhenLargerThanItsBox) {
    // Box and reduced copy 4800 x 3600 (320 x 240 pixels).
    const auto small = PreviewSizeFor(3000, 2000, 4800, 3600, 4800, 3600);
    EXPECT_FALSE(small.scaled);
    EXPECT_DOUBLE_EQ(small.width, 3000);
    const auto twiceWide = PreviewSizeFor(9600, 3600, 4800, 3600, 4800, 3600);
    EXPECT_TRUE(twiceWide.scaled);
    EXPECT_DOUBLE_EQ(twiceWide.width, 4800);
    EXPECT_DOUBLE_EQ(twiceWide.height, 1800);
    // Too high after the width's reduction: reduced again by height, the aspect kept.
    const auto tall = PreviewSizeFor(9600, 14400, 4800, 3600, 4800, 3600);
    EXPECT_NEAR(tall.width, 2400, 0.01);
    EXPECT_NEAR(tall.height, 3600, 0.01);
    // Higher than a smaller box but within the reduced size: marked reduced, kept at its own size.
    const auto within = PreviewSizeFor(3000, 3000, 4000, 2000, 4800, 3600);
    EXPECT_TRUE(within.scaled);
    EXPECT_DOUBLE_EQ(within.width, 3000);
    EXPECT_DOUBLE_EQ(within.height, 3000);
}
