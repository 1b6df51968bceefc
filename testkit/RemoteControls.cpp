#include "testkit/RemoteControls.h"

#include "winkit/Scoped.h"

#include <commctrl.h>

#include <vector>

namespace testkit {

std::wstring StatusBarText(HWND statusBar, int part) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(statusBar, &pid);
    winkit::ScopedHandle process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!process)
        return {};
    constexpr SIZE_T kChars = 1024;
    // The buffer lives in the owner's address space for the length of one message.
    void* remote = ::VirtualAllocEx(process.get(), nullptr, kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE);
    if (!remote)
        return {};
    std::vector<wchar_t> local(kChars, L'\0');
    const LRESULT length = ::SendMessageW(statusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0);
    if (LOWORD(length) < kChars) {
        ::SendMessageW(statusBar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(remote));
        SIZE_T read = 0;
        ::ReadProcessMemory(process.get(), remote, local.data(), (kChars - 1) * sizeof(wchar_t), &read);
    }
    ::VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return local.data();
}

RECT ToolbarButtonRect(HWND toolbar, int command) {
    RECT rect{};
    DWORD pid = 0;
    ::GetWindowThreadProcessId(toolbar, &pid);
    winkit::ScopedHandle process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!process)
        return rect;
    void* remote = ::VirtualAllocEx(process.get(), nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    if (!remote)
        return rect;
    if (::SendMessageW(toolbar, TB_GETRECT, static_cast<WPARAM>(command), reinterpret_cast<LPARAM>(remote))) {
        SIZE_T read = 0;
        ::ReadProcessMemory(process.get(), remote, &rect, sizeof(rect), &read);
        ::MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    }
    ::VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return rect;
}

} // namespace testkit
