#pragma once
// What DllRegisterServer and DllUnregisterServer write and remove: the type library with its dual
// interfaces, and the creatable classes with their in-process server, threading model and ProgID.
#include <windows.h>

namespace syslinkage {

HRESULT RegisterServer() noexcept;
HRESULT UnregisterServer() noexcept;

} // namespace syslinkage
