#include "app/projects/ProjectCommands.h"

#include "FakeProjectView.h"
#include "app/projects/ProjectFile.h"
#include "app/shell/modInitialization.h"
#include "app/shell/modSettings.h"
#include "testkit/Dialogs.h"
#include "testkit/Files.h"

#include <gtest/gtest.h>

#include <fstream>

using quillet::ClipProject;
using testkit::DialogStep;

namespace {

std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class ProjectCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        quillet::AppFolder = program_.path();
        quillet::SettingsFile = program_.path() + L"settings.ini";
        quillet::TempFolder = program_.path() + L"temp\\";
        quillet::ProjectsFolder = program_.path() + L"projects\\";
        ::CreateDirectoryW(quillet::TempFolder.c_str(), nullptr);
        ::CreateDirectoryW(quillet::ProjectsFolder.c_str(), nullptr);
        ASSERT_TRUE(quillet::CreateDefaultSettings(false));
        project_.CleanUp();
    }
    // A saved project with one clip, to load and delete.
    std::wstring SavedProject(const wchar_t* name, const wchar_t* clip) {
        ClipProject p;
        p.CleanUp();
        p.slot(1).text = clip;
        const std::wstring path = documents_.path() + name;
        EXPECT_TRUE(quillet::SaveProject(p, path));
        return path;
    }
    testkit::TempFolder program_;
    testkit::TempFolder documents_;
    ClipProject project_;
    FakeProjectView view_;
};

} // namespace

TEST(ProjectPaths, SplitIntoFolderAndTitle) {
    EXPECT_EQ(quillet::FolderPart(L"C:\\clips\\work.ql"), L"C:\\clips\\");
    EXPECT_EQ(quillet::FileTitle(L"C:\\clips\\work.ql"), L"work.ql");
    EXPECT_EQ(quillet::FolderPart(L"work.ql"), L"");
    EXPECT_EQ(quillet::FileTitle(L"work.ql"), L"work.ql");
}

TEST_F(ProjectCommandsTest, SavingABlankProjectAsksForAFileAndNamesTheProjectAfterIt) {
    project_.slot(1).text = L"first clip";
    project_.ProjectChanged = true;
    const std::wstring path = documents_.path() + L"mine.ql";
    auto user = testkit::AnswerDialogs({DialogStep{L"Save Quillet Project", IDOK, path}});
    quillet::SaveProjectCommand(project_, view_);
    ASSERT_EQ(user.get().size(), 1u);
    EXPECT_TRUE(testkit::FileExists(path));
    EXPECT_EQ(project_.ProjectName, L"mine.ql");
    EXPECT_EQ(project_.ProjectPath, documents_.path());
    EXPECT_FALSE(project_.ProjectChanged);
    EXPECT_EQ(view_.statuses.back(), L"Project saved");
    ASSERT_EQ(view_.recentAdded.size(), 1u);
    EXPECT_EQ(view_.recentAdded[0].first, L"mine.ql");
}

TEST_F(ProjectCommandsTest, SaveAsOverAnExistingFileAsksFirst) {
    const std::wstring path = SavedProject(L"old.ql", L"old content");
    const std::string before = ReadBytes(path);
    project_.slot(1).text = L"new content";

    auto no = testkit::AnswerDialogs(
        {DialogStep{L"Save Quillet Project", IDOK, path}, DialogStep{L"Quillet", IDNO, {}}});
    quillet::SaveProjectAsCommand(project_, view_);
    const auto answers = no.get();
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[1].contents.text, L"Do you want overwrite old.ql?");
    EXPECT_EQ(ReadBytes(path), before) << "No keeps the file";

    auto yes = testkit::AnswerDialogs(
        {DialogStep{L"Save Quillet Project", IDOK, path}, DialogStep{L"Quillet", IDYES, {}}});
    quillet::SaveProjectAsCommand(project_, view_);
    ASSERT_EQ(yes.get().size(), 2u);
    ClipProject loaded;
    ASSERT_TRUE(quillet::LoadProject(loaded, view_, path));
    EXPECT_EQ(loaded.slot(1).text, L"new content");
}

TEST_F(ProjectCommandsTest, LoadingAMissingFileWarnsAndOffersTheDialogAgain) {
    const std::wstring path = SavedProject(L"work.ql", L"hello");
    auto user = testkit::AnswerDialogs({DialogStep{L"Load Quillet Project", IDOK, documents_.path() + L"gone.ql"},
                                        DialogStep{L"Quillet", IDOK, {}},
                                        DialogStep{L"Load Quillet Project", IDOK, path}});
    quillet::LoadProjectCommand(project_, view_);
    const auto answers = user.get();
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_EQ(answers[1].contents.text, L"The specified file does not exists.");
    EXPECT_EQ(project_.ProjectName, L"work.ql");
    EXPECT_EQ(project_.ProjectPath, documents_.path());
    EXPECT_EQ(project_.slot(1).text, L"hello");
    ASSERT_EQ(view_.recentAdded.size(), 1u);
}

