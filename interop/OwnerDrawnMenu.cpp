#include "interop/OwnerDrawnMenu.h"

#include "interop/ClientObjects.h"
#include "interop/Module.h"
#include "winkit/Bitmaps.h"

#include <cwchar>
#include <vector>

namespace syslinkage {
namespace {

constexpr UINT kMeasureFlags = DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE;
constexpr DWORD kSideBarCaption = DC_ACTIVE | DC_SMALLCAP | DC_TEXT | DC_GRADIENT;
// Keeps the destination where the source is white and paints the brush where it is black.
constexpr DWORD kEmbossRop = 0xB8074A;
constexpr int kSystemCheckBitmap = 32760; // OBM_CHECK
constexpr int kPicture = 16;
constexpr int kCheck = 13;

RECT ToRect(const core::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    winkit::ScopedGdiObject brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &r, static_cast<HBRUSH>(brush.get()));
}

COLORREF Sys(core::SysColour c) { return ::GetSysColor(static_cast<int>(c)); }

int MeasuredTextWidth(HDC dc, const std::wstring& text) {
    RECT r{};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, kMeasureFlags);
    return r.right - r.left;
}

// The symbol font's check mark ("a") and submenu arrow ("4") drawn as shapes of the same size, centred.
void DrawGlyphShape(HDC dc, const RECT& r, wchar_t glyph, COLORREF colour) {
    const int cx = (r.left + r.right) / 2;
    const int cy = (r.top + r.bottom) / 2;
    winkit::ScopedGdiObject pen(::CreatePen(PS_SOLID, 1, colour));
    winkit::ScopedGdiObject brush(::CreateSolidBrush(colour));
    winkit::SelectObjectGuard selectPen(dc, pen.get());
    winkit::SelectObjectGuard selectBrush(dc, brush.get());
    if (glyph == L'4') {
        const POINT arrow[3] = {{cx - 2, cy - 4}, {cx + 2, cy}, {cx - 2, cy + 4}};
        ::Polygon(dc, arrow, 3);
        return;
    }
    // A check mark three pixels thick: down from the left, then up to the right.
    for (int d = 0; d < 3; ++d) {
        const POINT mark[3] = {{cx - 4, cy - 2 + d}, {cx - 2, cy + d}, {cx + 3, cy - 5 + d}};
        ::Polyline(dc, mark, 3);
    }
}

} // namespace

HWND OwnerDrawnMenu::FormWindowOfItem() const {
    const winkit::ComPtr<IDispatch> form = ItemParent(MenuControl.get());
    return FormWindow(form.get());
}

void OwnerDrawnMenu::Measure(MEASUREITEMSTRUCT& item) {
    const std::wstring text = ItemCaption(MenuControl.get()) + ShortcutText;
    const winkit::ComPtr<IDispatch> form = ItemParent(MenuControl.get());
    const HWND window = FormWindow(form.get());
    int width = 0;
    if (IsMdiForm(form.get())) {
        winkit::WindowDC dc(window);
        width = MeasuredTextWidth(dc.get(), text);
    } else if (HDC formDc = FormDC(form.get())) {
        width = MeasuredTextWidth(formDc, text);
    } else {
        // A form without a context of its own: its window's, with the font the system draws menus in.
        winkit::WindowDC dc(window);
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        winkit::ScopedGdiObject font;
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
            font.reset(::CreateFontIndirectW(&metrics.lfMenuFont));
        winkit::SelectObjectGuard select(dc.get(), font ? font.get() : ::GetStockObject(DEFAULT_GUI_FONT));
        width = MeasuredTextWidth(dc.get(), text);
    }
    const core::ItemSize size = core::MeasureItem(width, IsSideBar);
    item.itemWidth = static_cast<UINT>(size.width);
    item.itemHeight = static_cast<UINT>(size.height);
}

