// The clip editor's picture side on a 1920 x 1080 picture, in-process under Wine, in the real editor
// opened on a picture clip as F3 opens it. Beside the engine alone on the same pixels, in the same run:
//   effect: the click on the effect's toolbar button (for brightness and colour balance: OK in their
//           dialog, opened beforehand) until nothing is left to paint in the editor;
//   paste:  the click on Paste with a 1920 x 1080 bitmap on the clipboard, until the same.
// Every run starts from the same picture with the editor settled (nothing left to paint, no message
// waiting), so no set-up work is charged to the click. Median of N runs (argument, default 5). Exits
// non-zero, saying why, when a step fails or the picture does not change as the engine changes it.
#include "app/editor/PictureView.h"
#include "app/editor/frmConfPasteBox.h"
#include "app/editor/frmImgBrightness.h"
#include "app/editor/frmImgColors.h"
#include "app/editor/PictureFiles.h"
#include "app/editor/modImageEffects.h"
#include "app/projects/ClipProject.h"
#include "app/projects/EditHandOver.h"
#include "app/projects/MainClipWindow.h"
#include "app/projects/frmQuillet.h"
#include "app/shell/modInitialization.h"
#include "app/shell/modSettings.h"
#include "core/ClipSlot.h"
#include "core/modImageEffects.h"
#include "testkit/Files.h"
#include "winkit/Bitmaps.h"
#include "winkit/Wait.h"

#include "BenchClock.h"

#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using quillet::frmConfPasteBox;

constexpr int kWidth = 1920, kHeight = 1080, kSlot = 5;
constexpr DWORD kLimitMs = 60000;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "picture_bench: %s\n", what);
    std::exit(1);
}

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
    if (!dib)
        Fail("a 1920 x 1080 bitmap could not be made");
    std::copy(px.begin(), px.end(), static_cast<std::uint32_t*>(bits));
    return dib;
}

std::vector<std::uint32_t> Read(HBITMAP bitmap) {
    std::vector<std::uint32_t> px(static_cast<size_t>(kWidth) * kHeight);
    if (quillet::PictureSize(bitmap).cx != kWidth || quillet::PictureSize(bitmap).cy != kHeight)
        return {};
    BITMAPINFO info = winkit::TopDown32BitInfo(kWidth, kHeight);
    winkit::WindowDC screen(nullptr);
    ::GetDIBits(screen.get(), bitmap, 0, kHeight, px.data(), &info, DIB_RGB_COLORS);
    for (auto& v : px)
        v &= 0xFFFFFFu;
    return px;
}

void PutOnClipboard(HBITMAP picture) {
    if (!::OpenClipboard(nullptr))
        Fail("the clipboard could not be opened");
    ::EmptyClipboard();
    const bool put = ::SetClipboardData(CF_BITMAP, picture) != nullptr;
    ::CloseClipboard();
    if (!put)
        Fail("the clipboard could not be written");
}

