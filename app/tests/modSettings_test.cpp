// The settings store against real INI files, through the system's own INI services.
#include "SettingsFixture.h"

#include "app/shell/Messages.h"
#include "app/shell/SettingsSnapshot.h"
#include "core/SettingsTemplate.h"
#include "testkit/FileContents.h"
#include "winkit/Scoped.h"
#include "winkit/TextConv.h"

#include <utility>
#include <vector>

using quillet::ReadSetting;
using quillet::WriteSetting;
using settings_test::AnswerWhile;

namespace {

std::string FileBytes(const std::wstring& path) {
    return testkit::ReadFileBytes(path);
}
void WriteBytes(const std::wstring& path, const std::string& bytes) {
    ASSERT_TRUE(testkit::WriteFileBytes(path, bytes));
}
std::vector<std::string> Lines(const std::string& bytes) {
    return testkit::CrLfLines(bytes);
}

const wchar_t kRegenerateQuestion[] =
    L"Unable to load settings! Your settings.ini can be damaged or incompatible.\r\n\r\nDo you want to generate "
    L"new settings.ini file? Note: You will have to start program again.";

class SettingsStore : public settings_test::SettingsFileTest {};

} // namespace

TEST_F(SettingsStore, FreshFileReadsBackItsDefaults) {
    ASSERT_TRUE(quillet::CreateDefaultSettings());
    EXPECT_EQ(ReadSetting(L"Quillet", L"PasteMethod"), L"1");
    EXPECT_EQ(ReadSetting(L"Quillet", L"DefaultProjectName"), L"Default.ql");
    EXPECT_EQ(ReadSetting(L"Quillet", L"DefaultProjectPath"), L"");
    EXPECT_EQ(ReadSetting(L"Quillet", L"RecentProject3Name"), L""); // the stored blank is no value
    EXPECT_EQ(ReadSetting(L"Hotkeys", L"Clip12Mod"), L"6");         // Ctrl+Shift+2 by default
    EXPECT_EQ(ReadSetting(L"Hotkeys", L"Clip12Key"), L"50");
    EXPECT_EQ(ReadSetting(L"Hotkeys", L"Clip30Key"), L"48");
    EXPECT_EQ(ReadSetting(L"Hotkeys", L"HKSettingsKey"), L"83");
    EXPECT_EQ(ReadSetting(L"Quillet", L"NoSuchKey"), L"");
    EXPECT_EQ(ReadSetting(L"NoSuchSection", L"PasteMethod"), L"");
}

TEST_F(SettingsStore, LaterTemplatesNameTheProjectsFolder) {
    quillet::ProjectsFolder = L"C:\\Quillet\\projects\\";
    ASSERT_TRUE(quillet::CreateDefaultSettings());
    EXPECT_EQ(ReadSetting(L"Quillet", L"DefaultProjectPath"), L"C:\\Quillet\\projects\\");
}

TEST_F(SettingsStore, ChangingTheDuplicatedKeyRewritesOnlyItsFirstLine) {
    ASSERT_TRUE(quillet::CreateDefaultSettings());
    ASSERT_TRUE(WriteSetting(L"Quillet", L"PasteMethod", L"3"));
    EXPECT_EQ(ReadSetting(L"Quillet", L"PasteMethod"), L"3");
    std::vector<std::string> pasteLines;
    for (const std::string& line : Lines(FileBytes(path())))
        if (line.rfind("PasteMethod=", 0) == 0)
            pasteLines.push_back(line);
    EXPECT_EQ(pasteLines, (std::vector<std::string>{"PasteMethod=3", "PasteMethod=1"}));
}

TEST_F(SettingsStore, KeysAndSectionsMatchWhateverTheirCase) {
    ASSERT_TRUE(quillet::CreateDefaultSettings());
    ASSERT_TRUE(WriteSetting(L"WindowPos", L"frmQuilletX", L"1500"));
    EXPECT_EQ(ReadSetting(L"windowpos", L"FRMQUILLETX"), L"1500");
    // The template's spelling is the key that got the value: no second key appeared.
    int keys = 0;
    for (const std::string& line : Lines(FileBytes(path())))
        if (_stricmp(line.substr(0, 12).c_str(), "frmquilletX=") == 0)
            ++keys;
    EXPECT_EQ(keys, 1);
}

