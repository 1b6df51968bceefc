// The program ended the hard way while it saves a large project: the project file on disk must be the
// old one or the new one, whole, every time, and the next start must load it.
#include "core/ClipSlot.h"
#include "e2e/ClipWindowDriver.h"
#include "e2e/ProjectBytes.h"
#include "testkit/FileContents.h"

#include <chrono>
#include <thread>

using namespace e2e;

namespace {

constexpr int kLongClips = 20;
constexpr std::size_t kLongClipBytes = 300 * 1024;

// A project of about 6 MB: a one-line text in slot 1, long texts in the slots after it.
std::string LargeProject(const std::wstring& firstClip) {
    return ProjectBytes([&](int n) {
        core::ClipSlot clip;
        clip.text = n == 1 ? firstClip : core::EmptyClipMarker;
        if (n > 1 && n <= 1 + kLongClips) {
            clip.format = core::kFormatTxtLong;
            clip.text = L"long " + std::to_wstring(n);
            std::wstring line = L"line of clip " + std::to_wstring(n) + L" ";
            line.resize(78, L'.');
            while (clip.data.size() < kLongClipBytes)
                clip.data += line + L"\r\n";
        }
        return clip;
    });
}

class ProjectSaveKill : public ClipWindowTest {
protected:
    std::wstring projectFile() const { return projectsFolder() + L"big.ql"; }

    // Starts the program on the project and waits until its first row shows `firstClip`.
    void StartOn(const std::wstring& firstClip) {
        StartQuillet();
        ASSERT_TRUE(WaitForTitle(L"Quillet (big.ql)"));
        ASSERT_TRUE(WaitForRow(1, firstClip)) << "the next start loads the project on disk";
        ASSERT_TRUE(WaitForRow(2, L"long 2"));
    }
    // Sets row 1 and chooses File > Save; returns when the keys are sent.
    void StartSave(const std::wstring& firstClip) {
        SetRow(1, firstClip);
        ASSERT_TRUE(FileMenu('S'));
    }
    // Starts, saves `firstClip` whole and exits; the file then holds what the program writes for it.
    std::string CompleteSave(const std::wstring& loaded, const std::wstring& firstClip, double* ms = nullptr) {
        StartOn(loaded);
        const auto t0 = std::chrono::steady_clock::now();
        StartSave(firstClip);
        EXPECT_TRUE(WaitForStatus(L"Project has been saved", 20000));
        if (ms)
            *ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        quillet_.Kill();
        return testkit::ReadFileBytes(projectFile());
    }
};

TEST_F(ProjectSaveKill, AKillAtAnyMomentOfASaveLeavesTheOldOrTheNewProjectWhole) {
    PrepareSettings({{L"DefaultProjectName", L"big.ql"}, {L"DefaultProjectPath", projectsFolder()}});
    ASSERT_TRUE(::CreateDirectoryW(projectsFolder().c_str(), nullptr));
    ASSERT_TRUE(testkit::WriteFileBytes(projectFile(), LargeProject(L"first")));

    // The two states the file may be in, as the program writes them, and how long a whole save takes.
    double saveMs = 0;
    const std::string savedB = CompleteSave(L"first", L"state B", &saveMs);
    ASSERT_FALSE(HasFatalFailure());
    const std::string savedA = CompleteSave(L"state B", L"state A");
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_GT(savedA.size(), kLongClips * kLongClipBytes);
    ASSERT_NE(savedA, savedB);

    // Kills spread from the key press to past the end of a save.
    constexpr int kMoments = 10;
    std::wstring onDisk = L"state A";
    for (int k = 0; k < kMoments; ++k) {
        const std::wstring next = onDisk == L"state A" ? L"state B" : L"state A";
        StartOn(onDisk);
        ASSERT_FALSE(HasFatalFailure()) << "start " << k;
        StartSave(next);
        // The delay is the moment of the kill, not a wait for anything: the outcome is checked after it.
        std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(saveMs * 1.2 * k / (kMoments - 1)));
        quillet_.Kill();
        const std::string bytes = testkit::ReadFileBytes(projectFile());
        const bool old = bytes == (onDisk == L"state A" ? savedA : savedB);
        const bool fresh = bytes == (next == L"state A" ? savedA : savedB);
        ASSERT_TRUE(old || fresh) << "killed at moment " << k << " of " << kMoments << ": " << bytes.size()
                                  << " bytes are neither the old project nor the new one";
        if (fresh)
            onDisk = next;
    }
    StartOn(onDisk);
}

} // namespace
