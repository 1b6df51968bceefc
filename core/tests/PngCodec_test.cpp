// The decoder against small files built byte by byte by scripts/make-png-samples.py, whose pixels are
// listed here, and the encoder through a write and read back.
#include "core/PngCodec.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using Rgb = std::array<int, 3>;
using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

FilePtr Open(const std::string& path, const char* mode) { return FilePtr(std::fopen(path.c_str(), mode), std::fclose); }
std::string Sample(const char* name) { return std::string(QUILLET_TESTDATA_DIR) + "/png/" + name; }

bool DecodeSample(const char* name, core::DecodedPng& out) {
    FilePtr f = Open(Sample(name), "rb");
    EXPECT_TRUE(f) << name;
    return f && core::DecodePng(f.get(), out);
}

Rgb At(const core::DecodedPng& d, int x, int y) {
    const std::uint8_t* p = d.Row(y) + 3 * x;
    return {p[2], p[1], p[0]};
}

void ExpectPixels(const char* name, const std::vector<std::vector<Rgb>>& expected) {
    core::DecodedPng d;
    ASSERT_TRUE(DecodeSample(name, d)) << name;
    ASSERT_EQ(d.height, expected.size()) << name;
    ASSERT_EQ(d.width, expected[0].size()) << name;
    ASSERT_EQ(d.bgr.size(), d.width * d.height * 3) << name;
    for (size_t y = 0; y < expected.size(); ++y)
        for (size_t x = 0; x < expected[y].size(); ++x)
            EXPECT_EQ(At(d, static_cast<int>(x), static_cast<int>(y)), expected[y][x]) << name << " " << x << "," << y;
}

} // namespace

TEST(PngDecode, EveryColourTypeComesOutAsEightBitColour) {
    const std::vector<std::vector<Rgb>> colours{{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}},
                                                {{10, 20, 30}, {200, 100, 50}, {255, 255, 255}}};
    ExpectPixels("rgb8.png", colours);
    ExpectPixels("rgba8.png", colours);  // alpha dropped, colours untouched
    ExpectPixels("rgb16.png", colours);  // c * 257 reduced to c
    ExpectPixels("gray8.png", {{{0, 0, 0}, {100, 100, 100}, {255, 255, 255}}, {{17, 17, 17}, {34, 34, 34}, {51, 51, 51}}});
    ExpectPixels("gray1.png", {{{255, 255, 255}, {0, 0, 0}, {255, 255, 255}}, {{0, 0, 0}, {255, 255, 255}, {0, 0, 0}}});
    ExpectPixels("gray16.png", {{{0x12, 0x12, 0x12}, {0xAB, 0xAB, 0xAB}, {0xFF, 0xFF, 0xFF}},
                                {{0, 0, 0}, {0x80, 0x80, 0x80}, {0, 0, 0}}});
    ExpectPixels("graya8.png", {{{0, 0, 0}, {100, 100, 100}, {255, 255, 255}}, {{17, 17, 17}, {34, 34, 34}, {51, 51, 51}}});
    const std::vector<std::vector<Rgb>> palette{{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}},
                                                {{9, 8, 7}, {9, 8, 7}, {255, 0, 0}}};
    ExpectPixels("palette2.png", palette);
    ExpectPixels("palette8_trns.png", palette);
}

TEST(PngDecode, InterlacedPicturesComeOutInRowOrder) {
    std::vector<std::vector<Rgb>> checker(8, std::vector<Rgb>(8));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            checker[y][x] = {(x * 32) % 256, (y * 32) % 256, ((x + y) * 16) % 256};
    ExpectPixels("interlaced8x8.png", checker);
}

TEST(PngDecode, DamagedOrOversizedFilesAreRefused) {
    for (const char* name : {"bad_signature_only.png", "bad_cut_after_ihdr.png", "bad_cut_in_idat.png",
                             "bad_idat_crc.png", "bad_garbage_after_signature.png", "bad_too_few_rows.png",
                             "bad_too_wide.png", "bad_too_many_pixels.png"}) {
        core::DecodedPng d;
        EXPECT_FALSE(DecodeSample(name, d)) << name;
        EXPECT_EQ(d.width, 0u) << name;
        EXPECT_TRUE(d.bgr.empty()) << name;
    }
    FilePtr empty(std::tmpfile(), std::fclose);
    core::DecodedPng d;
    EXPECT_FALSE(core::DecodePng(empty.get(), d));
    EXPECT_FALSE(core::DecodePng(nullptr, d));
}

namespace {

std::vector<std::uint8_t> ReadAll(std::FILE* f) {
    std::rewind(f);
    std::vector<std::uint8_t> bytes;
    int c;
    while ((c = std::fgetc(f)) != EOF)
        bytes.push_back(static_cast<std::uint8_t>(c));
    return bytes;
}

std::uint32_t Be32(const std::uint8_t* p) { return (p[0] << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }

} // namespace

TEST(PngEncode, WritesEightBitRgbWithSignificantBitsAndReadsBack) {
    const std::uint32_t w = 640, h = 480;
    std::vector<std::uint8_t> bgr(w * h * 3);
    for (size_t i = 0; i < bgr.size(); ++i)
        bgr[i] = static_cast<std::uint8_t>((i * 7) ^ (i >> 9));
    std::vector<const std::uint8_t*> rows(h);
    for (std::uint32_t y = 0; y < h; ++y)
        rows[y] = bgr.data() + y * w * 3;

    FilePtr f(std::tmpfile(), std::fclose);
    ASSERT_TRUE(f);
    ASSERT_TRUE(core::EncodePng(f.get(), w, h, rows.data()));
    const auto bytes = ReadAll(f.get());
    ASSERT_GT(bytes.size(), 33u + 12u);
    // IHDR: length 13, "IHDR", width, height, depth 8, colour type 2, no interlacing.
    EXPECT_EQ(std::memcmp(bytes.data() + 12, "IHDR", 4), 0);
    EXPECT_EQ(Be32(bytes.data() + 16), w);
    EXPECT_EQ(Be32(bytes.data() + 20), h);
    EXPECT_EQ(bytes[24], 8);
    EXPECT_EQ(bytes[25], 2);
    EXPECT_EQ(bytes[28], 0);
    // sBIT follows IHDR: length 3, 8 bits of red, green and blue.
    EXPECT_EQ(Be32(bytes.data() + 33), 3u);
    EXPECT_EQ(std::memcmp(bytes.data() + 37, "sBIT\x08\x08\x08", 7), 0);

    std::rewind(f.get());
    core::DecodedPng d;
    ASSERT_TRUE(core::DecodePng(f.get(), d));
    EXPECT_EQ(d.width, w);
    EXPECT_EQ(d.height, h);
    EXPECT_EQ(d.bgr, bgr);
}

TEST(PngEncode, ReportsFailureWhenNothingCanBeWritten) {
    const std::uint8_t row[3] = {1, 2, 3};
    const std::uint8_t* rows[1] = {row};
    FilePtr f(std::tmpfile(), std::fclose);
    EXPECT_FALSE(core::EncodePng(f.get(), 0, 1, rows));
    EXPECT_FALSE(core::EncodePng(f.get(), 1, 0, rows));
    EXPECT_FALSE(core::EncodePng(nullptr, 1, 1, rows));
    EXPECT_TRUE(ReadAll(f.get()).empty());
    // A stream open only for reading takes no bytes: the write error must not pass for success.
    FilePtr readOnly = Open(Sample("rgb8.png"), "rb");
    ASSERT_TRUE(readOnly);
    EXPECT_FALSE(core::EncodePng(readOnly.get(), 1, 1, rows));
}
