#include "interop/Module.h"

#include "winkit/Com.h"
#include "winkit/ModulePath.h"

#include <atomic>
#include <string>

namespace syslinkage {
namespace {

HMODULE g_module = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};
// Objects live in the apartment of the thread that made them; the type library is read there too.
winkit::ComPtr<ITypeLib> g_typeLib;
} // namespace

std::wstring ModulePath() { return winkit::ModulePath(g_module); }

HMODULE ModuleHandle() noexcept { return g_module; }
void SetModuleHandle(HMODULE module) noexcept { g_module = module; }

void ObjectCreated() noexcept { ++g_objects; }

void ObjectDestroyed() noexcept {
    // The type library goes with the last object, so an unloaded library leaves nothing behind.
    if (--g_objects == 0 && g_locks == 0)
        g_typeLib.reset();
}

void LockServer(bool lock) noexcept {
    if (lock)
        ++g_locks;
    else
        --g_locks;
}

bool CanUnload() noexcept { return g_objects == 0 && g_locks == 0; }
long LiveObjects() noexcept { return g_objects; }

HRESULT GetInterfaceTypeInfo(REFIID iid, ITypeInfo** info) noexcept {
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (!g_typeLib) {
        try {
            const std::wstring path = ModulePath();
            const HRESULT hr = ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, g_typeLib.put());
            if (FAILED(hr))
                return hr;
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }
    return g_typeLib->GetTypeInfoOfGuid(iid, info);
}

} // namespace syslinkage
