#include "app/paste/KeyReleaseWait.h"

#include "app/shell/modInitialization.h"
#include "winkit/Scoped.h"
#include "winkit/Wait.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <memory>

namespace quillet {

namespace {

using KeySet = std::bitset<256>;

// The keys that stand for a key held: both sides of a modifier, or the key itself.
std::vector<int> PhysicalKeys(int vk) {
    switch (vk) {
    case VK_CONTROL: return {VK_LCONTROL, VK_RCONTROL};
    case VK_SHIFT: return {VK_LSHIFT, VK_RSHIFT};
    case VK_MENU: return {VK_LMENU, VK_RMENU};
    default: return {vk};
    }
}

// A thread's key-state reads may be answered from a copy of its own taken up to 50 ms before, which
// still shows a key up that was pressed since (Wine does that). A thread that never read the keyboard
// has no copy: its read is the present state.
struct FreshRead {
    std::vector<int> keys;
    KeySet down;
};

// The keys held now, as the calling thread reads them.
KeySet ReadKeys(const std::vector<int>& keys) {
    KeySet down;
    for (int vk : keys)
        down[static_cast<std::size_t>(vk & 0xFF)] = (::GetAsyncKeyState(vk) & 0x8000) != 0;
    return down;
}

DWORD WINAPI ReadKeyboard(void* param) {
    // The helper owns its share: a wait that gave up on it may be gone before it ends.
    const std::unique_ptr<std::shared_ptr<FreshRead>> read(static_cast<std::shared_ptr<FreshRead>*>(param));
    (*read)->down = ReadKeys((*read)->keys);
    return 0;
}

// Blocks (it must not run the hook's calls meanwhile, or an event after the read could be overtaken by
// the read's older answer) for the short life of one helper thread.
bool ReadOnNewThread(const std::vector<int>& keys, KeySet& down) {
    const auto read = std::make_shared<FreshRead>(FreshRead{keys, {}});
    auto* share = new std::shared_ptr<FreshRead>(read);
    winkit::ScopedHandle thread(
        ::CreateThread(nullptr, 64 * 1024, &ReadKeyboard, share, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    if (!thread) {
        delete share;
        return false;
    }
    if (::WaitForSingleObject(thread.get(), 2000) != WAIT_OBJECT_0)
        return false;
    down = read->down;
    return true;
}

// A helper that stays for the next reads: starting a thread costs a hotkey's paste several milliseconds
// under load. Its own copy of the key state lasts 50 ms from its last read, so a read asked for sooner
// goes to a helper of its own; one that did not answer in time is not asked again.
class KeyReader {
public:
    static KeyReader* Get() {
        static KeyReader* reader = [] {
            auto* made = new KeyReader; // lives as long as the process, as its thread does
            if (made->Start())
                return made;
            delete made;
            return static_cast<KeyReader*>(nullptr);
        }();
        return reader;
    }

    bool Read(const std::vector<int>& keys, KeySet& down) {
        constexpr ULONGLONG kCopyLifeMs = 60;
        if (stuck_ || (read_ && ::GetTickCount64() - lastRead_ < kCopyLifeMs))
            return ReadOnNewThread(keys, down);
        keys_ = keys;
        ::SetEvent(ask_.get());
        if (::WaitForSingleObject(done_.get(), 2000) != WAIT_OBJECT_0) {
            stuck_ = true;
            return false;
        }
        read_ = true;
        lastRead_ = ::GetTickCount64();
        down = down_;
        return true;
    }

private:
    KeyReader() = default;
    bool Start() {
        if (!ask_ || !done_)
            return false;
        const winkit::ScopedHandle thread(
            ::CreateThread(nullptr, 64 * 1024, &Run, this, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
        return static_cast<bool>(thread);
    }
    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<KeyReader*>(param);
        while (::WaitForSingleObject(self->ask_.get(), INFINITE) == WAIT_OBJECT_0) {
            self->down_ = ReadKeys(self->keys_);
            ::SetEvent(self->done_.get());
        }
        return 0;
    }

    winkit::ScopedHandle ask_{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    winkit::ScopedHandle done_{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    std::vector<int> keys_;
    KeySet down_;
    bool read_ = false, stuck_ = false;
    ULONGLONG lastRead_ = 0;
};

bool ReadFresh(const std::vector<int>& keys, KeySet& down) {
    KeyReader* reader = KeyReader::Get();
    return reader ? reader->Read(keys, down) : ReadOnNewThread(keys, down);
}

// The waits in progress on this thread; nested waits (paste next pressed while a clip hotkey waits)
// share one hook.
class KeyWatch;
std::vector<KeyWatch*> watches;
HHOOK hook = nullptr;

LRESULT CALLBACK KeyEvent(int code, WPARAM wParam, LPARAM lParam);

class KeyWatch {
public:
    explicit KeyWatch(const std::vector<int>& keys) {
        for (int vk : keys)
            for (int physical : PhysicalKeys(vk))
                keys_.push_back(physical);
        if (watches.empty())
            hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, &KeyEvent, ::GetModuleHandleW(nullptr), 0);
        watches.push_back(this);
        // The hook is in before the look, so any change after the look arrives as an event.
        live_ = hook && Recheck();
    }
    ~KeyWatch() {
        watches.erase(std::find(watches.begin(), watches.end(), this));
        if (watches.empty() && hook) {
            ::UnhookWindowsHookEx(hook);
            hook = nullptr;
        }
    }
    KeyWatch(const KeyWatch&) = delete;
    KeyWatch& operator=(const KeyWatch&) = delete;

    // False when the keys cannot be followed by events here (no hook, no helper thread).
    bool live() const { return live_; }
    bool AnyDown() const { return down_.any(); }
    bool Recheck() { return ReadFresh(keys_, down_); }

    void Seen(DWORD vk, bool up) {
        // An event without a side (a generic modifier) stands for both sides.
        for (int physical : PhysicalKeys(static_cast<int>(vk))) {
            if (std::find(keys_.begin(), keys_.end(), physical) != keys_.end())
                down_[static_cast<std::size_t>(physical)] = !up;
        }
    }

private:
    std::vector<int> keys_;
    KeySet down_;
    bool live_ = false;
};

LRESULT CALLBACK KeyEvent(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const bool up = (key->flags & LLKHF_UP) != 0;
        for (KeyWatch* watch : watches)
            watch->Seen(key->vkCode & 0xFF, up);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

bool AnyKeyDownNow(const std::vector<int>& keys) {
    for (int vk : keys) {
        if (::GetAsyncKeyState(vk) & 0x8000)
            return true;
    }
    return false;
}

// Without a hook: looks at the key state until the keys are up. A key seen down was read fresh, so its
// release is real; keys that look up from the first look on are trusted only once the thread's copy of
// the key state has had time to expire.
KeyWait PollForKeysUp(const std::vector<int>& keys) {
    constexpr DWORD kPollMs = 5, kCopyExpiryMs = 60;
    const DWORD start = ::GetTickCount();
    bool seenDown = false;
    for (;;) {
        winkit::PumpMessages();
        if (IsExiting)
            return KeyWait::Exiting;
        if (AnyKeyDownNow(keys))
            seenDown = true;
        else if (seenDown || ::GetTickCount() - start >= kCopyExpiryMs)
            return KeyWait::Released;
        if (::GetTickCount() - start >= kKeyWaitLimitMs)
            return KeyWait::Stuck;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    }
}

} // namespace

void ForgetReleasedModifiers() {
    static const std::vector<int> sides{VK_LCONTROL, VK_RCONTROL, VK_LSHIFT, VK_RSHIFT,
                                        VK_LMENU,    VK_RMENU,    VK_LWIN,   VK_RWIN};
    KeySet down;
    BYTE state[256] = {};
    if (!ReadFresh(sides, down) || !::GetKeyboardState(state))
        return;
    bool changed = false;
    const auto release = [&](int vk) {
        if (state[vk] & 0x80) {
            state[vk] &= 0x7F;
            changed = true;
        }
    };
    for (int vk : sides)
        if (!down[static_cast<std::size_t>(vk)])
            release(vk);
    for (int vk : {VK_CONTROL, VK_SHIFT, VK_MENU}) {
        const std::vector<int> both = PhysicalKeys(vk);
        if (!down[static_cast<std::size_t>(both[0])] && !down[static_cast<std::size_t>(both[1])])
            release(vk);
    }
    if (changed)
        ::SetKeyboardState(state);
}

KeyWait WaitForKeysUp(const std::vector<int>& keys) {
    if (keys.empty())
        return KeyWait::Released;
    KeyWatch watch(keys);
    if (!watch.live())
        return PollForKeysUp(keys);
    const ULONGLONG start = ::GetTickCount64();
    ULONGLONG looked = start;
    for (;;) {
        if (IsExiting)
            return KeyWait::Exiting;
        if (!watch.AnyDown())
            return KeyWait::Released;
        const ULONGLONG now = ::GetTickCount64();
        if (now - start >= kKeyWaitLimitMs)
            return KeyWait::Stuck;
        if (now - looked >= kKeyRecheckMs) {
            looked = now;
            if (!watch.Recheck())
                return PollForKeysUp(keys);
            continue;
        }
        // The hook's calls come in as messages: the wait must let them run. One message at a time, the
        // keys looked at after each: while keys keep coming in (a user tapping, the grabber's timer) the
        // queue need never run dry, and a release must count as soon as its event ran.
        MSG msg;
        if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_QUIT) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
                continue;
            }
            // Left for the main loop that owns it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
        }
        const auto wake = static_cast<DWORD>(kKeyRecheckMs - (now - looked));
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, wake, QS_ALLINPUT);
    }
}

} // namespace quillet
