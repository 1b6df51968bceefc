#pragma once
// The class factory of one creatable class.
#include "interop/ComObject.h"

namespace syslinkage {

template <typename Class> class ClassFactory final : public IClassFactory {
public:
    static HRESULT Create(REFIID iid, void** out) noexcept {
        return ReturnNewObject(new (std::nothrow) ClassFactory, iid, out);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
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

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return Guarded([&] { return Class::Create(iid, out); });
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        syslinkage::LockServer(lock != FALSE);
        return S_OK;
    }

private:
    ClassFactory() noexcept { ObjectCreated(); }
    ~ClassFactory() { ObjectDestroyed(); }
    std::atomic<long> refs_{0};
};

} // namespace syslinkage
