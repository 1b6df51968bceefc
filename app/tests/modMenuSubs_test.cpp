#include "app/menu/modMenuSubs.h"

#include "app/menu/modStrings.h"
#include "app/shell/modInitialization.h"
#include "app/tests/ClipboardTestKit.h"
#include "app/tests/SettingsFixture.h"
#include "testkit/Files.h"

#include <gtest/gtest.h>

using namespace apptest;
using namespace quillet;

namespace {

// Puts `text` on the clipboard, runs the action as the menu would, and hands back the boxes shown.
std::vector<testkit::DialogContents> RunOn(const std::wstring& text, const std::function<void()>& action) {
    EXPECT_TRUE(PutClipboardText(text));
    return AnsweringDialogs(action);
}

std::wstring Transformed(const std::wstring& text, const std::function<void()>& action) {
    const auto boxes = RunOn(text, action);
    EXPECT_TRUE(boxes.empty()) << (boxes.empty() ? "" : winkit::ToUtf8(boxes[0].text));
    return ClipboardUnicodeText();
}

std::wstring Repeat(const std::wstring& piece, std::size_t times) {
    std::wstring out;
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

class TextActions : public ::testing::Test {
protected:
    void SetUp() override {
        savedTemp_ = TempFolder;
        TempFolder = temp_.path() + L"temp\\";
    }
    void TearDown() override {
        TempFolder = savedTemp_;
        SetMenuStatusHook(nullptr);
    }

    testkit::TempFolder temp_;
    std::wstring savedTemp_;
};

} // namespace

TEST_F(TextActions, CaseConversionsUseThePlatformsLetters) {
    EXPECT_EQ(Transformed(L"Příliš ŽLUŤOUČKÝ kůň", mnuToLowerCase), L"příliš žluťoučký kůň");
    EXPECT_EQ(Transformed(L"Příliš žluťoučký kůň, кошка", mnuToUpperCase), L"PŘÍLIŠ ŽLUŤOUČKÝ KŮŇ, КОШКА");
    EXPECT_EQ(Transformed(L"příliš ŽLUŤOUČKÝ kůň", mnuProperCase), L"Příliš Žluťoučký Kůň");
}

TEST_F(TextActions, RemoveDiacriticsWhateverTheCodePage) {
    EXPECT_EQ(Transformed(L"Příliš žluťoučký kůň", mnuRemoveDiacritics), L"Prilis zlutoucky kun");
    EXPECT_EQ(Transformed(L"ŽLUŤOUČKÝ", mnuRemoveDiacritics), L"ZLUTOUCKY");
}

TEST_F(TextActions, ReverseTextKeepsLineBreaks) {
    EXPECT_EQ(Transformed(L"ab\r\ncd", mnuReverse), L"dc\r\nba");
}

TEST_F(TextActions, ReverseCaseAndZigZag) {
    EXPECT_EQ(Transformed(L"Hello 123", mnuReverseCase), L"hELLO 123");
    EXPECT_EQ(Transformed(L"hello world", mnuZigZagCase), L"HeLlO WoRlD");
}

TEST_F(TextActions, ReverseCaseTransformsTextsOfAnyLength) {
    EXPECT_EQ(Transformed(Repeat(L"aB", 20000), mnuReverseCase), Repeat(L"Ab", 20000));
}

TEST_F(TextActions, MakeSentencesFollowsTheKeepCapitalsSetting) {
    const std::wstring text = L"  hello world. how ARE you  ";
    EXPECT_EQ(Transformed(text, [] { mnuSentences(true); }), L"Hello world. How ARE you.");
    EXPECT_EQ(Transformed(text, [] { mnuSentences(false); }), L"Hello world. How are you.");
    EXPECT_EQ(Transformed(L"hi: there", [] { mnuSentences(true); }), L"Hi: There.");
}

TEST_F(TextActions, ASingleBlankIsTooShortForTheSentenceAndCaseGames) {
    for (auto action : {std::function<void()>([] { mnuSentences(true); }), std::function<void()>(mnuZigZagCase),
                        std::function<void()>(mnuReverseCase)}) {
        const auto boxes = RunOn(L" ", action);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].title, L"Quillet");
        EXPECT_EQ(boxes[0].text, L"Text is too short or it does not contain any letters!");
        EXPECT_EQ(boxes[0].icon, ::LoadIconW(nullptr, IDI_EXCLAMATION));
        EXPECT_EQ(ClipboardUnicodeText(), L" ");
    }
}

TEST_F(TextActions, RemoveDiacriticsOnAnEmptyClipboardChangesNothing) {
    // A clipboard holding only a picture has no text: the picture stays.
    winkit::ScopedGdiObject bitmap(::CreateBitmap(2, 2, 1, 32, nullptr));
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    if (::SetClipboardData(CF_BITMAP, bitmap.get()))
        bitmap.release();
    ::CloseClipboard();
    ASSERT_TRUE(ClipboardHas(CF_BITMAP));

    const auto boxes = AnsweringDialogs(mnuRemoveDiacritics);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Clipboard is empty!");
    EXPECT_EQ(boxes[0].icon, ::LoadIconW(nullptr, IDI_INFORMATION));
    EXPECT_TRUE(ClipboardHas(CF_BITMAP));
    EXPECT_FALSE(ClipboardHas(CF_UNICODETEXT));
}

