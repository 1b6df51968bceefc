#include "app/paste/modSendKeys.h"

#include "winkit/Wait.h"

namespace quillet {

namespace {

INPUT KeyInput(WORD vk, bool up, bool extended) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    return in;
}

INPUT CharInput(wchar_t c, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wScan = static_cast<WORD>(c);
    in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return in;
}

std::vector<INPUT> Inputs(const std::vector<core::KeyStroke>& strokes) {
    std::vector<INPUT> inputs;
    for (const core::KeyStroke& key : strokes) {
        const WORD modifiers[] = {key.ctrl ? WORD(VK_CONTROL) : WORD(0), key.shift ? WORD(VK_SHIFT) : WORD(0),
                                  key.alt ? WORD(VK_MENU) : WORD(0)};
        for (WORD m : modifiers)
            if (m)
                inputs.push_back(KeyInput(m, false, false));
        if (key.isCharacter()) {
            inputs.push_back(CharInput(key.character, false));
            inputs.push_back(CharInput(key.character, true));
        } else {
            inputs.push_back(KeyInput(key.virtualKey, false, key.isExtended()));
            inputs.push_back(KeyInput(key.virtualKey, true, key.isExtended()));
        }
        for (int i = 2; i >= 0; --i)
            if (modifiers[i])
                inputs.push_back(KeyInput(modifiers[i], true, false));
    }
    return inputs;
}

// A thread takes sent messages before it takes the next queued one, so each round trip of a sent
// message lets it get at least one more queued message done while it has any. Two round trips per
// event (a key down may add a character message) plus a few more cover all that was queued.
bool WaitForOtherThread(HWND target, std::size_t events) {
    const ULONGLONG deadline = ::GetTickCount64() + kKeysProcessedWaitMs;
    for (std::size_t i = 0; i < events * 2 + 4; ++i) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline || !::IsWindow(target))
            return false;
        DWORD_PTR ignored = 0;
        if (!::SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, static_cast<UINT>(deadline - now),
                                   &ignored))
            return false;
    }
    return true;
}

// A target of this very thread gets its keys from this thread's own queue.
bool WaitForOwnThread() {
    int quietRounds = 0;
    return winkit::WaitUntil(
        [&] {
            quietRounds = HIWORD(::GetQueueStatus(QS_INPUT | QS_POSTMESSAGE)) == 0 ? quietRounds + 1 : 0;
            return quietRounds >= 3;
        },
        kKeysProcessedWaitMs, 1);
}

} // namespace

bool SendKeyStrokes(const std::vector<core::KeyStroke>& strokes, HWND target) {
    std::vector<INPUT> inputs = Inputs(strokes);
    if (inputs.empty())
        return true;
    const UINT sent = ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    const DWORD thread = target ? ::GetWindowThreadProcessId(target, nullptr) : 0;
    const bool processed =
        thread == ::GetCurrentThreadId() || !target ? WaitForOwnThread() : WaitForOtherThread(target, inputs.size());
    return sent == inputs.size() && processed;
}

bool SendKeys(const std::wstring& notation, HWND target) {
    const auto strokes = core::ParseSendKeys(notation);
    return strokes && SendKeyStrokes(*strokes, target);
}

} // namespace quillet
