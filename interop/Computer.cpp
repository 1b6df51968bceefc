#include "interop/Computer.h"

#include "interop/CDDrive.h"
#include "interop/SystemText.h"

namespace syslinkage {

HRESULT CComputer::get_Name(BSTR* result) {
    if (!result)
        return E_POINTER;
    *result = nullptr;
    return Guarded([&] { return ReturnText(ComputerName(), result); });
}

HRESULT CComputer::get_CDDrive(_MCI** result) {
    if (!result)
        return E_POINTER;
    *result = nullptr;
    if (!cdDrive_) {
        const HRESULT hr = CCDDrive::Create(IID__MCI, cdDrive_.put_void());
        if (FAILED(hr))
            return hr;
    }
    return ReturnInterface(cdDrive_, result);
}

} // namespace syslinkage