core::MenuItemState OwnerDrawnMenu::StateOf(const DRAWITEMSTRUCT& item) const {
    const core::DrawFlags flags = core::FlagsFromDrawItem(item.itemAction, item.itemState);
    core::MenuItemState state;
    state.rc = {item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
    state.selected = flags.selected;
    // The client's own item decides the check box; a client whose item has no readable Checked state
    // leaves it to the system's item state.
    const std::optional<bool> checked = ItemChecked(MenuControl.get());
    state.checked = checked ? *checked : flags.checked;
    state.picture = static_cast<bool>(PictureHandle);
    state.drawEntire = flags.drawEntire;
    state.separator = IsSeparator;
    state.sideBar = IsSideBar;
    state.hasSubMenu = HasSubMenu;
    state.hasShortcut = !ShortcutText.empty();
    return state;
}

void OwnerDrawnMenu::DrawEnabled(const DRAWITEMSTRUCT& item) { Execute(item, core::PlanEnabled(StateOf(item))); }

void OwnerDrawnMenu::DrawDisabled(const DRAWITEMSTRUCT& item, bool enableDisabledMenuSelection) {
    core::MenuItemState state = StateOf(item);
    state.enableDisabledMenuSelection = enableDisabledMenuSelection;
    Execute(item, core::PlanDisabled(state));
}

void OwnerDrawnMenu::Execute(const DRAWITEMSTRUCT& item, const std::vector<core::DrawStep>& plan) {
    const HDC dc = item.hDC;
    for (const core::DrawStep& step : plan) {
        RECT r = ToRect(step.rect);
        switch (step.kind) {
        case core::StepKind::Fill:
            FillSolid(dc, r, Sys(step.colour));
            break;
        case core::StepKind::CheckBox: {
            // The colours stay set on the context: later steps of the same item rely on them.
            ::SetBkColor(dc, Sys(core::SysColour::Menu));
            ::SetTextColor(dc, Sys(step.colour));
            {
                winkit::SelectObjectGuard select(dc, CheckBrush());
                ::PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, PATCOPY);
            }
            ::DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
            break;
        }
        case core::StepKind::RaisedFrame:
            FillSolid(dc, r, Sys(step.colour));
            ::DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
            break;
        case core::StepKind::Picture:
            DrawPicture(dc, r.left, r.top);
            break;
        case core::StepKind::Glyph: {
            ::SetBkMode(dc, TRANSPARENT);
            ::SetTextColor(dc, Sys(step.colour));
            winkit::SelectObjectGuard select(dc, SymbolFont());
            wchar_t face[LF_FACESIZE] = {};
            ::GetTextFaceW(dc, LF_FACESIZE, face);
            if (_wcsicmp(face, L"Marlett") == 0)
                ::DrawTextW(dc, &step.glyph, 1, &r, step.textFlags);
            else
                DrawGlyphShape(dc, r, step.glyph, Sys(step.colour)); // a system without the symbol font
            break;
        }
        case core::StepKind::Text: {
            ::SetBkMode(dc, TRANSPARENT);
            ::SetTextColor(dc, Sys(step.colour));
            const std::wstring text = step.shortcut ? ShortcutText : ItemCaption(MenuControl.get());
            ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, step.textFlags);
            break;
        }
        case core::StepKind::DisabledPicture:
            DrawDisabledPicture(dc, r.left, r.top);
            break;
        case core::StepKind::DisabledCheck: {
            ::SetBkMode(dc, TRANSPARENT);
            // Shared system bitmap: never deleted.
            const HANDLE check = ::LoadImageW(nullptr, MAKEINTRESOURCEW(kSystemCheckBitmap), IMAGE_BITMAP, kCheck,
                                              kCheck, LR_SHARED | LR_MONOCHROME);
            ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(check), 0, r.left, r.top, kCheck, kCheck,
                         DST_BITMAP | DSS_DISABLED);
            break;
        }
        case core::StepKind::ExcludeClip:
            ::ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
            break;
        case core::StepKind::EtchedLine:
            ::DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP);
            break;
        case core::StepKind::Label: {
            winkit::SelectObjectGuard select(dc, LabelFont());
            if (step.opaque) {
                // The blank behind the title's letters is the menu's own colour, whatever the system
                // left as the context's background.
                ::SetBkMode(dc, OPAQUE);
                ::SetBkColor(dc, Sys(core::SysColour::Menu));
            } else {
                ::SetBkMode(dc, TRANSPARENT);
            }
            ::SetTextColor(dc, Sys(step.colour));
            ::DrawTextW(dc, CaptionText.c_str(), static_cast<int>(CaptionText.size()), &r, step.textFlags);
            break;
        }
        case core::StepKind::SideBar:
            DrawSideBar(item);
            break;
        }
    }
}

