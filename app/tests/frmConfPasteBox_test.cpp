// The clip editor in-process on real rich-text and edit controls: its text commands read back from the
// RTF, the mode switches, the clip files, the hand-back into the main clip window.
#include "app/editor/RichTextBox.h"
#include "app/editor/frmConfPasteBox.h"
#include "app/projects/EditHandOver.h"
#include "app/projects/MainClipWindow.h"
#include "app/projects/frmQuillet.h"
#include "app/projects/frmQuilletIds.h"
#include "app/shell/modInitialization.h"
#include "app/shell/modSettings.h"
#include "testkit/Clipboard.h"
#include "testkit/Dialogs.h"
#include "testkit/Files.h"
#include "testkit/Rtf.h"
#include "winkit/Scoped.h"
#include "winkit/TextConv.h"
#include "winkit/Wait.h"

#include <colordlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>

using namespace quillet;
using Editor = quillet::frmConfPasteBox;

namespace {

const wchar_t kQuestionTitle[] = L"Quillet";
const wchar_t kErrorTitle[] = L"Quillet - Error";

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(winkit::ToUtf8(path), std::ios::binary) << bytes;
}
std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(winkit::ToUtf8(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::wstring ControlText(HWND dialog, int id) {
    return testkit::WindowText(::GetDlgItem(dialog, id));
}

// What a common dialog showed when it came, as read by `read`.
struct SeenDialog {
    bool appeared = false;
    std::vector<std::wstring> values;
};

// Acts as the user for the next common dialog titled `title` of this process: from another thread it
// reads it, lets `change` set what the user picks, then presses OK. Should the dialog not come under that
// title, any dialog of the process is cancelled, so no modal loop is left hanging the test.
std::future<SeenDialog> AnswerCommonDialog(const std::wstring& title, std::vector<int> read,
                                           std::function<void(HWND)> change) {
    return std::async(std::launch::async, [=] {
        SeenDialog seen;
        HWND dialog = testkit::WaitForDialog(::GetCurrentProcessId(), title, 10000);
        if (!dialog) {
            for (HWND other : testkit::TopLevelWindows(::GetCurrentProcessId(), L"#32770"))
                if (::IsWindowVisible(other))
                    ::PostMessageW(other, WM_COMMAND, IDCANCEL, 0);
            return seen;
        }
        seen.appeared = true;
        for (int id : read)
            seen.values.push_back(ControlText(dialog, id));
        change(dialog);
        testkit::PressButton(dialog, IDOK);
        return seen;
    });
}

// Picks `entry` in a combo box of a dialog as a click in its list does.
void PickEntry(HWND dialog, int id, const std::wstring& entry) {
    HWND combo = ::GetDlgItem(dialog, id);
    const LRESULT index =
        ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// Waits until no window of this thread has anything left to paint.
bool AllPainted() {
    return winkit::WaitUntil([] { return (HIWORD(::GetQueueStatus(QS_PAINT)) & QS_PAINT) == 0; }, 10000);
}

// What a control shows: its pixels read back from its window's surface.
std::vector<COLORREF> Pixels(HWND control) {
    RECT r{};
    ::GetClientRect(control, &r);
    winkit::WindowDC dc(control);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            pixels.push_back(::GetPixel(dc.get(), x, y));
    return pixels;
}

// What the main window's menu bar shows of title `item` (0 the first), read back from the window's surface.
std::vector<COLORREF> MenuTitlePixels(HWND window, int item) {
    MENUBARINFO bar{};
    bar.cbSize = sizeof(bar);
    if (!::GetMenuBarInfo(window, OBJID_MENU, item + 1, &bar))
        return {};
    RECT frame{};
    ::GetWindowRect(window, &frame);
    winkit::WindowDC dc(window, ::GetWindowDC(window));
    std::vector<COLORREF> pixels;
    for (int y = bar.rcBar.top; y < bar.rcBar.bottom; ++y)
        for (int x = bar.rcBar.left; x < bar.rcBar.right; ++x)
            pixels.push_back(::GetPixel(dc.get(), x - frame.left, y - frame.top));
    return pixels;
}

// The darkest pixel's brightness (0-255): a box's text is black when it takes input, grey when disabled.
int Darkest(const std::vector<COLORREF>& pixels) {
    int darkest = 255;
    for (COLORREF c : pixels)
        darkest = std::min(darkest, static_cast<int>((GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3));
    return darkest;
}

class ClipEditorTest : public testing::Test {
protected:
    void SetUp() override {
        savedSettings_ = SettingsFile;
        savedProjects_ = ProjectsFolder;
        SettingsFile = folder_.path() + L"settings.ini";
        ProjectsFolder = folder_.path();
        ASSERT_TRUE(CreateDefaultSettings(false));
        AskClearingClip = false;
        ASSERT_TRUE(QuilletWindow().Load());
        ShowClipEditorHook() = [] { ShowClipEditor(); };
    }
    void TearDown() override {
        editor().CloseWithoutSaving();
        OpenProject().ProjectChanged = false;
        QuilletWindow().Unload();
        ShowClipEditorHook() = nullptr;
        SettingsFile = savedSettings_;
        ProjectsFolder = savedProjects_;
    }
    static Editor& editor() { return ConfPasteBox(); }
    static HWND rich() { return editor().control(Editor::idTxtClipRTF); }
    static HWND plain() { return editor().control(Editor::idTxtClipTXT); }
    std::wstring file(const wchar_t* name) const { return folder_.path() + name; }

    // Opens the editor on slot n as F3 on its row does, after giving the slot a clip.
    static void OpenOn(int n, const std::wstring& format, const std::wstring& text, const std::wstring& data = L"") {
        Clip& clip = OpenProject().slot(n);
        clip.format = format;
        clip.text = text;
        clip.data = data;
        QuilletWindow().RefreshRows();
        QuilletWindow().ConfigureClip(n);
        ASSERT_NE(editor().hwnd(), nullptr);
    }
    // A click on toolbar2's button: a check button changes its state first, as the toolbar does.
    static void Click2(int index, bool check = false) {
        if (check)
            ::SendMessageW(editor().control(Editor::idToolbar2), TB_CHECKBUTTON, Editor::kToolbar2Button + index,
                           !editor().ButtonPressed(Editor::idToolbar2, index));
        ::SendMessageW(editor().hwnd(), WM_COMMAND, MAKEWPARAM(Editor::kToolbar2Button + index, BN_CLICKED),
                       reinterpret_cast<LPARAM>(editor().control(Editor::idToolbar2)));
    }
    static void Click1(int index) {
        if (index >= 6) // the mode buttons are one group: the clicked one goes down
            ::SendMessageW(editor().control(Editor::idToolbar), TB_CHECKBUTTON, Editor::kToolbarButton + index, TRUE);
        ::SendMessageW(editor().hwnd(), WM_COMMAND, MAKEWPARAM(Editor::kToolbarButton + index, BN_CLICKED),
                       reinterpret_cast<LPARAM>(editor().control(Editor::idToolbar)));
    }
    static void Select(long from, long to) {
        CHARRANGE range{from, to};
        ::SendMessageW(rich(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }
    // Replaces a box's text as typing over a selection of all of it does.
    static void TypeInto(HWND box, const std::wstring& text) {
        ::SendMessageW(box, EM_SETSEL, 0, -1);
        ::SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    }
    static std::wstring PlainText() {
        std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(plain())) + 1, L'\0');
        text.resize(static_cast<std::size_t>(::GetWindowTextW(plain(), text.data(), static_cast<int>(text.size()))));
        return text;
    }

private:
    testkit::TempFolder folder_{L"quillet-editor"};
    std::wstring savedSettings_, savedProjects_;
};

TEST_F(ClipEditorTest, OpeningShowsTheModeBlocksTheMainWindowAndCancelGivesItBack) {
    OpenOn(3, core::kFormatTxtSimple, L"");
    EXPECT_TRUE(EditorOpen);
    EXPECT_EQ(editor().CurrentFormat(), L"txt");
    EXPECT_TRUE(editor().ButtonPressed(Editor::idToolbar, 6));
    EXPECT_FALSE(::IsWindowEnabled(QuilletWindow().row(1))) << "the rows wait while a clip is edited";
    EXPECT_EQ(editor().PanelText(1), L"F1 OK; F2 Cancel; F3 Clear; F4 Load");
    EXPECT_EQ(editor().PanelText(2), L"Chars: 0 / 100 000  ");
    EXPECT_EQ(editor().PanelText(3), L"Current line: 1  ");
    EXPECT_EQ(editor().PanelText(4), L"Total lines:1  ");
    // In plain text the rich-only buttons are hidden, the picture ones too.
    EXPECT_FALSE(editor().ButtonVisible(Editor::idToolbar2, 6));
    EXPECT_TRUE(editor().ButtonVisible(Editor::idToolbar2, 12));
    EXPECT_FALSE(editor().ButtonVisible(Editor::idToolbar2, 22));

    TypeInto(plain(), L"ab\r\ncd");
    EXPECT_EQ(editor().PanelText(2), L"Chars: 6 / 100 000  ");
    TypeInto(plain(), L"");
    EXPECT_EQ(editor().PanelText(2), L"Characters: 0 / 100 000  ");

    // Made smaller than its minimum, it springs back.
    ::SetWindowPos(editor().hwnd(), nullptr, 0, 0, 200, 150, SWP_NOMOVE | SWP_NOZORDER);
    RECT r{};
    ::GetWindowRect(editor().hwnd(), &r);
    EXPECT_EQ(r.right - r.left, 8010 / 15);
    EXPECT_EQ(r.bottom - r.top, 4755 / 15);

    // "Image" answered No leaves mode and text alone and no format button pressed.
    ::SetWindowTextW(plain(), L"kept");
    auto no = testkit::AnswerMessageBox(kQuestionTitle, IDNO);
    Click1(8);
    ASSERT_TRUE(no.get().appeared);
    EXPECT_EQ(editor().CurrentFormat(), L"txt");
    EXPECT_EQ(PlainText(), L"kept");
    for (int k : {6, 7, 8})
        EXPECT_FALSE(editor().ButtonPressed(Editor::idToolbar, k)) << k;

    // "Image" answered Yes: the picture side's frame and buttons; without picture commands they are
    // disabled rather than pretending.
    auto yes = testkit::AnswerMessageBox(kQuestionTitle, IDYES);
    Click1(8);
    ASSERT_TRUE(yes.get().appeared);
    EXPECT_EQ(editor().CurrentFormat(), L"img");
    EXPECT_TRUE(::IsWindowVisible(editor().control(Editor::idFraImg)));
    EXPECT_TRUE(editor().ButtonVisible(Editor::idToolbar2, 22));
    EXPECT_EQ(editor().ButtonEnabled(Editor::idToolbar2, 22), editor().picture().CommandsAvailable());

    editor().CloseWithoutSaving();
    EXPECT_FALSE(EditorOpen);
    EXPECT_TRUE(::IsWindowEnabled(QuilletWindow().row(1)));
    EXPECT_EQ(OpenProject().slot(3).data, L"");
}

// The top bar's OK and Cancel, clicked: the bar still works on the click after it has told the editor,
// so the editor (and the bar with it) may go only once the bar's handling of the release is over.
struct BarWatch {
    static inline WNDPROC original = nullptr;
    static inline bool barLivedThroughRelease = false;
    static LRESULT CALLBACK Proc(HWND bar, UINT msg, WPARAM wParam, LPARAM lParam) {
        const LRESULT result = ::CallWindowProcW(original, bar, msg, wParam, lParam);
        if (msg == WM_LBUTTONUP)
            barLivedThroughRelease = ::IsWindow(bar) != FALSE;
        return result;
    }
};

TEST_F(ClipEditorTest, OkAndCancelOnTheBarCloseTheEditorOnlyAfterTheBarIsDoneWithTheClick) {
    for (int button : {2, 1}) {
        OpenOn(4, core::kFormatTxtSimple, L"");
        ::SetWindowTextW(plain(), L"typed");
        const HWND bar = editor().control(Editor::idToolbar);
        BarWatch::original = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BarWatch::Proc)));
        BarWatch::barLivedThroughRelease = false;
        RECT r{};
        ASSERT_TRUE(::SendMessageW(bar, TB_GETRECT, Editor::kToolbarButton + button, reinterpret_cast<LPARAM>(&r)));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ::SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(bar, WM_LBUTTONUP, 0, at);
        EXPECT_TRUE(BarWatch::barLivedThroughRelease) << "button " << button;
        ASSERT_TRUE(winkit::WaitUntil([] { return !editor().hwnd(); }, 5000)) << "button " << button;
        EXPECT_FALSE(EditorOpen);
        EXPECT_EQ(QuilletWindow().RowText(4), button == 1 ? L"typed" : L"") << "button " << button;
    }
}

TEST_F(ClipEditorTest, WhileAClipIsEditedTheMainWindowsRowsRefuseTheUserAndShowItAndComeBackAfter) {
    namespace ids = frmquillet_ids;
    frmQuillet& main = QuilletWindow();
    // The main window at the screen's left and the editor in its bottom right corner: the left column
    // stays in view.
    ASSERT_TRUE(WriteSetting(L"WindowPos", L"frmConfPasteBoxX", L"999999"));
    ASSERT_TRUE(WriteSetting(L"WindowPos", L"frmConfPasteBoxY", L"999999"));
    ::SetWindowPos(main.hwnd(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Clip& clip = OpenProject().slot(2);
    clip.format = core::kFormatTxtSimple;
    clip.text = L"Meeting notes";
    main.RefreshRows();
    main.ShowMainWindow();
    ::SetFocus(main.hwnd()); // no caret in a row
    ASSERT_TRUE(AllPainted());
    const HWND button = ::GetDlgItem(main.hwnd(), ids::kImgConf + 2);
    const std::vector<COLORREF> face = Pixels(button);
    EXPECT_LT(Darkest(Pixels(main.row(2))), 80) << "a usable row's text is black";
    const std::vector<COLORREF> fileTitle = MenuTitlePixels(main.hwnd(), 0);
    ASSERT_FALSE(fileTitle.empty());
    EXPECT_LT(Darkest(fileTitle), 80) << "a usable menu's title is black";

    OpenOn(5, core::kFormatTxtSimple, L"");
    ASSERT_TRUE(AllPainted());
    RECT editorRect{}, shown{};
    ::GetWindowRect(ConfPasteBox().hwnd(), &editorRect);
    ::GetWindowRect(button, &shown);
    ASSERT_FALSE(::IntersectRect(&shown, &editorRect, &shown))
        << "the editor covers the button it should leave in view";
    // Every row control, the move box, the toolbar and the File, Options and Help menus refuse the user.
    for (int n = 1; n <= frmQuillet::kRows; ++n)
        for (int id : {ids::kTxtPaste, ids::kImgCopy, ids::kImgConf, ids::kImgProp})
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(main.hwnd(), id + n))) << id + n;
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(main.hwnd(), ids::kChckMove)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(main.hwnd(), ids::kToolbar)));
    const HMENU menus = ::GetMenu(main.hwnd());
    for (UINT position : {0u, 1u, 3u})
        EXPECT_TRUE(::GetMenuState(menus, position, MF_BYPOSITION) & MF_GRAYED) << position;
    EXPECT_FALSE(::GetMenuState(menus, 2, MF_BYPOSITION) & MF_GRAYED) << "the clipboard menu stays";
    EXPECT_GT(Darkest(MenuTitlePixels(main.hwnd(), 0)), 100) << "the bar shows the File menu greyed";
    EXPECT_LT(Darkest(MenuTitlePixels(main.hwnd(), 2)), 80) << "and the clipboard menu usable";
    // ... and the screen shows it: the row's text greyed, the buttons drawn greyed exactly as each one
    // draws itself.
    EXPECT_GT(Darkest(Pixels(main.row(2))), 100);
    const std::vector<COLORREF> greyed = Pixels(button);
    EXPECT_TRUE(greyed != face) << "the button is drawn greyed";
    for (int id : {ids::kImgCopy + 2, ids::kImgConf + 2, ids::kImgProp + 2, ids::kImgConf + 15}) {
        const HWND other = ::GetDlgItem(main.hwnd(), id);
        const std::vector<COLORREF> drawn = Pixels(other);
        ::RedrawWindow(other, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_TRUE(Pixels(other) == drawn) << id << " is drawn as it draws itself";
    }

    editor().CloseWithoutSaving();
    ASSERT_TRUE(AllPainted());
    for (int n = 1; n <= frmQuillet::kRows; ++n)
        for (int id : {ids::kTxtPaste, ids::kImgCopy, ids::kImgConf, ids::kImgProp})
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(main.hwnd(), id + n))) << id + n;
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(main.hwnd(), ids::kChckMove)));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(main.hwnd(), ids::kToolbar)));
    for (UINT position : {0u, 1u, 3u})
        EXPECT_FALSE(::GetMenuState(menus, position, MF_BYPOSITION) & MF_GRAYED) << position;
    EXPECT_TRUE(Pixels(button) == face) << "the button is drawn as before";
    EXPECT_TRUE(MenuTitlePixels(main.hwnd(), 0) == fileTitle) << "the File menu's title is drawn as before";
    EXPECT_LT(Darkest(Pixels(main.row(2))), 80);
}

