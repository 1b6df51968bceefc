#include "core/TypeLibEnumDocs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

using core::AddEnumConstantDocs;
using core::EnumConstantDoc;
using core::ReadEnumConstantDocs;
using core::TypeLibFormatError;

namespace {

// data/typelib/EnumSample.idl as the IDL compiler writes it: two enumerations that share a constant name,
// one constant that already has an extended record, a dual interface with help strings and default
// values, a one-constant enumeration and a class with no members after them.
std::vector<uint8_t> Sample() {
    std::ifstream in(QUILLET_TESTDATA_DIR "/typelib/EnumSample.tlb", std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace

TEST(TypeLibEnumDocs, EveryConstantGetsItsOwnNameAndTheRestOfTheLibraryStays) {
    const std::vector<uint8_t> original = Sample();
    ASSERT_GT(original.size(), 1000u);
    const std::vector<EnumConstantDoc> before = ReadEnumConstantDocs(original);
    const std::vector<EnumConstantDoc> expectedBefore = {
        {"SHAPE", "ROUND", std::nullopt},
        {"SHAPE", "SQUARE", std::nullopt},
        {"SHAPE", "LONG_SHAPE", std::nullopt},
        {"SIZE_KIND", "SMALL", std::nullopt},
        {"SIZE_KIND", "ROUND_SIZE", std::nullopt},
        {"SIZE_KIND", "SQUARE", std::nullopt},
        {"ONE", "ONLY", std::nullopt},
    };
    EXPECT_EQ(before, expectedBefore);

    const std::vector<uint8_t> patched = AddEnumConstantDocs(original);
    std::vector<EnumConstantDoc> expected = expectedBefore;
    for (EnumConstantDoc& c : expected)
        c.doc = c.name;
    EXPECT_EQ(ReadEnumConstantDocs(patched), expected);

    // Six short records grow by a help context and a help string; the extended one keeps its size and
    // gets its string in place. SQUARE, in both enumerations, is stored once: ROUND SQUARE SMALL ONLY in
    // 8 bytes, LONG_SHAPE ROUND_SIZE in 12.
    EXPECT_EQ(patched.size(), original.size() + 6 * 8 + 4 * 8 + 2 * 12);

    // The interface's block follows the string table and the first two enumerations, so it moves by
    // everything but the last enumeration's growth, its records whole.
    const std::vector<uint8_t> drawRecord = {0x40, 0, 0, 0, 0x19, 0, 0x19, 0x80};
    auto find = [&](const std::vector<uint8_t>& b) {
        return std::search(b.begin(), b.end(), drawRecord.begin(), drawRecord.end()) - b.begin();
    };
    ASSERT_LT(find(original), static_cast<std::ptrdiff_t>(original.size()));
    EXPECT_EQ(find(patched) - find(original), static_cast<std::ptrdiff_t>(patched.size() - original.size()) - 8);

    // Done once is done: a second pass finds every constant documented.
    EXPECT_EQ(AddEnumConstantDocs(patched), patched);
}

TEST(TypeLibEnumDocs, DamagedFilesAreRefusedWithoutReadingOutsideThem) {
    const std::vector<uint8_t> original = Sample();
    ASSERT_FALSE(original.empty());
    EXPECT_THROW(AddEnumConstantDocs({}), TypeLibFormatError);
    std::vector<uint8_t> notOne = original;
    notOne[0] = 'X';
    EXPECT_THROW(ReadEnumConstantDocs(notOne), TypeLibFormatError);

    // Every truncation: either the enumerations are still whole (the cut is past them) or it is refused.
    for (size_t length = 0; length < original.size(); ++length) {
        const std::vector<uint8_t> cut(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(length));
        try {
            ReadEnumConstantDocs(cut);
            AddEnumConstantDocs(cut);
        } catch (const TypeLibFormatError&) {
        }
    }
    // Every 32-bit field set to values that point elsewhere: the sanitizers watch every read.
    const uint32_t values[] = {0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0x10000u, 4u};
    size_t refused = 0;
    for (size_t at = 0; at + 4 <= original.size(); at += 4) {
        for (uint32_t v : values) {
            std::vector<uint8_t> bad = original;
            for (size_t i = 0; i < 4; ++i)
                bad[at + i] = static_cast<uint8_t>(v >> (8 * i));
            try {
                const std::vector<uint8_t> out = AddEnumConstantDocs(bad);
                ReadEnumConstantDocs(out);
            } catch (const TypeLibFormatError&) {
                ++refused;
            }
        }
    }
    EXPECT_GT(refused, 0u);
}
