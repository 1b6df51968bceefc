#include "core/ClipSlot.h"

#include <gtest/gtest.h>

using core::ClipSlot;

TEST(EmptyClipMarker, IsEmptyFollowedBySixNoBreakSpaces) {
    EXPECT_EQ(core::EmptyClipMarker.size(), 11u);
    EXPECT_EQ(core::EmptyClipMarker.substr(0, 5), L"Empty");
    for (std::size_t i = 5; i < 11; ++i)
        EXPECT_EQ(core::EmptyClipMarker[i], wchar_t(0xA0));
    EXPECT_TRUE(core::IsEmptyClipText(L""));
    EXPECT_TRUE(core::IsEmptyClipText(core::EmptyClipMarker));
    EXPECT_FALSE(core::IsEmptyClipText(L"Empty"));
    EXPECT_FALSE(core::IsEmptyClipText(L" "));
}

TEST(IndexLines, FourLinesPerSlotEndedByCrLf) {
    ClipSlot clip;
    clip.format = core::kFormatTxtLong;
    clip.text = L"Letter head";
    EXPECT_EQ(core::IndexLines(12, clip, 3), L"[Clip12]\r\nFormat = TXT-LONG\r\nName = Letter head\r\nMethod = 3\r\n");
}

TEST(IndexLines, AnEmptySlotIsOneLineTextNamedByTheMarker) {
    ClipSlot clip;
    EXPECT_EQ(core::IndexLines(1, clip, 1),
              L"[Clip1]\r\nFormat = TXT-SIMPLE\r\nName = Empty\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0\r\nMethod = 1\r\n");
    EXPECT_EQ(core::DataFileText(clip), L"Empty\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0\r\n");
}

TEST(DataFileText, OneLineClipsStoreTheirTextOthersTheirData) {
    ClipSlot simple;
    simple.text = L"hello";
    EXPECT_EQ(core::DataFileText(simple), L"hello\r\n");
    ClipSlot rtf;
    rtf.format = core::kFormatRtf;
    rtf.text = L"name";
    rtf.data = L"{\\rtf1 x}";
    EXPECT_EQ(core::DataFileText(rtf), L"{\\rtf1 x}\r\n");
    EXPECT_EQ(core::DataFileName(7), "clip7.dat");
}

TEST(FirstLine, KeepsOnlyTheFirstLine) {
    EXPECT_EQ(core::FirstLine(L"one\r\ntwo\r\n"), L"one");
    EXPECT_EQ(core::FirstLine(L"one"), L"one");
    EXPECT_EQ(core::FirstLine(L"\r\ntwo"), L"");
    EXPECT_EQ(core::FirstLine(L"a\nb\rc"), L"a\nb") << "a lone LF does not end a line";
}

TEST(JoinedLines, WhatWasWrittenComesBackExceptLeadingEmptyLines) {
    // Each case: the clip's data; the data file is that plus CR LF.
    struct Case {
        const wchar_t* data;
        const wchar_t* loaded;
    };
    const Case cases[] = {
        {L"one\r\ntwo", L"one\r\ntwo"},
        {L"ends with a break\r\n", L"ends with a break\r\n"},
        {L"a\r\n\r\nb", L"a\r\n\r\nb"},
        {L"\r\n\r\nstarts late", L"starts late"},
        {L"", L""},
        {L"\r\n", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::JoinedLines(std::wstring(c.data) + L"\r\n"), c.loaded) << c.data;
    EXPECT_EQ(core::JoinedLines(L"no break at the end"), L"no break at the end");
    EXPECT_EQ(core::JoinedLines(L"cr\ronly"), L"cr\r\nonly");
}

TEST(NormalizedFormat, UpperCasesTheStoredTag) {
    EXPECT_EQ(core::NormalizedFormat(L"rtf"), L"RTF");
    EXPECT_EQ(core::NormalizedFormat(L"Txt-Long"), L"TXT-LONG");
    EXPECT_EQ(core::NormalizedFormat(L"IMG"), L"IMG");
}
