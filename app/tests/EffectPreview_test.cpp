// The effect dialogs over a real picture view: the reduced preview's size, the preview at the slider's
// ends, the drag that waits for the release, and OK and Cancel on the editor's picture.
#include "app/editor/frmImgBrightness.h"
#include "app/editor/frmImgColors.h"

#include "app/editor/PictureFiles.h"
#include "app/editor/PictureView.h"
#include "winkit/Bitmaps.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using quillet::frmImgBrightness;
using quillet::frmImgColors;
using quillet::PictureView;

namespace {

HBITMAP Solid(int w, int h, std::uint32_t rgb) {
    BITMAPINFO info = winkit::TopDown32BitInfo(w, h);
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::fill_n(static_cast<std::uint32_t*>(bits), static_cast<size_t>(w) * h, rgb);
    return dib;
}

std::vector<std::uint32_t> Pixels(HBITMAP bitmap) {
    const SIZE size = quillet::PictureSize(bitmap);
    std::vector<std::uint32_t> p(static_cast<size_t>(size.cx) * size.cy);
    BITMAPINFO info = winkit::TopDown32BitInfo(size.cx, size.cy);
    winkit::WindowDC screen(nullptr);
    ::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(size.cy), p.data(), &info, DIB_RGB_COLORS);
    for (auto& v : p)
        v &= 0xFFFFFF;
    return p;
}

bool All(HBITMAP bitmap, std::uint32_t rgb) {
    const auto p = Pixels(bitmap);
    return !p.empty() && std::all_of(p.begin(), p.end(), [rgb](std::uint32_t v) { return v == rgb; });
}

void Slide(HWND dialog, HWND slider, int value, int code) {
    ::SendMessageW(slider, TBM_SETPOS, TRUE, value);
    ::SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(slider));
}

class EffectDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(winkit::RegisterWindowClass(L"QuilletEffectDialogsTestHost"));
        ASSERT_TRUE(editor_.Create(L"QuilletEffectDialogsTestHost", L"editor", WS_OVERLAPPEDWINDOW, 0, 0, 0, 500, 400));
        ASSERT_TRUE(view_.Create(editor_.hwnd(), 0, 0, 400, 300, {}));
    }
    void TearDown() override {
        view_.Destroy();
        editor_.Destroy();
    }
    winkit::Window editor_;
    PictureView view_;
};

} // namespace

TEST_F(EffectDialogs, BrightnessPreviewsAtTheSlidersEndsAndAppliesOnOk) {
    // Twice the preview's designed width and exactly its height: half of each.
    view_.SetPicture(Solid(640, 240, 0x406080));
    frmImgBrightness dialog;
    quillet::BrightnessOffset = 77;
    ASSERT_TRUE(dialog.Load(editor_.hwnd(), view_));
    EXPECT_EQ(quillet::BrightnessOffset, 0);
    EXPECT_FALSE(::IsWindowEnabled(editor_.hwnd()));
    EXPECT_EQ(dialog.preview().OriginalSize().cx, 320);
    EXPECT_EQ(dialog.preview().OriginalSize().cy, 120);
    EXPECT_TRUE(All(dialog.preview().picBox().Picture(), 0x406080)) << "the first preview shows the picture as it is";

    Slide(dialog.hwnd(), dialog.sldBright(), 255, TB_THUMBPOSITION);
    EXPECT_TRUE(All(dialog.preview().picBox().Picture(), 0xFFFFFF));
    Slide(dialog.hwnd(), dialog.sldBright(), -255, TB_PAGEUP);
    EXPECT_TRUE(All(dialog.preview().picBox().Picture(), 0x000000));
    // Dragging sets the offset but leaves the preview until the slider is let go.
    Slide(dialog.hwnd(), dialog.sldBright(), 16, TB_THUMBTRACK);
    EXPECT_EQ(quillet::BrightnessOffset, 16);
    EXPECT_TRUE(All(dialog.preview().picBox().Picture(), 0x000000));
    EXPECT_FALSE(::IsWindowVisible(dialog.preview().lblPreview()));

    dialog.OK();
    EXPECT_FALSE(::IsWindowVisible(dialog.hwnd()));
    EXPECT_TRUE(::IsWindowEnabled(editor_.hwnd()));
    EXPECT_TRUE(All(view_.picPicture().Picture(), 0x507090));
    EXPECT_EQ(quillet::BrightnessOffset, 16) << "the offset stays after the dialog closes";
    view_.Undo();
    EXPECT_TRUE(All(view_.picPicture().Picture(), 0x406080));

    // Opened again (its window kept from the first opening): the slider and the offset start at 0, the
    // preview shows the picture as it is now. Esc in any of its controls is Cancel: the dialog goes, the
    // picture stays.
    view_.SetPicture(Solid(40, 30, 0x406080));
    frmImgBrightness& again = dialog;
    ASSERT_TRUE(again.Load(editor_.hwnd(), view_));
    EXPECT_TRUE(::IsWindowVisible(again.hwnd()));
    EXPECT_EQ(::SendMessageW(again.sldBright(), TBM_GETPOS, 0, 0), 0);
    EXPECT_EQ(quillet::BrightnessOffset, 0);
    EXPECT_EQ(again.preview().picBox().PixelWidth(), 40);
    EXPECT_TRUE(All(again.preview().picBox().Picture(), 0x406080));
    EXPECT_FALSE(::IsWindowEnabled(editor_.hwnd()));
    Slide(again.hwnd(), again.sldBright(), 100, TB_THUMBPOSITION);
    ::SendMessageW(again.cmdOK(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(::IsWindowVisible(again.hwnd()));
    EXPECT_TRUE(::IsWindowEnabled(editor_.hwnd()));
    EXPECT_TRUE(All(view_.picPicture().Picture(), 0x406080));
}

TEST_F(EffectDialogs, ColourBalanceSmallPictureAtItsOwnSizeAndCancelKeepsThePicture) {
    view_.SetPicture(Solid(40, 30, 0xC08040));
    frmImgColors dialog;
    ASSERT_TRUE(dialog.Load(editor_.hwnd(), view_));
    EXPECT_EQ(dialog.preview().picBox().PixelWidth(), 40);
    EXPECT_EQ(dialog.preview().picBox().PixelHeight(), 30);
    Slide(dialog.hwnd(), dialog.sldRed(), 0, TB_LINEDOWN);
    EXPECT_TRUE(All(dialog.preview().picBox().Picture(), 0xC08040)) << "all at 0 changes nothing";
    Slide(dialog.hwnd(), dialog.sldRed(), -100, TB_PAGEUP);
    EXPECT_TRUE(All(dialog.preview().picBox().Picture(), 0x008040)) << "red at -100 takes the red away";
    // This dialog has no key of its own: Esc leaves it open.
    ::SendMessageW(dialog.sldRed(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(::IsWindowVisible(dialog.hwnd()));
    dialog.Cancel();
    EXPECT_FALSE(::IsWindowVisible(dialog.hwnd()));
    EXPECT_TRUE(::IsWindowEnabled(editor_.hwnd()));
    EXPECT_TRUE(All(view_.picPicture().Picture(), 0xC08040));
    EXPECT_FALSE(view_.UndoFilled());
}
