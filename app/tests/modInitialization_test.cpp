// Start-up pieces that run in-process: registering the interop library and the splash's steps.
#include "app/shell/frmSplash.h"
#include "app/shell/modInitialization.h"
#include "testkit/Files.h"
#include "winkit/Scoped.h"
#include "winkit/Wait.h"

#include <gtest/gtest.h>

using quillet::frmSplash;
using quillet::RegisterLibrary;
using quillet::Splash;
using quillet::SplashStep;

namespace {

bool ClassesKeyExists(const wchar_t* subKey) {
    winkit::ScopedKey key;
    return ::RegOpenKeyExW(HKEY_CLASSES_ROOT, subKey, 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

// Leaves the library unregistered, whatever state an earlier test left it in.
void UnregisterSyslinkage() {
    winkit::ScopedModule library(::LoadLibraryW((testkit::ExecutableFolder() + L"Syslinkage.dll").c_str()));
    ASSERT_TRUE(library);
    using Entry = HRESULT(STDAPICALLTYPE*)();
    FARPROC entry = ::GetProcAddress(library.get(), "DllUnregisterServer");
    ASSERT_NE(entry, nullptr);
    reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(entry))();
}

} // namespace

TEST(RegisterLibrary, RunsTheLibrarysOwnRegistration) {
    UnregisterSyslinkage();
    ASSERT_FALSE(ClassesKeyExists(L"Syslinkage.System\\CLSID"));
    EXPECT_EQ(RegisterLibrary(L"Syslinkage.dll"), quillet::kRegisterRan);
    EXPECT_TRUE(ClassesKeyExists(L"Syslinkage.System\\CLSID"));
    UnregisterSyslinkage();
}

TEST(RegisterLibrary, StatusNamesWhatWentWrong) {
    EXPECT_EQ(RegisterLibrary(L""), quillet::kRegisterNoName);
    EXPECT_EQ(RegisterLibrary(L"NoSuchLibrary.dll"), quillet::kRegisterNotLoaded);
    // A real library without the entry point.
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(RegisterLibrary(std::wstring(system) + L"\\version.dll"), quillet::kRegisterNoEntry);
    // A bare name is looked for in the program folder only, not along the search path.
    EXPECT_EQ(RegisterLibrary(L"version.dll"), quillet::kRegisterNotLoaded);
}

namespace {

class SplashSteps : public testing::Test {
protected:
    void SetUp() override {
        quillet::DisableSplash = 0;
        ASSERT_TRUE(Splash().Load());
        Splash().Show();
    }
    void TearDown() override {
        Splash().Unload();
        quillet::DisableSplash = 0;
    }
    static std::wstring Info() {
        wchar_t text[128] = {};
        ::GetDlgItemTextW(Splash().hwnd(), frmSplash::kInfoId, text, 128);
        return text;
    }
    static int VisibleBlocks() {
        int n = 0;
        for (int i = 0; i < frmSplash::kBlocks; ++i)
            n += ::IsWindowVisible(::GetDlgItem(Splash().hwnd(), frmSplash::kFirstBlockId + i)) ? 1 : 0;
        return n;
    }
};

} // namespace

TEST_F(SplashSteps, StepsSetTheLabelAndFillTheRow) {
    EXPECT_EQ(VisibleBlocks(), 1);
    SplashStep(0);
    EXPECT_EQ(Info(), L"Preloading...");
    EXPECT_EQ(VisibleBlocks(), 1);
    SplashStep(1);
    EXPECT_EQ(Info(), L"Temp dirs...");
    EXPECT_EQ(VisibleBlocks(), 2);
    SplashStep(5); // no text of its own
    EXPECT_EQ(Info(), L"Temp dirs...");
    SplashStep(6); // no such step
    EXPECT_EQ(Info(), L"Temp dirs...");
    SplashStep(8);
    EXPECT_EQ(Info(), L"Hooking to clipboard chain...");
    EXPECT_EQ(VisibleBlocks(), 3);
    // More steps than blocks never run past the row.
    for (int i = 0; i < 20; ++i)
        Splash().ShowNext();
    EXPECT_EQ(VisibleBlocks(), frmSplash::kBlocks);
}

TEST_F(SplashSteps, DisabledSplashShowsNoStep) {
    quillet::DisableSplash = 1;
    SplashStep(3);
    SplashStep(7);
    EXPECT_EQ(Info(), L"");
    EXPECT_EQ(VisibleBlocks(), 1);
}

TEST_F(SplashSteps, LastStepHidesTheSplashByItsTimer) {
    SplashStep(11);
    EXPECT_EQ(Info(), L"Loading finnished.");
    EXPECT_TRUE(winkit::WaitUntil([] { return !Splash().loaded(); }, 5000)) << "tmrHide never fired";
}

TEST_F(SplashSteps, BlocksRunFromNearBlackToWhite) {
    winkit::WindowDC dc(Splash().hwnd());
    int previous = -1;
    for (int i = 0; i < frmSplash::kBlocks; ++i) {
        HWND block = ::GetDlgItem(Splash().hwnd(), frmSplash::kFirstBlockId + i);
        auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(
            Splash().hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(block)));
        LOGBRUSH lb{};
        ASSERT_EQ(::GetObjectW(brush, sizeof lb, &lb), static_cast<int>(sizeof lb)) << i;
        const int r = GetRValue(lb.lbColor);
        EXPECT_EQ(r, GetGValue(lb.lbColor)) << i;
        EXPECT_EQ(r, GetBValue(lb.lbColor)) << i;
        EXPECT_GT(r, previous) << i;
        previous = r;
        if (i == 0) {
            EXPECT_LT(r, 48);
        }
    }
    EXPECT_EQ(previous, 255);
}
