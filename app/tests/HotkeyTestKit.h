#pragma once
// Windows the hotkey and clipboard-chain tests put their procedures on, and a well-behaved clipboard
// viewer as another program would write it; plus keystrokes sent as the user types them.
#include "testkit/Input.h"

#include <windows.h>

#include <functional>
#include <map>
#include <vector>

namespace hotkeytest {

// A plain top-level window whose own procedure counts the messages it still receives.
class HostWindow {
public:
    HostWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QuilletTestHost";
        ::RegisterClassW(&wc);
        hwnd_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"host", WS_OVERLAPPED, 0, 0, 0, 0, nullptr,
                                  nullptr, wc.hInstance, nullptr);
        Seen()[hwnd_] = {};
    }
    ~HostWindow() {
        ::DestroyWindow(hwnd_);
        Seen().erase(hwnd_);
    }
    HWND hwnd() const { return hwnd_; }
    int seen(UINT message) const { return Seen()[hwnd_][message]; }
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        auto it = Seen().find(w);
        if (it != Seen().end())
            ++it->second[m];
        return ::DefWindowProcW(w, m, wp, lp);
    }

private:
    static std::map<HWND, std::map<UINT, int>>& Seen() {
        static std::map<HWND, std::map<UINT, int>> seen;
        return seen;
    }
    HWND hwnd_ = nullptr;
};

// A clipboard viewer that keeps its own next viewer and passes the chain messages on.
class Viewer {
public:
    Viewer() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QuilletTestViewer";
        ::RegisterClassW(&wc);
        hwnd_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"viewer", WS_OVERLAPPED, 0, 0, 0, 0, nullptr,
                                  nullptr, wc.hInstance, this);
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Viewer() {
        Leave();
        ::DestroyWindow(hwnd_);
    }
    void Join() {
        joined_ = true;
        next_ = ::SetClipboardViewer(hwnd_);
    }
    void Leave() {
        if (joined_)
            ::ChangeClipboardChain(hwnd_, next_);
        joined_ = false;
    }
    HWND hwnd() const { return hwnd_; }
    HWND next() const { return next_; }
    int draws() const { return draws_; }
    // Runs inside each clipboard change the viewer is told of, before it passes the change on.
    std::function<void()> onDraw;

private:
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<Viewer*>(::GetWindowLongPtrW(w, GWLP_USERDATA));
        if (self && m == WM_DRAWCLIPBOARD) {
            ++self->draws_;
            if (self->onDraw)
                self->onDraw();
            if (self->next_)
                ::SendMessageW(self->next_, m, wp, lp);
            return 0;
        }
        if (self && m == WM_CHANGECBCHAIN) {
            if (reinterpret_cast<HWND>(wp) == self->next_)
                self->next_ = reinterpret_cast<HWND>(lp);
            else if (self->next_)
                ::SendMessageW(self->next_, m, wp, lp);
            return 0;
        }
        return ::DefWindowProcW(w, m, wp, lp);
    }
    HWND hwnd_ = nullptr;
    HWND next_ = nullptr;
    bool joined_ = false;
    int draws_ = 0;
};


// Whether a combination is free for another window: registers and releases it at once.
inline bool CombinationFree(UINT mods, UINT vk) {
    static HostWindow probe;
    if (!::RegisterHotKey(probe.hwnd(), 0xBEEF, mods, vk))
        return false;
    ::UnregisterHotKey(probe.hwnd(), 0xBEEF);
    return true;
}

} // namespace hotkeytest
