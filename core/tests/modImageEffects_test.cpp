// The effects on small pictures whose expected pixels are worked out here from the formulas.
#include "core/modImageEffects.h"

#include "core/MersenneTwister64.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

using core::PictureExtent;
using core::RunImageEffect;

namespace {

constexpr std::int32_t Rgb(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

struct Picture {
    int width, height;
    std::vector<std::int32_t> px;
    Picture(int w, int h, std::int32_t fill = 0) : width(w), height(h), px(static_cast<size_t>(w) * h, fill) {}
    std::int32_t& at(int x, int y) { return px[static_cast<size_t>(y) * width + x]; }
    core::PixelSurface surface() { return {px.data(), width, height}; }
    PictureExtent extent() const { return {width - 1, height - 1}; }
    int red(int x, int y) { return at(x, y) & 0xFF; }
};

bool Apply(const char* key, Picture& p, const core::EffectInputs& in = {}) {
    return RunImageEffect(key, p.surface(), p.extent(), in);
}

} // namespace

TEST(ImageEffectsColor, SplitsValuesInsideAndOutsideTheColourRange) {
    auto expectSplit = [](std::int32_t v, int r, int g, int b) {
        const auto c = core::SplitColor(v);
        EXPECT_EQ(c.red, r) << v;
        EXPECT_EQ(c.green, g) << v;
        EXPECT_EQ(c.blue, b) << v;
    };
    expectSplit(0x00332211, 0x11, 0x22, 0x33);
    expectSplit(0x00FFFFFF, 255, 255, 255);
    expectSplit(-1, -1, -1, -1);        // what a read outside the picture gives
    expectSplit(-2, -2, -1, -1);        // q = floor(-2 / 256) = -1
    expectSplit(-256, 0, -1, -1);       // remainder 0, q = -1
    expectSplit(-65536, 0, 0, -1);      // q = -256, remainder 0
    expectSplit(0x01FF0000, 0, 0, 511); // blue is not reduced modulo 256
    EXPECT_EQ(core::CombineColor(1, 2, 3), 0x030201);
}

TEST(ImageEffectsColor, ClampsAndRoundsHalvesToEven) {
    EXPECT_EQ(core::ClampComponent(300), 255);
    EXPECT_EQ(core::ClampComponent(255), 255);
    EXPECT_EQ(core::ClampComponent(254), 254);
    EXPECT_EQ(core::ClampComponent(1), 1);
    EXPECT_EQ(core::ClampComponent(0), 0);
    EXPECT_EQ(core::ClampComponent(-7), 0);
    EXPECT_EQ(core::NearestEven(0.5), 0);
    EXPECT_EQ(core::NearestEven(1.5), 2);
    EXPECT_EQ(core::NearestEven(2.5), 2);
    EXPECT_EQ(core::NearestEven(-0.5), 0);
    EXPECT_EQ(core::NearestEven(-1.5), -2);
    EXPECT_EQ(core::NearestEven(2.4), 2);
    EXPECT_EQ(core::NearestEven(2.6), 3);
}

TEST(ImageEffectsExtent, FollowsTheScaleMode) {
    using core::ScaleMode;
    auto extent = [](ScaleMode m, double w, double h) {
        const auto e = core::ComputePictureExtent(m, w, h);
        return std::make_pair(e.maxX, e.maxY);
    };
    EXPECT_EQ(extent(ScaleMode::Twips, 3000, 1500), std::make_pair(199, 99));
    EXPECT_EQ(extent(ScaleMode::Twips, 100, 22.5), std::make_pair(6, 0)); // 5.67 -> 6, 0.5 -> 0
    EXPECT_EQ(extent(ScaleMode::Twips, 37.5, 0), std::make_pair(2, -1));  // 1.5 -> 2, nothing when empty
    EXPECT_EQ(extent(ScaleMode::Pixels, 200, 100), std::make_pair(199, 99));
    EXPECT_EQ(extent(ScaleMode::Inches, 3000, 1500), std::make_pair(0, 0));
    EXPECT_EQ(extent(ScaleMode::User, 3000, 1500), std::make_pair(0, 0));
}

TEST(ImageEffectsPoint, InvertGrayscaleAndSolarize) {
    Picture p(2, 1);
    p.at(0, 0) = Rgb(10, 20, 30);
    p.at(1, 0) = Rgb(10, 20, 31);
    const auto original = p.px;
    ASSERT_TRUE(Apply("invert", p));
    EXPECT_EQ(p.at(0, 0), Rgb(245, 235, 225));
    ASSERT_TRUE(Apply("invert", p));
    EXPECT_EQ(p.px, original);

    ASSERT_TRUE(Apply("grayscale", p));
    EXPECT_EQ(p.at(0, 0), Rgb(20, 20, 20)); // 60 / 3
    EXPECT_EQ(p.at(1, 0), Rgb(20, 20, 20)); // floor(61 / 3)

    p.at(0, 0) = Rgb(0, 127, 128);
    p.at(1, 0) = Rgb(200, 200, 200);
    ASSERT_TRUE(Apply("solarize", p));
    EXPECT_EQ(p.at(0, 0), Rgb(255, 128, 128));
    EXPECT_EQ(p.at(1, 0), Rgb(200, 200, 200));
}

TEST(ImageEffectsPoint, ValuesOutsideTheColourRangeFollowTheSplitRule) {
    // -2 splits into -2, -1, -1; 0x01FF0000 into 0, 0, 511. The plain pixel beside them must come out
    // as it would alone.
    auto row = [] {
        Picture p(3, 1);
        p.at(0, 0) = -2;
        p.at(1, 0) = 0x01FF0000;
        p.at(2, 0) = Rgb(10, 20, 30);
        return p;
    };
    Picture inv = row();
    ASSERT_TRUE(Apply("invert", inv));
    EXPECT_EQ(inv.at(0, 0), Rgb(255, 255, 255)); // 257, 256, 256
    EXPECT_EQ(inv.at(1, 0), Rgb(255, 255, 0));   // 255, 255, -256
    EXPECT_EQ(inv.at(2, 0), Rgb(245, 235, 225));
    Picture sol = row();
    ASSERT_TRUE(Apply("solarize", sol));
    EXPECT_EQ(sol.at(0, 0), Rgb(255, 255, 255));
    EXPECT_EQ(sol.at(1, 0), Rgb(255, 255, 255)); // 255, 255, 511
    EXPECT_EQ(sol.at(2, 0), Rgb(245, 235, 225));
    Picture grey = row();
    ASSERT_TRUE(Apply("grayscale", grey));
    EXPECT_EQ(grey.at(0, 0), Rgb(0, 0, 0));       // floor(-4 / 3) = -2
    EXPECT_EQ(grey.at(1, 0), Rgb(170, 170, 170)); // floor(511 / 3)
    EXPECT_EQ(grey.at(2, 0), Rgb(20, 20, 20));
}

TEST(ImageEffectsPoint, BrightnessAddsTheOffsetAndClamps) {
    Picture p(3, 2, Rgb(220, 10, 0));
    core::EffectInputs in;
    in.brightnessOffset = 50;
    ASSERT_TRUE(Apply("brightness", p, in));
    for (auto v : p.px)
        EXPECT_EQ(v, Rgb(255, 60, 50));
    std::fill(p.px.begin(), p.px.end(), Rgb(220, 10, 0));
    in.brightnessOffset = -50;
    ASSERT_TRUE(Apply("brightness", p, in));
    for (auto v : p.px)
        EXPECT_EQ(v, Rgb(170, 0, 0));
    in.brightnessOffset = 2147483647; // no overflow on the way to the clamp
    ASSERT_TRUE(Apply("brightness", p, in));
    EXPECT_EQ(p.at(0, 0), Rgb(255, 255, 255));
}

TEST(ImageEffectsPoint, ColorsReadsTheSlidersAtEveryPixelInColumnOrder) {
    Picture p(2, 2, Rgb(100, 40, 60));
    core::EffectInputs in;
    in.colorBalance = [] { return core::ColorBalance{50, 0, 0}; };
    ASSERT_TRUE(Apply("colors", p, in));
    for (auto v : p.px)
        EXPECT_EQ(v, Rgb(150, 40, 60));
    in.colorBalance = [] { return core::ColorBalance{-100, 0, 0}; };
    ASSERT_TRUE(Apply("colors", p, in));
    for (auto v : p.px)
        EXPECT_EQ(v, Rgb(0, 40, 60));

    // A slider that moves by 10 at each read: pixel k of the column walk gets 100 + 10k.
    Picture q(3, 2, Rgb(100, 0, 0));
    int reads = 0;
    in.colorBalance = [&] { return core::ColorBalance{10 * reads++, 0, 0}; };
    ASSERT_TRUE(Apply("colors", q, in));
    EXPECT_EQ(reads, 6);
    EXPECT_EQ(q.red(0, 0), 100);
    EXPECT_EQ(q.red(0, 1), 110);
    EXPECT_EQ(q.red(1, 0), 120);
    EXPECT_EQ(q.red(1, 1), 130);
    EXPECT_EQ(q.red(2, 0), 140);
    EXPECT_EQ(q.red(2, 1), 150);

    // Wide enough for several columns between progress steps: pixel k of the walk (k = 2x + y) still
    // gets the k-th reading, whether the slider keeps moving or moves once.
    Picture wide(41, 2, Rgb(100, 0, 0));
    reads = 0;
    in.colorBalance = [&] { return core::ColorBalance{(reads++ % 3) * 10, 0, 0}; };
    ASSERT_TRUE(Apply("colors", wide, in));
    for (int x = 0; x < 41; ++x)
        for (int y = 0; y < 2; ++y)
            ASSERT_EQ(wide.red(x, y), 100 + ((2 * x + y) % 3) * 10) << x << "," << y;
    Picture once(41, 2, Rgb(100, 0, 0));
    reads = 0;
    in.colorBalance = [&] { return core::ColorBalance{reads++ < 7 ? 0 : 50, 0, 0}; };
    ASSERT_TRUE(Apply("colors", once, in));
    EXPECT_EQ(once.red(3, 0), 100); // k = 6
    EXPECT_EQ(once.red(3, 1), 150); // k = 7
    EXPECT_EQ(once.red(40, 1), 150);
    EXPECT_EQ(once.red(0, 1), 100);
}

TEST(ImageEffectsNeighbours, SharpenRoundsHalvesToEvenAndSeesEarlierWrites) {
    Picture p(5, 5); // processes columns and rows 1..2 only
    p.at(0, 0) = Rgb(100, 0, 200);
    p.at(1, 1) = Rgb(101, 200, 10); // 101 + 0.5 = 101.5 -> 102; 200 + 100 -> 255; 10 - 95 -> 0
    p.at(0, 1) = Rgb(10, 0, 0);
    p.at(1, 2) = Rgb(11, 0, 0); // 11.5 -> 12
    p.at(1, 0) = Rgb(50, 0, 0);
    p.at(2, 1) = Rgb(53, 0, 0);  // 53 + 1.5 = 54.5 -> 54
    p.at(2, 2) = Rgb(104, 0, 0); // against the new 102: 104 + 1 = 105 (the old 101 would give 106)
    p.at(4, 4) = Rgb(9, 9, 9);
    p.at(3, 3) = Rgb(1, 2, 3);
    ASSERT_TRUE(Apply("sharpen", p));
    EXPECT_EQ(p.at(1, 1), Rgb(102, 255, 0));
    EXPECT_EQ(p.at(1, 2), Rgb(12, 0, 0));
    EXPECT_EQ(p.at(2, 1), Rgb(54, 0, 0));
    EXPECT_EQ(p.at(2, 2), Rgb(105, 0, 0));
    EXPECT_EQ(p.at(0, 0), Rgb(100, 0, 200));
    EXPECT_EQ(p.at(1, 0), Rgb(50, 0, 0));
    EXPECT_EQ(p.at(3, 3), Rgb(1, 2, 3));
    EXPECT_EQ(p.at(4, 4), Rgb(9, 9, 9));
}

TEST(ImageEffectsNeighbours, EmbossOfAUniformPictureIsGrey128InsideOnly) {
    Picture p(6, 5, Rgb(30, 60, 90));
    ASSERT_TRUE(Apply("grayscale", p));
    ASSERT_TRUE(Apply("emboss", p));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool processed = x >= 1 && x <= 3 && y >= 1 && y <= 2;
            EXPECT_EQ(p.at(x, y), processed ? Rgb(128, 128, 128) : Rgb(60, 60, 60)) << x << "," << y;
        }
    // Against the lower-right neighbour: |10 - 250 + 128| = 112, |250 - 10 + 128| -> 255.
    Picture q(4, 4);
    q.at(1, 1) = Rgb(10, 250, 0);
    q.at(2, 2) = Rgb(250, 10, 0);
    ASSERT_TRUE(Apply("emboss", q));
    EXPECT_EQ(q.at(1, 1), Rgb(112, 255, 128));
}

