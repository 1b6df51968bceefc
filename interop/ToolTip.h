#pragma once
// ToolTip: a tooltip window of its own ("tooltips_class32") holding the tip of one control. Every member
// talks to that window; without one they do nothing. The window goes with the object.
#include "interop/ComObject.h"
#include "Syslinkage_h.h"

#include <commctrl.h>

#include <string>

namespace syslinkage {

class CToolTip final : public DispatchObject<_ToolTip> {
public:
    static winkit::ComPtr<CToolTip> Make();

    // Creates the window (when `form` is a form) and registers `control`'s tip in it; fails only when
    // `control` has no window handle to give.
    HRESULT Setup(IDispatch* form, IDispatch* control, BSTR text, BSTR title, LONG style, LONG icon, LONG behavior);
    // Takes the control's tip out of the window; the window itself stays until the object ends.
    void RemoveTool() noexcept;

    HRESULT STDMETHODCALLTYPE get_Delay(DELAYTIME ToolTipDelayTime, SHORT* result) override;
    HRESULT STDMETHODCALLTYPE put_Delay(DELAYTIME ToolTipDelayTime, SHORT value) override;
    HRESULT STDMETHODCALLTYPE get_Text(BSTR* result) override;
    HRESULT STDMETHODCALLTYPE put_Text(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_BackColor(OLE_COLOR* result) override;
    HRESULT STDMETHODCALLTYPE put_BackColor(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE get_TextColor(OLE_COLOR* result) override;
    HRESULT STDMETHODCALLTYPE put_TextColor(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE put_Activate(ACTIVATION_DIRECTION ToolTipActivateDirection, SHORT ordinate, SHORT absicca,
                                           VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE put_TitleIcon(BSTR ToolTipTitle, ICON value) override;

private:
    friend class DispatchObject<_ToolTip>;
    CToolTip() = default;
    ~CToolTip() override;

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const noexcept;
    // The registered tool of the control, as the window reports it; false when there is none.
    bool FindTool(TTTOOLINFOA& tool) const noexcept;

    HWND tipWindow_ = nullptr;
    HWND toolWindow_ = nullptr; // the control; nullptr once its tip is removed
};

} // namespace syslinkage
