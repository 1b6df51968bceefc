#include "app/paste/KeyReleaseWait.h"

#include "testkit/TargetWindow.h"
#include "winkit/Scoped.h"
#include "winkit/Wait.h"

#include <gtest/gtest.h>

namespace {

constexpr int kChainLength = 3000;
constexpr int kReleaseAt = 20;
int chained = 0;

void SendKey(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(input));
}

void SendControl(bool up) { SendKey(VK_CONTROL, up); }

// Injected keys reach the system's key state only while a window of this desktop is in front to take
// them, and a late focus report can take the front away just after it was given: the press is made
// again, with the window brought forward again, until the key state shows it. Under Wine a key read up in
// the last 50 ms can still read up from the thread's cache, so the look is repeated.
bool PressInFront(const testkit::TargetWindow& front, WORD vk) {
    for (int tries = 0; tries < 3; ++tries) {
        if (!front.Activate())
            continue;
        SendKey(vk, false);
        if (winkit::WaitUntil([vk] { return (::GetAsyncKeyState(vk) & 0x8000) != 0; }, 1000))
            return true;
        SendKey(vk, true);
    }
    return false;
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
    // A window of this test in front, as a test before may have left none; the press has reached the
    // system's key state before the wait takes its first look.
    testkit::TargetWindow front(L"Key release front");
    ASSERT_TRUE(PressInFront(front, VK_CONTROL));
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

// The thread believes Ctrl held (its release went to another program's window) while Shift really is held:
// only Ctrl is let go, and keys that are not modifiers are left alone.
TEST(KeyReleaseWait, AModifierLetGoElsewhereIsForgottenAndOneHeldIsKept) {
    testkit::TargetWindow front(L"Modifier state front");
    ASSERT_TRUE(PressInFront(front, VK_LSHIFT));
    winkit::PumpMessages();

    BYTE state[256] = {};
    ASSERT_TRUE(::GetKeyboardState(state));
    for (int vk : {VK_CONTROL, VK_LCONTROL, VK_SHIFT, VK_LSHIFT, int{'A'}})
        state[vk] |= 0x80;
    ASSERT_TRUE(::SetKeyboardState(state));
    quillet::ForgetReleasedModifiers();
    EXPECT_FALSE(::GetKeyState(VK_CONTROL) & 0x8000);
    EXPECT_FALSE(::GetKeyState(VK_LCONTROL) & 0x8000);
    EXPECT_TRUE(::GetKeyState(VK_SHIFT) & 0x8000);
    EXPECT_TRUE(::GetKeyState(VK_LSHIFT) & 0x8000);
    EXPECT_TRUE(::GetKeyState('A') & 0x8000);

    SendKey(VK_LSHIFT, true);
    winkit::WaitUntil([] { return (::GetAsyncKeyState(VK_LSHIFT) & 0x8000) == 0; }, 2000);
    winkit::PumpMessages();
    ASSERT_TRUE(::GetKeyboardState(state));
    state[static_cast<int>('A')] &= 0x7F;
    ::SetKeyboardState(state);
}
