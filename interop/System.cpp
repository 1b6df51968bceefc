#include "interop/System.h"

#include "interop/Project.h"
#include "interop/Window.h"

#include <string>

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

HRESULT CSystem::NotYetAvailable(const wchar_t* what) const noexcept {
    return Guarded([&] {
        const std::wstring text = std::wstring(L"The ") + what + L" object is not available in this version.";
        return Fail(E_NOTIMPL, text.c_str());
    });
}

HRESULT CSystem::get_ToolTips(_ToolTips** result) {
    if (result)
        *result = nullptr;
    return NotYetAvailable(L"ToolTips");
}

HRESULT CSystem::get_SystemTrays(_Trays** result) {
    if (result)
        *result = nullptr;
    return NotYetAvailable(L"SystemTrays");
}

HRESULT CSystem::get_OS(_OS** result) {
    if (result)
        *result = nullptr;
    return NotYetAvailable(L"OS");
}

HRESULT CSystem::get_Computer(_Computer** result) {
    if (result)
        *result = nullptr;
    return NotYetAvailable(L"Computer");
}

HRESULT CSystem::get_User(_User** result) {
    if (result)
        *result = nullptr;
    return NotYetAvailable(L"User");
}

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
