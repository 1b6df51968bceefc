#include "app/editor/cDIBSection.h"

#include <cstdint>

namespace quillet {

bool cDIBSection::CreateDIB(HDC hdc, int width, int height, HBITMAP& hDib) {
    hDib = nullptr;
    // A row length or image size beyond 32 bits would wrap; such a bitmap is refused, not made too small.
    const std::int64_t rowBytes = (static_cast<std::int64_t>(width) * 3 + 3) & ~std::int64_t{3};
    if (width < 1 || height < 1 || rowBytes * height > 0x7FFFFFFF)
        return false;
    BITMAPINFOHEADER& h = header_.bmiHeader;
    h = BITMAPINFOHEADER{};
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width;
    h.biHeight = height;  // positive: bottom-up
    h.biPlanes = 1;
    h.biBitCount = 24;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(rowBytes * height);
    void* bits = nullptr;
    hDib = ::CreateDIBSection(hdc, &header_, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!hDib) {
        header_ = BITMAPINFO{};
        return false;
    }
    bits_ = bits;
    return true;
}

bool cDIBSection::Create(int width, int height) {
    ClearUp();
    hDC_ = ::CreateCompatibleDC(nullptr);
    if (!hDC_)
        return false;
    if (!CreateDIB(hDC_, width, height, hDib_)) {
        ::DeleteDC(hDC_);
        hDC_ = nullptr;
        return false;
    }
    hBmpOld_ = static_cast<HBITMAP>(::SelectObject(hDC_, hDib_));
    return true;
}

bool cDIBSection::LoadPictureBlt(HDC hdcSource, int left, int top, int width, int height, DWORD rop) {
    if (!hDC_)
        return false;
    if (width < 0)
        width = Width();
    if (height < 0)
        height = Height();
    return ::BitBlt(hDC_, 0, 0, width, height, hdcSource, left, top, rop) != FALSE;
}

bool cDIBSection::PaintPicture(HDC hdcDest, int destLeft, int destTop, int destWidth, int destHeight, int srcLeft,
                               int srcTop, DWORD rop) {
    if (!hDC_)
        return false;
    if (destWidth < 0)
        destWidth = Width();
    if (destHeight < 0)
        destHeight = Height();
    return ::BitBlt(hdcDest, destLeft, destTop, destWidth, destHeight, hDC_, srcLeft, srcTop, rop) != FALSE;
}

void cDIBSection::ClearUp() noexcept {
    if (hDC_) {
        if (hDib_) {
            ::SelectObject(hDC_, hBmpOld_);
            ::DeleteObject(hDib_);
        }
        ::DeleteDC(hDC_);
    }
    hDC_ = nullptr;
    hDib_ = nullptr;
    hBmpOld_ = nullptr;
    bits_ = nullptr;
    header_ = BITMAPINFO{};
}

} // namespace quillet
