#include "app/menu/MenuClientObjects.h"

#include "winkit/Scoped.h"

#include <windows.h>

#include <atomic>
#include <cwchar>
#include <vector>

namespace quillet {
namespace {

struct Member {
    const wchar_t* name;
    DISPID id;
};

// IUnknown and IDispatch by a table of member names (compared case-insensitively, as automation does);
// the type information is not offered, callers bind by name.
class NamedDispatch : public IDispatch {
public:
    explicit NamedDispatch(std::vector<Member> members) : members_(std::move(members)) {}
    virtual ~NamedDispatch() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info)
            *info = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (!names || !ids || count == 0)
            return E_INVALIDARG;
        HRESULT result = S_OK;
        for (UINT i = 0; i < count; ++i)
            ids[i] = DISPID_UNKNOWN;
        for (const Member& m : members_) {
            if (names[0] && _wcsicmp(names[0], m.name) == 0)
                ids[0] = m.id;
        }
        if (ids[0] == DISPID_UNKNOWN)
            result = DISP_E_UNKNOWNNAME;
        // None of the members has named parameters.
        if (count > 1)
            result = DISP_E_UNKNOWNNAME;
        return result;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT* argError) override {
        if (argError)
            *argError = 0;
        DISPPARAMS none{};
        try {
            return Call(id, flags, params ? *params : none, result);
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

protected:
    static bool Getting(WORD flags) { return (flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) != 0; }
    static bool Putting(WORD flags) { return (flags & DISPATCH_PROPERTYPUT) != 0; }

    static HRESULT ReturnLong(VARIANT* result, LONG value) {
        if (result) {
            ::VariantInit(result);
            result->vt = VT_I4;
            result->lVal = value;
        }
        return S_OK;
    }
    static HRESULT ReturnBool(VARIANT* result, bool value) {
        if (result) {
            ::VariantInit(result);
            result->vt = VT_BOOL;
            result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        }
        return S_OK;
    }

    virtual HRESULT Call(DISPID id, WORD flags, DISPPARAMS& params, VARIANT* result) = 0;

private:
    std::vector<Member> members_;
    std::atomic<ULONG> refs_{1};
};

enum FormMember : DISPID { kHwnd = 1, kHdc, kBackColor, kMdiForm, kRefresh };
enum ItemMember : DISPID { kCaption = 1, kChecked, kEnabled, kParent };

class FormObject final : public NamedDispatch {
public:
    explicit FormObject(HWND window)
        : NamedDispatch({{L"hWnd", kHwnd},
                         {L"hDC", kHdc},
                         {L"BackColor", kBackColor},
                         {L"MDIForm", kMdiForm},
                         {L"Refresh", kRefresh}}),
          window_(window) {
        winkit::WindowDC screen(nullptr);
        dc_.reset(::CreateCompatibleDC(screen.get()));
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            font_.reset(::CreateFontIndirectW(&metrics.lfMenuFont));
        if (dc_ && font_)
            oldFont_ = ::SelectObject(dc_.get(), font_.get());
    }
    ~FormObject() override {
        if (oldFont_ && oldFont_ != HGDI_ERROR)
            ::SelectObject(dc_.get(), oldFont_);
    }

protected:
    HRESULT Call(DISPID id, WORD flags, DISPPARAMS&, VARIANT* result) override {
        if (id == kRefresh) {
            if (!(flags & DISPATCH_METHOD))
                return DISP_E_MEMBERNOTFOUND;
            ::InvalidateRect(window_, nullptr, TRUE);
            ::UpdateWindow(window_);
            return S_OK;
        }
        if (!Getting(flags))
            return DISP_E_MEMBERNOTFOUND;
        switch (id) {
        case kHwnd:
            return ReturnLong(result, HandleToLong(window_));
        case kHdc:
            return ReturnLong(result, HandleToLong(dc_.get()));
        case kBackColor:
            // The class brush's colour (the form is never shown, but animations paint behind it).
            return ReturnLong(result, static_cast<LONG>(::GetSysColor(COLOR_BTNFACE)));
        case kMdiForm:
            return ReturnBool(result, false);
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    HWND window_;
    winkit::ScopedMemoryDC dc_;
    winkit::ScopedGdiObject font_;
    HGDIOBJ oldFont_ = nullptr;
};

class MenuItemObject final : public NamedDispatch {
public:
    MenuItemObject(std::shared_ptr<MenuItemState> state, IDispatch* form)
        : NamedDispatch({{L"Caption", kCaption}, {L"Checked", kChecked}, {L"Enabled", kEnabled}, {L"Parent", kParent}}),
          state_(std::move(state)), form_(form) {}

protected:
    HRESULT Call(DISPID id, WORD flags, DISPPARAMS& params, VARIANT* result) override {
        if (Putting(flags)) {
            if (id != kChecked)
                return DISP_E_MEMBERNOTFOUND;
            if (params.cArgs != 1 || !params.rgvarg)
                return DISP_E_BADPARAMCOUNT;
            VARIANT value;
            ::VariantInit(&value);
            // Takes VT_BOOL, numbers and references to either.
            if (FAILED(::VariantChangeType(&value, &params.rgvarg[0], 0, VT_BOOL)))
                return DISP_E_TYPEMISMATCH;
            state_->checked = value.boolVal != VARIANT_FALSE;
            if (state_->checkedChanged)
                state_->checkedChanged();
            return S_OK;
        }
        if (!Getting(flags))
            return DISP_E_MEMBERNOTFOUND;
        switch (id) {
        case kCaption:
            if (result) {
                ::VariantInit(result);
                result->vt = VT_BSTR;
                result->bstrVal = ::SysAllocStringLen(state_->caption.data(),
                                                      static_cast<UINT>(state_->caption.size()));
                if (!result->bstrVal)
                    return E_OUTOFMEMORY;
            }
            return S_OK;
        case kChecked:
            return ReturnBool(result, state_->checked);
        case kEnabled:
            return ReturnBool(result, state_->enabled);
        case kParent:
            if (!form_)
                return DISP_E_MEMBERNOTFOUND;
            if (result) {
                ::VariantInit(result);
                result->vt = VT_DISPATCH;
                result->pdispVal = form_.get();
                form_->AddRef();
            }
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    std::shared_ptr<MenuItemState> state_;
    winkit::ComPtr<IDispatch> form_;
};

} // namespace

winkit::ComPtr<IDispatch> CreateFormObject(HWND window) {
    return winkit::ComPtr<IDispatch>::Attach(new FormObject(window));
}

winkit::ComPtr<IDispatch> CreateMenuItemObject(std::shared_ptr<MenuItemState> state, IDispatch* form) {
    return winkit::ComPtr<IDispatch>::Attach(new MenuItemObject(std::move(state), form));
}

IDispatch* MenuClientObjects::Item(const MenuNode& node) {
    auto& object = items_[node.name];
    if (!object)
        object = CreateMenuItemObject(node.state, form_.get());
    return object.get();
}

} // namespace quillet
