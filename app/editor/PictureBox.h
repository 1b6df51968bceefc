#pragma once
// A picture box: a borderless window showing a persistent drawing image (what is drawn into hDC() stays
// on screen) over which sits its picture, the bitmap the clip holds. The picture view draws and runs
// effects on the image, then makes the image its picture.
#include "core/modImageEffects.h"
#include "winkit/Scoped.h"
#include "winkit/Window.h"

#include <cstdint>

#include <windows.h>

namespace quillet {

class PictureBox : public winkit::Window {
public:
    PictureBox() = default;
    ~PictureBox() override;

    // A child window when parent is given, a top-level tool window otherwise; sizes in pixels.
    bool Create(HWND parent, int x, int y, int width, int height, bool visible = true);

    core::ScaleMode ScaleMode() const { return scaleMode_; }
    void SetScaleMode(core::ScaleMode mode) { scaleMode_ = mode; }
    // The inner size in the box's scale units (15 twips to the pixel).
    double ScaleWidth() const { return PixelsToScaleX(PixelWidth()); }
    double ScaleHeight() const { return PixelsToScaleY(PixelHeight()); }
    double PixelsToScaleX(double pixels) const;
    double PixelsToScaleY(double pixels) const;
    double ScaleXToPixels(double units) const;
    double ScaleYToPixels(double units) const;

    int PixelWidth() const { return width_; }
    int PixelHeight() const { return height_; }
    // Resizes the window and its image; what fits of the old drawing is kept, new parts get the back colour.
    bool SetPixelSize(int width, int height);

    // The persistent image's device context (a 32-bit bitmap the size of the box). Drawing into it must
    // follow a call, not reuse a context taken before PlainImageBits.
    HDC hDC() const {
        KeepPictureApart();
        plainImage_ = false;
        return imageDC_.get();
    }
    // The image's pixels (0x00RRGGBB, rows top to bottom, PixelWidth() to a row), for work on all of them
    // at once; call GdiFlush before reading what GDI drew.
    std::uint32_t* ImageBits() const {
        KeepPictureApart();
        plainImage_ = false;
        return imageBits_;
    }
    // The same with GDI's drawing flushed and every top byte clear, for work that writes only colours
    // (0 to 0xFFFFFF) back: the bytes are cleared now unless nothing could have set one since the last call,
    // which spares a large picture a pass over its pixels before every effect.
    std::uint32_t* PlainImageBits();
    COLORREF BackColor() const { return backColor_; }
    void SetBackColor(COLORREF color) { backColor_ = color; }
    // The image becomes the back colour with the picture drawn over it at (0, 0), its top bytes cleared
    // (as PlainImageBits) unless the picture is known to have none: done when a picture arrives, it spares
    // every later effect that pass.
    void Cls();
    // Redraws the window from the image now.
    void Refresh();

    // The picture, owned by the box (may be null).
    HBITMAP Picture() const {
        KeepPictureApart();
        return static_cast<HBITMAP>(picture_.get());
    }
    // Takes ownership of the bitmap and shows it (Cls).
    void SetPicture(HBITMAP picture);
    // Gives the picture up to the caller (the box keeps showing its image); null when it has none.
    HBITMAP ReleasePicture() {
        KeepPictureApart();
        return static_cast<HBITMAP>(picture_.release());
    }
    // The picture becomes a copy of the current image. The copy is made only once the picture is asked
    // for or the image is about to change: after an effect the user often undoes it or just looks, and a
    // large picture's copy costs as much as a fast effect.
    bool MakeImageThePicture();
    // Takes ownership of a bitmap nobody needs any more (null is ignored): the next copy of the image into
    // the picture goes into it when it has the image's size and layout, which saves making a large bitmap.
    void OfferSpare(HBITMAP spare) {
        if (spare)
            spare_.reset(spare);
    }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool MakeImage(int width, int height);
    // Makes the copy MakeImageThePicture put off, before the image changes or the picture leaves.
    void KeepPictureApart() const;

    core::ScaleMode scaleMode_ = core::ScaleMode::Twips;
    COLORREF backColor_ = RGB(255, 255, 255);
    int width_ = 0;
    int height_ = 0;
    winkit::ScopedMemoryDC imageDC_;
    winkit::ScopedGdiObject image_;
    HGDIOBJ imageOld_ = nullptr;
    std::uint32_t* imageBits_ = nullptr;
    // No pixel of the image has its top byte set (only PlainImageBits and Cls say so; everything else that
    // can write the image takes it back).
    mutable bool plainImage_ = false;
    // The picture was copied from a plain image (a picture from outside may have any top bytes).
    mutable bool plainPicture_ = false;
    // The picture is the image as it stands, not yet copied (picture_ is empty meanwhile).
    mutable bool pictureIsImage_ = false;
    mutable winkit::ScopedGdiObject picture_;
    mutable winkit::ScopedGdiObject spare_;
};

} // namespace quillet
