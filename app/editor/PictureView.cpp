#include "app/editor/PictureView.h"

#include "app/editor/PictureFiles.h"
#include "app/editor/frmProgress.h"
#include "app/editor/modPNG.h"
#include "app/paste/modParseClipboard.h"
#include "app/projects/PictureFile.h"
#include "app/shell/Messages.h"
#include "app/shell/modSettings.h"
#include "core/PictureLayout.h"
#include "core/WindowPlacement.h"
#include "winkit/Bitmaps.h"
#include "winkit/BusyCursor.h"

#include <cmath>
#include <optional>

namespace quillet {

namespace {

constexpr wchar_t kFrameClass[] = L"QuilletPictureView";
constexpr int kTwips = core::kTwipsPerPixel;
constexpr int kBar = core::kPictureBarThickness / kTwips;

int ToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwips));
}

void ShowUnreadable(const std::wstring& path, PictureFailure failure) {
    if (failure == PictureFailure::TooLarge)
        ShowMessage(L"The picture in " + path + L" is too large to be edited.", L"inf");
    else
        ShowMessage(L"The file " + path + L" holds no picture that can be read.", L"inf");
}

} // namespace

// picPicture: takes the clipboard's picture on Ctrl+V and a double click, and gives other keys to the
// editor.
class PictureView::Box final : public PictureBox {
public:
    explicit Box(PictureView& view) : view_(view) {}

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case WM_LBUTTONDBLCLK:
            view_.PasteImage();
            return 0;
        case WM_LBUTTONDOWN:
            ::SetFocus(hwnd());
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS;
        case WM_KEYDOWN:
            if (wParam == 'V' && (::GetKeyState(VK_CONTROL) & 0x8000)) {
                view_.PasteImage();
                return 0;
            }
            if (view_.host_.keyDown && view_.host_.keyDown(wParam))
                return 0;
            break;
        }
        return PictureBox::HandleMessage(msg, wParam, lParam);
    }

private:
    PictureView& view_;
};

HBITMAP MakeBlankPicture() {
    constexpr int kW = 160, kH = 120;
    BITMAPINFO info = winkit::TopDown32BitInfo(kW, kH);
    void* bits = nullptr;
    winkit::ScopedGdiObject blank(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    winkit::ScopedMemoryDC dc(::CreateCompatibleDC(nullptr));
    if (!blank || !dc)
        return nullptr;
    winkit::SelectObjectGuard select(dc.get(), blank.get());
    RECT all{0, 0, kW, kH};
    winkit::ScopedGdiObject card(::CreateSolidBrush(RGB(240, 240, 240)));
    ::FillRect(dc.get(), &all, static_cast<HBRUSH>(card.get()));
    // A dashed frame with a mountain and a sun: the usual sign of a missing picture, in light grey.
    winkit::ScopedGdiObject pen(::CreatePen(PS_DOT, 1, RGB(176, 176, 176)));
    winkit::SelectObjectGuard usePen(dc.get(), pen.get());
    winkit::SelectObjectGuard noFill(dc.get(), ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc.get(), 8, 8, kW - 8, kH - 8);
    winkit::ScopedGdiObject shape(::CreateSolidBrush(RGB(208, 208, 208)));
    winkit::ScopedGdiObject solid(::CreatePen(PS_SOLID, 1, RGB(208, 208, 208)));
    winkit::SelectObjectGuard useSolid(dc.get(), solid.get());
    winkit::SelectObjectGuard fill(dc.get(), shape.get());
    const POINT hills[] = {{40, 86}, {66, 52}, {84, 72}, {96, 60}, {120, 86}};
    ::Polygon(dc.get(), hills, 5);
    ::Ellipse(dc.get(), 96, 30, 112, 46);
    return static_cast<HBITMAP>(blank.release());
}

PictureView::PictureView() : picPicture_(std::make_unique<Box>(*this)) {}

PictureBox& PictureView::picPicture() {
    return *picPicture_;
}

bool PictureView::HoldsPicture() const {
    return !blank_ && picPicture_->Picture();
}

PictureView::~PictureView() {
    progress_.reset();
    picPicture_.reset();
    Destroy();
}

bool PictureView::Create(HWND parent, int x, int y, int width, int height, Host host) {
    host_ = std::move(host);
    if (!winkit::RegisterWindowClass(kFrameClass))
        return false;
    if (!winkit::Window::Create(kFrameClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_STATICEDGE, x, y,
                                width, height, parent))
        return false;
    scrollHorz_ =
        ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | SBS_HORZ, 0, 0, 1, kBar, hwnd(), nullptr, nullptr, nullptr);
    scrollVert_ =
        ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | SBS_VERT, 0, 0, kBar, 1, hwnd(), nullptr, nullptr, nullptr);
    blox_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, kBar, kBar, hwnd(), nullptr, nullptr, nullptr);
    if (!scrollHorz_ || !scrollVert_ || !blox_ || !picPicture_->Create(hwnd(), 0, 0, 1, 1))
        return false;
    imgBlank_.reset(MakeBlankPicture());
    ShowBlank();
    TakeNewPicture();
    return true;
}

