// The Window and Menu objects as a client uses them: a form with a menu bar and popups, its items
// registered through the library, measured and drawn by it, and the window restored when System goes.
#include "ClientForm.h"
#include "winkit/Com.h"
#include "winkit/Scoped.h"
#include "winkit/Wait.h"

#include <olectl.h>

#include <gtest/gtest.h>

#include <memory>

using namespace syslinkage_test;
using winkit::ComPtr;

namespace {

int g_drawItems = 0;

LRESULT CALLBACK FormProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM)
        ++g_drawItems;
    if (message == WM_MEASUREITEM)
        return 0x5EED; // tells the caller the message reached the form's own procedure
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

enum Command : UINT { kSide = 101, kCheck, kTitles, kPicture, kDeep, kTwinInSub, kPlain, kTwinInEdit };

// File: Side Bar | &Check me | Titles | &Picture<TAB>Ctrl+P | Sub > (&Deep, Twin) | Plain item
// Edit: Twin
HMENU MakeMenuBar() {
    HMENU sub = ::CreatePopupMenu();
    ::AppendMenuW(sub, MF_STRING, kDeep, L"&Deep");
    ::AppendMenuW(sub, MF_STRING, kTwinInSub, L"Twin");
    HMENU file = ::CreatePopupMenu();
    ::AppendMenuW(file, MF_STRING, kSide, L"Side Bar");
    ::AppendMenuW(file, MF_STRING, kCheck, L"&Check me");
    ::AppendMenuW(file, MF_STRING, kTitles, L"Titles");
    ::AppendMenuW(file, MF_STRING, kPicture, L"&Picture\tCtrl+P");
    ::AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"Sub");
    ::AppendMenuW(file, MF_STRING, kPlain, L"Plain item");
    HMENU edit = ::CreatePopupMenu();
    ::AppendMenuW(edit, MF_STRING, kTwinInEdit, L"Twin");
    HMENU bar = ::CreateMenu();
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"&Edit");
    return bar;
}

class WindowAndMenu : public ClientForm {
protected:
    void SetUp() override {
        OpenForm(FormProcedure, L"SyslinkageTestForm", L"Form", {50, 50, 350, 250}, false, MakeMenuBar());
    }

    // The program's registrations: a side bar, a check mark, a titled separator and a picture.
    void RegisterLikeTheProgram() {
        IDispatch* side = Item(L"Side Bar");
        IDispatch* check = Item(L"&check ME"); // captions compare without regard to case
        IDispatch* titles = Item(L"Titles");
        IDispatch* picture = Item(L"&Picture");
        IDispatch* twin = Item(L"Twin");
        ASSERT_EQ(menu->put_SideBar(&side, VARIANT_TRUE), S_OK);
        VARIANT none = MissingArgument();
        ASSERT_EQ(menu->put_Checked(&check, &none, VARIANT_TRUE), S_OK);
        ASSERT_EQ(menu->put_MenuSeperator(&titles, VARIANT_TRUE), S_OK);
        ASSERT_EQ(menu->putref_BitmapImage(&picture, Picture()), S_OK);
        ASSERT_EQ(menu->put_Include(&twin, VARIANT_TRUE), S_OK);
    }

    IPictureDisp* Picture() {
        if (!picture_) {
            PICTDESC desc{};
            desc.cbSizeofstruct = sizeof(desc);
            desc.picType = PICTYPE_BITMAP;
            winkit::WindowDC screen(nullptr);
            desc.bmp.hbitmap = ::CreateCompatibleBitmap(screen.get(), 16, 16);
            ::OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE, picture_.put_void());
        }
        return picture_.get();
    }

    LRESULT Measure(ULONG_PTR data, MEASUREITEMSTRUCT& m) {
        m = MEASUREITEMSTRUCT{ODT_MENU, 0, 0, 0, 0, data};
        return ::SendMessageW(window_.get(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m));
    }
    void Draw(ULONG_PTR data, UINT action, UINT state, const Surface& surface) {
        DRAWITEMSTRUCT d{ODT_MENU, 0, 0, action, state, reinterpret_cast<HWND>(file_), surface.dc(), {0, 0, 120, 20},
                         data};
        ::SendMessageW(window_.get(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
    }

};

} // namespace

