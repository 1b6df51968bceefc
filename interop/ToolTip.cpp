#include "interop/ToolTip.h"

#include "core/TipPlacement.h"
#include "interop/AnsiText.h"
#include "interop/ClientObjects.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace syslinkage {
namespace {

// The tool record is the structure below up to lParam, checked here against the layout the core
// describes; its cbSize comes from that layout.
constexpr auto kLayout = core::ToolInfoLayout(sizeof(void*));
static_assert(kLayout.size <= sizeof(TTTOOLINFOA));
static_assert(offsetof(TTTOOLINFOA, hwnd) == kLayout["hwnd"].offset);
static_assert(offsetof(TTTOOLINFOA, uId) == kLayout["uId"].offset);
static_assert(offsetof(TTTOOLINFOA, rect) == kLayout["rect"].offset);
static_assert(offsetof(TTTOOLINFOA, hinst) == kLayout["hinst"].offset);
static_assert(offsetof(TTTOOLINFOA, lpszText) == kLayout["lpszText"].offset);
static_assert(offsetof(TTTOOLINFOA, lParam) == kLayout["lParam"].offset);

// Tip texts are read back into a buffer of this many bytes.
constexpr size_t kTextBuffer = 1024;

TTTOOLINFOA EmptyTool() noexcept {
    TTTOOLINFOA tool{};
    tool.cbSize = static_cast<UINT>(kLayout.size);
    return tool;
}

std::string AnsiText(BSTR text) {
    return winkit::ToAnsi(BstrText(text));
}

HWND CreateTipWindow(HWND owner, LONG style) noexcept {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);
    static const int kNoCreationData = 0;
    return ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, static_cast<DWORD>(style) | WS_POPUP, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, ModuleHandle(),
                             const_cast<int*>(&kNoCreationData));
}

} // namespace

winkit::ComPtr<CToolTip> CToolTip::Make() {
    return winkit::ComPtr<CToolTip>(new CToolTip());
}

CToolTip::~CToolTip() {
    if (tipWindow_ && ::IsWindow(tipWindow_))
        ::DestroyWindow(tipWindow_);
}

LRESULT CToolTip::Send(UINT message, WPARAM wParam, LPARAM lParam) const noexcept {
    return tipWindow_ ? ::SendMessageA(tipWindow_, message, wParam, lParam) : 0;
}

bool CToolTip::FindTool(TTTOOLINFOA& tool) const noexcept {
    if (!tipWindow_)
        return false;
    const auto count = static_cast<UINT>(Send(TTM_GETTOOLCOUNT));
    for (UINT i = 0; i < count; ++i) {
        tool = EmptyTool();
        if (Send(TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool)) &&
            tool.uId == reinterpret_cast<UINT_PTR>(toolWindow_)) {
            tool.cbSize = static_cast<UINT>(kLayout.size);
            return true;
        }
    }
    return false;
}