TEST_F(ClipEditorTest, RichTextCommandsFormatTheSelectionAndTheButtonsFollowIt) {
    OpenOn(2, core::kFormatRtf, L"(RTF) Letter", L"");
    ASSERT_EQ(editor().CurrentFormat(), L"rtf");
    EXPECT_EQ(::GetWindowTextLengthW(editor().control(Editor::idTxtCustomName)), 6);
    SetRichText(rich(), L"plain bold tail");
    Select(6, 10);
    Click2(6, true);
    std::string rtf = RichRtf(rich());
    EXPECT_NE(rtf.find("\\b bold\\b0"), std::string::npos) << rtf;

    // A selection half bold reads as not bold; the bold word alone presses the button.
    Select(0, 10);
    editor().SyncSelection();
    EXPECT_FALSE(editor().ButtonPressed(Editor::idToolbar2, 6));
    Select(6, 10);
    editor().SyncSelection();
    EXPECT_TRUE(editor().ButtonPressed(Editor::idToolbar2, 6));
    Select(0, 5);
    editor().SyncSelection();
    EXPECT_FALSE(editor().ButtonPressed(Editor::idToolbar2, 6));

    // Bullets on grow the indent by 400 twips; off again restores it with no hanging indent.
    Select(0, 0);
    Click2(9, true);
    SelectionFormat f = ReadSelectionFormat(rich());
    EXPECT_TRUE(f.bullet.value_or(false));
    EXPECT_EQ(f.leftIndent, 400);
    EXPECT_TRUE(editor().ButtonPressed(Editor::idToolbar2, 9));
    Click2(9, true);
    f = ReadSelectionFormat(rich());
    EXPECT_FALSE(f.bullet.value_or(true));
    EXPECT_EQ(f.leftIndent, 0);
    EXPECT_EQ(f.hangingIndent, 0);

    // Centre and right alignment reach the RTF and come back as the pressed button.
    Click2(15, true);
    EXPECT_NE(RichRtf(rich()).find("\\qc"), std::string::npos);
    editor().SyncSelection();
    EXPECT_TRUE(editor().ButtonPressed(Editor::idToolbar2, 15));
    EXPECT_FALSE(editor().ButtonPressed(Editor::idToolbar2, 14));
    Click2(16, true);
    EXPECT_NE(RichRtf(rich()).find("\\qr"), std::string::npos);

    // The size box: a word sets 64, 10.6 sets 11.
    Select(0, 5);
    ::SetWindowTextW(editor().control(Editor::idCmbSize), L"word");
    editor().ChangeSize();
    EXPECT_EQ(ReadSelectionFormat(rich()).fontSize.value_or(0), 64);
    ::SetWindowTextW(editor().control(Editor::idCmbSize), L"10.6");
    editor().ChangeSize();
    EXPECT_EQ(ReadSelectionFormat(rich()).fontSize.value_or(0), 11);

    // OK hands back the RTF with the name prefixed; the row shows it and the slot is rich text.
    editor().StoreAndClose();
    const Clip& clip = OpenProject().slot(2);
    EXPECT_EQ(clip.format, core::kFormatRtf);
    EXPECT_EQ(QuilletWindow().RowText(2), L"(RTF) Letter");
    EXPECT_NE(winkit::ToAnsi(clip.data).find("\\b bold"), std::string::npos);
    EXPECT_FALSE(EditorOpen);
}

