#include "interop/Tray.h"

#include "interop/AnsiText.h"
#include "interop/ClientObjects.h"

#include <shellapi.h>

#include <cstddef>

namespace syslinkage {
namespace {

// The record handed to the shell is the structure below up to dwInfoFlags, checked here against the
// layout the core describes; its cbSize comes from that layout and never exceeds the structure.
constexpr auto kLayout = core::NotifyIconDataLayout(sizeof(void*));
static_assert(kLayout.size <= sizeof(NOTIFYICONDATAA));
static_assert(kLayout.size == NOTIFYICONDATAA_V2_SIZE);
static_assert(offsetof(NOTIFYICONDATAA, hWnd) == kLayout["hWnd"].offset);
static_assert(offsetof(NOTIFYICONDATAA, hIcon) == kLayout["hIcon"].offset);
static_assert(offsetof(NOTIFYICONDATAA, szTip) == kLayout["szTip"].offset);
static_assert(sizeof(NOTIFYICONDATAA::szTip) == kLayout["szTip"].size);
static_assert(offsetof(NOTIFYICONDATAA, szInfo) == kLayout["szInfo"].offset);
static_assert(sizeof(NOTIFYICONDATAA::szInfo) == kLayout["szInfo"].size);
static_assert(offsetof(NOTIFYICONDATAA, uTimeout) == kLayout["uTimeout"].offset);
static_assert(offsetof(NOTIFYICONDATAA, szInfoTitle) == kLayout["szInfoTitle"].offset);
static_assert(sizeof(NOTIFYICONDATAA::szInfoTitle) == kLayout["szInfoTitle"].size);
static_assert(offsetof(NOTIFYICONDATAA, dwInfoFlags) == kLayout["dwInfoFlags"].offset);

struct NotifyArguments {
    IPictureDisp* icon = nullptr;
    LONG style = 0;
    BSTR message = nullptr;
    BSTR title = nullptr;
    LONG messageIcon = 0;
    LONG callbackMessage = WM_MOUSEMOVE;
    LONG delay = 0;
};

void Notify(DWORD action, LONG window, const NotifyArguments& a) {
    NOTIFYICONDATAA data{};
    data.cbSize = static_cast<DWORD>(kLayout.size);
    data.hWnd = static_cast<HWND>(LongToHandle(window));
    data.uID = static_cast<UINT>(window);
    data.uFlags = NIF_MESSAGE | NIF_ICON;
    data.hIcon = static_cast<HICON>(PictureHandle(a.icon));
    data.uCallbackMessage = static_cast<UINT>(a.callbackMessage);
    if (a.style == TRAY_STYLE_SIMPLE) {
        data.uFlags |= NIF_TIP;
        PutAnsiField(data.szTip, a.message);
    } else if (a.style == TRAY_STYLE_BALLOON) {
        data.uFlags |= NIF_INFO;
        PutAnsiField(data.szInfo, a.message);
        PutAnsiField(data.szInfoTitle, a.title);
        data.dwInfoFlags = static_cast<DWORD>(a.messageIcon);
        data.uTimeout = static_cast<UINT>(a.delay);
    }
    // The shell's answer is not a client's concern: an icon that is not there is simply not changed.
    ::Shell_NotifyIconA(action, &data);
}

} // namespace

winkit::ComPtr<CTray> CTray::Make() {
    return winkit::ComPtr<CTray>(new CTray());
}

HRESULT CTray::add(LONG hWnd, IPictureDisp* ICON, TRAY_STYLE STYLE, BSTR message, BSTR title,
                   TRAY_MESSAGEICON messageIcon, MOUSEMESSAGES trayCallbackMessage, LONG Delay) {
    return Guarded([&] {
        Notify(NIM_ADD, hWnd, {ICON, STYLE, message, title, messageIcon, trayCallbackMessage, Delay});
        key_ = hWnd;
        hasKey_ = true;
        return S_OK;
    });
}

HRESULT CTray::modify(IPictureDisp* ICON, TRAY_STYLE STYLE, BSTR message, BSTR title, TRAY_MESSAGEICON messageIcon,
                      MOUSEMESSAGES trayCallbackMessage, LONG Delay) {
    return Guarded([&] {
        Notify(NIM_MODIFY, key_, {ICON, STYLE, message, title, messageIcon, trayCallbackMessage, Delay});
        return S_OK;
    });
}

HRESULT CTray::remove() {
    RemoveIcon();
    return S_OK;
}

void CTray::RemoveIcon() noexcept {
    Guarded([&] {
        Notify(NIM_DELETE, key_, {});
        return S_OK;
    });
}

HRESULT CTray::get_Key(VARIANT* result) {
    if (!result)
        return E_POINTER;
    ::VariantInit(result);
    if (hasKey_) {
        result->vt = VT_I4;
        result->lVal = key_;
    }
    return S_OK;
}

} // namespace syslinkage
