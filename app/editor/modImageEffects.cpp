#include "app/editor/modImageEffects.h"
#include "winkit/Bitmaps.h"

#include "core/modImageEffects.h"
#include "winkit/Scoped.h"
#include "winkit/Wait.h"

#include <commctrl.h>

#include <vector>

namespace quillet {

std::int32_t BrightnessOffset = 0;

namespace {

// A top-down 32-bit section the size of the box: one BitBlt each way between it and the box's image.
class SurfaceCopy {
public:
    SurfaceCopy(int width, int height) : dc_(::CreateCompatibleDC(nullptr)) {
        BITMAPINFO info = winkit::TopDown32BitInfo(width, height);
        if (dc_ && width > 0 && height > 0)
            bitmap_.reset(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
        if (bitmap_)
            old_ = ::SelectObject(dc_.get(), bitmap_.get());
        else
            bits_ = nullptr;
    }
    SurfaceCopy(const SurfaceCopy&) = delete;
    SurfaceCopy& operator=(const SurfaceCopy&) = delete;
    ~SurfaceCopy() {
        if (old_)
            ::SelectObject(dc_.get(), old_);
    }
    bool ok() const { return bits_ != nullptr; }
    HDC dc() const { return dc_.get(); }
    std::uint32_t* bits() const { return static_cast<std::uint32_t*>(bits_); }

private:
    winkit::ScopedMemoryDC dc_;
    winkit::ScopedGdiObject bitmap_;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

// The section's dwords are 0x00RRGGBB; the engine's colours are 0x00BBGGRR.
std::int32_t SwapRedBlue(std::uint32_t v) {
    return static_cast<std::int32_t>(((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF));
}

int SliderValue(HWND slider) {
    return slider ? static_cast<int>(::SendMessageW(slider, TBM_GETPOS, 0, 0)) : 0;
}

bool Visible(HWND window) { return window && ::IsWindowVisible(window); }

void RunOnPixels(std::string_view key, PictureBox& box, const EffectHost& host) {
    const int width = box.PixelWidth(), height = box.PixelHeight();
    const core::PictureExtent extent = core::ComputePictureExtent(box.ScaleMode(), box.ScaleWidth(), box.ScaleHeight());
    SurfaceCopy copy(width, height);
    if (!copy.ok() || !box.hDC())
        return;
    if (!::BitBlt(copy.dc(), 0, 0, width, height, box.hDC(), 0, 0, SRCCOPY))
        return;
    ::GdiFlush();
    const size_t count = static_cast<size_t>(width) * height;
    std::vector<std::int32_t> pixels(count);
    for (size_t i = 0; i < count; ++i)
        pixels[i] = SwapRedBlue(copy.bits()[i]);

    core::EffectInputs inputs;
    inputs.brightnessOffset = BrightnessOffset;
    if (key == "colors") {
        // The effect holds the thread, so nothing can move a slider while it runs: one reading serves
        // every pixel.
        const core::ColorBalance balance{SliderValue(host.sldRed), SliderValue(host.sldGreen),
                                         SliderValue(host.sldBlue)};
        inputs.colorBalance = [balance] { return balance; };
    }
    if (host.progressBar) {
        inputs.progress = [bar = host.progressBar](float percent) {
            ::SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
            ::UpdateWindow(bar);
        };
    }
    inputs.colorBalanceDialogVisible = [dialog = host.colorBalanceDialog] { return Visible(dialog); };
    inputs.brightnessDialogVisible = [dialog = host.brightnessDialog] { return Visible(dialog); };

    if (!core::RunImageEffect(key, {pixels.data(), width, height}, extent, inputs))
        return;
    for (size_t i = 0; i < count; ++i)
        copy.bits()[i] = static_cast<std::uint32_t>(SwapRedBlue(static_cast<std::uint32_t>(pixels[i])));
    ::GdiFlush();
    ::BitBlt(box.hDC(), 0, 0, width, height, copy.dc(), 0, 0, SRCCOPY);
}

} // namespace

void RunImageEffect(std::string_view key, PictureBox& pictureBox, const EffectHost& host) {
    // Lets the progress window the caller just showed draw itself before the thread is held.
    winkit::PumpMessages();
    RunOnPixels(key, pictureBox, host);
    pictureBox.MakeImageThePicture();
    pictureBox.Refresh();
}

void EffectInvert(PictureBox& box, const EffectHost& host) { RunImageEffect("invert", box, host); }
void EffectGrayscale(PictureBox& box, const EffectHost& host) { RunImageEffect("grayscale", box, host); }
void EffectSharpen(PictureBox& box, const EffectHost& host) { RunImageEffect("sharpen", box, host); }
void EffectDiffuse(PictureBox& box, const EffectHost& host) { RunImageEffect("diffuse", box, host); }
void EffectEmboss(PictureBox& box, const EffectHost& host) {
    RunImageEffect("grayscale", box, host);
    RunImageEffect("emboss", box, host);
}
void EffectSolarize(PictureBox& box, const EffectHost& host) { RunImageEffect("solarize", box, host); }
void EffectLighten(PictureBox& box, const EffectHost& host) { RunImageEffect("ligthen", box, host); }
void EffectBrightness(PictureBox& box, const EffectHost& host) { RunImageEffect("brightness", box, host); }
void EffectColorBalance(PictureBox& box, const EffectHost& host) { RunImageEffect("colors", box, host); }
void EffectSoften(PictureBox& box, const EffectHost& host) { RunImageEffect("soften", box, host); }

} // namespace quillet
