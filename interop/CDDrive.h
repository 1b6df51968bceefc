#pragma once
// CDDrive: opens and closes the CD drive door through the multimedia command interface. Its own
// interface _CDDrive has no members, so the object is built on _MCI, which clients call; a request for
// _CDDrive is answered with the same pointer, whose IDispatch part is all _CDDrive has.
#include "interop/ComObject.h"
#include "Syslinkage_h.h"

namespace syslinkage {

class CCDDrive final : public DispatchObject<_MCI> {
public:
    static HRESULT Create(REFIID iid, void** out) { return CreateInstance<CCDDrive>(iid, out); }

    HRESULT STDMETHODCALLTYPE openDoor() override;
    HRESULT STDMETHODCALLTYPE closeDoor() override;

private:
    friend class DispatchObject<_MCI>;
    CCDDrive() = default;
    ~CCDDrive() override = default;

    void* QueryExtra(REFIID iid) override { return iid == IID__CDDrive ? static_cast<_MCI*>(this) : nullptr; }
};

} // namespace syslinkage
