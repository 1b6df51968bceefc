// The global hotkeys of the real program as a person uses them from another application: clip hotkeys
// that wait for the hand to let go of the modifiers, paste next, the clip properties dialog that changes
// them, the clipboard viewer chain the program takes part in, and the exported hotkey overview.
#include "app/paste/frmProperties.h"
#include "e2e/ClipWindowDriver.h"
#include "testkit/Clipboard.h"
#include "testkit/FileContents.h"
#include "testkit/Files.h"
#include "testkit/TargetWindow.h"
#include "winkit/TextConv.h"

#include <commctrl.h>

#include <memory>

using testkit::ClipboardText;
using testkit::PutClipboardText;
using testkit::TargetWindow;
using namespace e2e;

namespace {

// How long a held modifier is watched for a copy that must not come yet: well above the program's
// keyboard poll, well below anything a user would call a delay.
constexpr DWORD kHeldMs = 300;

// Ids of the clip properties dialog's controls, as the program has them.
using P = quillet::frmProperties;
constexpr int optKeyByKey = P::optKeyByKey, chkControl = P::chkControl, chkAlt = P::chkAlt, chkShift = P::chkShift,
              mKey = P::mKey;
// The key list holds "(none)" first, then the digits "0" to "9".
constexpr int kNoneEntry = 0;

class Hotkeys : public ClipWindowTest {
protected:
    // A first start with auto paste on (a settings file without the key would leave it off).
    void PrepareAutoPaste() { PrepareSettings({{L"AutoPaste", L"1"}}); }
    // A target application in front, as the last active window the program pastes into.
    void ShowTarget() {
        target_ = std::make_unique<TargetWindow>(L"Hotkey target");
        ::SetWindowPos(target_->hwnd(), nullptr, 880, 760, 360, 200, SWP_NOZORDER);
        ActivateTarget();
    }
    void ActivateTarget() {
        // Just after start-up another window may still come up over the target; the user then clicks
        // the target again.
        bool seen = false;
        for (int tries = 0; tries < 5 && !seen; ++tries) {
            target_->Activate();
            seen = winkit::WaitUntil(
                [&] { return Text(control(ids::kLblWindow)) == L"Last Active Window: Hotkey target"; }, 1000);
        }
        ASSERT_TRUE(seen) << "the program never saw the target in front";
    }
    // Puts a marker text on the clipboard, so that any copy the program makes shows.
    void MarkClipboard(const std::wstring& marker = L"before") {
        ASSERT_TRUE(PutClipboardText(marker));
        sequence_ = ::GetClipboardSequenceNumber();
    }
    bool ClipboardChanged() const { return ::GetClipboardSequenceNumber() != sequence_; }
    testing::AssertionResult WaitForClipboard(const std::wstring& text) const {
        if (winkit::WaitUntil([&] { return ClipboardText() == text; }, kActTimeout))
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "the clipboard holds \""
                                           << winkit::ToUtf8(ClipboardText().value_or(L"(no text)"))
                                           << "\", the status reads \"" << winkit::ToUtf8(status()) << "\"";
    }
    bool WaitForTarget(const std::wstring& text) const {
        return winkit::WaitUntil([&] { return target_->text() == text; }, kActTimeout);
    }
    // A hotkey pressed and let go that must do nothing: the clipboard and the target stay as they are.
    void ExpectNoCopy(const std::vector<WORD>& modifiers, WORD key, const char* what) {
        MarkClipboard();
        target_->clear();
        PressChord(modifiers, key);
        EXPECT_TRUE(StaysQuiet([&] { return ClipboardChanged() || !target_->text().empty(); }, kHeldMs)) << what;
        EXPECT_EQ(ClipboardText().value_or(L"(no text)"), L"before") << what;
    }

