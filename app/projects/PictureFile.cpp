#include "app/projects/PictureFile.h"

#include "app/shell/modInitialization.h"
#include "core/BmpFile.h"
#include "winkit/Bitmaps.h"
#include "winkit/Scoped.h"

#include <cstring>

namespace quillet {

std::optional<std::vector<std::uint8_t>> EncodeBitmapFile(HBITMAP picture) {
    BITMAP info{};
    if (!picture || !::GetObjectW(picture, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return std::nullopt;
    const int width = info.bmWidth;
    const int height = info.bmHeight;
    // Read as 32-bit top-down rows; the encoder writes the 24-bit file.
    BITMAPINFO request = winkit::TopDown32BitInfo(width, height);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    {
        winkit::WindowDC screen(nullptr);
        if (::GetDIBits(screen.get(), picture, 0, static_cast<UINT>(height), pixels.data(), &request,
                        DIB_RGB_COLORS) != height)
            return std::nullopt;
    }
    // GetDIBits gives 0x00RRGGBB; the encoder takes 0x00BBGGRR.
    for (std::uint32_t& p : pixels)
        p = (p & 0xFF00) | (p >> 16 & 0xFF) | (p & 0xFF) << 16;
    return core::EncodeBmp24(width, height, pixels.data());
}

bool SaveBitmapFile(HBITMAP picture, const std::wstring& path) {
    const auto file = EncodeBitmapFile(picture);
    if (!file)
        return false;
    winkit::ScopedFile out(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return out && ::WriteFile(out.get(), file->data(), static_cast<DWORD>(file->size()), &written, nullptr) &&
           written == file->size();
}

HBITMAP LoadBitmapFile(const std::wstring& path) {
    return static_cast<HBITMAP>(
        ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

HBITMAP BitmapFromFileBytes(const std::uint8_t* bytes, std::size_t size) {
    constexpr std::size_t kSmallestHeaders = 14 + 12;
    if (size < kSmallestHeaders)
        return nullptr;
    core::BmpLayout layout;
    if (core::ReadBmpLayout(bytes, size, layout)) {
        // The headers are copied to aligned memory; the file's own lie at an odd offset.
        std::vector<std::uint32_t> info((layout.infoSize + 3) / 4);
        std::memcpy(info.data(), bytes + layout.infoOffset, layout.infoSize);
        void* bits = nullptr;
        HBITMAP picture = ::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()),
                                             DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!picture || !bits) {
            if (picture)
                ::DeleteObject(picture);
            return nullptr;
        }
        std::memcpy(bits, bytes + layout.bitsOffset, layout.bitsSize);
        ::GdiFlush();
        return picture;
    }
    // Compressed and older layouts go to the system loader, which reads only files.
    wchar_t path[MAX_PATH] = {};
    if (!::GetTempFileNameW(TempFolder.c_str(), L"qlp", 0, path))
        return nullptr;
    HBITMAP picture = nullptr;
    {
        winkit::ScopedFile out(
            ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr));
        DWORD written = 0;
        if (out && ::WriteFile(out.get(), bytes, static_cast<DWORD>(size), &written, nullptr) && written == size) {
            out.reset();
            picture = LoadBitmapFile(path);
        }
    }
    ::DeleteFileW(path);
    return picture;
}

} // namespace quillet
