// The editor's picture side on real windows: clipboard paste with its undo, effects and their one-step
// undo, the scroll bars of a wide picture, the progress bar of a long effect, picture files of every kind,
// and the PNG save's fallback.
#include "app/editor/PictureView.h"

#include "app/editor/PictureFiles.h"
#include "app/editor/frmProgress.h"
#include "app/projects/PictureFile.h"
#include "app/shell/modSettings.h"
#include "core/modImageEffects.h"
#include "testkit/Files.h"
#include "winkit/Bitmaps.h"
#include "winkit/Com.h"

#include "ClipboardTestKit.h"

#include <commctrl.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

using quillet::PictureView;

namespace {

using Pixels = std::vector<std::uint32_t>; // 0x00RRGGBB, rows top to bottom

// A w x h picture in four colour quarters, so a mirrored or shifted copy is told apart.
Pixels Quarters(int w, int h) {
    Pixels p(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p[static_cast<size_t>(y) * w + x] =
                x < w / 2 ? (y < h / 2 ? 0xC02010u : 0x20C040u) : (y < h / 2 ? 0x3040E0u : 0xF0F0F0u);
    return p;
}

HBITMAP MakeBitmap(int w, int h, const Pixels& pixels) {
    BITMAPINFO info = winkit::TopDown32BitInfo(w, h);
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
    return dib;
}

Pixels Read(HBITMAP bitmap, int& w, int& h) {
    const SIZE size = quillet::PictureSize(bitmap);
    w = size.cx;
    h = size.cy;
    Pixels p(static_cast<size_t>(w) * h);
    BITMAPINFO info = winkit::TopDown32BitInfo(w, h);
    winkit::WindowDC screen(nullptr);
    if (w > 0)
        ::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(h), p.data(), &info, DIB_RGB_COLORS);
    for (auto& v : p)
        v &= 0xFFFFFFu;
    return p;
}

// Shown in its frame (the test's frame itself stays off screen).
bool Shown(HWND control) {
    return (::GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

Pixels Shown(PictureView& view, int& w, int& h) {
    return Read(view.picPicture().Picture(), w, h);
}

bool PutClipboardPicture(HBITMAP picture) {
    if (!::OpenClipboard(nullptr))
        return false;
    ::EmptyClipboard();
    const bool put = ::SetClipboardData(CF_BITMAP, picture) != nullptr;
    ::CloseClipboard();
    return put;
}

// Writes the pixels with the system's image encoders (JPEG, GIF), as another program would.
bool EncodeWithSystem(const std::wstring& path, REFGUID container, int w, int h, const Pixels& pixels) {
    winkit::ComPtr<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  factory.put_void())))
        return false;
    winkit::ComPtr<IWICBitmap> source;
    std::vector<std::uint32_t> bgra(pixels);
    if (FAILED(factory->CreateBitmapFromMemory(w, h, GUID_WICPixelFormat32bppBGR, w * 4, w * h * 4,
                                               reinterpret_cast<BYTE*>(bgra.data()), source.put())))
        return false;
    winkit::ComPtr<IWICStream> stream;
    winkit::ComPtr<IWICBitmapEncoder> encoder;
    winkit::ComPtr<IWICBitmapFrameEncode> frame;
    if (FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) ||
        FAILED(factory->CreateEncoder(container, nullptr, encoder.put())) ||
        FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.put(), nullptr)) || FAILED(frame->Initialize(nullptr)) ||
        FAILED(frame->SetSize(w, h)) || FAILED(frame->WriteSource(source.get(), nullptr)) || FAILED(frame->Commit()) ||
        FAILED(encoder->Commit()))
        return false;
    return true;
}