TEST(ImageEffectsNeighbours, SoftenCountsOutsideReadsAsMinusOne) {
    // 3 x 3 of 90, walked (1,1), (1,2), (2,1), (2,2):
    // (1,1) = 810 / 9 = 90; (1,2) = (6 * 90 - 3) / 9 = 59; (2,1) = (5 * 90 + 59 - 3) / 9 = 56;
    // (2,2) = (90 + 59 + 56 + 90 - 5) / 9 = 32.
    Picture p(3, 3, Rgb(90, 90, 90));
    ASSERT_TRUE(Apply("soften", p));
    EXPECT_EQ(p.red(1, 1), 90);
    EXPECT_EQ(p.red(1, 2), 59);
    EXPECT_EQ(p.red(2, 1), 56);
    EXPECT_EQ(p.red(2, 2), 32);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(p.at(0, i), Rgb(90, 90, 90));
        EXPECT_EQ(p.at(i, 0), Rgb(90, 90, 90));
    }

    // In a larger uniform picture the last row darkens, and since each pixel reads the already softened
    // column before it, the darkening climbs one row per column: (x, y) keeps 90 exactly when x + y <= maxY.
    Picture big(7, 6, Rgb(90, 90, 90));
    ASSERT_TRUE(Apply("soften", big));
    for (int x = 1; x <= 5; ++x)
        for (int y = 1; y <= 5; ++y)
            EXPECT_EQ(big.red(x, y) == 90, x + y <= 5) << x << "," << y << ": " << big.red(x, y);
    for (int y = 1; y < 6; ++y)
        EXPECT_LT(big.red(6, y), 90) << y;
}

