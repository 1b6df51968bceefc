#include "app/menu/SetMenuBitmaps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Reads a form menu item's caption the way the library does: by name, late bound.
std::wstring CaptionOf(IDispatch* item) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"Caption")};
    if (!item || FAILED(item->GetIDsOfNames(IID_NULL, names, 1, 0, &id)))
        return L"?";
    DISPPARAMS none{};
    winkit::ScopedVariant v;
    if (FAILED(item->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, v.get(), nullptr, nullptr)) ||
        v->vt != VT_BSTR)
        return L"?";
    return v->bstrVal;
}

// Records each call as "Member:caption", and fails those it is told to.
class RecordingMenu final : public _Menu {
public:
    std::vector<std::wstring> calls;
    std::vector<IPictureDisp*> pictures;
    std::wstring failFor; // calls for this caption fail, as an unconvertible item would

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(_Menu)) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE put_MenuSeperator(IDispatch** item, VARIANT_BOOL value) override {
        return Record(L"MenuSeperator", item, value);
    }
    HRESULT STDMETHODCALLTYPE putref_BitmapImage(IDispatch** item, IPictureDisp* picture) override {
        pictures.push_back(picture);
        return Record(L"BitmapImage", item, picture ? VARIANT_TRUE : VARIANT_FALSE);
    }
    HRESULT STDMETHODCALLTYPE put_Checked(IDispatch** item, VARIANT* bitmap, VARIANT_BOOL value) override {
        // No checkmark picture: the optional argument is left out.
        if (!bitmap || bitmap->vt != VT_ERROR || bitmap->scode != DISP_E_PARAMNOTFOUND)
            return Record(L"Checked(with picture)", item, value);
        return Record(L"Checked", item, value);
    }
    HRESULT STDMETHODCALLTYPE put_Include(IDispatch** item, VARIANT_BOOL value) override {
        return Record(L"Include", item, value);
    }
    HRESULT STDMETHODCALLTYPE put_Break(LONG, LONG, LONG, VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_SystemCloseButtonEnabled(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_EnableDisabledMenuSelection(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_EnableDisabledMenuSelection(VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_SideBar(IDispatch** item, VARIANT_BOOL value) override {
        return Record(L"SideBar", item, value);
    }

private:
    HRESULT Record(const std::wstring& member, IDispatch** item, VARIANT_BOOL value) {
        const std::wstring caption = item ? CaptionOf(*item) : L"?";
        calls.push_back(member + L":" + caption + (value == VARIANT_TRUE ? L"" : L"=false"));
        return caption == failFor ? E_FAIL : S_OK;
    }
};

class SetMenuBitmapsTest : public testing::Test {
protected:
    void SetUp() override {
        window_ = ::CreateWindowExW(0, L"STATIC", L"form", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        objects_ = std::make_unique<quillet::MenuClientObjects>(window_);
        menus_.LoadQLMenu();
        pictures_.Load();
    }
    void TearDown() override {
        objects_.reset();
        ::DestroyWindow(window_);
    }
    winkit::ComApartment apartment_;
    HWND window_ = nullptr;
    quillet::frmMainMenus menus_;
    std::unique_ptr<quillet::MenuClientObjects> objects_;
    quillet::MenuPictures pictures_;
    RecordingMenu drawer_;
};

// The order the drawer is given the items in, written out by hand from the icon table.
const std::vector<std::wstring> kCallsWithOneAddress{
    L"SideBar:Quillet Menu",          L"SideBar:Quillet",
    L"BitmapImage:&Remove Diacritics", L"BitmapImage:E&xit",
    L"BitmapImage:Show &Quillet",      L"BitmapImage:To &Lower Case",
    L"BitmapImage:To &Upper Case",     L"BitmapImage:To &Proper Case",
    L"BitmapImage:Make &Sentences",    L"BitmapImage:&Case Conversion",
    L"BitmapImage:Cl&ip from Quillet", L"BitmapImage:&Options",
    L"BitmapImage:&Settings...",       L"BitmapImage:Current &Date",
    L"BitmapImage:Current &Time",      L"BitmapImage:I&P adress (1.2.3.4)",
    L"BitmapImage:R&everse Text",      L"BitmapImage:&To ZiG zAg Case",
    L"BitmapImage:&Reverse Case",      L"MenuSeperator:Clipboard Formatting",
    L"MenuSeperator:Quillet &Settings", L"MenuSeperator:Clips",
    L"MenuSeperator:Copy to Clipboard", L"Checked:&Auto Paste",
    L"Checked:&Run At Startup"};

} // namespace

TEST_F(SetMenuBitmapsTest, HandsTheItemsOverInOrderAndSkipsTheHiddenAddressItem) {
    quillet::MenuNode* pub = menus_.Item(L"mnuIpAdressPUB");
    menus_.SetCaption(*pub, L"I&P adress (1.2.3.4)");
    const auto failed = quillet::SetMenuBitmaps(&drawer_, menus_, *objects_, pictures_);
    EXPECT_TRUE(failed.empty());
    EXPECT_EQ(drawer_.calls, kCallsWithOneAddress);
    // Every picture handed over is a different one, and the clip submenu's is imgclip's.
    ASSERT_EQ(drawer_.pictures.size(), 17u);
    EXPECT_EQ(drawer_.pictures[8], pictures_.Picture(quillet::MenuPictures::kClipImage));
    for (size_t i = 0; i < drawer_.pictures.size(); ++i)
        for (size_t j = i + 1; j < drawer_.pictures.size(); ++j)
            EXPECT_NE(drawer_.pictures[i], drawer_.pictures[j]) << i << " " << j;
    // The two check items end up checked on their own.
    EXPECT_TRUE(menus_.Item(L"mnuRunStartup")->state->checked);
    EXPECT_TRUE(menus_.Item(L"mnuAutoPaste")->state->checked);
}

TEST_F(SetMenuBitmapsTest, BothAddressItemsWhenShownAndNoneWhenHidden) {
    menus_.SetVisible(*menus_.Item(L"mnuIpAdressLAN"), true);
    quillet::SetMenuBitmaps(&drawer_, menus_, *objects_, pictures_);
    EXPECT_EQ(drawer_.calls.size(), kCallsWithOneAddress.size() + 1);
    EXPECT_EQ(drawer_.calls[15], L"BitmapImage:I&P adress");
    EXPECT_EQ(drawer_.calls[16], L"BitmapImage:I&P adress");

    RecordingMenu none;
    menus_.SetVisible(*menus_.Item(L"mnuIpAdressLAN"), false);
    menus_.SetVisible(*menus_.Item(L"mnuIpAdressPUB"), false);
    quillet::SetMenuBitmaps(&none, menus_, *objects_, pictures_);
    EXPECT_EQ(none.calls.size(), kCallsWithOneAddress.size() - 1);
    for (const auto& call : none.calls)
        EXPECT_EQ(call.find(L"I&P"), std::wstring::npos) << call;
}

TEST_F(SetMenuBitmapsTest, AFailingCallLeavesOnlyThatItemPlain) {
    drawer_.failFor = L"Cl&ip from Quillet";
    const auto failed = quillet::SetMenuBitmaps(&drawer_, menus_, *objects_, pictures_);
    EXPECT_EQ(failed, (std::vector<std::wstring>{L"mnuClipFromQuillet"}));
    EXPECT_EQ(drawer_.calls.size(), kCallsWithOneAddress.size()) << "every later call was still made";
    // Without the library's menu at all nothing is called and the menus still work plainly.
    EXPECT_FALSE(quillet::SetMenuBitmaps(nullptr, menus_, *objects_, pictures_).empty());
}
