// PNG files through picture boxes: what is saved, what loads back, the colour types libpng must expand,
// and the failures that must leave nothing behind.
#include "app/editor/modPNG.h"

#include "testkit/Files.h"
#include "winkit/Scoped.h"

#include <png.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

using quillet::LoadPNG;
using quillet::PictureBox;
using quillet::SavePNG;

namespace {

using Rows = std::vector<std::vector<std::uint8_t>>;

// Writes a PNG with the build's libpng from rows already in the file's own sample layout.
bool WriteWithLibpng(const std::wstring& path, int w, int h, int colorType, int depth, Rows rows,
                     const std::vector<png_color>& palette = {}) {
    std::FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_bytep> pointers;
    for (auto& r : rows)
        pointers.push_back(r.data());
    bool ok = false;
    if (!setjmp(png_jmpbuf(png))) {
        png_init_io(png, f);
        png_set_IHDR(png, info, w, h, depth, colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        if (!palette.empty())
            png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
        png_set_rows(png, info, pointers.data());
        png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return ok;
}

std::vector<std::uint8_t> FileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Be32(const std::uint8_t* p) { return (p[0] << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }

void ExpectColours(PictureBox& box, const std::vector<std::vector<COLORREF>>& expected) {
    ASSERT_EQ(box.PixelHeight(), static_cast<int>(expected.size()));
    ASSERT_EQ(box.PixelWidth(), static_cast<int>(expected[0].size()));
    for (size_t y = 0; y < expected.size(); ++y)
        for (size_t x = 0; x < expected[y].size(); ++x)
            EXPECT_EQ(::GetPixel(box.hDC(), static_cast<int>(x), static_cast<int>(y)), expected[y][x]) << x << "," << y;
}

// Nobody else holds the file open: an exclusive open succeeds.
bool NotHeldOpen(const std::wstring& path) {
    winkit::ScopedFile f(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(f);
}

class PngFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(box.Create(nullptr, 0, 0, 1, 1, false)); }
    std::wstring File(const wchar_t* name) const { return folder.path() + name; }
    testkit::TempFolder folder;
    PictureBox box;
};

} // namespace

TEST_F(PngFiles, A640By480PictureSavesAsRgbWithSbitAndLoadsBackTheSamePixels) {
    PictureBox source;
    ASSERT_TRUE(source.Create(nullptr, 0, 0, 640, 480, false));
    {
        // A pattern in every channel, drawn as one block.
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 640, -480, 1, 32, BI_RGB};
        std::vector<std::uint32_t> pattern(640 * 480);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                pattern[y * 640 + x] = ((x * 3) & 0xFF) << 16 | ((y * 5) & 0xFF) << 8 | ((x ^ y) & 0xFF);
        ASSERT_EQ(::SetDIBitsToDevice(source.hDC(), 0, 0, 640, 480, 0, 0, 0, 480, pattern.data(), &info,
                                      DIB_RGB_COLORS), 480);
    }
    const std::wstring path = File(L"saved.png");
    ASSERT_TRUE(SavePNG(source, path));
    const auto bytes = FileBytes(path);
    ASSERT_GT(bytes.size(), 48u);
    EXPECT_EQ(Be32(&bytes[16]), 640u);
    EXPECT_EQ(Be32(&bytes[20]), 480u);
    EXPECT_EQ(bytes[24], 8);  // bit depth
    EXPECT_EQ(bytes[25], 2);  // RGB
    EXPECT_EQ(std::string(bytes.begin() + 37, bytes.begin() + 44), std::string("sBIT\x08\x08\x08"));

    ASSERT_TRUE(LoadPNG(path, box));
    ASSERT_EQ(box.PixelWidth(), 640);
    ASSERT_EQ(box.PixelHeight(), 480);
    for (int y = 0; y < 480; y += 7)
        for (int x = 0; x < 640; x += 13)
            ASSERT_EQ(::GetPixel(box.hDC(), x, y), ::GetPixel(source.hDC(), x, y)) << x << "," << y;
    EXPECT_EQ(::GetPixel(box.hDC(), 639, 479), RGB((639 * 3) & 0xFF, (479 * 5) & 0xFF, (639 ^ 479) & 0xFF));
    EXPECT_TRUE(NotHeldOpen(path));
}

TEST_F(PngFiles, AlphaIsRemovedAndPaletteGreyAnd16BitPicturesKeepTheirColours) {
    const std::wstring rgba = File(L"rgba.png");
    ASSERT_TRUE(WriteWithLibpng(rgba, 2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {{10, 20, 30, 0, 200, 100, 50, 128}}));
    ASSERT_TRUE(LoadPNG(rgba, box));
    ExpectColours(box, {{RGB(10, 20, 30), RGB(200, 100, 50)}});

    const std::wstring palette = File(L"palette.png");
    // 2-bit indexes 0, 1, 2, 3 packed in one byte, then 3, 0.
    ASSERT_TRUE(WriteWithLibpng(palette, 4, 2, PNG_COLOR_TYPE_PALETTE, 2, {{0x1B}, {0xC0}},
                                {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 8, 7}}));
    ASSERT_TRUE(LoadPNG(palette, box));
    ExpectColours(box, {{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(9, 8, 7)},
                        {RGB(9, 8, 7), RGB(255, 0, 0), RGB(255, 0, 0), RGB(255, 0, 0)}});

