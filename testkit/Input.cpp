#include "testkit/Input.h"

namespace testkit {

bool PressKey(WORD vk) {
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_KEYBOARD;
    press[0].ki.wVk = press[1].ki.wVk = vk;
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return ::SendInput(2, press, sizeof(INPUT)) == 2;
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