TEST_F(SettingsStore, LongValuesReadBackCutTo254Characters) {
    ASSERT_TRUE(quillet::CreateDefaultSettings());
    std::wstring value;
    for (int i = 0; i < 300; ++i)
        value += static_cast<wchar_t>(L'a' + i % 26);
    ASSERT_TRUE(WriteSetting(L"Quillet", L"DefaultFontName", value));
    EXPECT_EQ(ReadSetting(L"Quillet", L"DefaultFontName"), value.substr(0, 254));
    ASSERT_TRUE(WriteSetting(L"Quillet", L"DefaultFontName", value.substr(0, 254)));
    EXPECT_EQ(ReadSetting(L"Quillet", L"DefaultFontName"), value.substr(0, 254));
}

TEST_F(SettingsStore, ValuesStayOnOneLine) {
    ASSERT_TRUE(quillet::CreateDefaultSettings());
    ASSERT_TRUE(WriteSetting(L"Quillet", L"RecentProject1Name", L"a\r\nExiting=2"));
    EXPECT_EQ(ReadSetting(L"Quillet", L"Exiting"), L"1");
    EXPECT_EQ(ReadSetting(L"Quillet", L"RecentProject1Name"), L"a  Exiting=2");
}

TEST_F(SettingsStore, ReadsAnotherFileWhenNamed) {
    ASSERT_TRUE(quillet::CreateDefaultSettings());
    const std::wstring other = path() + L".other.ini";
    WriteBytes(other, "[Index]\r\nName=Work\r\n");
    EXPECT_EQ(ReadSetting(L"Index", L"Name", other), L"Work");
    EXPECT_EQ(ReadSetting(L"Index", L"Name"), L"");
}

