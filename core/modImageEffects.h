#pragma once
// The picture effects, run over a plain buffer of the picture's pixels. The Win32 side copies a picture
// box's surface into such a buffer in one block, runs the effect and copies it back, so the results are
// those of reading and writing the surface pixel by pixel, in place, without its cost.
#include <cstdint>
#include <functional>
#include <string_view>

namespace core {

class MersenneTwister64;

// Pixels are 0x00BBGGRR (red in the low byte) held as signed 32-bit values, row by row:
// pixels[y * width + x]. Positions outside width x height read as -1 and ignore writes, as a device
// context does outside its bitmap.
struct PixelSurface {
    std::int32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
};

// The three components of a colour value, split so that values outside 0..16777215 (above all -1, what
// a read outside the picture gives) come apart the same way every time.
struct ColorComponents {
    int red = 0;
    int green = 0;
    int blue = 0;
};
ColorComponents SplitColor(std::int32_t value);
// Components already limited to 0..255.
std::int32_t CombineColor(int red, int green, int blue);
int ClampComponent(long long value);

// The integer nearest to v, halves going to the even neighbour.
long long NearestEven(double v);

// Scale modes of a picture box, by their usual numbers.
enum class ScaleMode {
    User = 0,
    Twips = 1,
    Points = 2,
    Pixels = 3,
    Characters = 4,
    Inches = 5,
    Millimeters = 6,
    Centimeters = 7
};

// The largest column and row an effect processes.
struct PictureExtent {
    int maxX = 0;
    int maxY = 0;
};
// Twips count 15 to the pixel here whatever the display says; scale modes other than twips and pixels
// give 0 and 0.
PictureExtent ComputePictureExtent(ScaleMode mode, double innerWidth, double innerHeight);

struct ColorBalance {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// What the effects take from outside beyond the pixels. Every callback may be empty.
struct EffectInputs {
    // Added to every component by "brightness".
    std::int32_t brightnessOffset = 0;
    // The colour balance sliders, read by "colors" at every pixel; empty reads 0, 0, 0.
    std::function<ColorBalance()> colorBalance;
    // Uniform in [0, 1) for "diffuse"; when empty, r = (u >> 11) / 2^53 for each number u of random, or
    // (when that is null too) of the engine's own generator, seeded once per process.
    std::function<double()> uniform;
    MersenneTwister64* random = nullptr;
    // Progress in percent, about twenty times per effect.
    std::function<void(float)> progress;
    // While a dialog previews its effect the progress window is not up, so its steps are skipped.
    std::function<bool()> colorBalanceDialogVisible;
    std::function<bool()> brightnessDialogVisible;
};

// Runs the effect named by key ("invert", "grayscale", "sharpen", "diffuse", "emboss", "solarize",
// "ligthen", "brightness", "colors", "soften"; exact and case-sensitive) over columns 0..maxX and rows
// 0..maxY of the surface, column by column, each read seeing the writes made before it. An unknown key
// changes nothing; the result says whether the key was known.
bool RunImageEffect(std::string_view key, PixelSurface surface, PictureExtent extent, const EffectInputs& inputs = {});

} // namespace core
