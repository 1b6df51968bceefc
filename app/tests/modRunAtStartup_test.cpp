#include "app/menu/modRunAtStartup.h"

#include "SettingsFixture.h"
#include "winkit/Scoped.h"

#include <gtest/gtest.h>

namespace {

// Keeps whatever the prefix had under the value, and puts it back.
class RunAtStartupTest : public settings_test::SettingsFileTest {
protected:
    void SetUp() override {
        SettingsFileTest::SetUp();
        saved_ = quillet::RunAtStartupValue();
        Delete();
    }
    void TearDown() override {
        Delete();
        if (!saved_.empty())
            Write(saved_);
        SettingsFileTest::TearDown();
    }
    static void Write(const std::wstring& text) {
        winkit::ScopedKey key;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, quillet::kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                    key.put(), nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExW(key.get(), quillet::kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    static void Delete() {
        winkit::ScopedKey key;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, quillet::kRunKey, 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS)
            ::RegDeleteValueW(key.get(), quillet::kRunValue);
    }
    std::wstring Setting() const {
        wchar_t text[16] = {};
        ::GetPrivateProfileStringW(L"General", L"RunOnStartup", L"(none)", text, 16, path().c_str());
        return text;
    }
    static std::wstring OwnPath() {
        wchar_t path[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        return path;
    }

    std::wstring saved_;
};

} // namespace

TEST(RunAtStartupCommand, QuotesThePathSoBlanksCannotSplitIt) {
    EXPECT_EQ(quillet::RunAtStartupCommand(L"C:\\Program Files\\Quillet\\Quillet.exe"),
              L"\"C:\\Program Files\\Quillet\\Quillet.exe\" nowindow");
    EXPECT_EQ(quillet::RunAtStartupCommand(L"C:\\Q\\Quillet.exe"), L"\"C:\\Q\\Quillet.exe\" nowindow");
}

TEST_F(RunAtStartupTest, SwitchingOnWritesTheValueTheSettingAndTheCheckMark) {
    bool checked = false;
    quillet::SwitchRunAtStartup(true, [&](bool on) { checked = on; });
    EXPECT_TRUE(checked);
    EXPECT_EQ(Setting(), L"1");
    EXPECT_EQ(quillet::RunAtStartupValue(), L"\"" + OwnPath() + L"\" nowindow");

    quillet::SwitchRunAtStartup(false, [&](bool on) { checked = on; });
    EXPECT_FALSE(checked);
    EXPECT_EQ(Setting(), L"0");
    EXPECT_EQ(quillet::RunAtStartupValue(), L"");
    winkit::ScopedKey key;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, quillet::kRunKey, 0, KEY_QUERY_VALUE, key.put()), ERROR_SUCCESS);
    EXPECT_EQ(::RegQueryValueExW(key.get(), quillet::kRunValue, nullptr, nullptr, nullptr, nullptr),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(RunAtStartupTest, SwitchingOffClearsTheSettingEvenWhenTheValueIsAlreadyGone) {
    // The value was removed by hand while the setting still says "on": the next start must not turn it on.
    ASSERT_TRUE(::WritePrivateProfileStringW(L"General", L"RunOnStartup", L"1", path().c_str()));
    quillet::SwitchRunAtStartup(false);
    EXPECT_EQ(Setting(), L"0");
    EXPECT_EQ(quillet::RunAtStartupValue(), L"");
}
