// A picture clip made as a user makes one: a screenshot on the clipboard is pasted into the clip editor,
// inverted and brightened there, copied from its row as a bitmap, and kept in the project across a restart.
#include "app/editor/frmConfPasteBox.h"
#include "core/modImageEffects.h"
#include "e2e/ClipWindowDriver.h"
#include "testkit/Clipboard.h"
#include "winkit/Bitmaps.h"
#include "winkit/TextConv.h"

#include <commctrl.h>

#include <cstdint>
#include <cstring>
#include <vector>

using namespace e2e;
using quillet::frmConfPasteBox;

namespace {

constexpr int kW = 64, kH = 48;
using Pixels = std::vector<std::int32_t>; // 0x00RRGGBB; the effects tested treat every channel alike

Pixels Screenshot() {
    Pixels p(static_cast<size_t>(kW) * kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            p[static_cast<size_t>(y) * kW + x] = (x * 4) << 16 | (y * 5) << 8 | ((x + y) % 7) * 30;
    return p;
}

// As a screenshot tool leaves it: a packed device-independent bitmap (the system offers it as CF_BITMAP too).
bool PutPicture(const Pixels& pixels) {
    BITMAPINFOHEADER header = winkit::TopDown32BitInfo(kW, kH).bmiHeader;
    const size_t bytes = pixels.size() * sizeof(std::int32_t);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, sizeof header + bytes);
    if (!block)
        return false;
    auto* p = static_cast<std::uint8_t*>(::GlobalLock(block));
    std::memcpy(p, &header, sizeof header);
    std::memcpy(p + sizeof header, pixels.data(), bytes);
    ::GlobalUnlock(block);
    if (!::OpenClipboard(nullptr)) {
        ::GlobalFree(block);
        return false;
    }
    ::EmptyClipboard();
    const bool put = ::SetClipboardData(CF_DIB, block) != nullptr;
    ::CloseClipboard();
    return put;
}

// The clipboard's bitmap as another program reads it; empty when there is none of the size.
Pixels ClipboardPicture() {
    Pixels p;
    if (!::OpenClipboard(nullptr))
        return p;
    if (HBITMAP bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP))) {
        BITMAP bm{};
        ::GetObjectW(bitmap, sizeof bm, &bm);
        if (bm.bmWidth == kW && std::abs(bm.bmHeight) == kH) {
            p.resize(static_cast<size_t>(kW) * kH);
            BITMAPINFO info = winkit::TopDown32BitInfo(kW, kH);
            HDC screen = ::GetDC(nullptr);
            ::GetDIBits(screen, bitmap, 0, kH, p.data(), &info, DIB_RGB_COLORS);
            ::ReleaseDC(nullptr, screen);
            for (auto& v : p)
                v &= 0xFFFFFF;
        }
    }
    ::CloseClipboard();
    return p;
}

// What the engine makes of the pixels, over the extent the editor gives it.
Pixels Engine(Pixels p, const char* key, std::int32_t offset = 0) {
    core::EffectInputs inputs;
    inputs.brightnessOffset = offset;
    core::RunImageEffect(key, {p.data(), kW, kH},
                         core::ComputePictureExtent(core::ScaleMode::Twips, kW * 15.0, kH * 15.0), inputs);
    return p;
}

