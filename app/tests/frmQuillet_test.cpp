// The main clip window in-process: row rules, the copy handler, locks, swaps, title and status.
#include "app/projects/EditHandOver.h"
#include "app/projects/MainClipWindow.h"
#include "app/projects/frmQuillet.h"
#include "app/paste/modInternalFunctions.h"
#include "app/shell/modInitialization.h"
#include "app/shell/modSettings.h"
#include "ClipboardTestKit.h"
#include "testkit/Files.h"
#include "winkit/Wait.h"

#include <gtest/gtest.h>

using namespace quillet;
namespace ids = quillet::frmquillet_ids;

namespace {

class MainClipWindowTest : public testing::Test {
protected:
    void SetUp() override {
        savedSettings_ = SettingsFile;
        savedProjects_ = ProjectsFolder;
        SettingsFile = folder_.path() + L"settings.ini";
        ProjectsFolder = folder_.path();
        ASSERT_TRUE(CreateDefaultSettings(false));
        AskDeletingClip = false;
        ClipMethods.fill(1);
        ASSERT_TRUE(window().Load());
        // Nothing here may paste into whatever else runs on the test machine.
        window().SetMenuCheck(ids::mnuAutoPaste, false);
    }
    void TearDown() override {
        OpenProject().ProjectChanged = false;
        window().Unload();
        SettingsFile = savedSettings_;
        ProjectsFolder = savedProjects_;
    }
    static frmQuillet& window() { return QuilletWindow(); }
    static void Type(int n, const std::wstring& text) { ::SetWindowTextW(window().row(n), text.c_str()); }
    static void Key(int n, WPARAM key) { ::SendMessageW(window().row(n), WM_KEYDOWN, key, 0); }

private:
    testkit::TempFolder folder_{L"quillet-frmquillet"};
    std::wstring savedSettings_, savedProjects_;
};

TEST_F(MainClipWindowTest, RowsStartEmptyAndEditsReachTheirSlots) {
    for (int n : {1, 15, 16, 30})
        EXPECT_EQ(window().RowText(n), core::EmptyClipMarker) << n;
    // Row 16 sits level with row 1, to the right of it.
    RECT one{}, sixteen{};
    ::GetWindowRect(window().row(1), &one);
    ::GetWindowRect(window().row(16), &sixteen);
    EXPECT_EQ(one.top, sixteen.top);
    EXPECT_GT(sixteen.left, one.right);

    Type(3, L"abc");
    EXPECT_EQ(OpenProject().slot(3).text, L"abc");
    EXPECT_TRUE(OpenProject().ProjectChanged) << "a changed one-line clip is an unsaved change";

    // A pasted pair of lines is joined, without a separator.
    Type(4, L"first\r\nsecond");
    EXPECT_EQ(window().RowText(4), L"firstsecond");
    EXPECT_EQ(OpenProject().slot(4).text, L"firstsecond");
}

TEST_F(MainClipWindowTest, FocusClearsTheMarkerAndLeavingAnEmptyRowPutsItBack) {
    ::ShowWindow(window().hwnd(), SW_SHOW);
    ::SetFocus(window().row(5));
    EXPECT_EQ(window().RowText(5), L"");
    ::SetFocus(window().row(6));
    EXPECT_EQ(window().RowText(5), core::EmptyClipMarker);
    EXPECT_EQ(window().RowText(6), L"");
    ::ShowWindow(window().hwnd(), SW_HIDE);
}

TEST_F(MainClipWindowTest, CopyPutsTheRowOnTheClipboardAndMarksItBold) {
    Type(1, L"hello");
    window().CopyClip(1);
    EXPECT_EQ(apptest::ClipboardUnicodeText(), L"hello");
    EXPECT_EQ(window().StatusText(), L"Text copied.");
    EXPECT_EQ(lastCopiedClip, 1);
    EXPECT_TRUE(window().RowBold(1));

    // An empty row changes neither the clipboard nor the bold number.
    window().CopyClip(2);
    EXPECT_EQ(window().StatusText(), L"Textbox is empty!");
    EXPECT_EQ(apptest::ClipboardUnicodeText(), L"hello");
    EXPECT_EQ(lastCopiedClip, 1);
    EXPECT_TRUE(window().RowBold(1));
    EXPECT_FALSE(window().RowBold(2));

    // A multi-line clip puts its data, not its name.
    Clip& slot = OpenProject().slot(7);
    slot.format = core::kFormatTxtLong;
    slot.data = L"line one\r\nline two";
    Type(7, L"Two lines");
    window().SwitchLock(7, true);
    window().HotkeyTrigger(7);
    EXPECT_EQ(apptest::ClipboardUnicodeText(), L"line one\r\nline two");
    EXPECT_TRUE(window().RowBold(7));
    EXPECT_FALSE(window().RowBold(1));

    // A copy that fails (a picture clip whose picture is missing) is no copy: the clipboard, the clip
    // copied last and the bold number stay, whether the button or a hotkey asked.
    Clip& picture = OpenProject().slot(9);
    picture.format = core::kFormatImg;
    Type(9, L"A picture");
    window().SwitchLock(9, true);
    window().CopyClip(9);
    EXPECT_EQ(window().StatusText(), L"Couldn't copy picture.");
    window().HotkeyTrigger(9);
    EXPECT_EQ(lastCopiedClip, 7);
    EXPECT_TRUE(window().RowBold(7));
    EXPECT_FALSE(window().RowBold(9));
    EXPECT_EQ(apptest::ClipboardUnicodeText(), L"line one\r\nline two");
}

TEST_F(MainClipWindowTest, LockedRowsTakeTheLockColourAndIgnoreTyping) {
    Clip& slot = OpenProject().slot(8);
    slot.format = core::kFormatRtf;
    slot.data = L"{\\rtf1 x}";
    Type(8, L"Rich");
    window().SwitchLock(8, true);
    OpenProject().ProjectChanged = false;

    HDC dc = ::GetDC(window().hwnd());
    ::SendMessageW(window().hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(window().row(8)));
    EXPECT_EQ(::GetBkColor(dc), RGB(169, 233, 185));
    ::SendMessageW(window().hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(window().row(9)));
    EXPECT_EQ(::GetBkColor(dc), ::GetSysColor(COLOR_WINDOW));
    ::ReleaseDC(window().hwnd(), dc);

    Key(8, 'X');
    ::SendMessageW(window().row(8), WM_CHAR, 'x', 0);
    EXPECT_EQ(window().RowText(8), L"Rich");
    EXPECT_FALSE(OpenProject().ProjectChanged);

    // Delete empties the whole slot and unlocks it; in a plain row too, not one character.
    Key(8, VK_DELETE);
    EXPECT_EQ(slot.format, core::kFormatTxtSimple);
    EXPECT_TRUE(slot.data.empty());
    EXPECT_FALSE(slot.locked);
    EXPECT_TRUE(core::IsEmptyClipText(window().RowText(8)));
    Type(9, L"abc");
    Key(9, VK_DELETE);
    EXPECT_TRUE(core::IsEmptyClipText(window().RowText(9)));
}

TEST_F(MainClipWindowTest, SwappingRowsMovesTheClipsButNotThePasteMethods) {
    Type(1, L"top");
    Clip& last = OpenProject().slot(30);
    last.format = core::kFormatTxtLong;
    last.data = L"a\r\nb";
    Type(30, L"Bottom");
    window().SwitchLock(30, true);
    ClipMethods[0] = 2;
    ClipMethods[29] = 3;

    window().SwapRows(30, 1);
    EXPECT_EQ(window().RowText(1), L"Bottom");
    EXPECT_EQ(OpenProject().slot(1).format, core::kFormatTxtLong);
    EXPECT_EQ(OpenProject().slot(1).data, L"a\r\nb");
    EXPECT_TRUE(OpenProject().slot(1).locked);
    EXPECT_EQ(window().RowText(30), L"top");
    EXPECT_FALSE(OpenProject().slot(30).locked);
    EXPECT_EQ(ClipMethods[0], 2);
    EXPECT_EQ(ClipMethods[29], 3);
}

TEST_F(MainClipWindowTest, EditorResultsSetFormatAndLock) {
    EditName = L"Notes";
    EditData = L"x\r\ny";
    EditIsSimple = EditIsRTF = EditIsImage = false;
    window().Update(10);
    EXPECT_EQ(OpenProject().slot(10).format, core::kFormatTxtLong);
    EXPECT_TRUE(OpenProject().slot(10).locked);
    EXPECT_EQ(window().RowText(10), L"Notes");

    EditName = L"";
    EditData.clear();
    window().Update(10);
    EXPECT_EQ(OpenProject().slot(10).format, core::kFormatTxtSimple);
    EXPECT_FALSE(OpenProject().slot(10).locked);
    EXPECT_EQ(window().RowText(10), core::EmptyClipMarker);
}

TEST_F(MainClipWindowTest, TitleFollowsTheProjectAndStatusReturnsToReady) {
    const auto title = [] {
        wchar_t text[128] = {};
        ::GetWindowTextW(window().hwnd(), text, 128);
        return std::wstring(text);
    };
    // A first start without any project file names the default project.
    EXPECT_EQ(title(), L"Quillet (default.ql)");
    OpenProject().ProjectName = L"Blank";
    EXPECT_TRUE(winkit::WaitUntil([&] { return title() == L"Quillet (new project)"; }, 2000));

    const DWORD shown = ::GetTickCount();
    window().ShowAtStatus(L"Something happened");
    EXPECT_EQ(window().StatusText(), L"Something happened");
    ASSERT_TRUE(winkit::WaitUntil([] { return window().StatusText() == L"Ready"; }, 4000));
    EXPECT_GE(::GetTickCount() - shown, 1400u);
}

TEST_F(MainClipWindowTest, CopyOptionsExcludeEachOtherAndReachTheSettings) {
    ::SendMessageW(window().hwnd(), WM_COMMAND, ids::mnuHideOnCopy, 0);
    EXPECT_TRUE(window().MenuChecked(ids::mnuHideOnCopy));
    ::SendMessageW(window().hwnd(), WM_COMMAND, ids::mnuMinimizeOnCopy, 0);
    EXPECT_TRUE(window().MenuChecked(ids::mnuMinimizeOnCopy));
    EXPECT_FALSE(window().MenuChecked(ids::mnuHideOnCopy));
    ASSERT_TRUE(SettingsHooks().copyOptionChecked);
    EXPECT_TRUE(SettingsHooks().copyOptionChecked(CopyOption::MinimizeOnCopy));
    SettingsHooks().checkCopyOption(CopyOption::AutoPaste, true);
    EXPECT_TRUE(PasteHooks().autoPasteChecked());
    window().SetMenuCheck(ids::mnuAutoPaste, false);
    window().SetMenuCheck(ids::mnuMinimizeOnCopy, false);
}

} // namespace
