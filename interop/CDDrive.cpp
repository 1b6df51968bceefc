#include "interop/CDDrive.h"

#include "core/MachineInfo.h"

#include <mmsystem.h>
#include <winuser.h>

#include <string>

namespace syslinkage {
namespace {

// The door commands are string resources 0 (open) and 1 (closed) of the library, US English.
std::wstring DoorCommand(int id) {
    const HMODULE module = ModuleHandle();
    HRSRC block = ::FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1),
                                    MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    HGLOBAL loaded = block ? ::LoadResource(module, block) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data)
        return {};
    const std::u16string text = core::StringTableEntry(
        std::u16string_view(static_cast<const char16_t*>(data), ::SizeofResource(module, block) / sizeof(char16_t)),
        id % 16);
    return std::wstring(text.begin(), text.end());
}

HRESULT SendDoorCommand(int id) {
    const std::wstring command = DoorCommand(id);
    // A machine without a CD audio device refuses the command; that is no error for the client.
    if (!command.empty())
        ::mciSendStringW(command.c_str(), nullptr, 0, nullptr);
    return S_OK;
}

} // namespace

HRESULT CCDDrive::openDoor() {
    return Guarded([] { return SendDoorCommand(0); });
}

HRESULT CCDDrive::closeDoor() {
    return Guarded([] { return SendDoorCommand(1); });
}

} // namespace syslinkage
