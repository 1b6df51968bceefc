#pragma once
// Project: tells whether a form runs inside the development environment, and hides or shows it.
#include "interop/ComObject.h"
#include "Syslinkage_h.h"

namespace syslinkage {

class CProject final : public DispatchObject<_Project> {
public:
    static HRESULT Create(REFIID iid, void** out) { return CreateInstance<CProject>(iid, out); }

    HRESULT STDMETHODCALLTYPE get_WorkingInIDE(LONG hWndForm, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE put_IDEVisible(LONG hWndForm, VARIANT_BOOL value) override;

private:
    friend class DispatchObject<_Project>;
    CProject() = default;
    ~CProject() override = default;
};

} // namespace syslinkage
