// The clip editor's controls: both toolbars with their captions, tooltips and glyphs, the font boxes, the
// three editing surfaces, the custom-name options and the status bar.
#include "app/editor/RichTextBox.h"
#include "app/editor/frmConfPasteBox.h"
#include "app/menu/frmMain.h"

#include <commctrl.h>

#include <array>
#include <optional>

namespace quillet {
namespace {

// Which glyph a toolbar2 button shows: a standard image or one drawn here.
enum Glyph : int {
    gOpen,
    gSave,
    gUndo,
    gCut,
    gCopy,
    gPaste, // standard images, loaded first
    gBold,
    gItalic,
    gUnderline,
    gBullet,
    gColour,
    gFont,
    gLeft,
    gCenter,
    gRight,
    gGray,
    gInvert,
    gSoften,
    gSharpen,
    gDiffuse,
    gEmboss,
    gSolarize,
    gLighten,
    gBalance,
    gBrightness,
    gNone = -1,
};
constexpr int kDrawnGlyphs = gBrightness - gBold + 1;
constexpr int kGlyph = 16;
constexpr int kTwips = 15;

struct Button2 {
    const wchar_t* tooltip; // nullptr: a separator
    BYTE style;
    int glyph;
};

const std::array<Button2, 33> kToolbar2{{
    {L"Load from file", BTNS_BUTTON, gOpen},
    {L"Save to file", BTNS_BUTTON, gSave},
    {nullptr, BTNS_SEP, gNone},
    {L"", BTNS_BUTTON, gUndo}, // Undo has no tooltip
    {nullptr, BTNS_SEP, gNone},
    {L"Bold", BTNS_CHECK, gBold},
    {L"Italic", BTNS_CHECK, gItalic},
    {L"Underline", BTNS_CHECK, gUnderline},
    {L"Bullet", BTNS_CHECK, gBullet},
    {nullptr, BTNS_SEP, gNone},
    {L"Change font color", BTNS_BUTTON, gColour},
    {L"Select font", BTNS_BUTTON, gFont},
    {nullptr, BTNS_SEP, gNone},
    {L"Left alignment", BTNS_CHECKGROUP, gLeft},
    {L"Center alignment", BTNS_CHECKGROUP, gCenter},
    {L"Right alignment", BTNS_CHECKGROUP, gRight},
    {nullptr, BTNS_SEP, gNone},
    {L"Cut", BTNS_BUTTON, gCut},
    {L"Copy", BTNS_BUTTON, gCopy},
    {L"Paste", BTNS_BUTTON, gPaste},
    {nullptr, BTNS_SEP, gNone},
    {L"Grayscale", BTNS_BUTTON, gGray},
    {L"Invert colors", BTNS_BUTTON, gInvert},
    {L"Soften", BTNS_BUTTON, gSoften},
    {L"Sharpen", BTNS_BUTTON, gSharpen},
    {L"Diffuse", BTNS_BUTTON, gDiffuse},
    {L"Emboss", BTNS_BUTTON, gEmboss},
    {L"Solarize", BTNS_BUTTON, gSolarize},
    {L"Lighten", BTNS_BUTTON, gLighten},
    {nullptr, BTNS_SEP, gNone},
    {L"Balance colors", BTNS_BUTTON, gBalance},
    {L"Brightness", BTNS_BUTTON, gBrightness},
    {nullptr, BTNS_SEP, gNone},
}};

struct Button1 {
    const wchar_t* caption; // nullptr: a separator
    const wchar_t* tooltip;
    BYTE style;
};
const std::array<Button1, 8> kToolbar{{
    {L"OK", L"Save changes and close", BTNS_BUTTON},
    {L"Cancel", L"Discard changes, close", BTNS_BUTTON},
    {nullptr, nullptr, BTNS_SEP},
    {L"Clear", L"Clear text/picture", BTNS_BUTTON},
    {nullptr, nullptr, BTNS_SEP},
    {L"Plain Text", nullptr, BTNS_CHECKGROUP},
    {L"RTF", nullptr, BTNS_CHECKGROUP},
    {L"Image", nullptr, BTNS_CHECKGROUP},
}};

// A control made where it stays: every later move is one more round trip to the server under Wine.
HWND Add(HWND parent, DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int id, const RECT& at) {
    HWND control = ::CreateWindowExW(exStyle, cls, text, WS_CHILD | style, at.left, at.top, at.right - at.left,
                                     at.bottom - at.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

// One 16 x 16 cell of the drawn glyph strip.
void DrawGlyph(HDC dc, int glyph, int x) {
    const RECT cell{x, 0, x + kGlyph, kGlyph};
    const auto bar = [&](int left, int top, int right, int bottom, COLORREF colour) {
        winkit::ScopedGdiObject brush(::CreateSolidBrush(colour));
        const RECT r{x + left, top, x + right, bottom};
        ::FillRect(dc, &r, static_cast<HBRUSH>(brush.get()));
    };
    const auto letter = [&](const wchar_t* text, int weight, bool italic, bool underline, COLORREF colour) {
        winkit::ScopedGdiObject font(::CreateFontW(-13, 0, 0, 0, weight, italic, underline, FALSE, DEFAULT_CHARSET, 0,
                                                   0, NONANTIALIASED_QUALITY, 0, L"Times New Roman"));
        winkit::SelectObjectGuard selected(dc, font.get());
        ::SetTextColor(dc, colour);
        RECT r = cell;
        ::DrawTextW(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    };
    const COLORREF ink = RGB(0, 0, 0);
    switch (glyph) {
    case gBold:
        letter(L"B", FW_BOLD, false, false, ink);
        break;
    case gItalic:
        letter(L"I", FW_BOLD, true, false, ink);
        break;
    case gUnderline:
        letter(L"U", FW_NORMAL, false, true, ink);
        break;
    case gBullet:
        for (int row = 0; row < 3; ++row) {
            bar(2, 3 + row * 4, 4, 5 + row * 4, ink);
            bar(6, 3 + row * 4, 14, 4 + row * 4, RGB(0, 0, 128));
        }
        break;
    case gColour:
        letter(L"A", FW_BOLD, false, false, ink);
        bar(2, 13, 14, 16, RGB(220, 0, 0));
        break;
    case gFont:
        letter(L"F", FW_NORMAL, true, false, RGB(0, 0, 128));
        break;
    case gLeft:
    case gCenter:
    case gRight:
        for (int row = 0; row < 4; ++row) {
            const int width = row % 2 ? 8 : 12;
            const int left = glyph == gLeft ? 2 : glyph == gRight ? 14 - width : 8 - width / 2;
            bar(left, 3 + row * 3, left + width, 4 + row * 3, ink);
        }
        break;
    default: {
        // The picture effects: a small swatch and the effect's initial.
        static const wchar_t* initials[] = {L"G", L"N", L"S", L"H", L"D", L"E", L"O", L"L", L"C", L"R"};
        const int k = glyph - gGray;
        bar(1, 1, 15, 15, RGB(0, 0, 128));
        bar(2, 2, 14, 14, RGB(210, 225, 245));
        letter(initials[k], FW_BOLD, false, false, RGB(0, 0, 128));
        break;
    }
    }
}

HBITMAP MakeGlyphStrip() {
    winkit::WindowDC screen(nullptr);
    winkit::ScopedMemoryDC memory(::CreateCompatibleDC(screen.get()));
    const HDC dc = memory.get();
    HBITMAP strip = ::CreateCompatibleBitmap(screen.get(), kGlyph * kDrawnGlyphs, kGlyph);
    winkit::SelectObjectGuard selected(dc, strip);
    // Light grey is the toolbar's transparent colour for added bitmaps.
    winkit::ScopedGdiObject back(::CreateSolidBrush(RGB(192, 192, 192)));
    const RECT all{0, 0, kGlyph * kDrawnGlyphs, kGlyph};
    ::FillRect(dc, &all, static_cast<HBRUSH>(back.get()));
    ::SetBkMode(dc, TRANSPARENT);
    for (int g = gBold; g <= gBrightness; ++g)
        DrawGlyph(dc, g, (g - gBold) * kGlyph);
    return strip;
}

// Drawn once for the program's run: every opening of the editor shows the same glyphs.
HBITMAP GlyphStrip() {
    static const winkit::ScopedGdiObject strip(MakeGlyphStrip());
    return static_cast<HBITMAP>(strip.get());
}

} // namespace

const wchar_t* ToolbarTooltip(int id) {
    if (id > frmConfPasteBox::kToolbarButton && id <= frmConfPasteBox::kToolbarButton + 8)
        return kToolbar[static_cast<std::size_t>(id - frmConfPasteBox::kToolbarButton - 1)].tooltip;
    if (id > frmConfPasteBox::kToolbar2Button && id <= frmConfPasteBox::kToolbar2Button + 33)
        return kToolbar2[static_cast<std::size_t>(id - frmConfPasteBox::kToolbar2Button - 1)].tooltip;
    return nullptr;
}

void frmConfPasteBox::CreateToolbars(const ControlPlaces& places) {
    const HWND w = hwnd();
    const DWORD common = WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE |
                         CCS_NOPARENTALIGN;
    HWND top = Add(w, 0, TOOLBARCLASSNAMEW, L"", common | TBSTYLE_LIST, idToolbar, places.toolbar);
    ::SendMessageW(top, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(top, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
    ::SendMessageW(top, TB_SETIMAGELIST, 0, 0);
    // Each bar's buttons go in with one message: the bar measures and lays out all its buttons again for
    // every message that adds some.
    std::array<TBBUTTON, kToolbar.size()> topButtons{};
    for (std::size_t i = 0; i < kToolbar.size(); ++i) {
        TBBUTTON& b = topButtons[i];
        b.iBitmap = kToolbar[i].caption ? I_IMAGENONE : 6;
        b.idCommand = kToolbarButton + static_cast<int>(i) + 1;
        b.fsState = TBSTATE_ENABLED;
        b.fsStyle = static_cast<BYTE>(kToolbar[i].style | (kToolbar[i].caption ? BTNS_AUTOSIZE | BTNS_SHOWTEXT : 0));
        b.iString = reinterpret_cast<INT_PTR>(kToolbar[i].caption ? kToolbar[i].caption : L"");
    }
    ::SendMessageW(top, TB_ADDBUTTONSW, topButtons.size(), reinterpret_cast<LPARAM>(topButtons.data()));

    HWND format = Add(w, 0, TOOLBARCLASSNAMEW, L"", common, idToolbar2, places.toolbar2);
    ::SendMessageW(format, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(format, TB_SETBITMAPSIZE, 0, MAKELONG(kGlyph, kGlyph));
    ::SendMessageW(format, TB_SETBUTTONSIZE, 0, MAKELONG(22, 22));
    TBADDBITMAP standard{HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
    const int std0 = static_cast<int>(::SendMessageW(format, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&standard)));
    TBADDBITMAP drawn{nullptr, reinterpret_cast<UINT_PTR>(GlyphStrip())};
    const int drawn0 =
        static_cast<int>(::SendMessageW(format, TB_ADDBITMAP, kDrawnGlyphs, reinterpret_cast<LPARAM>(&drawn)));
    const int standardIndex[] = {STD_FILEOPEN, STD_FILESAVE, STD_UNDO, STD_CUT, STD_COPY, STD_PASTE};
    std::array<TBBUTTON, kToolbar2.size()> formatButtons{};
    for (std::size_t i = 0; i < kToolbar2.size(); ++i) {
        const Button2& button = kToolbar2[i];
        TBBUTTON& b = formatButtons[i];
        if (button.glyph == gNone)
            b.iBitmap = 6;
        else if (button.glyph < gBold)
            b.iBitmap = std0 + standardIndex[button.glyph];
        else
            b.iBitmap = drawn0 + button.glyph - gBold;
        b.idCommand = kToolbar2Button + static_cast<int>(i) + 1;
        // Made with the opening mode's buttons only: each later hiding lays the bar out again.
        const std::optional<bool> shown = core::Toolbar2ButtonShown(currentFormat_, static_cast<int>(i) + 1);
        b.fsState = static_cast<BYTE>(TBSTATE_ENABLED | (shown && !*shown ? TBSTATE_HIDDEN : 0));
        b.fsStyle = button.style;
    }
    ::SendMessageW(format, TB_ADDBUTTONSW, formatButtons.size(), reinterpret_cast<LPARAM>(formatButtons.data()));
    PressButton(idToolbar2, 14, true);
}

void frmConfPasteBox::CreateControls() {
    const HWND w = hwnd();
    // The window takes its minimum size first; its WM_SIZE finds no controls yet.
    RECT window{};
    ::GetWindowRect(w, &window);
    const core::EditorLayout layout = LayoutFor(currentFormat_);
    const int width = static_cast<int>(layout.windowWidth / kTwips);
    const int height = static_cast<int>(layout.windowHeight / kTwips);
    if (width != window.right - window.left || height != window.bottom - window.top)
        ::SetWindowPos(w, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    ::GetClientRect(w, &client);
    const ControlPlaces places = PlacesFor(LayoutFor(currentFormat_), client.right);
    // Each mode's surface where RepaintForm puts it in that mode; only the opening mode's is shown.
    const auto boxOf = [&](const wchar_t* mode) { return PlacesFor(LayoutFor(mode), client.right).box; };
    const auto shownIn = [this](const wchar_t* mode) { return currentFormat_ == mode ? WS_VISIBLE : 0; };
    const bool text = currentFormat_ != L"img";

    CreateToolbars(places);
    int fontLeft = 0, sizeLeft = 0;
    FontBoxLefts(text ? currentFormat_ : L"rtf", fontLeft, sizeLeft);
    const auto fontBox = [](int left, int width) {
        return RECT{left, kFontBoxTop, left + width, kFontBoxTop + kFontBoxDropHeight};
    };
    const DWORD fontBoxesShown = text ? WS_VISIBLE : 0;
    const HWND font = Add(w, WS_EX_CLIENTEDGE, L"COMBOBOX", L"",
                          fontBoxesShown | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_SORT,
                          idCmbFont, fontBox(fontLeft, kFontBoxWidth));
    const HWND size = Add(w, 0, L"COMBOBOX", L"", fontBoxesShown | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, idCmbSize,
                          fontBox(sizeLeft, kSizeBoxWidth));
    for (const wchar_t* entry : {L"9", L"11", L"12", L"14", L"16", L"24", L"32", L"64"})
        ::SendMessageW(size, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    ::SetWindowTextW(size, L"9");
    ::SetWindowTextW(font, L"Fixedsys");
    // The boxes lie on toolbar2's row, above it.
    for (HWND box : {font, size})
        ::SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    Add(w, WS_EX_CLIENTEDGE, L"EDIT", L"",
        shownIn(L"txt") | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL,
        idTxtClipTXT, boxOf(L"txt"));
    ::SendMessageW(control(idTxtClipTXT), EM_SETLIMITTEXT, 0, 0); // no limit of its own
    const HWND rich = Add(w, WS_EX_CLIENTEDGE, RichEditClassName(), L"",
                          shownIn(L"rtf") | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
                              ES_NOHIDESEL | ES_SAVESEL,
                          idTxtClipRTF, boxOf(L"rtf"));
    ::SendMessageW(rich, EM_EXLIMITTEXT, 0, kRichTextLimit);
    ::SendMessageW(rich, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
    Add(w, 0, L"EDIT", L"", 0, idTxtDefaultFont, RECT{0, 0, 10, 10});
    Add(w, WS_EX_CONTROLPARENT, L"QuilletPictureFrame", L"", shownIn(L"img") | WS_CLIPCHILDREN, idFraImg,
        boxOf(L"img"));

    Add(w, 0, L"BUTTON", L"&Display Custom Name", WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON | WS_GROUP, idOptCusName,
        places.optCusName);
    Add(w, WS_EX_CLIENTEDGE, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, idTxtCustomName, places.txtCustomName);
    Add(w, 0, L"BUTTON", L"Display whole text (up to 100 chars) or first 16 chars",
        (text ? WS_VISIBLE : 0) | BS_AUTORADIOBUTTON, idOptNonCusName, places.optNonCusName);
    ::SendMessageW(control(idOptNonCusName), BM_SETCHECK, BST_CHECKED, 0);

    const HWND bar = Add(w, 0, STATUSCLASSNAMEW, L"", WS_VISIBLE | SBARS_SIZEGRIP, idSBar, RECT{0, 0, 10, 10});
    const int parts[] = {210, 350, 470, -1};
    ::SendMessageW(bar, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(parts));
    SetPanel(1, L"F1 OK; F2 Cancel; F3 Clear; F4 Load");
}

} // namespace quillet
