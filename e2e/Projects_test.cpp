// The project commands and the recent projects list of the real program, used through the main clip
// window's File menu and toolbar as a person would: files appear and go in the projects folder, rows show
// what was saved, settings.ini keeps the list.
#include "core/ClipSlot.h"
#include "core/QlContainer.h"
#include "e2e/ClipWindowDriver.h"
#include "e2e/ProjectBytes.h"
#include "testkit/FileContents.h"
#include "testkit/Files.h"
#include "winkit/TextConv.h"

#include <commctrl.h>

#include <chrono>
#include <map>

using namespace e2e;

namespace {

// File menu items without an access key of their own (two items share "S") are reached by arrow keys.
const std::vector<WORD> kSaveAs = {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN};
// File > Recent Projects > entry k.
std::vector<WORD> RecentEntryKeys(int k) {
    std::vector<WORD> keys{'R'};
    for (int i = 1; i < k; ++i)
        keys.push_back(VK_DOWN);
    keys.push_back(VK_RETURN);
    return keys;
}

const wchar_t kChangesQuestion[] =
    L"Warning: You have made unsaved changes in current project. Do you want to save these changes?";

// The files inside a project file, by name.
std::map<std::string, std::string> ProjectEntries(const std::wstring& path) {
    const std::string bytes = testkit::ReadFileBytes(path);
    std::map<std::string, std::string> entries;
    core::ReadContainer(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                        [&](const core::ContainerEntryView& e) {
                            entries[std::string(e.name)] =
                                std::string(reinterpret_cast<const char*>(e.data), e.size);
                            return true;
                        });
    return entries;
}

// What slot 1 of a saved project holds, as its data file stores it.
std::string FirstClipData(const std::wstring& path) { return ProjectEntries(path)["clip1.dat"]; }

// A project file as the program writes it, with a one-line text in slot 1 and the other slots empty.
bool WriteProject(const std::wstring& path, const std::wstring& firstClip) {
    return testkit::WriteFileBytes(path, ProjectBytes([&](int n) {
                                       core::ClipSlot clip;
                                       clip.text = n == 1 ? firstClip : core::EmptyClipMarker;
                                       return clip;
                                   }));
}

class Projects : public ClipWindowTest {
protected:
    // Projects p1.ql ... p5.ql ("project 1" ... in row 1), listed newest first in that order.
    void PrepareFiveRecentProjects() {
        ASSERT_TRUE(::CreateDirectoryW(projectsFolder().c_str(), nullptr));
        std::vector<std::pair<const wchar_t*, std::wstring>> values;
        static const wchar_t* names[] = {L"RecentProject1Name", L"RecentProject2Name", L"RecentProject3Name",
                                         L"RecentProject4Name", L"RecentProject5Name"};
        static const wchar_t* paths[] = {L"RecentProject1Path", L"RecentProject2Path", L"RecentProject3Path",
                                         L"RecentProject4Path", L"RecentProject5Path"};
        for (int k = 1; k <= 5; ++k) {
            ASSERT_TRUE(WriteProject(projectsFolder() + ProjectFile(k), L"project " + std::to_wstring(k)));
            values.emplace_back(names[k - 1], ProjectFile(k));
            values.emplace_back(paths[k - 1], projectsFolder());
        }
        PrepareSettings(values);
    }
    static std::wstring ProjectFile(int k) { return L"p" + std::to_wstring(k) + L".ql"; }

