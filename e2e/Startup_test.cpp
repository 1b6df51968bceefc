// Start-up and shutdown of the real program: its settings file, folders, splash and single instance.
#include "testkit/Dialogs.h"
#include "testkit/FileContents.h"
#include "testkit/ProgramRun.h"
#include "testkit/ProgramUnderTest.h"
#include "winkit/TextConv.h"
#include "winkit/Wait.h"

#include <gtest/gtest.h>

using testkit::ProgramUnderTest;

namespace {

constexpr DWORD kStartTimeout = 20000;
constexpr DWORD kExitTimeout = 10000;
const wchar_t kMainFormClass[] = L"QuilletMainForm";
const wchar_t kSplashClass[] = L"QuilletSplash";
constexpr int kSplashInfoId = 200;
constexpr int kSplashFirstBlockId = 100;

// The settings file a fresh folder must get, line by line as the program's users know it.
std::string ExpectedSettings(const std::string& projectsFolder) {
    std::string text =
        "[General]\r\nRunOnStartup=0\r\nOpenWindowAtStartup=1\r\nDisabledIP=0\r\nDisableSplash=0\r\n\r\n"
        "[Quillet]\r\nExiting=1\r\nPasteMethod=1\r\nQLAlwaysOnTop=0\r\nDefaultProjectName=Default.ql\r\n"
        "DefaultProjectPath=" +
        projectsFolder +
        "\r\nMinimizeOnCopy=0\r\nHideOnCopy=0\r\nAutoPaste=1\r\nRememberFontSettings=1\r\nSentenceCaseKeepBig=1\r\n"
        "AutoPasteOther=0\r\nAskDeletingClip=1\r\nAskClearingClip=1\r\nMsgOnImgPaste=1\r\nDefaultFontName=0\r\n"
        "DefaultFontSize=0\r\nRecentProject1Name=\r\nRecentProject1Path=\r\nRecentProject2Name=\r\n"
        "RecentProject2Path=\r\nRecentProject3Name= \r\nRecentProject3Path=\r\nRecentProject4Name=\r\n"
        "RecentProject4Path=\r\nRecentProject5Name=\r\nRecentProject5Path=\r\nPasteMethod=1\r\n\r\n"
        "[WindowPos]\r\nfrmConfPasteBoxX=\r\nfrmConfPasteBoxY=\r\nfrmquilletX=\r\nfrmquilletY=\r\n\r\n[Hotkeys]\r\n";
    // Ctrl+1 ... Ctrl+0, then Ctrl+Shift+1 ... Ctrl+Shift+0, then Ctrl+Alt+1 ... Ctrl+Alt+0.
    const char* masks[] = {"2", "6", "3"};
    const char* keys[] = {"49", "50", "51", "52", "53", "54", "55", "56", "57", "48"};
    for (int group = 0; group < 3; ++group) {
        for (int k = 0; k < 10; ++k) {
            const std::string clip = "Clip" + std::to_string(group * 10 + k + 1);
            text += clip + "Mod=" + masks[group] + "\r\n" + clip + "Key=" + keys[k] + "\r\n";
        }
    }
    text += "HKShowQLMod=3\r\nHKShowQLKey=72\r\nHKGlobalMenuMod=3\r\nHKGlobalMenuKey=71\r\nHKPasteNextMod=2\r\n"
            "HKPasteNextKey=81\r\nHKPasteMenuMod=3\r\nHKPasteMenuKey=67\r\nHKSettingsMod=3\r\nHKSettingsKey=83\r\n";
    return text;
}

// Start-up itself writes the recent list, and every write through the system's profile functions
// rewrites the file without its blank lines and trailing blanks; the keys, values and order stay.
std::string AsRewritten(const std::string& text) {
    std::string out;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find("\r\n", at);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(at, end - at);
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        if (!line.empty())
            out += line + "\r\n";
        at = end + 2;
    }
    return out;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// A settings file whose Exiting value the program cannot hold: start-up stops at its error message while
// the splash (if any) is up, which gives the tests a moment to look at the program mid-start.
std::string SettingsStoppingAtLoad(bool splash) {
    std::string text = Replaced(ExpectedSettings(""), "Exiting=1\r\n", "Exiting=999\r\n");
    return splash ? text : Replaced(text, "DisableSplash=0", "DisableSplash=1");
}

// The clip window shows at the end of start-up; until then the program may still be writing its files.
bool WaitUntilStarted(ProgramUnderTest& quillet) {
    HWND clipWindow = quillet.WaitForWindow(L"QuilletClipWindow", kStartTimeout);
    return clipWindow && winkit::WaitUntil([&] { return ::IsWindowVisible(clipWindow) != FALSE; }, kStartTimeout);
}

bool EndThroughMainForm(ProgramUnderTest& quillet) {
    HWND mainForm = quillet.WaitForWindow(kMainFormClass, kStartTimeout);
    if (!mainForm)
        return false;
    ::PostMessageW(mainForm, WM_CLOSE, 0, 0);
    return quillet.WaitForExit(kExitTimeout);
}

HWND VisibleSplash(DWORD pid) {
    for (HWND w : testkit::TopLevelWindows(pid, kSplashClass))
        if (::IsWindowVisible(w))
            return w;
    return nullptr;
}

int VisibleBlocks(HWND splash) {
    int n = 0;
    for (int i = 0; i < 15; ++i)
        if (HWND block = ::GetDlgItem(splash, kSplashFirstBlockId + i); block && ::IsWindowVisible(block))
            ++n;
    return n;
}

} // namespace

