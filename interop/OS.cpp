#include "interop/OS.h"

#include "core/APIWin32Types.h"
#include "core/MachineInfo.h"
#include "winkit/TextConv.h"

#include <cstddef>

namespace syslinkage {
namespace {

constexpr auto kLayout = core::OsVersionInfoExLayout();
static_assert(sizeof(OSVERSIONINFOEXA) == kLayout.size);
static_assert(offsetof(OSVERSIONINFOEXA, szCSDVersion) == kLayout["szCSDVersion"].offset);
static_assert(sizeof(OSVERSIONINFOEXA::szCSDVersion) == kLayout["szCSDVersion"].size);
static_assert(offsetof(OSVERSIONINFOEXA, wServicePackMajor) == kLayout["wServicePackMajor"].offset);
static_assert(offsetof(OSVERSIONINFOEXA, wServicePackMinor) == kLayout["wServicePackMinor"].offset);
static_assert(offsetof(OSVERSIONINFOEXA, wProductType) == kLayout["wProductType"].offset);

// The version record as the system fills it now; all zeros when it refuses.
OSVERSIONINFOEXA Version() noexcept {
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = static_cast<DWORD>(kLayout.size);
// The version service is deprecated for new programs, not for reporting what it says.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
        info = OSVERSIONINFOEXA{};
        info.dwOSVersionInfoSize = static_cast<DWORD>(kLayout.size);
    }
#pragma GCC diagnostic pop
    return info;
}

std::wstring ServicePackText() {
    const OSVERSIONINFOEXA info = Version();
    return core::BufferText(winkit::FromAnsi(core::FieldText(info.szCSDVersion, sizeof(info.szCSDVersion))) + L'\0');
}

HRESULT ReturnLong(LONG value, LONG* result) noexcept {
    if (!result)
        return E_POINTER;
    *result = value;
    return S_OK;
}

} // namespace

HRESULT COS::get_Name(OPERATING_SYSTEM* result) {
    if (!result)
        return E_POINTER;
    const OSVERSIONINFOEXA info = Version();
    *result = static_cast<OPERATING_SYSTEM>(core::OperatingSystemName(info.dwMajorVersion, info.dwMinorVersion));
    return S_OK;
}

HRESULT COS::get_Build(LONG* result) {
    return ReturnLong(static_cast<LONG>(Version().dwBuildNumber), result);
}
HRESULT COS::get_Major(LONG* result) {
    return ReturnLong(static_cast<LONG>(Version().dwMajorVersion), result);
}
HRESULT COS::get_Minor(LONG* result) {
    return ReturnLong(static_cast<LONG>(Version().dwMinorVersion), result);
}

HRESULT COS::get_ServicePack(BSTR* result) {
    if (!result)
        return E_POINTER;
    *result = nullptr;
    return Guarded([&] { return ReturnText(ServicePackText(), result); });
}

HRESULT COS::get_ServicePackMajor(LONG* result) {
    return ReturnLong(static_cast<SHORT>(Version().wServicePackMajor), result);
}

HRESULT COS::get_ServicePackMinor(LONG* result) {
    return ReturnLong(static_cast<SHORT>(Version().wServicePackMinor), result);
}

HRESULT COS::get_isServicePackInstalled(VARIANT_BOOL* result) {
    if (!result)
        return E_POINTER;
    return Guarded([&] {
        *result = ToVariantBool(core::IsServicePackInstalled(ServicePackText()));
        return S_OK;
    });
}

} // namespace syslinkage
