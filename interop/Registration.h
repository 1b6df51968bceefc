#pragma once
// What DllRegisterServer and DllUnregisterServer write and remove: the type library with its dual
// interfaces, and the creatable classes with their in-process server, threading model and ProgID.
//
// The entries go machine-wide (HKEY_CLASSES_ROOT) when that is permitted. A standard user is refused
// there, and Quillet registers the library at every start, so a refusal falls back to the per-user
// form (HKEY_CURRENT_USER\Software\Classes and the per-user type library registration). Unregistering
// removes whichever of the two is present.
#include <windows.h>
#include <oaidl.h>

#include <string>

namespace syslinkage {

enum class RegistrationScope { Machine, User };

// The registry and type library calls registration makes, so the choice of scope can be exercised
// against a registry that refuses.
class RegistryWriter {
public:
    virtual ~RegistryWriter() = default;
    virtual LSTATUS SetValue(HKEY root, const std::wstring& subKey, const wchar_t* name, const std::wstring& value) = 0;
    // Removes a key with everything below it; a missing key is ERROR_SUCCESS.
    virtual LSTATUS DeleteTree(HKEY root, const std::wstring& subKey) = 0;
    virtual bool KeyExists(HKEY root, const std::wstring& subKey) = 0;
    virtual HRESULT RegisterTypeLibrary(const std::wstring& path, RegistrationScope scope) = 0;
    virtual HRESULT UnregisterTypeLibrary(RegistrationScope scope) = 0;
};

// The real registry and OLE automation runtime.
RegistryWriter& SystemRegistry();

// The scope the entries were written to, or the failure.
struct RegistrationResult {
    HRESULT hr;
    RegistrationScope scope;
};
RegistrationResult RegisterServer(RegistryWriter& registry, const std::wstring& libraryPath) noexcept;
HRESULT UnregisterServer(RegistryWriter& registry) noexcept;

// Whether a failure means "not permitted here" rather than a real fault.
bool IsRefusal(HRESULT hr) noexcept;

} // namespace syslinkage
