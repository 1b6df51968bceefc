// The help file generator: the shipped guide and made-up ones are written, read back as the viewer
// reads them (topic offsets, contexts, keywords, links), and come back as they went in.
#include "core/HelpFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using core::HelpGuide;
using core::HelpParagraph;

namespace {

std::vector<std::string> Names(const HelpGuide& guide) {
    std::vector<std::string> names;
    for (const auto& t : guide.topics)
        names.push_back(t.name);
    return names;
}

std::string ShippedGuide() {
    std::ifstream in(std::string(QUILLET_CORE_DIR) + "/../guide/UserGuide.txt", std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string ParseError(const std::string& source) {
    try {
        core::ParseHelpGuide(source);
    } catch (const core::HelpFormatError& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST(HelpFile, TheShippedGuideReadsBackWithTheOverviewAsTopicOne) {
    const HelpGuide guide = core::ParseHelpGuide(ShippedGuide());
    ASSERT_FALSE(guide.topics.empty());
    EXPECT_EQ(guide.title, "Quillet Help");
    EXPECT_EQ(guide.topics.front().number, 1u);
    EXPECT_EQ(guide.topics.front().title, "Quick overview");
    EXPECT_EQ(guide.contents, "contents");

    const std::vector<uint8_t> file = core::WriteHelpFile(guide);
    const HelpGuide back = core::ReadHelpFile(file, Names(guide));
    EXPECT_EQ(back, guide);
    // More than one 4 KB topic block, so topics are found across block boundaries.
    EXPECT_GT(file.size(), 2u * 4096u);
}

TEST(HelpFile, LinksKeywordsAndBulletsSurviveAcrossBlocks) {
    std::string source = "title: Test guide\ncontents: index\n== 7 index: Index\n> far\n> near\n"
                         "== 1 near: Near topic\nkeywords: Zebra, apple, apple\n* first item\n* second\n\n"
                         "Two lines\njoined into one.\n\n";
    // Long paragraphs push the last topic several blocks further.
    for (int i = 0; i < 40; ++i)
        source += "Paragraph " + std::to_string(i) + " " + std::string(300, 'x') + "\n\n";
    source += "== 42 far: Far topic\nkeywords: apple, far away\nThe end.\n";
    const HelpGuide guide = core::ParseHelpGuide(source);

    ASSERT_EQ(guide.topics.size(), 3u);
    const auto& near = guide.topics[1];
    EXPECT_EQ(near.keywords, (std::vector<std::string>{"apple", "Zebra"}));
    ASSERT_GE(near.paragraphs.size(), 3u);
    EXPECT_EQ(near.paragraphs[0].kind, HelpParagraph::Kind::Bullet);
    EXPECT_EQ(near.paragraphs[2].text, "Two lines joined into one.");
    EXPECT_EQ(guide.topics[0].paragraphs[0].text, "Far topic");

    const HelpGuide back = core::ReadHelpFile(core::WriteHelpFile(guide), Names(guide));
    EXPECT_EQ(back, guide);
    EXPECT_EQ(back.topics[2].number, 42u);
    EXPECT_EQ(back.topics[0].paragraphs[0].target, "far");
}

TEST(HelpFile, GuideMistakesNameTheirLineAndBrokenFilesAreRefused) {
    EXPECT_NE(ParseError("title: T\ncontents: a\n== 1 a: A\n> missing\n").find("line 4"), std::string::npos);
    EXPECT_NE(ParseError("title: T\ncontents: a\n== 1 a: A\ncaf\xc3\xa9\n").find("line 4"), std::string::npos);
    EXPECT_NE(ParseError("title: T\ncontents: a\n== 1 a: A\n== 1 b: B\n").find("twice"), std::string::npos);
    EXPECT_NE(ParseError("title: T\ncontents: nowhere\n== 1 a: A\n").find("contents"), std::string::npos);
    EXPECT_NE(ParseError("stray text\n"), "");

    const HelpGuide guide = core::ParseHelpGuide("title: T\ncontents: a\n== 1 a: A\nText.\n");
    std::vector<uint8_t> file = core::WriteHelpFile(guide);
    std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<long>(file.size() / 2));
    EXPECT_THROW(core::ReadHelpFile(cut, {"a"}), core::HelpFormatError);
    file[0] ^= 0xFF;
    EXPECT_THROW(core::ReadHelpFile(file, {"a"}), core::HelpFormatError);
}

TEST(HelpFile, TheHtmlPageHoldsEveryTopicWithItsTextEscaped) {
    const HelpGuide guide =
        core::ParseHelpGuide("title: T & co\ncontents: a\n== 1 a: A <one>\n> b\n== 2 b: B\n* x < y\nText.\n");
    const std::string html = core::HelpGuideHtml(guide);
    EXPECT_NE(html.find("<title>T &amp; co</title>"), std::string::npos);
    EXPECT_NE(html.find("<section id=\"a\">\n<h2>A &lt;one&gt;</h2>"), std::string::npos);
    EXPECT_NE(html.find("<li><a href=\"#b\">B</a></li>"), std::string::npos);
    EXPECT_NE(html.find("<li>x &lt; y</li>"), std::string::npos);
    EXPECT_NE(html.find("<p>Text.</p>"), std::string::npos);
}
