// Starting and ending the real program.
#include "testkit/Dialogs.h"
#include "testkit/ProgramUnderTest.h"

#include <gtest/gtest.h>

using testkit::ProgramUnderTest;

namespace {
constexpr DWORD kStartTimeout = 20000;
constexpr DWORD kExitTimeout = 10000;
const wchar_t kMainFormClass[] = L"QuilletMainForm";
} // namespace

TEST(Lifecycle, StartsWithItsHiddenMainFormAndEndsThroughItsOwnExitPath) {
    ProgramUnderTest quillet;
    ASSERT_TRUE(quillet.ready()) << "Quillet.exe and Syslinkage.dll must sit beside the driver";
    ASSERT_TRUE(quillet.Start());

    HWND mainForm = quillet.WaitForWindow(kMainFormClass, kStartTimeout);
    ASSERT_NE(mainForm, nullptr) << "the hidden main form never appeared";
    EXPECT_FALSE(::IsWindowVisible(mainForm));
    EXPECT_TRUE(quillet.running());

    // Closing the main form is how the system (or a task manager) asks the program to end.
    ASSERT_TRUE(::PostMessageW(mainForm, WM_CLOSE, 0, 0));
    ASSERT_TRUE(quillet.WaitForExit(kExitTimeout)) << "Quillet did not end after being asked to close";
    EXPECT_EQ(quillet.exitCode(), 0u);
    EXPECT_TRUE(testkit::TopLevelWindows(quillet.processId()).empty());
}

TEST(Lifecycle, RemovesItsTempFolderWhenItEnds) {
    ProgramUnderTest quillet;
    ASSERT_TRUE(quillet.ready());
    const std::wstring temp = quillet.folder() + L"temp";
    ASSERT_TRUE(::CreateDirectoryW(temp.c_str(), nullptr));
    HANDLE leftover = ::CreateFileW((temp + L"\\leftover.tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(leftover, INVALID_HANDLE_VALUE);
    ::CloseHandle(leftover);

    ASSERT_TRUE(quillet.Start());
    HWND mainForm = quillet.WaitForWindow(kMainFormClass, kStartTimeout);
    ASSERT_NE(mainForm, nullptr);
    ::PostMessageW(mainForm, WM_CLOSE, 0, 0);
    ASSERT_TRUE(quillet.WaitForExit(kExitTimeout));
    EXPECT_FALSE(testkit::FolderExists(temp));
}
