// The clip editor's hand-back names, size box, status texts and layout.
#include "core/ClipEditorRules.h"

#include <gtest/gtest.h>

using core::ClipNameFor;

namespace {
std::wstring Repeat(wchar_t c, std::size_t n) {
    return std::wstring(n, c);
}
} // namespace

TEST(ClipEditorRules, PlainTextNamesFollowLineBreaksAndLength) {
    // One short line: the text itself, handed back as a simple clip.
    auto r = ClipNameFor(L"txt", L"hello", false, L"", 4);
    EXPECT_EQ(r.name, L"hello");
    EXPECT_TRUE(r.isSimple);
    r = ClipNameFor(L"txt", Repeat(L'a', 100), false, L"", 4);
    EXPECT_EQ(r.name, Repeat(L'a', 100));
    EXPECT_TRUE(r.isSimple);
    // 101 characters on one line: a long clip named by its first 16.
    r = ClipNameFor(L"txt", Repeat(L'b', 101), false, L"", 4);
    EXPECT_EQ(r.name, Repeat(L'b', 16));
    EXPECT_FALSE(r.isSimple);
    // Two lines: the first line, cut to 16, never simple.
    r = ClipNameFor(L"txt", L"abc\r\ndef", false, L"", 4);
    EXPECT_EQ(r.name, L"abc");
    EXPECT_FALSE(r.isSimple);
    EXPECT_EQ(ClipNameFor(L"txt", L"a first line that is long\r\nx", false, L"", 4).name, L"a first line tha");
    // Starting with a line break: named after the slot up to 100 characters, else by the first 16.
    EXPECT_EQ(ClipNameFor(L"txt", L"\r\nsecond", false, L"", 7).name, L"Clip 7");
    EXPECT_EQ(ClipNameFor(L"txt", L"\r\n" + Repeat(L'c', 99), false, L"", 7).name, L"\r\n" + Repeat(L'c', 14));
    // A lone CR or LF is no line break for the naming.
    r = ClipNameFor(L"txt", L"a\rb", false, L"", 1);
    EXPECT_EQ(r.name, L"a\rb");
    EXPECT_TRUE(r.isSimple);
    // Plain-text names are neither prefixed nor cut to 94.
    r = ClipNameFor(L"txt", L"x", true, Repeat(L'n', 120), 1);
    EXPECT_EQ(r.name, Repeat(L'n', 120));
    EXPECT_FALSE(r.isSimple);
    // An empty plain text is a simple empty clip (the main window then empties the slot).
    r = ClipNameFor(L"txt", L"", false, L"", 2);
    EXPECT_EQ(r.name, L"");
    EXPECT_TRUE(r.isSimple);
}

TEST(ClipEditorRules, RichTextAndPictureNamesArePrefixedAndCut) {
    EXPECT_EQ(ClipNameFor(L"rtf", L"Bold words", false, L"", 3).name, L"(RTF) Bold words");
    EXPECT_FALSE(ClipNameFor(L"rtf", L"short", false, L"", 3).isSimple);
    EXPECT_EQ(ClipNameFor(L"rtf", L"Line one\r\nLine two", false, L"", 3).name, L"(RTF) Line one");
    // A leading line break: up to 16 characters the slot name, else the first 16 characters.
    EXPECT_EQ(ClipNameFor(L"rtf", L"\r\n12345678901234", false, L"", 3).name, L"(RTF) Clip 3");
    EXPECT_EQ(ClipNameFor(L"rtf", L"\r\n123456789012345", false, L"", 3).name, L"(RTF) \r\n12345678901234");
    // Empty text and no name, or a blank custom name: the slot name.
    EXPECT_EQ(ClipNameFor(L"rtf", L"", false, L"", 12).name, L"(RTF) Clip 12");
    EXPECT_EQ(ClipNameFor(L"rtf", L"text", true, L"   ", 12).name, L"(RTF) Clip 12");
    // Custom names; one already carrying the prefix is left alone; Unicode survives.
    EXPECT_EQ(ClipNameFor(L"rtf", L"text", true, L"Letter head", 1).name, L"(RTF) Letter head");
    EXPECT_EQ(ClipNameFor(L"rtf", L"text", true, L"(RTF)mine", 1).name, L"(RTF)mine");
    EXPECT_EQ(ClipNameFor(L"rtf", L"text", true, L"Příliš 日本", 1).name, L"(RTF) Příliš 日本");
    // 94 characters including the prefix.
    const std::wstring cut = ClipNameFor(L"rtf", L"text", true, Repeat(L'z', 200), 1).name;
    EXPECT_EQ(cut.size(), 94u);
    EXPECT_EQ(cut, L"(RTF) " + Repeat(L'z', 88));
    // Pictures always carry a custom name or the slot name.
    EXPECT_EQ(ClipNameFor(L"img", L"", true, L"Logo", 5).name, L"(IMG) Logo");
    EXPECT_EQ(ClipNameFor(L"img", L"", true, L"", 5).name, L"(IMG) Clip 5");
    EXPECT_EQ(ClipNameFor(L"img", L"", false, L"", 5).name, L"(IMG) Clip 5");
    EXPECT_EQ(ClipNameFor(L"img", L"", true, Repeat(L'p', 100), 5).name.size(), 94u);
    // Reopening shows the name without the prefix; a long text row keeps its whole text.
    EXPECT_EQ(core::CustomNameFromRow(L"(RTF) Letter head", L"RTF"), L"Letter head");
    EXPECT_EQ(core::CustomNameFromRow(L"(IMG) Logo", L"IMG"), L"Logo");
    EXPECT_EQ(core::CustomNameFromRow(L"My notes", L"TXT-LONG"), L"My notes");
    EXPECT_EQ(core::CustomNameFromRow(L"(RT", L"RTF"), L"");
}