TEST_F(ClipEditorTest, CutCopyAndPasteCarryRichTextBesideTextAndTheDialogsStartFromTheSelection) {
    OpenOn(6, core::kFormatRtf, L"(RTF) Note");
    SetRichText(rich(), L"plain bold tail");
    Select(6, 10);
    Click2(6, true);
    const UINT rtfFormat = ::RegisterClipboardFormatW(L"Rich Text Format");

    // Copy and cut give other programs both the text and the formatted run.
    ASSERT_TRUE(testkit::PutClipboardText(L"before"));
    Click2(19);
    EXPECT_EQ(testkit::ClipboardText().value_or(L"(none)"), L"bold");
    std::string copied = testkit::ClipboardBytes(rtfFormat);
    EXPECT_NE(testkit::FirstBoldRun(copied).find("bold"), std::string::npos) << copied;
    EXPECT_EQ(copied.find("plain"), std::string::npos) << "only the selection is copied: " << copied;
    Click2(18);
    EXPECT_EQ(RichPlainText(rich()), L"plain  tail");
    EXPECT_EQ(testkit::ClipboardText().value_or(L"(none)"), L"bold");
    EXPECT_NE(testkit::FirstBoldRun(testkit::ClipboardBytes(rtfFormat)).find("bold"), std::string::npos);

    // Pasted back, the rich text keeps its bold; plain text alone on the clipboard comes in as text.
    Select(6, 6);
    Click2(20);
    EXPECT_EQ(RichPlainText(rich()), L"plain bold tail");
    EXPECT_NE(RichRtf(rich()).find("\\b bold\\b0"), std::string::npos) << RichRtf(rich());
    ASSERT_TRUE(testkit::PutClipboardText(L"new "));
    Select(0, 0);
    Click2(20);
    EXPECT_EQ(RichPlainText(rich()), L"new plain bold tail");
    // With nothing selected a copy leaves the clipboard alone.
    Select(3, 3);
    Click2(19);
    EXPECT_EQ(testkit::ClipboardText().value_or(L"(none)"), L"new ");

    // The colour dialog starts from the selection's colour; OK colours the selection.
    Select(0, 3);
    SetSelectionColour(rich(), RGB(10, 20, 30));
    auto colour = AnswerCommonDialog(L"Color", {COLOR_RED, COLOR_GREEN, COLOR_BLUE}, [](HWND dialog) {
        ::SetDlgItemTextW(dialog, COLOR_RED, L"200");
        ::SetDlgItemTextW(dialog, COLOR_GREEN, L"0");
        ::SetDlgItemTextW(dialog, COLOR_BLUE, L"0");
    });
    Click2(11);
    const SeenDialog colourSeen = colour.get();
    ASSERT_TRUE(colourSeen.appeared);
    EXPECT_EQ(colourSeen.values, (std::vector<std::wstring>{L"10", L"20", L"30"}));
    EXPECT_EQ(ReadSelectionFormat(rich()).colour.value_or(0), RGB(200, 0, 0));
    Select(4, 9);
    EXPECT_NE(ReadSelectionFormat(rich()).colour.value_or(0), RGB(200, 0, 0)) << "only the selection";

    // The font dialog starts from the font boxes; OK sets the selection's font and the size box.
    Select(4, 9);
    ::SetWindowTextW(editor().control(Editor::idCmbFont), L"DejaVu Sans");
    editor().ChangeFont();
    ::SetWindowTextW(editor().control(Editor::idCmbSize), L"12");
    editor().ChangeSize();
    auto font = AnswerCommonDialog(L"Font", {cmb1, cmb3}, [](HWND dialog) { PickEntry(dialog, cmb3, L"20"); });
    Click2(12);
    const SeenDialog fontSeen = font.get();
    ASSERT_TRUE(fontSeen.appeared);
    EXPECT_EQ(fontSeen.values, (std::vector<std::wstring>{L"DejaVu Sans", L"12"}));
    const SelectionFormat f = ReadSelectionFormat(rich());
    EXPECT_EQ(f.fontName.value_or(L""), L"DejaVu Sans");
    EXPECT_EQ(f.fontSize.value_or(0), 20);
    EXPECT_EQ(testkit::WindowText(editor().control(Editor::idCmbSize)), L"20");
    Select(0, 3);
    EXPECT_NE(ReadSelectionFormat(rich()).fontSize.value_or(0), 20) << "only the selection";

    // In plain text the colour dialog colours the whole box and a copy puts text alone.
    auto toPlain = testkit::AnswerMessageBox(kQuestionTitle, IDYES);
    Click1(6);
    ASSERT_TRUE(toPlain.get().appeared);
    ASSERT_EQ(editor().CurrentFormat(), L"txt");
    auto plainColour = AnswerCommonDialog(L"Color", {}, [](HWND dialog) {
        ::SetDlgItemTextW(dialog, COLOR_RED, L"0");
        ::SetDlgItemTextW(dialog, COLOR_GREEN, L"0");
        ::SetDlgItemTextW(dialog, COLOR_BLUE, L"160");
    });
    Click2(11);
    ASSERT_TRUE(plainColour.get().appeared);
    EXPECT_EQ(editor().PlainColour(), RGB(0, 0, 160));
    ::SendMessageW(plain(), EM_SETSEL, 0, 3);
    Click2(19);
    EXPECT_EQ(testkit::ClipboardText().value_or(L"(none)"), L"new");
    EXPECT_FALSE(testkit::ClipboardHas(rtfFormat));
}

