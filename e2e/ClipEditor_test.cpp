// The clip editor of the real program, reached as a user does: F3 on a row, typing, F1 or Esc.
#include "e2e/ClipWindowDriver.h"

using namespace e2e;

namespace {

constexpr const wchar_t* kEditorClass = L"QuilletConfPasteBox";

class ClipEditor : public ClipWindowTest {
protected:
    void SetUp() override {
        PrepareSettings();
        StartQuillet();
    }
    // F3 on row n, as the user opens the editor; the editor's window once it shows.
    HWND OpenEditorOn(int n) {
        if (!BringToFront(window_))
            return nullptr;
        Click(row(n));
        if (!winkit::WaitUntil([&] { return GuiState(window_).hwndFocus == row(n); }, kActTimeout))
            return nullptr;
        PressKey(VK_F3);
        HWND editor = quillet_.WaitForWindow(kEditorClass, kActTimeout);
        if (!editor || !winkit::WaitUntil([editor] { return ::IsWindowVisible(editor) != FALSE; }, kActTimeout))
            return nullptr;
        winkit::WaitUntil([editor] { return ::GetForegroundWindow() == editor; }, kActTimeout);
        return editor;
    }
    static bool Gone(HWND editor) {
        return winkit::WaitUntil([editor] { return !::IsWindow(editor) || !::IsWindowVisible(editor); }, kActTimeout);
    }
};

TEST_F(ClipEditor, F3OpensTheEditorTwoLinesBecomeALongClipAndEscChangesNothing) {
    HWND editor = OpenEditorOn(1);
    ASSERT_NE(editor, nullptr) << "F3 on a row opens the clip editor";
    EXPECT_EQ(Text(editor), L"Configure Clip to Paste");
    // While it is open the rows' buttons wait.
    EXPECT_FALSE(::IsWindowEnabled(control(ids::kImgConf + 2)));
    EXPECT_FALSE(::IsWindowEnabled(row(2)));

    TypeText(L"first line");
    PressKey(VK_RETURN);
    TypeText(L"second");
    PressKey(VK_F1);
    ASSERT_TRUE(Gone(editor)) << "F1 stores and closes";
    EXPECT_TRUE(WaitForRow(1, L"first line")) << "a long clip's row shows its first line";
    EXPECT_TRUE(winkit::WaitUntil([&] { return ::IsWindowEnabled(row(2)) != FALSE; }, kActTimeout));

    // Opened again, the editor holds both lines; Esc closes it and the slot stays as it was.
    editor = OpenEditorOn(1);
    ASSERT_NE(editor, nullptr);
    TypeText(L" more");
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(Gone(editor)) << "Esc closes without saving";
    EXPECT_TRUE(WaitForRow(1, L"first line"));
}

} // namespace