TEST(ImageEffectsNeighbours, DiffuseTakesTheInjectedOffsetsInOrder) {
    Picture p(3, 3);
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 3; ++y)
            p.at(x, y) = Rgb(10 * x + y + 1, 100 + 10 * x + y, 50);
    const auto orig = p.px;
    auto o = [&](int x, int y) { return orig[static_cast<size_t>(y) * 3 + x]; };
    // r -> nearest(4r - 2): 0.75 -> 1, 0.5 -> 0, 0.25 -> -1, 0.125 -> -2, 0.625 -> 0 (0.5 to even),
    // 0.875 -> 2 (1.5 to even), 0.375 -> 0, 0.99 -> 2.
    const std::vector<double> draws{0.75, 0.5,  0.5,  0.25, 0.125, 0.5,  0.625, 0.875, 0.375,
                                    0.5,  0.25, 0.25, 0.5,  0.5,   0.25, 0.25,  0.99,  0.5};
    size_t next = 0;
    core::EffectInputs in;
    in.uniform = [&] { return draws.at(next++); };
    ASSERT_TRUE(Apply("diffuse", p, in));
    EXPECT_EQ(next, draws.size());
    EXPECT_EQ(p.at(0, 0), o(1, 0));
    EXPECT_EQ(p.at(0, 1), o(1, 0)); // from (0,0), already written
    EXPECT_EQ(p.at(0, 2), 0);       // (-2, 2) is outside: black
    EXPECT_EQ(p.at(1, 0), o(1, 2));
    EXPECT_EQ(p.at(1, 1), o(1, 1));
    EXPECT_EQ(p.at(1, 2), o(1, 0)); // from (0,1), already written
    EXPECT_EQ(p.at(2, 0), o(2, 0));
    EXPECT_EQ(p.at(2, 1), o(1, 2)); // from (1,0), already written
    EXPECT_EQ(p.at(2, 2), 0);       // (4, 2) is outside
}