bool Near(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

class PictureViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(winkit::RegisterWindowClass(L"QuilletPictureViewTestHost"));
        ASSERT_TRUE(hostWindow_.Create(L"QuilletPictureViewTestHost", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 0, 500, 400));
        host_ = hostWindow_.hwnd();
        PictureView::Host host;
        host.editor = host_;
        host.setPanel3 = [this](const std::wstring& text) { panel3_.push_back(text); };
        ASSERT_TRUE(view_.Create(host_, 0, 0, 400, 300, host));
        // Time stands still unless a test moves it: however slowly this machine runs an effect, it stays
        // short of the progress window's delay.
        view_.SetClock([] { return std::chrono::steady_clock::time_point{}; });
        quillet::MsgOnImgPaste = true;
    }
    void TearDown() override {
        view_.Destroy();
        hostWindow_.Destroy();
    }

    winkit::ComApartment apartment_;
    winkit::Window hostWindow_;
    HWND host_ = nullptr;
    PictureView view_;
    std::vector<std::wstring> panel3_;
    testkit::TempFolder folder_;
};

} // namespace

TEST_F(PictureViewTest, PasteEffectsAndOneStepUndo) {
    EXPECT_FALSE(view_.HoldsPicture());
    // Only text on the clipboard: the three-part message, and nothing changes.
    ASSERT_TRUE(apptest::PutClipboardText(L"words"));
    auto boxes = apptest::AnsweringDialogs([&] { view_.PasteImage(); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Sorry, there isn't any picture at clipboard!\r\n\r\nIf you want to load picture from "
                             L"file, please, use Load button.\r\nDoubleclick in picture area and Paste button on "
                             L"toolbar triggers pasting image from clipboard.");
    EXPECT_FALSE(view_.UndoFilled());
    quillet::MsgOnImgPaste = false;
    EXPECT_TRUE(apptest::AnsweringDialogs([&] { view_.PasteImage(); }).empty());

    // Beyond the program's picture size: refused with a message, the box and the undo untouched.
    ASSERT_TRUE(PutClipboardPicture(MakeBitmap(20001, 1, Pixels(20001, 0x102030u))));
    boxes = apptest::AnsweringDialogs([&] { view_.PasteImage(); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"The picture on the clipboard is too large to be edited.");
    EXPECT_FALSE(view_.HoldsPicture());
    EXPECT_FALSE(view_.UndoFilled());

    const Pixels original = Quarters(40, 30);
    ASSERT_TRUE(PutClipboardPicture(MakeBitmap(40, 30, original)));
    view_.PasteImage();
    int w = 0, h = 0;
    EXPECT_EQ(Shown(view_, w, h), original);
    EXPECT_EQ(w, 40);
    EXPECT_EQ(view_.PictureWidth, 600);
    EXPECT_TRUE(view_.HoldsPicture());
    ASSERT_TRUE(view_.UndoFilled());
    EXPECT_EQ(view_.SizeText(), L"Image size: 40x30 ");

    view_.ApplyEffect("invert");
    const Pixels inverted = Shown(view_, w, h);
    EXPECT_EQ(inverted[0], 0xFFFFFFu - original[0]);
    EXPECT_EQ(panel3_, (std::vector<std::wstring>{L"Done"}));
    EXPECT_TRUE(::IsWindowEnabled(host_));
    view_.ApplyEffect("grayscale");
    EXPECT_NE(Shown(view_, w, h), inverted);

    boxes = apptest::AnsweringDialogs([&] { view_.Undo(); });
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Shown(view_, w, h), inverted);
    boxes = apptest::AnsweringDialogs([&] { view_.Undo(); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"There is nothing to undo!");
    EXPECT_EQ(Shown(view_, w, h), inverted);

    // Effects back to back, nothing asking for the picture between them, so each one's picture is taken
    // from the image only as the next keeps its undo: the pixels are the engine's, and Undo still brings
    // back exactly the picture before the last effect.
    std::vector<std::int32_t> expected(inverted.begin(), inverted.end()), beforeLast;
    for (const char* effect : {"solarize", "sharpen", "emboss", "soften"}) {
        view_.ApplyEffect(effect);
        beforeLast = expected;
        const core::PixelSurface surface{expected.data(), 40, 30};
        if (std::string(effect) == "emboss")
            core::RunImageEffect("grayscale", surface, {39, 29});
        core::RunImageEffect(effect, surface, {39, 29});
    }
    EXPECT_EQ(Shown(view_, w, h), Pixels(expected.begin(), expected.end()));
    // Undone while the picture is still the image.
    view_.ApplyEffect("invert");
    beforeLast = expected;
    core::RunImageEffect("invert", {expected.data(), 40, 30}, {39, 29});
    EXPECT_TRUE(apptest::AnsweringDialogs([&] { view_.Undo(); }).empty());
    EXPECT_EQ(Shown(view_, w, h), Pixels(beforeLast.begin(), beforeLast.end()));
    EXPECT_EQ(apptest::AnsweringDialogs([&] { view_.Undo(); }).size(), 1u);

    // Undoing a paste of another size lays the old picture out by its own size.
    ASSERT_TRUE(PutClipboardPicture(MakeBitmap(800, 20, Quarters(800, 20))));
    view_.PasteImage();
    EXPECT_TRUE(Shown(view_.scrollHorz()));
    view_.Undo();
    EXPECT_EQ(view_.PictureWidth, 600);
    EXPECT_FALSE(Shown(view_.scrollHorz()));
    EXPECT_EQ(Shown(view_, w, h), Pixels(beforeLast.begin(), beforeLast.end()));

    // Copy puts the picture on the clipboard; cut also leaves the placeholder, which copies nothing.
    apptest::EmptyTheClipboard();
    view_.Cut();
    EXPECT_TRUE(apptest::ClipboardHas(CF_BITMAP));
    EXPECT_FALSE(view_.HoldsPicture());
    EXPECT_EQ(view_.PictureCopy(), nullptr);
    apptest::EmptyTheClipboard();
    view_.Copy();
    EXPECT_FALSE(apptest::ClipboardHas(CF_BITMAP));
}

TEST_F(PictureViewTest, WidePictureShowsOnlyTheHorizontalBar) {
    RECT frame{};
    ::GetClientRect(view_.hwnd(), &frame);
    const int wide = frame.right + 100;
    view_.SetPicture(MakeBitmap(wide, 50, Quarters(wide, 50)));
    EXPECT_TRUE(Shown(view_.scrollHorz()));
    EXPECT_FALSE(Shown(view_.scrollVert()));
    EXPECT_TRUE(Shown(view_.blox()));
    SCROLLINFO info{sizeof info, SIF_RANGE, 0, 0, 0, 0, 0};
    ::GetScrollInfo(view_.scrollHorz(), SB_CTL, &info);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 100 * 15);
    // At the bar's end the picture's right edge is at the frame's right edge.
    ::SendMessageW(view_.hwnd(), WM_HSCROLL, SB_RIGHT, reinterpret_cast<LPARAM>(view_.scrollHorz()));
    RECT box{};
    ::GetWindowRect(view_.picPicture().hwnd(), &box);
    ::MapWindowPoints(nullptr, view_.hwnd(), reinterpret_cast<POINT*>(&box), 2);
    EXPECT_EQ(box.right, frame.right);
    // Centred vertically in the frame.
    EXPECT_EQ(box.top, frame.bottom / 2 - 25);

    view_.SetPicture(MakeBitmap(20, 20, Quarters(20, 20)));
    EXPECT_FALSE(Shown(view_.scrollHorz()) || Shown(view_.blox()));
}

// What the progress window's bar was told and what it painted, seen from inside this thread's window
// procedures, so the record does not depend on how fast the effect runs.
class ProgressRecord {
public:
    ProgressRecord() {
        current_ = this;
        hook_ = ::SetWindowsHookExW(WH_CALLWNDPROCRET, &ProgressRecord::Hook, nullptr, ::GetCurrentThreadId());
    }
    ~ProgressRecord() {
        if (hook_)
            ::UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    bool hooked() const { return hook_ != nullptr; }
    std::vector<int> told, painted;
    bool framePainted = false;
    // The progress window's line when it was shown; empty when it never was.
    std::wstring shownInfo;
    // Whether its owner, the editor, was disabled when it was shown.
    bool ownerDisabled = false;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && current_) {
            wchar_t name[64] = L"";
            ::GetClassNameW(call->hwnd, name, 64);
            const std::wstring cls = name;
            if (cls == PROGRESS_CLASSW && call->message == PBM_SETPOS)
                current_->told.push_back(static_cast<int>(call->wParam));
            if (cls == PROGRESS_CLASSW && call->message == WM_PAINT)
                current_->painted.push_back(static_cast<int>(::SendMessageW(call->hwnd, PBM_GETPOS, 0, 0)));
            if (cls == quillet::frmProgress::kClassName && call->message == WM_PAINT && current_->painted.empty())
                current_->framePainted = true;
            if (cls == quillet::frmProgress::kClassName && call->message == WM_SHOWWINDOW && call->wParam) {
                wchar_t line[128] = L"";
                ::GetWindowTextW(::GetWindow(call->hwnd, GW_CHILD), line, 128);
                current_->shownInfo = line;
                current_->ownerDisabled = !::IsWindowEnabled(::GetWindow(call->hwnd, GW_OWNER));
            }
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static ProgressRecord* current_;
    HHOOK hook_ = nullptr;
};

ProgressRecord* ProgressRecord::current_ = nullptr;

TEST_F(PictureViewTest, LongEffectMovesTheProgressBarStepByStep) {
    // Large enough that the effect runs for many screen frames even on a fast machine.
    constexpr int kW = 3000, kH = 2000;
    Pixels pixels(static_cast<size_t>(kW) * kH);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFFu;
    view_.SetPicture(MakeBitmap(kW, kH, pixels));
    // Shown at once, so the window is up for every step however fast the machine runs the effect.
    view_.SetProgressDelay(std::chrono::milliseconds{0});
    for (int run = 0; run < 2; ++run) { // the second run reuses the progress window
        ProgressRecord record;
        ASSERT_TRUE(record.hooked());
        view_.ApplyEffect("soften");

        // The window was drawn before its bar first moved; the bar moved several times, rising, and each
        // position it was given was painted before the next, close to the end.
        EXPECT_TRUE(record.framePainted);
        std::vector<int> moves;
        for (int p : record.told)
            if (p > 0)
                moves.push_back(p);
        std::vector<int> paintedMoves;
        for (int p : record.painted)
            if (p > 0 && (paintedMoves.empty() || p != paintedMoves.back()))
                paintedMoves.push_back(p);
        EXPECT_GE(moves.size(), 3u);
        EXPECT_TRUE(std::is_sorted(moves.begin(), moves.end()));
        EXPECT_EQ(std::adjacent_find(moves.begin(), moves.end()), moves.end());
        EXPECT_EQ(paintedMoves, moves);
        EXPECT_GE(moves.back(), 75);
        EXPECT_FALSE(::IsWindowVisible(::FindWindowW(quillet::frmProgress::kClassName, nullptr)));
    }
    int w = 0, h = 0;
    EXPECT_NE(Shown(view_, w, h), pixels);
}

TEST_F(PictureViewTest, OnlyAnEffectRunningPastTheDefaultDelayShowsItsProgressAndWait) {
    const Pixels pixels = Quarters(200, 100);
    Pixels inverted(pixels);
    for (auto& v : inverted)
        v ^= 0xFFFFFFu;
    // The effect's first reading of the clock is its start; every later one lies `later` after it.
    using std::chrono::milliseconds;
    for (const auto& [later, long_] : {std::pair{milliseconds{119}, false}, {milliseconds{120}, true}}) {
        SCOPED_TRACE(later.count());
        view_.SetPicture(MakeBitmap(200, 100, pixels));
        int readings = 0;
        view_.SetClock([&readings, later = later] {
            return std::chrono::steady_clock::time_point{} + (readings++ == 0 ? milliseconds{0} : later);
        });
        panel3_.clear();
        ProgressRecord record;
        ASSERT_TRUE(record.hooked());
        view_.ApplyEffect("invert");
        EXPECT_TRUE(::IsWindowEnabled(host_));

        EXPECT_GT(readings, 1) << "the effect asked the clock as it went";
        int w = 0, h = 0;
        EXPECT_EQ(Shown(view_, w, h), inverted);
        EXPECT_FALSE(::IsWindowVisible(::FindWindowW(quillet::frmProgress::kClassName, nullptr)));
        if (long_) {
            EXPECT_EQ(record.shownInfo, L"Processing image effect (invert)");
            EXPECT_TRUE(record.ownerDisabled);
            EXPECT_TRUE(record.framePainted);
            EXPECT_FALSE(record.painted.empty()) << "the bar was drawn";
            EXPECT_EQ(panel3_, (std::vector<std::wstring>{L"Please wait...", L"Done"}));
        } else {
            EXPECT_EQ(record.shownInfo, L"");
            EXPECT_FALSE(record.framePainted);
            EXPECT_TRUE(record.painted.empty());
            EXPECT_EQ(panel3_, (std::vector<std::wstring>{L"Done"}));
        }
        view_.Undo();
        EXPECT_EQ(Shown(view_, w, h), pixels);
    }
}

TEST_F(PictureViewTest, PictureFilesOfEveryKindLoadAndPngSaveFallsBack) {
    const Pixels pixels = Quarters(16, 12);
    const std::wstring png = folder_.path() + L"a.PNG", bmp = folder_.path() + L"b.bmp",
                       jpg = folder_.path() + L"c.jpg", gif = folder_.path() + L"d.gif";
    view_.SetPicture(MakeBitmap(16, 12, pixels));
    view_.SavePicture(png);
    view_.SavePicture(bmp);
    ASSERT_TRUE(EncodeWithSystem(jpg, GUID_ContainerFormatJpeg, 16, 12, pixels));
    ASSERT_TRUE(EncodeWithSystem(gif, GUID_ContainerFormatGif, 16, 12, pixels));
    view_.Clear();

    int w = 0, h = 0;
    for (const auto& [file, tolerance] : {std::pair{png, 0}, {bmp, 0}, {jpg, 40}, {gif, 24}}) {
        SCOPED_TRACE(winkit::ToUtf8(file));
        EXPECT_TRUE(apptest::AnsweringDialogs([&] { view_.LoadPicture(file); }).empty());
        const Pixels shown = Shown(view_, w, h);
        ASSERT_EQ(w, 16);
        ASSERT_EQ(h, 12);
        for (int y : {1, 10})
            for (int x : {1, 14})
                EXPECT_TRUE(Near(shown[y * 16 + x], pixels[y * 16 + x], tolerance)) << x << "," << y;
    }

    // A damaged PNG: neither loader reads it, the box is left empty and the user is told which file.
    const std::wstring damaged = folder_.path() + L"damaged.png";
    std::ofstream(damaged.c_str(), std::ios::binary) << "\x89PNG\r\n\x1a\n broken";
    auto boxes = apptest::AnsweringDialogs([&] { view_.LoadPicture(damaged); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(damaged), std::wstring::npos);
    EXPECT_FALSE(view_.HoldsPicture());
    EXPECT_EQ(view_.PictureWidth, 15); // the empty box's 1 x 1
    view_.Undo();
    EXPECT_TRUE(view_.HoldsPicture());
    Shown(view_, w, h);
    EXPECT_EQ(w, 16);

    // A PNG that cannot be written (a 0 x 0 box) goes out as a bitmap under the same name.
    const std::wstring fallback = folder_.path() + L"empty.png";
    view_.SetPicture(MakeBitmap(16, 12, pixels));
    view_.picPicture().SetPixelSize(0, 0);
    view_.SavePicture(fallback);
    std::ifstream written(fallback.c_str(), std::ios::binary);
    char magic[2] = {};
    written.read(magic, 2);
    EXPECT_EQ(std::string(magic, 2), "BM");
}
