#include "app/menu/MenuPictures.h"

#include "winkit/Bitmaps.h"
#include "winkit/Scoped.h"

#include <windows.h>

#include <functional>

namespace quillet {
namespace {

constexpr COLORREF kInk = RGB(32, 32, 48);
constexpr COLORREF kBlue = RGB(40, 90, 190);
constexpr COLORREF kGreen = RGB(30, 140, 70);
constexpr COLORREF kRed = RGB(190, 40, 40);
constexpr COLORREF kOrange = RGB(230, 140, 20);
constexpr COLORREF kPaper = RGB(250, 250, 240);
constexpr COLORREF kGrey = RGB(128, 128, 128);

class Canvas {
public:
    explicit Canvas(HDC dc) : dc_(dc) {}

    void Box(int l, int t, int r, int b, COLORREF fill, COLORREF edge) {
        winkit::ScopedGdiObject brush(::CreateSolidBrush(fill));
        winkit::ScopedGdiObject pen(::CreatePen(PS_SOLID, 1, edge));
        winkit::SelectObjectGuard b1(dc_, brush.get());
        winkit::SelectObjectGuard p1(dc_, pen.get());
        ::Rectangle(dc_, l, t, r, b);
    }
    void Round(int l, int t, int r, int b, COLORREF fill, COLORREF edge) {
        winkit::ScopedGdiObject brush(::CreateSolidBrush(fill));
        winkit::ScopedGdiObject pen(::CreatePen(PS_SOLID, 1, edge));
        winkit::SelectObjectGuard b1(dc_, brush.get());
        winkit::SelectObjectGuard p1(dc_, pen.get());
        ::Ellipse(dc_, l, t, r, b);
    }
    void Line(int x1, int y1, int x2, int y2, COLORREF colour, int width = 1) {
        winkit::ScopedGdiObject pen(::CreatePen(PS_SOLID, width, colour));
        winkit::SelectObjectGuard p1(dc_, pen.get());
        ::MoveToEx(dc_, x1, y1, nullptr);
        ::LineTo(dc_, x2, y2);
    }
    // A short text, centred in the rectangle, in a small bold face.
    void Text(const wchar_t* text, int l, int t, int r, int b, COLORREF colour, int height = 11) {
        winkit::ScopedGdiObject font(::CreateFontW(-height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                                                   DEFAULT_PITCH, L"Tahoma"));
        winkit::SelectObjectGuard f1(dc_, font.get());
        ::SetBkMode(dc_, TRANSPARENT);
        ::SetTextColor(dc_, colour);
        RECT area{l, t, r, b};
        ::DrawTextW(dc_, text, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    // A left-pointing arrow head at (x, y).
    void ArrowLeft(int x, int y, COLORREF colour) {
        Line(x, y, x + 3, y - 3, colour);
        Line(x, y, x + 3, y + 3, colour);
    }

private:
    HDC dc_;
};

// The two letter tiles of the case icons: a page with the letters on it.
void LetterTile(Canvas& c, const wchar_t* letters, COLORREF colour) {
    c.Box(0, 1, 16, 15, kPaper, kGrey);
    c.Text(letters, 0, 1, 16, 15, colour);
}

void DrawIcon(const std::wstring& key, Canvas& c) {
    if (key == L"lowercase") {
        LetterTile(c, L"ab", kBlue);
    } else if (key == L"uppercase") {
        LetterTile(c, L"AB", kBlue);
    } else if (key == L"switchcase") {
        LetterTile(c, L"Ab", kGreen);
    } else if (key == L"reversecase") {
        LetterTile(c, L"aB", kRed);
    } else if (key == L"zigzag") {
        c.Box(0, 1, 16, 15, kPaper, kGrey);
        for (int x = 1; x < 14; x += 4) {
            c.Line(x, 11, x + 2, 4, kOrange, 2);
            c.Line(x + 2, 4, x + 4, 11, kOrange, 2);
        }
    } else if (key == L"sentence") {
        c.Box(0, 1, 16, 15, kPaper, kGrey);
        c.Text(L"A", 0, 2, 7, 14, kInk);
        c.Line(7, 11, 13, 11, kGrey);
        c.Line(2, 13, 14, 13, kGrey);
        c.Box(13, 9, 15, 11, kInk, kInk); // the full stop
    } else if (key == L"case") {
        c.Box(0, 0, 10, 10, kPaper, kGrey);
        c.Text(L"a", 0, 0, 10, 10, kBlue, 10);
        c.Box(5, 5, 16, 16, kPaper, kGrey);
        c.Text(L"A", 5, 5, 16, 16, kRed, 10);
    } else if (key == L"diacritics") {
        LetterTile(c, L"e", kInk);
        c.Line(8, 2, 11, 0, kRed, 2); // the accent being taken off
        c.Line(2, 14, 14, 2, kRed);
    } else if (key == L"reverse") {
        c.Box(0, 1, 16, 15, kPaper, kGrey);
        c.Line(3, 5, 13, 5, kInk);
        c.ArrowLeft(3, 5, kInk);
        c.Line(3, 11, 13, 11, kBlue);
        c.Line(13, 11, 10, 8, kBlue);
        c.Line(13, 11, 10, 14, kBlue);
    } else if (key == L"date") {
        c.Box(1, 2, 15, 15, kPaper, kInk);
        c.Box(1, 2, 15, 5, kRed, kRed);
        for (int y = 7; y <= 12; y += 3)
            for (int x = 3; x <= 12; x += 3)
                c.Box(x, y, x + 2, y + 2, kGrey, kGrey);
    } else if (key == L"time") {
        c.Round(0, 0, 16, 16, kPaper, kInk);
        c.Line(8, 8, 8, 3, kInk, 2);
        c.Line(8, 8, 12, 10, kBlue);
    } else if (key == L"ip1" || key == L"ip2") {
        const COLORREF sea = key == L"ip1" ? kBlue : kGreen;
        c.Round(1, 1, 15, 15, sea, kInk);
        c.Line(8, 1, 8, 15, kPaper);
        c.Line(1, 8, 15, 8, kPaper);
        c.Round(4, 1, 12, 15, sea, kPaper);
        c.Line(8, 1, 8, 15, kPaper);
    } else if (key == L"quilleter") {
        c.Box(0, 1, 16, 15, kPaper, kInk);
        c.Box(0, 1, 16, 4, kBlue, kBlue);
        for (int y = 6; y <= 12; y += 3)
            c.Line(2, y, 14, y, kGrey);
    } else if (key == L"options") {
        c.Round(1, 1, 15, 15, kGrey, kInk);
        c.Round(5, 5, 11, 11, kPaper, kInk);
        for (int i = 0; i < 4; ++i) {
            const int dx[] = {7, 7, 0, 13};
            const int dy[] = {0, 13, 7, 7};
            c.Box(dx[i], dy[i], dx[i] + 3, dy[i] + 3, kGrey, kInk);
        }
    } else if (key == L"conf") {
        c.Box(1, 1, 15, 15, kPaper, kInk);
        for (int y = 4; y <= 12; y += 4) {
            c.Line(3, y, 13, y, kGrey);
            c.Box(4 + y / 2, y - 1, 7 + y / 2, y + 2, kOrange, kInk);
        }
    } else if (key == L"exit") {
        c.Box(4, 1, 13, 15, RGB(150, 100, 60), kInk); // a door
        c.Box(10, 8, 12, 10, kOrange, kOrange);
        c.Line(1, 8, 8, 8, kRed, 2);
        c.ArrowLeft(1, 8, kRed);
    } else if (key == MenuPictures::kClipImage) {
        c.Box(2, 2, 14, 16, RGB(170, 120, 70), kInk); // the board
        c.Box(4, 4, 12, 14, kPaper, kGrey);
        c.Box(5, 0, 11, 4, kGrey, kInk);              // its clip
        c.Line(5, 7, 11, 7, kBlue);
        c.Line(5, 10, 11, 10, kBlue);
    }
}

// A 16x16 bitmap with the picture of `key` on the menu's background.
HBITMAP DrawBitmap(const std::wstring& key, COLORREF background) {
    winkit::WindowDC screen(nullptr);
    winkit::ScopedMemoryDC dc(::CreateCompatibleDC(screen.get()));
    if (!dc)
        return nullptr;
    const BITMAPINFO info = winkit::TopDown32BitInfo(MenuPictures::kSize, MenuPictures::kSize);
    void* bits = nullptr;
    winkit::ScopedGdiObject bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        return nullptr;
    {
        winkit::SelectObjectGuard selected(dc.get(), bitmap.get());
        RECT all{0, 0, MenuPictures::kSize, MenuPictures::kSize};
        winkit::ScopedGdiObject brush(::CreateSolidBrush(background));
        ::FillRect(dc.get(), &all, static_cast<HBRUSH>(brush.get()));
        Canvas canvas(dc.get());
        DrawIcon(key, canvas);
        ::GdiFlush();
    }
    return static_cast<HBITMAP>(bitmap.release());
}

winkit::ComPtr<IPictureDisp> MakePicture(const std::wstring& key) {
    // The menu's own background, so a picture copied as it is sits in the item without a frame.
    winkit::ScopedGdiObject bitmap(DrawBitmap(key, ::GetSysColor(COLOR_MENU)));
    if (!bitmap)
        return {};
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = static_cast<HBITMAP>(bitmap.get());
    winkit::ComPtr<IPictureDisp> picture;
    if (FAILED(::OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, picture.put_void())))
        return {};
    bitmap.release(); // the picture owns it now
    return picture;
}

} // namespace

const std::vector<std::wstring>& MenuPictures::Keys() {
    static const std::vector<std::wstring> keys{
        L"diacritics", L"exit", L"quilleter", L"lowercase", L"uppercase", L"switchcase",
        L"sentence",   L"case", L"options",   L"conf",      L"date",      L"time",
        L"ip1",        L"ip2",  L"reverse",   L"zigzag",    L"reversecase"};
    return keys;
}

void MenuPictures::Load() {
    pictures_.clear();
    for (const std::wstring& key : Keys()) {
        if (auto picture = MakePicture(key))
            pictures_[key] = picture;
    }
    if (auto picture = MakePicture(kClipImage))
        pictures_[kClipImage] = picture;
}

HICON MenuPictures::CreateProgramIcon() {
    // Drawn on white; the mask leaves exactly the white pixels transparent.
    winkit::ScopedGdiObject colour(DrawBitmap(kClipImage, RGB(255, 255, 255)));
    if (!colour)
        return nullptr;
    BITMAP info{};
    ::GetObjectW(colour.get(), sizeof info, &info);
    winkit::ScopedGdiObject mask(::CreateBitmap(kSize, kSize, 1, 1, nullptr));
    {
        winkit::ScopedMemoryDC source(::CreateCompatibleDC(nullptr));
        winkit::ScopedMemoryDC target(::CreateCompatibleDC(nullptr));
        winkit::SelectObjectGuard s1(source.get(), colour.get());
        winkit::SelectObjectGuard t1(target.get(), mask.get());
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const bool clear = ::GetPixel(source.get(), x, y) == RGB(255, 255, 255);
                ::SetPixel(target.get(), x, y, clear ? RGB(255, 255, 255) : RGB(0, 0, 0));
                if (clear)
                    ::SetPixel(source.get(), x, y, RGB(0, 0, 0));
            }
    }
    ICONINFO icon{};
    icon.fIcon = TRUE;
    icon.hbmColor = static_cast<HBITMAP>(colour.get());
    icon.hbmMask = static_cast<HBITMAP>(mask.get());
    return ::CreateIconIndirect(&icon); // copies both bitmaps
}

IPictureDisp* MenuPictures::Picture(const std::wstring& key) const {
    const auto it = pictures_.find(key);
    return it == pictures_.end() ? nullptr : it->second.get();
}

HBITMAP MenuPictures::BitmapOf(IPictureDisp* picture) {
    if (!picture)
        return nullptr;
    winkit::ComPtr<IPicture> pic;
    if (FAILED(picture->QueryInterface(IID_IPicture, pic.put_void())))
        return nullptr;
    OLE_HANDLE handle = 0;
    if (FAILED(pic->get_Handle(&handle)))
        return nullptr;
    return reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
}

} // namespace quillet
