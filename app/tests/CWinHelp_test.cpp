// CWinHelp in-process: its checks of file and owner, the numbered errors, and the commands it hands to
// the viewer (a recording stand-in for WinHelpA, so no viewer opens).
#include "app/help/CWinHelp.h"
#include "testkit/Files.h"
#include "winkit/Scoped.h"

#include <gtest/gtest.h>

#include <fstream>
#include <new>
#include <vector>

using quillet::CWinHelp;
using quillet::HelpError;

namespace {

struct Call {
    HWND owner;
    std::string file;
    UINT command;
    ULONG_PTR data;
    std::string text; // the data as text, for the commands that pass one
};

class CWinHelpTest : public testing::Test {
protected:
    void SetUp() override {
        file_ = folder_.path() + L"guide.hlp";
        std::ofstream(file_.c_str()) << "help";
    }
    // A viewer stand-in that records every call and answers `result`.
    CWinHelp::HelpCall Recorder(BOOL result = TRUE) {
        return [this, result](HWND owner, LPCSTR file, UINT command, ULONG_PTR data) -> BOOL {
            const bool textData = command == HELP_COMMAND || command == HELP_PARTIALKEY || command == HELP_QUIT;
            calls_.push_back({owner, file, command, data, textData && data ? reinterpret_cast<const char*>(data) : ""});
            return result;
        };
    }
    template <typename Action> HelpError ErrorOf(Action action) {
        try {
            action();
        } catch (const HelpError& e) {
            return e;
        }
        return {0, L"no error", L""};
    }

    testkit::TempFolder folder_;
    std::wstring file_;
    std::vector<Call> calls_;
};

} // namespace

TEST_F(CWinHelpTest, FileNamesAreCheckedAndABadOneLeavesTheStoredName) {
    CWinHelp help(Recorder());
    EXPECT_EQ(help.FileName(), L"");

    const HelpError blank = ErrorOf([&] { help.FileName(L"   "); });
    EXPECT_EQ(blank.number, static_cast<long>(0x8004481EL));
    EXPECT_EQ(blank.description, L"Invalid file name");
    EXPECT_EQ(blank.source, L"app_tests.CWinHelp");

    const HelpError missing = ErrorOf([&] { help.FileName(folder_.path() + L"missing.hlp"); });
    EXPECT_EQ(missing.number, static_cast<long>(0x8004481FL));
    EXPECT_EQ(missing.description, L"File not found");

    help.FileName(file_);
    EXPECT_EQ(help.FileName(), file_);
    // Matched as the system matches names: a wildcard that finds the file is accepted as given.
    help.FileName(folder_.path() + L"gui*.hlp");
    EXPECT_EQ(help.FileName(), folder_.path() + L"gui*.hlp");
    EXPECT_EQ(ErrorOf([&] { help.FileName(folder_.path() + L"gone.hlp"); }).description, L"File not found");
    EXPECT_EQ(help.FileName(), folder_.path() + L"gui*.hlp");
    EXPECT_TRUE(calls_.empty());
}

TEST_F(CWinHelpTest, InitTakesOwnerZeroWhileTheOwnerSetterRefusesIt) {
    CWinHelp help(Recorder());
    help.Init(file_, 0);
    EXPECT_EQ(help.FileName(), file_);
    EXPECT_EQ(help.HWndOwner(), 0);

    const HelpError zero = ErrorOf([&] { help.HWndOwner(0); });
    EXPECT_EQ(zero.number, static_cast<long>(0x80044820L));
    EXPECT_EQ(zero.description, L"Invalid window handle");

    // A handle that is no window is refused by both; a real one is stored.
    EXPECT_EQ(ErrorOf([&] { help.Init(file_, 0x7FFFFFF0); }).description, L"Invalid window handle");
    winkit::ScopedWindow owner(
        ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(owner);
    const long handle = static_cast<long>(reinterpret_cast<intptr_t>(owner.get()));
    help.HWndOwner(handle);
    EXPECT_EQ(help.HWndOwner(), handle);
    help.ShowContents();
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].owner, owner.get());
}

TEST_F(CWinHelpTest, CommandsNeedAFileAndReachTheViewerAsAnsiRequests) {
    CWinHelp help(Recorder());
    const HelpError early = ErrorOf([&] { help.ShowContents(); });
    EXPECT_EQ(early.number, static_cast<long>(0x8004481DL));
    EXPECT_EQ(early.description, L"Object not properly initialized");
    help.CloseFile(); // no file: nothing to close, nothing raised
    EXPECT_TRUE(calls_.empty());

    // A name outside ASCII reaches the viewer in the ANSI code page.
    const std::wstring accented = folder_.path() + L"caf\u00e9.hlp";
    std::ofstream(accented.c_str()) << "help";
    help.FileName(accented);
    help.ShowContents();
    help.ShowContext(1);
    help.Search(L"hotkeys");
    help.ShowSearch();
    help.RunMacro(L"Contents()");
    help.ShowFinder();
    help.ShowHelpOnHelp();
    help.CloseFile();
    ASSERT_EQ(calls_.size(), 8u);
    if (::GetACP() == 1252) {
        EXPECT_EQ(calls_[0].file.substr(calls_[0].file.size() - 8), "caf\xe9.hlp");
    }
    const std::vector<std::pair<UINT, std::string>> expected = {
        {HELP_CONTENTS, ""},          {HELP_CONTEXT, ""}, {HELP_PARTIALKEY, "hotkeys"}, {HELP_PARTIALKEY, ""},
        {HELP_COMMAND, "Contents()"}, {HELP_FINDER, ""},  {HELP_HELPONHELP, ""},        {HELP_QUIT, ""}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(calls_[i].command, expected[i].first) << i;
        EXPECT_EQ(calls_[i].text, expected[i].second) << i;
        EXPECT_EQ(calls_[i].owner, nullptr) << i;
    }
    EXPECT_EQ(calls_[1].data, 1u);
    EXPECT_EQ(calls_[0].data, 0u);
}

TEST_F(CWinHelpTest, AFailingCallIsReportedAndTheObjectsEndClosesTheFileQuietly) {
    {
        CWinHelp help(Recorder(FALSE));
        help.FileName(file_);
        const HelpError failed = ErrorOf([&] { help.ShowContext(1); });
        EXPECT_EQ(failed.number, static_cast<long>(0x80044821L));
        EXPECT_EQ(failed.description, L"Call to WinHelp failed");
        EXPECT_EQ(failed.source, L"app_tests.CWinHelp");
        EXPECT_EQ(ErrorOf([&] { help.CloseFile(); }).number, static_cast<long>(0x80044821L));
        calls_.clear();
    } // the end sends HELP_QUIT with data 0, and its failure is ignored
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].command, static_cast<UINT>(HELP_QUIT));
    EXPECT_EQ(calls_[0].data, 0u);

    // Anything unexpected inside a member becomes the component failure.
    CWinHelp broken([](HWND, LPCSTR, UINT, ULONG_PTR) -> BOOL { throw std::bad_alloc(); });
    broken.FileName(file_);
    const HelpError failure = ErrorOf([&] { broken.ShowContents(); });
    EXPECT_EQ(failure.number, static_cast<long>(0x80044822L));
    EXPECT_EQ(failure.description, L"CWinHelp component failure");
}
