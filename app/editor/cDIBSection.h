#pragma once
// A 24-bit bottom-up device-independent bitmap selected into its own memory device context: the pixel
// rows PNG files are read into and written from, moved to and from picture boxes by block transfers.
#include <windows.h>

namespace quillet {

class cDIBSection {
public:
    cDIBSection() = default;
    cDIBSection(const cDIBSection&) = delete;
    cDIBSection& operator=(const cDIBSection&) = delete;
    ~cDIBSection() { ClearUp(); }

    // Fills the header for width x height and creates the section; true when a handle came back.
    bool CreateDIB(HDC hdc, int width, int height, HBITMAP& hDib);
    // Releases what the object held, then makes a new section in a screen-compatible memory context.
    bool Create(int width, int height);

    // Row length in bytes: 3 bytes a pixel, rounded up to a multiple of 4.
    int BytesPerScanLine() const { return (Width() * 3 + 3) & ~3; }
    int Width() const { return header_.bmiHeader.biWidth; }
    int Height() const { return header_.bmiHeader.biHeight; }
    HDC hdc() const { return hDC_; }
    HBITMAP hDib() const { return hDib_; }
    // The first byte of the rows; the first row in memory is the picture's bottom row.
    void* DIBSectionBitsPtr() const { return bits_; }
    const BITMAPINFOHEADER& Header() const { return header_.bmiHeader; }

    // Copies from the source into the section at (0, 0); a negative width or height means the section's.
    bool LoadPictureBlt(HDC hdcSource, int left = 0, int top = 0, int width = -1, int height = -1,
                        DWORD rop = SRCCOPY);
    // Copies the section to the destination; negative sizes again mean the section's.
    bool PaintPicture(HDC hdcDest, int destLeft = 0, int destTop = 0, int destWidth = -1, int destHeight = -1,
                      int srcLeft = 0, int srcTop = 0, DWORD rop = SRCCOPY);

    // Puts the context's first bitmap back, deletes the section and the context; everything becomes 0.
    void ClearUp() noexcept;

private:
    BITMAPINFO header_{};
    HBITMAP hDib_ = nullptr;
    HBITMAP hBmpOld_ = nullptr;
    HDC hDC_ = nullptr;
    void* bits_ = nullptr;
};

} // namespace quillet
