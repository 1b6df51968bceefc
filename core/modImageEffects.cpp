#include "core/modImageEffects.h"

#include "core/MersenneTwister64.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace core {

ColorComponents SplitColor(std::int32_t value) {
    // C++ remainders take the sign of the dividend and >> floors, which is exactly the rule wanted.
    const std::int32_t q = value >> 8;
    return {static_cast<int>(value % 256), static_cast<int>(q % 256), static_cast<int>(value >> 16)};
}

std::int32_t CombineColor(int red, int green, int blue) {
    return red + 256 * green + 65536 * blue;
}

int ClampComponent(long long value) {
    if (value >= 255)
        return 255;
    if (value <= 0)
        return 0;
    return static_cast<int>(value);
}

namespace {
// floor for the small values the effects produce, without a library call per pixel.
inline long long FloorToInt(double v) {
    const long long t = static_cast<long long>(v);
    return t - (v < static_cast<double>(t) ? 1 : 0);
}
} // namespace

long long NearestEven(double v) {
    long long n = FloorToInt(v);
    const double diff = v - static_cast<double>(n);
    if (diff > 0.5 || (diff == 0.5 && (n % 2 != 0)))
        ++n;
    return n;
}

PictureExtent ComputePictureExtent(ScaleMode mode, double innerWidth, double innerHeight) {
    switch (mode) {
    case ScaleMode::Twips:
        return {static_cast<int>(NearestEven(innerWidth / 15 - 1)),
                static_cast<int>(NearestEven(innerHeight / 15 - 1))};
    case ScaleMode::Pixels:
        return {static_cast<int>(NearestEven(innerWidth)) - 1, static_cast<int>(NearestEven(innerHeight)) - 1};
    default:
        return {0, 0};
    }
}

