#pragma once
// Global: the memberless application object clients may declare.
#include "interop/ComObject.h"
#include "Syslinkage_h.h"

namespace syslinkage {

class CGlobal final : public DispatchObject<_Global> {
public:
    static HRESULT Create(REFIID iid, void** out) { return CreateInstance<CGlobal>(iid, out); }

private:
    friend class DispatchObject<_Global>;
    CGlobal() = default;
    ~CGlobal() override = default;
};

} // namespace syslinkage