    // The names of the recent list as settings.ini holds them, entry 1 first; a listed entry must carry
    // the projects folder as its path, an empty one no path.
    std::vector<std::wstring> RecentNames() const {
        std::vector<std::wstring> names;
        for (int k = 1; k <= 5; ++k) {
            const std::wstring name = Setting(L"Quillet", L"RecentProject" + std::to_wstring(k) + L"Name");
            const std::wstring path = Setting(L"Quillet", L"RecentProject" + std::to_wstring(k) + L"Path");
            EXPECT_EQ(path, name.empty() ? std::wstring() : projectsFolder()) << "entry " << k;
            names.push_back(name);
        }
        return names;
    }
    bool RecentButtonEnabled(int k) const {
        return ::SendMessageW(control(ids::kToolbar), TB_ISBUTTONENABLED,
                              static_cast<WPARAM>(ids::kToolbarButton + 10 + k), 0) != 0;
    }
    void ClickToolbarButton(int index) {
        ASSERT_TRUE(BringToFront(window_));
        const RECT rc = testkit::ToolbarButtonRect(control(ids::kToolbar), ids::kToolbarButton + index);
        ASSERT_LT(rc.left, rc.right) << "toolbar button " << index << " not found";
        ClickAt({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
    }
    void SaveAs(const std::wstring& fileName) {
        ASSERT_TRUE(FileMenu(kSaveAs));
        ASSERT_TRUE(AnswerFileDialog(quillet_, L"Save Quillet Project", fileName));
    }
    void Load(const std::wstring& fileName) {
        ASSERT_TRUE(FileMenu('L'));
        ASSERT_TRUE(AnswerFileDialog(quillet_, L"Load Quillet Project", fileName));
    }
    void ExitByMenu() { ASSERT_TRUE(FileMenu('X')); }
    // No message box of the program is up.
    bool NoBoxShown() const { return testkit::WaitForDialog(quillet_.processId(), L"Quillet", 0) == nullptr; }
};

TEST_F(Projects, SaveSaveAsLoadNewAndDeleteWorkOnTheFilesInTheProjectsFolder) {
    StartQuillet();
    EXPECT_EQ(title(), L"Quillet (default.ql)") << "a first start names the project it will save";
    EXPECT_FALSE(testkit::FileExists(projectsFolder() + L"default.ql")) << "nothing is written until saved";

    // Save writes default.ql straight away; the status then goes back to "Ready" after 1.5 s.
    SetRow(1, L"alpha");
    SetRow(2, L"beta");
    ASSERT_TRUE(FileMenu('S'));
    ASSERT_TRUE(WaitForStatus(L"Project has been saved"));
    const auto shown = std::chrono::steady_clock::now();
    ASSERT_TRUE(WaitForStatus(L"Ready", 4000));
    const auto restoredMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - shown).count();
    EXPECT_GE(restoredMs, 1200);
    EXPECT_LE(restoredMs, 2500);
    const auto saved = ProjectEntries(projectsFolder() + L"default.ql");
    EXPECT_EQ(saved.size(), 31u);
    EXPECT_EQ(saved.count("ql.ini"), 1u);
    EXPECT_EQ(saved.at("clip1.dat"), "alpha\r\n");
    EXPECT_EQ(saved.at("clip2.dat"), "beta\r\n");

    // Save as: the dialog opens in the projects folder; the project takes the new name.
    SetRow(1, L"gamma");
    SaveAs(L"second.ql");
    EXPECT_TRUE(WaitForStatus(L"Project saved"));
    EXPECT_TRUE(WaitForTitle(L"Quillet (second.ql)"));
    EXPECT_EQ(FirstClipData(projectsFolder() + L"second.ql"), "gamma\r\n");
    EXPECT_EQ(FirstClipData(projectsFolder() + L"default.ql"), "alpha\r\n") << "the old file stays as it was";

    // Save as onto an existing file asks first; No leaves it alone.
    SetRow(1, L"delta");
    ASSERT_TRUE(FileMenu(kSaveAs));
    ASSERT_TRUE(AnswerFileDialog(quillet_, L"Save Quillet Project", L"default.ql"));
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDNO), L"Do you want overwrite default.ql?");
    EXPECT_EQ(FirstClipData(projectsFolder() + L"default.ql"), "alpha\r\n");
    EXPECT_EQ(title(), L"Quillet (second.ql)");

