#include "interop/Registration.h"

#include "winkit/Com.h"
#include "winkit/Scoped.h"
#include "Syslinkage_h.h"

#include <oleauto.h>

#include <cwchar>
#include <string>
#include <utility>

// The per-user type library registration is in oleaut32 but missing from the MinGW headers.
extern "C" {
HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* lib, OLECHAR* path, OLECHAR* helpDir);
HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID libId, WORD major, WORD minor, LCID lcid, SYSKIND kind);
}

namespace syslinkage {
namespace {

constexpr WORD kLibMajor = 17;
constexpr WORD kLibMinor = 0;
constexpr LCID kLibLocale = 0x0409;

struct CreatableClass {
    const CLSID& clsid;
    const wchar_t* progId;
    const wchar_t* description;
};

const CreatableClass kCreatable[] = {
    {CLSID_System, L"Syslinkage.System", L"Syslinkage.System"},
    {CLSID_Global, L"Syslinkage.Global", L"Syslinkage.Global"},
};

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, 40);
    return text;
}

// The root and key prefix of the classes store of one scope.
std::pair<HKEY, std::wstring> ClassesRoot(RegistrationScope scope) {
    if (scope == RegistrationScope::Machine)
        return {HKEY_CLASSES_ROOT, L""};
    return {HKEY_CURRENT_USER, L"Software\\Classes\\"};
}

// The type library's version key is hexadecimal, as the system writes it: 17.0 is "11.0".
std::wstring TypeLibVersionKey() {
    wchar_t key[96];
    swprintf(key, 96, L"TypeLib\\%ls\\%x.%x", GuidText(LIBID_Syslinkage).c_str(), kLibMajor, kLibMinor);
    return key;
}

LSTATUS WriteClass(RegistryWriter& registry, RegistrationScope scope, const CreatableClass& c,
                   const std::wstring& path) {
    const auto [root, prefix] = ClassesRoot(scope);
    const std::wstring clsid = GuidText(c.clsid);
    const std::wstring key = prefix + L"CLSID\\" + clsid;
    const std::wstring progId = prefix + c.progId;
    const std::pair<std::wstring, std::pair<const wchar_t*, std::wstring>> values[] = {
        {key, {nullptr, c.description}},
        {key + L"\\InprocServer32", {nullptr, path}},
        {key + L"\\InprocServer32", {L"ThreadingModel", L"Apartment"}},
        {key + L"\\ProgID", {nullptr, c.progId}},
        {key + L"\\TypeLib", {nullptr, GuidText(LIBID_Syslinkage)}},
        {key + L"\\VERSION", {nullptr, L"17.0"}},
        {progId, {nullptr, c.description}},
        {progId + L"\\CLSID", {nullptr, clsid}},
    };
    for (const auto& [subKey, value] : values) {
        const LSTATUS status = registry.SetValue(root, subKey, value.first, value.second);
        if (status != ERROR_SUCCESS)
            return status;
    }
    return ERROR_SUCCESS;
}

HRESULT RegisterIn(RegistryWriter& registry, RegistrationScope scope, const std::wstring& path) {
    // Registering the type library also registers its dual interfaces for automation marshalling.
    const HRESULT hr = registry.RegisterTypeLibrary(path, scope);
    if (FAILED(hr))
        return hr;
    for (const CreatableClass& c : kCreatable) {
        const LSTATUS status = WriteClass(registry, scope, c, path);
        if (status != ERROR_SUCCESS)
            return HRESULT_FROM_WIN32(status);
    }
    return S_OK;
}

