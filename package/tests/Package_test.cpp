// The release packages as a user meets them, in a Wine prefix of their own (scripts/package-test.sh):
// the installer run silently, the installed program started and ended, the uninstaller run silently;
// and the portable zip unpacked and run. The packages' paths come from the environment.
#include "app/projects/frmQuilletIds.h"
#include "testkit/Dialogs.h"
#include "testkit/Files.h"
#include "testkit/ProgramRun.h"
#include "winkit/Scoped.h"
#include "winkit/Wait.h"

#include <gtest/gtest.h>
#include <knownfolders.h>
#include <shlobj.h>
#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr DWORD kStartTimeout = 30000;
constexpr DWORD kExitTimeout = 15000;
constexpr DWORD kSetupTimeout = 60000;
const wchar_t kMainFormClass[] = L"QuilletMainForm";
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillet";
const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// What the library's registration writes under the classes root, machine-wide or per user.
const wchar_t* const kLibraryKeys[] = {L"CLSID\\{A7594056-AA60-431D-B9A6-5BA899B2A873}",
                                       L"CLSID\\{1691404D-47ED-4D29-B6D6-9BB07B42E634}", L"Syslinkage.System",
                                       L"Syslinkage.Global", L"TypeLib\\{DECD2779-2D40-41C8-8CF6-10F3C0C11FC9}"};

std::wstring Env(const wchar_t* name) {
    wchar_t value[4096];
    const DWORD n = ::GetEnvironmentVariableW(name, value, 4096);
    return n > 0 && n < 4096 ? std::wstring(value, n) : std::wstring();
}

std::vector<std::wstring> ShippedFiles() {
    std::vector<std::wstring> files;
    const std::wstring list = Env(L"QUILLET_PACKAGE_FILES") + L";";
    for (size_t at = 0, end; (end = list.find(L';', at)) != std::wstring::npos; at = end + 1) {
        if (end > at)
            files.push_back(list.substr(at, end - at));
    }
    return files;
}

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::wstring result;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &path)))
        result = std::wstring(path) + L"\\";
    ::CoTaskMemFree(path);
    return result;
}

