// The effects on a real picture box: pixels taken and put back in the right colour order, the picture
// made from the image, the progress bar, the sliders and the dialogs' previews.
#include "app/editor/modImageEffects.h"

#include "winkit/Bitmaps.h"
#include "winkit/Scoped.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>

using quillet::EffectHost;
using quillet::PictureBox;

namespace {

void Fill(PictureBox& box, COLORREF color) {
    for (int y = 0; y < box.PixelHeight(); ++y)
        for (int x = 0; x < box.PixelWidth(); ++x)
            ::SetPixel(box.hDC(), x, y, color);
}

COLORREF PictureAt(const PictureBox& box, int x, int y) {
    winkit::ScopedMemoryDC dc(::CreateCompatibleDC(nullptr));
    winkit::SelectObjectGuard select(dc.get(), box.Picture());
    return ::GetPixel(dc.get(), x, y);
}

struct Controls {
    winkit::ScopedWindow parent;
    HWND Make(const wchar_t* cls, DWORD style) {
        return ::CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 100, 20, parent.get(), nullptr,
                                 nullptr, nullptr);
    }
    Controls() {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&icc);
        parent.reset(::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                       nullptr, nullptr));
    }
};

} // namespace

TEST(PictureBoxEffects, InvertSwapsNoChannelsAndMakesTheImageThePicture) {
    PictureBox box;
    ASSERT_TRUE(box.Create(nullptr, 0, 0, 5, 4, false));
    Fill(box, RGB(10, 20, 200));
    ::SetPixel(box.hDC(), 4, 3, RGB(255, 0, 1));
    // A top byte left in the image (as some sources leave it) is no part of the colour.
    ::GdiFlush();
    box.ImageBits()[2 * 5 + 1] |= 0xFF000000u;
    EXPECT_EQ(box.Picture(), nullptr);
    quillet::EffectInvert(box);
    EXPECT_EQ(::GetPixel(box.hDC(), 0, 0), RGB(245, 235, 55));
    EXPECT_EQ(::GetPixel(box.hDC(), 1, 2), RGB(245, 235, 55));
    EXPECT_EQ(box.ImageBits()[2 * 5 + 1], 0x00F5EB37u);
    EXPECT_EQ(::GetPixel(box.hDC(), 4, 3), RGB(0, 255, 254));
    ASSERT_NE(box.Picture(), nullptr);
    EXPECT_EQ(PictureAt(box, 0, 0), RGB(245, 235, 55));
    EXPECT_EQ(PictureAt(box, 4, 3), RGB(0, 255, 254));

    // The image is known plain after an effect, but a byte set through its pixels since is cleared again.
    box.ImageBits()[0] |= 0xFF000000u;
    quillet::EffectInvert(box);
    EXPECT_EQ(box.ImageBits()[0], 0x000A14C8u);
    EXPECT_EQ(PictureAt(box, 0, 0), RGB(10, 20, 200));

    // A picture from outside with every top byte set, given to the box after one of its own: cleared as it
    // arrives, so the effect sees only the colours.
    BITMAPINFO info = winkit::TopDown32BitInfo(5, 4);
    void* bits = nullptr;
    HBITMAP outside = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(outside, nullptr);
    std::fill_n(static_cast<std::uint32_t*>(bits), 20, 0xFF0A14C8u);
    box.SetPicture(outside);
    quillet::EffectInvert(box);
    EXPECT_EQ(box.ImageBits()[2 * 5 + 3], 0x00F5EB37u);
    EXPECT_EQ(PictureAt(box, 3, 2), RGB(245, 235, 55));
}

TEST(PictureBoxEffects, EmbossIsGreyThenReliefAndUnknownKeysOnlyFinish) {
    PictureBox box;
    ASSERT_TRUE(box.Create(nullptr, 0, 0, 6, 5, false));
    Fill(box, RGB(30, 60, 90));
    quillet::EffectEmboss(box);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x <= 3 && y >= 1 && y <= 2;
            EXPECT_EQ(::GetPixel(box.hDC(), x, y), inside ? RGB(128, 128, 128) : RGB(60, 60, 60)) << x << "," << y;
        }

    PictureBox other;
    ASSERT_TRUE(other.Create(nullptr, 0, 0, 3, 3, false));
    Fill(other, RGB(1, 2, 3));
    quillet::RunImageEffect("lighten", other); // the editor's name, not an engine key
    EXPECT_EQ(::GetPixel(other.hDC(), 1, 1), RGB(1, 2, 3));
    ASSERT_NE(other.Picture(), nullptr);
    EXPECT_EQ(PictureAt(other, 2, 2), RGB(1, 2, 3));
}

TEST(PictureBoxEffects, ScaleModesOtherThanTwipsAndPixelsReachOnlyTheFirstPixel) {
    PictureBox box;
    ASSERT_TRUE(box.Create(nullptr, 0, 0, 4, 4, false));
    Fill(box, RGB(10, 10, 10));
    box.SetScaleMode(core::ScaleMode::Inches);
    quillet::EffectInvert(box);
    EXPECT_EQ(::GetPixel(box.hDC(), 0, 0), RGB(245, 245, 245));
    EXPECT_EQ(::GetPixel(box.hDC(), 1, 0), RGB(10, 10, 10));
    box.SetScaleMode(core::ScaleMode::Pixels);
    quillet::EffectInvert(box);
    EXPECT_EQ(::GetPixel(box.hDC(), 3, 3), RGB(245, 245, 245));
}

TEST(PictureBoxEffects, ProgressSlidersAndBrightnessComeFromTheHost) {
    Controls controls;
    ASSERT_TRUE(controls.parent);
    HWND bar = controls.Make(PROGRESS_CLASSW, 0);
    HWND red = controls.Make(TRACKBAR_CLASSW, 0);
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(red, nullptr);
    ::SendMessageW(red, TBM_SETRANGE, TRUE, MAKELPARAM(-100, 100));
    ::SendMessageW(red, TBM_SETPOS, TRUE, 50);

    PictureBox box;
    ASSERT_TRUE(box.Create(nullptr, 0, 0, 41, 3, false));
    Fill(box, RGB(100, 40, 60));
    EffectHost host;
    host.progressBar = bar;
    host.sldRed = red;
    quillet::EffectColorBalance(box, host);
    EXPECT_EQ(::GetPixel(box.hDC(), 20, 1), RGB(150, 40, 60));
    EXPECT_EQ(::SendMessageW(bar, PBM_GETPOS, 0, 0), 100);

    // A visible colour balance dialog means a preview: the bar is left alone.
    ::SendMessageW(bar, PBM_SETPOS, 0, 0);
    winkit::ScopedWindow dialog(::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 300, 300, 10,
                                                  10, nullptr, nullptr, nullptr, nullptr));
    host.colorBalanceDialog = dialog.get();
    quillet::EffectColorBalance(box, host);
    EXPECT_EQ(::GetPixel(box.hDC(), 20, 1), RGB(225, 40, 60));
    EXPECT_EQ(::SendMessageW(bar, PBM_GETPOS, 0, 0), 0);

    quillet::BrightnessOffset = -50;
    quillet::EffectBrightness(box, host);
    quillet::BrightnessOffset = 0;
    EXPECT_EQ(::GetPixel(box.hDC(), 0, 0), RGB(175, 0, 10));
    EXPECT_EQ(::SendMessageW(bar, PBM_GETPOS, 0, 0), 100);
}