namespace {

long long FloorDiv(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// The column walk's progress rule: after column x, when x is a multiple of nearest(maxX / 20) (every
// column when that is 0), the bar shows x / maxX in percent; never when maxX is 0.
class ProgressSteps {
public:
    ProgressSteps(std::string_view key, PictureExtent extent, const EffectInputs& inputs)
        : maxX_(extent.maxX), step_(NearestEven(extent.maxX / 20.0)), inputs_(inputs) {
        if (key == "colors")
            suppressed_ = &inputs.colorBalanceDialogVisible;
        else if (key == "brightness")
            suppressed_ = &inputs.brightnessDialogVisible;
    }

    bool Reports(int x) const { return maxX_ != 0 && (step_ == 0 || x % step_ == 0); }

    // The next reporting column at or after x (or last when none comes before it).
    int NextReport(int x, int last) const {
        if (maxX_ == 0)
            return last;
        if (step_ <= 0)
            return x;
        const long long r = FloorDiv(x + step_ - 1, step_) * step_;
        return static_cast<int>(std::min<long long>(r, last));
    }

    void AfterColumn(int x) const {
        if (!Reports(x) || !inputs_.progress)
            return;
        if (suppressed_ && *suppressed_ && (*suppressed_)())
            return;
        inputs_.progress(static_cast<float>(x) / static_cast<float>(maxX_) * 100.0f);
    }

private:
    int maxX_;
    long long step_;
    const EffectInputs& inputs_;
    const std::function<bool()>* suppressed_ = nullptr;
};

// Effects whose new pixel depends only on its own old value and its position: the visiting order inside a
// run of columns cannot change their result, so each run between two progress steps is done row by row,
// which keeps the walk in memory order.
template <typename Band> void WalkInBands(int x0, int x1, const ProgressSteps& steps, Band&& band) {
    for (int a = x0; a <= x1;) {
        const int b = steps.NextReport(a, x1);
        band(a, b);
        for (int x = a; x <= b; ++x)
            steps.AfterColumn(x);
        a = b + 1;
    }
}

// Components of a pixel in int arithmetic, the split rule written out so loops over rows vectorise.
// Plain pixels (0..16777215, nearly always the case) split by masks alone.
struct Parts {
    int r, g, b;
};
template <bool Plain> inline Parts PartsOf(std::int32_t v) {
    if (Plain)
        return {v & 0xFF, (v >> 8) & 0xFF, v >> 16};
    return {v % 256, (v >> 8) % 256, v >> 16};
}
inline int Clamp8(int v) {
    return v >= 255 ? 255 : (v <= 0 ? 0 : v);
}
inline std::int32_t Pack8(int r, int g, int b) {
    return Clamp8(r) | (Clamp8(g) << 8) | (Clamp8(b) << 16);
}

// Runs fn on every pixel of the rows, band by band; rows whose pixels are all plain go through plain,
// which sees the raw value and may work on all three bytes at once.
template <typename PixelFn, typename PlainFn>
void RunPointEffect(PixelSurface s, PictureExtent e, const ProgressSteps& steps, PixelFn&& fn, PlainFn&& plain) {
    const int lastY = std::min(e.maxY, s.height - 1);
    WalkInBands(0, e.maxX, steps, [&](int a, int b) {
        const int bx = std::min(b, s.width - 1);
        if (bx < a)
            return;
        for (int y = 0; y <= lastY; ++y) {
            std::int32_t* row = s.pixels + static_cast<std::ptrdiff_t>(y) * s.width + a;
            const int count = bx - a + 1;
            std::int32_t high = 0;
            for (int i = 0; i < count; ++i)
                high |= row[i];
            if ((high & ~0xFFFFFF) == 0) {
                for (int i = 0; i < count; ++i)
                    row[i] = plain(row[i]);
            } else {
                for (int i = 0; i < count; ++i)
                    row[i] = fn(PartsOf<false>(row[i]));
            }
        }
    });
}

template <typename PixelFn>
void RunPointEffect(PixelSurface s, PictureExtent e, const ProgressSteps& steps, PixelFn&& fn) {
    RunPointEffect(s, e, steps, fn, [&fn](std::int32_t v) { return fn(PartsOf<true>(v)); });
}

std::int32_t Clamped(long long r, long long g, long long b) {
    return CombineColor(ClampComponent(r), ClampComponent(g), ClampComponent(b));
}

double LightenStrength(long long product) {
    // Single-precision constants, as the thresholds were chosen.
    if (product < 35000)
        return 1.0f;
    if (product < 100000)
        return 0.7f;
    if (product < 200000)
        return 0.5f;
    if (product < 350000)
        return 0.4f;
    return 0.3f;
}

void RunLighten(PixelSurface s, PictureExtent e, const ProgressSteps& steps) {
    const double f = LightenStrength(static_cast<long long>(e.maxX) * e.maxY);
    // The angle follows the same course in every column, so its sines are worked out once.
    std::vector<double> decline(e.maxY >= 0 ? e.maxY + 1 : 0);
    double d = 0;
    for (int y = 0; y <= e.maxY; ++y) {
        d += e.maxX / 90.0;
        decline[y] = std::sin(d * 3.14 / 180);
        if (d >= 90)
            d = 90;
    }
    std::vector<double> a;
    WalkInBands(0, e.maxX, steps, [&](int x0, int x1) {
        const int bx = std::min(x1, s.width - 1);
        if (bx < x0)
            return;
        a.resize(bx - x0 + 1);
        for (int x = x0; x <= bx; ++x)
            a[x - x0] = e.maxY + 1 - x;
        for (int y = 0; y <= e.maxY; ++y) {
            const bool inside = y < s.height;
            std::int32_t* row = s.pixels + static_cast<std::ptrdiff_t>(y) * s.width;
            for (int x = x0; x <= bx; ++x) {
                double& ax = a[x - x0];
                ax -= decline[y];
                if (inside) {
                    const ColorComponents c = SplitColor(row[x]);
                    row[x] = Clamped(FloorToInt(f * ax + c.red / 2.0), FloorToInt(f * ax + c.green / 2.0),
                                     FloorToInt(f * ax + c.blue / 2.0));
                }
                if (ax <= 50)
                    ax = 50;
            }
        }
    });
}

// Effects that read other pixels, so the column-by-column order decides what they see. They walk the
// surface itself: a column's rows are a fixed stride apart, which the caches and their prefetching
// follow, and a copy in column order would cost as much as the effect.
class SurfaceView {
public:
    explicit SurfaceView(PixelSurface s) : s_(s) {}

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < s_.width && y < s_.height; }
    std::int32_t* At(int x, int y) const { return s_.pixels + static_cast<std::ptrdiff_t>(y) * s_.width + x; }
    std::int32_t Value(int x, int y) const { return Inside(x, y) ? *At(x, y) : -1; }
    ColorComponents Read(int x, int y) const { return SplitColor(Value(x, y)); }
    void Write(int x, int y, std::int32_t v) const {
        if (Inside(x, y))
            *At(x, y) = v;
    }

private:
    PixelSurface s_;
};

template <typename PixelFn>
void RunNeighbourEffect(PixelSurface s, int x0, int x1, int y0, int y1, const ProgressSteps& steps, PixelFn&& fn) {
    const SurfaceView view(s);
    for (int x = x0; x <= x1; ++x) {
        for (int y = y0; y <= y1; ++y)
            fn(view, x, y);
        steps.AfterColumn(x);
    }
}

// "colors" reads the sliders at every pixel, in the column walk's order. Each run of columns between two
// progress steps first takes all its readings in that order, noting where they change; a run read at
// one setting (the usual case: nothing moves a slider while an effect holds the thread) is then done row
// by row through tables of the new components, any other run pixel by pixel in the walk's order.
class ColorBalanceTables {
public:
    void Build(ColorBalance b) {
        for (int v = 0; v < 256; ++v) {
            red_[v] = ClampComponent(Part(v, b.red));
            green_[v] = ClampComponent(Part(v, b.green)) << 8;
            blue_[v] = ClampComponent(Part(v, b.blue)) << 16;
        }
        balance_ = b;
    }
    std::int32_t Apply(std::int32_t px) const {
        if ((px & ~0xFFFFFF) == 0)
            return red_[px & 0xFF] | green_[(px >> 8) & 0xFF] | blue_[px >> 16];
        const ColorComponents c = SplitColor(px);
        return Clamped(Part(c.red, balance_.red), Part(c.green, balance_.green), Part(c.blue, balance_.blue));
    }

private:
    static long long Part(int v, int slider) { return v + FloorToInt(slider / 100.0 * v); }
    std::int32_t red_[256], green_[256], blue_[256];
    ColorBalance balance_{};
};

bool operator!=(const ColorBalance& a, const ColorBalance& b) {
    return a.red != b.red || a.green != b.green || a.blue != b.blue;
}

void RunColorBalance(PixelSurface s, PictureExtent e, const ProgressSteps& steps, const EffectInputs& in) {
    struct Change {
        long long at; // position in the run's walk
        ColorBalance balance;
    };
    std::vector<Change> changes;
    ColorBalance current{};
    ColorBalanceTables tables;
    tables.Build(current);
    const int lastY = std::min(e.maxY, s.height - 1);
    WalkInBands(0, e.maxX, steps, [&](int a, int b) {
        const int bx = std::min(b, s.width - 1);
        if (bx < a || lastY < 0)
            return;
        changes.clear();
        const ColorBalance before = current;
        long long at = 0;
        for (int x = a; x <= bx; ++x)
            for (int y = 0; y <= lastY; ++y, ++at) {
                const ColorBalance read = in.colorBalance ? in.colorBalance() : ColorBalance{};
                if (read != current) {
                    changes.push_back({at, read});
                    current = read;
                }
            }
        if (changes.empty() || (changes.size() == 1 && changes[0].at == 0)) {
            if (current != before)
                tables.Build(current);
            for (int y = 0; y <= lastY; ++y) {
                std::int32_t* row = s.pixels + static_cast<std::ptrdiff_t>(y) * s.width;
                for (int x = a; x <= bx; ++x)
                    row[x] = tables.Apply(row[x]);
            }
            return;
        }
        ColorBalance setting = before;
        tables.Build(setting);
        size_t next = 0;
        at = 0;
        for (int x = a; x <= bx; ++x)
            for (int y = 0; y <= lastY; ++y, ++at) {
                if (next < changes.size() && changes[next].at == at) {
                    setting = changes[next++].balance;
                    tables.Build(setting);
                }
                std::int32_t& px = s.pixels[static_cast<std::ptrdiff_t>(y) * s.width + x];
                px = tables.Apply(px);
            }
        if (current != setting)
            tables.Build(current);
    });
}

// nearest(R + 0.5 * (R - R2)): the value is a whole or a half number, (3R - R2) / 2.
long long Sharpened(int r, int r2) {
    const long long n = 3LL * r - r2;
    long long q = FloorDiv(n, 2);
    if ((n & 1) != 0 && (q & 1) != 0)
        ++q;
    return q;
}

// The pixel a neighbourhood effect writes, from the values it reads, for any values (split by the rule).
std::int32_t SharpenedPixel(std::int32_t v, std::int32_t before) {
    const ColorComponents c = SplitColor(v), c2 = SplitColor(before);
    return Clamped(Sharpened(c.red, c2.red), Sharpened(c.green, c2.green), Sharpened(c.blue, c2.blue));
}
std::int32_t EmbossedPixel(std::int32_t v, std::int32_t after) {
    const ColorComponents c = SplitColor(v), c2 = SplitColor(after);
    return Clamped(std::abs(c.red - c2.red + 128), std::abs(c.green - c2.green + 128),
                   std::abs(c.blue - c2.blue + 128));
}

// The same on bytes: Sharpened's halves to even as a carry of the two low bits.
inline int SharpenedByte(int c, int c2) {
    const int n = 3 * c - c2;
    const int q = n >> 1;
    return Clamp8(q + (n & q & 1));
}
inline int EmbossedByte(int c, int c2) {
    const int d = c - c2 + 128;
    return std::min(d < 0 ? -d : d, 255);
}

bool AllPlain(const std::int32_t* p, int count) {
    std::int32_t high = 0;
    for (int i = 0; i < count; ++i)
        high |= p[i];
    return (high & ~0xFFFFFF) == 0;
}

// Sharpen reads a pixel and its upper-left neighbour, already written; emboss a pixel and its lower-right
// one, not yet written. Either way a pixel depends only on the row above or below, so rows in memory
// order give what the column walk gives; each run of columns between two progress steps goes that way.
// An extent beyond the surface reads -1 outside and takes the column walk itself.
template <bool Sharpen> void RunDiagonalEffect(PixelSurface s, PictureExtent e, const ProgressSteps& steps) {
    constexpr int dy = Sharpen ? -1 : 1;
    if (e.maxX > s.width || e.maxY > s.height) {
        RunNeighbourEffect(s, 1, e.maxX - 2, 1, e.maxY - 2, steps, [](const SurfaceView& g, int x, int y) {
            const std::int32_t v = g.Value(x, y), n = g.Value(x + dy, y + dy);
            g.Write(x, y, Sharpen ? SharpenedPixel(v, n) : EmbossedPixel(v, n));
        });
        return;
    }
    WalkInBands(1, e.maxX - 2, steps, [&](int a, int b) {
        const int count = b - a + 1;
        for (int y = 1; y <= e.maxY - 2; ++y) {
            std::int32_t* row = s.pixels + static_cast<std::ptrdiff_t>(y) * s.width + a;
            const std::int32_t* other = s.pixels + static_cast<std::ptrdiff_t>(y + dy) * s.width + a + dy;
            if (AllPlain(row, count) && AllPlain(other, count)) {
                for (int i = 0; i < count; ++i) {
                    const std::int32_t v = row[i], n = other[i];
                    const auto f = Sharpen ? SharpenedByte : EmbossedByte;
                    row[i] = f(v & 0xFF, n & 0xFF) | (f((v >> 8) & 0xFF, (n >> 8) & 0xFF) << 8) |
                             (f(v >> 16, n >> 16) << 16);
                }
            } else {
                for (int i = 0; i < count; ++i)
                    row[i] = Sharpen ? SharpenedPixel(row[i], other[i]) : EmbossedPixel(row[i], other[i]);
            }
        }
    });
}

void RunSharpen(PixelSurface s, PictureExtent e, const ProgressSteps& steps) {
    RunDiagonalEffect<true>(s, e, steps);
}
void RunEmboss(PixelSurface s, PictureExtent e, const ProgressSteps& steps) {
    RunDiagonalEffect<false>(s, e, steps);
}

// Soften reads the column before (written), its own column (written above, not below) and the column
// after (not written), so it keeps the column walk. Inside the picture on plain values the nine sums
// slide down the column, the three components held apart in one 64-bit word (20 bits each: nine bytes
// sum to at most 2295).
inline std::uint64_t Lanes(std::int32_t v) {
    const auto u = static_cast<std::uint64_t>(static_cast<std::uint32_t>(v));
    return (u & 0xFF) | ((u & 0xFF00) << 12) | ((u & 0xFF0000) << 24);
}

void SoftenPixel(const SurfaceView& g, int x, int y) {
    long long r = 0, gr = 0, b = 0;
    for (int i = -1; i <= 1; ++i)
        for (int j = -1; j <= 1; ++j) {
            const ColorComponents c = g.Read(x + i, y + j);
            r += c.red;
            gr += c.green;
            b += c.blue;
        }
    g.Write(x, y, Clamped(FloorDiv(r, 9), FloorDiv(gr, 9), FloorDiv(b, 9)));
}

// Rows 1..lastY of column x, whose neighbours all lie inside and are plain.
void SoftenColumn(const SurfaceView& g, int x, int lastY, std::ptrdiff_t stride) {
    std::int32_t* p = g.At(x, 0);
    constexpr std::uint64_t lane = 0xFFFFF;
    // The sums of the three pixels of a row of the left and the right column, for the row above and the
    // row itself; the row below is added as the walk reaches it.
    auto sides = [](const std::int32_t* row) { return Lanes(row[-1]) + Lanes(row[1]); };
    std::uint64_t sidesAbove = sides(p), sidesHere = sides(p + stride), here = Lanes(p[stride]);
    // Each pixel waits for the one above it; with the components apart that wait is one addition and
    // one division per component, the three side by side.
    std::uint32_t r = static_cast<std::uint32_t>(p[0]) & 0xFF, gr = (static_cast<std::uint32_t>(p[0]) >> 8) & 0xFF,
                  b = static_cast<std::uint32_t>(p[0]) >> 16;
    p += stride;
    for (int y = 1; y <= lastY; ++y, p += stride) {
        const std::int32_t* next = p + stride;
        const std::uint64_t sidesBelow = sides(next), below = Lanes(next[0]);
        const std::uint64_t rest = sidesAbove + sidesHere + sidesBelow + here + below;
        r = (static_cast<std::uint32_t>(rest & lane) + r) / 9;
        gr = (static_cast<std::uint32_t>((rest >> 20) & lane) + gr) / 9;
        b = (static_cast<std::uint32_t>(rest >> 40) + b) / 9;
        *p = static_cast<std::int32_t>(r | (gr << 8) | (b << 16));
        here = below;
        sidesAbove = sidesHere;
        sidesHere = sidesBelow;
    }
}

void RunSoften(PixelSurface s, PictureExtent e, const ProgressSteps& steps) {
    const bool inside = e.maxX < s.width && e.maxY < s.height;
    const bool plain = inside && AllPlain(s.pixels, s.width * s.height);
    const SurfaceView view(s);
    // Rows and columns whose neighbours all lie inside; the last row and column may not.
    const int lastX = std::min(e.maxX, s.width - 2), lastY = std::min(e.maxY, s.height - 2);
    for (int x = 1; x <= e.maxX; ++x) {
        if (plain && x <= lastX && lastY >= 1) {
            // The results are plain too, so the whole walk stays on the fast path.
            SoftenColumn(view, x, lastY, s.width);
            for (int y = lastY + 1; y <= e.maxY; ++y)
                SoftenPixel(view, x, y);
        } else {
            for (int y = 1; y <= e.maxY; ++y)
                SoftenPixel(view, x, y);
        }
        steps.AfterColumn(x);
    }
}

// nearest(4r - 2), halves to even. For r in [0, 1), where 4r - 2 is exact, that is where r lies among
// the eighths 1, 3, 5 and 7, the ends of the middle three ranges going to the even offsets.
constexpr int DiffuseOffset(double r) {
    if (!(r >= 0.0 && r < 1.0))
        return static_cast<int>(NearestEven(r * 4 - 2));
    // Counted rather than branched on: random offsets would defeat the branch predictor.
    return static_cast<int>(r > 0.125) + static_cast<int>(r >= 0.375) + static_cast<int>(r > 0.625) +
           static_cast<int>(r >= 0.875) - 2;
}

// The engine's own numbers are r = (u >> 11) / 2^53, exact, so DiffuseOffset's eighths are these
// thresholds on u itself.
constexpr double UniformOfDraw(std::uint64_t u) {
    return static_cast<double>(u >> 11) * 0x1.0p-53;
}
constexpr std::uint64_t kAboveEighth1 = ((1ull << 50) + 1) << 11, kFromEighth3 = 3ull << 61,
                        kAboveEighth5 = ((5ull << 50) + 1) << 11, kFromEighth7 = 7ull << 61;
constexpr int DiffuseOffsetOfDraw(std::uint64_t u) {
    return static_cast<int>(u >= kAboveEighth1) + static_cast<int>(u >= kFromEighth3) +
           static_cast<int>(u >= kAboveEighth5) + static_cast<int>(u >= kFromEighth7) - 2;
}
constexpr bool SameOffsetsAround(std::uint64_t t) {
    return DiffuseOffsetOfDraw(t - 1) == DiffuseOffset(UniformOfDraw(t - 1)) &&
           DiffuseOffsetOfDraw(t) == DiffuseOffset(UniformOfDraw(t));
}
static_assert(SameOffsetsAround(kAboveEighth1) && SameOffsetsAround(kFromEighth3) && SameOffsetsAround(kAboveEighth5) &&
                  SameOffsetsAround(kFromEighth7) && SameOffsetsAround(1) && SameOffsetsAround(~0ull),
              "the thresholds on draws must split them as the offsets of their uniforms do");

// Never reseeded, so successive runs of "diffuse" differ.
MersenneTwister64& Generator() {
    static MersenneTwister64 generator{std::random_device{}()};
    return generator;
}

// The offsets of one column's pixels, from two numbers per pixel drawn in the walk's order.
struct DiffuseOffsets {
    std::vector<std::int8_t> dx, dy;
    std::vector<std::uint64_t> draws;

