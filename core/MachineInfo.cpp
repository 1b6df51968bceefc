#include "core/MachineInfo.h"

#include "core/MenuText.h"

namespace core {

OperatingSystem OperatingSystemName(std::uint32_t major, std::uint32_t minor) {
    switch (major) {
    case 3:
        return minor == 51 ? OperatingSystem::WindowsNt351 : OperatingSystem::Unknown;
    case 4:
        switch (minor) {
        case 0:
            return OperatingSystem::Windows95;
        case 10:
            return OperatingSystem::Windows98;
        case 90:
            return OperatingSystem::WindowsMe;
        default:
            return OperatingSystem::Unknown;
        }
    case 5:
        switch (minor) {
        case 0:
            return OperatingSystem::Windows2000;
        case 1:
            return OperatingSystem::WindowsXp;
        default:
            return OperatingSystem::Unknown;
        }
    default:
        return OperatingSystem::Unknown;
    }
}

bool IsServicePackInstalled(const std::wstring& servicePack) {
    return !servicePack.empty();
}

std::wstring BufferText(const std::wstring& buffer) {
    return TextBefore(buffer, L'\0');
}

std::u16string StringTableEntry(std::u16string_view block, int index) {
    if (index < 0 || index > 15)
        return {};
    std::size_t at = 0;
    for (int i = 0; i <= index; ++i) {
        if (at >= block.size())
            return {};
        const std::size_t length = block[at];
        if (block.size() - at - 1 < length)
            return {};
        if (i == index)
            return std::u16string(block.substr(at + 1, length));
        at += 1 + length;
    }
    return {};
}

} // namespace core
