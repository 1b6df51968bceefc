// The four entry points of an in-process automation server.
#include "interop/ClassFactory.h"
#include "interop/Global.h"
#include "interop/Module.h"
#include "interop/Registration.h"
#include "interop/System.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        syslinkage::SetModuleHandle(instance);
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    try {
        return syslinkage::RegisterServer(syslinkage::SystemRegistry(), syslinkage::ModulePath()).hr;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return syslinkage::UnregisterServer(syslinkage::SystemRegistry());
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (clsid == CLSID_System)
        return syslinkage::ClassFactory<syslinkage::CSystem>::Create(iid, out);
    if (clsid == CLSID_Global)
        return syslinkage::ClassFactory<syslinkage::CGlobal>::Create(iid, out);
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return syslinkage::CanUnload() ? S_OK : S_FALSE; }