void PictureView::Move(int x, int y, int width, int height) {
    ::MoveWindow(hwnd(), x, y, width, height, TRUE);
    RefreshPicture();
}

std::wstring PictureView::SizeText() const {
    const auto w = static_cast<long>(picPicture_->PixelWidth()), h = static_cast<long>(picPicture_->PixelHeight());
    return L"Image size: " + std::to_wstring(w) + L"x" + std::to_wstring(h) + L" ";
}

HBITMAP PictureView::PictureCopy() const {
    if (!HoldsPicture())
        return nullptr;
    PictureFailure failure;
    return CopyPicture(picPicture_->Picture(), failure);
}

void PictureView::ShowPicture(HBITMAP picture, bool blank) {
    const SIZE size = PictureSize(picture);
    picPicture_->SetPixelSize(std::max<int>(size.cx, 1), std::max<int>(size.cy, 1));
    picPicture_->SetPicture(picture);
    picPicture_->Refresh();
    blank_ = blank;
    undoShown_ = false;
}

void PictureView::ShowBlank() {
    PictureFailure failure;
    ShowPicture(CopyPicture(static_cast<HBITMAP>(imgBlank_.get()), failure), true);
}

void PictureView::SetPicture(HBITMAP pictureOrNull) {
    picPicture_->OfferSpare(static_cast<HBITMAP>(imgUndo_.release()));
    PictureFailure failure;
    HBITMAP copy = pictureOrNull ? CopyPicture(pictureOrNull, failure) : nullptr;
    if (copy)
        ShowPicture(copy, false);
    else
        ShowBlank();
    TakeNewPicture();
}

void PictureView::TakeNewPicture() {
    PictureWidth = picPicture_->PixelWidth() * static_cast<double>(kTwips);
    PictureHeight = picPicture_->PixelHeight() * static_cast<double>(kTwips);
    RefreshPicture();
}