// While the program starts, keys come from one reading of the file: they must read as the system reads them,
// follow the file's changes, and a write that changes nothing must leave the file as it was.
TEST_F(SettingsStore, ReadsDuringTheStartAnswerAsTheSystemAndFollowTheProgramsWrites) {
    const std::string file = "[Quillet]\r\n  PasteMethod = 2 \r\nPasteMethod=3\r\nQuoted=\"a b \"\r\n"
                             "Single='x'\r\nHalf=\"open\r\nNoValue\r\nEmpty=\r\n\xE9t\xE9=caf\xE9\r\n"
                             "[ hotkeys ]\r\nClip1Key=49\r\n[Quillet]\r\nExiting=2\r\n[Cut]\r\nLast=1";
    WriteBytes(path(), file);
    const std::vector<std::pair<std::wstring, std::wstring>> keys = {
        {L"Quillet", L"PasteMethod"}, {L"quillet", L"pastemethod"}, {L"Quillet", L"Quoted"},
        {L"Quillet", L"Single"},      {L"Quillet", L"Half"},        {L"Quillet", L"NoValue"},
        {L"Quillet", L"Empty"},       {L"Quillet", L"Missing"},     {L"Quillet", winkit::FromAnsi("\xE9t\xE9")},
        {L"Hotkeys", L"Clip1Key"},    {L" Hotkeys ", L" Clip1Key"}, {L"Quillet", L"Exiting"},
        {L"Cut", L"Last"},            {L"Nowhere", L"Last"}};
    std::vector<std::wstring> bySystem;
    for (const auto& [section, key] : keys)
        bySystem.push_back(ReadSetting(section, key));
    {
        const quillet::SettingsSnapshot starting;
        for (std::size_t i = 0; i < keys.size(); ++i)
            EXPECT_EQ(ReadSetting(keys[i].first, keys[i].second), bySystem[i]) << keys[i].second;
        // Nothing to change: not a byte of the file is written, a missing key taking an empty value included.
        ASSERT_TRUE(WriteSetting(L"Quillet", L"PasteMethod", L"2"));
        ASSERT_TRUE(WriteSetting(L"Quillet", L"Missing", L""));
        ASSERT_TRUE(WriteSetting(L"Quillet", L"Quoted", L"a b "));
        EXPECT_EQ(FileBytes(path()), file);
        // A change reaches the file and the next read.
        ASSERT_TRUE(WriteSetting(L"Quillet", L"PasteMethod", L"4"));
        ASSERT_TRUE(WriteSetting(L"Quillet", L"Added", L"yes"));
        EXPECT_EQ(ReadSetting(L"Quillet", L"PasteMethod"), L"4");
        EXPECT_EQ(ReadSetting(L"Quillet", L"Added"), L"yes");
        EXPECT_EQ(ReadSetting(L"Hotkeys", L"Clip1Key"), L"49");
        // Another program's change, or the file gone, is seen at the next read.
        WriteBytes(path(), "[Quillet]\r\nPasteMethod=7\r\n");
        EXPECT_EQ(ReadSetting(L"Quillet", L"PasteMethod"), L"7");
        ASSERT_TRUE(::DeleteFileW(path().c_str()));
        std::wstring value = L"unset";
        const auto a = AnswerWhile([&] { value = ReadSetting(L"Quillet", L"PasteMethod"); }, L"Quillet", IDNO);
        EXPECT_TRUE(a.appeared);
        EXPECT_EQ(value, L"");
        // The template written anew is read anew.
        ASSERT_TRUE(quillet::CreateDefaultSettings());
        EXPECT_EQ(ReadSetting(L"Quillet", L"PasteMethod"), L"1");
        EXPECT_EQ(ReadSetting(L"Quillet", L"Added"), L"");
    }
    // Once started, what another program wrote meanwhile is read.
    WriteBytes(path(), "[Quillet]\r\nPasteMethod=5\r\n");
    EXPECT_EQ(ReadSetting(L"Quillet", L"PasteMethod"), L"5");
    // A file in UTF-16 is left to the system, which reads it right.
    WriteBytes(path(), std::string("\xFF\xFE[\0Q\0]\0\r\0\n\0K\0=\0v\0\r\0\n\0", 22));
    const quillet::SettingsSnapshot again;
    EXPECT_EQ(ReadSetting(L"Q", L"K"), L"v");
}

TEST_F(SettingsStore, MissingFileAsksAndYesWritesAFreshTemplate) {
    ASSERT_FALSE(testkit::FileExists(path()));
    std::wstring value = L"unset";
    const auto a = AnswerWhile([&] { value = ReadSetting(L"Quillet", L"PasteMethod"); }, L"Quillet", IDYES);
    ASSERT_TRUE(a.appeared);
    EXPECT_EQ(a.contents.text, kRegenerateQuestion);
    EXPECT_EQ(a.contents.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(value, L"");
    EXPECT_EQ(FileBytes(path()), winkit::ToAnsi(core::DefaultSettingsText(L"")));
    EXPECT_EQ(ReadSetting(L"Quillet", L"PasteMethod"), L"1");
}

TEST_F(SettingsStore, FileDeletedWhileRunningAsksAgainAndNoLeavesItMissing) {
    ASSERT_TRUE(quillet::CreateDefaultSettings());
    EXPECT_EQ(ReadSetting(L"Quillet", L"Exiting"), L"1");
    ASSERT_TRUE(::DeleteFileW(path().c_str()));
    std::wstring value = L"unset";
    const auto a = AnswerWhile([&] { value = ReadSetting(L"Quillet", L"Exiting"); }, L"Quillet", IDNO);
    ASSERT_TRUE(a.appeared);
    EXPECT_EQ(a.contents.text, kRegenerateQuestion);
    EXPECT_EQ(value, L""); // not the value the system may still remember
    EXPECT_FALSE(testkit::FileExists(path()));
}

TEST_F(SettingsStore, WritingAfterTheFileWasDeletedBringsBackTheWholeTemplate) {
    ASSERT_TRUE(quillet::CreateDefaultSettings());
    ASSERT_TRUE(::DeleteFileW(path().c_str()));
    ASSERT_TRUE(WriteSetting(L"Quillet", L"AutoPaste", L"0"));
    EXPECT_EQ(ReadSetting(L"Quillet", L"AutoPaste"), L"0");
    EXPECT_EQ(ReadSetting(L"Hotkeys", L"Clip1Key"), L"49");
    EXPECT_EQ(ReadSetting(L"General", L"OpenWindowAtStartup"), L"1");
}

TEST_F(SettingsStore, GarbageFileReadsAsEmptyValues) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    WriteBytes(path(), garbage);
    EXPECT_EQ(ReadSetting(L"Quillet", L"PasteMethod"), L"");
    WriteBytes(path(), "[Quillet]\r\nPasteMethod=2\r\nExit"); // cut off in the middle of a line
    EXPECT_EQ(ReadSetting(L"Quillet", L"PasteMethod"), L"2");
    EXPECT_EQ(ReadSetting(L"Quillet", L"Exiting"), L"");
}

