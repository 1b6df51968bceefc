// The 24-bit section: its header, its row length, block transfers in both directions and its release.
#include "app/editor/cDIBSection.h"
#include "app/editor/PictureBox.h"

#include <gtest/gtest.h>

#include <cstdint>

using quillet::cDIBSection;

TEST(cDIBSection, CreateFillsTheHeaderAndPadsRowsToFourBytes) {
    struct Case { int width, rowBytes; };
    for (const Case c : {Case{1, 4}, Case{2, 8}, Case{3, 12}, Case{4, 12}, Case{5, 16}, Case{640, 1920}}) {
        cDIBSection dib;
        ASSERT_TRUE(dib.Create(c.width, 3)) << c.width;
        EXPECT_EQ(dib.BytesPerScanLine(), c.rowBytes) << c.width;
        const BITMAPINFOHEADER& h = dib.Header();
        EXPECT_EQ(h.biSize, 40u);
        EXPECT_EQ(h.biWidth, c.width);
        EXPECT_EQ(h.biHeight, 3);  // positive: bottom-up
        EXPECT_EQ(h.biPlanes, 1);
        EXPECT_EQ(h.biBitCount, 24);
        EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(h.biSizeImage, static_cast<DWORD>(3 * c.rowBytes));
        EXPECT_EQ(dib.Width(), c.width);
        EXPECT_EQ(dib.Height(), 3);
        ASSERT_NE(dib.hdc(), nullptr);
        ASSERT_NE(dib.hDib(), nullptr);
        EXPECT_NE(dib.DIBSectionBitsPtr(), nullptr);
        EXPECT_EQ(::GetCurrentObject(dib.hdc(), OBJ_BITMAP), dib.hDib());
    }
}

TEST(cDIBSection, ClearUpAndRecreateReleaseEverything) {
    cDIBSection dib;
    ASSERT_TRUE(dib.Create(8, 8));
    HBITMAP first = dib.hDib();
    HDC firstDC = dib.hdc();
    ASSERT_TRUE(dib.Create(4, 4));
    EXPECT_EQ(::GetObjectType(first), 0u) << "the first section outlived the second Create";
    EXPECT_EQ(::GetObjectType(firstDC), 0u);
    HBITMAP second = dib.hDib();
    dib.ClearUp();
    EXPECT_EQ(::GetObjectType(second), 0u);
    EXPECT_EQ(dib.hdc(), nullptr);
    EXPECT_EQ(dib.hDib(), nullptr);
    EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
    dib.ClearUp();  // twice is harmless

    EXPECT_FALSE(dib.Create(0, 5));
    EXPECT_FALSE(dib.Create(5, -1));
    EXPECT_EQ(dib.hdc(), nullptr);
    EXPECT_FALSE(dib.LoadPictureBlt(nullptr));
}

TEST(cDIBSection, BlocksTravelUprightIntoBottomUpRows) {
    quillet::PictureBox source;
    ASSERT_TRUE(source.Create(nullptr, 0, 0, 4, 3, false));
    ::SetPixel(source.hDC(), 0, 0, RGB(255, 0, 0));
    ::SetPixel(source.hDC(), 3, 2, RGB(0, 0, 255));
    ::SetPixel(source.hDC(), 1, 1, RGB(10, 20, 30));

    cDIBSection dib;
    ASSERT_TRUE(dib.Create(4, 3));
    ASSERT_TRUE(dib.LoadPictureBlt(source.hDC(), 0, 0, -1, -1, SRCCOPY));
    ::GdiFlush();
    const auto* bits = static_cast<const std::uint8_t*>(dib.DIBSectionBitsPtr());
    const int row = dib.BytesPerScanLine();
    // Picture row 0 is the last row in memory; samples are blue, green, red.
    const std::uint8_t* top = bits + 2 * row;
    EXPECT_EQ(top[0], 0);
    EXPECT_EQ(top[1], 0);
    EXPECT_EQ(top[2], 255);
    const std::uint8_t* bottomRight = bits + 3 * 3;
    EXPECT_EQ(bottomRight[0], 255);
    EXPECT_EQ(bottomRight[2], 0);
    const std::uint8_t* middle = bits + row + 3;
    EXPECT_EQ(middle[0], 30);
    EXPECT_EQ(middle[1], 20);
    EXPECT_EQ(middle[2], 10);

    quillet::PictureBox target;
    ASSERT_TRUE(target.Create(nullptr, 0, 0, 6, 5, false));
    ASSERT_TRUE(dib.PaintPicture(target.hDC(), 2, 2));
    EXPECT_EQ(::GetPixel(target.hDC(), 2, 2), RGB(255, 0, 0));
    EXPECT_EQ(::GetPixel(target.hDC(), 3, 3), RGB(10, 20, 30));
    EXPECT_EQ(::GetPixel(target.hDC(), 5, 4), RGB(0, 0, 255));
    EXPECT_EQ(::GetPixel(target.hDC(), 1, 1), RGB(255, 255, 255));  // outside the copied block
}
