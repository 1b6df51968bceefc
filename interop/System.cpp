#include "interop/System.h"

#include "interop/Computer.h"
#include "interop/OS.h"
#include "interop/Project.h"
#include "interop/ToolTips.h"
#include "interop/Trays.h"
#include "interop/User.h"
#include "interop/Window.h"

namespace syslinkage {

template <typename T>
HRESULT CSystem::ReadOrCreate(winkit::ComPtr<T>& stored, HRESULT (*create)(REFIID, void**), T** result) {
    if (!result)
        return E_POINTER;
    *result = nullptr;
    if (!stored) {
        const HRESULT hr = create(__uuidof(T), stored.put_void());
        if (FAILED(hr))
            return hr;
    }
    return ReturnInterface(stored, result);
}

HRESULT CSystem::get_ToolTips(_ToolTips** result) { return ReadOrCreate(toolTips_, &CToolTips::Create, result); }

HRESULT CSystem::get_SystemTrays(_Trays** result) { return ReadOrCreate(trays_, &CTrays::Create, result); }

HRESULT CSystem::get_OS(_OS** result) { return ReadOrCreate(os_, &COS::Create, result); }

HRESULT CSystem::get_Computer(_Computer** result) { return ReadOrCreate(computer_, &CComputer::Create, result); }

HRESULT CSystem::get_User(_User** result) { return ReadOrCreate(user_, &CUser::Create, result); }

HRESULT CSystem::get_Window(_Window** result) {
    return ReadOrCreate(window_, &CWindow::Create, result);
}

HRESULT CSystem::putref_Window(_Window** value) {
    // An empty reference clears the stored Window.
    window_ = winkit::ComPtr<_Window>(value ? *value : nullptr);
    return S_OK;
}

HRESULT CSystem::get_Project(_Project** result) { return ReadOrCreate(project_, &CProject::Create, result); }

HRESULT CSystem::putref_Project(_Project** value) {
    project_ = winkit::ComPtr<_Project>(value ? *value : nullptr);
    return S_OK;
}

CSystem::~CSystem() {
    // Termination visits every property in its fixed order; reading one makes it if it was never used,
    // and clearing it releases it.
    auto visit = [](auto&& read, auto& stored) {
        using Ptr = std::remove_reference_t<decltype(stored)>;
        typename Ptr::element_type* p = nullptr;
        if (SUCCEEDED(read(&p)) && p)
            p->Release();
        stored.reset();
    };
    visit([this](_ToolTips** p) { return get_ToolTips(p); }, toolTips_);
    visit([this](_Trays** p) { return get_SystemTrays(p); }, trays_);
    visit([this](_OS** p) { return get_OS(p); }, os_);
    visit([this](_Computer** p) { return get_Computer(p); }, computer_);
    visit([this](_User** p) { return get_User(p); }, user_);
    visit([this](_Window** p) { return get_Window(p); }, window_);
    visit([this](_Project** p) { return get_Project(p); }, project_);
}

} // namespace syslinkage
