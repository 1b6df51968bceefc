#pragma once
// User: the current user's name and special folders, asked of the system on every read.
#include "interop/ComObject.h"
#include "Syslinkage_h.h"

namespace syslinkage {

class CUser final : public DispatchObject<_User> {
public:
    static HRESULT Create(REFIID iid, void** out) { return CreateInstance<CUser>(iid, out); }

    HRESULT STDMETHODCALLTYPE get_Name(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_WindowsDirectory(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_CurrentDirectory(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_SystemDirectory(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_MyDocuments(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_StartMenu(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_ApplicationData(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_StartUp(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_Programs(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_ProgramFiles(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_Recent(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_Favorites(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_Desktop(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_RecycleBin(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_Fonts(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_SendTo(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_History(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_Cookies(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_MyPictures(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE get_TemporaryInternetFiles(BSTR* result) override;

private:
    friend class DispatchObject<_User>;
    CUser() = default;
    ~CUser() override = default;
};

} // namespace syslinkage
