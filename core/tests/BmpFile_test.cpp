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

namespace {
void Set32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}
} // namespace

// Bitmap files come from project files of other people: every length is checked before it is used.
TEST(ReadBmpLayout, DescribesWrittenFilesAndRefusesEveryLengthThatLies) {
    const std::uint32_t pixels[6] = {};
    const auto bmp = core::EncodeBmp24(3, 2, pixels);
    core::BmpLayout layout;
    ASSERT_TRUE(core::ReadBmpLayout(bmp.data(), bmp.size(), layout));
    EXPECT_EQ(layout.infoOffset, 14u);
    EXPECT_EQ(layout.infoSize, 40u);
    EXPECT_EQ(layout.bitsOffset, 54u);
    EXPECT_EQ(layout.bitsSize, 2u * 12u) << "rows of 9 bytes padded to 12";

    // Cut by one byte, the rows no longer fit.
    EXPECT_FALSE(core::ReadBmpLayout(bmp.data(), bmp.size() - 1, layout));
    const auto refused = [&](std::size_t at, std::uint32_t value) {
        auto damaged = bmp;
        Set32(damaged, at, value);
        return !core::ReadBmpLayout(damaged.data(), damaged.size(), layout);
    };
    EXPECT_TRUE(refused(10, 0xFFFFFFF0u)) << "pixel offset past the end";
    EXPECT_TRUE(refused(10, 20)) << "pixel offset inside the headers";
    EXPECT_TRUE(refused(14, 0x7FFFFFFFu)) << "header size past the end";
    EXPECT_TRUE(refused(18, 0x40000000u)) << "width whose rows overflow";
    EXPECT_TRUE(refused(22, 0x7FFFFFFFu)) << "height far beyond the bytes";
    EXPECT_TRUE(refused(22, 0x80000000u)) << "height that cannot be negated";
    EXPECT_TRUE(refused(30, 1)) << "run-length compression is left to the system loader";

    // A top-down picture (negative height) is plain too.
    auto topDown = bmp;
    Set32(topDown, 22, static_cast<std::uint32_t>(-2));
    EXPECT_TRUE(core::ReadBmpLayout(topDown.data(), topDown.size(), layout));

    // An 8-bit picture with its colour table: two colours used, rows of 4 bytes.
    std::vector<std::uint8_t> indexed(14 + 40 + 8 + 8, 0);
    indexed[0] = 'B';
    indexed[1] = 'M';
    Set32(indexed, 10, 14 + 40 + 8);
    Set32(indexed, 14, 40);
    Set32(indexed, 18, 3);
    Set32(indexed, 22, 2);
    indexed[26] = 1;
    indexed[28] = 8;
    Set32(indexed, 46, 2);
    ASSERT_TRUE(core::ReadBmpLayout(indexed.data(), indexed.size(), layout));
    EXPECT_EQ(layout.infoSize, 48u);
    EXPECT_EQ(layout.bitsSize, 8u);
    Set32(indexed, 46, 0); // all 256 colours: the table no longer fits before the pixels
    EXPECT_FALSE(core::ReadBmpLayout(indexed.data(), indexed.size(), layout));
}
