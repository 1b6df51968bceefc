// Reading numbers out of hand-edited settings text.
#include "core/SettingValue.h"

#include <gtest/gtest.h>

#include <climits>

using core::IsFlagOn;
using core::IsNonZero;
using core::LeadingNumber;
using core::SettingInteger;

TEST(LeadingNumber, TextWithoutALeadingNumberIsZero) {
    for (const wchar_t* text : {L"", L"   ", L"abc", L"-", L"+", L".", L"-.", L"e5", L"x12", L"\x00A0" L"5"})
        EXPECT_EQ(LeadingNumber(text), 0.0) << "text: [" << testing::PrintToString(std::wstring(text)) << "]";
}

TEST(LeadingNumber, TakesTheNumberAtTheStartAndIgnoresTheRest) {
    EXPECT_EQ(LeadingNumber(L"12abc"), 12.0);
    EXPECT_EQ(LeadingNumber(L"  \t42"), 42.0);
    EXPECT_EQ(LeadingNumber(L"7 8"), 7.0);
    EXPECT_EQ(LeadingNumber(L"-5"), -5.0);
    EXPECT_EQ(LeadingNumber(L"+3"), 3.0);
    EXPECT_EQ(LeadingNumber(L"2.75kg"), 2.75);
    EXPECT_EQ(LeadingNumber(L".5"), 0.5);
    EXPECT_EQ(LeadingNumber(L"-0.25"), -0.25);
    EXPECT_EQ(LeadingNumber(L"3."), 3.0);
    EXPECT_EQ(LeadingNumber(L"1.2.3"), 1.2);
}

TEST(LeadingNumber, ExponentCountsOnlyWithDigits) {
    EXPECT_EQ(LeadingNumber(L"2e3"), 2000.0);
    EXPECT_EQ(LeadingNumber(L"2E-1"), 0.2);
    EXPECT_EQ(LeadingNumber(L"2e"), 2.0);
    EXPECT_EQ(LeadingNumber(L"2e+"), 2.0);
    EXPECT_EQ(LeadingNumber(L"2ex"), 2.0);
}

TEST(SettingInteger, RoundsToTheNearestWholeNumberHalvesAwayFromZero) {
    EXPECT_EQ(SettingInteger(L"2.4", 0, 255), 2);
    EXPECT_EQ(SettingInteger(L"2.5", 0, 255), 3);
    EXPECT_EQ(SettingInteger(L"2.6", 0, 255), 3);
    EXPECT_EQ(SettingInteger(L"-2.5", -10, 10), -3);
    EXPECT_EQ(SettingInteger(L"-0.4", -10, 10), 0);
    EXPECT_EQ(SettingInteger(L"", 0, 255), 0);
    EXPECT_EQ(SettingInteger(L"junk", 0, 255), 0);
}

TEST(SettingInteger, ValuesOutsideTheRangeAreRejectedNotWrapped) {
    EXPECT_EQ(SettingInteger(L"999", 0, 255), std::nullopt);
    EXPECT_EQ(SettingInteger(L"256", 0, 255), std::nullopt);
    EXPECT_EQ(SettingInteger(L"255.4", 0, 255), 255);
    EXPECT_EQ(SettingInteger(L"255.5", 0, 255), std::nullopt);
    EXPECT_EQ(SettingInteger(L"-1", 0, 255), std::nullopt);
    EXPECT_EQ(SettingInteger(L"32768", -32768, 32767), std::nullopt);
    EXPECT_EQ(SettingInteger(L"-32768", -32768, 32767), -32768);
    EXPECT_EQ(SettingInteger(L"1e999", INT_MIN, INT_MAX), std::nullopt);
    EXPECT_EQ(SettingInteger(L"-1e999", INT_MIN, INT_MAX), std::nullopt);
    EXPECT_EQ(SettingInteger(L"99999999999999999999999", LLONG_MIN, LLONG_MAX), std::nullopt);
}

TEST(SettingFlags, OnOnlyWhenTheNumberIsOneUnlessAnyNonZeroCounts) {
    EXPECT_TRUE(IsFlagOn(L"1"));
    EXPECT_TRUE(IsFlagOn(L" 1 "));
    EXPECT_TRUE(IsFlagOn(L"1abc"));
    EXPECT_FALSE(IsFlagOn(L"2"));
    EXPECT_FALSE(IsFlagOn(L"0"));
    EXPECT_FALSE(IsFlagOn(L""));
    EXPECT_FALSE(IsFlagOn(L"-1"));
    EXPECT_FALSE(IsFlagOn(L"yes"));

    EXPECT_TRUE(IsNonZero(L"2"));
    EXPECT_TRUE(IsNonZero(L"-1"));
    EXPECT_TRUE(IsNonZero(L"1"));
    EXPECT_FALSE(IsNonZero(L"0"));
    EXPECT_FALSE(IsNonZero(L""));
    EXPECT_FALSE(IsNonZero(L"0.2"));
}