TEST_F(ClipEditorTest, SwitchingModesKeepsEveryCharacterAndMovesTheFont) {
    // Czech and Japanese rich text survives the box, the hand-back and reopening.
    const std::wstring text = L"P\u0159\u00EDli\u0161 \u017Elu\u0165ou\u010Dk\u00FD \u65E5\u672C\u8A9E";
    OpenOn(4, core::kFormatRtf, L"(RTF) Intl");
    SetRichText(rich(), text);
    Select(0, 6);
    Click2(6, true);
    ASSERT_EQ(RichPlainText(rich()), text);
    editor().StoreAndClose();
    EXPECT_NE(winkit::ToAnsi(OpenProject().slot(4).data).find("\\u"), std::string::npos)
        << winkit::ToAnsi(OpenProject().slot(4).data);
    QuilletWindow().ConfigureClip(4);
    ASSERT_EQ(editor().CurrentFormat(), L"rtf");
    EXPECT_EQ(RichPlainText(rich()), text);

    // rtf -> txt (Yes): the characters stay, the formatting goes.
    auto yes = testkit::AnswerMessageBox(kQuestionTitle, IDYES);
    Click1(6);
    ASSERT_TRUE(yes.get().appeared);
    EXPECT_EQ(editor().CurrentFormat(), L"txt");
    EXPECT_EQ(PlainText(), text);
    EXPECT_EQ(RichTextLength(rich()), 0);

    // txt -> rtf (no question): the whole text takes the plain box's font and colour.
    LOGFONTW font = editor().PlainFont();
    ::lstrcpynW(font.lfFaceName, L"Courier New", LF_FACESIZE);
    font.lfWeight = FW_BOLD;
    editor().SetPlainFont(font, RGB(200, 0, 0));
    ::SetWindowTextW(plain(), L"one\r\ntwo");
    Click1(7);
    EXPECT_EQ(editor().CurrentFormat(), L"rtf");
    EXPECT_EQ(RichPlainText(rich()), L"one\r\ntwo");
    Select(0, -1);
    const SelectionFormat f = ReadSelectionFormat(rich());
    EXPECT_EQ(f.fontName.value_or(L""), L"Courier New");
    EXPECT_TRUE(f.bold.value_or(false));
    EXPECT_EQ(f.colour.value_or(0), RGB(200, 0, 0));
    EXPECT_TRUE(editor().ButtonPressed(Editor::idToolbar, 7));
}

