#include "core/RtfExactCharacters.h"

#include <gtest/gtest.h>

namespace {

// The head of a source as a rich-text control writes it.
const std::string kHead = "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\\deflang1033\\deflangfe1033{\\fonttbl{\\f0\\fswiss "
                          "Arial;}{\\f1\\fcharset128 MS Gothic;}}\r\n{\\colortbl;\\red192\\green0\\blue0;}\r\n"
                          "{\\*\\generator Some Writer 2.0;}\r\n\\pard\\f0\\fs20 ";

} // namespace

TEST(EscapeApproximatedCharacters, ApproximationsBecomeEscapesAndEverythingElseStaysByteForByte) {
    // "Příliš žluťoučký kůň 日本": ř, ť, č and ů were written as r, t, c and u; í, š, ž, ý as bytes of the
    // code page; the Japanese as escapes; a bold run and the box's own last paragraph mark around them.
    const std::wstring text = L"P\u0159\u00EDli\u0161 \u017Elu\u0165ou\u010Dk\u00FD k\u016F\u0148 \u65E5\u672C\r2";
    // The writer ends its source with a NUL.
    const std::string body = "Pr\\'edli\\'9a {\\b \\'9elutou}ck\\'fd ku\\u328? \\f1\\u26085?\\u26412?\\f0\\par\r\n"
                             "2\\par\r\n}" +
                             std::string(1, '\0');
    const auto exact = core::EscapeApproximatedCharacters(kHead + body, text);
    ASSERT_TRUE(exact.has_value());
    EXPECT_EQ(*exact, kHead +
                          "P\\u345 r\\'edli\\'9a {\\b \\'9elu\\u357 tou}\\u269 ck\\'fd k\\u367 u\\u328? "
                          "\\f1\\u26085?\\u26412?\\f0\\par\r\n2\\par\r\n}" +
                          std::string(1, '\0'));

    // A source that needs nothing comes back as it was; so does an empty box's.
    const std::string plain = kHead + "Plain text\\par\r\n}";
    EXPECT_EQ(core::EscapeApproximatedCharacters(plain, L"Plain text"), plain);
    EXPECT_EQ(core::EscapeApproximatedCharacters(kHead + "\\par\r\n}", L""), kHead + "\\par\r\n}");

    // A character above U+7FFF is written as the negative 16-bit number RTF escapes use.
    EXPECT_EQ(core::EscapeApproximatedCharacters(kHead + "a?\\par}", L"a\uFF21"), kHead + "a\\u-223 ?\\par}");
}

TEST(EscapeApproximatedCharacters, WhatIsNoTextOfTheBoxIsPassedOver) {
    // A bulleted selection (no last paragraph mark of the box), the bullet's label and numbering groups,
    // escaped braces, a tab and a line break, a picture with raw bytes, other fallback counts.
    const std::string body = "{\\pntext\\f0 \\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf0\\pnindent0{\\pntxtb\\'b7}}"
                             "\\fi-400\\li400 \\{x\\}\\tab y\\line z{\\pict\\wmetafile8\\bin3 }{ }c"
                             "\\uc0\\u269 e{\\uc2\\u345\\'72\\'73}n\\par\r\n";
    const std::wstring text = L"{x}\ty\vzc\u010De\u0159n\r";
    const auto exact = core::EscapeApproximatedCharacters(kHead + body + "}", text);
    ASSERT_TRUE(exact.has_value());
    EXPECT_EQ(*exact, kHead + body + "}");

    // The approximation as an escaped symbol ("{" for a character) is replaced as well.
    EXPECT_EQ(core::EscapeApproximatedCharacters(kHead + "\\{\\par}", L"\u2774"), kHead + "\\u10100 \\{\\par}");
}

TEST(EscapeApproximatedCharacters, ASourceThatDoesNotLineUpWithTheTextIsRefused) {
    const std::string source = kHead + "Pr\\'edli\\par\r\n}";
    EXPECT_TRUE(core::EscapeApproximatedCharacters(source, L"P\u0159\u00EDli").has_value());
    // One character short, one too many, another character, a code-page byte where the text has ASCII.
    EXPECT_FALSE(core::EscapeApproximatedCharacters(source, L"P\u0159\u00EDl").has_value());
    EXPECT_FALSE(core::EscapeApproximatedCharacters(source, L"P\u0159\u00EDlix").has_value());
    EXPECT_FALSE(core::EscapeApproximatedCharacters(source, L"Q\u0159\u00EDli").has_value());
    EXPECT_FALSE(core::EscapeApproximatedCharacters(source, L"P\u0159ili").has_value());
    // A construct that writes a character this reading does not know (a table cell) loses the count.
    EXPECT_FALSE(
        core::EscapeApproximatedCharacters(kHead + "\\trowd\\cellx1000 a\\cell\\row b\\par}", L"a\tb").has_value());
    // Broken sources.
    EXPECT_FALSE(core::EscapeApproximatedCharacters(kHead + "ab", L"ab").has_value());
    EXPECT_FALSE(core::EscapeApproximatedCharacters(kHead + "ab}}", L"ab").has_value());
    EXPECT_FALSE(core::EscapeApproximatedCharacters(kHead + "a\\", L"a").has_value());
    EXPECT_FALSE(core::EscapeApproximatedCharacters(kHead + "{\\pict\\bin99 ab}}", L"").has_value());
    // Two paragraph marks beyond the text are one too many.
    EXPECT_FALSE(core::EscapeApproximatedCharacters(kHead + "a\\par\\par}", L"a").has_value());
}
