#pragma once
// The picture effects on a picture box: its surface is taken into a buffer in one block, the core runs
// the effect there, and the result goes back in one block before the image becomes the box's picture.
#include "app/editor/PictureBox.h"

#include <cstdint>
#include <functional>
#include <string_view>

#include <windows.h>

namespace quillet {

// The brightness dialog's slider value, added to every component by "brightness".
extern std::int32_t BrightnessOffset;

// What the caller around an effect offers; every handle may be null.
struct EffectHost {
    // frmProgress's bar (a progress bar control, 0 to 100).
    HWND progressBar = nullptr;
    // Asked before the bar is painted: whether its window is up, which it may show now. Empty: always up.
    std::function<bool()> progressShown;
    // While one of these is visible, its effect is a preview and reports no progress.
    HWND colorBalanceDialog = nullptr;
    HWND brightnessDialog = nullptr;
    // The colour balance dialog's trackbars sldRed, sldGreen and sldBlue, read by "colors".
    HWND sldRed = nullptr;
    HWND sldGreen = nullptr;
    HWND sldBlue = nullptr;
};

// Runs the effect with the engine key over the whole picture, then makes the image the picture and
// redraws the box; an unknown key changes no pixel but still does the latter.
void RunImageEffect(std::string_view key, PictureBox& pictureBox, const EffectHost& host = {});

// One entry per effect of the editor.
void EffectInvert(PictureBox& box, const EffectHost& host = {});
void EffectGrayscale(PictureBox& box, const EffectHost& host = {});
void EffectSharpen(PictureBox& box, const EffectHost& host = {});
void EffectDiffuse(PictureBox& box, const EffectHost& host = {});
void EffectEmboss(PictureBox& box, const EffectHost& host = {});  // grey first, then the relief
void EffectSolarize(PictureBox& box, const EffectHost& host = {});
void EffectLighten(PictureBox& box, const EffectHost& host = {});
void EffectBrightness(PictureBox& box, const EffectHost& host = {});
void EffectColorBalance(PictureBox& box, const EffectHost& host = {});
void EffectSoften(PictureBox& box, const EffectHost& host = {});

} // namespace quillet