    // The clip properties dialog, once it is up.
    HWND WaitForProperties() const {
        HWND found = nullptr;
        winkit::WaitUntil(
            [&] {
                for (HWND w : testkit::TopLevelWindows(quillet_.processId(), L"QuilletProperties"))
                    if (::IsWindowVisible(w) && testkit::WindowText(w) == L"Clip properties")
                        found = w;
                return found != nullptr;
            },
            kActTimeout);
        return found;
    }
    // F4 in row n, as the user opens the dialog from the keyboard.
    HWND PropertiesByF4(int n) {
        if (!BringToFront(window_))
            return nullptr;
        Click(row(n));
        if (!winkit::WaitUntil([&] { return GuiState(window_).hwndFocus == row(n); }, kActTimeout))
            return nullptr;
        PressKey(VK_F4);
        return WaitForProperties();
    }
    HWND PropertiesByButton(int n) {
        if (!BringToFront(window_))
            return nullptr;
        Click(control(ids::kImgProp + n));
        return WaitForProperties();
    }
    static bool Checked(HWND dialog, int id) {
        return ::SendMessageW(::GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    // Clicks a check box until it shows `on`; false when it does not.
    static bool SetCheck(HWND dialog, int id, bool on) {
        if (Checked(dialog, id) != on)
            Click(::GetDlgItem(dialog, id));
        return winkit::WaitUntil([&] { return Checked(dialog, id) == on; }, kActTimeout);
    }
    static LRESULT SelectedKeyEntry(HWND dialog) { return ::SendMessageW(::GetDlgItem(dialog, mKey), CB_GETCURSEL, 0, 0); }
    static LRESULT SelectedKeyCode(HWND dialog) {
        const LRESULT index = SelectedKeyEntry(dialog);
        return index < 0 ? -1 : ::SendMessageW(::GetDlgItem(dialog, mKey), CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    }
    // Opens the key list with a click and picks its first entry, "(none)", by the keyboard.
    static bool ChooseNoKey(HWND dialog) {
        HWND list = ::GetDlgItem(dialog, mKey);
        Click(list);
        if (!winkit::WaitUntil([&] { return ::SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) != 0; }, kActTimeout))
            return false;
        PressKey(VK_HOME);
        PressKey(VK_RETURN);
        return winkit::WaitUntil(
            [&] { return SelectedKeyEntry(dialog) == kNoneEntry && ::SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) == 0; },
            kActTimeout);
    }
    static bool WaitForClosed(HWND dialog) {
        return winkit::WaitUntil([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); }, kActTimeout);
    }