TEST(ImageEffectsLighten, StrengthFollowsTheProductOfTheExtents) {
    // A black picture's (0,0) is floor(f * (maxY + 1 - sin(maxX / 90 * 3.14 / 180))).
    struct Case {
        int size;
        double f;
    };
    for (const Case c : {Case{188, 1.0f}, Case{189, 0.7f}, Case{200, 0.7f}, Case{317, 0.7f}, Case{318, 0.5f},
                         Case{448, 0.5f}, Case{449, 0.4f}, Case{592, 0.4f}, Case{593, 0.3f}}) {
        Picture p(c.size, c.size);
        ASSERT_TRUE(Apply("ligthen", p));
        const double m = c.size - 1;
        const int expected = static_cast<int>(std::floor(c.f * (m + 1 - std::sin(m / 90 * 3.14 / 180))));
        EXPECT_EQ(p.red(0, 0), expected) << c.size;
    }
    Picture p(200, 200); // P = 199 * 199 = 39 601: 0.7 * 199.96 = 139.97
    ASSERT_TRUE(Apply("ligthen", p));
    EXPECT_EQ(p.at(0, 0), Rgb(139, 139, 139));
}

TEST(ImageEffectsLighten, HalvesTheComponentsAndClampsTheWashAndTheAngle) {
    Picture one(1, 1, Rgb(1, 2, 255)); // f = 1, D = 0, A = 1: floor(1 + R / 2)
    ASSERT_TRUE(Apply("ligthen", one));
    EXPECT_EQ(one.at(0, 0), Rgb(1, 2, 128));

    // maxX = 9000: D grows by 100 a row. Column 0, f = 1 (P = 18 000), A starts at 3:
    // row 0: D = 100, A = 3 - sin(1.7444) = 2.015 -> 2; then A := 50 and D := 90.
    // row 1: D = 190, A = 50 + 0.172 = 50.17 -> 50 (2.19 -> 2 without the A clamp); D := 90.
    // row 2: D = 190 again, A = 50.34 -> 50 (D = 300 without the clamp would give 51).
    Picture wide(9001, 3);
    ASSERT_TRUE(Apply("ligthen", wide));
    EXPECT_EQ(wide.red(0, 0), 2);
    EXPECT_EQ(wide.red(0, 1), 50);
    EXPECT_EQ(wide.red(0, 2), 50);
}

