#include "app/menu/MenuClientObjects.h"

#include "winkit/Com.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Binds by name and reads, as the menu drawer does.
DISPID IdOf(IDispatch* object, const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
        return DISPID_UNKNOWN;
    return id;
}

HRESULT Get(IDispatch* object, const wchar_t* name, VARIANT* out, WORD flags = DISPATCH_PROPERTYGET) {
    DISPPARAMS none{};
    ::VariantInit(out);
    return object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, flags, &none, out, nullptr, nullptr);
}

HRESULT Put(IDispatch* object, const wchar_t* name, VARIANT value) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    return object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                          nullptr, nullptr);
}

class MenuClientObjectsTest : public testing::Test {
protected:
    void SetUp() override {
        window_ = ::CreateWindowExW(0, L"STATIC", L"form", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
        form_ = quillet::CreateFormObject(window_);
        state_ = std::make_shared<quillet::MenuItemState>();
        state_->caption = L"&Auto Paste";
        item_ = quillet::CreateMenuItemObject(state_, form_.get());
    }
    void TearDown() override { ::DestroyWindow(window_); }

    winkit::ComApartment apartment_;
    HWND window_ = nullptr;
    winkit::ComPtr<IDispatch> form_;
    std::shared_ptr<quillet::MenuItemState> state_;
    winkit::ComPtr<IDispatch> item_;
};

} // namespace

TEST_F(MenuClientObjectsTest, ItemAnswersItsMembersByNameInAnyCase) {
    EXPECT_NE(IdOf(item_.get(), L"Caption"), DISPID_UNKNOWN);
    EXPECT_EQ(IdOf(item_.get(), L"caption"), IdOf(item_.get(), L"CAPTION"));
    EXPECT_NE(IdOf(item_.get(), L"Checked"), IdOf(item_.get(), L"Parent"));
    DISPID id = 0;
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"Visible")};
    EXPECT_EQ(item_->GetIDsOfNames(IID_NULL, unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    EXPECT_EQ(IdOf(form_.get(), L"Caption"), DISPID_UNKNOWN) << "a form is not a menu item";
}

TEST_F(MenuClientObjectsTest, CaptionAndCheckAreReadLiveAndCheckedCanBePut) {
    winkit::ScopedVariant v;
    ASSERT_EQ(Get(item_.get(), L"Caption", v.get()), S_OK);
    ASSERT_EQ(v->vt, VT_BSTR);
    EXPECT_STREQ(v->bstrVal, L"&Auto Paste");
    state_->caption = L"(2) &two";
    v.clear();
    ASSERT_EQ(Get(item_.get(), L"Caption", v.get(), DISPATCH_PROPERTYGET | DISPATCH_METHOD), S_OK);
    EXPECT_STREQ(v->bstrVal, L"(2) &two");

    v.clear();
    ASSERT_EQ(Get(item_.get(), L"Checked", v.get()), S_OK);
    EXPECT_EQ(v->vt, VT_BOOL);
    EXPECT_EQ(v->boolVal, VARIANT_FALSE);

    int changes = 0;
    state_->checkedChanged = [&] { ++changes; };
    VARIANT on;
    on.vt = VT_BOOL;
    on.boolVal = VARIANT_TRUE;
    ASSERT_EQ(Put(item_.get(), L"Checked", on), S_OK);
    EXPECT_TRUE(state_->checked);
    EXPECT_EQ(changes, 1);
    // Late-bound callers may pass a number, or a reference to a VARIANT.
    VARIANT zero;
    zero.vt = VT_I4;
    zero.lVal = 0;
    VARIANT byRef;
    byRef.vt = VT_BYREF | VT_VARIANT;
    byRef.pvarVal = &zero;
    ASSERT_EQ(Put(item_.get(), L"Checked", byRef), S_OK);
    EXPECT_FALSE(state_->checked);
    EXPECT_EQ(Put(item_.get(), L"Caption", on), DISP_E_MEMBERNOTFOUND) << "the caption is read-only";

    state_->enabled = false;
    v.clear();
    ASSERT_EQ(Get(item_.get(), L"Enabled", v.get()), S_OK);
    EXPECT_EQ(v->boolVal, VARIANT_FALSE);
}

TEST_F(MenuClientObjectsTest, ParentIsTheFormWithItsWindowAndMeasuringContext) {
    winkit::ScopedVariant parent;
    ASSERT_EQ(Get(item_.get(), L"Parent", parent.get()), S_OK);
    ASSERT_EQ(parent->vt, VT_DISPATCH);
    EXPECT_EQ(parent->pdispVal, form_.get());

    winkit::ScopedVariant v;
    ASSERT_EQ(Get(parent->pdispVal, L"hWnd", v.get()), S_OK);
    ASSERT_EQ(v->vt, VT_I4);
    EXPECT_EQ(LongToHandle(v->lVal), window_);

    v.clear();
    ASSERT_EQ(Get(form_.get(), L"hDC", v.get()), S_OK);
    HDC dc = static_cast<HDC>(LongToHandle(v->lVal));
    ASSERT_NE(dc, nullptr);
    SIZE size{};
    EXPECT_TRUE(::GetTextExtentPoint32W(dc, L"Quillet", 7, &size));
    EXPECT_GT(size.cx, 0) << "the context measures text with a font selected";

    v.clear();
    ASSERT_EQ(Get(form_.get(), L"BackColor", v.get()), S_OK);
    EXPECT_EQ(static_cast<COLORREF>(v->lVal), ::GetSysColor(COLOR_BTNFACE));
    v.clear();
    ASSERT_EQ(Get(form_.get(), L"MDIForm", v.get()), S_OK);
    EXPECT_EQ(v->vt, VT_BOOL);
    EXPECT_EQ(v->boolVal, VARIANT_FALSE);
    v.clear();
    EXPECT_EQ(Get(form_.get(), L"Refresh", v.get(), DISPATCH_METHOD), S_OK);
    EXPECT_EQ(Get(form_.get(), L"Refresh", v.get(), DISPATCH_PROPERTYGET), DISP_E_MEMBERNOTFOUND);
}
