#pragma once
// The rules behind the library's machine facts: which operating system a version number names, when a
// service pack counts as installed, and how a text answer is taken out of a system buffer.
#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// The type library's OPERATING_SYSTEM values.
enum class OperatingSystem : int {
    Windows95 = 0,
    Windows98 = 1,
    WindowsMe = 2,
    WindowsNt351 = 3,
    WindowsNt400 = 4,
    Windows2000 = 5,
    WindowsXp = 6,
    WindowsNetServer = 7,
    Unknown = 8
};

// From the major and minor version alone; the platform is not consulted, so 4.0 of either line is
// Windows95, and versions the table does not know (5.2 and everything after XP) are Unknown.
OperatingSystem OperatingSystemName(std::uint32_t major, std::uint32_t minor);

// A service pack is installed when the version record's service-pack text is not empty.
bool IsServicePackInstalled(const std::wstring& servicePack);

// The answer a system call wrote into a buffer it was handed full of NULs: the text before the first
// NUL, trimmed of leading and trailing spaces; empty when the buffer holds no NUL-terminated text.
std::wstring BufferText(const std::wstring& buffer);

// Entry `index` (0 to 15) of a string-table resource block: sixteen texts, each a 16-bit length followed
// by that many UTF-16 units. Empty when the block is too short for it.
std::u16string StringTableEntry(std::u16string_view block, int index);

} // namespace core
