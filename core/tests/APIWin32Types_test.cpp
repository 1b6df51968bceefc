#include "core/APIWin32Types.h"

#include <gtest/gtest.h>

#include <cstring>

#include <string>

namespace {

template <std::size_t N> void ExpectContiguous(const core::RecordLayout<N>& layout) {
    // No field overlaps the next, and the last ends inside the record.
    for (std::size_t i = 1; i < N; ++i)
        EXPECT_GE(layout.fields[i].offset, layout.fields[i - 1].offset + layout.fields[i - 1].size)
            << layout.fields[i].name;
    EXPECT_LE(layout.fields[N - 1].offset + layout.fields[N - 1].size, layout.size);
}

} // namespace

TEST(APIWin32Types, RecordsHaveTheSystemsSizesAndOffsetsForBothPointerWidths) {
    constexpr auto tray32 = core::NotifyIconDataLayout(4);
    static_assert(tray32.size == 488);
    EXPECT_EQ(tray32["hWnd"].offset, 4u);
    EXPECT_EQ(tray32["hIcon"].offset, 20u);
    EXPECT_EQ(tray32["szTip"].offset, 24u);
    EXPECT_EQ(tray32["szInfo"].offset, 160u);
    EXPECT_EQ(tray32["uTimeout"].offset, 416u);
    EXPECT_EQ(tray32["szInfoTitle"].offset, 420u);
    EXPECT_EQ(tray32["dwInfoFlags"].offset, 484u);
    constexpr auto tray64 = core::NotifyIconDataLayout(8);
    EXPECT_EQ(tray64.size, 504u) << "handles are 8 bytes and 8-aligned";
    EXPECT_EQ(tray64["hWnd"].offset, 8u);
    EXPECT_EQ(tray64["hIcon"].offset, 32u);
    EXPECT_EQ(tray64["szInfoTitle"].offset, 436u);

    constexpr auto tool32 = core::ToolInfoLayout(4);
    static_assert(tool32.size == 44);
    EXPECT_EQ(tool32["uId"].offset, 12u);
    EXPECT_EQ(tool32["rect"].offset, 16u);
    EXPECT_EQ(tool32["lpszText"].offset, 36u);
    constexpr auto tool64 = core::ToolInfoLayout(8);
    EXPECT_EQ(tool64.size, 64u);
    EXPECT_EQ(tool64["rect"].offset, 24u);
    EXPECT_EQ(tool64["lpszText"].offset, 48u);

    constexpr auto version = core::OsVersionInfoExLayout();
    static_assert(version.size == 156);
    EXPECT_EQ(version["szCSDVersion"].offset, 20u);
    EXPECT_EQ(version["wServicePackMajor"].offset, 148u);
    EXPECT_EQ(version["wSuiteMask"].offset, 152u);
    EXPECT_EQ(version["wReserved"].offset, 155u);

    ExpectContiguous(tray32);
    ExpectContiguous(tray64);
    ExpectContiguous(tool32);
    ExpectContiguous(tool64);
    ExpectContiguous(version);
}

TEST(APIWin32Types, TextsAreCutToTheirFieldAndAlwaysTerminated) {
    char field[8];
    std::memset(field, 'x', sizeof(field));
    core::CopyToField(field, sizeof(field), "abc");
    EXPECT_EQ(std::string(field, sizeof(field)), std::string("abc\0\0\0\0\0", 8)) << "the rest is zeroed";

    // Two guard bytes behind the field must survive a text far longer than it.
    char guarded[10];
    std::memset(guarded, '#', sizeof(guarded));
    core::CopyToField(guarded, 8, std::string(500, 'a'));
    EXPECT_EQ(std::string(guarded, 10), std::string("aaaaaaa\0##", 10));
    EXPECT_EQ(core::FieldText(guarded, 8), "aaaaaaa");

    // A double-byte character whose trail byte would fall on the NUL is dropped whole.
    auto lead = [](char c) { return static_cast<unsigned char>(c) >= 0x81; };
    core::CopyToField(field, sizeof(field), "abcdef\x82\xa0", lead);
    EXPECT_EQ(core::FieldText(field, sizeof(field)), "abcdef");

    const char full[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(core::FieldText(full, sizeof(full)), "abcd") << "a field without NUL is read to its end, no further";
    EXPECT_EQ(core::FieldText("tip\0more", 8), "tip");
}