void OwnerDrawnMenu::DrawPicture(HDC dc, int x, int y) {
    if (!PictureHandle)
        return;
    if (!PictureHandle.isBitmap) {
        ::DrawIconEx(dc, x, y, static_cast<HICON>(PictureHandle.handle), kPicture, kPicture, 0, nullptr, DI_NORMAL);
        return;
    }
    // A bitmap has no mask: the colour of its top-left pixel, as image lists use it, is its transparent colour.
    const auto bitmap = static_cast<HBITMAP>(PictureHandle.handle);
    BITMAP info{};
    if (!::GetObjectW(bitmap, sizeof(info), &info))
        return;
    winkit::ScopedMemoryDC source(::CreateCompatibleDC(dc));
    winkit::SelectObjectGuard select(source.get(), bitmap);
    const COLORREF transparent = ::GetPixel(source.get(), 0, 0);
    ::TransparentBlt(dc, x, y, kPicture, kPicture, source.get(), 0, 0, info.bmWidth, info.bmHeight, transparent);
}

void OwnerDrawnMenu::DrawDisabledPicture(HDC dc, int left, int top) {
    // The picture on white, turned into a black-and-white mask: every pixel that is not white is embossed,
    // whatever its colour.
    winkit::ScopedMemoryDC colourDc(::CreateCompatibleDC(dc));
    winkit::ScopedGdiObject colour(::CreateCompatibleBitmap(dc, kPicture, kPicture));
    winkit::ScopedMemoryDC maskDc(::CreateCompatibleDC(dc));
    winkit::ScopedGdiObject mask(::CreateBitmap(kPicture, kPicture, 1, 1, nullptr));
    if (!colourDc || !colour || !maskDc || !mask)
        return;
    {
        winkit::SelectObjectGuard selectColour(colourDc.get(), colour.get());
        ::PatBlt(colourDc.get(), 0, 0, kPicture, kPicture, WHITENESS);
        DrawPicture(colourDc.get(), 0, 0);
        winkit::SelectObjectGuard selectMask(maskDc.get(), mask.get());
        ::SetBkColor(colourDc.get(), RGB(255, 255, 255));
        ::BitBlt(maskDc.get(), 0, 0, kPicture, kPicture, colourDc.get(), 0, 0, SRCCOPY);
    }
    winkit::SelectObjectGuard selectMask(maskDc.get(), mask.get());
    const COLORREF oldBack = ::SetBkColor(dc, RGB(255, 255, 255));
    const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
    {
        winkit::ScopedGdiObject light(::CreateSolidBrush(Sys(core::SysColour::HighlightText)));
        winkit::SelectObjectGuard select(dc, light.get());
        ::BitBlt(dc, left + 2, top + 2, kPicture, kPicture, maskDc.get(), 0, 0, kEmbossRop);
    }
    {
        winkit::ScopedGdiObject shadow(::CreateSolidBrush(Sys(core::SysColour::ButtonShadow)));
        winkit::SelectObjectGuard select(dc, shadow.get());
        ::BitBlt(dc, left + 1, top + 1, kPicture, kPicture, maskDc.get(), 0, 0, kEmbossRop);
    }
    ::SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBack);
}