    // New: "delta" is still unsaved, so it asks; No drops it and the rows are emptied.
    ASSERT_TRUE(FileMenu('N'));
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDNO), kChangesQuestion);
    EXPECT_TRUE(WaitForTitle(L"Quillet (new project)"));
    EXPECT_TRUE(WaitForRow(2, kEmptyMarker));
    EXPECT_EQ(FirstClipData(projectsFolder() + L"second.ql"), "gamma\r\n");

    // Load: a file that is not there is refused and the dialog comes again; then the real one loads.
    ASSERT_TRUE(FileMenu('L'));
    ASSERT_TRUE(AnswerFileDialog(quillet_, L"Load Quillet Project", L"missing.ql"));
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDOK), L"The specified file does not exists.");
    ASSERT_TRUE(AnswerFileDialog(quillet_, L"Load Quillet Project", L"default.ql"));
    EXPECT_TRUE(WaitForTitle(L"Quillet (default.ql)"));
    EXPECT_TRUE(WaitForRow(1, L"alpha"));
    EXPECT_TRUE(WaitForRow(2, L"beta"));

    // Delete asks, removes the file and leaves a new project.
    ASSERT_TRUE(FileMenu('D'));
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDYES), L"Do you really want to delete project default.ql?");
    EXPECT_TRUE(WaitForTitle(L"Quillet (new project)"));
    EXPECT_FALSE(testkit::FileExists(projectsFolder() + L"default.ql"));
    EXPECT_TRUE(testkit::FileExists(projectsFolder() + L"second.ql"));
    EXPECT_TRUE(WaitForRow(2, kEmptyMarker));

    // A project that was never saved cannot be deleted.
    ASSERT_TRUE(FileMenu('D'));
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDOK),
              L"You can't delete unsaved project. If you want a new project, use New Project menu item.");
}

TEST_F(Projects, UnsavedChangesAreSavedOnYesDroppedOnNoAndKeptWhenTheSaveIsCancelled) {
    StartQuillet();

    // Yes saves the project under its name before New goes on.
    SetRow(1, L"keep me");
    ASSERT_TRUE(FileMenu('N'));
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDYES), kChangesQuestion);
    EXPECT_TRUE(WaitForTitle(L"Quillet (new project)"));
    EXPECT_EQ(FirstClipData(projectsFolder() + L"default.ql"), "keep me\r\n");

    // No drops the change: the loaded file shows what was saved.
    SetRow(1, L"drop me");
    ASSERT_TRUE(FileMenu('L'));
    ASSERT_TRUE(AnswerFileDialog(quillet_, L"Load Quillet Project", L"default.ql"));
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDNO), kChangesQuestion);
    EXPECT_TRUE(WaitForTitle(L"Quillet (default.ql)"));
    EXPECT_TRUE(WaitForRow(1, L"keep me"));

    // Yes for a project that has no file yet asks for one; cancelling that keeps the project and its change.
    ASSERT_TRUE(FileMenu('N'));
    ASSERT_TRUE(WaitForTitle(L"Quillet (new project)")) << "no change, no question";
    SetRow(1, L"precious");
    ASSERT_TRUE(FileMenu('N'));
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDYES), kChangesQuestion);
    HWND saveDialog = WaitForProgramDialog(quillet_, L"Save Quillet Project");
    ASSERT_NE(saveDialog, nullptr);
    testkit::PressButton(saveDialog, IDCANCEL);
    ASSERT_TRUE(winkit::WaitUntil([&] { return !::IsWindowVisible(saveDialog); }, kActTimeout));
    EXPECT_TRUE(WaitForRow(1, L"precious"));
    EXPECT_TRUE(NoBoxShown());
    // Still unsaved: the next New asks again.
    ASSERT_TRUE(FileMenu('N'));
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDNO), kChangesQuestion);
    EXPECT_TRUE(WaitForRow(2, kEmptyMarker));

    // Deleting a changed project deletes it: its changes are not offered for saving back into the file.
    Load(L"default.ql");
    ASSERT_TRUE(WaitForRow(1, L"keep me"));
    SetRow(1, L"changed, then deleted");
    ASSERT_TRUE(FileMenu('D'));
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDYES), L"Do you really want to delete project default.ql?");
    EXPECT_TRUE(WaitForTitle(L"Quillet (new project)")) << "no save question came between";
    EXPECT_TRUE(NoBoxShown());
    EXPECT_FALSE(testkit::FileExists(projectsFolder() + L"default.ql"));
}

