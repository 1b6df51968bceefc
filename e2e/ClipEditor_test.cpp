// The clip editor of the real program, reached as a user does: F3 on a row, typing, the toolbars, F1, F2,
// Esc; the clips it makes pasted by their hotkeys into other programs and kept in the project file.
#include "app/editor/frmConfPasteBox.h"
#include "e2e/ClipWindowDriver.h"
#include "testkit/Clipboard.h"
#include "testkit/Rtf.h"
#include "testkit/TargetWindow.h"
#include "winkit/TextConv.h"

#include <commctrl.h>

#include <string>

using quillet::frmConfPasteBox;
using testkit::TargetWindow;
using namespace e2e;

namespace {

constexpr const wchar_t* kEditorClass = L"QuilletConfPasteBox";

class ClipEditor : public ClipWindowTest {
protected:
    void SetUp() override {
        PrepareSettings({{L"AutoPaste", L"1"}});
        WriteHotkey(L"Clip1", 2, '1');
        WriteHotkey(L"Clip2", 2, '2');
        StartQuillet();
    }
    // F3 on row n, as the user opens the editor; the editor's window once it shows.
    HWND OpenEditorOn(int n) {
        if (!BringToFront(window_)) {
            ADD_FAILURE() << "the main window did not come to the front";
            return nullptr;
        }
        // Just after the editor closed, the main window's own activation may still come and take the
        // keyboard from the row; the user then clicks the row again.
        bool focused = false;
        for (int tries = 0; tries < 5 && !focused; ++tries) {
            Click(row(n));
            focused = winkit::WaitUntil([&] { return GuiState(window_).hwndFocus == row(n); }, 1000);
        }
        if (!focused) {
            ADD_FAILURE() << "row " << n << " did not take the keyboard";
            return nullptr;
        }
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
    static bool WaitForFocus(HWND window, HWND control) {
        return winkit::WaitUntil([&] { return GuiState(window).hwndFocus == control; }, kActTimeout);
    }
    static void ClickButton(HWND editor, int toolbarId, int command) {
        const RECT rc = testkit::ToolbarButtonRect(::GetDlgItem(editor, toolbarId), command);
        ASSERT_LT(rc.left, rc.right) << "toolbar button " << command << " not found";
        ClickAt({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
    }
    static bool Pressed(HWND editor, int toolbarId, int command) {
        return ::SendMessageW(::GetDlgItem(editor, toolbarId), TB_ISBUTTONCHECKED, static_cast<WPARAM>(command), 0) !=
               0;
    }
    // Brings a target application to the front until the program has seen it as the last active window
    // (just after another window closed, something of the program may still come up over it).
    void ActivateTarget(const TargetWindow& target, const std::wstring& title) {
        bool seen = false;
        for (int tries = 0; tries < 5 && !seen; ++tries) {
            target.Activate();
            seen = winkit::WaitUntil([&] { return Text(control(ids::kLblWindow)) == L"Last Active Window: " + title; },
                                     1000);
        }
        ASSERT_TRUE(seen) << "the program never saw the target in front";
    }
    // The clip's hotkey pressed in the target, until the target holds what it expects.
    bool PasteByHotkey(TargetWindow& target, const std::wstring& title, WORD digit,
                       const std::function<bool()>& arrived) {
        ActivateTarget(target, title);
        target.clear();
        PressChord({VK_CONTROL}, digit);
        return winkit::WaitUntil(arrived, kActTimeout);
    }
};

TEST_F(ClipEditor, TwoLinesBecomeALongClipThatPastesWholeWhileEscAndF2ChangeNothing) {
    TargetWindow target(L"Text target");
    ::SetWindowPos(target.hwnd(), nullptr, 880, 760, 360, 200, SWP_NOZORDER);

    HWND editor = OpenEditorOn(1);
    ASSERT_NE(editor, nullptr) << "F3 on a row opens the clip editor";
    EXPECT_EQ(Text(editor), L"Configure Clip to Paste");
    // While it is open the rows' buttons wait, and the main window sends the user back to the editor.
    EXPECT_FALSE(::IsWindowEnabled(control(ids::kImgConf + 2)));
    EXPECT_FALSE(::IsWindowEnabled(row(2)));
    ASSERT_TRUE(target.Activate());
    ::SetForegroundWindow(window_);
    EXPECT_TRUE(winkit::WaitUntil([&] { return ::GetForegroundWindow() == editor; }, kActTimeout))
        << "activating the main window brings the editor forward";
    ASSERT_TRUE(WaitForFocus(editor, ::GetDlgItem(editor, frmConfPasteBox::idTxtClipTXT)));

    TypeText(L"first line");
    PressKey(VK_RETURN);
    TypeText(L"second");
    PressKey(VK_F1);
    ASSERT_TRUE(Gone(editor)) << "F1 stores and closes";
    EXPECT_TRUE(WaitForRow(1, L"first line")) << "a long clip's row shows its first line";
    EXPECT_TRUE(winkit::WaitUntil([&] { return ::IsWindowEnabled(row(2)) != FALSE; }, kActTimeout));

    // Opened again, the editor holds both lines; Esc and F2 close it and the slot stays as it was.
    for (WORD key : {VK_ESCAPE, VK_F2}) {
        SCOPED_TRACE(key == VK_F2 ? "F2" : "Esc");
        editor = OpenEditorOn(1);
        ASSERT_NE(editor, nullptr);
        HWND box = ::GetDlgItem(editor, frmConfPasteBox::idTxtClipTXT);
        EXPECT_EQ(Text(box), L"first line\r\nsecond");
        ASSERT_TRUE(WaitForFocus(editor, box)) << "the editor opens with the keyboard in its text box";
        TypeText(L" more");
        ASSERT_TRUE(winkit::WaitUntil([&] { return Text(box) == L"first line\r\nsecond more"; }, kActTimeout));
        PressKey(key);
        ASSERT_TRUE(Gone(editor)) << (key == VK_F2 ? "F2" : "Esc") << " closes without saving";
        EXPECT_TRUE(WaitForRow(1, L"first line"));
        ASSERT_TRUE(winkit::WaitUntil([&] { return ::IsWindowEnabled(row(1)) != FALSE; }, kActTimeout));
    }

    // Its hotkey pastes both lines, as they were stored, into another program.
    EXPECT_TRUE(PasteByHotkey(target, L"Text target", '1', [&] { return target.text() == L"first line\r\nsecond"; }))
        << "the target holds \"" << winkit::ToUtf8(target.text()) << "\"";
}

TEST_F(ClipEditor, ABoldRichTextClipWithItsOwnNamePastesAsRichTextAndComesBackFromTheProject) {
    TargetWindow target(L"Rich target", TargetWindow::Kind::RichEdit);
    ::SetWindowPos(target.hwnd(), nullptr, 880, 760, 360, 200, SWP_NOZORDER);
    SetRow(1, L"alpha");

    HWND editor = OpenEditorOn(2);
    ASSERT_NE(editor, nullptr);
    HWND rich = ::GetDlgItem(editor, frmConfPasteBox::idTxtClipRTF);
    ClickButton(editor, frmConfPasteBox::idToolbar, frmConfPasteBox::kToolbarButton + 7); // RTF
    ASSERT_TRUE(WaitForFocus(editor, rich)) << "the rich-text box takes the keyboard in rtf mode";
    TypeText(L"plain bold");
    ASSERT_TRUE(winkit::WaitUntil([&] { return Text(rich) == L"plain bold"; }, kActTimeout));
    // The last word selected from the keyboard, then made bold by the toolbar.
    PressChord({VK_CONTROL, VK_SHIFT}, VK_LEFT);
    ASSERT_TRUE(
        winkit::WaitUntil([&] { return ::SendMessageW(rich, EM_GETSEL, 0, 0) == MAKELRESULT(6, 10); }, kActTimeout));
    const int bold = frmConfPasteBox::kToolbar2Button + 6;
    EXPECT_FALSE(Pressed(editor, frmConfPasteBox::idToolbar2, bold));
    ClickButton(editor, frmConfPasteBox::idToolbar2, bold);
    ASSERT_TRUE(winkit::WaitUntil([&] { return Pressed(editor, frmConfPasteBox::idToolbar2, bold); }, kActTimeout));

    // A custom name: the option offers "Clip 2" selected; typing replaces it, Enter stores and closes.
    HWND name = ::GetDlgItem(editor, frmConfPasteBox::idTxtCustomName);
    Click(::GetDlgItem(editor, frmConfPasteBox::idOptCusName));
    ASSERT_TRUE(WaitForFocus(editor, name));
    ASSERT_TRUE(winkit::WaitUntil([&] { return Text(name) == L"Clip 2"; }, kActTimeout));
    TypeText(L"greeting");
    ASSERT_TRUE(winkit::WaitUntil([&] { return Text(name) == L"greeting"; }, kActTimeout));
    PressKey(VK_RETURN);
    ASSERT_TRUE(Gone(editor));
    EXPECT_TRUE(WaitForRow(2, L"(RTF) greeting"));

    // Pasted into a word processor it arrives as rich text with the bold word.
    const auto pastesBold = [&] {
        return PasteByHotkey(target, L"Rich target", '2', [&] { return target.text().rfind(L"plain bold", 0) == 0; });
    };
    ASSERT_TRUE(pastesBold()) << "the target holds \"" << winkit::ToUtf8(target.text()) << "\"";
    EXPECT_TRUE(testkit::ClipboardHas(::RegisterClipboardFormatW(L"Rich Text Format")));
    // The target keeps a bold run; which words it covers is read from the RTF it was offered, since this
    // system's rich edit widens a pasted run to the whole paragraph.
    EXPECT_NE(testkit::FirstBoldRun(target.rtf()).find("bold"), std::string::npos) << target.rtf();
    const UINT rtfFormat = ::RegisterClipboardFormatW(L"Rich Text Format");
    const std::string offered = testkit::ClipboardBytes(rtfFormat);
    const std::string run = testkit::FirstBoldRun(offered);
    EXPECT_NE(run.find("bold"), std::string::npos) << offered;
    EXPECT_EQ(run.find("plain"), std::string::npos) << offered;

    // Saved, left for a new project and loaded again from the File menu: the same rows and the same clip.
    ASSERT_TRUE(FileMenu('S'));
    ASSERT_TRUE(WaitForStatus(L"Project has been saved"));
    ASSERT_TRUE(FileMenu('N'));
    ASSERT_TRUE(WaitForTitle(L"Quillet (new project)"));
    ASSERT_TRUE(WaitForRow(2, kEmptyMarker));
    ASSERT_TRUE(FileMenu('L'));
    ASSERT_TRUE(AnswerFileDialog(quillet_, L"Load Quillet Project", L"default.ql"));
    ASSERT_TRUE(WaitForTitle(L"Quillet (default.ql)"));
    EXPECT_TRUE(WaitForRow(1, L"alpha"));
    EXPECT_TRUE(WaitForRow(2, L"(RTF) greeting"));
    ASSERT_TRUE(pastesBold()) << "the target holds \"" << winkit::ToUtf8(target.text()) << "\"";
    EXPECT_NE(testkit::FirstBoldRun(target.rtf()).find("bold"), std::string::npos) << target.rtf();
    EXPECT_NE(testkit::FirstBoldRun(testkit::ClipboardBytes(rtfFormat)).find("bold"), std::string::npos);
}

} // namespace
