// The machine information objects as clients read them: the same facts the system gives this process,
// through the vtable and by name, and the CD drive object the computer keeps.
#include "LateBound.h"
#include "RegisteredSystem.h"
#include "SyslinkageLibrary.h"
#include "Syslinkage_h.h"
#include "winkit/Com.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

using namespace syslinkage_test;
using winkit::ComPtr;

namespace {

class MachineInfo : public RegisteredSystemTest {};

std::wstring FolderOf(int csidl) {
    wchar_t path[MAX_PATH] = {};
    return SUCCEEDED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : L"";
}

// The version record as the system gives it to this process now.
OSVERSIONINFOEXA VersionOfThisRun() {
    OSVERSIONINFOEXA version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version));
#pragma GCC diagnostic pop
    return version;
}

} // namespace

TEST_F(MachineInfo, UserOsAndComputerReportWhatTheSystemSays) {
    ComPtr<_User> user;
    ASSERT_EQ(system_->get_User(user.put()), S_OK);
    wchar_t name[512] = {};
    DWORD size = 512;
    ASSERT_TRUE(::GetUserNameW(name, &size));
    winkit::ScopedBstr text;
    ASSERT_EQ(user->get_Name(text.put()), S_OK);
    EXPECT_STREQ(text.get(), name);
    ASSERT_EQ(user->get_WindowsDirectory(text.put()), S_OK);
    EXPECT_EQ(std::wstring(text.get()), FolderOf(CSIDL_WINDOWS));
    EXPECT_FALSE(std::wstring(text.get()).empty());
    ASSERT_EQ(user->get_MyDocuments(text.put()), S_OK);
    EXPECT_EQ(std::wstring(text.get()), FolderOf(CSIDL_PERSONAL));
    wchar_t current[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, current);
    ASSERT_EQ(user->get_CurrentDirectory(text.put()), S_OK);
    EXPECT_STREQ(text.get(), current);
    ASSERT_EQ(user->get_RecycleBin(text.put()), S_OK);
    EXPECT_STREQ(text.get(), L"") << "a virtual folder has no path";

    // By name: the default member of User is its Name.
    ComPtr<IDispatch> userByName;
    ASSERT_EQ(user.As(userByName), S_OK);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    winkit::ScopedVariant value;
    ASSERT_EQ(userByName->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.get(),
                                 nullptr, nullptr),
              S_OK);
    ASSERT_EQ(value->vt, VT_BSTR);
    EXPECT_STREQ(value->bstrVal, name);

    // OS against the version record of this run.
    const OSVERSIONINFOEXA version = VersionOfThisRun();
    ASSERT_NE(version.dwMajorVersion, 0u);
    ComPtr<_OS> os;
    ASSERT_EQ(system_->get_OS(os.put()), S_OK);
    LONG number = -1;
    ASSERT_EQ(os->get_Major(&number), S_OK);
    EXPECT_EQ(number, static_cast<LONG>(version.dwMajorVersion));
    ASSERT_EQ(os->get_Minor(&number), S_OK);
    EXPECT_EQ(number, static_cast<LONG>(version.dwMinorVersion));
    ASSERT_EQ(os->get_Build(&number), S_OK);
    EXPECT_EQ(number, static_cast<LONG>(version.dwBuildNumber));
    ASSERT_EQ(os->get_ServicePackMajor(&number), S_OK);
    EXPECT_EQ(number, static_cast<SHORT>(version.wServicePackMajor));
    ASSERT_EQ(os->get_ServicePack(text.put()), S_OK);
    EXPECT_EQ(std::string(version.szCSDVersion).empty(), ::SysStringLen(text.get()) == 0);
    VARIANT_BOOL installed = VARIANT_FALSE;
    ASSERT_EQ(os->get_isServicePackInstalled(&installed), S_OK);
    EXPECT_EQ(installed != VARIANT_FALSE, version.szCSDVersion[0] != '\0');
    OPERATING_SYSTEM named = OPERATING_SYSTEM_WINDOWS95;
    ASSERT_EQ(os->get_Name(&named), S_OK);
    const bool xp = version.dwMajorVersion == 5 && version.dwMinorVersion == 1;
    const bool nt351 = version.dwMajorVersion == 3 && version.dwMinorVersion == 51;
    if (version.dwMajorVersion >= 6) {
        EXPECT_EQ(named, OPERATING_SYSTEM_UNKNOWN);
    } else if (xp) {
        EXPECT_EQ(named, OPERATING_SYSTEM_WINDOWSXP);
    } else if (nt351) {
        EXPECT_EQ(named, OPERATING_SYSTEM_WINDOWSNT351);
    }

    // Computer: its name, and the one CD drive object it keeps.
    ComPtr<_Computer> computer;
    ASSERT_EQ(system_->get_Computer(computer.put()), S_OK);
    wchar_t machine[MAX_COMPUTERNAME_LENGTH + 1] = {};
    size = MAX_COMPUTERNAME_LENGTH + 1;
    ASSERT_TRUE(::GetComputerNameW(machine, &size));
    ASSERT_EQ(computer->get_Name(text.put()), S_OK);
    EXPECT_STREQ(text.get(), machine);
    ComPtr<_MCI> drive, again;
    ASSERT_EQ(computer->get_CDDrive(drive.put()), S_OK);
    ASSERT_EQ(computer->get_CDDrive(again.put()), S_OK);
    ASSERT_TRUE(drive);
    EXPECT_EQ(drive.get(), again.get());
    ComPtr<_CDDrive> asDrive;
    EXPECT_EQ(drive.As(asDrive), S_OK) << "the object is a CDDrive too";
    // No CD audio device here: the door commands go out and fail silently.
    EXPECT_EQ(drive->openDoor(), S_OK);
    EXPECT_EQ(drive->closeDoor(), S_OK);

    // The commands are the library's string resources 0 and 1.
    wchar_t command[64] = {};
    ASSERT_GT(::LoadStringW(library_.module(), 0, command, 64), 0);
    EXPECT_STREQ(command, L"set cdaudio door open");
    ASSERT_GT(::LoadStringW(library_.module(), 1, command, 64), 0);
    EXPECT_STREQ(command, L"set cdaudio door closed");
}

