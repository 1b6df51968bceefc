#pragma once
// Computer: the computer's name, and the CD drive object it keeps for its whole life.
#include "interop/ComObject.h"
#include "Syslinkage_h.h"

namespace syslinkage {

class CComputer final : public DispatchObject<_Computer> {
public:
    static HRESULT Create(REFIID iid, void** out) { return CreateInstance<CComputer>(iid, out); }

    HRESULT STDMETHODCALLTYPE get_Name(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_CDDrive(_MCI** result) override;

private:
    friend class DispatchObject<_Computer>;
    CComputer() = default;
    ~CComputer() override = default;

    winkit::ComPtr<_MCI> cdDrive_;
};

} // namespace syslinkage
