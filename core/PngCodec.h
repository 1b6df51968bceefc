#pragma once
// Decoding and encoding of PNG streams through libpng. Everything that touches a file's bytes is here, so
// the program and the fuzz target run the same code.
#include <cstdint>
#include <cstdio>
#include <vector>

namespace core {

// Pictures beyond these are refused before anything is allocated for them: 20 000 pixels a side and
// 40 million pixels in all (120 MB of 24-bit rows, and as much again for the bitmap they go into).
inline constexpr std::uint32_t kMaxPngSide = 20000;
inline constexpr std::uint64_t kMaxPngPixels = 40000000;

// 8-bit samples in blue, green, red order, 3 bytes a pixel, rows top to bottom, no padding.
struct DecodedPng {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> bgr;
    const std::uint8_t* Row(std::uint32_t y) const { return bgr.data() + static_cast<size_t>(y) * width * 3; }
};

// Reads a whole PNG from the stream's current position. Every colour type, bit depth and interlacing
// comes out as 8-bit BGR (palette and grey expanded, 16-bit reduced, alpha dropped). False for anything
// that is not a complete, valid PNG within the limits; out is then left empty.
bool DecodePng(std::FILE* stream, DecodedPng& out);

// Writes an 8-bit RGB PNG (no interlacing, default compression and filters) with an sBIT chunk of 8, 8, 8.
// rows holds height pointers to rows of width BGR pixels, top row first. True when libpng wrote the whole
// image and the stream took it without error.
bool EncodePng(std::FILE* stream, std::uint32_t width, std::uint32_t height, const std::uint8_t* const* rows);

} // namespace core
