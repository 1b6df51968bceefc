#include "interop/Project.h"

namespace syslinkage {
namespace {

// The development environment's main window, found by its class name.
HWND EnvironmentWindow() noexcept { return ::FindWindowExW(nullptr, nullptr, L"ThunderMain", nullptr); }

LONG_PTR InstanceOf(HWND hwnd) noexcept { return hwnd ? ::GetWindowLongPtrW(hwnd, GWLP_HINSTANCE) : 0; }

bool RunsInEnvironment(LONG hWndForm) noexcept {
    // Plain numbers are compared: with no environment running its instance is 0, and so is the
    // instance read from anything that is not a window.
    return InstanceOf(static_cast<HWND>(LongToHandle(hWndForm))) == InstanceOf(EnvironmentWindow());
}

} // namespace

HRESULT CProject::get_WorkingInIDE(LONG hWndForm, VARIANT_BOOL* result) {
    if (!result)
        return E_POINTER;
    *result = ToVariantBool(RunsInEnvironment(hWndForm));
    return S_OK;
}

HRESULT CProject::put_IDEVisible(LONG hWndForm, VARIANT_BOOL value) {
    if (RunsInEnvironment(hWndForm)) {
        if (HWND environment = EnvironmentWindow())
            ::ShowWindow(environment, value ? SW_SHOW : SW_HIDE);
    }
    return S_OK;
}

} // namespace syslinkage
