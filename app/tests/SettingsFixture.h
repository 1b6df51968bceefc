#pragma once
// A throwaway settings file for the in-process tests of the settings store, and a user who answers the
// one message box the code under test shows.
#include "app/shell/modInitialization.h"
#include "app/shell/modSettings.h"
#include "testkit/Dialogs.h"
#include "testkit/Files.h"

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <string>

namespace settings_test {

class SettingsFileTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder_.path().empty());
        savedSettings_ = quillet::SettingsFile;
        savedProjects_ = quillet::ProjectsFolder;
        quillet::SettingsFile = folder_.path() + L"settings.ini";
        quillet::ProjectsFolder.clear();
        quillet::SettingsHooks() = {};
    }
    void TearDown() override {
        quillet::SettingsHooks() = {};
        quillet::SettingsFile = savedSettings_;
        quillet::ProjectsFolder = savedProjects_;
    }
    const std::wstring& path() const { return quillet::SettingsFile; }

private:
    testkit::TempFolder folder_{L"quillet-settings"};
    std::wstring savedSettings_;
    std::wstring savedProjects_;
};

struct Answered {
    bool appeared = false;
    testkit::DialogContents contents;
};

// Runs `act` on this thread while another thread, as the user, reads the box titled `title` and
// presses `button`.
inline Answered AnswerWhile(const std::function<void()>& act, const std::wstring& title, int button,
                            DWORD timeoutMs = 10000) {
    auto user = std::async(std::launch::async, [&] {
        Answered a;
        if (HWND box = testkit::WaitForDialog(::GetCurrentProcessId(), title, timeoutMs)) {
            a.appeared = true;
            a.contents = testkit::ReadDialog(box);
            testkit::PressButton(box, button);
        }
        return a;
    });
    act();
    return user.get();
}

} // namespace settings_test