    const std::wstring grey = File(L"grey.png");
    ASSERT_TRUE(WriteWithLibpng(grey, 3, 1, PNG_COLOR_TYPE_GRAY, 8, {{0, 77, 255}}));
    ASSERT_TRUE(LoadPNG(grey, box));
    ExpectColours(box, {{RGB(0, 0, 0), RGB(77, 77, 77), RGB(255, 255, 255)}});

    const std::wstring bits16 = File(L"deep.png");
    ASSERT_TRUE(WriteWithLibpng(bits16, 1, 2, PNG_COLOR_TYPE_RGB, 16,
                                {{0x12, 0x34, 0xAB, 0xCD, 0xFF, 0xFF}, {0x00, 0xFF, 0x80, 0x00, 0x01, 0x00}}));
    ASSERT_TRUE(LoadPNG(bits16, box));
    ExpectColours(box, {{RGB(0x12, 0xAB, 0xFF)}, {RGB(0x00, 0x80, 0x01)}});
}

TEST_F(PngFiles, DamagedFilesFailAndAreClosed) {
    const std::wstring garbage = File(L"garbage.png");
    {
        std::ofstream out(garbage.c_str(), std::ios::binary);
        out << "\x89PNG\r\n\x1a\n";
        for (int i = 0; i < 200; ++i)
            out << static_cast<char>((i * 73 + 11) & 0xFF);
    }
    ::SetPixel(box.hDC(), 0, 0, RGB(1, 2, 3));
    EXPECT_FALSE(LoadPNG(garbage, box));
    EXPECT_TRUE(NotHeldOpen(garbage));
    EXPECT_EQ(box.PixelWidth(), 1);
    EXPECT_EQ(::GetPixel(box.hDC(), 0, 0), RGB(1, 2, 3));

    // A good file cut in the middle of its image data.
    const std::wstring good = File(L"good.png");
    ASSERT_TRUE(WriteWithLibpng(good, 64, 64, PNG_COLOR_TYPE_GRAY, 8, Rows(64, std::vector<std::uint8_t>(64, 9))));
    auto bytes = FileBytes(good);
    const std::wstring cut = File(L"cut.png");
    {
        std::ofstream out(cut.c_str(), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size() / 2));
    }
    EXPECT_FALSE(LoadPNG(cut, box));
    EXPECT_TRUE(NotHeldOpen(cut));
    EXPECT_FALSE(LoadPNG(File(L"missing.png"), box));
}

TEST_F(PngFiles, AnEmptyBoxIsNotSavedAndAFileThatCannotBeWrittenIsReported) {
    const std::wstring path = File(L"keep.png");
    {
        std::ofstream out(path.c_str(), std::ios::binary);
        out << "keep";
    }
    ASSERT_TRUE(box.SetPixelSize(0, 10));
    EXPECT_FALSE(SavePNG(box, path));
    const auto kept = FileBytes(path);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "keep");

    ASSERT_TRUE(box.SetPixelSize(4, 4));
    EXPECT_FALSE(SavePNG(box, folder.path() + L"no such folder\\x.png"));
    EXPECT_TRUE(SavePNG(box, path));
    EXPECT_TRUE(NotHeldOpen(path));
}