HRESULT CToolTip::Setup(IDispatch* form, IDispatch* control, BSTR text, BSTR title, LONG style, LONG icon,
                        LONG behavior) {
    if (!tipWindow_ && IsForm(form))
        tipWindow_ = CreateTipWindow(FormWindow(form), style);
    if (!control || !tipWindow_)
        return S_OK;
    const std::optional<long> handle = LongProperty(control, L"hWnd");
    if (!handle)
        return Fail(DISP_E_UNKNOWNNAME, L"Object doesn't support this property or method");
    const HWND controlWindow = static_cast<HWND>(LongToHandle(*handle));
    toolWindow_ = controlWindow;
    TTTOOLINFOA found{};
    if (FindTool(found))
        return S_OK; // a control is registered once per ToolTip
    std::string tipText = AnsiText(text);
    if (tipText.empty())
        tipText = winkit::ToAnsi(TextProperty(control, L"Name"));
    TTTOOLINFOA tool = EmptyTool();
    tool.uFlags = static_cast<UINT>(behavior) | TTF_IDISHWND;
    tool.hwnd = tipWindow_;
    tool.uId = reinterpret_cast<UINT_PTR>(controlWindow);
    tool.lpszText = tipText.data();
    Send(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    const std::string titleText = AnsiText(title);
    Send(TTM_SETTITLEA, static_cast<WPARAM>(icon), reinterpret_cast<LPARAM>(titleText.c_str()));
    return S_OK;
}

void CToolTip::RemoveTool() noexcept {
    TTTOOLINFOA tool{};
    if (FindTool(tool))
        Send(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    toolWindow_ = nullptr;
}

HRESULT CToolTip::get_Delay(DELAYTIME ToolTipDelayTime, SHORT* result) {
    if (!result)
        return E_POINTER;
    *result = static_cast<SHORT>(LOWORD(Send(TTM_GETDELAYTIME, static_cast<WPARAM>(ToolTipDelayTime))));
    return S_OK;
}

HRESULT CToolTip::put_Delay(DELAYTIME ToolTipDelayTime, SHORT value) {
    Send(TTM_SETDELAYTIME, static_cast<WPARAM>(ToolTipDelayTime), MAKELPARAM(static_cast<WORD>(value), 0));
    return S_OK;
}

HRESULT CToolTip::get_Text(BSTR* result) {
    if (!result)
        return E_POINTER;
    *result = nullptr;
    return Guarded([&] {
        std::wstring text;
        TTTOOLINFOA tool{};
        if (FindTool(tool)) {
            std::vector<char> buffer(kTextBuffer, '\0');
            tool.lpszText = buffer.data();
            // The buffer's size goes with it, and its last byte is kept as a terminator whatever comes back.
            Send(TTM_GETTEXTA, kTextBuffer - 1, reinterpret_cast<LPARAM>(&tool));
            text = winkit::FromAnsi(core::FieldText(buffer.data(), kTextBuffer - 1));
        }
        *result = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return *result ? S_OK : E_OUTOFMEMORY;
    });
}

HRESULT CToolTip::put_Text(BSTR value) {
    return Guarded([&] {
        TTTOOLINFOA tool{};
        if (FindTool(tool)) {
            std::string text = AnsiText(value);
            tool.lpszText = text.data();
            Send(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
        }
        return S_OK;
    });
}

HRESULT CToolTip::get_BackColor(OLE_COLOR* result) {
    if (!result)
        return E_POINTER;
    *result = static_cast<OLE_COLOR>(Send(TTM_GETTIPBKCOLOR));
    return S_OK;
}

HRESULT CToolTip::put_BackColor(OLE_COLOR value) {
    Send(TTM_SETTIPBKCOLOR, value);
    return S_OK;
}

HRESULT CToolTip::get_TextColor(OLE_COLOR* result) {
    if (!result)
        return E_POINTER;
    *result = static_cast<OLE_COLOR>(Send(TTM_GETTIPTEXTCOLOR));
    return S_OK;
}

HRESULT CToolTip::put_TextColor(OLE_COLOR value) {
    Send(TTM_SETTIPTEXTCOLOR, value);
    return S_OK;
}

HRESULT CToolTip::put_Activate(ACTIVATION_DIRECTION ToolTipActivateDirection, SHORT ordinate, SHORT absicca,
                               VARIANT_BOOL value) {
    TTTOOLINFOA tool{};
    if (!FindTool(tool))
        return S_OK;
    RECT r{};
    ::GetWindowRect(toolWindow_, &r);
    const core::TipPoint at =
        core::TrackingPoint(ToolTipActivateDirection, {r.left, r.top, r.right, r.bottom}, absicca, ordinate);
    Send(TTM_TRACKPOSITION, 0, MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
    Send(TTM_TRACKACTIVATE, value ? TRUE : FALSE, reinterpret_cast<LPARAM>(&tool));
    return S_OK;
}

HRESULT CToolTip::put_TitleIcon(BSTR ToolTipTitle, ICON value) {
    return Guarded([&] {
        const std::string title = AnsiText(ToolTipTitle);
        Send(TTM_SETTITLEA, static_cast<WPARAM>(value), reinterpret_cast<LPARAM>(title.c_str()));
        return S_OK;
    });
}

} // namespace syslinkage
