#pragma once
// System: the root object. It owns at most one object of each kind and hands out the same one on
// every read; releasing it releases them all, which restores any window the Window object subclassed.
#include "interop/ComObject.h"
#include "Syslinkage_h.h"

namespace syslinkage {

class CSystem final : public DispatchObject<_System> {
public:
    static HRESULT Create(REFIID iid, void** out) { return CreateInstance<CSystem>(iid, out); }

    HRESULT STDMETHODCALLTYPE get_ToolTips(_ToolTips** result) override;
    HRESULT STDMETHODCALLTYPE get_SystemTrays(_Trays** result) override;
    HRESULT STDMETHODCALLTYPE get_OS(_OS** result) override;
    HRESULT STDMETHODCALLTYPE get_Computer(_Computer** result) override;
    HRESULT STDMETHODCALLTYPE get_User(_User** result) override;
    HRESULT STDMETHODCALLTYPE get_Window(_Window** result) override;
    HRESULT STDMETHODCALLTYPE putref_Window(_Window** value) override;
    HRESULT STDMETHODCALLTYPE get_Project(_Project** result) override;
    HRESULT STDMETHODCALLTYPE putref_Project(_Project** value) override;

private:
    friend class DispatchObject<_System>;
    CSystem() = default;
    ~CSystem() override;

    // Reads the stored object, making it on first read with `create`.
    template <typename T> HRESULT ReadOrCreate(winkit::ComPtr<T>& stored, HRESULT (*create)(REFIID, void**), T** result);

    winkit::ComPtr<_ToolTips> toolTips_;
    winkit::ComPtr<_Trays> trays_;
    winkit::ComPtr<_OS> os_;
    winkit::ComPtr<_Computer> computer_;
    winkit::ComPtr<_User> user_;
    winkit::ComPtr<_Window> window_;
    winkit::ComPtr<_Project> project_;
};

} // namespace syslinkage