TEST_F(SettingsStore, FileThatTakesNoWritesStillReadsAndAWriteReportsTheFailure) {
    ASSERT_TRUE(quillet::CreateDefaultSettings());
    // Another program holds the file open for reading only, so nobody may write it (a read-only attribute
    // would do the same for a normal user, but not for the administrator the tests may run as).
    winkit::ScopedFile holder(::CreateFileW(path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_EQ(ReadSetting(L"Quillet", L"AutoPaste"), L"1");
    bool written = true;
    const auto a =
        AnswerWhile([&] { written = WriteSetting(L"Quillet", L"AutoPaste", L"0"); }, L"Quillet - Error", IDOK);
    ASSERT_TRUE(a.appeared);
    EXPECT_FALSE(written);
    const std::wstring expected =
        L"Unable to write settings! Please check if you have got write permissions to " + path() + L".";
    EXPECT_EQ(a.contents.text.substr(0, expected.size()), expected);
    EXPECT_NE(a.contents.text.find(L"\r\n\r\nError number: "), std::wstring::npos);
    holder.reset();
    EXPECT_EQ(ReadSetting(L"Quillet", L"AutoPaste"), L"1");
}

TEST_F(SettingsStore, TemplateThatCannotBeWrittenIsReported) {
    ASSERT_TRUE(::CreateDirectoryW(path().c_str(), nullptr)); // a folder where the file should go
    bool created = true;
    const auto a = AnswerWhile([&] { created = quillet::CreateDefaultSettings(); }, L"Quillet - Error", IDOK);
    ::RemoveDirectoryW(path().c_str());
    ASSERT_TRUE(a.appeared);
    EXPECT_FALSE(created);
    EXPECT_EQ(a.contents.text.rfind(L"Error while creating settings file!\r\n\r\nError number: ", 0), 0u);
}

// ---- Applying the settings and saving the copy options ----

namespace {

using quillet::CopyOption;

// Stands in for the main clip window's menu, the clipboard menu, the tray's run-at-startup switch and
// the on-top button, and remembers what the settings did to them.
struct RecordedTargets {
    bool minimize = false, hide = false, autoPaste = false;
    std::vector<std::wstring> calls;
    bool clipboardAutoPaste = false;
    int runAtStartup = -1;
    bool onTop = false;

    void Install() {
        auto& t = quillet::SettingsHooks();
        t.switchRunAtStartup = [this](bool on) { runAtStartup = on; };
        t.copyOptionChecked = [this](CopyOption o) { return Flag(o); };
        t.checkCopyOption = [this](CopyOption o, bool on) {
            Flag(o) = on;
            calls.push_back(std::wstring(Name(o)) + (on ? L"+" : L"-"));
        };
        t.checkClipboardMenuAutoPaste = [this](bool on) { clipboardAutoPaste = on; };
        t.keepMainWindowOnTop = [this] { onTop = true; };
    }
    bool& Flag(CopyOption o) {
        return o == CopyOption::MinimizeOnCopy ? minimize : o == CopyOption::HideOnCopy ? hide : autoPaste;
    }
    static const wchar_t* Name(CopyOption o) {
        return o == CopyOption::MinimizeOnCopy ? L"minimize" : o == CopyOption::HideOnCopy ? L"hide" : L"autopaste";
    }
};

class ApplyingSettings : public settings_test::SettingsFileTest {
protected:
    void SetUp() override {
        SettingsFileTest::SetUp();
        ASSERT_TRUE(quillet::CreateDefaultSettings());
        targets.Install();
    }
    void Set(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
        ASSERT_TRUE(WriteSetting(section, key, value));
    }
    RecordedTargets targets;
};

} // namespace

TEST_F(ApplyingSettings, DefaultsGiveTheDocumentedState) {
    quillet::PasteMethod = 9;
    quillet::ExitChoice = 9;
    quillet::LoadSettings();
    EXPECT_EQ(quillet::PasteMethod, 1);
    EXPECT_EQ(quillet::ExitChoice, 1);
    EXPECT_TRUE(quillet::AskDeletingClip);
    EXPECT_TRUE(quillet::MsgOnImgPaste);
    EXPECT_EQ(quillet::DefaultFontName, L"0");
    EXPECT_EQ(quillet::DefaultFontSize, 0);
    EXPECT_EQ(quillet::ProgramHotkeys.HKPasteNextMod, 2);
    EXPECT_EQ(quillet::ProgramHotkeys.HKPasteNextKey, 81);
    EXPECT_EQ(targets.runAtStartup, 0);
    EXPECT_EQ(targets.calls, (std::vector<std::wstring>{L"autopaste+"}));
    EXPECT_TRUE(targets.clipboardAutoPaste);
    EXPECT_FALSE(targets.onTop);
}

TEST_F(ApplyingSettings, HidingWinsOverMinimisingAndAnyNonZeroAutoPasteCounts) {
    Set(L"Quillet", L"MinimizeOnCopy", L"1");
    Set(L"Quillet", L"HideOnCopy", L"1");
    Set(L"Quillet", L"AutoPaste", L"2");
    Set(L"Quillet", L"QLAlwaysOnTop", L"1");
    Set(L"General", L"RunOnStartup", L"1");
    quillet::LoadSettings();
    EXPECT_EQ(targets.calls, (std::vector<std::wstring>{L"minimize+", L"hide+", L"minimize-", L"autopaste+"}));
    EXPECT_FALSE(targets.minimize);
    EXPECT_TRUE(targets.hide);
    EXPECT_TRUE(targets.clipboardAutoPaste);
    EXPECT_TRUE(targets.onTop);
    EXPECT_EQ(targets.runAtStartup, 1);
}

TEST_F(ApplyingSettings, FlagsCountOnlyAtOne) {
    Set(L"Quillet", L"AskDeletingClip", L"2");
    Set(L"Quillet", L"AutoPaste", L"0");
    Set(L"Quillet", L"QLAlwaysOnTop", L"2");
    Set(L"General", L"RunOnStartup", L"yes");
    quillet::LoadSettings();
    EXPECT_FALSE(quillet::AskDeletingClip);
    EXPECT_TRUE(targets.calls.empty());
    EXPECT_FALSE(targets.clipboardAutoPaste);
    EXPECT_FALSE(targets.onTop);
    EXPECT_EQ(targets.runAtStartup, 0);
}

TEST_F(ApplyingSettings, PasteMethodBelowOneIsOne) {
    const std::pair<const wchar_t*, int> cases[] = {{L"0", 1}, {L"-5", 1}, {L"", 1}, {L"7", 7}, {L"2.6", 3}};
    for (const auto& [stored, used] : cases) {
        Set(L"Quillet", L"PasteMethod", stored);
        quillet::LoadSettings();
        EXPECT_EQ(quillet::PasteMethod, used) << testing::PrintToString(std::wstring(stored));
    }
}

TEST_F(ApplyingSettings, FontSizeThatIsNoPositiveNumberIsNone) {
    const std::pair<const wchar_t*, int> cases[] = {{L"abc", 0}, {L"-3", 0}, {L"0.7", 0}, {L"12", 12}, {L"10.5", 11}};
    for (const auto& [stored, used] : cases) {
        Set(L"Quillet", L"DefaultFontSize", stored);
        quillet::DefaultFontSize = 99;
        EXPECT_TRUE(quillet::LoadFontDefaults());
        EXPECT_EQ(quillet::DefaultFontSize, used) << testing::PrintToString(std::wstring(stored));
    }
    Set(L"Quillet", L"DefaultFontName", L"Courier New");
    EXPECT_TRUE(quillet::LoadFontDefaults());
    EXPECT_EQ(quillet::DefaultFontName, L"Courier New");
}

TEST_F(ApplyingSettings, ExitChoiceOutOfByteRangeIsReportedAndKeepsWhatWasApplied) {
    Set(L"Quillet", L"Exiting", L"999");
    Set(L"Quillet", L"PasteMethod", L"3");
    Set(L"Quillet", L"AskDeletingClip", L"0");
    quillet::AskDeletingClip = true;
    quillet::ExitChoice = 2;
    const auto a = AnswerWhile([] { quillet::LoadSettings(); }, L"Quillet - Error", IDOK);
    ASSERT_TRUE(a.appeared);
    EXPECT_EQ(a.contents.text.rfind(L"Error while loading settings!\r\n\r\nError number: 6, description: ", 0), 0u)
        << winkit::ToUtf8(a.contents.text);
    EXPECT_NE(a.contents.text.find(L"Exiting=999"), std::wstring::npos);
    EXPECT_EQ(quillet::PasteMethod, 3);    // applied before the failure
    EXPECT_EQ(quillet::ExitChoice, 2);     // left as it was
    EXPECT_TRUE(quillet::AskDeletingClip); // never reached
    EXPECT_EQ(targets.calls, (std::vector<std::wstring>{L"autopaste+"}));
}

TEST_F(ApplyingSettings, HotkeyNumberTooBigForItsCopyStopsTheLoad) {
    Set(L"Hotkeys", L"HKShowQLKey", L"99999999999");
    Set(L"Hotkeys", L"HKShowQLMod", L"5");
    EXPECT_FALSE(quillet::LoadProgramHotkeys());
    EXPECT_EQ(quillet::ProgramHotkeys.HKShowQLMod, 5);
    EXPECT_EQ(quillet::PendingError().number, 6);
    quillet::ClearPendingError();
}

TEST_F(ApplyingSettings, CopyOptionsAreSavedFromTheMenuChecks) {
    struct Case {
        bool minimize, hide, autoPaste;
        const wchar_t *savedMinimize, *savedHide, *savedAutoPaste;
    };
    const Case cases[] = {{true, true, true, L"1", L"0", L"1"},
                          {false, true, false, L"0", L"1", L"0"},
                          {false, false, true, L"0", L"0", L"1"}};
    for (const Case& c : cases) {
        targets.minimize = c.minimize;
        targets.hide = c.hide;
        targets.autoPaste = c.autoPaste;
        quillet::SaveCopyOptions();
        EXPECT_EQ(ReadSetting(L"Quillet", L"MinimizeOnCopy"), c.savedMinimize);
        EXPECT_EQ(ReadSetting(L"Quillet", L"HideOnCopy"), c.savedHide);
        EXPECT_EQ(ReadSetting(L"Quillet", L"AutoPaste"), c.savedAutoPaste);
    }
}

TEST_F(ApplyingSettings, WithoutTheMainClipWindowTheStoredCopyOptionsStay) {
    Set(L"Quillet", L"HideOnCopy", L"1");
    quillet::SettingsHooks() = {};
    const std::string before = FileBytes(path());
    quillet::SaveCopyOptions();
    EXPECT_EQ(FileBytes(path()), before);
}

// ---- Window geometry ----

namespace {

class WindowGeometry : public settings_test::SettingsFileTest {
protected:
    void SetUp() override {
        SettingsFileTest::SetUp();
        ASSERT_TRUE(quillet::CreateDefaultSettings());
        window_ = ::CreateWindowExW(0, L"STATIC", L"geometry", WS_POPUP | WS_CAPTION, 100, 120, 400, 300, nullptr,
                                    nullptr, nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
        screenW_ = ::GetSystemMetrics(SM_CXSCREEN);
        screenH_ = ::GetSystemMetrics(SM_CYSCREEN);
    }
    void TearDown() override {
        if (window_)
            ::DestroyWindow(window_);
        SettingsFileTest::TearDown();
    }
    void Set(const wchar_t* key, const wchar_t* value) { ASSERT_TRUE(WriteSetting(L"WindowPos", key, value)); }
    RECT Rect() const {
        RECT r{};
        ::GetWindowRect(window_, &r);
        return r;
    }
    HWND window_ = nullptr;
    int screenW_ = 0, screenH_ = 0;
};

} // namespace

TEST_F(WindowGeometry, PositionAndSizeAreStoredInTwips) {
    quillet::SaveWindowPosition(window_, L"frmQuillet");
    quillet::SaveWindowSize(window_, L"frmQuillet");
    EXPECT_EQ(ReadSetting(L"WindowPos", L"frmQuilletX"), L"1500"); // 100 px * 15
    EXPECT_EQ(ReadSetting(L"WindowPos", L"frmQuilletY"), L"1800");
    EXPECT_EQ(ReadSetting(L"WindowSize", L"frmQuilletS"), L"norm");
    EXPECT_EQ(ReadSetting(L"WindowSize", L"frmQuilletX"), L"6000");
    EXPECT_EQ(ReadSetting(L"WindowSize", L"frmQuilletY"), L"4500");
}

TEST_F(WindowGeometry, StoredPositionComesBackAndFarOffValuesAreClamped) {
    Set(L"frmQuilletX", L"3000");
    Set(L"frmQuilletY", L"4500");
    quillet::RestoreWindowPosition(window_, L"frmQuillet");
    EXPECT_EQ(Rect().left, 200);
    EXPECT_EQ(Rect().top, 300);

    Set(L"frmQuilletX", L"-500");
    Set(L"frmQuilletY", L"-500");
    quillet::RestoreWindowPosition(window_, L"frmQuillet");
    EXPECT_EQ(Rect().left, 0);
    // screen height - window height - 1000 twips, in pixels
    EXPECT_EQ(Rect().top, (screenH_ * 15 - 4500 - 1000 + 7) / 15);

    Set(L"frmQuilletX", L"999999");
    Set(L"frmQuilletY", L"");
    quillet::RestoreWindowPosition(window_, L"frmQuillet");
    EXPECT_EQ(Rect().left, screenW_ - 400);
    EXPECT_EQ(Rect().top, (screenH_ * 15 - 4500 - 1000 + 7) / 15); // an empty Y leaves the top alone
}

TEST_F(WindowGeometry, NoStoredPositionCentresTheWindow) {
    quillet::RestoreWindowPosition(window_, L"frmConfPasteBox");
    EXPECT_EQ(Rect().left, (screenW_ - 400) / 2);
    EXPECT_EQ(Rect().top, (screenH_ - 300) / 2);
}

TEST_F(WindowGeometry, StoredSizeComesBackAndMissingDimensionsStayAsDesigned) {
    ASSERT_TRUE(WriteSetting(L"WindowSize", L"frmConfPasteBoxX", L"7500"));
    quillet::RestoreWindowSize(window_, L"frmConfPasteBox");
    EXPECT_EQ(Rect().right - Rect().left, 500);
    EXPECT_EQ(Rect().bottom - Rect().top, 300);
    ASSERT_TRUE(WriteSetting(L"WindowSize", L"frmConfPasteBoxY", L"90x"));
    quillet::RestoreWindowSize(window_, L"frmConfPasteBox");
    EXPECT_EQ(Rect().bottom - Rect().top, 300);
}

TEST_F(WindowGeometry, MaximisedWindowComesBackMaximised) {
    ASSERT_TRUE(WriteSetting(L"WindowSize", L"frmConfPasteBoxS", L"maxi"));
    quillet::RestoreWindowPosition(window_, L"frmConfPasteBox");
    EXPECT_TRUE(::IsZoomed(window_));
}
