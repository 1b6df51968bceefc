#include "core/BmpFile.h"

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

} // namespace

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
