#include "winkit/Wait.h"

namespace winkit {

void PumpMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit for the main loop that owns it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        PumpMessages();
        if (done())
            return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            return done();
        const DWORD left = static_cast<DWORD>(deadline - now);
        // Wakes early when a message arrives, so input-driven conditions are seen at once.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, left < pollMs ? left : pollMs, QS_ALLINPUT);
    }
}

} // namespace winkit