void PictureView::RefreshPicture() {
    if (host_.refreshStatus)
        host_.refreshStatus();
    RECT frame{};
    ::GetClientRect(hwnd(), &frame);
    const double frameW = frame.right * static_cast<double>(kTwips),
                 frameH = frame.bottom * static_cast<double>(kTwips);
    const core::PictureLayout layout = core::LayOutPicture(frameW, frameH, PictureWidth, PictureHeight);

    auto setUp = [](HWND bar, const core::PictureAxis& axis) {
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS | SIF_PAGE, 0, static_cast<int>(-axis.minimum), 0, 0, 0};
        ::SetScrollInfo(bar, SB_CTL, &info, TRUE);
        ::EnableWindow(bar, axis.scrolled);
        ::ShowWindow(bar, axis.scrolled ? SW_SHOWNA : SW_HIDE);
    };
    ::MoveWindow(scrollHorz_, 0, frame.bottom - kBar, ToPixels(static_cast<double>(layout.horz.barLength)), kBar, TRUE);
    ::MoveWindow(scrollVert_, frame.right - kBar, 0, kBar, ToPixels(static_cast<double>(layout.vert.barLength)), TRUE);
    ::MoveWindow(blox_, frame.right - kBar, frame.bottom - kBar, kBar, kBar, TRUE);
    setUp(scrollHorz_, layout.horz);
    setUp(scrollVert_, layout.vert);
    ::ShowWindow(blox_, layout.bloxShown ? SW_SHOWNA : SW_HIDE);
    horzSteps_ = layout.horz;
    vertSteps_ = layout.vert;
    ::SetWindowPos(picPicture_->hwnd(), HWND_BOTTOM, ToPixels(layout.horz.offset), ToPixels(layout.vert.offset), 0, 0,
                   SWP_NOSIZE | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void PictureView::Scrolled(HWND bar, int request) {
    const bool horz = bar == scrollHorz_;
    const core::PictureAxis& steps = horz ? horzSteps_ : vertSteps_;
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    ::GetScrollInfo(bar, SB_CTL, &info);
    int pos = info.nPos;
    switch (request) {
    case SB_LINELEFT:
        pos -= steps.smallStep;
        break;
    case SB_LINERIGHT:
        pos += steps.smallStep;
        break;
    case SB_PAGELEFT:
        pos -= steps.largeStep;
        break;
    case SB_PAGERIGHT:
        pos += steps.largeStep;
        break;
    case SB_LEFT:
        pos = info.nMin;
        break;
    case SB_RIGHT:
        pos = info.nMax;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        pos = info.nTrackPos;
        break;
    default:
        return;
    }
    pos = std::clamp(pos, info.nMin, info.nMax);
    info.fMask = SIF_POS;
    info.nPos = pos;
    ::SetScrollInfo(bar, SB_CTL, &info, TRUE);
    // The bar's value, negated, is the picture's edge in twips.
    RECT box{};
    ::GetWindowRect(picPicture_->hwnd(), &box);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&box), 2);
    const int edge = -ToPixels(pos);
    ::SetWindowPos(picPicture_->hwnd(), nullptr, horz ? edge : box.left, horz ? box.top : edge, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PictureView::KeepUndo() {
    // Every caller replaces the picture next, so the shown one moves to the undo instead of being copied;
    // the undo it replaces can still hold the next effect's result.
    picPicture_->OfferSpare(static_cast<HBITMAP>(imgUndo_.release()));
    imgUndo_.reset(picPicture_->ReleasePicture());
    undoBlank_ = blank_;
}

HBITMAP PictureView::CopyImage(HBITMAP picture) {
    PictureFailure failure;
    return CopyPicture(picture, failure);
}

void PictureView::PasteImage() {
    if (!::IsClipboardFormatAvailable(CF_BITMAP) && !::IsClipboardFormatAvailable(CF_DIB)) {
        if (MsgOnImgPaste)
            ShowMessage(L"Sorry, there isn't any picture at clipboard!\r\n\r\nIf you want to load picture from file, "
                        L"please, use Load button.\r\nDoubleclick in picture area and Paste button on toolbar "
                        L"triggers pasting image from clipboard.",
                        L"inf");
        return;
    }
    PictureFailure failure;
    HBITMAP pasted = ClipboardPicture(failure);
    if (!pasted) {
        if (failure == PictureFailure::TooLarge)
            ShowMessage(L"The picture on the clipboard is too large to be edited.", L"inf");
        return;
    }
    KeepUndo();
    ShowPicture(pasted, false);
    TakeNewPicture();
}

void PictureView::LoadPicture(const std::wstring& path) {
    KeepUndo();
    PictureFailure failure = PictureFailure::Unreadable;
    HBITMAP loaded = nullptr;
    if (IsPngName(path)) {
        // The codec draws into the box itself; a file it refuses goes on to the system loader.
        PictureBox scratch;
        if (scratch.Create(nullptr, 0, 0, 1, 1, false) && LoadPNG(path, scratch) && scratch.MakeImageThePicture())
            loaded = CopyPicture(scratch.Picture(), failure);
    }
    if (!loaded)
        loaded = LoadPictureWithSystem(path, failure);
    if (loaded) {
        ShowPicture(loaded, false);
    } else {
        // The box is left empty, as it was cleared for the picture; the undo brings the old one back.
        ShowPicture(nullptr, false);
        ShowUnreadable(path, failure);
    }
    TakeNewPicture();
}

void PictureView::SavePicture(const std::wstring& path) {
    if (IsPngName(path) && SavePNG(*picPicture_, path))
        return;
    SaveBitmapFile(picPicture_->Picture(), path);
}

void PictureView::Copy() {
    if (!blank_ && picPicture_->Picture())
        CopyPictureToClipboard(picPicture_->Picture());
}

void PictureView::Cut() {
    if (blank_ || !picPicture_->Picture())
        return;
    CopyPictureToClipboard(picPicture_->Picture());
    ShowBlank();
    TakeNewPicture();
}

void PictureView::Clear() {
    ShowBlank();
    TakeNewPicture();
}

void PictureView::Undo() {
    if (!imgUndo_ || undoShown_) {
        ShowMessage(L"There is nothing to undo!", L"inf");
        return;
    }
    const bool blank = undoBlank_;
    ShowPicture(CopyImage(static_cast<HBITMAP>(imgUndo_.get())), blank);
    undoShown_ = true;
    // The undone picture may differ in size from the one it replaces: its own size lays it out.
    TakeNewPicture();
}

void PictureView::ApplyEffect(const std::string& name) {
    using Entry = void (*)(PictureBox&, const EffectHost&);
    Entry entry = nullptr;
    static const struct {
        const char* name;
        Entry entry;
    } kEffects[] = {{"grayscale", EffectGrayscale},      {"invert", EffectInvert},   {"soften", EffectSoften},
                    {"sharpen", EffectSharpen},          {"diffuse", EffectDiffuse}, {"emboss", EffectEmboss},
                    {"solarize", EffectSolarize},        {"lighten", EffectLighten}, {"brightness", EffectBrightness},
                    {"colorbalance", EffectColorBalance}};
    for (const auto& effect : kEffects)
        if (name == effect.name)
            entry = effect.entry;

    // One progress window serves every effect: creating a window costs more than a fast effect. Made now,
    // so the effect has its bar; placed, labelled and shown only when the effect runs past the delay.
    if (!progress_)
        progress_ = std::make_unique<frmProgress>();
    frmProgress& progress = *progress_;
    // A short effect shows nothing but its result: the wait, the hourglass, the progress window and the
    // disabled editor come once it has run for the delay. Until then the effect holds the thread, so input
    // waits in the queue as it would for a disabled editor, and the two window state changes are spared.
    std::optional<winkit::BusyCursor> busy;
    bool disabled = false;
    KeepUndo();
    if (entry) {
        EffectHost host = effectHost_;
        if (progress.Make(host_.editor))
            host.progressBar = progress.bar();
        host.progressShown = [&, start = now_()] {
            if (busy)
                return ::IsWindowVisible(progress.hwnd()) != FALSE;
            if (now_() - start < progressDelay_)
                return false;
            busy.emplace();
            if (host_.editor)
                disabled = !::EnableWindow(host_.editor, FALSE);
            if (host_.setPanel3)
                host_.setPanel3(L"Please wait...");
            const bool shown = progress.Prepare(host_.editor, L"Processing image effect (" +
                                                                  std::wstring(name.begin(), name.end()) + L")") &&
                               progress.Show();
            // The editor shows its wait too before the thread is held again.
            if (host_.editor)
                ::RedrawWindow(host_.editor, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            return shown;
        };
        entry(*picPicture_, host);
        blank_ = false;
        undoShown_ = false;
    } else {
        picPicture_->MakeImageThePicture();
    }
    if (disabled)
        ::EnableWindow(host_.editor, TRUE);
    if (busy)
        progress.Hide();
    if (host_.setPanel3)
        host_.setPanel3(L"Done");
}

LRESULT PictureView::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam)
            Scrolled(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
        return 0;
    case WM_SIZE:
        if (picPicture_ && picPicture_->hwnd())
            RefreshPicture();
        break;
    }
    return winkit::Window::HandleMessage(msg, wParam, lParam);
}

} // namespace quillet
