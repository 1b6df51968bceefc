#pragma once
// Tray: one notification-area icon, identified by its client window (the window handle is also the
// icon's identifier, so a window has at most one).
#include "interop/ComObject.h"
#include "Syslinkage_h.h"

namespace syslinkage {

class CTray final : public DispatchObject<_Tray> {
public:
    static winkit::ComPtr<CTray> Make();

    HRESULT STDMETHODCALLTYPE add(LONG hWnd, IPictureDisp* ICON, TRAY_STYLE STYLE, BSTR message, BSTR title,
                                  TRAY_MESSAGEICON messageIcon, MOUSEMESSAGES trayCallbackMessage, LONG Delay) override;
    HRESULT STDMETHODCALLTYPE modify(IPictureDisp* ICON, TRAY_STYLE STYLE, BSTR message, BSTR title,
                                     TRAY_MESSAGEICON messageIcon, MOUSEMESSAGES trayCallbackMessage,
                                     LONG Delay) override;
    HRESULT STDMETHODCALLTYPE remove() override;
    HRESULT STDMETHODCALLTYPE get_Key(VARIANT* result) override;

    // Takes the icon out of the notification area; also when its window is already gone.
    void RemoveIcon() noexcept;

private:
    friend class DispatchObject<_Tray>;
    CTray() = default;
    ~CTray() override = default;

    LONG key_ = 0;
    bool hasKey_ = false;
};

} // namespace syslinkage
