// The rich-text box's source on a real rich edit: every character survives writing and reading back,
// from the whole box and from a selection, and writing leaves the box as the user left it.
#include "app/editor/RichTextBox.h"
#include "winkit/Window.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quillet;

namespace {

class RichRtfTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(winkit::RegisterWindowClass(L"QuilletRichRtfTestHost"));
        ASSERT_TRUE(
            host_.Create(L"QuilletRichRtfTestHost", L"Rich text", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 500, 300));
        box_ = NewBox();
        copy_ = NewBox();
    }
    void TearDown() override { host_.Destroy(); }

    HWND NewBox() {
        HWND box = ::CreateWindowExW(0, RichEditClassName(), L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 480, 120,
                                     host_.hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::SendMessageW(box, EM_EXLIMITTEXT, 0, 100000);
        return box;
    }
    // What another box shows of a source.
    std::wstring ReadBack(const std::string& rtf) {
        EXPECT_TRUE(SetRichRtf(copy_, rtf)) << rtf;
        return RichPlainText(copy_);
    }
    void Select(long from, long to) {
        CHARRANGE range{from, to};
        ::SendMessageW(box_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }

    winkit::Window host_;
    HWND box_ = nullptr;
    HWND copy_ = nullptr;
};

std::wstring Letters(std::wstring text) {
    text.erase(
        std::remove_if(text.begin(), text.end(), [](wchar_t c) { return c == L'\t' || c == L'\r' || c == L'\n'; }),
        text.end());
    return text;
}

} // namespace

TEST_F(RichRtfTest, EveryCharacterSurvivesAndTheBoxStaysAsItWas) {
    // Letters the ANSI code page only approximates (ř, ť, č, ů, ň), some it holds (í, š, ž, ý), others it
    // lacks (Japanese), in two paragraphs with a bold run.
    const std::wstring text =
        L"P\u0159\u00EDli\u0161 \u017Elu\u0165ou\u010Dk\u00FD k\u016F\u0148\r\n\u65E5\u672C\u8A9E "
        L"{braces} \\ end";
    SetRichText(box_, text);
    Select(3, 8);
    SetSelectionEffect(box_, CFM_BOLD, true);
    ::SendMessageW(box_, EM_EMPTYUNDOBUFFER, 0, 0);
    Select(2, 12);

    const std::string whole = RichRtf(box_);
    EXPECT_EQ(ReadBack(whole), text) << whole;
    EXPECT_NE(whole.find("\\b"), std::string::npos) << "the formatting stays in the source";
    const std::string selected = RichRtf(box_, true);
    EXPECT_EQ(ReadBack(selected), text.substr(2, 10)) << selected;

    // Writing changed nothing the user could see or undo.
    CHARRANGE range{};
    ::SendMessageW(box_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.cpMin, 2);
    EXPECT_EQ(range.cpMax, 12);
    EXPECT_FALSE(::SendMessageW(box_, EM_CANUNDO, 0, 0));
    EXPECT_EQ(RichPlainText(box_), text);
}

TEST_F(RichRtfTest, ASourceWithATableStillKeepsEveryCharacter) {
    // A table (as pasted from a word processor) is a construct whose text the source's reading does not
    // follow: the characters are then kept by the box's own character sets.
    ASSERT_TRUE(SetRichRtf(box_, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\f0 \\u345?ada\\par"
                                 "\\trowd\\cellx2000\\cellx4000\\pard\\intbl \\u269?a\\cell \\u367?b\\cell\\row "
                                 "\\pard k\\u367?\\u328?\\par}"));
    const std::wstring shown = RichPlainText(box_);
    ASSERT_NE(shown.find(L"\u0159ada"), std::wstring::npos) << "the box read the source";
    // The table itself does not come back from this control's source, its letters do.
    EXPECT_EQ(Letters(ReadBack(RichRtf(box_))), Letters(shown));
}
