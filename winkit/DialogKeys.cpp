#include "winkit/DialogKeys.h"

#include <algorithm>
#include <cwchar>
#include <vector>

namespace winkit {

namespace {

HHOOK hook = nullptr;
std::vector<HWND> windows;

// Enter and Escape in a dropped-down list close the list; the dialog manager would take them for the
// dialog's OK and Escape first.
bool InDroppedList(HWND focus) {
    for (HWND w = focus; w; w = ::GetParent(w)) {
        wchar_t cls[16] = {};
        ::GetClassNameW(w, cls, 16);
        if (_wcsicmp(cls, L"ComboBox") == 0)
            return ::SendMessageW(w, CB_GETDROPPEDSTATE, 0, 0) != 0;
    }
    return false;
}

LRESULT CALLBACK DialogKeysHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0 && wParam == PM_REMOVE) {
        MSG* msg = reinterpret_cast<MSG*>(lParam);
        if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && !InDroppedList(msg->hwnd)) {
            for (HWND dialog : windows) {
                if ((msg->hwnd == dialog || ::IsChild(dialog, msg->hwnd)) && ::IsDialogMessageW(dialog, msg)) {
                    msg->message = WM_NULL;
                    break;
                }
            }
        }
    }
    return ::CallNextHookEx(hook, code, wParam, lParam);
}

} // namespace

void AddDialogKeys(HWND window) {
    if (!window || std::find(windows.begin(), windows.end(), window) != windows.end())
        return;
    windows.push_back(window);
    if (!hook)
        hook = ::SetWindowsHookExW(WH_GETMESSAGE, &DialogKeysHook, nullptr, ::GetCurrentThreadId());
}

void RemoveDialogKeys(HWND window) {
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
    if (windows.empty() && hook) {
        ::UnhookWindowsHookEx(hook);
        hook = nullptr;
    }
}

} // namespace winkit