class PictureClips : public ClipWindowTest {
protected:
    void SetUp() override {
        PrepareSettings({{L"Exiting", L"2"}, {L"AskClearingClip", L"0"}});
        StartQuillet();
    }
    HWND OpenEditor(int n) {
        EXPECT_TRUE(BringToFront(window_));
        Click(row(n));
        EXPECT_TRUE(winkit::WaitUntil([&] { return GuiState(window_).hwndFocus == row(n); }, kActTimeout));
        PressKey(VK_F3);
        editor_ = quillet_.WaitForWindow(L"QuilletConfPasteBox", kActTimeout);
        EXPECT_TRUE(editor_ && winkit::WaitUntil([&] { return ::IsWindowVisible(editor_) != FALSE; }, kActTimeout));
        return editor_;
    }
    void ClickButton(int toolbarId, int command) {
        ASSERT_TRUE(BringToFront(editor_));
        const RECT rc = testkit::ToolbarButtonRect(::GetDlgItem(editor_, toolbarId), command);
        ASSERT_LT(rc.left, rc.right) << "toolbar button " << command << " not found";
        ClickAt({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
    }
    std::wstring Panel(int part) const {
        return testkit::StatusBarText(::GetDlgItem(editor_, frmConfPasteBox::idSBar), part);
    }
    bool WaitForPanel(int part, const std::wstring& text) const {
        return winkit::WaitUntil([&] { return Panel(part) == text; }, kActTimeout);
    }
    void Accept() {
        ClickButton(frmConfPasteBox::idToolbar, frmConfPasteBox::kToolbarButton + 1);
        ASSERT_TRUE(
            winkit::WaitUntil([&] { return !::IsWindow(editor_) || !::IsWindowVisible(editor_); }, kActTimeout));
    }
    Pixels CopiedRow(int n) {
        testkit::EmptyTheClipboard();
        EXPECT_TRUE(BringToFront(window_));
        Click(control(ids::kImgCopy + n));
        Pixels p;
        winkit::WaitUntil([&] { return !(p = ClipboardPicture()).empty(); }, kActTimeout);
        return p;
    }
    HWND editor_ = nullptr;
};

} // namespace

TEST_F(PictureClips, PastedPictureIsInvertedBrightenedCopiedAndKeptInTheProject) {
    const Pixels shot = Screenshot();
    ASSERT_TRUE(PutPicture(shot));
    ASSERT_TRUE(OpenEditor(1));
    ClickButton(frmConfPasteBox::idToolbar, frmConfPasteBox::kToolbarButton + 8);
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDYES),
              L"You will lose all your current data! Do you really want to continue?");
    HWND picture = nullptr;
    ASSERT_TRUE(winkit::WaitUntil(
        [&] { return (picture = GuiState(editor_).hwndFocus) && testkit::ClassName(picture) == L"QuilletPictureBox"; },
        kActTimeout))
        << "picPicture takes the focus in picture mode";
    ASSERT_TRUE(testkit::ClipboardHas(CF_BITMAP));
    PressChord({VK_CONTROL}, 'V');
    ASSERT_TRUE(WaitForPanel(1, L"Image size: 64x48 ")) << winkit::ToUtf8(Panel(1));
    ClickButton(frmConfPasteBox::idToolbar2, frmConfPasteBox::kToolbar2Button + 23); // Invert colors
    ASSERT_TRUE(WaitForPanel(2, L"Done"));
    Accept();
    ASSERT_TRUE(winkit::WaitUntil([&] { return Text(row(1)).rfind(L"(IMG)", 0) == 0; }, kActTimeout))
        << winkit::ToUtf8(Text(row(1)));

    const Pixels inverted = Engine(shot, "invert");
    EXPECT_EQ(CopiedRow(1), inverted);

    // Exiting saves the project (Exiting=2); the next start loads the picture back.
    ASSERT_TRUE(FileMenu('X'));
    ASSERT_TRUE(quillet_.WaitForExit(kExitTimeout));
    StartQuillet();
    ASSERT_TRUE(WaitForRow(1, Text(row(1)))); // the row is there again
    EXPECT_EQ(CopiedRow(1), inverted);

    // The brightness dialog: one large step to the right is +51, OK applies it by the engine's formula.
    ASSERT_TRUE(OpenEditor(1));
    ASSERT_TRUE(WaitForPanel(1, L"Image size: 64x48 "));
    ClickButton(frmConfPasteBox::idToolbar2, frmConfPasteBox::kToolbar2Button + 32);
    HWND dialog = quillet_.WaitForWindow(L"QuilletImgBrightness", kActTimeout);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(BringToFront(dialog));
    HWND slider = ::FindWindowExW(dialog, nullptr, L"msctls_trackbar32", nullptr);
    ASSERT_TRUE(winkit::WaitUntil([&] { return GuiState(dialog).hwndFocus == slider; }, kActTimeout));
    PressKey(VK_NEXT);
    ASSERT_TRUE(winkit::WaitUntil([&] { return ::SendMessageW(slider, TBM_GETPOS, 0, 0) == 51; }, kActTimeout));
    Click(::GetDlgItem(dialog, IDOK));
    ASSERT_TRUE(winkit::WaitUntil([&] { return !::IsWindowVisible(dialog); }, kActTimeout));
    ASSERT_TRUE(WaitForPanel(2, L"Done"));
    Accept();
    EXPECT_EQ(CopiedRow(1), Engine(inverted, "brightness", 51));
}