TEST(ImageEffectsProgress, StepsEveryTwentiethOfTheWidth) {
    auto reports = [](const char* key, int width, core::EffectInputs in = {}) {
        std::vector<float> values;
        in.progress = [&](float v) { values.push_back(v); };
        Picture p(width, 3, Rgb(5, 5, 5));
        RunImageEffect(key, p.surface(), p.extent(), in);
        return values;
    };
    const auto forty = reports("invert", 41); // maxX 40: every 2nd column, 0 .. 100 by 5
    ASSERT_EQ(forty.size(), 21u);
    for (size_t i = 0; i < forty.size(); ++i)
        EXPECT_FLOAT_EQ(forty[i], 5.0f * i);
    EXPECT_EQ(reports("invert", 51).size(), 26u);  // nearest(2.5) = 2
    EXPECT_EQ(reports("invert", 31).size(), 16u);  // nearest(1.5) = 2
    EXPECT_EQ(reports("invert", 11).size(), 11u);  // nearest(0.5) = 0: every column
    EXPECT_EQ(reports("invert", 1).size(), 0u);    // maxX 0
    EXPECT_EQ(reports("sharpen", 41).size(), 19u); // columns 1..38, the even ones
    EXPECT_EQ(reports("soften", 41).size(), 20u);  // columns 1..40
    EXPECT_EQ(reports("nonsense", 41).size(), 0u);

    core::EffectInputs dialogs;
    dialogs.colorBalanceDialogVisible = [] { return true; };
    dialogs.brightnessDialogVisible = [] { return true; };
    EXPECT_EQ(reports("colors", 41, dialogs).size(), 0u);
    EXPECT_EQ(reports("brightness", 41, dialogs).size(), 0u);
    EXPECT_EQ(reports("invert", 41, dialogs).size(), 21u);
    dialogs.colorBalanceDialogVisible = [] { return false; };
    EXPECT_EQ(reports("colors", 41, dialogs).size(), 21u);
}

