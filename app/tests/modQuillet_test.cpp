#include "app/projects/modQuillet.h"

#include "FakeProjectView.h"
#include "app/shell/modInitialization.h"
#include "app/shell/modSettings.h"
#include "ClipboardTestKit.h"
#include "testkit/Files.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace quillet;

namespace {

struct RecordingRecentView : RecentListView {
    std::array<RecentEntry, kRecentCount> shown;
    void ShowRecentEntry(int k, const RecentEntry& entry) override { shown[static_cast<std::size_t>(k - 1)] = entry; }
    std::vector<std::wstring> names() const {
        std::vector<std::wstring> n;
        for (const auto& e : shown)
            n.push_back(e.name);
        return n;
    }
};

class RecentList : public ::testing::Test {
protected:
    void SetUp() override {
        AppFolder = program_.path();
        SettingsFile = program_.path() + L"settings.ini";
        TempFolder = program_.path() + L"temp\\";
        ::CreateDirectoryW(TempFolder.c_str(), nullptr);
        ASSERT_TRUE(CreateDefaultSettings(false));
    }
    // An existing file in folder a or b.
    std::wstring Project(const wchar_t* name, bool second = false) {
        const std::wstring folder = second ? b_.path() : a_.path();
        std::ofstream((folder + name).c_str()) << "x";
        return folder;
    }
    void Add(const wchar_t* name, bool second = false) { AddRecent(name, Project(name, second), view_); }
    testkit::TempFolder program_, a_, b_;
    RecordingRecentView view_;
};

} // namespace

TEST_F(RecentList, NewestFirstAndASixthDropsTheOldest) {
    for (const wchar_t* n : {L"1.ql", L"2.ql", L"3.ql"})
        Add(n);
    EXPECT_EQ(view_.names(), (std::vector<std::wstring>{L"3.ql", L"2.ql", L"1.ql", L"", L""}));
    EXPECT_EQ(view_.shown[0].path, a_.path());
    for (const wchar_t* n : {L"4.ql", L"5.ql", L"6.ql"})
        Add(n);
    EXPECT_EQ(view_.names(), (std::vector<std::wstring>{L"6.ql", L"5.ql", L"4.ql", L"3.ql", L"2.ql"}));
    EXPECT_EQ(ReadSetting(L"Quillet", L"RecentProject5Name"), L"2.ql");
}

TEST_F(RecentList, AListedProjectMovesToTheTopAndTheRestKeepTheirPlaces) {
    for (const wchar_t* n : {L"e.ql", L"d.ql", L"c.ql", L"b.ql", L"a.ql"})
        Add(n);
    Add(L"c.ql"); // entry 3
    EXPECT_EQ(view_.names(), (std::vector<std::wstring>{L"c.ql", L"a.ql", L"b.ql", L"d.ql", L"e.ql"}));
    // The same name in another folder is another project.
    Add(L"c.ql", true);
    EXPECT_EQ(view_.names(), (std::vector<std::wstring>{L"c.ql", L"c.ql", L"a.ql", L"b.ql", L"d.ql"}));
    EXPECT_EQ(view_.shown[0].path, b_.path());
    EXPECT_EQ(view_.shown[1].path, a_.path());
}

TEST_F(RecentList, DeletedFilesDropOutAndTheEntriesBelowMoveUp) {
    for (const wchar_t* n : {L"1.ql", L"2.ql", L"3.ql", L"4.ql"})
        Add(n);
    ASSERT_TRUE(::DeleteFileW((a_.path() + L"3.ql").c_str()));
    ASSERT_TRUE(::DeleteFileW((a_.path() + L"1.ql").c_str()));
    LoadRecentList(view_);
    EXPECT_EQ(view_.names(), (std::vector<std::wstring>{L"4.ql", L"2.ql", L"", L"", L""}));
    EXPECT_EQ(ReadSetting(L"Quillet", L"RecentProject2Name"), L"2.ql");
    EXPECT_EQ(ReadSetting(L"Quillet", L"RecentProject3Name"), L"");
    EXPECT_EQ(ReadSetting(L"Quillet", L"RecentProject4Path"), L"");
}

TEST_F(RecentList, OpeningAnEntryWhoseFileWentAwayReportsItAndDropsIt) {
    Add(L"gone.ql");
    Add(L"kept.ql");
    ASSERT_TRUE(::DeleteFileW((a_.path() + L"gone.ql").c_str()));
    ClipProject project;
    FakeProjectView projectView;
    std::vector<testkit::DialogContents> boxes =
        apptest::AnsweringDialogs([&] { OpenRecent(2, project, projectView, view_); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Sorry, this project were deleted.");
    EXPECT_EQ(view_.names(), (std::vector<std::wstring>{L"kept.ql", L"", L"", L"", L""}));
    EXPECT_EQ(project.ProjectName, L"Blank");
}