TEST(Startup, FirstStartWritesTheTemplateAndPreparesItsFolders) {
    ProgramUnderTest quillet;
    ASSERT_TRUE(quillet.ready());
    ASSERT_TRUE(quillet.Start());
    ASSERT_NE(quillet.WaitForWindow(kMainFormClass, kStartTimeout), nullptr);
    ASSERT_TRUE(WaitUntilStarted(quillet));

    EXPECT_EQ(AsRewritten(testkit::ReadFileBytes(quillet.folder() + L"settings.ini")), AsRewritten(ExpectedSettings("")));
    EXPECT_TRUE(testkit::FolderExists(quillet.folder() + L"temp"));
    EXPECT_TRUE(testkit::FolderExists(quillet.folder() + L"projects"));

    ASSERT_TRUE(EndThroughMainForm(quillet));
    EXPECT_EQ(quillet.exitCode(), 0u);
    EXPECT_FALSE(testkit::FolderExists(quillet.folder() + L"temp"));
    EXPECT_TRUE(testkit::FolderExists(quillet.folder() + L"projects"));
}

TEST(Startup, SecondStartOnlyWarnsAndLeavesTheFirstAlone) {
    ProgramUnderTest quillet;
    ASSERT_TRUE(quillet.ready());
    ASSERT_TRUE(quillet.Start());
    HWND mainForm = quillet.WaitForWindow(kMainFormClass, kStartTimeout);
    ASSERT_NE(mainForm, nullptr);
    ASSERT_TRUE(WaitUntilStarted(quillet));
    const std::string settingsBefore = testkit::ReadFileBytes(quillet.folder() + L"settings.ini");

    testkit::ProgramRun second;
    ASSERT_TRUE(second.Start(quillet.folder() + L"Quillet.exe"));
    HWND box = testkit::WaitForDialog(second.processId(), L"Quillet", kStartTimeout);
    ASSERT_NE(box, nullptr) << "the second copy showed no message";
    const testkit::DialogContents contents = testkit::ReadDialog(box);
    EXPECT_EQ(contents.text, L"Quillet is allready running!");
    EXPECT_EQ(contents.buttons, std::vector<int>{IDOK});
    EXPECT_TRUE(testkit::TopLevelWindows(second.processId(), kMainFormClass).empty());
    EXPECT_TRUE(testkit::TopLevelWindows(second.processId(), kSplashClass).empty());
    testkit::PressButton(box, IDOK);
    ASSERT_TRUE(second.WaitForExit(kExitTimeout));

    EXPECT_TRUE(quillet.running());
    EXPECT_TRUE(::IsWindow(mainForm));
    EXPECT_EQ(testkit::ReadFileBytes(quillet.folder() + L"settings.ini"), settingsBefore);
    EXPECT_TRUE(testkit::FolderExists(quillet.folder() + L"temp"));
    ASSERT_TRUE(EndThroughMainForm(quillet));
}

TEST(Startup, SplashShowsItsStepsAndHidesItself) {
    ProgramUnderTest quillet;
    ASSERT_TRUE(quillet.ready());
    ASSERT_TRUE(testkit::WriteFileBytes(quillet.folder() + L"settings.ini", SettingsStoppingAtLoad(true)));
    ASSERT_TRUE(quillet.Start());
    HWND box = testkit::WaitForDialog(quillet.processId(), L"Quillet - Error", kStartTimeout);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(testkit::ReadDialog(box).text.rfind(L"Error while loading settings!\r\n\r\nError number: 6", 0), 0u);

    HWND splash = VisibleSplash(quillet.processId());
    ASSERT_NE(splash, nullptr) << "no splash while start-up was loading the settings";
    EXPECT_EQ(testkit::WindowText(::GetDlgItem(splash, kSplashInfoId)), L"Loading settings...");
    // Block 0 from the start, one after the early steps, one at "Temp dirs...".
    EXPECT_EQ(VisibleBlocks(splash), 3);
    EXPECT_EQ(testkit::WindowText(::GetDlgItem(splash, 210)), L"www.quillet.app");

    testkit::PressButton(box, IDOK);
    EXPECT_TRUE(winkit::WaitUntil([&] { return testkit::TopLevelWindows(quillet.processId(), kSplashClass).empty(); },
                                  kStartTimeout))
        << "the splash did not hide itself after start-up";
    EXPECT_TRUE(quillet.running());
    ASSERT_TRUE(EndThroughMainForm(quillet));
}

