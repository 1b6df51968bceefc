#include "core/BmpFile.h"

#include <gtest/gtest.h>

namespace {
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}
} // namespace

TEST(EncodeBmp24, WritesHeadersAndBottomUpPaddedRows) {
    // 2 x 2: red, green on top; blue, white below. 0x00BBGGRR.
    const std::uint32_t pixels[] = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF};
    const auto bmp = core::EncodeBmp24(2, 2, pixels);
    // rows of 6 bytes padded to 8
    ASSERT_EQ(bmp.size(), 54u + 16u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(U32(bmp, 2), 70u);
    EXPECT_EQ(U32(bmp, 10), 54u);
    EXPECT_EQ(U32(bmp, 14), 40u);
    EXPECT_EQ(U32(bmp, 18), 2u);
    EXPECT_EQ(U32(bmp, 22), 2u);
    EXPECT_EQ(bmp[28], 24);
    EXPECT_EQ(U32(bmp, 30), 0u) << "uncompressed";
    const std::vector<std::uint8_t> rows(bmp.begin() + 54, bmp.end());
    const std::vector<std::uint8_t> expected = {
        0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, // bottom row: blue, white (B, G, R order), padding
        0, 0, 0xFF, 0, 0xFF, 0, 0, 0,       // top row: red, green, padding
    };
    EXPECT_EQ(rows, expected);
}

TEST(EncodeBmp24, RefusesEmptyPictures) {
    const std::uint32_t pixel = 0;
    EXPECT_TRUE(core::EncodeBmp24(0, 1, &pixel).empty());
    EXPECT_TRUE(core::EncodeBmp24(1, 0, &pixel).empty());
    EXPECT_EQ(core::EncodeBmp24(1, 1, &pixel).size(), 54u + 4u);
}