    explicit DiffuseOffsets(int rows) : dx(rows), dy(rows) {}
    void From(const std::function<double()>& uniform) {
        for (size_t y = 0; y < dx.size(); ++y) {
            const double r1 = uniform();
            const double r2 = uniform();
            dx[y] = static_cast<std::int8_t>(DiffuseOffset(r1));
            dy[y] = static_cast<std::int8_t>(DiffuseOffset(r2));
        }
    }
    void From(MersenneTwister64& generator) {
        draws.resize(2 * dx.size());
        generator.Fill(draws.data(), draws.size());
        for (size_t y = 0; y < dx.size(); ++y) {
            dx[y] = static_cast<std::int8_t>(DiffuseOffsetOfDraw(draws[2 * y]));
            dy[y] = static_cast<std::int8_t>(DiffuseOffsetOfDraw(draws[2 * y + 1]));
        }
    }
};

// A pixel read outside the colour range is split and clamped; what the walk wrote is plain already.
inline std::int32_t DiffusedValue(std::int32_t v) {
    if ((v & ~0xFFFFFF) != 0) {
        const ColorComponents c = SplitColor(v);
        v = Clamped(c.red, c.green, c.blue);
    }
    return v;
}

// Diffuse reads a pixel up to two away in any direction, written or not, so it keeps the column walk.
// Pixels at least two away from every edge need no test of where they read.
void DiffuseColumn(const SurfaceView& g, PixelSurface s, int x, const DiffuseOffsets& o) {
    const int rows = static_cast<int>(o.dx.size());
    const bool innerColumn = x >= 2 && x <= s.width - 3;
    const int innerFrom = innerColumn ? 2 : rows, innerTo = innerColumn ? std::min(rows - 1, s.height - 3) : rows - 1;
    auto edge = [&](int y) { g.Write(x, y, DiffusedValue(g.Value(x + o.dx[y], y + o.dy[y]))); };
    int y = 0;
    for (; y < std::min(innerFrom, rows); ++y)
        edge(y);
    if (y <= innerTo) {
        const std::ptrdiff_t stride = s.width;
        std::int32_t* p = g.At(x, y);
        for (; y <= innerTo; ++y, p += stride)
            *p = DiffusedValue(p[o.dy[y] * stride + o.dx[y]]);
    }
    for (; y < rows; ++y)
        edge(y);
}

template <typename Source>
void RunDiffuse(PixelSurface s, PictureExtent e, const ProgressSteps& steps, Source& source) {
    const SurfaceView view(s);
    DiffuseOffsets offsets(std::max(e.maxY + 1, 0));
    for (int x = 0; x <= e.maxX; ++x) {
        offsets.From(source);
        DiffuseColumn(view, s, x, offsets);
        steps.AfterColumn(x);
    }
}

} // namespace

