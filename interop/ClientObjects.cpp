#include "interop/ClientObjects.h"

#include <dispex.h>
#include <ocidl.h>

namespace syslinkage {
namespace {

// A script's own objects may answer names only through IDispatchEx (some script engines leave
// GetIDsOfNames unimplemented there), so a refused name is asked again that way.
HRESULT DispIdOf(IDispatch* object, const wchar_t* name, DISPID& id, winkit::ComPtr<IDispatchEx>& ex) noexcept {
    if (!object)
        return E_POINTER;
    LPOLESTR text = const_cast<LPOLESTR>(name);
    const HRESULT hr = object->GetIDsOfNames(IID_NULL, &text, 1, LOCALE_USER_DEFAULT, &id);
    if (SUCCEEDED(hr) || FAILED(object->QueryInterface(__uuidof(IDispatchEx), ex.put_void())))
        return hr;
    BSTR asked = ::SysAllocString(name);
    if (!asked)
        return E_OUTOFMEMORY;
    const HRESULT exHr = ex->GetDispID(asked, fdexNameCaseInsensitive, &id);
    ::SysFreeString(asked);
    return SUCCEEDED(exHr) ? exHr : hr;
}

HRESULT Invoke(IDispatch* object, const wchar_t* name, WORD flags, VARIANT* args, UINT count,
               VARIANT* result) noexcept {
    DISPID id = 0;
    winkit::ComPtr<IDispatchEx> ex;
    HRESULT hr = DispIdOf(object, name, id, ex);
    if (FAILED(hr))
        return hr;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{args, flags == DISPATCH_PROPERTYPUT ? &named : nullptr, count,
                      flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
    // An identifier found through IDispatchEx is called through it too.
    if (ex)
        return ex->InvokeEx(id, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

} // namespace

bool HasMember(IDispatch* object, const wchar_t* name) noexcept {
    DISPID id = 0;
    winkit::ComPtr<IDispatchEx> ex;
    return SUCCEEDED(DispIdOf(object, name, id, ex));
}

HRESULT GetProperty(IDispatch* object, const wchar_t* name, VARIANT* result) noexcept {
    return Invoke(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, nullptr, 0, result);
}

HRESULT PutProperty(IDispatch* object, const wchar_t* name, const VARIANT& value) noexcept {
    VARIANT arg = value;
    return Invoke(object, name, DISPATCH_PROPERTYPUT, &arg, 1, nullptr);
}

HRESULT CallMethod(IDispatch* object, const wchar_t* name) noexcept {
    return Invoke(object, name, DISPATCH_METHOD, nullptr, 0, nullptr);
}

bool IsFormMenuItem(IDispatch* object) noexcept {
    return object && HasMember(object, L"Caption") && HasMember(object, L"Parent");
}

bool IsForm(IDispatch* object) noexcept {
    return object && HasMember(object, L"hWnd");
}

std::optional<long> LongProperty(IDispatch* object, const wchar_t* name) noexcept {
    winkit::ScopedVariant value;
    if (FAILED(GetProperty(object, name, value.get())))
        return std::nullopt;
    if (FAILED(::VariantChangeType(value.get(), value.get(), 0, VT_I4)))
        return std::nullopt;
    return value->lVal;
}

std::wstring TextProperty(IDispatch* object, const wchar_t* name) {
    winkit::ScopedVariant value;
    if (FAILED(GetProperty(object, name, value.get())) ||
        FAILED(::VariantChangeType(value.get(), value.get(), 0, VT_BSTR)) || !value->bstrVal)
        return {};
    return std::wstring(value->bstrVal, ::SysStringLen(value->bstrVal));
}

std::wstring ItemCaption(IDispatch* item) {
    return TextProperty(item, L"Caption");
}

std::optional<bool> ItemChecked(IDispatch* item) noexcept {
    winkit::ScopedVariant value;
    if (FAILED(GetProperty(item, L"Checked", value.get())) ||
        FAILED(::VariantChangeType(value.get(), value.get(), 0, VT_BOOL)))
        return std::nullopt;
    return value->boolVal != VARIANT_FALSE;
}

winkit::ComPtr<IDispatch> ItemParent(IDispatch* item) noexcept {
    winkit::ScopedVariant value;
    if (FAILED(GetProperty(item, L"Parent", value.get())) || value->vt != VT_DISPATCH)
        return {};
    return winkit::ComPtr<IDispatch>(value->pdispVal);
}

HWND FormWindow(IDispatch* form) noexcept {
    const std::optional<long> handle = LongProperty(form, L"hWnd");
    return handle ? static_cast<HWND>(LongToHandle(*handle)) : nullptr;
}

HDC FormDC(IDispatch* form) noexcept {
    const std::optional<long> handle = LongProperty(form, L"hDC");
    return handle ? static_cast<HDC>(LongToHandle(*handle)) : nullptr;
}

bool IsMdiForm(IDispatch* form) noexcept {
    winkit::ScopedVariant value;
    if (!form || FAILED(GetProperty(form, L"MDIForm", value.get())) ||
        FAILED(::VariantChangeType(value.get(), value.get(), 0, VT_BOOL)))
        return false;
    return value->boolVal != VARIANT_FALSE;
}

std::optional<OLE_COLOR> FormBackColor(IDispatch* form) noexcept {
    const std::optional<long> colour = LongProperty(form, L"BackColor");
    if (!colour)
        return std::nullopt;
    return static_cast<OLE_COLOR>(*colour);
}

HANDLE PictureHandle(IUnknown* picture) noexcept {
    if (!picture)
        return nullptr;
    winkit::ComPtr<IPicture> pic;
    OLE_HANDLE handle = 0;
    if (SUCCEEDED(picture->QueryInterface(IID_IPicture, pic.put_void())) && SUCCEEDED(pic->get_Handle(&handle)))
        return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle));
    // Any other picture object: its default property is the handle.
    winkit::ComPtr<IDispatch> dispatch;
    if (FAILED(picture->QueryInterface(IID_IDispatch, dispatch.put_void())))
        return nullptr;
    winkit::ScopedVariant value;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (FAILED(dispatch->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.get(),
                                nullptr, nullptr)) ||
        FAILED(::VariantChangeType(value.get(), value.get(), 0, VT_I4)))
        return nullptr;
    return LongToHandle(value->lVal);
}

HRESULT ObjectArgument(const VARIANT* argument, winkit::ComPtr<IDispatch>& object) noexcept {
    object.reset();
    if (!argument)
        return S_OK;
    const VARIANT* v = argument;
    if (v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal)
        v = v->pvarVal;
    switch (v->vt) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_ERROR: // a missing optional argument
        return S_OK;
    case VT_DISPATCH:
        object = winkit::ComPtr<IDispatch>(v->pdispVal);
        return S_OK;
    case VT_DISPATCH | VT_BYREF:
        object = winkit::ComPtr<IDispatch>(v->ppdispVal ? *v->ppdispVal : nullptr);
        return S_OK;
    case VT_UNKNOWN:
    case VT_UNKNOWN | VT_BYREF: {
        IUnknown* unknown = v->vt == VT_UNKNOWN ? v->punkVal : (v->ppunkVal ? *v->ppunkVal : nullptr);
        if (!unknown)
            return S_OK;
        return unknown->QueryInterface(IID_IDispatch, object.put_void()) == S_OK ? S_OK : DISP_E_TYPEMISMATCH;
    }
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

} // namespace syslinkage