TEST_F(WindowAndMenu, SystemHandsOutOneWindowUntilItIsSetToNothing) {
    ComPtr<_Window> again;
    ASSERT_EQ(system_->get_Window(again.put()), S_OK);
    EXPECT_EQ(again.get(), window.get());
    LONG handle = 0;
    EXPECT_EQ(window->get_Handle(&handle), S_OK);
    EXPECT_EQ(handle, HandleToLong(window_.get()));
    VARIANT_BOOL mdi = VARIANT_TRUE;
    EXPECT_EQ(window->get_IsMDI(&mdi), S_OK);
    EXPECT_EQ(mdi, VARIANT_FALSE);

    _Window* nothing = nullptr;
    ASSERT_EQ(system_->putref_Window(&nothing), S_OK);
    ComPtr<_Window> fresh;
    ASSERT_EQ(system_->get_Window(fresh.put()), S_OK);
    EXPECT_NE(fresh.get(), window.get());
    EXPECT_EQ(fresh->get_Handle(&handle), S_OK);
    EXPECT_EQ(handle, 0) << "a fresh Window is not initialised";

    // An object that is no form is refused; the handle is taken all the same.
    IDispatch* notAForm = Item(L"Plain item");
    VARIANT arg;
    arg.vt = VT_DISPATCH;
    arg.pdispVal = notAForm;
    EXPECT_EQ(fresh->Init(1234, &arg), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(fresh->get_Handle(&handle), S_OK);
    EXPECT_EQ(handle, 1234);

    // By name, as a late-binding client calls it.
    ComPtr<IDispatch> byName;
    ASSERT_EQ(fresh.As(byName), S_OK);
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"Handle");
    ASSERT_EQ(byName->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    winkit::ScopedVariant result;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    ASSERT_EQ(byName->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, result.get(), nullptr,
                             nullptr),
              S_OK);
    EXPECT_EQ(result->vt, VT_I4);
    EXPECT_EQ(result->lVal, 1234);
}

TEST_F(WindowAndMenu, RegistrationConvertsTheFirstMatchingPopupItems) {
    RegisterLikeTheProgram();
    const MENUITEMINFOW side = ItemInfo(file_, 0);
    EXPECT_TRUE(side.fType & MFT_OWNERDRAW);
    EXPECT_EQ(side.dwItemData, 0u);
    EXPECT_TRUE(side.fState & MFS_DISABLED) << "a side bar is never chosen";
    EXPECT_TRUE(ItemInfo(file_, 1).fType & MFT_MENUBARBREAK) << "every other item starts the second column";
    EXPECT_EQ(ItemInfo(file_, 1).dwItemData, 1u);
    EXPECT_FALSE(ItemInfo(file_, 1).fState & MFS_DISABLED);
    EXPECT_EQ(ItemInfo(file_, 2).fType & (MFT_SEPARATOR | MFT_OWNERDRAW), UINT(MFT_SEPARATOR | MFT_OWNERDRAW));
    EXPECT_EQ(ItemInfo(file_, 2).dwItemData, 2u);
    EXPECT_EQ(ItemInfo(file_, 3).dwItemData, 3u);
    EXPECT_TRUE(states_[1]->checked) << "Checked sets the item's own state";

    // Depth first: the twin in File's submenu is found before the one in Edit.
    const HMENU sub = ::GetSubMenu(file_, 4);
    EXPECT_TRUE(ItemInfo(sub, 1).fType & MFT_OWNERDRAW);
    EXPECT_EQ(ItemInfo(sub, 1).dwItemData, 4u);
    EXPECT_FALSE(ItemInfo(::GetSubMenu(::GetMenu(window_.get()), 1), 0).fType & MFT_OWNERDRAW);
    EXPECT_FALSE(ItemInfo(file_, 4).fType & MFT_OWNERDRAW);

    // No Checked property: the client hears of it and nothing is registered; no match: silently nothing.
    IDispatch* plain = Item(L"Plain item", false);
    VARIANT none = MissingArgument();
    EXPECT_EQ(menu->put_Checked(&plain, &none, VARIANT_TRUE), DISP_E_UNKNOWNNAME);
    IDispatch* missing = Item(L"Nowhere");
    EXPECT_EQ(menu->put_Include(&missing, VARIANT_TRUE), S_OK);
    EXPECT_FALSE(ItemInfo(file_, 5).fType & MFT_OWNERDRAW);
    EXPECT_EQ(menu->put_SideBar(&plain, VARIANT_FALSE), S_OK);
    EXPECT_TRUE(ItemInfo(file_, 5).fType & MFT_OWNERDRAW) << "SideBar = False still draws it";
    EXPECT_EQ(ItemInfo(file_, 5).dwItemData, 5u) << "the refused registration took no number";
}

TEST_F(WindowAndMenu, ItemsAreMeasuredByTheirLiveCaptionAndShortcut) {
    RegisterLikeTheProgram();
    MEASUREITEMSTRUCT m{};
    SIZE text{};
    // "&Picture" shows as "Picture"; the shortcut follows it directly.
    ::GetTextExtentPoint32W(measureDc_.get(), L"PictureCtrl+P", 13, &text);
    Measure(3, m);
    EXPECT_EQ(m.itemWidth, UINT(text.cx + 42));
    EXPECT_EQ(m.itemHeight, 20u);
    Measure(0, m);
    EXPECT_EQ(m.itemWidth, 8u);
    EXPECT_EQ(m.itemHeight, 20u);
    states_[3]->caption = L"";
    ::GetTextExtentPoint32W(measureDc_.get(), L"Ctrl+P", 6, &text);
    Measure(3, m);
    EXPECT_EQ(m.itemWidth, UINT(text.cx + 42));

    // Items the library does not know reach the form's procedure untouched.
    EXPECT_EQ(Measure(77, m), 0x5EED);
    EXPECT_EQ(m.itemWidth, 0u);
}

