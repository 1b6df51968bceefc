#pragma once
// The class factory of one creatable class.
#include "interop/ComObject.h"

namespace syslinkage {

template <typename Class> class ClassFactory final : public PlainObject<IClassFactory> {
public:
    static HRESULT Create(REFIID iid, void** out) noexcept {
        return ReturnNewObject(new (std::nothrow) ClassFactory, iid, out);
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
    ClassFactory() noexcept = default;
};

} // namespace syslinkage