    std::unique_ptr<TargetWindow> target_;
    DWORD sequence_ = 0;
};

TEST_F(Hotkeys, AClipHotkeyCopiesAndPastesOnlyOnceEveryModifierOfItIsReleased) {
    PrepareAutoPaste();
    WriteHotkey(L"Clip1", 2, '1');
    WriteHotkey(L"Clip2", 5, '2'); // Alt+Shift
    StartQuillet();
    SetRow(1, L"alpha");
    SetRow(2, L"beta");
    ShowTarget();

    // Ctrl+1 with Ctrl still held: the program waits; letting go of Ctrl copies, then pastes.
    MarkClipboard();
    PressHolding({VK_CONTROL}, '1');
    EXPECT_TRUE(StaysQuiet([&] { return ClipboardChanged() || !target_->text().empty(); }, kHeldMs))
        << "copied or pasted while Ctrl was held";
    Release({VK_CONTROL});
    EXPECT_TRUE(WaitForClipboard(L"alpha"));
    EXPECT_TRUE(WaitForStatus(L"Pasted.")) << winkit::ToUtf8(status());
    EXPECT_TRUE(WaitForTarget(L"alpha")) << "the target holds \"" << winkit::ToUtf8(target_->text()) << "\"";

    // Alt+Shift+2: neither modifier alone is enough, whichever is let go first.
    for (WORD first : {VK_SHIFT, VK_MENU}) {
        const WORD second = first == VK_SHIFT ? VK_MENU : VK_SHIFT;
        ActivateTarget();
        target_->clear();
        MarkClipboard();
        // Alt goes down first, so that letting go of it later does not open the target's window menu.
        PressHolding({VK_MENU, VK_SHIFT}, '2');
        Release({first});
        EXPECT_TRUE(StaysQuiet([&] { return ClipboardChanged() || !target_->text().empty(); }, kHeldMs))
            << "copied while " << (second == VK_MENU ? "Alt" : "Shift") << " was still held";
        Release({second});
        EXPECT_TRUE(WaitForClipboard(L"beta"));
        EXPECT_TRUE(WaitForTarget(L"beta")) << "the target holds \"" << winkit::ToUtf8(target_->text()) << "\"";
    }
}

TEST_F(Hotkeys, PasteNextWalksDownToTheNextFilledClipWrapsAroundAndSkipsWhenAllAreEmpty) {
    PrepareAutoPaste();
    WriteHotkey(L"Clip3", 2, '3');
    WriteHotkey(L"HKPasteNext", 2, 'Q');
    StartQuillet();
    SetRow(3, L"three");
    SetRow(7, L"seven");
    ShowTarget();

    // Clip 3 is the one copied last.
    MarkClipboard();
    PressChord({VK_CONTROL}, '3');
    ASSERT_TRUE(WaitForClipboard(L"three"));
    EXPECT_TRUE(WaitForTarget(L"three"));

    // Ctrl+Q pastes 7; the next Ctrl+Q wraps past 30 and comes back to 3.
    for (const wchar_t* next : {L"seven", L"three"}) {
        ActivateTarget();
        target_->clear();
        MarkClipboard();
        PressChord({VK_CONTROL}, 'Q');
        EXPECT_TRUE(WaitForClipboard(next));
        EXPECT_TRUE(WaitForTarget(next)) << "the target holds \"" << winkit::ToUtf8(target_->text()) << "\"";
    }

    // With every clip empty nothing is copied or pasted.
    SetRow(3, L"");
    SetRow(7, L"");
    ActivateTarget();
    ExpectNoCopy({VK_CONTROL}, 'Q', "paste next with all clips empty");
}

// Counts the paste commands the target's edit gets: a clip typed key by key arrives as characters alone.
LRESULT CALLBACK CountPastes(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR count) {
    if (msg == WM_PASTE)
        ++*reinterpret_cast<int*>(count);
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

TEST_F(Hotkeys, AKeyByKeyClipIsTypedIntoTheTargetAndOneWithADigitIsRefused) {
    PrepareAutoPaste();
    StartQuillet();
    SetRow(1, L"Hello World");
    SetRow(2, L"abc1");
    ShowTarget();
    int pastes = 0;
    ASSERT_TRUE(::SetWindowSubclass(target_->edit(), &CountPastes, 1, reinterpret_cast<DWORD_PTR>(&pastes)));

    // Both rows get the key-by-key method in their properties.
    for (int n : {1, 2}) {
        HWND dialog = PropertiesByButton(n);
        ASSERT_NE(dialog, nullptr) << "row " << n;
        Click(::GetDlgItem(dialog, optKeyByKey));
        ASSERT_TRUE(winkit::WaitUntil([&] { return Checked(dialog, optKeyByKey); }, kActTimeout));
        Click(::GetDlgItem(dialog, IDOK));
        ASSERT_TRUE(WaitForClosed(dialog));
    }
    ActivateTarget();

    ASSERT_TRUE(BringToFront(window_));
    Click(control(ids::kImgCopy + 1));
    EXPECT_TRUE(WaitForTarget(L"Hello World")) << winkit::ToUtf8(target_->text());
    EXPECT_TRUE(WaitForStatus(L"Pasted."));
    EXPECT_EQ(pastes, 0) << "the text came through the clipboard, not key by key";

    // A digit cannot be typed that way: the user is told, and nothing is sent.
    target_->clear();
    ActivateTarget();
    ASSERT_TRUE(BringToFront(window_));
    Click(control(ids::kImgCopy + 2));
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDOK),
              L"Sorry, but key by key pasting works only for alpha text (You may not use numbers and special "
              L"characters).");
    EXPECT_TRUE(WaitForStatus(L"Error while pasting"));
    EXPECT_TRUE(StaysQuiet([&] { return !target_->text().empty(); }, kHeldMs)) << winkit::ToUtf8(target_->text());
    EXPECT_EQ(pastes, 0);
    ::RemoveWindowSubclass(target_->edit(), &CountPastes, 1);
}

