#include "core/ByteValue.h"

#include <gtest/gtest.h>

using core::ParseByteValue;

TEST(ParseByteValue, ReadsDecimalNumbersThatFitAByte) {
    EXPECT_EQ(ParseByteValue(L"1"), 1);
    EXPECT_EQ(ParseByteValue(L"4"), 4);
    EXPECT_EQ(ParseByteValue(L" 3 "), 3);
    EXPECT_EQ(ParseByteValue(L"+2"), 2);
    EXPECT_EQ(ParseByteValue(L"0"), 0);
    EXPECT_EQ(ParseByteValue(L"255"), 255);
    EXPECT_EQ(ParseByteValue(L"007"), 7);
}

TEST(ParseByteValue, RoundsHalvesToEven) {
    EXPECT_EQ(ParseByteValue(L"2.5"), 2);
    EXPECT_EQ(ParseByteValue(L"3.5"), 4);
    EXPECT_EQ(ParseByteValue(L"1.49"), 1);
    EXPECT_EQ(ParseByteValue(L"-0.4"), 0);
}

TEST(ParseByteValue, GivesNothingForTextThatIsNoByte) {
    for (const wchar_t* text : {L"", L" ", L"abc", L"12abc", L"256", L"-1", L"1e3", L".", L"+", L"99999999999999"})
        EXPECT_FALSE(ParseByteValue(text).has_value()) << text;
}