TEST(ImageEffectsExtent, OtherScaleModesProcessOnlyTheFirstPixel) {
    Picture p(4, 4, Rgb(10, 10, 10));
    const auto e = core::ComputePictureExtent(core::ScaleMode::Centimeters, 4, 4);
    ASSERT_TRUE(RunImageEffect("invert", p.surface(), e));
    EXPECT_EQ(p.at(0, 0), Rgb(245, 245, 245));
    EXPECT_EQ(p.at(1, 0), Rgb(10, 10, 10));
    EXPECT_EQ(p.at(0, 1), Rgb(10, 10, 10));
    for (const char* key : {"sharpen", "emboss", "soften"}) {
        const auto before = p.px;
        ASSERT_TRUE(RunImageEffect(key, p.surface(), e));
        EXPECT_EQ(p.px, before) << key;
    }
}

TEST(ImageEffectsExtent, AnExtentBeyondTheSurfaceReadsMinusOneAndDropsWrites) {
    Picture p(2, 2, Rgb(90, 90, 90));
    ASSERT_TRUE(RunImageEffect("invert", p.surface(), {5, 5}));
    for (auto v : p.px)
        EXPECT_EQ(v, Rgb(165, 165, 165));
    Picture s(2, 2, Rgb(90, 90, 90));
    ASSERT_TRUE(RunImageEffect("soften", s.surface(), {3, 3}));
    EXPECT_EQ(s.red(1, 1), (4 * 90 - 5) / 9); // five of the nine neighbours are outside
}

TEST(ImageEffectsKeys, AnUnknownKeyChangesNothing) {
    Picture p(3, 3, Rgb(1, 2, 3));
    const auto before = p.px;
    for (const char* key : {"Invert", "lighten", "colorbalance", "", "emboss "}) {
        EXPECT_FALSE(Apply(key, p)) << key;
        EXPECT_EQ(p.px, before) << key;
    }
}

TEST(ImageEffectsPoint, EveryColourFollowsTheFormulasOnAWidePicture) {
    // Wide enough for the walk to take several columns at a time; the expected pixels come from the
    // formulas one component at a time.
    Picture p(300, 7);
    std::uint32_t seed = 7;
    for (auto& v : p.px) {
        seed = seed * 1103515245u + 12345u;
        v = static_cast<std::int32_t>((seed >> 8) & 0xFFFFFF);
    }
    const auto original = p.px;
    auto check = [&](const char* key, int (*formula)(int), bool grey, const core::EffectInputs& in = {}) {
        Picture q = p;
        ASSERT_TRUE(Apply(key, q, in));
        for (size_t i = 0; i < original.size(); ++i) {
            const int r = original[i] & 0xFF, g = (original[i] >> 8) & 0xFF, b = (original[i] >> 16) & 0xFF;
            std::int32_t expected;
            if (grey) {
                const int m = (r + g + b) / 3;
                expected = Rgb(m, m, m);
            } else {
                expected = Rgb(formula(r), formula(g), formula(b));
            }
            ASSERT_EQ(q.px[i], expected) << key << " at " << i;
        }
    };
    check(
        "invert", [](int c) { return 255 - c; }, false);
    check(
        "solarize", [](int c) { return c < 128 ? 255 - c : c; }, false);
    check("grayscale", nullptr, true);
    core::EffectInputs in;
    in.brightnessOffset = 77;
    check(
        "brightness", [](int c) { return std::min(c + 77, 255); }, false, in);
    in.colorBalance = [] { return core::ColorBalance{-30, -30, -30}; };
    check(
        "colors", [](int c) { return c + static_cast<int>(std::floor(-30 / 100.0 * c)); }, false, in);
}