TEST_F(Projects, TheExitingSettingDecidesWhatHappensToUnsavedChangesAtExit) {
    const std::wstring file = projectsFolder() + L"default.ql";

    // 0: nothing is asked and nothing saved.
    PrepareSettings({{L"Exiting", L"0"}});
    StartQuillet();
    SetRow(1, L"never saved");
    ExitByMenu();
    EXPECT_TRUE(quillet_.WaitForExit(kExitTimeout)) << "a question held the exit up";
    EXPECT_FALSE(testkit::FileExists(file));

    // 1: the question; Yes saves.
    WriteSetting(L"Quillet", L"Exiting", L"1");
    StartQuillet();
    SetRow(1, L"saved on yes");
    ExitByMenu();
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDYES),
              L"There are some unsaved changes in current Quillet project. Would you like to save them?");
    EXPECT_TRUE(quillet_.WaitForExit(kExitTimeout));
    EXPECT_EQ(FirstClipData(file), "saved on yes\r\n");

    // 2: saved without a question; the next start opens what was saved.
    WriteSetting(L"Quillet", L"Exiting", L"2");
    StartQuillet();
    EXPECT_TRUE(WaitForRow(1, L"saved on yes"));
    SetRow(1, L"saved silently");
    ExitByMenu();
    EXPECT_TRUE(quillet_.WaitForExit(kExitTimeout)) << "a question held the exit up";
    EXPECT_EQ(FirstClipData(file), "saved silently\r\n");

    // Without a change nothing is asked whatever the setting says.
    WriteSetting(L"Quillet", L"Exiting", L"1");
    StartQuillet();
    EXPECT_TRUE(WaitForRow(1, L"saved silently"));
    ExitByMenu();
    EXPECT_TRUE(quillet_.WaitForExit(kExitTimeout));
}

TEST_F(Projects, RecentEntriesOpenFromTheMenuAndToolbarAndADeletedOneDropsOut) {
    PrepareFiveRecentProjects();
    StartQuillet();
    // Start-up found no default project file: the new project takes no place in the list.
    EXPECT_EQ(RecentNames(), (std::vector<std::wstring>{L"p1.ql", L"p2.ql", L"p3.ql", L"p4.ql", L"p5.ql"}));
    for (int k = 1; k <= 5; ++k)
        EXPECT_TRUE(RecentButtonEnabled(k)) << k;

    // Toolbar button 13 opens entry 3; opening an entry does not move it.
    ClickToolbarButton(13);
    EXPECT_TRUE(WaitForTitle(L"Quillet (p3.ql)"));
    EXPECT_TRUE(WaitForRow(1, L"project 3"));
    EXPECT_EQ(RecentNames(), (std::vector<std::wstring>{L"p1.ql", L"p2.ql", L"p3.ql", L"p4.ql", L"p5.ql"}));

    // File > Recent Projects, entry 5.
    ASSERT_TRUE(FileMenu(RecentEntryKeys(5)));
    EXPECT_TRUE(WaitForTitle(L"Quillet (p5.ql)"));
    EXPECT_TRUE(WaitForRow(1, L"project 5"));

    // Loading a listed project through the dialog moves it to the top.
    Load(L"p4.ql");
    EXPECT_TRUE(WaitForTitle(L"Quillet (p4.ql)"));
    EXPECT_EQ(RecentNames(), (std::vector<std::wstring>{L"p4.ql", L"p1.ql", L"p2.ql", L"p3.ql", L"p5.ql"}));

    // A file deleted behind the program's back: opening its entry says so, the entry drops out, the ones
    // below move up and the last button goes grey; the open project stays.
    ASSERT_TRUE(::DeleteFileW((projectsFolder() + L"p2.ql").c_str()));
    ClickToolbarButton(13);
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet - Error", IDOK), L"Sorry, this project were deleted.");
    EXPECT_TRUE(winkit::WaitUntil([&] { return !RecentButtonEnabled(5); }, kActTimeout));
    EXPECT_EQ(RecentNames(), (std::vector<std::wstring>{L"p4.ql", L"p1.ql", L"p3.ql", L"p5.ql", L""}));
    EXPECT_TRUE(RecentButtonEnabled(4));
    EXPECT_EQ(title(), L"Quillet (p4.ql)");
    EXPECT_EQ(Text(row(1)), L"project 4");

    // The entries that moved up open what they now name.
    ASSERT_TRUE(FileMenu(RecentEntryKeys(3)));
    EXPECT_TRUE(WaitForTitle(L"Quillet (p3.ql)"));
    EXPECT_TRUE(WaitForRow(1, L"project 3"));
}

