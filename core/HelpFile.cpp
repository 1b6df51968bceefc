#include "core/HelpFile.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <set>
#include <sstream>

namespace core {

namespace {

// ---- layout constants of the compiled help format (uncompressed, 4 KB topic blocks) ----
constexpr uint32_t kFileMagic = 0x00035F3F;
constexpr uint16_t kTreeMagic = 0x293B;
constexpr uint16_t kSystemMagic = 0x036C;
constexpr uint16_t kSystemMinor = 21; // 4 KB topic blocks, flags 0: no compression
constexpr uint32_t kBlockSize = 0x1000;
constexpr uint32_t kBlockHeader = 0x0C;
constexpr uint32_t kBlockData = kBlockSize - kBlockHeader;
constexpr uint32_t kLinkHeader = 0x15;
constexpr uint32_t kNone = 0xFFFFFFFF;
constexpr uint8_t kTopicHeader = 0x02;
constexpr uint8_t kDisplayText = 0x20;
constexpr uint8_t kFontBody = 0;
constexpr uint8_t kFontHeading = 1;
constexpr uint16_t kSpaceAfter = 0x0004;
constexpr uint16_t kLeftIndent = 0x0010;
const char kBullet[] = "\x95 ";

std::string Trim(const std::string& s) {
    const auto a = s.find_first_not_of(" \t");
    if (a == std::string::npos)
        return {};
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

bool LessNoCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

// ---- byte writing ----
struct Out {
    std::vector<uint8_t> b;
    void u8(uint32_t v) { b.push_back(static_cast<uint8_t>(v)); }
    void u16(uint32_t v) {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void str(const std::string& s, bool nul = true) {
        b.insert(b.end(), s.begin(), s.end());
        if (nul)
            u8(0);
    }
    void bytes(const std::vector<uint8_t>& v) { b.insert(b.end(), v.begin(), v.end()); }
    void pad(size_t size) { b.resize(size, 0); }
    // The format's compressed numbers: the low bit of the first byte says which width follows.
    void cushort(uint32_t v) {
        if (v < 0x80)
            u8(v * 2);
        else if (v < 0x8000)
            u16(v * 2 + 1);
        else
            throw HelpFormatError("paragraph too long for the help file");
    }
    void clong(int32_t v) {
        if (v >= -0x4000 && v < 0x4000)
            u16(static_cast<uint32_t>(0x8000 + 2 * v));
        else
            u32(static_cast<uint32_t>(0x80000000u + 2u * static_cast<uint32_t>(v) + 1u));
    }
    void cshort(int32_t v) {
        if (v >= -0x40 && v < 0x40)
            u8(static_cast<uint32_t>(0x80 + 2 * v));
        else
            u16(static_cast<uint32_t>(0x8000 + 2 * v + 1));
    }
};

// ---- byte reading ----
struct In {
    const uint8_t* p;
    const uint8_t* end;
    void need(size_t n) const {
        if (static_cast<size_t>(end - p) < n)
            throw HelpFormatError("help file truncated");
    }
    uint32_t u8() {
        need(1);
        return *p++;
    }
    uint32_t u16() {
        const uint32_t lo = u8();
        return lo | (u8() << 8);
    }
    uint32_t u32() {
        const uint32_t lo = u16();
        return lo | (u16() << 16);
    }
    std::string str() {
        const uint8_t* z = static_cast<const uint8_t*>(std::memchr(p, 0, static_cast<size_t>(end - p)));
        if (!z)
            throw HelpFormatError("unterminated string in help file");
        std::string s(reinterpret_cast<const char*>(p), static_cast<size_t>(z - p));
        p = z + 1;
        return s;
    }
    uint32_t cushort() {
        need(1);
        return (*p & 1) ? u16() / 2 : u8() / 2;
    }
    int32_t clong() {
        need(1);
        if (*p & 1)
            return static_cast<int32_t>((u32() - 0x80000000u) / 2);
        return (static_cast<int32_t>(u16()) - 0x8000) / 2;
    }
    int32_t cshort() {
        need(1);
        if (*p & 1)
            return (static_cast<int32_t>(u16()) - 0x8000) / 2;
        return (static_cast<int32_t>(u8()) - 0x80) / 2;
    }
};

uint32_t U32At(const std::vector<uint8_t>& f, size_t at) {
    if (at + 4 > f.size())
        throw HelpFormatError("help file truncated");
    return f[at] | (f[at + 1] << 8) | (f[at + 2] << 16) | (static_cast<uint32_t>(f[at + 3]) << 24);
}

// ---- B+ trees: one leaf page holds everything this guide needs ----
std::vector<uint8_t> LeafTree(const char* structure, uint16_t flags, uint16_t pageSize,
                              const std::vector<std::vector<uint8_t>>& entries) {
    Out page;
    size_t used = 8;
    for (const auto& e : entries)
        used += e.size();
    if (used > pageSize)
        throw HelpFormatError("help file index does not fit its page");
    page.u16(static_cast<uint32_t>(pageSize - used));
    page.u16(static_cast<uint32_t>(entries.size()));
    page.u16(0xFFFF);
    page.u16(0xFFFF);
    for (const auto& e : entries)
        page.bytes(e);
    page.pad(pageSize);

    Out tree;
    tree.u16(kTreeMagic);
    tree.u16(flags);
    tree.u16(pageSize);
    char name[16] = {};
    std::strncpy(name, structure, sizeof(name) - 1);
    tree.b.insert(tree.b.end(), name, name + 16);
    tree.u16(0);      // must be zero
    tree.u16(0);      // page splits
    tree.u16(0);      // root page
    tree.u16(0xFFFF); // must be -1
    tree.u16(1);      // pages
    tree.u16(1);      // levels
    tree.u32(static_cast<uint32_t>(entries.size()));
    tree.bytes(page.b);
    return tree.b;
}

// Calls visit(entry reader) for every leaf entry, following the leftmost path and then the leaf chain.
template <typename Visit> void ReadTree(const std::vector<uint8_t>& f, size_t at, Visit visit) {
    In h{f.data() + at, f.data() + f.size()};
    if (h.u16() != kTreeMagic)
        throw HelpFormatError("bad B-tree magic");
    h.u16();
    const uint32_t pageSize = h.u16();
    h.need(16);
    h.p += 16;
    h.u16();
    h.u16();
    uint32_t page = h.u16();
    h.u16();
    const uint32_t pages = h.u16();
    uint32_t levels = h.u16();
    h.u32();
    const size_t first = at + 38;
    auto pageAt = [&](uint32_t n) {
        if (n >= pages || first + (n + 1) * static_cast<size_t>(pageSize) > f.size())
            throw HelpFormatError("B-tree page out of range");
        return first + n * static_cast<size_t>(pageSize);
    };
    for (; levels > 1; --levels)
        page = In{f.data() + pageAt(page) + 4, f.data() + f.size()}.u16();
    for (uint32_t guard = 0; page != 0xFFFF && guard <= pages; ++guard) {
        const size_t base = pageAt(page);
        In p{f.data() + base, f.data() + base + pageSize};
        p.u16();
        const uint32_t count = p.u16();
        p.u16();
        const uint32_t next = p.u16();
        for (uint32_t i = 0; i < count; ++i)
            visit(p);
        page = next;
    }
}

// ---- the topic stream ----
struct Record {
    uint8_t type = 0;
    std::vector<uint8_t> data1; // after the 21-byte link header
    std::vector<uint8_t> data2;
    uint32_t chars = 0; // characters it adds to the topic offset count
    size_t topic = 0;
    size_t pos = 0; // in the stream of block data
    uint32_t size() const { return static_cast<uint32_t>(kLinkHeader + data1.size() + data2.size()); }
};

uint32_t TopicPos(size_t streamPos) {
    return static_cast<uint32_t>((streamPos / kBlockData) * 0x4000 + streamPos % kBlockData + kBlockHeader);
}

struct Segment {
    std::string text;
    int32_t link = 0; // context hash when the text is a jump
    bool isLink = false;
};

Record Paragraph(uint8_t font, uint16_t bits, const std::vector<Segment>& segments) {
    Out fmt, text;
    uint32_t chars = 0;
    text.str("");
    fmt.u8(0x80);
    fmt.u16(font);
    for (const auto& s : segments) {
        if (s.isLink) {
            text.str("");
            fmt.u8(0xE3);
            fmt.u32(static_cast<uint32_t>(s.link));
        }
        text.str(s.text);
        chars += static_cast<uint32_t>(s.text.size());
        if (s.isLink)
            fmt.u8(0x89);
        else
            fmt.u8(0x82);
    }
    if (!segments.empty() && segments.back().isLink) {
        text.str("");
        fmt.u8(0x82);
    }
    text.str("");
    fmt.u8(0xFF);
    chars += 1; // the paragraph end

    Record r;
    r.type = kDisplayText;
    Out d1;
    d1.clong(static_cast<int32_t>(text.b.size()));
    d1.cushort(chars);
    d1.u8(0x00);
    d1.u8(0x80);
    d1.u16(0);
    d1.u16(bits);
    if (bits & kSpaceAfter)
        d1.cshort(12);
    if (bits & kLeftIndent)
        d1.cshort(36);
    d1.bytes(fmt.b);
    r.data1 = d1.b;
    r.data2 = text.b;
    r.chars = chars;
    return r;
}

} // namespace

int32_t HelpContextHash(const std::string& name) {
    uint32_t hash = 0;
    for (char c : name) {
        uint32_t x = 0;
        if (c >= 'A' && c <= 'Z')
            x = static_cast<uint32_t>(c - 'A' + 17);
        else if (c >= 'a' && c <= 'z')
            x = static_cast<uint32_t>(c - 'a' + 17);
        else if (c >= '1' && c <= '9')
            x = static_cast<uint32_t>(c - '0');
        else if (c == '0')
            x = 10;
        else if (c == '.')
            x = 12;
        else if (c == '_')
            x = 13;
        if (x)
            hash = hash * 43 + x;
    }
    return static_cast<int32_t>(hash);
}

HelpGuide ParseHelpGuide(const std::string& source) {
    HelpGuide guide;
    std::istringstream in(source);
    std::string line;
    int number = 0;
    std::string paragraph;
    std::vector<std::pair<int, std::string>> links; // line, target
    auto fail = [&](const std::string& why) -> HelpFormatError {
        return HelpFormatError("guide line " + std::to_string(number) + ": " + why);
    };
    auto flush = [&] {
        if (!paragraph.empty())
            guide.topics.back().paragraphs.push_back({HelpParagraph::Kind::Text, paragraph, {}});
        paragraph.clear();
    };
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        for (unsigned char c : line)
            if (c >= 0x80 || (c < 0x20 && c != '\t'))
                throw fail("only plain ASCII text is allowed");
        const std::string t = Trim(line);
        if (t.empty()) {
            if (!guide.topics.empty())
                flush();
            continue;
        }
        if (t.rfind("== ", 0) == 0) {
            if (!guide.topics.empty())
                flush();
            const auto colon = t.find(':');
            std::istringstream head(t.substr(3, colon == std::string::npos ? std::string::npos : colon - 3));
            HelpTopic topic;
            long n = 0;
            if (colon == std::string::npos || !(head >> n >> topic.name) || n <= 0)
                throw fail("a topic starts with '== <number> <name>: <title>'");
            topic.number = static_cast<uint32_t>(n);
            topic.title = Trim(t.substr(colon + 1));
            for (const auto& other : guide.topics)
                if (other.number == topic.number || other.name == topic.name)
                    throw fail("topic number or name used twice");
            if (topic.title.empty())
                throw fail("topic without a title");
            guide.topics.push_back(topic);
            continue;
        }
        if (guide.topics.empty()) {
            if (t.rfind("title:", 0) == 0)
                guide.title = Trim(t.substr(6));
            else if (t.rfind("contents:", 0) == 0)
                guide.contents = Trim(t.substr(9));
            else
                throw fail("text before the first topic");
            continue;
        }
        HelpTopic& topic = guide.topics.back();
        if (t.rfind("keywords:", 0) == 0) {
            std::istringstream words(t.substr(9));
            std::string word;
            while (std::getline(words, word, ','))
                if (!Trim(word).empty())
                    topic.keywords.push_back(Trim(word));
        } else if (t.rfind("* ", 0) == 0) {
            flush();
            topic.paragraphs.push_back({HelpParagraph::Kind::Bullet, Trim(t.substr(2)), {}});
        } else if (t.rfind("> ", 0) == 0) {
            flush();
            topic.paragraphs.push_back({HelpParagraph::Kind::Link, {}, Trim(t.substr(2))});
            links.emplace_back(number, Trim(t.substr(2)));
        } else {
            paragraph += (paragraph.empty() ? "" : " ") + t;
        }
    }
    if (!guide.topics.empty())
        flush();
    if (guide.topics.empty())
        throw HelpFormatError("the guide has no topics");
    if (guide.title.empty())
        throw HelpFormatError("the guide has no title");
    auto byName = [&](const std::string& name) -> const HelpTopic* {
        for (const auto& t : guide.topics)
            if (t.name == name)
                return &t;
        return nullptr;
    };
    if (!byName(guide.contents))
        throw HelpFormatError("the contents topic '" + guide.contents + "' does not exist");
    for (const auto& [at, target] : links)
        if (!byName(target))
            throw HelpFormatError("guide line " + std::to_string(at) + ": no topic named '" + target + "'");
    std::set<int32_t> hashes;
    for (auto& t : guide.topics) {
        if (!hashes.insert(HelpContextHash(t.name)).second)
            throw HelpFormatError("topic name '" + t.name + "' hashes like another");
        for (auto& p : t.paragraphs)
            if (p.kind == HelpParagraph::Kind::Link)
                p.text = byName(p.target)->title;
        // The index lists keywords alphabetically, each once per topic.
        std::sort(t.keywords.begin(), t.keywords.end(), LessNoCase);
        t.keywords.erase(std::unique(t.keywords.begin(), t.keywords.end(),
                                     [](const std::string& a, const std::string& b) {
                                         return !LessNoCase(a, b) && !LessNoCase(b, a);
                                     }),
                         t.keywords.end());
    }
    return guide;
}

std::vector<uint8_t> WriteHelpFile(const HelpGuide& guide) {
    if (guide.topics.empty())
        throw HelpFormatError("a help file needs a topic");

    // Records: per topic its header, its title as the first line, then its paragraphs.
    std::vector<Record> records;
    for (size_t i = 0; i < guide.topics.size(); ++i) {
        const HelpTopic& t = guide.topics[i];
        Record header;
        header.type = kTopicHeader;
        header.data1.resize(28);
        header.data2.assign(t.title.begin(), t.title.end());
        header.topic = i;
        records.push_back(header);
        Record title = Paragraph(kFontHeading, kSpaceAfter, {{t.title}});
        title.topic = i;
        records.push_back(title);
        for (const auto& p : t.paragraphs) {
            Record r;
            switch (p.kind) {
            case HelpParagraph::Kind::Text:
                r = Paragraph(kFontBody, kSpaceAfter, {{p.text}});
                break;
            case HelpParagraph::Kind::Bullet:
                r = Paragraph(kFontBody, kSpaceAfter | kLeftIndent, {{kBullet + p.text}});
                break;
            case HelpParagraph::Kind::Link:
                r = Paragraph(kFontBody, kSpaceAfter, {{p.text, HelpContextHash(p.target), true}});
                break;
            }
            r.topic = i;
            records.push_back(r);
        }
    }

    // Positions, and the topic offsets the viewer counts: block number * 0x8000 + characters so far in
    // the block where each record starts.
    size_t pos = 0;
    for (auto& r : records) {
        r.pos = pos;
        pos += r.size();
    }
    const size_t streamSize = pos;
    std::vector<uint32_t> topicOffset(guide.topics.size());
    std::vector<size_t> headerIndex(guide.topics.size());
    size_t block = SIZE_MAX;
    uint32_t chars = 0;
    for (size_t k = 0; k < records.size(); ++k) {
        const size_t b = records[k].pos / kBlockData;
        if (b != block) {
            block = b;
            chars = 0;
        }
        if (records[k].type == kTopicHeader) {
            topicOffset[records[k].topic] = static_cast<uint32_t>(b * 0x8000 + chars);
            headerIndex[records[k].topic] = k;
        } else {
            chars += records[k].chars;
        }
    }
    for (size_t i = 0; i < guide.topics.size(); ++i) {
        Out h;
        const bool last = i + 1 == guide.topics.size();
        h.u32(0); // topic size: not used by the viewer
        h.u32(i == 0 ? kNone : topicOffset[i - 1]);
        h.u32(last ? kNone : topicOffset[i + 1]);
        h.u32(static_cast<uint32_t>(i));
        h.u32(kNone);
        h.u32(TopicPos(records[headerIndex[i] + 1].pos));
        h.u32(last ? kNone : TopicPos(records[headerIndex[i + 1]].pos));
        records[headerIndex[i]].data1 = h.b;
    }

    // The stream, cut into blocks, each with its header.
    Out stream;
    for (size_t k = 0; k < records.size(); ++k) {
        const Record& r = records[k];
        stream.u32(r.size());
        stream.u32(static_cast<uint32_t>(r.data2.size()));
        stream.u32(k == 0 ? kNone : TopicPos(records[k - 1].pos));
        stream.u32(k + 1 == records.size() ? kNone : TopicPos(records[k + 1].pos));
        stream.u32(static_cast<uint32_t>(kLinkHeader + r.data1.size()));
        stream.u8(r.type);
        stream.bytes(r.data1);
        stream.bytes(r.data2);
    }
    Out topic;
    const size_t blocks = (streamSize + kBlockData - 1) / kBlockData;
    for (size_t b = 0; b < blocks; ++b) {
        uint32_t lastLink = kNone, firstLink = kNone, lastHeader = kNone;
        for (const auto& r : records) {
            const size_t rb = r.pos / kBlockData;
            if (rb < b) {
                lastLink = TopicPos(r.pos);
                if (r.type == kTopicHeader)
                    lastHeader = TopicPos(r.pos);
            } else if (rb == b && firstLink == kNone) {
                firstLink = TopicPos(r.pos);
            }
        }
        topic.u32(lastLink);
        topic.u32(firstLink);
        topic.u32(lastHeader);
        const size_t from = b * kBlockData;
        const size_t to = std::min(streamSize, from + kBlockData);
        topic.b.insert(topic.b.end(), stream.b.begin() + static_cast<long>(from),
                       stream.b.begin() + static_cast<long>(to));
        // The viewer copies whole blocks, the last one included.
        topic.pad((b + 1) * kBlockSize);
    }

    // |SYSTEM: the title and where the contents are.
    Out system;
    system.u16(kSystemMagic);
    system.u16(kSystemMinor);
    system.u16(1);
    system.u32(0); // generation date
    system.u16(0); // flags: uncompressed 4 KB blocks
    system.u16(1);
    system.u16(static_cast<uint32_t>(guide.title.size() + 1));
    system.str(guide.title);
    for (size_t i = 0; i < guide.topics.size(); ++i) {
        if (guide.topics[i].name == guide.contents) {
            system.u16(3);
            system.u16(4);
            system.u32(topicOffset[i]);
        }
    }

    // |FONT: one face, a body and a heading descriptor.
    Out font;
    constexpr uint32_t kFaceLength = 32;
    font.u16(1);
    font.u16(2);
    font.u16(8);
    font.u16(8 + kFaceLength);
    font.str("Arial", false);
    font.pad(8 + kFaceLength);
    const uint8_t descriptors[2][3] = {{0x00, 20, 0x03}, {0x01, 28, 0x03}}; // attributes, half points, swiss
    for (const auto& d : descriptors) {
        font.u8(d[0]);
        font.u8(d[1]);
        font.u8(d[2]);
        font.u16(0);
        font.u8(0);
        font.u8(0);
        font.u8(0); // foreground black
        font.u8(0xFF);
        font.u8(0xFF);
        font.u8(0xFF); // background white
    }

    // |CONTEXT: hash -> topic offset, ordered by the signed hash; |CTXOMAP: number -> topic offset.
    std::vector<std::pair<int32_t, uint32_t>> hashes;
    for (size_t i = 0; i < guide.topics.size(); ++i)
        hashes.emplace_back(HelpContextHash(guide.topics[i].name), topicOffset[i]);
    std::sort(hashes.begin(), hashes.end());
    std::vector<std::vector<uint8_t>> contextEntries;
    for (const auto& [hash, offset] : hashes) {
        Out e;
        e.u32(static_cast<uint32_t>(hash));
        e.u32(offset);
        contextEntries.push_back(e.b);
    }
    Out map;
    map.u16(static_cast<uint32_t>(guide.topics.size()));
    for (size_t i = 0; i < guide.topics.size(); ++i) {
        map.u32(guide.topics[i].number);
        map.u32(topicOffset[i]);
    }

    // |KWBTREE: keyword -> count and place in |KWDATA, which lists the topic offsets.
    std::map<std::string, std::vector<uint32_t>, bool (*)(const std::string&, const std::string&)> keywords(LessNoCase);
    for (size_t i = 0; i < guide.topics.size(); ++i)
        for (const auto& k : guide.topics[i].keywords)
            keywords[k].push_back(topicOffset[i]);
    std::vector<std::vector<uint8_t>> keywordEntries;
    Out kwdata;
    for (const auto& [word, offsets] : keywords) {
        Out e;
        e.str(word);
        e.u16(static_cast<uint32_t>(offsets.size()));
        e.u32(static_cast<uint32_t>(kwdata.b.size()));
        for (uint32_t o : offsets)
            kwdata.u32(o);
        keywordEntries.push_back(e.b);
    }

    std::map<std::string, std::vector<uint8_t>> files;
    files["|SYSTEM"] = system.b;
    files["|TOPIC"] = topic.b;
    files["|FONT"] = font.b;
    files["|CONTEXT"] = LeafTree("L4", 0x0002, 0x0800, contextEntries);
    files["|CTXOMAP"] = map.b;
    files["|KWBTREE"] = LeafTree("z24", 0x0002, 0x0800, keywordEntries);
    files["|KWDATA"] = kwdata.b;

    // The file: header, the internal files (each behind its own 9-byte header), then the directory.
    Out out;
    out.pad(16);
    std::vector<std::vector<uint8_t>> directory;
    for (const auto& [name, body] : files) {
        Out e;
        e.str(name);
        e.u32(static_cast<uint32_t>(out.b.size()));
        directory.push_back(e.b);
        out.u32(static_cast<uint32_t>(body.size() + 9));
        out.u32(static_cast<uint32_t>(body.size()));
        out.u8(4);
        out.bytes(body);
    }
    const uint32_t directoryAt = static_cast<uint32_t>(out.b.size());
    const std::vector<uint8_t> tree = LeafTree("z4", 0x0402, 0x0400, directory);
    out.u32(static_cast<uint32_t>(tree.size() + 9));
    out.u32(static_cast<uint32_t>(tree.size()));
    out.u8(4);
    out.bytes(tree);
    Out head;
    head.u32(kFileMagic);
    head.u32(directoryAt);
    head.u32(kNone);
    head.u32(static_cast<uint32_t>(out.b.size()));
    std::copy(head.b.begin(), head.b.end(), out.b.begin());
    return out.b;
}

HelpGuide ReadHelpFile(const std::vector<uint8_t>& f, const std::vector<std::string>& names) {
    if (f.size() < 16 || U32At(f, 0) != kFileMagic || U32At(f, 12) != f.size())
        throw HelpFormatError("not a help file");
    std::map<std::string, std::pair<size_t, size_t>> files; // body start, body end
    ReadTree(f, U32At(f, 4) + 9, [&](In& e) {
        const std::string name = e.str();
        const size_t at = e.u32();
        const size_t used = U32At(f, at + 4);
        if (U32At(f, at) < used + 9 || at + 9 + used > f.size())
            throw HelpFormatError("internal file " + name + " does not fit");
        files[name] = {at + 9, at + 9 + used};
    });
    auto body = [&](const char* name) {
        const auto it = files.find(name);
        if (it == files.end())
            throw HelpFormatError(std::string("no ") + name + " in help file");
        return In{f.data() + it->second.first, f.data() + it->second.second};
    };

    HelpGuide guide;
    In system = body("|SYSTEM");
    if (system.u16() != kSystemMagic)
        throw HelpFormatError("bad |SYSTEM");
    const uint32_t minor = system.u16();
    system.u16();
    system.u32();
    if (minor <= 16 || system.u16() != 0)
        throw HelpFormatError("only uncompressed help files are read");
    uint32_t contentsOffset = kNone;
    while (system.end - system.p >= 4) {
        const uint32_t type = system.u16();
        const uint32_t size = system.u16();
        system.need(size);
        In rec{system.p, system.p + size};
        if (type == 1)
            guide.title = rec.str();
        else if (type == 3)
            contentsOffset = rec.u32();
        system.p += size;
    }

    // The topic stream without the block headers.
    In topicFile = body("|TOPIC");
    std::vector<uint8_t> stream;
    for (const uint8_t* b = topicFile.p; b < topicFile.end; b += kBlockSize) {
        if (topicFile.end - b < static_cast<long>(kBlockHeader))
            break;
        const uint8_t* to = std::min(topicFile.end, b + kBlockSize);
        stream.insert(stream.end(), b + kBlockHeader, to);
    }
    struct Page {
        uint32_t offset;
        size_t topic;
    };
    std::vector<Page> pages;
    std::vector<std::vector<std::pair<int32_t, size_t>>> pendingLinks; // per topic: hash, paragraph
    uint32_t ref = kBlockHeader;
    size_t block = SIZE_MAX;
    uint32_t chars = 0;
    for (size_t guard = 0; ref != kNone; ++guard) {
        if (guard > stream.size())
            throw HelpFormatError("topic links loop");
        const size_t b = (ref - kBlockHeader) >> 14;
        const size_t at = b * kBlockData + ((ref - kBlockHeader) & 0x3FFF);
        if (at + kLinkHeader > stream.size())
            throw HelpFormatError("topic link out of range");
        In link{stream.data() + at, stream.data() + stream.size()};
        const uint32_t blockSize = link.u32();
        const uint32_t size2 = link.u32();
        link.u32();
        const uint32_t next = link.u32();
        const uint32_t size1 = link.u32();
        const uint32_t type = link.u8();
        if (size1 < kLinkHeader || blockSize < size1 || at + blockSize > stream.size() || size2 != blockSize - size1)
            throw HelpFormatError("bad topic link sizes");
        In d1{stream.data() + at + kLinkHeader, stream.data() + at + size1};
        In d2{stream.data() + at + size1, stream.data() + at + blockSize};
        if (b != block) {
            block = b;
            chars = 0;
        }
        if (type == kTopicHeader) {
            HelpTopic t;
            t.title.assign(reinterpret_cast<const char*>(d2.p), static_cast<size_t>(d2.end - d2.p));
            t.title = t.title.substr(0, t.title.find('\0'));
            pages.push_back({static_cast<uint32_t>(b * 0x8000 + chars), guide.topics.size()});
            guide.topics.push_back(t);
            pendingLinks.emplace_back();
        } else if (type == kDisplayText) {
            if (guide.topics.empty())
                throw HelpFormatError("text before the first topic");
            d1.clong();
            const uint32_t length = d1.cushort();
            d1.need(4);
            d1.p += 4;
            const uint32_t bits = d1.u16();
            if (bits & 0x0001)
                d1.clong();
            for (uint32_t bit = 0x0002; bit <= 0x0040; bit <<= 1)
                if (bits & bit)
                    d1.cshort();
            if (bits & 0x0300)
                throw HelpFormatError("borders and tabs are not read");
            HelpParagraph p;
            bool isLink = false;
            int32_t hash = 0;
            uint32_t fontNumber = 0;
            for (;;) {
                if (d2.p >= d2.end)
                    break;
                p.text += d2.str();
                const uint32_t code = d1.u8();
                if (code == 0xFF)
                    break;
                if (code == 0x80) {
                    fontNumber = d1.u16();
                } else if (code == 0xE3 || code == 0xE2) {
                    isLink = true;
                    hash = static_cast<int32_t>(d1.u32());
                } else if (code != 0x82 && code != 0x89) {
                    throw HelpFormatError("unread text code");
                }
            }
            chars += length;
            HelpTopic& t = guide.topics.back();
            const bool titleLine = fontNumber == kFontHeading && t.paragraphs.empty() && !isLink &&
                                   pendingLinks.back().empty() && p.text == t.title;
            if (titleLine) {
                // the topic's title shown as its first line
            } else {
                if (isLink) {
                    p.kind = HelpParagraph::Kind::Link;
                    pendingLinks.back().emplace_back(hash, t.paragraphs.size());
                } else if (bits & kLeftIndent) {
                    p.kind = HelpParagraph::Kind::Bullet;
                    if (p.text.rfind(kBullet, 0) == 0)
                        p.text.erase(0, std::strlen(kBullet));
                }
                t.paragraphs.push_back(p);
            }
        } else {
            throw HelpFormatError("unread topic record type");
        }
        ref = next;
    }
    if (guide.topics.empty())
        throw HelpFormatError("help file without topics");

    // As the viewer finds a page for an offset: the last page starting at or before it.
    auto topicAt = [&](uint32_t offset) -> size_t {
        size_t found = SIZE_MAX;
        uint32_t best = 0;
        for (const auto& pg : pages)
            if (pg.offset <= offset && (found == SIZE_MAX || pg.offset >= best)) {
                best = pg.offset;
                found = pg.topic;
            }
        if (found == SIZE_MAX)
            throw HelpFormatError("offset without a topic");
        return found;
    };
    std::map<int32_t, size_t> byHash;
    ReadTree(f, files.at("|CONTEXT").first, [&](In& e) {
        const int32_t hash = static_cast<int32_t>(e.u32());
        byHash[hash] = topicAt(e.u32());
    });
    for (const auto& name : names) {
        const auto it = byHash.find(HelpContextHash(name));
        if (it != byHash.end())
            guide.topics[it->second].name = name;
    }
    for (size_t i = 0; i < guide.topics.size(); ++i)
        for (const auto& [hash, paragraph] : pendingLinks[i]) {
            const auto it = byHash.find(hash);
            if (it == byHash.end())
                throw HelpFormatError("link to a missing topic");
            guide.topics[i].paragraphs[paragraph].target = guide.topics[it->second].name;
        }
    if (contentsOffset != kNone)
        guide.contents = guide.topics[topicAt(contentsOffset)].name;

    In map = body("|CTXOMAP");
    for (uint32_t n = map.u16(); n > 0; --n) {
        const uint32_t number = map.u32();
        guide.topics[topicAt(map.u32())].number = number;
    }

    if (files.count("|KWBTREE")) {
        In kwdata = body("|KWDATA");
        ReadTree(f, files.at("|KWBTREE").first, [&](In& e) {
            const std::string word = e.str();
            const uint32_t count = e.u16();
            In list{kwdata.p + e.u32(), kwdata.end};
            if (list.p > kwdata.end)
                throw HelpFormatError("keyword data out of range");
            for (uint32_t k = 0; k < count; ++k)
                guide.topics[topicAt(list.u32())].keywords.push_back(word);
        });
    }
    return guide;
}

std::string HelpGuideHtml(const HelpGuide& guide) {
    auto esc = [](const std::string& s) {
        std::string out;
        for (char c : s) {
            switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
            }
        }
        return out;
    };
    std::string h = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"windows-1252\">\n<title>" +
                    esc(guide.title) +
                    "</title>\n<style>body{font-family:Arial,sans-serif;max-width:46em;margin:1em auto;padding:0 "
                    "1em;line-height:1.4}h2{margin-top:2em;border-bottom:1px solid #ccc}</style>\n</head>\n<body>\n"
                    "<h1>" +
                    esc(guide.title) + "</h1>\n";
    for (const auto& t : guide.topics) {
        h += "<section id=\"" + esc(t.name) + "\">\n<h2>" + esc(t.title) + "</h2>\n";
        bool inList = false;
        for (const auto& p : t.paragraphs) {
            const bool item = p.kind != HelpParagraph::Kind::Text;
            if (item && !inList)
                h += "<ul>\n";
            if (!item && inList)
                h += "</ul>\n";
            inList = item;
            if (p.kind == HelpParagraph::Kind::Text)
                h += "<p>" + esc(p.text) + "</p>\n";
            else if (p.kind == HelpParagraph::Kind::Bullet)
                h += "<li>" + esc(p.text) + "</li>\n";
            else
                h += "<li><a href=\"#" + esc(p.target) + "\">" + esc(p.text) + "</a></li>\n";
        }
        if (inList)
            h += "</ul>\n";
        h += "</section>\n";
    }
    return h + "</body>\n</html>\n";
}

} // namespace core
