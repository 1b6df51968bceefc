#pragma once
// Loads the Syslinkage.dll that sits beside the test program and reaches its exports.
#include "testkit/Files.h"
#include "winkit/Scoped.h"

#include <windows.h>

#include <string>

namespace syslinkage_test {

class Library {
public:
    Library() : path_(testkit::ExecutableFolder() + L"Syslinkage.dll"), module_(::LoadLibraryW(path_.c_str())) {}
    explicit operator bool() const { return static_cast<bool>(module_); }
    HMODULE module() const { return module_.get(); }
    const std::wstring& path() const { return path_; }

    HRESULT Call(const char* exportName) const {
        using Entry = HRESULT(STDAPICALLTYPE*)();
        auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(::GetProcAddress(module_.get(), exportName)));
        return entry ? entry() : E_NOTIMPL;
    }
    HRESULT Register() const { return Call("DllRegisterServer"); }
    HRESULT Unregister() const { return Call("DllUnregisterServer"); }
    HRESULT CanUnloadNow() const { return Call("DllCanUnloadNow"); }

private:
    std::wstring path_;
    winkit::ScopedModule module_;
};

} // namespace syslinkage_test