TEST_F(Hotkeys, ThePropertiesDialogRefusesATakenHotkeyAndMovesOrRemovesOne) {
    PrepareAutoPaste();
    WriteHotkey(L"Clip5", 2, '5');
    WriteHotkey(L"Clip15", 6, '5');
    StartQuillet();
    SetRow(5, L"five");
    SetRow(15, L"fifteen");

    // F4 in row 5 shows its hotkey Ctrl+5.
    HWND dialog = PropertiesByF4(5);
    ASSERT_NE(dialog, nullptr) << "F4 did not open the clip properties";
    EXPECT_TRUE(Checked(dialog, chkControl));
    EXPECT_FALSE(Checked(dialog, chkAlt));
    EXPECT_FALSE(Checked(dialog, chkShift));
    EXPECT_EQ(SelectedKeyCode(dialog), '5');

    // Alt alone is refused.
    ASSERT_TRUE(SetCheck(dialog, chkControl, false));
    ASSERT_TRUE(SetCheck(dialog, chkAlt, true));
    Click(::GetDlgItem(dialog, IDOK));
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDOK), L"You may not use Alt hotkey alone!");
    EXPECT_TRUE(::IsWindowVisible(dialog)) << "the dialog stays open";

    // Ctrl+Shift+5 belongs to clip 15.
    ASSERT_TRUE(SetCheck(dialog, chkAlt, false));
    ASSERT_TRUE(SetCheck(dialog, chkControl, true));
    ASSERT_TRUE(SetCheck(dialog, chkShift, true));
    Click(::GetDlgItem(dialog, IDOK));
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDOK), L"This hotkey is set to clip 15!");
    ASSERT_TRUE(::IsWindowVisible(dialog)) << "the dialog stays open";
    Click(::GetDlgItem(dialog, IDCANCEL));
    ASSERT_TRUE(WaitForClosed(dialog));
    EXPECT_EQ(Setting(L"Hotkeys", L"Clip5Mod"), L"2") << "Cancel stores nothing";
    EXPECT_EQ(Setting(L"Hotkeys", L"Clip5Key"), L"53");

    // Row 15's properties button: "(none)" frees the combination; the mask stays as checked, the key is 0.
    dialog = PropertiesByButton(15);
    ASSERT_NE(dialog, nullptr) << "the properties button did not open the dialog";
    ASSERT_TRUE(ChooseNoKey(dialog));
    Click(::GetDlgItem(dialog, IDOK));
    ASSERT_TRUE(WaitForClosed(dialog));
    EXPECT_EQ(Setting(L"Hotkeys", L"Clip15Mod"), L"6");
    EXPECT_EQ(Setting(L"Hotkeys", L"Clip15Key"), L"0");

    // Now clip 5 may take it.
    dialog = PropertiesByF4(5);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(SetCheck(dialog, chkShift, true));
    Click(::GetDlgItem(dialog, IDOK));
    ASSERT_TRUE(WaitForClosed(dialog)) << "the free combination was refused";
    EXPECT_EQ(Setting(L"Hotkeys", L"Clip5Mod"), L"6");
    EXPECT_EQ(Setting(L"Hotkeys", L"Clip5Key"), L"53");

    // Only the new combination works, and it pastes clip 5, not 15.
    ShowTarget();
    ExpectNoCopy({VK_CONTROL}, '5', "Ctrl+5 after the change");
    ActivateTarget();
    MarkClipboard();
    target_->clear();
    PressChord({VK_CONTROL, VK_SHIFT}, '5');
    EXPECT_TRUE(WaitForClipboard(L"five"));
    EXPECT_TRUE(WaitForTarget(L"five")) << "the target holds \"" << winkit::ToUtf8(target_->text()) << "\"";

    // "(none)" removes clip 5's hotkey: nothing answers to it any more.
    dialog = PropertiesByF4(5);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(ChooseNoKey(dialog));
    Click(::GetDlgItem(dialog, IDOK));
    ASSERT_TRUE(WaitForClosed(dialog));
    EXPECT_EQ(Setting(L"Hotkeys", L"Clip5Mod"), L"6");
    EXPECT_EQ(Setting(L"Hotkeys", L"Clip5Key"), L"0");
    ActivateTarget();
    ExpectNoCopy({VK_CONTROL, VK_SHIFT}, '5', "Ctrl+Shift+5 after removing it");

    // Reopened, the dialog shows what is stored; Esc closes it.
    dialog = PropertiesByF4(5);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Checked(dialog, chkControl));
    EXPECT_TRUE(Checked(dialog, chkShift));
    EXPECT_FALSE(Checked(dialog, chkAlt));
    EXPECT_EQ(SelectedKeyEntry(dialog), kNoneEntry);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitForClosed(dialog));
}

