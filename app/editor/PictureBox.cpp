#include "app/editor/PictureBox.h"
#include "winkit/Bitmaps.h"

#include <algorithm>

namespace quillet {

namespace {

constexpr wchar_t kClassName[] = L"QuilletPictureBox";

// Twips per unit of each scale mode; pixels count the program's fixed 15 twips.
double TwipsPerUnitX(core::ScaleMode mode) {
    switch (mode) {
    case core::ScaleMode::Twips:
        return 1;
    case core::ScaleMode::Points:
        return 20;
    case core::ScaleMode::Characters:
        return 120;
    case core::ScaleMode::Inches:
        return 1440;
    case core::ScaleMode::Millimeters:
        return 1440 / 25.4;
    case core::ScaleMode::Centimeters:
        return 1440 / 2.54;
    case core::ScaleMode::Pixels:
    case core::ScaleMode::User:
    default:
        return 15;
    }
}

double TwipsPerUnitY(core::ScaleMode mode) {
    return mode == core::ScaleMode::Characters ? 240 : TwipsPerUnitX(mode);
}

} // namespace

PictureBox::~PictureBox() {
    Destroy();
    // The image bitmap can only be deleted once it is out of its context.
    if (imageDC_)
        ::SelectObject(imageDC_.get(), imageOld_);
}

bool PictureBox::Create(HWND parent, int x, int y, int width, int height, bool visible) {
    if (!winkit::RegisterWindowClass(kClassName, CS_DBLCLKS, nullptr, nullptr))
        return false;
    const DWORD style = (parent ? WS_CHILD : WS_POPUP) | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
    const DWORD exStyle = parent ? 0 : WS_EX_TOOLWINDOW;
    if (!winkit::Window::Create(kClassName, L"", style, exStyle, x, y, width, height, parent))
        return false;
    return MakeImage(width, height);
}

double PictureBox::PixelsToScaleX(double pixels) const {
    return pixels * 15 / TwipsPerUnitX(scaleMode_);
}
double PictureBox::PixelsToScaleY(double pixels) const {
    return pixels * 15 / TwipsPerUnitY(scaleMode_);
}
double PictureBox::ScaleXToPixels(double units) const {
    return units * TwipsPerUnitX(scaleMode_) / 15;
}
double PictureBox::ScaleYToPixels(double units) const {
    return units * TwipsPerUnitY(scaleMode_) / 15;
}

bool PictureBox::MakeImage(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    winkit::ScopedMemoryDC dc(::CreateCompatibleDC(nullptr));
    if (!dc)
        return false;
    // A zero-sized box still gets a 1 x 1 bitmap so its context always has one of ours selected.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = std::max(width, 1);
    info.bmiHeader.biHeight = -std::max(height, 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    winkit::ScopedGdiObject bitmap(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        return false;
    HGDIOBJ old = ::SelectObject(dc.get(), bitmap.get());
    {
        winkit::ScopedGdiObject brush(::CreateSolidBrush(backColor_));
        RECT all{0, 0, std::max(width, 1), std::max(height, 1)};
        ::FillRect(dc.get(), &all, static_cast<HBRUSH>(brush.get()));
    }
    if (imageDC_) {
        ::BitBlt(dc.get(), 0, 0, std::min(width, width_), std::min(height, height_), imageDC_.get(), 0, 0, SRCCOPY);
        ::SelectObject(imageDC_.get(), imageOld_);
        // A picture that is still the old image keeps that bitmap instead of a copy.
        if (pictureIsImage_) {
            picture_ = std::move(image_);
            plainPicture_ = plainImage_;
            pictureIsImage_ = false;
        }
    }
    imageDC_ = std::move(dc);
    image_ = std::move(bitmap);
    imageOld_ = old;
    imageBits_ = static_cast<std::uint32_t*>(bits);
    plainImage_ = false;
    width_ = width;
    height_ = height;
    return true;
}

bool PictureBox::SetPixelSize(int width, int height) {
    if (!hwnd())
        return false;
    if (!::SetWindowPos(hwnd(), nullptr, 0, 0, std::max(width, 0), std::max(height, 0),
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE))
        return false;
    return MakeImage(width, height);
}

void PictureBox::Cls() {
    if (!imageDC_)
        return;
    KeepPictureApart();
    plainImage_ = false;
    winkit::ScopedGdiObject brush(::CreateSolidBrush(backColor_));
    RECT all{0, 0, std::max(width_, 1), std::max(height_, 1)};
    ::FillRect(imageDC_.get(), &all, static_cast<HBRUSH>(brush.get()));
    if (picture_) {
        winkit::ScopedMemoryDC source(::CreateCompatibleDC(imageDC_.get()));
        if (source) {
            BITMAP bm{};
            ::GetObjectW(picture_.get(), sizeof bm, &bm);
            winkit::SelectObjectGuard select(source.get(), picture_.get());
            ::BitBlt(imageDC_.get(), 0, 0, bm.bmWidth, bm.bmHeight, source.get(), 0, 0, SRCCOPY);
        }
    }
    // GDI's fill writes no top byte and the copy only those the picture has.
    if (!picture_ || plainPicture_) {
        ::GdiFlush();
        plainImage_ = true;
    } else {
        PlainImageBits();
    }
}

std::uint32_t* PictureBox::PlainImageBits() {
    if (!imageBits_)
        return nullptr;
    KeepPictureApart();
    ::GdiFlush();
    if (!plainImage_) {
        const size_t count = static_cast<size_t>(std::max(width_, 1)) * static_cast<size_t>(std::max(height_, 1));
        std::uint32_t high = 0;
        for (size_t i = 0; i < count; ++i)
            high |= imageBits_[i];
        if ((high & 0xFF000000u) != 0)
            for (size_t i = 0; i < count; ++i)
                imageBits_[i] &= 0xFFFFFFu;
        plainImage_ = true;
    }
    return imageBits_;
}

void PictureBox::Refresh() {
    if (!hwnd())
        return;
    // Only what the parent shows of the box: a large picture is mostly scrolled out of sight.
    RECT visible{0, 0, std::max(width_, 1), std::max(height_, 1)};
    if (HWND parent = ::GetAncestor(hwnd(), GA_PARENT)) {
        RECT frame{};
        ::GetClientRect(parent, &frame);
        ::MapWindowPoints(parent, hwnd(), reinterpret_cast<POINT*>(&frame), 2);
        if (!::IntersectRect(&visible, &visible, &frame))
            return;
    }
    ::InvalidateRect(hwnd(), &visible, FALSE);
    ::UpdateWindow(hwnd());
}

void PictureBox::SetPicture(HBITMAP picture) {
    pictureIsImage_ = false;
    picture_.reset(picture);
    plainPicture_ = false;
    Cls();
}

bool PictureBox::MakeImageThePicture() {
    if (!imageDC_)
        return false;
    picture_.reset();
    pictureIsImage_ = true;
    return true;
}

void PictureBox::KeepPictureApart() const {
    if (!pictureIsImage_)
        return;
    pictureIsImage_ = false;
    const int w = std::max(width_, 1), h = std::max(height_, 1);
    winkit::ScopedGdiObject copy;
    if (spare_) {
        // Only a 32-bit section of the image's size: copied into, it holds what a new one would.
        winkit::ScopedGdiObject spare = std::move(spare_);
        DIBSECTION section{};
        if (::GetObjectW(spare.get(), sizeof section, &section) == sizeof section && section.dsBm.bmBits &&
            section.dsBmih.biBitCount == 32 && section.dsBmih.biCompression == BI_RGB && section.dsBm.bmWidth == w &&
            section.dsBm.bmHeight == h)
            copy = std::move(spare);
    }
    if (!copy) {
        BITMAPINFO info = winkit::TopDown32BitInfo(w, h);
        void* bits = nullptr;
        copy.reset(::CreateDIBSection(imageDC_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    }
    winkit::ScopedMemoryDC target(::CreateCompatibleDC(imageDC_.get()));
    if (!copy || !target)
        return;
    {
        winkit::SelectObjectGuard select(target.get(), copy.get());
        if (!::BitBlt(target.get(), 0, 0, w, h, imageDC_.get(), 0, 0, SRCCOPY))
            return;
    }
    picture_ = std::move(copy);
    plainPicture_ = plainImage_;
}

LRESULT PictureBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd(), &ps);
        if (imageDC_) {
            const RECT& r = ps.rcPaint;
            ::BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, imageDC_.get(), r.left, r.top, SRCCOPY);
        }
        ::EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1; // the image covers the whole window
    }
    return winkit::Window::HandleMessage(msg, wParam, lParam);
}

} // namespace quillet
