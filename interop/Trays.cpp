#include "interop/Trays.h"

#include <string>

namespace syslinkage {

HRESULT CTrays::add(LONG hWnd, IPictureDisp* ICON, TRAY_STYLE STYLE, BSTR message, BSTR title,
                    TRAY_MESSAGEICON messageIcon, MOUSEMESSAGES trayCallbackMessage, LONG Delay, _Tray** result) {
    if (!result)
        return E_POINTER;
    *result = nullptr;
    return Guarded([&] {
        winkit::ComPtr<CTray> tray = CTray::Make();
        const HRESULT hr = tray->add(hWnd, ICON, STYLE, message, title, messageIcon, trayCallbackMessage, Delay);
        if (FAILED(hr))
            return hr;
        // The icon has been handed to the shell already; a second tray for one window is refused here.
        if (!trays_.Add(std::to_wstring(hWnd), tray))
            return Fail(kDuplicateKey, L"This key is already associated with an element of this collection.");
        *result = tray.Detach();
        return S_OK;
    });
}

HRESULT CTrays::NewEnum(IUnknown** result) {
    return Guarded([&] { return trays_.Enumerate(result); });
}

HRESULT CTrays::Item(VARIANT Key, _Tray** result) {
    if (!result)
        return E_POINTER;
    *result = nullptr;
    return Guarded([&] {
        // A tray's Key is its window handle as a number: numbers are looked up as keys here.
        const int at = trays_.Find(&Key, true);
        if (at < 0)
            return Fail(kInvalidArgument, L"Invalid procedure call or argument");
        *result = trays_.At(at).get();
        (*result)->AddRef();
        return S_OK;
    });
}

HRESULT CTrays::remove(VARIANT* Key) {
    return Guarded([&] {
        const int at = trays_.Find(Key, true);
        if (at < 0)
            return Fail(kInvalidArgument, L"Invalid procedure call or argument");
        trays_.At(at)->RemoveIcon();
        trays_.RemoveAt(at);
        return S_OK;
    });
}

HRESULT CTrays::get_Count(LONG* result) {
    if (!result)
        return E_POINTER;
    *result = trays_.Count();
    return S_OK;
}

CTrays::~CTrays() {
    // Every icon goes, also one whose window the client destroyed first: the shell keys icons by window
    // handle and identifier, not by a live window, so it would otherwise stay behind.
    for (const auto& entry : trays_.Entries())
        entry.member->RemoveIcon();
    trays_.Clear();
}

} // namespace syslinkage