class ClipboardChain : public Hotkeys {};

TEST_F(ClipboardChain, ViewersBeforeAndAfterTheProgramSeeEveryChangeWhileViewersLeaveAndAfterItExits) {
    // Three viewers of other programs joined before the program starts (they come after it in the chain),
    // one after (it comes first): head -> Quillet -> v1 -> v2 -> v3.
    testkit::ClipboardViewer v3, v2, v1, head;
    for (testkit::ClipboardViewer* v : {&v3, &v2, &v1})
        ASSERT_TRUE(v->Join());
    PrepareSettings({{L"AutoPaste", L"0"}});
    WriteHotkey(L"Clip1", 2, '1');
    StartQuillet();
    ASSERT_TRUE(head.Join());

    testkit::ClipboardViewer* all[] = {&head, &v1, &v2, &v3};
    int seen[4] = {};
    auto remember = [&] {
        for (int i = 0; i < 4; ++i)
            seen[i] = all[i]->changes();
    };
    // Waits until the given viewers have each seen one more change, then checks that exactly they did.
    auto expectOneMoreFor = [&](std::vector<int> seeing, const char* what) {
        winkit::WaitUntil(
            [&] {
                for (int i : seeing)
                    if (all[i]->changes() < seen[i] + 1)
                        return false;
                return true;
            },
            kActTimeout);
        for (int i = 0; i < 4; ++i) {
            const bool sees = std::find(seeing.begin(), seeing.end(), i) != seeing.end();
            EXPECT_EQ(all[i]->changes(), seen[i] + (sees ? 1 : 0)) << what << ": viewer " << i;
        }
        remember();
    };

    remember();
    ASSERT_TRUE(PutClipboardText(L"one"));
    expectOneMoreFor({0, 1, 2, 3}, "a change by another program");

    // The program's own copy (the clip hotkey, auto paste off) is a change like any other.
    BringToFront(window_);
    SetRow(1, L"alpha");
    PressChord({VK_CONTROL}, '1');
    EXPECT_TRUE(winkit::WaitUntil([] { return ClipboardText() == L"alpha"; }, kActTimeout));
    expectOneMoreFor({0, 1, 2, 3}, "the program's copy");

    // The last viewer leaves: the notice of that passes through the program to the viewers behind it.
    v3.Leave();
    ASSERT_TRUE(PutClipboardText(L"two"));
    expectOneMoreFor({0, 1, 2}, "after the last viewer left");

    // The viewer right after the program leaves: the program now hands on to the one after that.
    v1.Leave();
    ASSERT_TRUE(PutClipboardText(L"three"));
    expectOneMoreFor({0, 2}, "after the program's next viewer left");

    // The program ends and leaves the chain: the chain closes up behind it.
    ASSERT_TRUE(FileMenu('X'));
    ASSERT_TRUE(quillet_.WaitForExit(kExitTimeout));
    EXPECT_EQ(quillet_.exitCode(), 0u);
    ASSERT_TRUE(PutClipboardText(L"four"));
    expectOneMoreFor({0, 2}, "after the program ended");
    EXPECT_EQ(ClipboardText(), L"four");
}

