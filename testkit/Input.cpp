#include "testkit/Input.h"

namespace testkit {

INPUT KeyInput(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

bool PressKey(WORD vk) { return SendKeys({{vk, true}, {vk, false}}); }

bool SendKeys(const std::vector<std::pair<WORD, bool>>& strokes) {
    std::vector<INPUT> inputs;
    for (const auto& [vk, down] : strokes)
        inputs.push_back(KeyInput(vk, !down));
    return ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

INPUT MouseAt(POINT screen, DWORD flags) {
    // Absolute positions are given on a 0..65535 scale of the primary screen.
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    if (width > 1 && height > 1) {
        in.mi.dx = static_cast<LONG>((screen.x * 65535LL + (width - 1) / 2) / (width - 1));
        in.mi.dy = static_cast<LONG>((screen.y * 65535LL + (height - 1) / 2) / (height - 1));
    }
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return in;
}

bool MovePointerTo(POINT screen) {
    if (::GetSystemMetrics(SM_CXSCREEN) <= 1 || ::GetSystemMetrics(SM_CYSCREEN) <= 1)
        return false;
    INPUT move = MouseAt(screen);
    return ::SendInput(1, &move, sizeof(INPUT)) == 1;
}

} // namespace testkit