namespace {

// A 1080p picture of scattered colours; with oddValues, one pixel in 97 is a value outside the colour
// range (negative or above 0xFFFFFF), which the effects split by their own rule.
Picture FullHdPicture(bool oddValues) {
    Picture p(1920, 1080);
    std::uint32_t seed = 12345;
    size_t i = 0;
    for (auto& v : p.px) {
        seed = seed * 1664525u + 1013904223u;
        v = static_cast<std::int32_t>(seed >> 8);
        if (oddValues && ++i % 97 == 0)
            v = static_cast<std::int32_t>(seed ^ 0x80000000u) >> ((seed >> 3) & 7);
    }
    return p;
}

std::uint64_t Fnv1a(const std::vector<std::int32_t>& px) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::int32_t v : px)
        for (int k = 0; k < 4; ++k) {
            h ^= (static_cast<std::uint32_t>(v) >> (8 * k)) & 0xFF;
            h *= 1099511628211ull;
        }
    return h;
}

} // namespace

TEST(ImageEffectsNeighbours, EveryPixelOfA1080pPictureMatchesTheReference) {
    // Checksums of every pixel as the column-by-column walk, one pixel at a time, produced them: any
    // faster walk must give the same pictures, odd values and edges included.
    struct Case {
        const char* key;
        bool oddValues;
        std::uint64_t expected;
    };
    const Case cases[] = {
        {"sharpen", false, 0xd235fa5ebe5b860dull}, {"sharpen", true, 0x6f37266da40d4f3eull},
        {"emboss", false, 0xa18725ebd0c76a80ull},  {"emboss", true, 0x19b84760dc119217ull},
        {"soften", false, 0xf98180095e2545a1ull},  {"soften", true, 0xc737965e3d175006ull},
        {"diffuse", false, 0xdd2922b6cfb66661ull}, {"diffuse", true, 0xda0867b98e903dcfull},
    };
    for (const Case& c : cases) {
        Picture p = FullHdPicture(c.oddValues);
        core::EffectInputs in;
        std::uint64_t state = 99;
        in.uniform = [&state] {
            state = state * 6364136223846793005ull + 1442695040888963407ull;
            return static_cast<double>(state >> 11) * 0x1.0p-53;
        };
        ASSERT_TRUE(Apply(c.key, p, in));
        EXPECT_EQ(Fnv1a(p.px), c.expected)
            << c.key << (c.oddValues ? " with odd values" : "") << std::hex << " got 0x" << Fnv1a(p.px);
    }
}

TEST(ImageEffectsNeighbours, DiffuseFromTheEngineGeneratorIsDiffuseFromItsNumbersOneByOne) {
    // The generator hands its numbers out by the column; the pixels must be those of the same numbers
    // drawn one at a time, two runs in a row continuing one sequence.
    Picture blocks = FullHdPicture(true), single = blocks;
    core::MersenneTwister64 generator(2024);
    core::EffectInputs fromGenerator;
    fromGenerator.random = &generator;
    std::mt19937_64 standard(2024);
    core::EffectInputs oneByOne;
    oneByOne.uniform = [&standard] { return static_cast<double>(standard() >> 11) * 0x1.0p-53; };
    for (int run = 0; run < 2; ++run) {
        ASSERT_TRUE(Apply("diffuse", blocks, fromGenerator));
        ASSERT_TRUE(Apply("diffuse", single, oneByOne));
        ASSERT_EQ(blocks.px, single.px) << "run " << run;
    }
    EXPECT_EQ(generator.Next(), standard());
}

