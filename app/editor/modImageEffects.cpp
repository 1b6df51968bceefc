#include "app/editor/modImageEffects.h"

#include "core/modImageEffects.h"

#include <commctrl.h>

#include <chrono>

namespace quillet {

std::int32_t BrightnessOffset = 0;

namespace {

int SliderValue(HWND slider) {
    return slider ? static_cast<int>(::SendMessageW(slider, TBM_GETPOS, 0, 0)) : 0;
}

constexpr std::chrono::milliseconds kBarFrame{16};
constexpr WPARAM kBarLeap = 25;

bool Visible(HWND window) { return window && ::IsWindowVisible(window); }

void RunOnPixels(std::string_view key, PictureBox& box, const EffectHost& host) {
    const int width = box.PixelWidth(), height = box.PixelHeight();
    const core::PictureExtent extent = core::ComputePictureExtent(box.ScaleMode(), box.ScaleWidth(), box.ScaleHeight());
    if (width <= 0 || height <= 0)
        return;
    // The image's dwords are 0x00RRGGBB; the engine's colours are 0x00BBGGRR. Every effect but "colors"
    // treats the three components of a 24-bit value alike, so it gives the same result in either order and
    // the engine works on the image itself, with no copy of a large picture; "colors" gets its red and blue
    // sliders exchanged instead. Only a value with its top byte set would split differently, so those bytes
    // are cleared first, as a conversion would. The engine writes only colours, so the image stays plain.
    std::uint32_t* bits = box.PlainImageBits();
    if (!bits)
        return;
    auto* pixels = reinterpret_cast<std::int32_t*>(bits);

    core::EffectInputs inputs;
    inputs.brightnessOffset = BrightnessOffset;
    if (key == "colors") {
        // The effect holds the thread, so nothing can move a slider while it runs: one reading serves
        // every pixel. The engine's red is the image's blue.
        const core::ColorBalance balance{SliderValue(host.sldBlue), SliderValue(host.sldGreen),
                                         SliderValue(host.sldRed)};
        inputs.colorBalance = [balance] { return balance; };
    }
    if (host.progressBar) {
        // Painting the bar costs about a millisecond under some systems, as much as a fast effect's whole
        // step: it is drawn when its position changed, at most once a screen frame unless it leapt a quarter
        // of the way, and always at the end.
        inputs.progress = [bar = host.progressBar, shown = host.progressShown, painted = std::chrono::steady_clock::time_point{},
                           paintedAt = WPARAM{0}](float percent) mutable {
            const auto position = static_cast<WPARAM>(percent);
            if (position == paintedAt)
                return;
            const auto now = std::chrono::steady_clock::now();
            if (now - painted < kBarFrame && position < paintedAt + kBarLeap && position < 100)
                return;
            if (shown && !shown())
                return;
            ::SendMessageW(bar, PBM_SETPOS, position, 0);
            ::UpdateWindow(bar);
            paintedAt = position;
            painted = now;
        };
    }
    inputs.colorBalanceDialogVisible = [dialog = host.colorBalanceDialog] { return Visible(dialog); };
    inputs.brightnessDialogVisible = [dialog = host.brightnessDialog] { return Visible(dialog); };

    core::RunImageEffect(key, {pixels, width, height}, extent, inputs);
}

} // namespace

void RunImageEffect(std::string_view key, PictureBox& pictureBox, const EffectHost& host) {
    RunOnPixels(key, pictureBox, host);
    pictureBox.MakeImageThePicture();
    pictureBox.Refresh();
}

void EffectInvert(PictureBox& box, const EffectHost& host) { RunImageEffect("invert", box, host); }
void EffectGrayscale(PictureBox& box, const EffectHost& host) { RunImageEffect("grayscale", box, host); }
void EffectSharpen(PictureBox& box, const EffectHost& host) { RunImageEffect("sharpen", box, host); }
void EffectDiffuse(PictureBox& box, const EffectHost& host) { RunImageEffect("diffuse", box, host); }
void EffectEmboss(PictureBox& box, const EffectHost& host) {
    // Both passes on the image, then one picture and one repaint.
    RunOnPixels("grayscale", box, host);
    RunOnPixels("emboss", box, host);
    box.MakeImageThePicture();
    box.Refresh();
}
void EffectSolarize(PictureBox& box, const EffectHost& host) { RunImageEffect("solarize", box, host); }
void EffectLighten(PictureBox& box, const EffectHost& host) { RunImageEffect("ligthen", box, host); }
void EffectBrightness(PictureBox& box, const EffectHost& host) { RunImageEffect("brightness", box, host); }
void EffectColorBalance(PictureBox& box, const EffectHost& host) { RunImageEffect("colors", box, host); }
void EffectSoften(PictureBox& box, const EffectHost& host) { RunImageEffect("soften", box, host); }

} // namespace quillet
