#include "app/shell/Messages.h"

#include "testkit/Dialogs.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

using quillet::ShowError;
using quillet::ShowMessage;
using testkit::DialogContents;

namespace {

struct Answered {
    bool appeared = false;
    DialogContents contents;
};

// Shows a message on this thread while another thread, acting as the user, reads the box titled
// `title` and presses `button`.
Answered ShowAndAnswer(const std::function<int()>& show, const std::wstring& title, int button, int* result) {
    std::promise<Answered> answered;
    auto watcher = std::async(std::launch::async, [&] {
        Answered a;
        if (HWND box = testkit::WaitForDialog(::GetCurrentProcessId(), title, 10000)) {
            a.appeared = true;
            a.contents = testkit::ReadDialog(box);
            testkit::PressButton(box, button);
        }
        return a;
    });
    *result = show();
    return watcher.get();
}

bool HasButtons(const DialogContents& c, std::initializer_list<int> ids) {
    std::vector<int> expected(ids);
    return c.buttons == expected;
}

} // namespace

TEST(ShowMessage, InformationHasProgramTitleAndOnlyOk) {
    int result = -1;
    const Answered a = ShowAndAnswer([] { return ShowMessage(L"Project saved.", L"inf"); }, L"Quillet", IDOK, &result);
    ASSERT_TRUE(a.appeared);
    EXPECT_EQ(a.contents.text, L"Project saved.");
    EXPECT_TRUE(HasButtons(a.contents, {IDOK}));
    EXPECT_EQ(a.contents.icon, ::LoadIconW(nullptr, IDI_INFORMATION));
    EXPECT_EQ(result, 0);
}

TEST(ShowMessage, ExclamationHasProgramTitleAndOnlyOk) {
    int result = -1;
    const Answered a =
        ShowAndAnswer([] { return ShowMessage(L"Quillet is allready running!", L"excl"); }, L"Quillet", IDOK, &result);
    ASSERT_TRUE(a.appeared);
    EXPECT_EQ(a.contents.text, L"Quillet is allready running!");
    EXPECT_TRUE(HasButtons(a.contents, {IDOK}));
    EXPECT_EQ(a.contents.icon, ::LoadIconW(nullptr, IDI_EXCLAMATION));
    EXPECT_EQ(result, 0);
}

TEST(ShowMessage, QuestionReturnsTheButtonPressed) {
    for (int button : {IDYES, IDNO}) {
        int result = -1;
        const Answered a =
            ShowAndAnswer([] { return ShowMessage(L"Save changes?", L"quest"); }, L"Quillet", button, &result);
        ASSERT_TRUE(a.appeared);
        EXPECT_TRUE(HasButtons(a.contents, {IDYES, IDNO}));
        EXPECT_EQ(a.contents.icon, ::LoadIconW(nullptr, IDI_QUESTION));
        EXPECT_EQ(result, button);
    }
}

TEST(ShowMessage, ErrorWithDetailsNamesThePendingErrorThenClearsIt) {
    quillet::SetPendingError(76, L"Path not found");
    int result = -1;
    const Answered a = ShowAndAnswer([] { return ShowError(L"Couldn't load project!", true); }, L"Quillet - Error",
                                     IDOK, &result);
    ASSERT_TRUE(a.appeared);
    EXPECT_EQ(a.contents.text, L"Couldn't load project!\r\n\r\nError number: 76, description: Path not found");
    EXPECT_TRUE(HasButtons(a.contents, {IDOK}));
    EXPECT_EQ(a.contents.icon, ::LoadIconW(nullptr, IDI_ERROR));
    EXPECT_TRUE(quillet::PendingError().empty());
}

TEST(ShowMessage, ErrorWithoutDetailsShowsTheTextAlone) {
    quillet::SetPendingError(5, L"Access denied");
    int result = -1;
    const Answered a =
        ShowAndAnswer([] { return ShowError(L"Couldn't save!"); }, L"Quillet - Error", IDOK, &result);
    ASSERT_TRUE(a.appeared);
    EXPECT_EQ(a.contents.text, L"Couldn't save!");
    EXPECT_TRUE(quillet::PendingError().empty());
}

TEST(ShowMessage, UnknownKindShowsNothingButStillClearsThePendingError) {
    quillet::SetPendingError(1, L"x");
    // A shown box would block this call until answered; returning at once is the proof nothing showed.
    EXPECT_EQ(ShowMessage(L"Hidden", L"none"), 0);
    EXPECT_TRUE(quillet::PendingError().empty());
}

TEST(PendingError, Win32ErrorsCarryTheSystemDescription) {
    quillet::SetPendingWin32Error(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(quillet::PendingError().number, 2);
    EXPECT_FALSE(quillet::PendingError().description.empty());
    const std::wstring& d = quillet::PendingError().description;
    EXPECT_NE(d.back(), L'\n');
    quillet::ClearPendingError();
}

TEST(PendingError, IsPerThread) {
    quillet::SetPendingError(9, L"main");
    std::thread([] { EXPECT_TRUE(quillet::PendingError().empty()); }).join();
    EXPECT_EQ(quillet::PendingError().number, 9);
    quillet::ClearPendingError();
}