TEST_F(Projects, SavingAsNewFilesFillsTheListNewestFirstAndDeletingDropsTheEntry) {
    PrepareFiveRecentProjects();
    StartQuillet();
    ASSERT_TRUE(FileMenu('N'));
    ASSERT_TRUE(WaitForTitle(L"Quillet (new project)"));

    // A new file goes first; with five listed the oldest drops out.
    SetRow(1, L"first new");
    SaveAs(L"q1.ql");
    ASSERT_TRUE(WaitForTitle(L"Quillet (q1.ql)"));
    EXPECT_EQ(RecentNames(), (std::vector<std::wstring>{L"q1.ql", L"p1.ql", L"p2.ql", L"p3.ql", L"p4.ql"}));
    SetRow(1, L"second new");
    SaveAs(L"q2.ql");
    ASSERT_TRUE(WaitForTitle(L"Quillet (q2.ql)"));
    EXPECT_EQ(RecentNames(), (std::vector<std::wstring>{L"q2.ql", L"q1.ql", L"p1.ql", L"p2.ql", L"p3.ql"}));

    // Saving as a listed file moves it up from where it stood.
    SaveAs(L"p2.ql");
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDYES), L"Do you want overwrite p2.ql?");
    ASSERT_TRUE(WaitForTitle(L"Quillet (p2.ql)"));
    EXPECT_EQ(RecentNames(), (std::vector<std::wstring>{L"p2.ql", L"q2.ql", L"q1.ql", L"p1.ql", L"p3.ql"}));
    EXPECT_EQ(FirstClipData(projectsFolder() + L"p2.ql"), "second new\r\n");

    // Deleting the open project removes it from the list; the last button goes grey.
    ASSERT_TRUE(FileMenu('D'));
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDYES), L"Do you really want to delete project p2.ql?");
    ASSERT_TRUE(WaitForTitle(L"Quillet (new project)"));
    EXPECT_EQ(RecentNames(), (std::vector<std::wstring>{L"q2.ql", L"q1.ql", L"p1.ql", L"p3.ql", L""}));
    EXPECT_FALSE(RecentButtonEnabled(5));
    EXPECT_TRUE(RecentButtonEnabled(4));
}

TEST_F(Projects, MakeDefaultOpensTheProjectFromTheToolbarAndAtTheNextStart) {
    PrepareSettings();
    StartQuillet();
    SetRow(1, L"mine");
    SaveAs(L"mine.ql");
    ASSERT_TRUE(WaitForTitle(L"Quillet (mine.ql)"));

    // No leaves the settings alone; Yes stores the project as the default.
    ASSERT_TRUE(FileMenu('M'));
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDNO),
              L"Do you really want to make this project default?\r\n\r\nNext time when you start Quillet, this project "
              L"will be loaded.");
    EXPECT_EQ(Setting(L"Quillet", L"DefaultProjectName"), L"");
    ASSERT_TRUE(FileMenu('M'));
    EXPECT_FALSE(AnswerBox(quillet_, L"Quillet", IDYES).empty());
    // The name and the folder are written one after the other.
    EXPECT_TRUE(winkit::WaitUntil(
        [&] {
            return Setting(L"Quillet", L"DefaultProjectName") == L"mine.ql" &&
                   Setting(L"Quillet", L"DefaultProjectPath") == projectsFolder();
        },
        kActTimeout))
        << Setting(L"Quillet", L"DefaultProjectPath");

    // The toolbar's "Load default project" opens it, offering unsaved changes for saving first.
    ASSERT_TRUE(FileMenu('N'));
    ASSERT_TRUE(WaitForTitle(L"Quillet (new project)"));
    SetRow(1, L"scratch");
    ClickToolbarButton(16);
    EXPECT_EQ(AnswerBox(quillet_, L"Quillet", IDNO), kChangesQuestion);
    EXPECT_TRUE(WaitForTitle(L"Quillet (mine.ql)"));
    EXPECT_TRUE(WaitForRow(1, L"mine"));

    // And the next start opens it.
    ExitByMenu();
    ASSERT_TRUE(quillet_.WaitForExit(kExitTimeout));
    StartQuillet();
    EXPECT_TRUE(WaitForTitle(L"Quillet (mine.ql)"));
    EXPECT_TRUE(WaitForRow(1, L"mine"));
    EXPECT_EQ(RecentNames()[0], L"mine.ql");
}

} // namespace
