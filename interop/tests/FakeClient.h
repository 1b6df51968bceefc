#pragma once
// A client of the library's late-bound contract: small IDispatch objects answering members by name, as
// a client's forms and menu items do.
#include <windows.h>
#include <dispex.h>
#include <oaidl.h>

#include <cwchar>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace syslinkage_test {

// Made with MakeScriptObject, it answers names only through IDispatchEx and refuses GetIDsOfNames, as
// the objects of a script's own classes do under some script engines.
class FakeDispatch final : public IDispatchEx {
public:
    using Getter = std::function<HRESULT(VARIANT*)>;
    using Putter = std::function<HRESULT(const VARIANT&)>;

    static FakeDispatch* Make() {
        auto* object = new FakeDispatch;
        object->AddRef();
        return object;
    }
    static FakeDispatch* MakeScriptObject() {
        FakeDispatch* object = Make();
        object->scriptOnly_ = true;
        return object;
    }
    void Member(const wchar_t* name, Getter get, Putter put = {}) {
        members_.push_back({name, std::move(get), std::move(put)});
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch || (scriptOnly_ && iid == __uuidof(IDispatchEx))) {
            *out = static_cast<IDispatchEx*>(this);
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
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (scriptOnly_)
            return E_NOTIMPL;
        return Find(names, count, ids);
    }
    HRESULT Find(LPOLESTR* names, UINT count, DISPID* ids) {
        if (count != 1)
            return DISP_E_UNKNOWNNAME;
        for (size_t i = 0; i < members_.size(); ++i)
            if (_wcsicmp(members_[i].name.c_str(), names[0]) == 0) {
                ids[0] = static_cast<DISPID>(i + 1);
                return S_OK;
            }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        if (id < 1 || static_cast<size_t>(id) > members_.size())
            return DISP_E_MEMBERNOTFOUND;
        const Entry& m = members_[static_cast<size_t>(id - 1)];
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            if (!m.put || !params || params->cArgs != 1)
                return DISP_E_MEMBERNOTFOUND;
            return m.put(params->rgvarg[0]);
        }
        VARIANT scratch;
        ::VariantInit(&scratch);
        const HRESULT hr = m.get ? m.get(result ? result : &scratch) : DISP_E_MEMBERNOTFOUND;
        ::VariantClear(&scratch);
        return hr;
    }

    // IDispatchEx: names and calls; the rest of it is not used by the library.
    HRESULT STDMETHODCALLTYPE GetDispID(BSTR name, DWORD, DISPID* id) override { return Find(&name, 1, id); }
    HRESULT STDMETHODCALLTYPE InvokeEx(DISPID id, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                       EXCEPINFO* exception, IServiceProvider*) override {
        return Invoke(id, IID_NULL, lcid, flags, params, result, exception, nullptr);
    }
    HRESULT STDMETHODCALLTYPE DeleteMemberByName(BSTR, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeleteMemberByDispID(DISPID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMemberProperties(DISPID, DWORD, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMemberName(DISPID, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetNextDispID(DWORD, DISPID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetNameSpaceParent(IUnknown**) override { return E_NOTIMPL; }

private:
    FakeDispatch() = default;
    ~FakeDispatch() = default;
    struct Entry {
        std::wstring name;
        Getter get;
        Putter put;
    };
    std::vector<Entry> members_;
    ULONG refs_ = 0;
    bool scriptOnly_ = false;
};

inline HRESULT Long(VARIANT* v, LONG value) {
    v->vt = VT_I4;
    v->lVal = value;
    return S_OK;
}
inline HRESULT Bool(VARIANT* v, bool value) {
    v->vt = VT_BOOL;
    v->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

// The state a fake form answers from; the test changes it between calls.
struct FormState {
    HWND window = nullptr;
    HDC dc = nullptr;
    bool mdi = false;
    int refreshes = 0;
};

inline IDispatch* MakeForm(const std::shared_ptr<FormState>& state) {
    FakeDispatch* form = FakeDispatch::Make();
    form->Member(L"hWnd", [state](VARIANT* v) { return Long(v, HandleToLong(state->window)); });
    form->Member(L"hDC", [state](VARIANT* v) { return state->dc ? Long(v, HandleToLong(state->dc)) : E_FAIL; });
    form->Member(L"MDIForm", [state](VARIANT* v) { return Bool(v, state->mdi); });
    form->Member(L"Refresh", [state](VARIANT*) {
        ++state->refreshes;
        return S_OK;
    });
    return form;
}

struct ItemState {
    std::wstring caption;
    bool checked = false;
    bool hasChecked = true;
};

// A form menu item; `form` is the Parent it answers (a reference of its own is taken per read).
inline IDispatch* MakeItem(const std::shared_ptr<ItemState>& state, IDispatch* form) {
    FakeDispatch* item = FakeDispatch::Make();
    item->Member(L"Caption", [state](VARIANT* v) {
        v->vt = VT_BSTR;
        v->bstrVal = ::SysAllocString(state->caption.c_str());
        return S_OK;
    });
    if (state->hasChecked)
        item->Member(
            L"Checked", [state](VARIANT* v) { return Bool(v, state->checked); },
            [state](const VARIANT& value) {
                VARIANT b;
                ::VariantInit(&b);
                if (FAILED(::VariantChangeType(&b, const_cast<VARIANT*>(&value), 0, VT_BOOL)))
                    return DISP_E_TYPEMISMATCH;
                state->checked = b.boolVal != VARIANT_FALSE;
                return S_OK;
            });
    item->Member(L"Parent", [form](VARIANT* v) {
        v->vt = VT_DISPATCH;
        v->pdispVal = form;
        form->AddRef();
        return S_OK;
    });
    return item;
}

} // namespace syslinkage_test
