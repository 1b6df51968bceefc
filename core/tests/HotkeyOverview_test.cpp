#include "core/HotkeyOverview.h"

#include <gtest/gtest.h>

using namespace core;

namespace {
const std::wstring kStamp = L"17:05 07.12.2026";
const std::wstring kHead = L"<HTML><HEAD><TITLE>Quillet Hotkeys</TITLE></HEAD><BODY><H3>Quillet Hotkey Overview - ";

std::array<std::wstring, kSlotCount> AllEmpty() {
    std::array<std::wstring, kSlotCount> texts;
    texts.fill(EmptyClipMarker);
    return texts;
}
} // namespace

TEST(HotkeyOverview, HotkeyText) {
    EXPECT_EQ(HotkeyText(3, 88), L"Alt + Ctrl + X");
    EXPECT_EQ(HotkeyText(1, 49), L"Alt + 1");
    EXPECT_EQ(HotkeyText(2, 49), L"Ctrl + 1");
    EXPECT_EQ(HotkeyText(4, 65), L"Shift + A");
    EXPECT_EQ(HotkeyText(5, 65), L"Alt + Shift + A");
    EXPECT_EQ(HotkeyText(6, 48), L"Ctrl + Shift + 0");
    EXPECT_EQ(HotkeyText(7, 90), L"Alt + Ctrl + Shift + Z");
    EXPECT_EQ(HotkeyText(2, 112), L"Ctrl + p"); // F1 shows as its character code
    EXPECT_EQ(HotkeyText(0, 49), L"");
    EXPECT_EQ(HotkeyText(2, 0), L""); // never a NUL character in the page
}

TEST(HotkeyOverview, EscapesMarkup) {
    EXPECT_EQ(HtmlEscaped(L"a < b & \"c\" > d"), L"a &lt; b &amp; &quot;c&quot; &gt; d");
    EXPECT_EQ(HtmlEscaped(L"<script>x</script>"), L"&lt;script&gt;x&lt;/script&gt;");
    EXPECT_EQ(HtmlEscaped(L"plain 'text'"), L"plain 'text'");
}

TEST(HotkeyOverview, AllEmptyProject) {
    std::array<ClipHotkey, kSlotCount> keys{};
    auto texts = AllEmpty();
    texts[9] = L""; // an empty row counts as empty too
    const auto lines = OverviewLines(L"Blank", texts, keys, kStamp);
    const std::vector<std::wstring> expected{
        kHead + L"Blank</H3>",
        L"<TABLE BORDER=2>",
        L"<TR><TD>Clip #</TD><TD>Clip Name</TD><TD>Clip Hotkey</TD></TR>",
        L"<TR><TD COLSPAN=3>There are just empty clips</TD></TR>",
        L"</TABLE><BR><BR>Generated 17:05 07.12.2026",
        L"</BODY></HTML>",
    };
    EXPECT_EQ(lines, expected);
}

TEST(HotkeyOverview, ListedClipsNamesAndHotkeys) {
    std::array<ClipHotkey, kSlotCount> keys{};
    keys[0] = {2, 49, true};
    keys[3] = {3, 88, true};
    auto texts = AllEmpty();
    texts[0] = L"alpha";
    texts[3] = std::wstring(50, L'n') + L"cut off here, thirty more chars";
    texts[11] = L"a < b"; // no hotkey
    const auto lines = OverviewLines(L"R&D.ql", texts, keys, kStamp);
    ASSERT_EQ(lines.size(), 3u + 9u + 2u);
    EXPECT_EQ(lines[0], kHead + L"R&amp;D.ql</H3>");
    EXPECT_EQ(lines[3], L"<TR><TD>1</TD><TD>");
    EXPECT_EQ(lines[4], L"alpha</TD><TD>");
    EXPECT_EQ(lines[5], L"Ctrl + 1</TD></TR>");
    EXPECT_EQ(lines[6], L"<TR><TD>4</TD><TD>");
    EXPECT_EQ(lines[7], std::wstring(50, L'n') + L"</TD><TD>");
    EXPECT_EQ(lines[8], L"Alt + Ctrl + X</TD></TR>");
    EXPECT_EQ(lines[9], L"<TR><TD>12</TD><TD>");
    EXPECT_EQ(lines[10], L"a &lt; b</TD><TD>");
    EXPECT_EQ(lines[11], L"</TD></TR>");
    EXPECT_EQ(lines[12], L"</TABLE><BR><BR>Generated " + kStamp);
    EXPECT_EQ(lines[13], L"</BODY></HTML>");

    // Cut at 50 before escaping, so an entity is never split.
    texts.fill(EmptyClipMarker);
    texts[0] = std::wstring(49, L'x') + L"&&";
    const auto cut = OverviewLines(L"p", texts, keys, kStamp);
    EXPECT_EQ(cut[4], std::wstring(49, L'x') + L"&amp;</TD><TD>");

    EXPECT_EQ(OverviewPage({L"a", L"b"}), L"a\r\nb\r\n");
}
