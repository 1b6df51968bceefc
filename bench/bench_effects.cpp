// Speed of the effects and of PNG decoding and encoding on one 1920 x 1080 picture. Writes the picture
// as picture.ppm and picture.png into the folder given, so other tools can be timed on the same image,
// and prints one line per figure: "effect KEY MPIXELS_PER_SECOND", "png load|save MILLISECONDS BYTES".
#include "core/PngCodec.h"
#include "core/modImageEffects.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1920, kHeight = 1080, kRuns = 7;

double Best(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.front();
}

template <typename Fn> double BestMilliseconds(Fn&& fn, int runs = kRuns) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        fn();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return Best(times);
}

// Smooth gradients with some grain, so neither the effects nor zlib see a trivial picture.
std::vector<std::int32_t> MakePicture() {
    std::vector<std::int32_t> px(static_cast<size_t>(kWidth) * kHeight);
    std::uint32_t seed = 12345;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = static_cast<int>(seed >> 28) - 8;
            const int r = std::clamp(x * 255 / kWidth + grain, 0, 255);
            const int g = std::clamp(y * 255 / kHeight + grain, 0, 255);
            const int b = std::clamp(((x + y) / 8) % 256 + grain, 0, 255);
            px[static_cast<size_t>(y) * kWidth + x] = r | (g << 8) | (b << 16);
        }
    return px;
}

std::vector<std::uint8_t> ToBgr(const std::vector<std::int32_t>& px) {
    std::vector<std::uint8_t> bgr(px.size() * 3);
    for (size_t i = 0; i < px.size(); ++i) {
        bgr[3 * i] = static_cast<std::uint8_t>(px[i] >> 16);
        bgr[3 * i + 1] = static_cast<std::uint8_t>(px[i] >> 8);
        bgr[3 * i + 2] = static_cast<std::uint8_t>(px[i]);
    }
    return bgr;
}

bool WritePpm(const std::string& path, const std::vector<std::int32_t>& px) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    std::fprintf(f, "P6\n%d %d\n255\n", kWidth, kHeight);
    for (const std::int32_t v : px) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                      static_cast<unsigned char>(v >> 16)};
        std::fwrite(rgb, 1, 3, f);
    }
    return std::fclose(f) == 0;
}

bool SavePng(const std::string& path, const std::vector<std::uint8_t>& bgr) {
    std::vector<const std::uint8_t*> rows(kHeight);
    for (int y = 0; y < kHeight; ++y)
        rows[y] = bgr.data() + static_cast<size_t>(y) * kWidth * 3;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = core::EncodePng(f, kWidth, kHeight, rows.data());
    return std::fclose(f) == 0 && ok;
}

long FileSize(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return -1;
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::fclose(f);
    return size;
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : ".";
    const auto picture = MakePicture();
    if (!WritePpm(folder + "/picture.ppm", picture)) {
        std::fprintf(stderr, "cannot write %s/picture.ppm\n", folder.c_str());
        return 1;
    }
    const double megapixels = kWidth * kHeight / 1e6;
    const core::PictureExtent extent{kWidth - 1, kHeight - 1};

    for (const char* key :
         {"invert", "grayscale", "solarize", "brightness", "colors", "ligthen", "sharpen", "emboss", "soften", "diffuse"}) {
        core::EffectInputs in;
        in.brightnessOffset = 40;
        in.colorBalance = [] { return core::ColorBalance{50, -20, 10}; };
        in.progress = [](float) {};
        std::vector<std::int32_t> work;
        std::vector<double> times;
        for (int i = 0; i < kRuns; ++i) {
            work = picture;  // each run on the original, the copy not timed
            const auto start = std::chrono::steady_clock::now();
            core::RunImageEffect(key, {work.data(), kWidth, kHeight}, extent, in);
            times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
        std::printf("effect %s %.1f\n", key, megapixels / Best(times));
    }

    const auto bgr = ToBgr(picture);
    const std::string png = folder + "/picture.png";
    const std::string saved = folder + "/saved.png";
    bool ok = SavePng(png, bgr);
    const double save = BestMilliseconds([&] { ok = SavePng(saved, bgr) && ok; });
    core::DecodedPng decoded;
    const double load = BestMilliseconds([&] {
        std::FILE* f = std::fopen(png.c_str(), "rb");
        ok = f && core::DecodePng(f, decoded) && ok;
        if (f)
            std::fclose(f);
    });
    if (!ok || decoded.bgr != bgr) {
        std::fprintf(stderr, "the PNG round trip failed\n");
        return 1;
    }
    std::printf("png load %.1f %ld\n", load, FileSize(png));
    std::printf("png save %.1f %ld\n", save, FileSize(saved));
    return 0;
}
