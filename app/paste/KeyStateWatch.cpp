#include "app/paste/KeyStateWatch.h"

#include "winkit/Scoped.h"

#include <array>
#include <atomic>

namespace quillet {

namespace {

std::array<std::atomic<bool>, 256> down{};
winkit::ScopedHandle released;
winkit::ScopedHandle watchThread;
DWORD watchThreadId = 0;
std::atomic<bool> watching{false};

// The generic modifier keys stand for one side, as the keyboard driver would report them.
int Sided(int vk, bool extended) {
    switch (vk) {
    case VK_CONTROL:
        return extended ? VK_RCONTROL : VK_LCONTROL;
    case VK_MENU:
        return extended ? VK_RMENU : VK_LMENU;
    case VK_SHIFT:
        return VK_LSHIFT;
    default:
        return vk;
    }
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const bool up = (key->flags & LLKHF_UP) != 0;
        const int vk = static_cast<int>(key->vkCode & 0xFF);
        const int sided = Sided(vk, (key->flags & LLKHF_EXTENDED) != 0);
        down[static_cast<std::size_t>(sided)] = !up;
        down[static_cast<std::size_t>(vk)] = !up;
        if (up && vk == VK_SHIFT)
            down[VK_RSHIFT] = false; // a generic release lets go of both sides
        if (up)
            ::SetEvent(released.get());
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

DWORD WINAPI WatchThread(void* ready) {
    // The hook is called on this thread, which does nothing else, so no key anywhere waits for the
    // program's busy user-interface thread.
    const HHOOK hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, &KeyboardHook, ::GetModuleHandleW(nullptr), 0);
    watching = hook != nullptr;
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); // the queue exists before the starter goes on
    ::SetEvent(static_cast<HANDLE>(ready));
    if (!hook)
        return 1;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    ::UnhookWindowsHookEx(hook);
    watching = false;
    return 0;
}

} // namespace

bool StartKeyStateWatch() {
    if (watchThread)
        return watching;
    if (!released)
        released.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    // Keys already held when the watch starts are taken from the system once; their release is an event.
    for (int vk : {VK_LCONTROL, VK_RCONTROL, VK_LSHIFT, VK_RSHIFT, VK_LMENU, VK_RMENU})
        down[static_cast<std::size_t>(vk)] = (::GetAsyncKeyState(vk) & 0x8000) != 0;
    winkit::ScopedHandle ready(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    watchThread.reset(::CreateThread(nullptr, 0, &WatchThread, ready.get(), 0, &watchThreadId));
    if (!watchThread)
        return false;
    ::WaitForSingleObject(ready.get(), INFINITE);
    if (!watching) {
        ::WaitForSingleObject(watchThread.get(), INFINITE);
        watchThread.reset();
    }
    return watching;
}

void StopKeyStateWatch() {
    if (!watchThread)
        return;
    ::PostThreadMessageW(watchThreadId, WM_QUIT, 0, 0);
    ::WaitForSingleObject(watchThread.get(), INFINITE);
    watchThread.reset();
}

bool KeyStateWatched() {
    return watching;
}

bool WatchedKeyDown(int vk) {
    const auto is = [](int k) { return down[static_cast<std::size_t>(k & 0xFF)].load(); };
    switch (vk) {
    case VK_CONTROL:
        return is(VK_LCONTROL) || is(VK_RCONTROL);
    case VK_SHIFT:
        return is(VK_LSHIFT) || is(VK_RSHIFT);
    case VK_MENU:
        return is(VK_LMENU) || is(VK_RMENU);
    default:
        return is(vk);
    }
}

HANDLE KeyReleasedEvent() {
    return released.get();
}

} // namespace quillet