class HotkeyOverview : public Hotkeys {
protected:
    // The time and date the page is stamped with: the short time and the short date of the user's locale.
    static std::string Stamp() {
        wchar_t format[80] = {}, time[80] = {}, date[80] = {};
        ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTTIME, format, 80);
        ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, format, time, 80);
        ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 80);
        return winkit::ToAnsi(std::wstring(time) + L" " + date);
    }
    static std::string Page(const std::string& projectName, const std::vector<std::string>& rows,
                            const std::string& stamp) {
        std::string page = "<HTML><HEAD><TITLE>Quillet Hotkeys</TITLE></HEAD><BODY><H3>Quillet Hotkey Overview - " +
                           projectName + "</H3>\r\n<TABLE BORDER=2>\r\n"
                                         "<TR><TD>Clip #</TD><TD>Clip Name</TD><TD>Clip Hotkey</TD></TR>\r\n";
        for (const std::string& row : rows)
            page += row + "\r\n";
        return page + "</TABLE><BR><BR>Generated " + stamp + "\r\n</BODY></HTML>\r\n";
    }
    // Runs File > Export Hotkey Overview into `fileName` in the program folder and declines to open it;
    // the stamps from before and after the export go to `stamps`.
    void Export(const std::wstring& fileName, bool exists, std::vector<std::string>& stamps) {
        stamps.push_back(Stamp());
        ASSERT_TRUE(FileMenu('E'));
        ASSERT_TRUE(AnswerFileDialog(quillet_, L"Save Hotkey Overview", fileName));
        if (exists) {
            EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDYES), L"Do you want overwrite " + fileName + L"?");
        }
        EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDNO),
                  L"Do you want to open the overview with your browser so you can view it and print it?");
        stamps.push_back(Stamp());
        EXPECT_TRUE(WaitForStatus(L"Overview Saved"));
    }
    // The written page is one of the expected pages (the minute may turn during the export).
    void ExpectPage(const std::wstring& path, const std::string& projectName, const std::vector<std::string>& rows,
                    const std::vector<std::string>& stamps) {
        const std::string written = testkit::ReadFileBytes(path);
        for (const std::string& stamp : stamps) {
            if (written == Page(projectName, rows, stamp))
                return;
        }
        ADD_FAILURE() << "the page is\n" << written << "\nexpected\n" << Page(projectName, rows, stamps.back());
    }
};

TEST_F(HotkeyOverview, TheExportedPageListsTheFilledClipsWithTheirHotkeysAndAnEmptyProjectSaysSo) {
    PrepareSettings();
    WriteHotkey(L"Clip1", 2, '1');
    WriteHotkey(L"Clip2", 2, '2'); // a hotkey, but an empty clip: not listed
    WriteHotkey(L"Clip4", 3, 'X'); // Ctrl+Alt+"x"
    StartQuillet();
    const std::string longName = "A clip name that runs on well past the fifty characters shown";
    SetRow(1, L"first clip");
    SetRow(4, winkit::FromAnsi(longName));
    const std::wstring file = quillet_.folder() + L"overview.html";

    std::vector<std::string> stamps;
    Export(L"overview.html", false, stamps);
    ExpectPage(file, "default.ql",
               {"<TR><TD>1</TD><TD>", "first clip</TD><TD>", "Ctrl + 1</TD></TR>", "<TR><TD>4</TD><TD>",
                longName.substr(0, 50) + "</TD><TD>", "Alt + Ctrl + X</TD></TR>"},
               stamps);

    // A new project has no file yet and only empty clips; the export replaces the page after asking.
    ASSERT_TRUE(FileMenu('N'));
    EXPECT_FALSE(AnswerBox(quillet_, L"Quillet", IDNO).empty()) << "the unsaved rows are offered for saving";
    ASSERT_TRUE(WaitForTitle(L"Quillet (new project)"));
    stamps.clear();
    Export(L"overview.html", true, stamps);
    ExpectPage(file, "Blank", {"<TR><TD COLSPAN=3>There are just empty clips</TD></TR>"}, stamps);
}

} // namespace
