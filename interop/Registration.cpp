#include "interop/Registration.h"

#include "interop/Module.h"
#include "winkit/Com.h"
#include "winkit/Scoped.h"
#include "Syslinkage_h.h"

#include <oleauto.h>

#include <cwchar>
#include <string>

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

LSTATUS SetValue(HKEY root, const std::wstring& subKey, const wchar_t* name, const std::wstring& value) {
    winkit::ScopedKey key;
    LSTATUS status = ::RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                       nullptr, key.put(), nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
}

LSTATUS DeleteTree(HKEY root, const std::wstring& subKey) {
    const LSTATUS status = ::RegDeleteTreeW(root, subKey.c_str());
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND)
        ::RegDeleteKeyW(root, subKey.c_str());
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

LSTATUS RegisterClass(HKEY root, const CreatableClass& c, const std::wstring& path) {
    const std::wstring clsid = GuidText(c.clsid);
    const std::wstring key = L"CLSID\\" + clsid;
    const std::pair<std::wstring, std::pair<const wchar_t*, std::wstring>> values[] = {
        {key, {nullptr, c.description}},
        {key + L"\\InprocServer32", {nullptr, path}},
        {key + L"\\InprocServer32", {L"ThreadingModel", L"Apartment"}},
        {key + L"\\ProgID", {nullptr, c.progId}},
        {key + L"\\TypeLib", {nullptr, GuidText(LIBID_Syslinkage)}},
        {key + L"\\VERSION", {nullptr, L"17.0"}},
        {c.progId, {nullptr, c.description}},
        {std::wstring(c.progId) + L"\\CLSID", {nullptr, clsid}},
    };
    for (const auto& [subKey, value] : values) {
        const LSTATUS status = SetValue(root, subKey, value.first, value.second);
        if (status != ERROR_SUCCESS)
            return status;
    }
    return ERROR_SUCCESS;
}

} // namespace

HRESULT RegisterServer() noexcept {
    try {
        const std::wstring path = ModulePath();
        if (path.empty())
            return HRESULT_FROM_WIN32(::GetLastError());
        winkit::ComPtr<ITypeLib> typeLib;
        HRESULT hr = ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, typeLib.put());
        if (FAILED(hr))
            return hr;
        // Registering the type library also registers its dual interfaces for automation marshalling.
        hr = ::RegisterTypeLib(typeLib.get(), const_cast<LPOLESTR>(path.c_str()), nullptr);
        if (FAILED(hr))
            return hr;
        for (const CreatableClass& c : kCreatable) {
            const LSTATUS status = RegisterClass(HKEY_CLASSES_ROOT, c, path);
            if (status != ERROR_SUCCESS)
                return HRESULT_FROM_WIN32(status);
        }
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT UnregisterServer() noexcept {
    try {
        HRESULT result = S_OK;
        for (const CreatableClass& c : kCreatable) {
            for (const std::wstring& key : {L"CLSID\\" + GuidText(c.clsid), std::wstring(c.progId)}) {
                const LSTATUS status = DeleteTree(HKEY_CLASSES_ROOT, key);
                if (status != ERROR_SUCCESS)
                    result = HRESULT_FROM_WIN32(status);
            }
        }
#ifdef _WIN64
        const SYSKIND kind = SYS_WIN64;
#else
        const SYSKIND kind = SYS_WIN32;
#endif
        // Removing what is not there is not a failure. The version key is hexadecimal, as the
        // system writes it.
        wchar_t versionKey[96];
        swprintf(versionKey, 96, L"TypeLib\\%ls\\%x.%x", GuidText(LIBID_Syslinkage).c_str(), kLibMajor, kLibMinor);
        winkit::ScopedKey registered;
        if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, versionKey, 0, KEY_READ, registered.put()) == ERROR_SUCCESS) {
            registered.reset();
            const HRESULT hr = ::UnRegisterTypeLib(LIBID_Syslinkage, kLibMajor, kLibMinor, kLibLocale, kind);
            if (FAILED(hr))
                result = hr;
        }
        return result;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

} // namespace syslinkage