TEST_F(TextActions, LongLfOnlyTextGoesThroughTheTemporaryFiles) {
    const std::wstring line = L"Příliš žluťoučký kůň úpěl ďábelské ódy\n";
    const std::wstring text = Repeat(line, 30000 / line.size() + 1);
    ASSERT_GT(text.size(), 30000u);
    const std::wstring expected = Repeat(L"Prilis zlutoucky kun upel dabelske ody\n", 30000 / line.size() + 1);

    EXPECT_EQ(Transformed(text, mnuRemoveDiacritics), expected);
    EXPECT_TRUE(testkit::FolderExists(TempFolder));
    EXPECT_FALSE(testkit::FileExists(TempFolder + kDiacriticsInputFile));
    EXPECT_FALSE(testkit::FileExists(TempFolder + kDiacriticsOutputFile));
}

TEST_F(TextActions, LongTextLineEndsComeBackAsCrLf) {
    // Lone CRs become CR LF, a lone LF stays, a final CR LF survives.
    const std::wstring text = Repeat(L"ř\r", 7000) + Repeat(L"ž\r\n", 7000) + Repeat(L"š\n", 7000);
    const std::wstring expected = Repeat(L"r\r\n", 7000) + Repeat(L"z\r\n", 7000) + Repeat(L"s\n", 7000);
    EXPECT_EQ(Transformed(text, mnuRemoveDiacritics), expected);
}

TEST_F(TextActions, AFailingTransformReportsAndLeavesTheClipboard) {
    // A file where the temp folder should be: the long path cannot write its files.
    testkit::TempFolder blocker;
    const std::wstring notAFolder = blocker.path() + L"temp";
    winkit::ScopedFile(::CreateFileW(notAFolder.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_TRUE(testkit::FileExists(notAFolder));
    TempFolder = notAFolder + L"\\";

    const std::wstring text = Repeat(L"ž", 20001);
    const auto boxes = RunOn(text, mnuRemoveDiacritics);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, L"Quillet - Error");
    EXPECT_EQ(boxes[0].text.rfind(L"Unable to remove diacritics.\r\n\r\nError number: ", 0), 0u)
        << winkit::ToUtf8(boxes[0].text);
    EXPECT_EQ(ClipboardUnicodeText(), text);
}

TEST_F(TextActions, ExactlyTheLimitStaysInMemory) {
    // At the limit the lone CRs stay lone CRs: the in-memory routine keeps line ends as they are.
    const std::wstring text = Repeat(L"ě\r", 10000);
    TempFolder.clear();
    EXPECT_EQ(Transformed(text, mnuRemoveDiacritics), Repeat(L"e\r", 10000));
}

TEST_F(TextActions, ProgressGoesToTheStatusHook) {
    std::vector<std::wstring> shown;
    SetMenuStatusHook([&](const std::wstring& text) { shown.push_back(text); });
    EXPECT_EQ(Transformed(L"abc", mnuToUpperCase), L"ABC");
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"Please wait...", L"Ready"}));
}

// The copy items read the paste-after-menu settings, so they run against a fresh settings file.
class CopyItems : public settings_test::SettingsFileTest {
protected:
    void SetUp() override {
        SettingsFileTest::SetUp();
        CreateDefaultSettings(false);
    }
};

TEST_F(CopyItems, DateAndTimeItemsPutTodayOnTheClipboard) {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    EXPECT_TRUE(PutClipboardText(L"before"));
    EXPECT_TRUE(AnsweringDialogs(mnuCopyDate).empty());
    const std::wstring date = ClipboardUnicodeText();
    // Whatever the user's short form, it names the year (in two or four digits) and holds no line break.
    EXPECT_NE(date.find(std::to_wstring(now.wYear % 100)), std::wstring::npos) << winkit::ToUtf8(date);
    EXPECT_EQ(date.find_first_of(L"\r\n"), std::wstring::npos);

    EXPECT_TRUE(AnsweringDialogs(mnuCopyTime).empty());
    const std::wstring time = ClipboardUnicodeText();
    EXPECT_NE(time, date);
    EXPECT_NE(time.find_first_of(L"0123456789"), std::wstring::npos) << winkit::ToUtf8(time);
}

TEST_F(CopyItems, AddressItemsCopyTheirAddress) {
    EXPECT_TRUE(AnsweringDialogs([] { CopyAddress(L"192.168.1.20"); }).empty());
    EXPECT_EQ(ClipboardUnicodeText(), L"192.168.1.20");
}
