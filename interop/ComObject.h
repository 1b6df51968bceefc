#pragma once
// The plumbing every Syslinkage class shares: reference counting, QueryInterface, IDispatch through the
// type library, automation error info and the live-object count, so a class file holds only its members.
#include "interop/Module.h"
#include "winkit/Com.h"

#include <oaidl.h>

#include <atomic>
#include <new>
#include <string>

namespace syslinkage {

// Runs a member's body so that no exception ever crosses the COM boundary.
template <typename Body> HRESULT Guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// Sets the calling thread's automation error info (source "Syslinkage") and returns hr.
HRESULT ReportError(HRESULT hr, REFIID iid, const wchar_t* description) noexcept;

// Hands out a text as a new BSTR.
HRESULT ReturnText(const std::wstring& text, BSTR* result) noexcept;

inline VARIANT_BOOL ToVariantBool(bool value) noexcept { return value ? VARIANT_TRUE : VARIANT_FALSE; }

// Hands out an interface pointer with a reference of the caller's own.
template <typename T> HRESULT ReturnInterface(const winkit::ComPtr<T>& p, T** out) noexcept {
    if (!out)
        return E_POINTER;
    *out = p.get();
    if (*out)
        (*out)->AddRef();
    return S_OK;
}

// Hands out the requested interface of a newly made object (nullptr when making it failed); the object
// goes again when that interface is not there.
template <typename T> HRESULT ReturnNewObject(T* object, REFIID iid, void** out) noexcept {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!object)
        return E_OUTOFMEMORY;
    object->AddRef();
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
}

// Base of a helper object that exposes one plain interface `Interface` (a class factory, an enumerator):
// its reference count and QueryInterface, and the live-object count that keeps the library loaded.
template <typename Interface> class PlainObject : public Interface {
public:
    PlainObject(const PlainObject&) = delete;
    PlainObject& operator=(const PlainObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == __uuidof(Interface)) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const long left = --refs_;
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

protected:
    PlainObject() noexcept { ObjectCreated(); }
    virtual ~PlainObject() { ObjectDestroyed(); }

private:
    std::atomic<long> refs_{0};
};

// Base of every class exposing one dual interface `Interface`.
template <typename Interface> class DispatchObject : public Interface, public ISupportErrorInfo {
public:
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    // Creates an object of the derived class and returns the requested interface of it.
    template <typename Derived, typename... Args> static HRESULT CreateInstance(REFIID iid, void** out, Args&&... args) {
        if (!out)
            return E_POINTER;
        return ReturnNewObject(new (std::nothrow) Derived(std::forward<Args>(args)...), iid, out);
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(Interface)) {
            *out = static_cast<Interface*>(this);
        } else if (iid == IID_ISupportErrorInfo) {
            *out = static_cast<ISupportErrorInfo*>(this);
        } else if (void* extra = QueryExtra(iid)) {
            *out = extra;
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const long left = --refs_;
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch, answered from the embedded type library
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (!info)
            return E_POINTER;
        *info = nullptr;
        return index == 0 ? GetInterfaceTypeInfo(__uuidof(Interface), info) : DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        winkit::ComPtr<ITypeInfo> info;
        const HRESULT hr = GetInterfaceTypeInfo(__uuidof(Interface), info.put());
        return FAILED(hr) ? hr : info->GetIDsOfNames(names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argError) override {
        winkit::ComPtr<ITypeInfo> info;
        const HRESULT hr = GetInterfaceTypeInfo(__uuidof(Interface), info.put());
        if (FAILED(hr))
            return hr;
        return info->Invoke(static_cast<Interface*>(this), id, flags, params, result, exception, argError);
    }

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
        return iid == __uuidof(Interface) ? S_OK : S_FALSE;
    }

protected:
    DispatchObject() noexcept { ObjectCreated(); }
    virtual ~DispatchObject() { ObjectDestroyed(); }

    // Further interfaces a class implements beside its default one.
    virtual void* QueryExtra(REFIID) { return nullptr; }

    HRESULT Fail(HRESULT hr, const wchar_t* description) const noexcept {
        return ReportError(hr, __uuidof(Interface), description);
    }

private:
    std::atomic<long> refs_{0};
};

} // namespace syslinkage