TEST_F(ProjectCommandsTest, CancellingTheLoadDialogChangesNothing) {
    project_.slot(1).text = L"keep";
    auto user = testkit::AnswerDialogs({DialogStep{L"Load Quillet Project", IDCANCEL, {}}});
    quillet::LoadProjectCommand(project_, view_);
    ASSERT_EQ(user.get().size(), 1u);
    EXPECT_EQ(project_.slot(1).text, L"keep");
    EXPECT_EQ(project_.ProjectName, L"Blank");
}

TEST_F(ProjectCommandsTest, UnsavedChangesAreOfferedForSavingBeforeNew) {
    const std::wstring path = SavedProject(L"named.ql", L"before");
    project_.ProjectName = L"named.ql";
    project_.ProjectPath = documents_.path();
    project_.slot(1).text = L"changed";
    project_.ProjectChanged = true;
    auto user = testkit::AnswerDialogs({DialogStep{L"Quillet", IDYES, {}}});
    quillet::NewProjectCommand(project_, view_);
    const auto answers = user.get();
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].contents.text,
              L"Warning: You have made unsaved changes in current project. Do you want to save these changes?");
    ClipProject loaded;
    ASSERT_TRUE(quillet::LoadProject(loaded, view_, path));
    EXPECT_EQ(loaded.slot(1).text, L"changed") << "Yes saved the project first";
    EXPECT_EQ(project_.ProjectName, L"Blank");
    EXPECT_EQ(project_.slot(1).text, core::EmptyClipMarker);
    EXPECT_EQ(view_.recentReloads, 1);
}

TEST_F(ProjectCommandsTest, DeletingAsksThenRemovesTheFileAndStartsANewProject) {
    const std::wstring path = SavedProject(L"bye.ql", L"x");
    project_.ProjectName = L"bye.ql";
    project_.ProjectPath = documents_.path();
    auto user = testkit::AnswerDialogs({DialogStep{L"Quillet", IDYES, {}}});
    quillet::DeleteProjectCommand(project_, view_);
    const auto answers = user.get();
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].contents.text, L"Do you really want to delete project bye.ql?");
    EXPECT_FALSE(testkit::FileExists(path));
    EXPECT_EQ(project_.ProjectName, L"Blank");
    EXPECT_GE(view_.recentReloads, 1);
}

TEST_F(ProjectCommandsTest, ABlankProjectCannotBeDeleted) {
    auto user = testkit::AnswerDialogs({DialogStep{L"Quillet", IDOK, {}}});
    quillet::DeleteProjectCommand(project_, view_);
    const auto answers = user.get();
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].contents.text,
              L"You can't delete unsaved project. If you want a new project, use New Project menu item.");
}

TEST_F(ProjectCommandsTest, TheDefaultProjectIsRememberedAndOpenedAtStart) {
    const std::wstring path = SavedProject(L"daily.ql", L"daily clip");
    project_.ProjectName = L"daily.ql";
    project_.ProjectPath = documents_.path();
    auto user = testkit::AnswerDialogs({DialogStep{L"Quillet", IDYES, {}}});
    quillet::MakeDefaultCommand(project_, view_);
    ASSERT_EQ(user.get().size(), 1u);
    EXPECT_EQ(quillet::ReadSetting(L"Quillet", L"DefaultProjectName"), L"daily.ql");
    EXPECT_EQ(quillet::ReadSetting(L"Quillet", L"DefaultProjectPath"), documents_.path());

    ClipProject started;
    quillet::LoadDefaultProject(started, view_);
    EXPECT_EQ(started.slot(1).text, L"daily clip");
    EXPECT_EQ(view_.defaultTip, L"daily.ql");
    ASSERT_FALSE(view_.recentAdded.empty());
    EXPECT_EQ(view_.recentAdded.back().first, L"daily.ql");
}

TEST_F(ProjectCommandsTest, WithoutADefaultTheStartIsANewDefaultProjectInTheProjectsFolder) {
    quillet::WriteSetting(L"Quillet", L"DefaultProjectName", L"missing.ql");
    ClipProject started;
    quillet::LoadDefaultProject(started, view_);
    EXPECT_EQ(started.ProjectName, L"default.ql");
    EXPECT_EQ(started.ProjectPath, quillet::ProjectsFolder);
    EXPECT_EQ(started.slot(2).text, core::EmptyClipMarker);
    EXPECT_FALSE(testkit::FileExists(quillet::ProjectsFolder + L"default.ql")) << "nothing is written until saved";
}