void OwnerDrawnMenu::DrawSideBar(const DRAWITEMSTRUCT& item) {
    const auto popup = reinterpret_cast<HMENU>(item.hwndItem);
    const HWND window = FormWindowOfItem();
    const int count = ::GetMenuItemCount(popup);
    int summed = 0;
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (::GetMenuItemRect(window, popup, static_cast<UINT>(i), &r))
            summed += r.bottom - r.top;
    }
    const core::SideBarGeometry bar = core::SideBarLayout(
        {item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom}, summed);
    FillSolid(item.hDC, ToRect(bar.background), Sys(core::SysColour::Menu));
    const int length = bar.barLength;
    const int height = bar.barHeight;
    if (length <= 0 || height <= 0)
        return;

    if (!stripForm_)
        stripForm_.reset(::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_CAPTION, 0, 0, 0, 0,
                                           nullptr, nullptr, ModuleHandle(), nullptr));
    if (!stripForm_)
        return;
    const std::wstring caption = ItemCaption(MenuControl.get());
    ::SetWindowTextW(stripForm_.get(), caption.c_str());

    // The caption bar is painted lying, (length + 1) x (height + 1) pixels read back, and each pixel (x, y)
    // set at (y, length - x): upright, its text reading from the bottom up.
    const int sourceWidth = length + 1;
    const int sourceHeight = height + 1;
    BITMAPINFO sourceInfo = winkit::TopDown32BitInfo(sourceWidth, sourceHeight);
    void* bits = nullptr;
    winkit::ScopedGdiObject surface(::CreateDIBSection(item.hDC, &sourceInfo, DIB_RGB_COLORS, &bits, nullptr, 0));
    winkit::ScopedMemoryDC surfaceDc(::CreateCompatibleDC(item.hDC));
    if (!surface || !surfaceDc || !bits)
        return;
    {
        winkit::SelectObjectGuard select(surfaceDc.get(), surface.get());
        const RECT all{0, 0, sourceWidth, sourceHeight};
        FillSolid(surfaceDc.get(), all, Sys(core::SysColour::Menu));
        const RECT captionBar{0, 0, length, height};
        ::DrawCaption(stripForm_.get(), surfaceDc.get(), &captionBar, kSideBarCaption);
        ::GdiFlush();
    }
    const auto* source = static_cast<const DWORD*>(bits);
    std::vector<DWORD> upright(static_cast<size_t>(sourceWidth) * sourceHeight);
    for (int x = 0; x <= length; ++x)
        for (int y = 0; y <= height; ++y) {
            int tx = 0, ty = 0;
            core::RotatedPixel(x, y, length, tx, ty);
            upright[static_cast<size_t>(ty) * sourceHeight + tx] = source[static_cast<size_t>(y) * sourceWidth + x];
        }
    BITMAPINFO targetInfo = winkit::TopDown32BitInfo(sourceHeight, sourceWidth);
    ::SetDIBitsToDevice(item.hDC, item.rcItem.left, item.rcItem.top, static_cast<DWORD>(sourceHeight),
                        static_cast<DWORD>(sourceWidth), 0, 0, 0, static_cast<UINT>(sourceWidth), upright.data(),
                        &targetInfo, DIB_RGB_COLORS);
}

HFONT OwnerDrawnMenu::SymbolFont() {
    if (!symbolFont_)
        symbolFont_.reset(::CreateFontW(13, 0, 0, 0, 236, FALSE, FALSE, FALSE, SYMBOL_CHARSET, OUT_DEFAULT_PRECIS,
                                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Marlett"));
    return static_cast<HFONT>(symbolFont_.get());
}

HFONT OwnerDrawnMenu::LabelFont() {
    if (!labelFont_)
        labelFont_.reset(::CreateFontW(11, 0, 0, 0, 500, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Small Fonts"));
    return static_cast<HFONT>(labelFont_.get());
}

HBRUSH OwnerDrawnMenu::CheckBrush() {
    if (!checkBrush_) {
        // Eight rows of 10101010 (each row a 16-bit word): one-pixel vertical stripes.
        const DWORD pattern[4] = {0x00AA00AA, 0x00AA00AA, 0x00AA00AA, 0x00AA00AA};
        winkit::ScopedGdiObject bitmap(::CreateBitmap(8, 8, 1, 1, pattern));
        if (bitmap)
            checkBrush_.reset(::CreatePatternBrush(static_cast<HBITMAP>(bitmap.get())));
    }
    return static_cast<HBRUSH>(checkBrush_.get());
}

} // namespace syslinkage
