#pragma once
// Windows bitmap files of 24 bits per pixel, as picture clips are stored in a project.
#include <cstdint>
#include <vector>

namespace core {

// Encodes a picture given as rows top to bottom of 0x00BBGGRR pixels into a complete .bmp file:
// file header, 40-byte info header, rows bottom-up, each padded to a multiple of four bytes.
std::vector<std::uint8_t> EncodeBmp24(int width, int height, const std::uint32_t* pixels);

// Where the parts of a bitmap file held in memory lie, once every length in its headers has been
// checked against the bytes really there. Only the uncompressed layouts (and bit-field masks) are
// described; anything else is left to the system's own loader.
struct BmpLayout {
    std::size_t infoOffset = 14; // the info header, colour table or masks follow it directly
    std::size_t infoSize = 0;    // info header + masks + colour table, in bytes
    std::size_t bitsOffset = 0;
    std::size_t bitsSize = 0;    // rows of the picture, padded
};

// The layout, or false when the file is not a plain uncompressed bitmap that lies within `size` bytes.
bool ReadBmpLayout(const std::uint8_t* bytes, std::size_t size, BmpLayout& layout);

} // namespace core