namespace {

// The neighbourhood effects as written: the column walk, one pixel at a time, reading the surface as it
// is, -1 outside it, writes outside dropped.
void ReferenceWalk(const std::string& key, Picture& p, PictureExtent e, const std::function<double()>& uniform) {
    auto read = [&](int x, int y) { return x >= 0 && y >= 0 && x < p.width && y < p.height ? p.at(x, y) : -1; };
    auto channels = [](std::int32_t v) {
        const auto c = core::SplitColor(v);
        return std::array<long long, 3>{c.red, c.green, c.blue};
    };
    auto write = [&](int x, int y, const std::array<long long, 3>& c) {
        if (x >= 0 && y >= 0 && x < p.width && y < p.height)
            p.at(x, y) =
                core::CombineColor(core::ClampComponent(c[0]), core::ClampComponent(c[1]), core::ClampComponent(c[2]));
    };
    const bool diagonal = key == "sharpen" || key == "emboss";
    const int from = key == "diffuse" ? 0 : 1;
    const int toX = diagonal ? e.maxX - 2 : e.maxX, toY = diagonal ? e.maxY - 2 : e.maxY;
    for (int x = from; x <= toX; ++x)
        for (int y = from; y <= toY; ++y) {
            std::array<long long, 3> out{};
            const auto here = channels(read(x, y));
            if (key == "sharpen") {
                const auto other = channels(read(x - 1, y - 1));
                for (int k = 0; k < 3; ++k)
                    out[k] = core::NearestEven(here[k] + 0.5 * (here[k] - other[k]));
            } else if (key == "emboss") {
                const auto other = channels(read(x + 1, y + 1));
                for (int k = 0; k < 3; ++k)
                    out[k] = std::llabs(here[k] - other[k] + 128);
            } else if (key == "soften") {
                for (int i = -1; i <= 1; ++i)
                    for (int j = -1; j <= 1; ++j) {
                        const auto c = channels(read(x + i, y + j));
                        for (int k = 0; k < 3; ++k)
                            out[k] += c[k];
                    }
                for (auto& c : out)
                    c = static_cast<long long>(std::floor(c / 9.0));
            } else {
                const double r1 = uniform();
                const double r2 = uniform();
                out = channels(read(x + static_cast<int>(core::NearestEven(r1 * 4 - 2)),
                                    y + static_cast<int>(core::NearestEven(r2 * 4 - 2))));
            }
            write(x, y, out);
        }
}

} // namespace

TEST(ImageEffectsNeighbours, SmallPicturesAndOddExtentsMatchTheWalkPixelByPixel) {
    // Where the fast walks hand over to their edge handling: pictures a few pixels across, extents
    // short of, equal to and beyond the surface, and values outside the colour range.
    std::uint32_t seed = 3;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int w = 1; w <= 7; ++w)
        for (int h = 1; h <= 7; ++h)
            for (const auto& grow :
                 {std::pair{0, 0}, std::pair{-2, -1}, std::pair{3, 1}, std::pair{1, -3}, std::pair{-1, 2}})
                for (const char* key : {"sharpen", "emboss", "soften", "diffuse"}) {
                    Picture p(w, h);
                    for (auto& v : p.px)
                        v = next() % 5 == 0 ? static_cast<std::int32_t>(next())
                                            : static_cast<std::int32_t>(next() >> 8);
                    Picture expected = p;
                    const PictureExtent e{w - 1 + grow.first, h - 1 + grow.second};
                    std::uint64_t state = seed;
                    auto uniform = [&state] {
                        state = state * 6364136223846793005ull + 1442695040888963407ull;
                        return static_cast<double>(state >> 11) * 0x1.0p-53;
                    };
                    core::EffectInputs in;
                    in.uniform = uniform;
                    ASSERT_TRUE(RunImageEffect(key, p.surface(), e, in));
                    state = seed;
                    ReferenceWalk(key, expected, e, uniform);
                    ASSERT_EQ(p.px, expected.px)
                        << key << " on " << w << "x" << h << ", extent " << e.maxX << "," << e.maxY;
                }
}