HRESULT UnregisterFrom(RegistryWriter& registry, RegistrationScope scope) {
    const auto [root, prefix] = ClassesRoot(scope);
    HRESULT result = S_OK;
    for (const CreatableClass& c : kCreatable) {
        for (const std::wstring& key : {prefix + L"CLSID\\" + GuidText(c.clsid), prefix + c.progId}) {
            if (!registry.KeyExists(root, key))
                continue;
            const LSTATUS status = registry.DeleteTree(root, key);
            if (status != ERROR_SUCCESS)
                result = HRESULT_FROM_WIN32(status);
        }
    }
    // Removing what is not there is not a failure.
    if (registry.KeyExists(root, prefix + TypeLibVersionKey())) {
        const HRESULT hr = registry.UnregisterTypeLibrary(scope);
        if (FAILED(hr))
            result = hr;
    }
    return result;
}

#ifdef _WIN64
constexpr SYSKIND kSysKind = SYS_WIN64;
#else
constexpr SYSKIND kSysKind = SYS_WIN32;
#endif

class WindowsRegistry final : public RegistryWriter {
public:
    LSTATUS SetValue(HKEY root, const std::wstring& subKey, const wchar_t* name, const std::wstring& value) override {
        winkit::ScopedKey key;
        const LSTATUS status = ::RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                                 KEY_SET_VALUE, nullptr, key.put(), nullptr);
        if (status != ERROR_SUCCESS)
            return status;
        const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        return ::RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
    }
    LSTATUS DeleteTree(HKEY root, const std::wstring& subKey) override {
        const LSTATUS status = ::RegDeleteTreeW(root, subKey.c_str());
        if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND)
            ::RegDeleteKeyW(root, subKey.c_str());
        return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
    }
    bool KeyExists(HKEY root, const std::wstring& subKey) override {
        winkit::ScopedKey key;
        return ::RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
    }
    HRESULT RegisterTypeLibrary(const std::wstring& path, RegistrationScope scope) override {
        winkit::ComPtr<ITypeLib> typeLib;
        const HRESULT hr = ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, typeLib.put());
        if (FAILED(hr))
            return hr;
        auto* pathText = const_cast<LPOLESTR>(path.c_str());
        return scope == RegistrationScope::Machine ? ::RegisterTypeLib(typeLib.get(), pathText, nullptr)
                                                   : ::RegisterTypeLibForUser(typeLib.get(), pathText, nullptr);
    }
    HRESULT UnregisterTypeLibrary(RegistrationScope scope) override {
        return scope == RegistrationScope::Machine
                   ? ::UnRegisterTypeLib(LIBID_Syslinkage, kLibMajor, kLibMinor, kLibLocale, kSysKind)
                   : ::UnRegisterTypeLibForUser(LIBID_Syslinkage, kLibMajor, kLibMinor, kLibLocale, kSysKind);
    }
};

} // namespace

bool IsRefusal(HRESULT hr) noexcept {
    return hr == E_ACCESSDENIED || hr == HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED) || hr == TYPE_E_REGISTRYACCESS ||
           hr == HRESULT_FROM_WIN32(ERROR_PRIVILEGE_NOT_HELD);
}

RegistryWriter& SystemRegistry() {
    static WindowsRegistry registry;
    return registry;
}

RegistrationResult RegisterServer(RegistryWriter& registry, const std::wstring& libraryPath) noexcept {
    try {
        if (libraryPath.empty())
            return {E_INVALIDARG, RegistrationScope::Machine};
        const HRESULT hr = RegisterIn(registry, RegistrationScope::Machine, libraryPath);
        if (!IsRefusal(hr))
            return {hr, RegistrationScope::Machine};
        // Take back whatever part of the machine-wide form did get written, so only one form remains.
        UnregisterFrom(registry, RegistrationScope::Machine);
        return {RegisterIn(registry, RegistrationScope::User, libraryPath), RegistrationScope::User};
    } catch (...) {
        return {E_OUTOFMEMORY, RegistrationScope::Machine};
    }
}

HRESULT UnregisterServer(RegistryWriter& registry) noexcept {
    try {
        const HRESULT machine = UnregisterFrom(registry, RegistrationScope::Machine);
        const HRESULT user = UnregisterFrom(registry, RegistrationScope::User);
        return FAILED(machine) ? machine : user;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

} // namespace syslinkage
