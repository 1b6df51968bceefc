// The main clip window of the real program, used as a person would: typing into rows, the copy buttons
// pasting into the application used last, the File menu by its access keys, the close at exit.
#include "e2e/ClipWindowDriver.h"
#include "testkit/Clipboard.h"
#include "testkit/TargetWindow.h"

#include <memory>

using testkit::ClipboardText;
using testkit::PutClipboardText;
using testkit::TargetWindow;
using namespace e2e;

namespace {

class MainWindow : public ClipWindowTest {
protected:
    void SetUp() override { StartQuillet(); }
    void CopyRow(int n) {
        ASSERT_TRUE(BringToFront(window_));
        Click(control(ids::kImgCopy + n));
    }
    // The program notices the window in front by polling; a user works there a moment before coming over.
    bool WaitForLastWindow(const std::wstring& title) {
        return winkit::WaitUntil([&] { return Text(control(ids::kLblWindow)) == L"Last Active Window: " + title; },
                                 kActTimeout);
    }
};

TEST_F(MainWindow, CopyButtonPastesTheRowIntoTheLastActiveApplication) {
    TargetWindow target(L"Paste target");
    ::SetWindowPos(target.hwnd(), nullptr, 880, 760, 360, 200, SWP_NOZORDER);
    ASSERT_TRUE(target.Activate());
    ASSERT_TRUE(WaitForLastWindow(L"Paste target"));

    // Row 1 takes "hello" (the clicked row drops its marker first), then its copy button pastes it
    // (auto paste is on by default).
    ASSERT_TRUE(BringToFront(window_));
    Click(row(1));
    ASSERT_TRUE(winkit::WaitUntil([&] { return Text(row(1)).empty(); }, kActTimeout)) << "the marker goes on click";
    TypeText(L"hello");
    ASSERT_TRUE(winkit::WaitUntil([&] { return Text(row(1)) == L"hello"; }, kActTimeout));
    CopyRow(1);
    EXPECT_TRUE(winkit::WaitUntil([&] { return target.text() == L"hello"; }, kActTimeout)) << Text(target.edit());
    EXPECT_TRUE(WaitForStatus(L"Pasted."));

    // Text the ANSI code page cannot hold arrives unchanged.
    for (const std::wstring& text : {std::wstring(L"P\u0159\u00EDli\u0161 \u017Elu\u0165ou\u010Dk\u00FD k\u016F\u0148"),
                                    std::wstring(L"\u65E5\u672C\u8A9E")}) {
        target.clear();
        SetRow(2, text);
        CopyRow(2);
        EXPECT_TRUE(winkit::WaitUntil([&] { return ClipboardText() == text; }, kActTimeout))
            << "copied unchanged";
        EXPECT_TRUE(winkit::WaitUntil([&] { return target.text() == text; }, kActTimeout));
    }

    // An empty row leaves the clipboard and the target alone.
    ASSERT_TRUE(PutClipboardText(L"kept"));
    target.clear();
    CopyRow(5);
    EXPECT_TRUE(WaitForStatus(L"Textbox is empty!"));
    EXPECT_EQ(ClipboardText().value_or(L"(no text)"), L"kept");
    EXPECT_EQ(target.text(), L"");
    EXPECT_EQ(Text(row(5)), kEmptyMarker);
    // And the status goes back to "Ready".
    EXPECT_TRUE(winkit::WaitUntil([&] { return status() == L"Ready"; }, 4000));
}

TEST_F(MainWindow, PasteFallsBackToTheWindowBeforeAClosedOneAndReportsWhenNoneIsLeft) {
    TargetWindow older(L"Older target");
    ::SetWindowPos(older.hwnd(), nullptr, 880, 760, 360, 200, SWP_NOZORDER);
    ASSERT_TRUE(older.Activate());
    ASSERT_TRUE(WaitForLastWindow(L"Older target"));
    auto newer = std::make_unique<TargetWindow>(L"Newer target");
    ::SetWindowPos(newer->hwnd(), nullptr, 880, 520, 360, 200, SWP_NOZORDER);
    ASSERT_TRUE(newer->Activate());
    ASSERT_TRUE(WaitForLastWindow(L"Newer target"));
    newer->Close();
    newer.reset();

    SetRow(1, L"fallback");
    CopyRow(1);
    EXPECT_TRUE(winkit::WaitUntil([&] { return older.text() == L"fallback"; }, kActTimeout));

    older.Close();
    CopyRow(1);
    EXPECT_TRUE(WaitForStatus(L"Can't activate last active application."));
}

TEST_F(MainWindow, NewProjectAsksAboutChangesAndTheExitingRuleAsksAtShutDown) {
    EXPECT_EQ(Text(window_), L"Quillet (default.ql)");

    SetRow(1, L"unsaved");
    ASSERT_TRUE(BringToFront(window_));
    ASSERT_TRUE(MenuKeys(window_, 'F', 'N')) << "the File menu did not open";
    HWND question = testkit::WaitForDialog(quillet_.processId(), L"Quillet", kActTimeout);
    ASSERT_NE(question, nullptr) << "New Project asks about the unsaved change";
    EXPECT_EQ(testkit::ReadDialog(question).text,
              L"Warning: You have made unsaved changes in current project. Do you want to save these changes?");
    testkit::PressButton(question, IDNO);
    EXPECT_TRUE(winkit::WaitUntil([&] { return Text(window_) == L"Quillet (new project)"; }, kActTimeout));
    EXPECT_EQ(Text(row(1)).find(L"unsaved"), std::wstring::npos);

    // Exiting=1 (the default): closing the program with a change asks once; No ends without saving.
    SetRow(3, L"another change");
    HWND mainForm = quillet_.WaitForWindow(L"QuilletMainForm", kActTimeout);
    ASSERT_NE(mainForm, nullptr);
    ::PostMessageW(mainForm, WM_CLOSE, 0, 0);
    HWND exitQuestion = testkit::WaitForDialog(quillet_.processId(), L"Quillet", kActTimeout);
    ASSERT_NE(exitQuestion, nullptr);
    EXPECT_EQ(testkit::ReadDialog(exitQuestion).text,
              L"There are some unsaved changes in current Quillet project. Would you like to save them?");
    testkit::PressButton(exitQuestion, IDNO);
    EXPECT_TRUE(quillet_.WaitForExit(10000));
    EXPECT_FALSE(testkit::FileExists(quillet_.folder() + L"projects\\default.ql"));
}

TEST_F(MainWindow, ADraggedRowSwapKeepsTheSlotsAndClosingOnlyHides) {
    SetRow(1, L"first");
    SetRow(30, L"last");
    ASSERT_TRUE(BringToFront(window_));
    Click(control(ids::kChckMove));
    ASSERT_TRUE(winkit::WaitUntil(
        [&] { return ::SendMessageW(control(ids::kChckMove), BM_GETCHECK, 0, 0) == BST_CHECKED; }, kActTimeout));

    RECT from{}, to{};
    ::GetWindowRect(row(30), &from);
    ::GetWindowRect(row(1), &to);
    ::SetCursorPos((from.left + from.right) / 2, (from.top + from.bottom) / 2);
    INPUT down{}, up{};
    down.type = up.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send({down});
    ASSERT_TRUE(winkit::WaitUntil([&] { return GuiState(window_).hwndCapture == row(30); }, kActTimeout))
        << "the row was not picked up";
    ::SetCursorPos((to.left + to.right) / 2, (to.top + to.bottom) / 2);
    Send({up});
    EXPECT_TRUE(winkit::WaitUntil([&] { return Text(row(1)) == L"last" && Text(row(30)) == L"first"; }, kActTimeout));

    // The close box hides the window; the program keeps running.
    ::PostMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(winkit::WaitUntil([&] { return !::IsWindowVisible(window_); }, kActTimeout));
    EXPECT_TRUE(quillet_.running());
}

} // namespace
