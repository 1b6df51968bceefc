#pragma once
// Windows bitmap files of 24 bits per pixel, as picture clips are stored in a project.
#include <cstdint>
#include <vector>

namespace core {

// Encodes a picture given as rows top to bottom of 0x00BBGGRR pixels into a complete .bmp file:
// file header, 40-byte info header, rows bottom-up, each padded to a multiple of four bytes.
std::vector<std::uint8_t> EncodeBmp24(int width, int height, const std::uint32_t* pixels);

} // namespace core