TEST_F(ClipEditorTest, ClipFilesLoadAndSaveWithoutLosingOrSilentlyCuttingText) {
    OpenOn(5, core::kFormatTxtSimple, L"");
    // Plain text: with and without a final line break, exactly as in the file.
    WriteBytes(file(L"two.txt"), "first\r\nlast");
    editor().LoadClipFileFrom(file(L"two.txt"));
    EXPECT_EQ(PlainText(), L"first\r\nlast");
    WriteBytes(file(L"ends.txt"), "first\r\nlast\r\n");
    editor().LoadClipFileFrom(file(L"ends.txt"));
    EXPECT_EQ(PlainText(), L"first\r\nlast\r\n");
    // 150 000 characters (1 500 lines) fit the plain box whole.
    std::string big;
    for (int line = 0; line < 1500; ++line)
        big += std::string(98, static_cast<char>('a' + line % 26)) + "\r\n";
    WriteBytes(file(L"big.txt"), big);
    editor().LoadClipFileFrom(file(L"big.txt"));
    EXPECT_EQ(winkit::ToAnsi(PlainText()), big);
    // A missing file says so.
    auto missing = testkit::AnswerMessageBox(kErrorTitle, IDOK);
    editor().LoadClipFileFrom(file(L"none.txt"));
    const testkit::AnsweredBox said = missing.get();
    ASSERT_TRUE(said.appeared);
    EXPECT_EQ(said.contents.text, L"Selected file does not exists!");
    // Saving writes the text as it is; a character outside the code page is not lost.
    ::SetWindowTextW(plain(), L"saved\r\ntext");
    editor().SaveClipFileTo(file(L"out.txt"));
    EXPECT_EQ(ReadBytes(file(L"out.txt")), "saved\r\ntext");
    ::SetWindowTextW(plain(), L"\u65E5\u672C");
    editor().SaveClipFileTo(file(L"wide.txt"));
    editor().LoadClipFileFrom(file(L"wide.txt"));
    EXPECT_EQ(PlainText(), L"\u65E5\u672C");
    // A save that cannot replace the file says so and leaves the old file as it was.
    WriteBytes(file(L"held.txt"), "old");
    HANDLE held = ::CreateFileW(file(L"held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    auto failed = testkit::AnswerMessageBox(kErrorTitle, IDOK);
    editor().SaveClipFileTo(file(L"held.txt"));
    const testkit::AnsweredBox error = failed.get();
    ::CloseHandle(held);
    ASSERT_TRUE(error.appeared) << "a failed save is never silent";
    EXPECT_EQ(error.contents.text.rfind(L"The clip could not be saved to ", 0), 0u)
        << winkit::ToUtf8(error.contents.text);
    EXPECT_EQ(ReadBytes(file(L"held.txt")), "old");
    EXPECT_FALSE(testkit::FileExists(file(L"held.txt.saving")));

    // Rich text: a name ending in RTF (any case) loads as RTF, .txt as plain text, line ends kept.
    ::SetWindowTextW(plain(), L"");
    Click1(7);
    ASSERT_EQ(editor().CurrentFormat(), L"rtf");
    WriteBytes(file(L"doc.RTF"), "{\\rtf1\\ansi {\\b Bold} words\\par}");
    editor().LoadClipFileFrom(file(L"doc.RTF"));
    EXPECT_EQ(RichPlainText(rich()).rfind(L"Bold words", 0), 0u) << winkit::ToUtf8(RichPlainText(rich()));
    EXPECT_NE(RichRtf(rich()).find("\\b"), std::string::npos);
    editor().LoadClipFileFrom(file(L"two.txt"));
    EXPECT_EQ(RichPlainText(rich()), L"first\r\nlast");
    // Saved as RTF and loaded again, the formatting and the text come back.
    Select(0, 5);
    Click2(6, true);
    editor().SaveClipFileTo(file(L"round.rtf"));
    EXPECT_EQ(ReadBytes(file(L"round.rtf")).rfind("{\\rtf", 0), 0u);
    SetRichText(rich(), L"");
    editor().LoadClipFileFrom(file(L"round.rtf"));
    EXPECT_EQ(RichPlainText(rich()), L"first\r\nlast");
    Select(0, 5);
    EXPECT_TRUE(ReadSelectionFormat(rich()).bold.value_or(false));
    // 150 000 characters do not fit the rich box: the cut is told, not silent.
    auto cut = testkit::AnswerMessageBox(kQuestionTitle, IDOK);
    editor().LoadClipFileFrom(file(L"big.txt"));
    const testkit::AnsweredBox told = cut.get();
    EXPECT_TRUE(told.appeared);
    EXPECT_NE(told.contents.text.find(L"100 000"), std::wstring::npos);
    EXPECT_EQ(RichTextLength(rich()), Editor::kRichTextLimit);
}

} // namespace
