#include "core/BmpFile.h"

#include <cstdint>

namespace core {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    Put16(out, at, v & 0xFFFF);
    Put16(out, at + 2, v >> 16);
}

std::uint32_t Get32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t Get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitFields = 3;

} // namespace

bool ReadBmpLayout(const std::uint8_t* bytes, std::size_t size, BmpLayout& layout) {
    constexpr std::size_t kFileHeader = 14;
    if (size < kFileHeader + 40 || bytes[0] != 'B' || bytes[1] != 'M')
        return false;
    const std::uint32_t bitsOffset = Get32(bytes + 10);
    const std::uint8_t* info = bytes + kFileHeader;
    const std::uint32_t headerSize = Get32(info);
    const auto width = static_cast<std::int32_t>(Get32(info + 4));
    const auto height = static_cast<std::int32_t>(Get32(info + 8));
    const std::uint16_t planes = Get16(info + 12);
    const std::uint16_t bits = Get16(info + 14);
    const std::uint32_t compression = Get32(info + 16);
    const std::uint32_t colorsUsed = Get32(info + 32);
    if (headerSize < 40 || headerSize > 124 || kFileHeader + headerSize > size)
        return false;
    if (width <= 0 || height == 0 || height == INT32_MIN || width > 0x8000 || planes != 1)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    std::size_t masks = 0;
    if (compression == kBitFields) {
        if (bits != 16 && bits != 32)
            return false;
        masks = headerSize == 40 ? 12 : 0; // larger headers carry the masks themselves
    } else if (compression != kRgb) {
        return false;
    }
    std::size_t colors = 0;
    if (bits <= 8) {
        const std::size_t most = std::size_t(1) << bits;
        colors = colorsUsed == 0 || colorsUsed > most ? most : colorsUsed;
    } else if (colorsUsed > 256) {
        return false;
    } else {
        colors = colorsUsed;
    }
    const std::size_t infoSize = headerSize + masks + colors * 4;
    const std::size_t rows = static_cast<std::size_t>(height < 0 ? -static_cast<std::int64_t>(height) : height);
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    if (rows > (std::size_t(1) << 31) / stride)
        return false;
    const std::size_t bitsSize = stride * rows;
    if (kFileHeader + infoSize > size || bitsOffset < kFileHeader + infoSize || bitsOffset > size ||
        size - bitsOffset < bitsSize)
        return false;
    layout.infoOffset = kFileHeader;
    layout.infoSize = infoSize;
    layout.bitsOffset = bitsOffset;
    layout.bitsSize = bitsSize;
    return true;
}

std::vector<std::uint8_t> EncodeBmp24(int width, int height, const std::uint32_t* pixels) {
    if (width <= 0 || height <= 0)
        return {};
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t(3);
    const std::size_t imageSize = stride * static_cast<std::size_t>(height);
    const std::size_t offset = 14 + 40;
    std::vector<std::uint8_t> out(offset + imageSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<std::uint32_t>(out.size()));
    Put32(out, 10, static_cast<std::uint32_t>(offset));
    Put32(out, 14, 40);
    Put32(out, 18, static_cast<std::uint32_t>(width));
    Put32(out, 22, static_cast<std::uint32_t>(height));
    Put16(out, 26, 1);  // planes
    Put16(out, 28, 24); // bits per pixel
    Put32(out, 34, static_cast<std::uint32_t>(imageSize));
    Put32(out, 38, 3780); // 96 dots per inch, in pixels per metre
    Put32(out, 42, 3780);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        std::uint8_t* dst = out.data() + offset + stride * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = row[x];
            *dst++ = static_cast<std::uint8_t>(p >> 16); // blue
            *dst++ = static_cast<std::uint8_t>(p >> 8);  // green
            *dst++ = static_cast<std::uint8_t>(p);       // red
        }
    }
    return out;
}

} // namespace core