bool KeyExists(HKEY root, const std::wstring& subKey) {
    winkit::ScopedKey key;
    return ::RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::wstring ReadString(HKEY root, const std::wstring& subKey, const wchar_t* name) {
    wchar_t text[1024] = {};
    DWORD bytes = sizeof(text) - sizeof(wchar_t);
    if (::RegGetValueW(root, subKey.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
        return L"(none)";
    return text;
}

void WriteString(HKEY root, const std::wstring& subKey, const wchar_t* name, const std::wstring& value) {
    ::RegSetKeyValueW(root, subKey.c_str(), name, REG_SZ, value.c_str(),
                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::wstring FileVersion(const std::wstring& path) {
    DWORD ignored = 0;
    std::vector<BYTE> data(::GetFileVersionInfoSizeW(path.c_str(), &ignored));
    if (data.empty() || !::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()))
        return L"(none)";
    wchar_t* text = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\FileVersion", reinterpret_cast<void**>(&text),
                          &length))
        return L"(none)";
    return std::wstring(text);
}

// The names in a folder, subfolders ending in "\".
std::set<std::wstring> FolderNames(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.insert(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? name + L"\\" : name);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

std::wstring Listed(const std::set<std::wstring>& names) {
    std::wstring text;
    for (const std::wstring& n : names)
        text += n + L" ";
    return text;
}

// Runs a setup program to its end; its exit code, or STILL_ACTIVE when it did not end in time.
DWORD RunToEnd(const std::wstring& exe, const std::wstring& arguments) {
    testkit::ProgramRun run;
    if (!run.Start(exe, arguments))
        return static_cast<DWORD>(-1);
    run.WaitForExit(kSetupTimeout);
    return run.exitCode();
}

// The uninstaller hands over to a copy of itself outside the folder and ends at once; done is when the
// last thing it removes, its Add/Remove entry, is gone.
bool Uninstall(const std::wstring& installDir, const std::wstring& arguments) {
    if (RunToEnd(installDir + L"Uninstall.exe", arguments) != 0)
        return false;
    return winkit::WaitUntil([] { return !KeyExists(HKEY_CURRENT_USER, kUninstallKey); }, kSetupTimeout, 50);
}

HWND VisibleWindow(DWORD pid, const wchar_t* className) {
    for (HWND w : testkit::TopLevelWindows(pid, className)) {
        if (::IsWindowVisible(w))
            return w;
    }
    return nullptr;
}

// A fresh copy's first start offers the quick overview before its window comes up; a user says No.
void DeclineOverview(DWORD pid) {
    for (HWND box : testkit::TopLevelWindows(pid, L"#32770")) {
        if (::IsWindowVisible(box) &&
            testkit::ReadDialog(box).text == L"Would you like to see quick overview? Recommended!")
            testkit::PressButton(box, IDNO);
    }
}

// Starts Quillet.exe of `folder`; with `seeWindow`, its main clip window must come up.
void StartAndEnd(const std::wstring& folder, const std::wstring& arguments, bool seeWindow,
                 const std::function<bool()>& alsoWaitFor = {}) {
    testkit::ProgramRun quillet;
    ASSERT_TRUE(quillet.Start(folder + L"Quillet.exe", arguments));
    HWND mainForm = nullptr;
    ASSERT_TRUE(winkit::WaitUntil(
        [&] {
            DeclineOverview(quillet.processId());
            const auto forms = testkit::TopLevelWindows(quillet.processId(), kMainFormClass);
            mainForm = forms.empty() ? nullptr : forms.front();
            return mainForm && (!seeWindow || VisibleWindow(quillet.processId(), quillet::frmquillet_ids::kClassName));
        },
        kStartTimeout, 50))
        << "Quillet from " << testing::PrintToString(folder) << " did not come up";
    if (alsoWaitFor) {
        EXPECT_TRUE(winkit::WaitUntil(alsoWaitFor, kStartTimeout, 50));
    }
    ASSERT_TRUE(::PostMessageW(mainForm, WM_CLOSE, 0, 0));
    ASSERT_TRUE(quillet.WaitForExit(kExitTimeout)) << "Quillet did not end when asked to";
    EXPECT_EQ(quillet.exitCode(), 0u);
}

void ExpectLibraryUnregistered() {
    for (const wchar_t* key : kLibraryKeys) {
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, key)) << testing::PrintToString(std::wstring(key));
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::wstring(L"Software\\Classes\\") + key))
            << testing::PrintToString(std::wstring(key));
    }
}

class Package : public testing::Test {
protected:
    void SetUp() override {
        shipped_ = ShippedFiles();
        // The packages must carry the deliverables, the read-me, the licence and the notices.
        const std::set<std::wstring> names(shipped_.begin(), shipped_.end());
        for (const wchar_t* f :
             {L"Quillet.exe", L"Syslinkage.dll", L"README.txt", L"LICENSE.txt", L"THIRD-PARTY-NOTICES.txt"})
            ASSERT_TRUE(names.count(f)) << testing::PrintToString(std::wstring(f)) << " is not in the package";
        version_ = Env(L"QUILLET_VERSION");
        ASSERT_FALSE(version_.empty());
    }
    std::vector<std::wstring> shipped_;
    std::wstring version_;
};

