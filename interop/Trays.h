#pragma once
// Trays: the client's notification-area icons, keyed by the decimal text of their window handle. When
// the collection ends every icon in it is taken out of the notification area.
#include "interop/Collection.h"
#include "interop/Tray.h"
#include "Syslinkage_h.h"

namespace syslinkage {

class CTrays final : public CollectionObject<_Trays> {
public:
    static HRESULT Create(REFIID iid, void** out) { return CreateInstance<CTrays>(iid, out); }

    HRESULT STDMETHODCALLTYPE add(LONG hWnd, IPictureDisp* ICON, TRAY_STYLE STYLE, BSTR message, BSTR title,
                                  TRAY_MESSAGEICON messageIcon, MOUSEMESSAGES trayCallbackMessage, LONG Delay,
                                  _Tray** result) override;
    HRESULT STDMETHODCALLTYPE NewEnum(IUnknown** result) override;
    HRESULT STDMETHODCALLTYPE Item(VARIANT Key, _Tray** result) override;
    HRESULT STDMETHODCALLTYPE remove(VARIANT* Key) override;
    HRESULT STDMETHODCALLTYPE get_Count(LONG* result) override;

private:
    friend class DispatchObject<_Trays>;
    CTrays() = default;
    ~CTrays() override;

    KeyedCollection<CTray> trays_;
};

} // namespace syslinkage
