// The settings file of a fresh program folder, byte for byte.
#include "core/SettingsTemplate.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

// The template as a hand-written file (CR LF line ends, ASCII only).
std::wstring ExpectedTemplate() {
    std::ifstream in(QUILLET_TESTDATA_DIR "/settings-template.ini", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return std::wstring(bytes.begin(), bytes.end());
}

} // namespace

TEST(SettingsTemplate, FirstStartFileIsTheHandWrittenTemplate) {
    const std::wstring expected = ExpectedTemplate();
    ASSERT_FALSE(expected.empty()) << "test data missing";
    EXPECT_EQ(core::DefaultSettingsText(L""), expected);
}

TEST(SettingsTemplate, LaterFilesNameTheProjectsFolderAndKeepTheirQuirks) {
    const std::wstring text = core::DefaultSettingsText(L"C:\\Tools\\Quillet\\projects\\");
    EXPECT_NE(text.find(L"\r\nDefaultProjectPath=C:\\Tools\\Quillet\\projects\\\r\nMinimizeOnCopy=0\r\n"),
              std::wstring::npos);
    EXPECT_NE(text.find(L"\r\nRecentProject3Name= \r\n"), std::wstring::npos);
    const size_t first = text.find(L"\r\nPasteMethod=1\r\n");
    ASSERT_NE(first, std::wstring::npos);
    EXPECT_NE(text.find(L"\r\nPasteMethod=1\r\n", first + 1), std::wstring::npos);
    // Only the path line differs from the first-start file.
    std::wstring firstStart = core::DefaultSettingsText(L"");
    firstStart.replace(firstStart.find(L"DefaultProjectPath=") + 19, 0, L"C:\\Tools\\Quillet\\projects\\");
    EXPECT_EQ(text, firstStart);
}