BOOL CALLBACK FindUnpainted(HWND child, LPARAM found) {
    if (::IsWindowVisible(child) && ::GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

// Neither the window nor any of its visible descendants waits for a paint.
bool NothingToPaint(HWND window) {
    bool found = ::GetUpdateRect(window, nullptr, FALSE) != FALSE;
    if (!found)
        ::EnumChildWindows(window, &FindUnpainted, reinterpret_cast<LPARAM>(&found));
    return !found;
}

bool QueueEmpty() {
    MSG msg;
    return !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_INPUT | PM_QS_POSTMESSAGE);
}

// Runs what the editor left to run or paint until nothing is left; returns when that was (the last check
// that found nothing is not counted).
double Settle(HWND editor) {
    const double deadline = bench::Now() + kLimitMs;
    for (;;) {
        winkit::PumpMessages();
        const double at = bench::Now();
        if (NothingToPaint(editor) && QueueEmpty())
            return at;
        if (at > deadline)
            Fail("the editor did not settle in time");
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

void Click(HWND window, int id, HWND from) {
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(from));
}

struct Effect {
    const char* name;
    const char* key; // the engine's
    int button;      // of toolbar2
    const wchar_t* dialog = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    if (runs < 1)
        Fail("the number of runs must be at least 1");
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);

    // A fresh program folder, the main clip window and the editor as the program's start wires them, the
    // editor opened on a picture clip.
    testkit::TempFolder folder(L"quillet-picture-bench");
    quillet::SettingsFile = folder.path() + L"settings.ini";
    quillet::ProjectsFolder = folder.path();
    quillet::TempFolder = folder.path();
    quillet::MsgOnImgPaste = false;
    if (!quillet::CreateDefaultSettings(false))
        Fail("the settings file could not be written");
    if (!quillet::QuilletWindow().Load())
        Fail("the main clip window could not be loaded");
    quillet::ShowClipEditorHook() = [] { quillet::ShowClipEditor(); };

    const auto pixels = MakePicture();
    quillet::Clip& clip = quillet::OpenProject().slot(kSlot);
    clip.format = core::kFormatImg;
    clip.text = L"IMG";
    clip.picture.reset(MakeBitmap(pixels));
    quillet::QuilletWindow().RefreshRows();
    quillet::QuilletWindow().ConfigureClip(kSlot);
    frmConfPasteBox& editor = quillet::ConfPasteBox();
    quillet::PictureView* view = editor.picture().view();
    if (!editor.hwnd() || editor.CurrentFormat() != L"img" || !view)
        Fail("the editor did not open on the picture clip");
    const HWND window = editor.hwnd(), toolbar2 = editor.control(frmConfPasteBox::idToolbar2);
    ::SetForegroundWindow(window);
    Settle(window);

    std::vector<double> paste;
    for (int i = 0; i < runs; ++i) {
        view->SetPicture(nullptr);
        PutOnClipboard(MakeBitmap(pixels));
        Settle(window);
        const double start = bench::Now();
        Click(window, frmConfPasteBox::kToolbar2Button + 20, toolbar2);
        paste.push_back(Settle(window) - start);
        if (Read(view->picPicture().Picture()) != pixels)
            Fail("the pasted picture did not arrive whole");
    }

    const Effect effects[] = {{"grayscale", "grayscale", 22},
                              {"invert", "invert", 23},
                              {"soften", "soften", 24},
                              {"sharpen", "sharpen", 25},
                              {"diffuse", "diffuse", 26},
                              {"emboss", "emboss", 27},
                              {"solarize", "solarize", 28},
                              {"lighten", "ligthen", 29},
                              {"brightness", "brightness", 32, quillet::frmImgBrightness::kClassName},
                              {"colorbalance", "colors", 31, quillet::frmImgColors::kClassName}};
    RECT shown{};
    ::GetClientRect(view->hwnd(), &shown);
    std::printf("A %d x %d picture in the clip editor (its view %ld x %ld), median of %d runs\n", kWidth, kHeight,
                static_cast<long>(shown.right), static_cast<long>(shown.bottom), runs);
    std::printf("%-13s %12s %12s %7s  (target: ratio within 1.5)\n", "effect", "editor ms", "engine ms", "ratio");
    std::vector<std::int32_t> work(pixels.size());
    for (const Effect& effect : effects) {
        std::vector<double> editorMs, engineMs;
        for (int i = 0; i < runs; ++i) {
            view->SetPicture(MakeBitmap(pixels));
            HWND ok = toolbar2, target = window;
            int id = frmConfPasteBox::kToolbar2Button + effect.button;
            if (effect.dialog) {
                Click(window, id, toolbar2);
                const HWND dialog = ::FindWindowW(effect.dialog, nullptr);
                if (!dialog)
                    Fail("an effect dialog did not open");
                target = dialog;
                id = IDOK;
                ok = ::GetDlgItem(dialog, IDOK);
            }
            Settle(window);
            double start = bench::Now();
            Click(target, id, ok);
            editorMs.push_back(Settle(window) - start);
            if (effect.dialog && ::IsWindowVisible(target))
                Fail("an effect dialog stayed open after OK");

            std::copy(pixels.begin(), pixels.end(), work.begin());
            start = bench::Now();
            const core::PictureExtent extent{kWidth - 1, kHeight - 1};
            // What the editor gives the engine: the brightness offset, and the sliders as a reading.
            core::EffectInputs inputs;
            inputs.brightnessOffset = quillet::BrightnessOffset;
            if (std::string(effect.key) == "colors")
                inputs.colorBalance = [] { return core::ColorBalance{}; };
            if (std::string(effect.key) == "emboss")
                core::RunImageEffect("grayscale", {work.data(), kWidth, kHeight}, extent, inputs);
            core::RunImageEffect(effect.key, {work.data(), kWidth, kHeight}, extent, inputs);
            engineMs.push_back(bench::Now() - start);

            // Diffuse draws its own random numbers; the others must give the engine's pixels exactly.
            if (std::string(effect.key) != "diffuse" &&
                Read(view->picPicture().Picture()) != std::vector<std::uint32_t>(work.begin(), work.end()))
                Fail("the editor's picture differs from the engine's");
        }
        const double e = bench::Median(editorMs), g = bench::Median(engineMs);
        std::printf("%-13s %12.1f %12.1f %7.2f\n", effect.name, e, g, e / g);
    }
    std::printf("\nPaste of a 1920 x 1080 clipboard bitmap until shown: %.1f ms (target under 100 ms)\n",
                bench::Median(paste));

    editor.CloseWithoutSaving();
    quillet::OpenProject().ProjectChanged = false;
    quillet::QuilletWindow().Unload();
    quillet::ShowClipEditorHook() = nullptr;
    return 0;
}