bool RunImageEffect(std::string_view key, PixelSurface s, PictureExtent e, const EffectInputs& in) {
    const ProgressSteps steps(key, e, in);
    if (key == "invert") {
        // On bytes 0..255, 255 - c is c with every bit flipped.
        RunPointEffect(
            s, e, steps, [](Parts c) { return Pack8(255 - c.r, 255 - c.g, 255 - c.b); },
            [](std::int32_t v) { return v ^ 0xFFFFFF; });
    } else if (key == "grayscale") {
        // floor((R + G + B) / 3). |sum| stays below 33 300, where n * 43691 >> 17 is n / 3 exactly;
        // a multiplication, unlike a division, vectorises.
        RunPointEffect(
            s, e, steps,
            [](Parts c) {
                const int sum = c.r + c.g + c.b;
                const int g = sum >= 0 ? (sum * 43691) >> 17 : -(((2 - sum) * 43691) >> 17);
                return Pack8(g, g, g);
            },
            [](std::int32_t v) {
                const int g = (((v & 0xFF) + ((v >> 8) & 0xFF) + (v >> 16)) * 43691) >> 17;
                return g * 0x010101;
            });
    } else if (key == "solarize") {
        const auto sol = [](int v) { return v < 128 ? 255 - v : v; };
        // On bytes, c < 128 is a clear top bit, and 255 - c flips all of them: each such byte is xored
        // with 0xFF, the rest left alone.
        RunPointEffect(
            s, e, steps, [&](Parts c) { return Pack8(sol(c.r), sol(c.g), sol(c.b)); },
            [](std::int32_t v) {
                const std::int32_t low = (~v >> 7) & 0x010101;
                return v ^ (low * 0xFF);
            });
    } else if (key == "brightness") {
        // Components lie within +-65536, so an offset beyond +-2^20 clamps exactly as that bound does,
        // and the sums stay in int.
        const int o = static_cast<int>(std::clamp<std::int32_t>(in.brightnessOffset, -(1 << 20), 1 << 20));
        RunPointEffect(s, e, steps, [o](Parts c) { return Pack8(c.r + o, c.g + o, c.b + o); });
    } else if (key == "colors") {
        RunColorBalance(s, e, steps, in);
    } else if (key == "ligthen") {
        RunLighten(s, e, steps);
    } else if (key == "sharpen") {
        RunSharpen(s, e, steps);
    } else if (key == "emboss") {
        RunEmboss(s, e, steps);
    } else if (key == "soften") {
        RunSoften(s, e, steps);
    } else if (key == "diffuse") {
        if (in.uniform)
            RunDiffuse(s, e, steps, in.uniform);
        else
            RunDiffuse(s, e, steps, in.random ? *in.random : Generator());
    } else {
        return false;
    }
    return true;
}

} // namespace core
