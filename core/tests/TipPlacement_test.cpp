#include "core/TipPlacement.h"

#include <gtest/gtest.h>

#include <utility>

TEST(TipPlacement, TrackingTipsStandAtTheControlsEdgeCentreOrTheGivenPoint) {
    const core::TipRect button{100, 50, 181, 75};
    auto at = [&](int direction) {
        const core::TipPoint p = core::TrackingPoint(direction, button, 7, 9);
        return std::make_pair(p.x, p.y);
    };
    EXPECT_EQ(at(0), std::make_pair(100, 62)) << "left edge, vertical middle rounded down";
    EXPECT_EQ(at(1), std::make_pair(181, 62));
    EXPECT_EQ(at(2), std::make_pair(140, 62));
    EXPECT_EQ(at(3), std::make_pair(7, 9)) << "custom: absicca is x, ordinate is y";
    EXPECT_EQ(at(42), std::make_pair(7, 9));
}