TEST(Startup, DisabledSplashNeverShows) {
    ProgramUnderTest quillet;
    ASSERT_TRUE(quillet.ready());
    ASSERT_TRUE(testkit::WriteFileBytes(quillet.folder() + L"settings.ini", SettingsStoppingAtLoad(false)));
    ASSERT_TRUE(quillet.Start());
    HWND box = testkit::WaitForDialog(quillet.processId(), L"Quillet - Error", kStartTimeout);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(testkit::TopLevelWindows(quillet.processId(), kSplashClass).empty());
    testkit::PressButton(box, IDOK);
    ASSERT_NE(quillet.WaitForWindow(kMainFormClass, kStartTimeout), nullptr);
    EXPECT_TRUE(testkit::TopLevelWindows(quillet.processId(), kSplashClass).empty());
    ASSERT_TRUE(EndThroughMainForm(quillet));
}

TEST(Startup, SettingsDeletedWhileRunningAreRegeneratedOnYes) {
    ProgramUnderTest quillet;
    ASSERT_TRUE(quillet.ready());
    const std::wstring settings = quillet.folder() + L"settings.ini";
    ASSERT_TRUE(testkit::WriteFileBytes(settings, SettingsStoppingAtLoad(false)));
    ASSERT_TRUE(quillet.Start());
    HWND box = testkit::WaitForDialog(quillet.processId(), L"Quillet - Error", kStartTimeout);
    ASSERT_NE(box, nullptr);

    // While the program waits on its message, the file goes; the program's next read must notice.
    ASSERT_TRUE(::DeleteFileW(settings.c_str()));
    testkit::PressButton(box, IDOK);
    HWND question = testkit::WaitForDialog(quillet.processId(), L"Quillet", kStartTimeout);
    ASSERT_NE(question, nullptr) << "the next read did not ask about the missing settings file";
    const testkit::DialogContents contents = testkit::ReadDialog(question);
    EXPECT_EQ(contents.text, L"Unable to load settings! Your settings.ini can be damaged or incompatible.\r\n\r\n"
                             L"Do you want to generate new settings.ini file? Note: You will have to start program "
                             L"again.");
    EXPECT_EQ(contents.buttons, (std::vector<int>{IDYES, IDNO}));
    testkit::PressButton(question, IDYES);

    // By now start-up has prepared the folders, so the fresh file names the projects folder.
    const std::string expected = ExpectedSettings(winkit::ToAnsi(quillet.folder()) + "projects\\");
    EXPECT_TRUE(winkit::WaitUntil([&] { return testkit::ReadFileBytes(settings) == expected; }, kStartTimeout))
        << testkit::ReadFileBytes(settings);
    ASSERT_TRUE(EndThroughMainForm(quillet));
}

TEST(Startup, ProgramFolderThatTakesNoSettingsFileEndsWithTheStartupError) {
    ProgramUnderTest quillet;
    ASSERT_TRUE(quillet.ready());
    // A folder where the settings file should be: nothing can write it, as in a folder without write access.
    ASSERT_TRUE(::CreateDirectoryW((quillet.folder() + L"settings.ini").c_str(), nullptr));
    ASSERT_TRUE(quillet.Start());
    HWND box = testkit::WaitForDialog(quillet.processId(), L"Quillet - Error", kStartTimeout);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(testkit::ReadDialog(box).text,
              L"Error while starting Quillet. If you lost some system libraries, please reinstall program. If you "
              L"dont got read/write access to " +
                  quillet.folder() +
                  L", please, obtain it. If you will need any further help, please contact support@quillet.app.");
    testkit::PressButton(box, IDOK);
    ASSERT_TRUE(quillet.WaitForExit(kExitTimeout)) << "the program did not end after its start-up error";
    EXPECT_FALSE(testkit::FolderExists(quillet.folder() + L"temp"));
}

TEST(Startup, MissingLibraryIsReportedAndEndsTheProgram) {
    ProgramUnderTest quillet;
    ASSERT_TRUE(quillet.ready());
    ASSERT_TRUE(::DeleteFileW((quillet.folder() + L"Syslinkage.dll").c_str()));
    ASSERT_TRUE(quillet.Start());
    HWND box = testkit::WaitForDialog(quillet.processId(), L"Quillet - Error", kStartTimeout);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(testkit::ReadDialog(box).text, L"Couldn't register DLL(s) which is Quillet using. Please check that you "
                                             L"got these files in Quillet directory:\r\nSyslinkage.dll");
    testkit::PressButton(box, IDOK);
    ASSERT_TRUE(quillet.WaitForExit(kExitTimeout));
    EXPECT_EQ(quillet.exitCode(), 0u);
}
