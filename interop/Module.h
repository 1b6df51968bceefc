#pragma once
// The library's own state: its module handle, the count of live objects and server locks that
// DllCanUnloadNow reports, and the type library every IDispatch implementation reads its members from.
#include <windows.h>
#include <oaidl.h>

#include <string>

namespace syslinkage {

HMODULE ModuleHandle() noexcept;
void SetModuleHandle(HMODULE module) noexcept;
// The full path of the library file; empty when it cannot be read.
std::wstring ModulePath();

// Every COM object of the library counts itself here for its whole life.
void ObjectCreated() noexcept;
void ObjectDestroyed() noexcept;
void LockServer(bool lock) noexcept;
bool CanUnload() noexcept;
long LiveObjects() noexcept;

// The ITypeInfo of one interface of the embedded type library, loaded on first use.
HRESULT GetInterfaceTypeInfo(REFIID iid, ITypeInfo** info) noexcept;

} // namespace syslinkage
