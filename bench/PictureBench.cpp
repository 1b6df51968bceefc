// The clip editor's picture side on a 1920 x 1080 picture, under Wine: each effect from the editor's
// ApplyEffect to the repainted picture beside the engine alone on the same pixels, and the paste of a
// clipboard bitmap until the picture is shown. Median of 5 runs each, in milliseconds.
#include "app/editor/PictureView.h"
#include "core/modImageEffects.h"
#include "winkit/Bitmaps.h"
#include "winkit/Window.h"

#include "BenchClock.h"

#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1920, kHeight = 1080, kRuns = 5;

std::vector<std::uint32_t> MakePicture() {
    std::vector<std::uint32_t> px(static_cast<size_t>(kWidth) * kHeight);
    std::uint32_t seed = 12345;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const std::uint32_t grain = seed >> 28;
            px[static_cast<size_t>(y) * kWidth + x] =
                ((x * 255 / kWidth) ^ grain) << 16 | ((y * 255 / kHeight) ^ grain) << 8 | (((x + y) / 8) % 256);
        }
    return px;
}

HBITMAP MakeBitmap(const std::vector<std::uint32_t>& px) {
    BITMAPINFO info = winkit::TopDown32BitInfo(kWidth, kHeight);
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib)
        std::copy(px.begin(), px.end(), static_cast<std::uint32_t*>(bits));
    return dib;
}

bool PutOnClipboard(HBITMAP picture) {
    if (!::OpenClipboard(nullptr))
        return false;
    ::EmptyClipboard();
    const bool put = ::SetClipboardData(CF_BITMAP, picture) != nullptr;
    ::CloseClipboard();
    return put;
}

} // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (!winkit::RegisterWindowClass(L"QuilletPictureBenchHost"))
        return 1;
    winkit::Window hostWindow;
    hostWindow.Create(L"QuilletPictureBenchHost", L"Picture bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 820,
                      620);
    HWND host = hostWindow.hwnd();
    quillet::PictureView view;
    quillet::PictureView::Host hostInfo;
    hostInfo.editor = host;
    if (!host || !view.Create(host, 0, 0, 800, 600, hostInfo)) {
        std::fprintf(stderr, "picture_bench: the picture view could not be created\n");
        return 1;
    }
    const auto pixels = MakePicture();

    std::vector<double> paste;
    for (int i = 0; i < kRuns; ++i) {
        if (!PutOnClipboard(MakeBitmap(pixels))) {
            std::fprintf(stderr, "picture_bench: the clipboard could not be written\n");
            return 1;
        }
        const double start = bench::Now();
        view.PasteImage();
        ::UpdateWindow(view.hwnd());
        paste.push_back(bench::Now() - start);
        if (view.picPicture().PixelWidth() != kWidth) {
            std::fprintf(stderr, "picture_bench: the pasted picture did not arrive\n");
            return 1;
        }
    }
    std::printf("Paste of a 1920 x 1080 clipboard bitmap until shown: %.1f ms (target under 100 ms)\n\n",
                bench::Median(paste));

    const struct {
        const char* name;
        const char* key;
    } effects[] = {{"grayscale", "grayscale"}, {"invert", "invert"},   {"soften", "soften"},
                   {"sharpen", "sharpen"},     {"diffuse", "diffuse"}, {"emboss", "emboss"},
                   {"solarize", "solarize"},   {"lighten", "ligthen"}, {"brightness", "brightness"},
                   {"colorbalance", "colors"}};
    std::printf("%-13s %12s %12s %7s  (target: ratio within 1.5)\n", "effect", "editor ms", "engine ms", "ratio");
    std::vector<std::int32_t> work(pixels.size());
    for (const auto& effect : effects) {
        std::vector<double> editor, engine;
        for (int i = 0; i < kRuns; ++i) {
            view.SetPicture(MakeBitmap(pixels));
            double start = bench::Now();
            view.ApplyEffect(effect.name);
            ::UpdateWindow(view.hwnd());
            editor.push_back(bench::Now() - start);

            std::copy(pixels.begin(), pixels.end(), work.begin());
            start = bench::Now();
            const core::PictureExtent extent{kWidth - 1, kHeight - 1};
            if (std::string(effect.key) == "emboss")
                core::RunImageEffect("grayscale", {work.data(), kWidth, kHeight}, extent);
            core::RunImageEffect(effect.key, {work.data(), kWidth, kHeight}, extent);
            engine.push_back(bench::Now() - start);
        }
        const double e = bench::Median(editor), g = bench::Median(engine);
        std::printf("%-13s %12.1f %12.1f %7.2f\n", effect.name, e, g, e / g);
    }
    view.Destroy();
    hostWindow.Destroy();
    return 0;
}
