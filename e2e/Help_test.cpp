// Help in the real program: the first start offers the quick overview once, the Help menu opens the
// guide, and the system's help viewer shows the help file our build writes.
#include "e2e/ClipWindowDriver.h"
#include "testkit/Files.h"
#include "winkit/TextConv.h"

using namespace e2e;

namespace {

const wchar_t kViewerClass[] = L"MS_WINHELP";
const wchar_t kQuestion[] = L"Would you like to see quick overview? Recommended!";

std::vector<HWND> ViewerWindows() {
    std::vector<HWND> found;
    for (HWND w = ::FindWindowExW(nullptr, nullptr, kViewerClass, nullptr); w;
         w = ::FindWindowExW(nullptr, w, kViewerClass, nullptr))
        found.push_back(w);
    return found;
}

// The text a visible viewer window shows in its text pane (read across processes with WM_GETTEXT).
std::wstring ShownHelpText() {
    std::wstring all;
    for (HWND viewer : ViewerWindows()) {
        if (!::IsWindowVisible(viewer))
            continue;
        for (HWND child = ::FindWindowExW(viewer, nullptr, nullptr, nullptr); child;
             child = ::FindWindowExW(viewer, child, nullptr, nullptr)) {
            if (testkit::ClassName(child).find(L"RichEdit") == std::wstring::npos)
                continue;
            wchar_t text[4096] = {};
            ::SendMessageTimeoutW(child, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                                  nullptr);
            all += text;
        }
    }
    return all;
}

bool ViewerShowsTopicStartingWith(const std::wstring& title) {
    return winkit::WaitUntil([&] { return ShownHelpText().rfind(title, 0) == 0; }, kStartTimeout);
}

bool NoViewerVisible() {
    return winkit::WaitUntil(
        [] {
            for (HWND viewer : ViewerWindows())
                if (::IsWindowVisible(viewer))
                    return false;
            return true;
        },
        kExitTimeout);
}

bool QuestionShowing(DWORD processId) {
    for (HWND box : testkit::TopLevelWindows(processId, L"#32770"))
        if (::IsWindowVisible(box) && testkit::ReadDialog(box).text == kQuestion)
            return true;
    return false;
}

class Help : public ClipWindowTest {
protected:
    void SetUp() override {
        // The help files travel with the program, as the build writes them beside it.
        for (const wchar_t* name : {L"help.hlp", L"help.html"})
            ASSERT_TRUE(
                ::CopyFileW((testkit::ExecutableFolder() + name).c_str(), (quillet_.folder() + name).c_str(), FALSE))
                << "the build writes " << winkit::ToUtf8(name) << " beside the programs";
    }
    void TearDown() override {
        // A viewer left from a failed step must not outlive the test.
        for (HWND viewer : ViewerWindows())
            ::PostMessageW(viewer, WM_CLOSE, 0, 0);
    }
    void EndQuillet() {
        HWND mainForm = quillet_.WaitForWindow(L"QuilletMainForm", kActTimeout);
        ASSERT_NE(mainForm, nullptr);
        ::PostMessageW(mainForm, WM_CLOSE, 0, 0);
        ASSERT_TRUE(quillet_.WaitForExit(kExitTimeout));
    }
};

} // namespace

TEST_F(Help, TheFirstStartOffersTheOverviewOnceAndTheHelpMenuOpensTheGuide) {
    ASSERT_FALSE(testkit::FileExists(settingsFile()));
    ASSERT_TRUE(quillet_.Start());
    HWND question = testkit::WaitForDialog(quillet_.processId(), L"Quillet", kStartTimeout);
    ASSERT_NE(question, nullptr) << "the first start asks about the overview";
    EXPECT_EQ(testkit::ReadDialog(question).text, kQuestion);
    testkit::PressButton(question, IDYES);
    EXPECT_TRUE(ViewerShowsTopicStartingWith(L"Quick overview")) << "shown: " << winkit::ToUtf8(ShownHelpText());

    window_ = quillet_.WaitForWindow(ids::kClassName, kStartTimeout);
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(winkit::WaitUntil([this] { return ::IsWindowVisible(window_) != FALSE; }, kStartTimeout));
    // Ending the program closes the help file, and with it the viewer's window.
    EndQuillet();
    EXPECT_TRUE(NoViewerVisible());

    // Every later start goes straight to the window: the question was asked once.
    StartQuillet();
    EXPECT_FALSE(QuestionShowing(quillet_.processId()));
    ASSERT_TRUE(BringToFront(window_));
    ASSERT_TRUE(MenuKeys(window_, 'H', 'H')) << "the Help menu did not open";
    EXPECT_TRUE(ViewerShowsTopicStartingWith(L"Contents")) << "shown: " << winkit::ToUtf8(ShownHelpText());
    EXPECT_NE(ShownHelpText().find(L"Quick overview"), std::wstring::npos) << "the contents list the overview";
    EndQuillet();
    EXPECT_TRUE(NoViewerVisible());
}
