#include "app/editor/modPNG.h"

#include "app/editor/cDIBSection.h"
#include "core/PngCodec.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace quillet {

namespace {

struct StreamCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using Stream = std::unique_ptr<std::FILE, StreamCloser>;

} // namespace

bool LoadPNG(const std::wstring& path, PictureBox& pictureBox) {
    core::DecodedPng decoded;
    {
        Stream file(_wfopen(path.c_str(), L"rb"));
        if (!file || !core::DecodePng(file.get(), decoded))
            return false;
    }
    const int width = static_cast<int>(decoded.width), height = static_cast<int>(decoded.height);
    cDIBSection dib;
    if (!dib.Create(width, height))
        return false;
    // The bitmap is bottom-up: its first row in memory takes the picture's last row.
    auto* bits = static_cast<std::uint8_t*>(dib.DIBSectionBitsPtr());
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    for (int i = 0; i < height; ++i)
        std::memcpy(bits + static_cast<size_t>(i) * dib.BytesPerScanLine(), decoded.Row(height - 1 - i), rowBytes);

    if (!pictureBox.SetPixelSize(width, height))
        return false;
    pictureBox.Cls();
    ::GdiFlush();
    dib.PaintPicture(pictureBox.hDC(), 0, 0, width, height, 0, 0, SRCCOPY);
    pictureBox.Refresh();
    return true;
}

bool SavePNG(PictureBox& pictureBox, const std::wstring& path) {
    const int width = static_cast<int>(std::lround(pictureBox.ScaleXToPixels(pictureBox.ScaleWidth())));
    const int height = static_cast<int>(std::lround(pictureBox.ScaleYToPixels(pictureBox.ScaleHeight())));
    if (width < 1 || height < 1)
        return false;
    // The pixels are taken before the file is opened, so a bitmap that cannot be made leaves it alone.
    cDIBSection dib;
    if (!dib.Create(width, height) || !dib.LoadPictureBlt(pictureBox.hDC(), 0, 0, -1, -1, SRCCOPY))
        return false;
    ::GdiFlush();
    const auto* bits = static_cast<const std::uint8_t*>(dib.DIBSectionBitsPtr());
    std::vector<const std::uint8_t*> rows(height);
    for (int r = 0; r < height; ++r)
        rows[r] = bits + static_cast<size_t>(height - 1 - r) * dib.BytesPerScanLine();

    std::FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return false;
    const bool written = core::EncodePng(file, width, height, rows.data());
    const bool closed = std::fclose(file) == 0;
    if (written && closed)
        return true;
    _wremove(path.c_str());
    return false;
}

} // namespace quillet
