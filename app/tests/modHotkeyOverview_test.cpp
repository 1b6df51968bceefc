#include "app/paste/modHotkeyOverview.h"

#include "SettingsFixture.h"
#include "app/paste/modHotkey.h"
#include "app/projects/MainClipWindow.h"
#include "testkit/FileContents.h"
#include "winkit/TextConv.h"

#include <gtest/gtest.h>

using namespace quillet;


// The page for clips 1 and 4 (Ctrl+Alt+"x"), written out by hand from the page's format.
TEST(HotkeyOverviewFile, WritesTheExactPageInTheAnsiCodePage) {
    testkit::TempFolder folder{L"quillet-overview"};
    ClipProject& project = OpenProject();
    project.CleanUp();
    project.PlaceEmptyStrings();
    project.ProjectName = L"Caf\u00E9 <test>.ql";
    project.slot(1).text = L"alpha";
    project.slot(4).text = L"x marks \"the\" spot & more";
    const auto saved = ClipHotkeys;
    ClipHotkeys = {};
    ClipHotkeys[0] = {2, 49, true};
    ClipHotkeys[3] = {3, 88, true};

    const std::wstring path = folder.path() + L"overview.html";
    const std::wstring stampBefore = GeneratedStamp();
    ASSERT_TRUE(WriteHotkeyOverview(path));
    const std::wstring stampAfter = GeneratedStamp();
    ClipHotkeys = saved;
    project.CleanUp();
    project.ProjectName = L"Blank";

    const std::string page = testkit::ReadFileBytes(path);
    const auto expected = [](const std::string& stamp) {
        return std::string("<HTML><HEAD><TITLE>Quillet Hotkeys</TITLE></HEAD><BODY><H3>Quillet Hotkey Overview - "
                           "Caf\xE9 &lt;test&gt;.ql</H3>\r\n"
                           "<TABLE BORDER=2>\r\n"
                           "<TR><TD>Clip #</TD><TD>Clip Name</TD><TD>Clip Hotkey</TD></TR>\r\n"
                           "<TR><TD>1</TD><TD>\r\n"
                           "alpha</TD><TD>\r\n"
                           "Ctrl + 1</TD></TR>\r\n"
                           "<TR><TD>4</TD><TD>\r\n"
                           "x marks &quot;the&quot; spot &amp; more</TD><TD>\r\n"
                           "Alt + Ctrl + X</TD></TR>\r\n"
                           "</TABLE><BR><BR>Generated ") +
               stamp + "\r\n</BODY></HTML>\r\n";
    };
    // The minute may turn while the page is written.
    EXPECT_TRUE(page == expected(winkit::ToAnsi(stampBefore)) || page == expected(winkit::ToAnsi(stampAfter)))
        << page;
}

TEST(HotkeyOverviewFile, AFolderThatCannotTakeTheFileIsReported) {
    bool written = true;
    const auto box = settings_test::AnswerWhile(
        [&] { written = WriteHotkeyOverview(L"Z:\\no\\such\\folder\\x.html"); }, L"Quillet - Error", IDOK);
    EXPECT_FALSE(written);
    ASSERT_TRUE(box.appeared);
    EXPECT_EQ(box.contents.text.rfind(L"Error while saving hotkey overview", 0), 0u);
}