TEST(ClipEditorRules, SizeBoxFallsBackTo64AndRounds) {
    EXPECT_EQ(core::FontSizeFromBox(L"12"), 12);
    EXPECT_EQ(core::FontSizeFromBox(L"10.6"), 11);
    EXPECT_EQ(core::FontSizeFromBox(L"10.4"), 10);
    EXPECT_EQ(core::FontSizeFromBox(L"64"), 64);
    EXPECT_EQ(core::FontSizeFromBox(L"12 "), 12);
    for (const wchar_t* to64 : {L"0", L"", L"word", L"72", L"64.1", L"12pt", L"-3", L"0.2", L"nan", L"inf", L"1e400"})
        EXPECT_EQ(core::FontSizeFromBox(to64), 64) << to64;
}

TEST(ClipEditorRules, StatusTextsAfterOpeningAndEditing) {
    EXPECT_EQ(core::FormatCount(0, L","), L"");
    EXPECT_EQ(core::FormatCount(999, L","), L"999");
    EXPECT_EQ(core::FormatCount(1000, L","), L"1,000");
    EXPECT_EQ(core::FormatCount(100000, L"\u00a0"), L"100\u00a0000");
    EXPECT_EQ(core::FormatCount(1234567, L"."), L"1.234.567");
    // Right after opening an empty clip "Chars:", after an edit that empties it "Characters:".
    EXPECT_EQ(core::CharsPanelAfterOpen(L"txt", L""), L"Chars: 0 / 100 000  ");
    EXPECT_EQ(core::CharsPanelAfterEdit(L"txt", L""), L"Characters: 0 / 100 000  ");
    EXPECT_EQ(core::CharsPanelAfterOpen(L"txt", L"1,234"), L"Chars: 1,234 / 100 000  ");
    EXPECT_EQ(core::CharsPanelAfterEdit(L"txt", L"5"), L"Chars: 5 / 100 000  ");
    EXPECT_EQ(core::CharsPanelAfterOpen(L"rtf", L"12"), L"Chars: 12 /100 000  ");
    EXPECT_EQ(core::CharsPanelAfterEdit(L"rtf", L""), L"Chars: 0 / 100 000  ");
    EXPECT_EQ(core::CharsPanelAfterEdit(L"rtf", L"12"), L"Chars: 12 / 100 000  ");
    EXPECT_EQ(core::CharsPanelAfterOpen(L"img", L""), L"Chars: 0 / 100 000  ");
    EXPECT_EQ(core::CurrentLinePanel(3), L"Current line: 3  ");
    EXPECT_EQ(core::TotalLinesPanel(12), L"Total lines:12  ");
    EXPECT_EQ(core::ImageSizePanel(4800, 3014), L"Image size: 320x200 ");
}

TEST(ClipEditorRules, SmallWindowsSpringBackAndBoxesFollowTheSize) {
    core::EditorLayout l = core::LayoutEditor(L"txt", 5000, 3000);
    EXPECT_EQ(l.windowWidth, 8010);
    EXPECT_EQ(l.windowHeight, 4755);
    EXPECT_EQ(l.boxWidth, 7800);
    EXPECT_EQ(l.boxHeight, 2205);
    EXPECT_EQ(l.optCusNameTop, 3330);
    EXPECT_EQ(l.txtCustomNameTop, 3325);
    EXPECT_EQ(l.optNonCusNameTop, 3690);
    l = core::LayoutEditor(L"rtf", 9000, 6000);
    EXPECT_EQ(l.windowWidth, 9000);
    EXPECT_EQ(l.windowHeight, 6000);
    EXPECT_EQ(l.boxWidth, 8820);
    EXPECT_EQ(l.boxHeight, 3480);
    EXPECT_EQ(l.optCusNameTop, 4605);
    l = core::LayoutEditor(L"img", 8010, 4755);
    EXPECT_EQ(l.boxWidth, 7625);
    EXPECT_EQ(l.boxHeight, 2175);
    EXPECT_EQ(l.optCusNameTop, 3400);
    EXPECT_EQ(l.txtCustomNameTop, 3395);
    EXPECT_EQ(l.optNonCusNameTop, 3760);
    // Only one axis below the minimum: only that axis changes.
    l = core::LayoutEditor(L"txt", 12000, 4000);
    EXPECT_EQ(l.windowWidth, 12000);
    EXPECT_EQ(l.windowHeight, 4755);
}