TEST_F(Package, InstallerInstallsPerUserAndTheUninstallerTakesBackWhatItMade) {
    const std::wstring setup = Env(L"QUILLET_SETUP");
    const std::wstring installDir = KnownFolder(FOLDERID_LocalAppData) + L"Programs\\Quillet\\";
    const std::wstring startMenu = KnownFolder(FOLDERID_Programs) + L"Quillet.lnk";
    const std::wstring desktop = KnownFolder(FOLDERID_Desktop) + L"Quillet.lnk";
    const std::wstring exe = installDir + L"Quillet.exe";
    const std::wstring ours = L"\"" + exe + L"\" nowindow";
    ASSERT_TRUE(testkit::FileExists(setup)) << testing::PrintToString(setup);

    ASSERT_EQ(RunToEnd(setup, L"/S /DESKTOP"), 0u);
    for (const std::wstring& f : shipped_)
        EXPECT_TRUE(testkit::FileExists(installDir + f)) << testing::PrintToString(f) << " was not installed";
    EXPECT_TRUE(testkit::FileExists(installDir + L"Uninstall.exe"));
    EXPECT_TRUE(testkit::FileExists(startMenu));
    EXPECT_TRUE(testkit::FileExists(desktop));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kUninstallKey, L"DisplayVersion"), version_);
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kUninstallKey, L"UninstallString"),
              L"\"" + installDir + L"Uninstall.exe\"");
    EXPECT_EQ(FileVersion(exe), version_);
    EXPECT_EQ(FileVersion(installDir + L"Syslinkage.dll"), version_);

    // The installed program starts with its window, registers its library from its folder, and, told to
    // start with Windows, sets the Run value.
    StartAndEnd(installDir, L"", true);
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, std::wstring(kLibraryKeys[0]) + L"\\InprocServer32", nullptr),
              installDir + L"Syslinkage.dll");
    ASSERT_TRUE(testkit::FileExists(installDir + L"settings.ini"));
    ASSERT_TRUE(
        ::WritePrivateProfileStringW(L"General", L"RunOnStartup", L"1", (installDir + L"settings.ini").c_str()));
    StartAndEnd(installDir, L"nowindow", false,
                [&] { return ReadString(HKEY_CURRENT_USER, kRunKey, L"QuilletSW") == ours; });

    // Told to keep the user's data: everything else goes, settings and projects stay.
    ASSERT_TRUE(Uninstall(installDir, L"/S /KEEPDATA"));
    EXPECT_EQ(Listed(FolderNames(installDir)), L"projects\\ settings.ini ");
    EXPECT_FALSE(testkit::FileExists(startMenu));
    EXPECT_FALSE(testkit::FileExists(desktop));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRunKey, L"QuilletSW"), L"(none)");
    ExpectLibraryUnregistered();

    // Installed again over the kept data, then removed with it. Another copy's Run value is not ours.
    ASSERT_EQ(RunToEnd(setup, L"/S"), 0u);
    EXPECT_TRUE(testkit::FileExists(exe));
    EXPECT_FALSE(testkit::FileExists(desktop)) << "the desktop shortcut is optional";
    const std::wstring foreign = L"\"C:\\Elsewhere\\Quillet.exe\" nowindow";
    WriteString(HKEY_CURRENT_USER, kRunKey, L"QuilletSW", foreign);
    ASSERT_TRUE(Uninstall(installDir, L"/S"));
    EXPECT_FALSE(testkit::FolderExists(installDir))
        << "left: " << testing::PrintToString(Listed(FolderNames(installDir)));
    EXPECT_FALSE(testkit::FileExists(startMenu));
    EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kRunKey, L"QuilletSW"), foreign);
    ExpectLibraryUnregistered();
}

TEST_F(Package, PortableZipRunsFromItsFolderAndLeavesOnlyItsOwnFiles) {
    const std::wstring folder = Env(L"QUILLET_PORTABLE");
    std::set<std::wstring> expected(shipped_.begin(), shipped_.end());
    ASSERT_EQ(Listed(FolderNames(folder)), Listed(expected)) << "the zip holds exactly the shipped files";

    StartAndEnd(folder, L"", true);
    expected.insert({L"settings.ini", L"projects\\"});
    EXPECT_EQ(Listed(FolderNames(folder)), Listed(expected));
}

} // namespace