TEST_F(MachineInfo, AScriptReadsTheSameFactsByNameAndWorksTheDriveThroughItsMciMembers) {
    ComPtr<IDispatch> sys;
    ASSERT_EQ(system_.As(sys), S_OK);
    auto read = [](IDispatch* object, const wchar_t* member, winkit::ScopedVariant& value) {
        EXPECT_EQ(Dispatch(object, member, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {}, value.get()), S_OK) << member;
    };
    // A default member, as `WScript.Echo sys.OS` reads it.
    auto readDefault = [](IDispatch* object, winkit::ScopedVariant& value) {
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        EXPECT_EQ(object->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value.get(),
                                 nullptr, nullptr),
                  S_OK);
    };

    winkit::ScopedVariant os;
    read(sys.get(), L"OS", os);
    ASSERT_EQ(os->vt, VT_DISPATCH);
    const OSVERSIONINFOEXA version = VersionOfThisRun();
    winkit::ScopedVariant major;
    read(os->pdispVal, L"Major", major);
    ASSERT_EQ(major->vt, VT_I4);
    EXPECT_EQ(static_cast<DWORD>(major->lVal), version.dwMajorVersion);
    ComPtr<_OS> osByVtable;
    ASSERT_EQ(system_->get_OS(osByVtable.put()), S_OK);
    OPERATING_SYSTEM named = OPERATING_SYSTEM_WINDOWS95;
    ASSERT_EQ(osByVtable->get_Name(&named), S_OK);
    winkit::ScopedVariant osName;
    readDefault(os->pdispVal, osName);
    ASSERT_EQ(osName->vt, VT_I4);
    EXPECT_EQ(osName->lVal, static_cast<LONG>(named));

    winkit::ScopedVariant computer;
    read(sys.get(), L"Computer", computer);
    ASSERT_EQ(computer->vt, VT_DISPATCH);
    wchar_t machine[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    ASSERT_TRUE(::GetComputerNameW(machine, &size));
    winkit::ScopedVariant machineName;
    read(computer->pdispVal, L"Name", machineName);
    ASSERT_EQ(machineName->vt, VT_BSTR);
    EXPECT_STREQ(machineName->bstrVal, machine);

    // The drive is one object, called by the names of its MCI interface.
    winkit::ScopedVariant drive;
    read(computer->pdispVal, L"CDDrive", drive);
    winkit::ScopedVariant again;
    read(computer->pdispVal, L"CDDrive", again);
    ASSERT_EQ(drive->vt, VT_DISPATCH);
    ASSERT_EQ(again->vt, VT_DISPATCH);
    ComPtr<IUnknown> first, second;
    ASSERT_EQ(drive->pdispVal->QueryInterface(IID_IUnknown, first.put_void()), S_OK);
    ASSERT_EQ(again->pdispVal->QueryInterface(IID_IUnknown, second.put_void()), S_OK);
    EXPECT_EQ(first.get(), second.get());
    ComPtr<_MCI> mci;
    EXPECT_EQ(drive->pdispVal->QueryInterface(IID__MCI, mci.put_void()), S_OK);
    EXPECT_EQ(Dispatch(drive->pdispVal, L"openDoor", DISPATCH_METHOD, {}, nullptr), S_OK);
    EXPECT_EQ(Dispatch(drive->pdispVal, L"closeDoor", DISPATCH_METHOD, {}, nullptr), S_OK);
}
