#include "app/paste/KeyReleaseWait.h"

#include "testkit/TargetWindow.h"
#include "winkit/Scoped.h"
#include "winkit/Wait.h"

#include <gtest/gtest.h>

namespace {

constexpr int kChainLength = 3000;
constexpr int kReleaseAt = 20;
int chained = 0;

void SendControl(bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_CONTROL;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(input));
}

// Each message posts the next, so the queue never runs dry while the chain lasts, as with a user tapping
// keys or a fast timer; part way along, Ctrl is let go.
LRESULT CALLBACK ChainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        if (++chained == kReleaseAt)
            SendControl(true);
        if (chained < kChainLength)
            ::PostMessageW(window, WM_APP, 0, 0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

TEST(KeyReleaseWait, AReleaseCountsWhileMessagesKeepComing) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &ChainProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KeyReleaseWaitChain";
    ::RegisterClassW(&wc);
    winkit::ScopedWindow window(
        ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr));
    ASSERT_TRUE(window);
    // Injected keys reach the system's key state only while some window of this desktop is in front to
    // take them; a test before may have left none.
    testkit::TargetWindow front(L"Key release front");
    ASSERT_TRUE(front.Activate());
    SendControl(false);
    // Let the press reach the system's key state before the wait takes its first look. Under Wine a key
    // read up in the last 50 ms can still read up from the thread's cache, so the look is repeated.
    ASSERT_TRUE(winkit::WaitUntil([] { return (::GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }, 2000));
    chained = 0;
    ::PostMessageW(window.get(), WM_APP, 0, 0);
    EXPECT_EQ(quillet::WaitForKeysUp({VK_CONTROL}), quillet::KeyWait::Released);
    // The wait ended soon after the release, not only once the chain had run out.
    EXPECT_GE(chained, kReleaseAt);
    EXPECT_LT(chained, kChainLength / 2);
    MSG msg;
    while (::PeekMessageW(&msg, window.get(), 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
    SendControl(true);
    ::UnregisterClassW(wc.lpszClassName, wc.hInstance);
}
