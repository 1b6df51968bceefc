#pragma once
// The user guide as the program ships it: parsed from its plain source text, written as a compiled help
// file for the system's help viewer (and read back, so the writer can be checked), and as one HTML page.
//
// Text is kept in bytes of the ANSI code page, as the help file stores it; the source is plain ASCII.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace core {

struct HelpFormatError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct HelpParagraph {
    enum class Kind { Text, Bullet, Link };
    Kind kind = Kind::Text;
    std::string text;   // for a link: the target topic's title
    std::string target; // for a link: the target topic's name
    bool operator==(const HelpParagraph& o) const { return kind == o.kind && text == o.text && target == o.target; }
};

struct HelpTopic {
    uint32_t number = 0; // the context number a program asks the viewer for
    std::string name;    // the context string links jump to
    std::string title;
    std::vector<std::string> keywords;
    std::vector<HelpParagraph> paragraphs;
    bool operator==(const HelpTopic& o) const {
        return number == o.number && name == o.name && title == o.title && keywords == o.keywords &&
               paragraphs == o.paragraphs;
    }
};

struct HelpGuide {
    std::string title;
    std::string contents; // name of the topic shown for the contents
    std::vector<HelpTopic> topics;
    bool operator==(const HelpGuide& o) const {
        return title == o.title && contents == o.contents && topics == o.topics;
    }
};

// The guide's source text:
//   title: <help file title>            once, first
//   contents: <topic name>              once
//   == <number> <name>: <title>         starts a topic
//   keywords: a, b, c                   the topic's index entries
//   * text                              a bullet
//   > name                              a link to the topic of that name
// Other lines are text; consecutive lines join into one paragraph, a blank line ends it.
// Throws HelpFormatError naming the line for anything else (unknown link target, non-ASCII, ...).
HelpGuide ParseHelpGuide(const std::string& source);

// The viewer's hash of a context string, as links and the context tree store it.
int32_t HelpContextHash(const std::string& name);

std::vector<uint8_t> WriteHelpFile(const HelpGuide& guide);
// Reads a file WriteHelpFile wrote (and other uncompressed ones of its kind); throws HelpFormatError.
// The file keeps only hashes of the topic names: a topic gets the name of those given that matches.
HelpGuide ReadHelpFile(const std::vector<uint8_t>& file, const std::vector<std::string>& names);

// The same guide as one HTML page, each topic a section whose id is its name.
std::string HelpGuideHtml(const HelpGuide& guide);

} // namespace core
