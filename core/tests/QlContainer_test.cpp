#include "core/QlContainer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using core::ContainerFault;
using core::ContainerWriter;
using core::IsSafeEntryName;
using core::ReadContainer;

namespace {

// Builds container bytes by hand, straight from the format: no code under test involved.
struct Bytes {
    std::vector<std::uint8_t> b;
    Bytes& i32(std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int k = 0; k < 4; ++k)
            b.push_back(static_cast<std::uint8_t>(u >> (8 * k)));
        return *this;
    }
    Bytes& i16(std::int16_t v) {
        const auto u = static_cast<std::uint16_t>(v);
        b.push_back(static_cast<std::uint8_t>(u));
        b.push_back(static_cast<std::uint8_t>(u >> 8));
        return *this;
    }
    Bytes& raw(const std::string& s) {
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    Bytes& entry(const std::string& name, const std::string& data) {
        return i16(static_cast<std::int16_t>(name.size())).raw(name).i32(static_cast<std::int32_t>(data.size())).raw(data);
    }
};

struct Seen {
    std::string name;
    std::string data;
};

std::vector<Seen> ReadAll(const std::vector<std::uint8_t>& bytes, core::ContainerReadResult* result) {
    std::vector<Seen> seen;
    *result = ReadContainer(bytes.data(), bytes.size(), [&](const core::ContainerEntryView& e) {
        seen.push_back({std::string(e.name), std::string(reinterpret_cast<const char*>(e.data), e.size)});
        return true;
    });
    return seen;
}

} // namespace

TEST(ReadContainer, ReadsEntriesInFileOrderWithTheirBytesUnchanged) {
    const std::string binary("\0\xff\r\n", 4);
    const auto bytes = Bytes().i32(3).entry("ql.ini", "[Clip1]\r\n").entry("clip1.dat", "").entry("b.bin", binary).b;
    core::ContainerReadResult r;
    const auto seen = ReadAll(bytes, &r);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.declaredCount, 3);
    EXPECT_EQ(r.entriesRead, 3);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].name, "ql.ini");
    EXPECT_EQ(seen[0].data, "[Clip1]\r\n");
    EXPECT_EQ(seen[1].name, "clip1.dat");
    EXPECT_EQ(seen[1].data, "");
    EXPECT_EQ(seen[2].data, binary);
}

TEST(ReadContainer, EmptyContainerHasNoEntries) {
    core::ContainerReadResult r;
    EXPECT_TRUE(ReadAll(Bytes().i32(0).b, &r).empty());
    EXPECT_TRUE(r.ok());
}

TEST(ReadContainer, FaultsStopTheReadAndKeepWhatCameBefore) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        ContainerFault fault;
        std::size_t visited;
    };
    const Case cases[] = {
        {"no count", Bytes().raw("\x01\x00").b, ContainerFault::Truncated, 0},
        {"negative count", Bytes().i32(-1).b, ContainerFault::NegativeCount, 0},
        {"count larger than the entries", Bytes().i32(2).entry("a", "x").b, ContainerFault::Truncated, 1},
        {"huge count", Bytes().i32(0x7fffffff).entry("a", "x").b, ContainerFault::Truncated, 1},
        {"negative name length", Bytes().i32(2).entry("a", "x").i16(-5).b, ContainerFault::NegativeNameLength, 1},
        {"name past the end", Bytes().i32(1).i16(300).raw("abc").b, ContainerFault::Truncated, 0},
        {"negative data length", Bytes().i32(1).i16(1).raw("a").i32(-1).b, ContainerFault::NegativeDataLength, 0},
        {"data past the end", Bytes().i32(1).i16(1).raw("a").i32(0x7fffffff).raw("xyz").b, ContainerFault::Truncated,
         0},
        {"half a data length", Bytes().i32(1).i16(1).raw("a").raw("\x01\x00").b, ContainerFault::Truncated, 0},
    };
    for (const Case& c : cases) {
        core::ContainerReadResult r;
        const auto seen = ReadAll(c.bytes, &r);
        EXPECT_EQ(r.fault, c.fault) << c.what;
        EXPECT_EQ(seen.size(), c.visited) << c.what;
    }
}

TEST(ReadContainer, UnsafeNamesAreSkippedAndTheReadGoesOn) {
    const auto bytes = Bytes()
                           .i32(4)
                           .entry("..\\evil.dll", "MZ")
                           .entry("clip1.dat", "one")
                           .entry("C:\\Windows\\x", "y")
                           .entry("clip2.dat", "two")
                           .b;
    core::ContainerReadResult r;
    const auto seen = ReadAll(bytes, &r);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.refusedNames, 2);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].name, "clip1.dat");
    EXPECT_EQ(seen[1].name, "clip2.dat");
}

TEST(ReadContainer, TheVisitorCanStopTheRead) {
    const auto bytes = Bytes().i32(2).entry("a", "1").entry("b", "2").b;
    int visits = 0;
    const auto r = ReadContainer(bytes.data(), bytes.size(), [&](const core::ContainerEntryView&) {
        ++visits;
        return false;
    });
    EXPECT_EQ(visits, 1);
    EXPECT_TRUE(r.ok());
}

TEST(IsSafeEntryName, AcceptsPlainFileNames) {
    for (const char* name : {"ql.ini", "clip30.dat", "ql1234567.ini", "a", "name with blanks.txt", "\xe9t\xe9.dat"})
        EXPECT_TRUE(IsSafeEntryName(name)) << name;
}

TEST(IsSafeEntryName, RefusesNamesThatLeaveTheFolderOrOpenDevices) {
    for (const char* name :
         {"", ".", "..", "..\\x", "a/../b", "sub\\file", "sub/file", "C:x", "C:\\x", "\\\\server\\share", "a..b",
          "CON", "con.txt", "Nul", "aux.dat", "COM1", "lpt9.ini", "CON .txt", "CONOUT$", "x.", "x ", "a*b", "a?b",
          "a|b", "a<b", "a>b", "a\"b", "tab\tname"})
        EXPECT_FALSE(IsSafeEntryName(name)) << name;
    EXPECT_TRUE(IsSafeEntryName("COM0")) << "only COM1 to COM9 are devices";
    EXPECT_TRUE(IsSafeEntryName("CONSOLE.txt"));
    EXPECT_FALSE(IsSafeEntryName(std::string(256, 'a')));
    EXPECT_TRUE(IsSafeEntryName(std::string(255, 'a')));
}

TEST(ContainerWriter, WritesTheFormatByteForByte) {
    std::vector<std::uint8_t> out;
    ContainerWriter writer([&](const std::uint8_t* p, std::size_t n) {
        out.insert(out.end(), p, p + n);
        return true;
    });
    const std::string data = "hello";
    ASSERT_TRUE(writer.Begin(2));
    ASSERT_TRUE(writer.Entry("ql.ini", reinterpret_cast<const std::uint8_t*>(data.data()), data.size()));
    ASSERT_TRUE(writer.Entry("e.dat", nullptr, 0));
    EXPECT_EQ(out, Bytes().i32(2).entry("ql.ini", "hello").entry("e.dat", "").b);
}

TEST(ContainerWriter, ReportsASinkThatCannotWrite) {
    int calls = 0;
    ContainerWriter writer([&](const std::uint8_t*, std::size_t) { return ++calls < 3; });
    ASSERT_TRUE(writer.Begin(1));
    EXPECT_FALSE(writer.Entry("abc", reinterpret_cast<const std::uint8_t*>("xyz"), 3));
    EXPECT_FALSE(writer.Begin(-1));
}