TEST_F(WindowAndMenu, DrawsCheckBoxesHighlightsAndEtchedSeparators) {
    RegisterLikeTheProgram();
    const COLORREF menuColour = ::GetSysColor(COLOR_MENU);
    const COLORREF light = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    ASSERT_NE(menuColour, light);
    Surface surface(120, 20);

    Draw(1, ODA_DRAWENTIRE, 0, surface);
    // One-pixel vertical stripes in the box, the same in every row.
    for (int x = 2; x < 8; ++x) {
        const COLORREF here = surface.Pixel(x, 2);
        EXPECT_TRUE(here == menuColour || here == light) << x;
        EXPECT_NE(here, surface.Pixel(x + 1, 2)) << x;
        EXPECT_EQ(here, surface.Pixel(x, 3)) << x;
    }
    EXPECT_EQ(surface.Pixel(60, 1), menuColour);

    Draw(1, ODA_SELECT, ODS_SELECTED, surface);
    EXPECT_EQ(surface.Pixel(3, 2), menuColour) << "selected, the box is plain";
    EXPECT_EQ(surface.Pixel(4, 2), menuColour);
    EXPECT_NE(surface.Pixel(19, 10), highlight);
    EXPECT_EQ(surface.Pixel(20, 1), highlight) << "the highlight starts at left + 20";
    EXPECT_EQ(surface.Pixel(119, 19), highlight);

    // A plain item is highlighted across its whole width.
    Draw(4, ODA_SELECT, ODS_SELECTED, surface);
    EXPECT_EQ(surface.Pixel(0, 0), highlight);
    EXPECT_EQ(surface.Pixel(21, 1), highlight);

    // The titled separator: an etched line through the middle (shadow at 9, light below it).
    Draw(2, ODA_DRAWENTIRE, ODS_DISABLED, surface);
    EXPECT_EQ(surface.Pixel(3, 9), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(surface.Pixel(3, 10), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(surface.Pixel(3, 4), menuColour);
    EXPECT_EQ(surface.Pixel(1, 9), menuColour);
    // The title's letters sit over the middle of the line.
    bool shadowLetters = false;
    for (int x = 40; x < 80; ++x)
        for (int y = 4; y < 16; ++y)
            shadowLetters |= surface.Pixel(x, y) == ::GetSysColor(COLOR_BTNSHADOW) && y != 9;
    EXPECT_TRUE(shadowLetters);
}

TEST_F(WindowAndMenu, AccessKeysOfLiveCaptionsRunTheirItems) {
    RegisterLikeTheProgram();
    const auto menuChar = [&](wchar_t key) {
        return ::SendMessageW(window_.get(), WM_MENUCHAR, MAKEWPARAM(key, MF_POPUP), reinterpret_cast<LPARAM>(file_));
    };
    EXPECT_EQ(menuChar(L'c'), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_EQ(menuChar(L'P'), MAKELRESULT(3, MNC_EXECUTE));
    // A caption changed after registration answers with its new key.
    states_[1]->caption = L"Chec&k me";
    EXPECT_EQ(menuChar(L'k'), MAKELRESULT(1, MNC_EXECUTE));
    EXPECT_EQ(menuChar(L'c'), 0) << "no registered item has it: the form's procedure answers";
    // Separators and side bars are never chosen.
    states_[0]->caption = L"&Side Bar";
    EXPECT_EQ(menuChar(L's'), 0);
}

TEST_F(WindowAndMenu, ReleasingSystemRestoresTheWindowProcedure) {
    const LONG_PTR original = ::GetWindowLongPtrW(window_.get(), GWLP_WNDPROC);
    RegisterLikeTheProgram();
    EXPECT_NE(::GetWindowLongPtrW(window_.get(), GWLP_WNDPROC), original);
    EXPECT_NE(::GetPropA(window_.get(), "WindowSubClassProcedure"), nullptr);
    EXPECT_EQ(::GetPropA(window_.get(), "WindowPointer"), form_.get());
    EXPECT_TRUE(::IsWindowUnicode(window_.get())) << "a Unicode window stays Unicode";
    menu.reset();
    window.reset();
    system_.reset();
    EXPECT_EQ(::GetWindowLongPtrW(window_.get(), GWLP_WNDPROC), original);
    EXPECT_EQ(::GetPropA(window_.get(), "WindowSubClassProcedure"), nullptr);
    EXPECT_EQ(::GetPropA(window_.get(), "WindowPointer"), nullptr);
    EXPECT_EQ(library_.CanUnloadNow(), S_OK) << "every record and drawing object went with it";
}
