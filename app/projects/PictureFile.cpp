#include "app/projects/PictureFile.h"
#include "winkit/Bitmaps.h"

#include "core/BmpFile.h"
#include "winkit/Scoped.h"

#include <vector>

namespace quillet {

bool SaveBitmapFile(HBITMAP picture, const std::wstring& path) {
    BITMAP info{};
    if (!picture || !::GetObjectW(picture, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return false;
    const int width = info.bmWidth;
    const int height = info.bmHeight;
    // Read as 32-bit top-down rows; the encoder writes the 24-bit file.
    BITMAPINFO request = winkit::TopDown32BitInfo(width, height);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    {
        winkit::WindowDC screen(nullptr);
        if (::GetDIBits(screen.get(), picture, 0, static_cast<UINT>(height), pixels.data(), &request,
                        DIB_RGB_COLORS) != height)
            return false;
    }
    // GetDIBits gives 0x00RRGGBB; the encoder takes 0x00BBGGRR.
    for (std::uint32_t& p : pixels)
        p = (p & 0xFF00) | (p >> 16 & 0xFF) | (p & 0xFF) << 16;
    const std::vector<std::uint8_t> file = core::EncodeBmp24(width, height, pixels.data());
    winkit::ScopedFile out(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return out && ::WriteFile(out.get(), file.data(), static_cast<DWORD>(file.size()), &written, nullptr) &&
           written == file.size();
}

HBITMAP LoadBitmapFile(const std::wstring& path) {
    return static_cast<HBITMAP>(
        ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

} // namespace quillet
