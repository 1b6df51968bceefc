#pragma once
// OS: the operating system's version facts, read afresh from the version service on every call.
#include "interop/ComObject.h"
#include "Syslinkage_h.h"

namespace syslinkage {

class COS final : public DispatchObject<_OS> {
public:
    static HRESULT Create(REFIID iid, void** out) { return CreateInstance<COS>(iid, out); }

    HRESULT STDMETHODCALLTYPE get_Name(OPERATING_SYSTEM* result) override;
    HRESULT STDMETHODCALLTYPE get_Build(LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_Major(LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_Minor(LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_ServicePack(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_ServicePackMajor(LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_ServicePackMinor(LONG* result) override;
    HRESULT STDMETHODCALLTYPE get_isServicePackInstalled(VARIANT_BOOL* result) override;

private:
    friend class DispatchObject<_OS>;
    COS() = default;
    ~COS() override = default;
};

} // namespace syslinkage
