#include "core/IniText.h"

#include <gtest/gtest.h>

// A project's index is read from memory the way the profile reader read it from the work folder.
TEST(IniText, ReadsValuesAsTheProfileReaderDoes) {
    const core::IniText ini(L"Format=ignored before any section\r\n"
                            L"[Clip1]\r\n"
                            L"Format=TXT-SIMPLE\r\n"
                            L"  name  =   \"  quoted, blanks kept inside  \"  \r\n"
                            L"Method=2\n"
                            L"Method=3\n"
                            L"[ clip2 ]\n"
                            L"Name='single'\n"
                            L"Empty=\n"
                            L"NoEquals\n"
                            L"Odd=\"unmatched\n"
                            L"[CLIP1]\n"
                            L"Extra=from the second section of the same name\n");
    EXPECT_EQ(ini.Value(L"Clip1", L"Format"), L"TXT-SIMPLE");
    EXPECT_EQ(ini.Value(L"CLIP1", L"NAME"), L"  quoted, blanks kept inside  ") << "case, blanks, one pair of quotes";
    EXPECT_EQ(ini.Value(L"Clip1", L"Method"), L"2") << "the first of a repeated key";
    EXPECT_EQ(ini.Value(L"Clip2", L"Name"), L"single");
    EXPECT_EQ(ini.Value(L"Clip2", L"Empty"), L"");
    EXPECT_EQ(ini.Value(L"Clip2", L"NoEquals"), L"");
    EXPECT_EQ(ini.Value(L"Clip2", L"Odd"), L"\"unmatched");
    EXPECT_EQ(ini.Value(L"Clip1", L"Extra"), L"") << "the first section of a repeated name answers";
    EXPECT_EQ(ini.Value(L"Clip3", L"Format"), L"");
    EXPECT_EQ(ini.Value(L"Clip2", L"Format"), L"");

    const core::IniText longValue(L"[Clip1]\nName=" + std::wstring(300, L'x') + L"\n");
    EXPECT_EQ(longValue.Value(L"Clip1", L"Name"), std::wstring(254, L'x'));
    EXPECT_EQ(core::IniText(L"").Value(L"Clip1", L"Name"), L"");
}
