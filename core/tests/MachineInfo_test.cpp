#include "core/MachineInfo.h"

#include <gtest/gtest.h>

#include <utility>

using namespace std::string_literals;
using core::OperatingSystem;

TEST(MachineInfo, VersionNumbersNameTheOperatingSystem) {
    const struct {
        unsigned major, minor;
        OperatingSystem expected;
    } table[] = {
        {3, 51, OperatingSystem::WindowsNt351}, {3, 50, OperatingSystem::Unknown},   {4, 0, OperatingSystem::Windows95},
        {4, 10, OperatingSystem::Windows98},    {4, 90, OperatingSystem::WindowsMe}, {4, 1, OperatingSystem::Unknown},
        {5, 0, OperatingSystem::Windows2000},   {5, 1, OperatingSystem::WindowsXp},  {5, 2, OperatingSystem::Unknown},
        {6, 1, OperatingSystem::Unknown},       {10, 0, OperatingSystem::Unknown},   {0, 0, OperatingSystem::Unknown},
    };
    for (const auto& row : table)
        EXPECT_EQ(core::OperatingSystemName(row.major, row.minor), row.expected) << row.major << "." << row.minor;
}

TEST(MachineInfo, ServicePackAndBufferTexts) {
    EXPECT_FALSE(core::IsServicePackInstalled(L""));
    EXPECT_TRUE(core::IsServicePackInstalled(L"Service Pack 3"));
    EXPECT_TRUE(core::IsServicePackInstalled(L" "));

    // The answer stands before the first NUL and is trimmed; a failed call leaves only NULs.
    EXPECT_EQ(core::BufferText(L"  quillet user  \0\0\0"s), L"quillet user");
    EXPECT_EQ(core::BufferText(L"C:\\windows\0junk\0"s), L"C:\\windows");
    EXPECT_EQ(core::BufferText(std::wstring(260, L'\0')), L"");
    EXPECT_EQ(core::BufferText(L"no terminator"), L"") << "a buffer the system filled up holds no answer";
}

TEST(MachineInfo, StringTableBlockEntries) {
    const std::u16string block = std::u16string(1, char16_t(5)) + u"open." + std::u16string(1, char16_t(4)) + u"shut" +
                                 std::u16string(14, char16_t(0));
    EXPECT_EQ(core::StringTableEntry(block, 0), u"open.");
    EXPECT_EQ(core::StringTableEntry(block, 1), u"shut");
    EXPECT_EQ(core::StringTableEntry(block, 2), u"");
    EXPECT_EQ(core::StringTableEntry(block, 16), u"");
    EXPECT_EQ(core::StringTableEntry(std::u16string(1, char16_t(200)) + u"short", 0), u"")
        << "a length beyond the block is not read";
}
