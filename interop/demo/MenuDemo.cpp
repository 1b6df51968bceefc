// Opens one popup of the clipboard menu's kind, drawn by Syslinkage: a side bar, pictures, a check mark,
// titled separators and a submenu, with one item selected. It writes "ready" beside itself once the popup
// is painted and closes it when "done" appears there (or after 30 seconds).
#include "FakeClient.h"
#include "Syslinkage_h.h"
#include "winkit/Com.h"
#include "winkit/Scoped.h"

#include <olectl.h>

#include <memory>
#include <string>
#include <vector>

using namespace syslinkage_test;
using winkit::ComPtr;

namespace {

std::wstring g_folder;
HMENU g_popup = nullptr;
int g_draws = 0;
int g_ticks = 0;
int g_stage = 0;
int g_selectedBefore = -1;
bool g_stepPending = false;
int g_selectedPainted = -1;

bool Exists(const wchar_t* name) { return ::GetFileAttributesW((g_folder + name).c_str()) != INVALID_FILE_ATTRIBUTES; }

void Touch(const wchar_t* name) {
    winkit::ScopedFile file(::CreateFileW((g_folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

// The demo's corner of the screen with the open popup as it painted it, saved as a 24-bit bitmap file:
// the popup's own surface is read, which the display may not have been shown yet.
void SaveShot(const wchar_t* name) {
    constexpr int width = 420, height = 330;
    winkit::WindowDC screen(nullptr);
    winkit::ScopedMemoryDC dc(::CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up rows, as bitmap files usually hold them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    winkit::ScopedGdiObject bitmap(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return;
    winkit::SelectObjectGuard select(dc.get(), bitmap.get());
    ::BitBlt(dc.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
    for (HWND popup = ::FindWindowExW(nullptr, nullptr, L"#32768", nullptr); popup;
         popup = ::FindWindowExW(nullptr, popup, L"#32768", nullptr)) {
        if (!::IsWindowVisible(popup))
            continue;
        RECT r{};
        ::GetWindowRect(popup, &r);
        HDC popupDc = ::GetWindowDC(popup);
        ::BitBlt(dc.get(), r.left, r.top, r.right - r.left, r.bottom - r.top, popupDc, 0, 0, SRCCOPY);
        ::ReleaseDC(popup, popupDc);
    }
    ::GdiFlush();
    const DWORD stride = ((width * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    header.bfSize = header.bfOffBits + stride * height;
    winkit::ScopedFile file(::CreateFileW((g_folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ::WriteFile(file.get(), &header, sizeof(header), &written, nullptr);
    ::WriteFile(file.get(), &info.bmiHeader, sizeof(info.bmiHeader), &written, nullptr);
    ::WriteFile(file.get(), bits, stride * height, &written, nullptr);
}

// The position of the popup's selected item; -1 when none is.
int SelectedItem() {
    const int count = ::GetMenuItemCount(g_popup);
    for (int i = 0; i < count; ++i)
        if (::GetMenuState(g_popup, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE)
            return i;
    return -1;
}

bool Selectable(int position) {
    return position >= 0 && !(::GetMenuState(g_popup, static_cast<UINT>(position), MF_BYPOSITION) & (MF_DISABLED | MF_GRAYED));
}

// Drives the open popup from inside the menu loop: move the selection down to the first item that can be
// chosen (the side bar and the titles are passed over), photograph it once it is painted selected, then
// wait to be done.
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ++g_ticks;
    if (g_stage == 0 && g_draws >= 10)
        g_stage = 1;
    if (g_stage == 1) {
        const int selected = SelectedItem();
        if (g_stepPending && selected == g_selectedBefore)
            return; // the last step down has not arrived yet
        g_stepPending = false;
        if (!Selectable(selected)) {
            g_selectedBefore = selected;
            g_stepPending = true;
            ::PostMessageW(::FindWindowW(L"#32768", nullptr), WM_KEYDOWN, VK_DOWN, 0);
        } else if (g_selectedPainted == selected) {
            SaveShot(L"shot.bmp");
            Touch(L"ready");
            g_stage = 2;
        }
    }
    if ((g_stage == 2 && Exists(L"done")) || g_ticks > 1500)
        ::EndMenu();
}

LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        ++g_draws;
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->itemState & ODS_SELECTED)
            g_selectedPainted = SelectedItem();
    }
    if (message == WM_APP) {
        ::SetTimer(hwnd, 1, 20, Tick);
        ::TrackPopupMenuEx(g_popup, TPM_LEFTALIGN | TPM_TOPALIGN, 24, 24, hwnd, nullptr);
        ::KillTimer(hwnd, 1);
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

// A 16x16 picture on a magenta ground (the top-left colour, drawn transparent): a coloured disc with a letter.
HBITMAP MakePicture(COLORREF colour, const wchar_t* letter) {
    winkit::WindowDC screen(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen.get(), 16, 16);
    winkit::ScopedMemoryDC dc(::CreateCompatibleDC(screen.get()));
    winkit::SelectObjectGuard selectBitmap(dc.get(), bitmap);
    const RECT all{0, 0, 16, 16};
    winkit::ScopedGdiObject ground(::CreateSolidBrush(RGB(255, 0, 255)));
    ::FillRect(dc.get(), &all, static_cast<HBRUSH>(ground.get()));
    winkit::ScopedGdiObject fill(::CreateSolidBrush(colour));
    winkit::ScopedGdiObject pen(::CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    {
        winkit::SelectObjectGuard b(dc.get(), fill.get());
        winkit::SelectObjectGuard p(dc.get(), pen.get());
        ::Ellipse(dc.get(), 1, 1, 15, 15);
    }
    winkit::ScopedGdiObject font(::CreateFontW(11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                                               NONANTIALIASED_QUALITY, 0, L"Tahoma"));
    winkit::SelectObjectGuard f(dc.get(), font.get());
    ::SetBkMode(dc.get(), TRANSPARENT);
    ::SetTextColor(dc.get(), RGB(255, 255, 255));
    RECT box = all;
    ::DrawTextW(dc.get(), letter, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return bitmap;
}

ComPtr<IPictureDisp> Picture(HBITMAP bitmap) {
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof(desc);
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap;
    ComPtr<IPictureDisp> picture;
    ::OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, picture.put_void());
    return picture;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    g_folder = path;
    g_folder.resize(g_folder.find_last_of(L'\\') + 1);

    winkit::ComApartment com;
    winkit::ScopedModule library(::LoadLibraryW((g_folder + L"Syslinkage.dll").c_str()));
    using Entry = HRESULT(STDAPICALLTYPE*)();
    auto entry = [&](const char* name) {
        return reinterpret_cast<Entry>(reinterpret_cast<void*>(::GetProcAddress(library.get(), name)));
    };
    if (!library || !entry("DllRegisterServer") || FAILED(entry("DllRegisterServer")()))
        return 1;

    // The classic scheme, for the duration of the demo.
    const INT indices[] = {COLOR_MENU, COLOR_MENUTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_BTNSHADOW,
                           COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT, COLOR_ACTIVECAPTION, COLOR_GRADIENTACTIVECAPTION,
                           COLOR_CAPTIONTEXT, COLOR_GRAYTEXT, COLOR_3DDKSHADOW};
    const COLORREF classic[] = {RGB(212, 208, 200), RGB(0, 0, 0),       RGB(10, 36, 106),  RGB(255, 255, 255),
                                RGB(128, 128, 128), RGB(255, 255, 255), RGB(212, 208, 200), RGB(10, 36, 106),
                                RGB(166, 202, 240), RGB(255, 255, 255), RGB(128, 128, 128), RGB(64, 64, 64)};
    constexpr int count = sizeof(indices) / sizeof(indices[0]);
    COLORREF saved[count];
    for (int i = 0; i < count; ++i)
        saved[i] = ::GetSysColor(indices[i]);
    ::SetSysColors(count, indices, classic);

    HMENU options = ::CreatePopupMenu();
    ::AppendMenuW(options, MF_STRING, 20, L"&Settings...");
    g_popup = ::CreatePopupMenu();
    const wchar_t* texts[] = {L"Quillet Menu",   L"Clipboard Formatting", L"&Upper case\tCtrl+U", L"&Lower case",
                              L"&Remove diacritics", L"Copy to Clipboard", L"Copy &date",    L"Copy &time",
                              L"&Auto paste",    L"&Options",             L"E&xit"};
    for (UINT i = 0; i < 11; ++i) {
        if (i == 9)
            ::AppendMenuW(g_popup, MF_POPUP, reinterpret_cast<UINT_PTR>(options), texts[i]);
        else
            ::AppendMenuW(g_popup, MF_STRING, 100 + i, texts[i]);
    }
    HMENU bar = ::CreateMenu();
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(g_popup), L"&Quillet");

    WNDCLASSW cls{};
    cls.lpfnWndProc = Procedure;
    cls.hInstance = instance;
    cls.lpszClassName = L"QuilletMenuDemo";
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    ::RegisterClassW(&cls);
    winkit::ScopedWindow window(::CreateWindowExW(0, cls.lpszClassName, L"Menu demo", WS_POPUP | WS_VISIBLE, 0, 0, 400,
                                                  330, nullptr, bar, instance, nullptr));
    {
        auto formState = std::make_shared<FormState>();
        formState->window = window.get();
        ComPtr<IDispatch> form = ComPtr<IDispatch>::Attach(MakeForm(formState));
        std::vector<std::shared_ptr<ItemState>> states;
        std::vector<ComPtr<IDispatch>> items;
        for (const wchar_t* text : texts) {
            auto state = std::make_shared<ItemState>();
            state->caption = std::wstring(text).substr(0, std::wstring(text).find(L'\t'));
            states.push_back(state);
            items.push_back(ComPtr<IDispatch>::Attach(MakeItem(state, form.get())));
        }
        std::vector<ComPtr<IPictureDisp>> pictures;

        ComPtr<_System> system;
        ComPtr<_Window> win;
        ComPtr<_Menu> menu;
        if (FAILED(::CoCreateInstance(CLSID_System, nullptr, CLSCTX_INPROC_SERVER, IID__System, system.put_void())) ||
            FAILED(system->get_Window(win.put())))
            return 1;
        VARIANT formArg;
        formArg.vt = VT_DISPATCH;
        formArg.pdispVal = form.get();
        win->Init(HandleToLong(window.get()), &formArg);
        win->get_Menu(menu.put());
        auto item = [&](int i) { return items[static_cast<size_t>(i)].get(); };
        IDispatch* p = item(0);
        menu->put_SideBar(&p, VARIANT_TRUE);
        for (int i : {1, 5}) {
            p = item(i);
            menu->put_MenuSeperator(&p, VARIANT_TRUE);
        }
        const struct {
            int index;
            COLORREF colour;
            const wchar_t* letter;
        } pictured[] = {{2, RGB(0, 90, 200), L"A"},  {3, RGB(0, 150, 80), L"a"},  {4, RGB(200, 120, 0), L"e"},
                        {6, RGB(150, 0, 150), L"d"}, {7, RGB(0, 130, 140), L"t"}, {9, RGB(90, 90, 90), L"o"},
                        {10, RGB(200, 0, 0), L"x"}};
        for (const auto& entry : pictured) {
            pictures.push_back(Picture(MakePicture(entry.colour, entry.letter)));
            p = item(entry.index);
            menu->putref_BitmapImage(&p, pictures.back().get());
        }
        p = item(8);
        VARIANT none;
        none.vt = VT_ERROR;
        none.scode = DISP_E_PARAMNOTFOUND;
        menu->put_Checked(&p, &none, VARIANT_TRUE);

        ::PostMessageW(window.get(), WM_APP, 0, 0);
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    ::SetSysColors(count, indices, saved);
    window.reset();
    entry("DllUnregisterServer")();
    return 0;
}
