#pragma once
// What the menu tests share: a surface to read drawn pixels from, the classic colour scheme, item
// readers and the pictures and arguments a client passes.
#include "winkit/Bitmaps.h"
#include "winkit/Com.h"
#include "winkit/Scoped.h"

#include <windows.h>
#include <olectl.h>

namespace syslinkage_test {

// A 32-bit surface to draw on, or to copy a window's pixels to, and read back.
class Surface {
public:
    Surface(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info = winkit::TopDown32BitInfo(width, height);
        bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
        dc_.reset(::CreateCompatibleDC(nullptr));
        old_ = ::SelectObject(dc_.get(), bitmap_.get());
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface() { ::SelectObject(dc_.get(), old_); }
    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF Pixel(int x, int y) const {
        if (x < 0 || y < 0 || x >= width_ || y >= height_ || !bits_)
            return CLR_INVALID;
        ::GdiFlush();
        const DWORD p = static_cast<const DWORD*>(bits_)[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    int width_;
    int height_;
    void* bits_ = nullptr;
    winkit::ScopedGdiObject bitmap_;
    winkit::ScopedMemoryDC dc_;
    HGDIOBJ old_ = nullptr;
};

// The classic scheme, where the menu colour differs from the light, highlight and edge colours (the
// default scheme here paints menus white); the one in force is put back at the end.
class ClassicColours {
public:
    ClassicColours() {
        for (size_t i = 0; i < kCount; ++i)
            saved_[i] = ::GetSysColor(kIndices[i]);
        ::SetSysColors(static_cast<int>(kCount), kIndices, kClassic);
    }
    ClassicColours(const ClassicColours&) = delete;
    ClassicColours& operator=(const ClassicColours&) = delete;
    ~ClassicColours() { ::SetSysColors(static_cast<int>(kCount), kIndices, saved_); }

private:
    static constexpr size_t kCount = 9;
    static constexpr INT kIndices[kCount] = {COLOR_MENU,      COLOR_MENUTEXT, COLOR_HIGHLIGHT,
                                             COLOR_HIGHLIGHTTEXT, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT,
                                             COLOR_3DLIGHT,   COLOR_ACTIVECAPTION, COLOR_GRADIENTACTIVECAPTION};
    static constexpr COLORREF kClassic[kCount] = {RGB(212, 208, 200), RGB(0, 0, 0),       RGB(10, 36, 106),
                                                  RGB(255, 255, 255), RGB(128, 128, 128), RGB(255, 255, 254),
                                                  RGB(223, 223, 223), RGB(10, 36, 106),   RGB(166, 202, 240)};
    COLORREF saved_[kCount] = {};
};

inline MENUITEMINFOW ItemInfo(HMENU menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA | MIIM_ID;
    ::GetMenuItemInfoW(menu, position, TRUE, &info);
    return info;
}

// The optional argument left out, as automation clients pass it.
inline VARIANT MissingArgument() {
    VARIANT none;
    none.vt = VT_ERROR;
    none.scode = DISP_E_PARAMNOTFOUND;
    return none;
}

// A picture object owning a 16x16 bitmap: `ground` at the top-left pixel (drawn transparent) and `fill`
// everywhere else.
inline winkit::ComPtr<IPictureDisp> SolidPicture(COLORREF fill, COLORREF ground) {
    winkit::WindowDC screen(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen.get(), 16, 16);
    {
        winkit::ScopedMemoryDC dc(::CreateCompatibleDC(screen.get()));
        winkit::SelectObjectGuard select(dc.get(), bitmap);
        const RECT all{0, 0, 16, 16};
        winkit::ScopedGdiObject brush(::CreateSolidBrush(fill));
        ::FillRect(dc.get(), &all, static_cast<HBRUSH>(brush.get()));
        ::SetPixel(dc.get(), 0, 0, ground);
    }
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof(desc);
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap;
    winkit::ComPtr<IPictureDisp> picture;
    if (FAILED(::OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, picture.put_void())))
        ::DeleteObject(bitmap);
    return picture;
}

} // namespace syslinkage_test
