#include "app/projects/QuilletPictures.h"

#include "winkit/Scoped.h"

#include <string>

namespace quillet {
namespace {

constexpr COLORREF kMaskColour = RGB(255, 0, 255);
constexpr COLORREF kInk = RGB(60, 60, 70);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kFolder = RGB(230, 190, 80);
constexpr COLORREF kDisk = RGB(60, 100, 170);
constexpr COLORREF kRed = RGB(200, 50, 50);
constexpr COLORREF kGreen = RGB(40, 150, 70);
constexpr COLORREF kBlue = RGB(40, 110, 200);
constexpr COLORREF kGold = RGB(235, 180, 30);

void Fill(HDC dc, int l, int t, int r, int b, COLORREF c) {
    RECT rc{l, t, r, b};
    winkit::ScopedGdiObject brush(::CreateSolidBrush(c));
    ::FillRect(dc, &rc, static_cast<HBRUSH>(brush.get()));
}

void Frame(HDC dc, int l, int t, int r, int b, COLORREF c) {
    RECT rc{l, t, r, b};
    winkit::ScopedGdiObject brush(::CreateSolidBrush(c));
    ::FrameRect(dc, &rc, static_cast<HBRUSH>(brush.get()));
}

void Box(HDC dc, int l, int t, int r, int b, COLORREF fill, COLORREF edge) {
    Fill(dc, l, t, r, b, fill);
    Frame(dc, l, t, r, b, edge);
}

void Polygon(HDC dc, const POINT* points, int count, COLORREF fill, COLORREF edge) {
    winkit::ScopedGdiObject brush(::CreateSolidBrush(fill));
    winkit::ScopedGdiObject pen(::CreatePen(PS_SOLID, 1, edge));
    winkit::SelectObjectGuard b(dc, brush.get());
    winkit::SelectObjectGuard p(dc, pen.get());
    ::Polygon(dc, points, count);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF c, int width = 1) {
    winkit::ScopedGdiObject pen(::CreatePen(PS_SOLID, width, c));
    winkit::SelectObjectGuard p(dc, pen.get());
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

// A page with a folded corner, the base of the project pictures.
void Page(HDC dc, int x, int y) {
    const POINT page[] = {{x + 3, y + 1}, {x + 10, y + 1}, {x + 13, y + 4}, {x + 13, y + 15}, {x + 3, y + 15}};
    Polygon(dc, page, 5, kPaper, kInk);
    Line(dc, x + 10, y + 1, x + 10, y + 4, kInk);
    Line(dc, x + 10, y + 4, x + 13, y + 4, kInk);
}

void PageLines(HDC dc, int x, int y) {
    for (int i = 0; i < 3; ++i)
        Line(dc, x + 5, y + 7 + 2 * i, x + 11, y + 7 + 2 * i, RGB(150, 150, 160));
}

void Disk(HDC dc, int x, int y) {
    Box(dc, x + 1, y + 1, x + 15, y + 15, kDisk, RGB(30, 50, 100));
    Box(dc, x + 4, y + 2, x + 12, y + 7, kPaper, RGB(30, 50, 100));
    Fill(dc, x + 5, y + 10, x + 11, y + 14, RGB(200, 200, 210));
}

void Folder(HDC dc, int x, int y) {
    const POINT back[] = {{x + 1, y + 3}, {x + 6, y + 3}, {x + 7, y + 5}, {x + 14, y + 5}, {x + 14, y + 13}, {x + 1, y + 13}};
    Polygon(dc, back, 6, RGB(200, 160, 60), RGB(120, 90, 20));
    const POINT front[] = {{x + 3, y + 7}, {x + 15, y + 7}, {x + 13, y + 13}, {x + 1, y + 13}};
    Polygon(dc, front, 4, kFolder, RGB(120, 90, 20));
}

void Arrow(HDC dc, int x, int y, bool down, COLORREF c) {
    if (down) {
        Fill(dc, x + 6, y + 1, x + 10, y + 8, c);
        const POINT head[] = {{x + 2, y + 8}, {x + 13, y + 8}, {x + 8, y + 14}, {x + 7, y + 14}};
        Polygon(dc, head, 4, c, c);
    } else {
        Fill(dc, x + 6, y + 8, x + 10, y + 15, c);
        const POINT head[] = {{x + 2, y + 8}, {x + 13, y + 8}, {x + 8, y + 2}, {x + 7, y + 2}};
        Polygon(dc, head, 4, c, c);
    }
}

void Star(HDC dc, int x, int y) {
    const POINT star[] = {{x + 8, y + 1},  {x + 10, y + 6},  {x + 15, y + 6}, {x + 11, y + 9}, {x + 13, y + 14},
                          {x + 8, y + 11}, {x + 3, y + 14}, {x + 5, y + 9},   {x + 1, y + 6},  {x + 6, y + 6}};
    Polygon(dc, star, 10, kGold, RGB(150, 100, 0));
}

void Pin(HDC dc, int x, int y, bool down) {
    if (down) {
        // Pushed in: seen from above, head and needle upright.
        Box(dc, x + 4, y + 1, x + 12, y + 8, kRed, RGB(110, 20, 20));
        Fill(dc, x + 2, y + 8, x + 14, y + 10, RGB(110, 20, 20));
        Line(dc, x + 8, y + 10, x + 8, y + 15, kInk);
    } else {
        // Loose: lying on its side.
        Box(dc, x + 1, y + 4, x + 7, y + 11, kRed, RGB(110, 20, 20));
        Fill(dc, x + 7, y + 2, x + 9, y + 13, RGB(110, 20, 20));
        Line(dc, x + 9, y + 7, x + 15, y + 7, kInk);
    }
}

void Digit(HDC dc, int x, int y, int digit) {
    winkit::ScopedGdiObject font(::CreateFontW(-10, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                               NONANTIALIASED_QUALITY, 0, L"Tahoma"));
    winkit::SelectObjectGuard f(dc, font.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kBlue);
    RECT rc{x + 3, y + 4, x + 14, y + 16};
    const std::wstring text = std::to_wstring(digit);
    ::DrawTextW(dc, text.c_str(), -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// Two sheets, the back one offset: the copy button.
void CopyFace(HDC dc, int x, int y, COLORREF edge) {
    Box(dc, x + 1, y + 1, x + 10, y + 12, kPaper, edge);
    Box(dc, x + 5, y + 4, x + 15, y + 15, kPaper, edge);
    for (int i = 0; i < 3; ++i)
        Line(dc, x + 7, y + 7 + 2 * i, x + 13, y + 7 + 2 * i, RGB(120, 140, 190));
}

// A wrench: the clip editor.
void ConfigureFace(HDC dc, int x, int y, COLORREF edge) {
    Line(dc, x + 3, y + 13, x + 10, y + 6, edge, 3);
    winkit::ScopedGdiObject brush(::CreateSolidBrush(RGB(160, 165, 180)));
    winkit::ScopedGdiObject pen(::CreatePen(PS_SOLID, 1, edge));
    winkit::SelectObjectGuard b(dc, brush.get());
    winkit::SelectObjectGuard p(dc, pen.get());
    ::Ellipse(dc, x + 8, y + 1, x + 15, y + 8);
    Fill(dc, x + 11, y + 2, x + 14, y + 5, ::GetBkColor(dc)); // the jaw's opening
}

// A list card with a key: the clip's properties.
void PropertiesFace(HDC dc, int x, int y, COLORREF edge) {
    Box(dc, x + 1, y + 2, x + 15, y + 14, kPaper, edge);
    Fill(dc, x + 1, y + 2, x + 15, y + 5, kBlue);
    for (int i = 0; i < 3; ++i) {
        Fill(dc, x + 3, y + 6 + 2 * i, x + 5, y + 7 + 2 * i, kGreen);
        Line(dc, x + 6, y + 6 + 2 * i, x + 13, y + 6 + 2 * i, RGB(120, 120, 130));
    }
}

// A window frame with an arrow into it: bring the last window back.
void ActivateFace(HDC dc, int x, int y, COLORREF edge) {
    Box(dc, x + 3, y + 1, x + 15, y + 12, kPaper, edge);
    Fill(dc, x + 3, y + 1, x + 15, y + 4, kBlue);
    const POINT arrow[] = {{x + 1, y + 15}, {x + 7, y + 9}, {x + 5, y + 8}, {x + 10, y + 6}, {x + 9, y + 11}, {x + 8, y + 10}, {x + 2, y + 16}};
    Polygon(dc, arrow, 7, kGreen, RGB(20, 80, 30));
}

} // namespace

void DrawPicture(HDC dc, Picture picture, int x, int y) {
    switch (picture) {
    case Picture::NewProject:
        Page(dc, x, y);
        Star(dc, x - 2, y + 5);
        break;
    case Picture::OpenProject:
        Folder(dc, x, y);
        break;
    case Picture::SaveProject:
        Disk(dc, x, y);
        break;
    case Picture::SaveProjectAs:
        Disk(dc, x - 1, y);
        Line(dc, x + 9, y + 14, x + 15, y + 8, kRed, 2);
        break;
    case Picture::DeleteProject:
        Page(dc, x, y);
        Line(dc, x + 4, y + 6, x + 12, y + 14, kRed, 2);
        Line(dc, x + 12, y + 6, x + 4, y + 14, kRed, 2);
        break;
    case Picture::MakeDefault:
        Star(dc, x, y);
        break;
    case Picture::DefaultProject: {
        const POINT roof[] = {{x + 1, y + 8}, {x + 8, y + 1}, {x + 15, y + 8}};
        Polygon(dc, roof, 3, kRed, RGB(110, 20, 20));
        Box(dc, x + 3, y + 8, x + 13, y + 15, kPaper, kInk);
        Fill(dc, x + 7, y + 10, x + 10, y + 15, kFolder);
        break;
    }
    case Picture::PasteDown:
        Arrow(dc, x, y, true, kGreen);
        break;
    case Picture::PasteUp:
        Arrow(dc, x, y, false, kGreen);
        break;
    case Picture::PinUp:
        Pin(dc, x, y, false);
        break;
    case Picture::PinDown:
        Pin(dc, x, y, true);
        break;
    case Picture::Recent1:
    case Picture::Recent2:
    case Picture::Recent3:
    case Picture::Recent4:
    case Picture::Recent5:
        Page(dc, x, y);
        Digit(dc, x, y, static_cast<int>(picture) - static_cast<int>(Picture::Recent1) + 1);
        break;
    case Picture::ExportHotkeys:
        Page(dc, x, y);
        PageLines(dc, x, y);
        Arrow(dc, x + 4, y + 3, false, kBlue);
        break;
    case Picture::HideWindow:
        Box(dc, x + 1, y + 2, x + 15, y + 14, kPaper, kInk);
        Fill(dc, x + 1, y + 2, x + 15, y + 5, kBlue);
        Fill(dc, x + 4, y + 10, x + 12, y + 12, kInk);
        break;
    case Picture::ExitProgram:
        Box(dc, x + 2, y + 1, x + 10, y + 15, RGB(180, 130, 80), RGB(100, 60, 20));
        Arrow(dc, x + 3, y, true, kRed);
        break;
    case Picture::Count:
        break;
    }
}

HIMAGELIST MakeToolbarImages() {
    const int count = static_cast<int>(Picture::Count);
    HIMAGELIST list = ::ImageList_Create(kPictureSize, kPictureSize, ILC_COLOR24 | ILC_MASK, count, 0);
    if (!list)
        return nullptr;
    winkit::WindowDC screen(nullptr);
    winkit::ScopedMemoryDC dc(::CreateCompatibleDC(screen.get()));
    for (int i = 0; i < count; ++i) {
        winkit::ScopedGdiObject bitmap(::CreateCompatibleBitmap(screen.get(), kPictureSize, kPictureSize));
        {
            winkit::SelectObjectGuard selected(dc.get(), bitmap.get());
            Fill(dc.get(), 0, 0, kPictureSize, kPictureSize, kMaskColour);
            DrawPicture(dc.get(), static_cast<Picture>(i), 0, 0);
        }
        ::ImageList_AddMasked(list, static_cast<HBITMAP>(bitmap.get()), kMaskColour);
    }
    return list;
}

HBITMAP MakeMenuPicture(Picture picture) {
    winkit::WindowDC screen(nullptr);
    winkit::ScopedMemoryDC dc(::CreateCompatibleDC(screen.get()));
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen.get(), kPictureSize, kPictureSize);
    if (!bitmap)
        return nullptr;
    winkit::SelectObjectGuard selected(dc.get(), bitmap);
    Fill(dc.get(), 0, 0, kPictureSize, kPictureSize, ::GetSysColor(COLOR_MENU));
    DrawPicture(dc.get(), picture, 0, 0);
    return bitmap;
}

void DrawButtonFace(HDC dc, const RECT& bounds, ButtonFace face, bool pressed, bool disabled, COLORREF background) {
    RECT rc = bounds;
    winkit::ScopedGdiObject brush(::CreateSolidBrush(background));
    ::FillRect(dc, &rc, static_cast<HBRUSH>(brush.get()));
    ::DrawEdge(dc, &rc, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    const int shift = pressed ? 1 : 0;
    const int x = rc.left + (rc.right - rc.left - kPictureSize) / 2 + shift;
    const int y = rc.top + (rc.bottom - rc.top - kPictureSize) / 2 + shift;
    ::SetBkColor(dc, background);
    const COLORREF edge = disabled ? RGB(160, 160, 160) : kInk;
    switch (face) {
    case ButtonFace::Copy:
        CopyFace(dc, x, y, edge);
        break;
    case ButtonFace::Configure:
        ConfigureFace(dc, x, y, edge);
        break;
    case ButtonFace::Properties:
        PropertiesFace(dc, x, y, edge);
        break;
    case ButtonFace::Activate:
        ActivateFace(dc, x, y, edge);
        break;
    }
}

} // namespace quillet
