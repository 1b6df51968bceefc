#include "LateBound.h"
#include "SyslinkageLibrary.h"
#include "Syslinkage_h.h"
#include "winkit/Com.h"
#include "winkit/TextConv.h"

#include <gtest/gtest.h>

#include <string>

using syslinkage_test::Dispatch;
using syslinkage_test::Library;
using winkit::ComPtr;

namespace {

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, 40);
    return text;
}

// The default value (or the named value) of a key under HKEY_CLASSES_ROOT; empty when absent.
std::wstring ClassesValue(const std::wstring& subKey, const wchar_t* name = nullptr) {
    wchar_t data[1024] = {};
    DWORD size = sizeof(data);
    if (::RegGetValueW(HKEY_CLASSES_ROOT, subKey.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return {};
    return data;
}

bool SameFile(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

class SyslinkageRegistered : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(com_.result()));
        ASSERT_TRUE(library_) << "Syslinkage.dll not beside the test program";
        ASSERT_EQ(library_.Register(), S_OK);
    }
    void TearDown() override { EXPECT_EQ(library_.Unregister(), S_OK); }

    ComPtr<_System> CreateSystem() {
        ComPtr<_System> system;
        EXPECT_EQ(::CoCreateInstance(CLSID_System, nullptr, CLSCTX_INPROC_SERVER, IID__System, system.put_void()), S_OK);
        return system;
    }

    winkit::ComApartment com_;
    Library library_;
};

} // namespace

TEST_F(SyslinkageRegistered, WritesTheCreatableClassesWithTheirServerAndProgIds) {
    struct Entry {
        REFCLSID clsid;
        const wchar_t* progId;
    };
    for (const Entry& e : {Entry{CLSID_System, L"Syslinkage.System"}, Entry{CLSID_Global, L"Syslinkage.Global"}}) {
        const std::wstring key = L"CLSID\\" + GuidText(e.clsid);
        EXPECT_TRUE(SameFile(ClassesValue(key + L"\\InprocServer32"), library_.path())) << e.progId;
        EXPECT_EQ(ClassesValue(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment") << e.progId;
        EXPECT_EQ(ClassesValue(key + L"\\ProgID"), e.progId);
        EXPECT_EQ(ClassesValue(key + L"\\TypeLib"), GuidText(LIBID_Syslinkage)) << e.progId;
        EXPECT_EQ(ClassesValue(std::wstring(e.progId) + L"\\CLSID"), GuidText(e.clsid));
    }
    // Type library version keys are written in hexadecimal: 17.0 is "11.0".
    const std::wstring typeLib = L"TypeLib\\" + GuidText(LIBID_Syslinkage) + L"\\11.0\\409\\win64";
    EXPECT_TRUE(SameFile(ClassesValue(typeLib), library_.path()));
    // Registering the type library registers its dual interfaces for marshalling.
    EXPECT_FALSE(ClassesValue(L"Interface\\" + GuidText(IID__System)).empty());
}

TEST_F(SyslinkageRegistered, SystemIsCreatedByClassIdAndCalledThroughItsVtable) {
    ComPtr<_System> system = CreateSystem();
    ASSERT_TRUE(system);

    ComPtr<_Project> project;
    ASSERT_EQ(system->get_Project(project.put()), S_OK);
    ASSERT_TRUE(project);
    ComPtr<_Project> again;
    ASSERT_EQ(system->get_Project(again.put()), S_OK);
    EXPECT_EQ(project.get(), again.get()) << "every read hands out the one stored object";

    // No development environment runs here: a real window has a non-zero instance, so it is not "in" one,
    // while a handle that is no window reads as instance 0, the same as the missing environment.
    HWND window = ::CreateWindowExW(0, L"STATIC", L"form", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    VARIANT_BOOL inside = VARIANT_TRUE;
    EXPECT_EQ(project->get_WorkingInIDE(HandleToLong(window), &inside), S_OK);
    EXPECT_EQ(inside, VARIANT_FALSE);
    EXPECT_EQ(project->get_WorkingInIDE(0, &inside), S_OK);
    EXPECT_EQ(inside, VARIANT_TRUE);
    EXPECT_EQ(project->put_IDEVisible(HandleToLong(window), VARIANT_FALSE), S_OK);
    ::DestroyWindow(window);

    // Setting the reference to nothing clears it; the next read makes a fresh object.
    _Project* nothing = nullptr;
    EXPECT_EQ(system->putref_Project(&nothing), S_OK);
    ComPtr<_Project> fresh;
    ASSERT_EQ(system->get_Project(fresh.put()), S_OK);
    EXPECT_NE(fresh.get(), nullptr);
}

TEST_F(SyslinkageRegistered, SystemAnswersByNameThroughIDispatch) {
    ComPtr<IDispatch> system;
    ASSERT_EQ(::CoCreateInstance(CLSID_System, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, system.put_void()), S_OK);

    winkit::ScopedVariant project;
    ASSERT_EQ(Dispatch(system.get(), L"Project", DISPATCH_PROPERTYGET, {}, project.get()), S_OK);
    ASSERT_EQ(project->vt, VT_DISPATCH);
    ASSERT_NE(project->pdispVal, nullptr);

    VARIANT handle;
    handle.vt = VT_I4;
    handle.lVal = 0;
    winkit::ScopedVariant inside;
    ASSERT_EQ(Dispatch(project->pdispVal, L"WorkingInIDE", DISPATCH_PROPERTYGET, {handle}, inside.get()), S_OK);
    EXPECT_EQ(inside->vt, VT_BOOL);
    EXPECT_EQ(inside->boolVal, VARIANT_TRUE);

    DISPID id = 0;
    LPOLESTR unknown = const_cast<LPOLESTR>(L"NoSuchMember");
    EXPECT_EQ(system->GetIDsOfNames(IID_NULL, &unknown, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
}

TEST_F(SyslinkageRegistered, ProgIdsResolveToTheClasses) {
    CLSID clsid{};
    ASSERT_EQ(::CLSIDFromProgID(L"Syslinkage.System", &clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_System));
    ASSERT_EQ(::CLSIDFromProgID(L"Syslinkage.Global", &clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_Global));

    ComPtr<_Global> global;
    EXPECT_EQ(::CoCreateInstance(CLSID_Global, nullptr, CLSCTX_INPROC_SERVER, IID__Global, global.put_void()), S_OK);
    EXPECT_TRUE(global);
}

TEST_F(SyslinkageRegistered, DependentClassesHaveNoFactory) {
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    auto get = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(::GetProcAddress(library_.module(), "DllGetClassObject")));
    ASSERT_NE(get, nullptr);
    for (REFCLSID clsid : {CLSID_Project, CLSID_Window, CLSID_Menu, CLSID_ToolTips, CLSID_OS}) {
        void* factory = reinterpret_cast<void*>(1);
        EXPECT_EQ(get(clsid, IID_IClassFactory, &factory), CLASS_E_CLASSNOTAVAILABLE);
        EXPECT_EQ(factory, nullptr);
    }
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(get(CLSID_System, IID_IClassFactory, factory.put_void()), S_OK);
    ComPtr<IUnknown> outer;
    ComPtr<IUnknown> aggregated;
    EXPECT_EQ(factory->CreateInstance(reinterpret_cast<IUnknown*>(factory.get()), IID_IUnknown,
                                      aggregated.put_void()),
              CLASS_E_NOAGGREGATION);
}

TEST_F(SyslinkageRegistered, CanUnloadOnlyWhenNoObjectOrLockIsLeft) {
    EXPECT_EQ(library_.CanUnloadNow(), S_OK);
    {
        ComPtr<_System> system = CreateSystem();
        ComPtr<_Project> project;
        ASSERT_EQ(system->get_Project(project.put()), S_OK);
        system.reset();
        EXPECT_EQ(library_.CanUnloadNow(), S_FALSE) << "the Project object is still held";
    }
    EXPECT_EQ(library_.CanUnloadNow(), S_OK);

    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    auto get = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(::GetProcAddress(library_.module(), "DllGetClassObject")));
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(get(CLSID_System, IID_IClassFactory, factory.put_void()), S_OK);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.reset();
    EXPECT_EQ(library_.CanUnloadNow(), S_FALSE) << "a server lock is outstanding";
    ASSERT_EQ(get(CLSID_System, IID_IClassFactory, factory.put_void()), S_OK);
    factory->LockServer(FALSE);
    factory.reset();
    EXPECT_EQ(library_.CanUnloadNow(), S_OK);
}

TEST_F(SyslinkageRegistered, SystemHandsOutOneObjectOfEachKindAndFailuresCarryErrorInfo) {
    {
        // Never read: its termination still makes and releases one object of each kind.
        ComPtr<_System> untouched = CreateSystem();
        ASSERT_TRUE(untouched);
    }
    EXPECT_EQ(library_.CanUnloadNow(), S_OK) << "everything the termination made is gone again";

    ComPtr<_System> system = CreateSystem();
    ComPtr<_ToolTips> tips, tipsAgain;
    ComPtr<_Trays> trays, traysAgain;
    ComPtr<_OS> os, osAgain;
    ComPtr<_Computer> computer, computerAgain;
    ComPtr<_User> user, userAgain;
    ASSERT_EQ(system->get_ToolTips(tips.put()), S_OK);
    ASSERT_EQ(system->get_ToolTips(tipsAgain.put()), S_OK);
    ASSERT_EQ(system->get_SystemTrays(trays.put()), S_OK);
    ASSERT_EQ(system->get_SystemTrays(traysAgain.put()), S_OK);
    ASSERT_EQ(system->get_OS(os.put()), S_OK);
    ASSERT_EQ(system->get_OS(osAgain.put()), S_OK);
    ASSERT_EQ(system->get_Computer(computer.put()), S_OK);
    ASSERT_EQ(system->get_Computer(computerAgain.put()), S_OK);
    ASSERT_EQ(system->get_User(user.put()), S_OK);
    ASSERT_EQ(system->get_User(userAgain.put()), S_OK);
    EXPECT_TRUE(tips && tips.get() == tipsAgain.get());
    EXPECT_TRUE(trays && trays.get() == traysAgain.get());
    EXPECT_TRUE(os && os.get() == osAgain.get());
    EXPECT_TRUE(computer && computer.get() == computerAgain.get());
    EXPECT_TRUE(user && user.get() == userAgain.get());

    // A key the collection does not hold is refused with the library's error info.
    VARIANT missing;
    missing.vt = VT_BSTR;
    missing.bstrVal = ::SysAllocString(L"no such tray");
    ComPtr<_Tray> tray;
    EXPECT_EQ(trays->Item(missing, tray.put()), static_cast<HRESULT>(0x800A0005));
    ::VariantClear(&missing);
    EXPECT_FALSE(tray);
    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(trays.As(support), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID__Trays), S_OK);
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(::GetErrorInfo(0, info.put()), S_OK);
    winkit::ScopedBstr source;
    info->GetSource(source.put());
    EXPECT_STREQ(source.get(), L"Syslinkage");
}

TEST(SyslinkageRegistration, RoundTripLeavesNothingBehind) {
    winkit::ComApartment com;
    Library library;
    ASSERT_TRUE(library);
    ASSERT_EQ(library.Register(), S_OK);
    ASSERT_EQ(library.Register(), S_OK) << "registering twice is harmless";
    {
        ComPtr<_System> system;
        ASSERT_EQ(::CoCreateInstance(CLSID_System, nullptr, CLSCTX_INPROC_SERVER, IID__System, system.put_void()),
                  S_OK);
    }
    ASSERT_EQ(library.Unregister(), S_OK);
    for (REFCLSID clsid : {CLSID_System, CLSID_Global})
        EXPECT_TRUE(ClassesValue(L"CLSID\\" + GuidText(clsid) + L"\\InprocServer32").empty());
    EXPECT_TRUE(ClassesValue(L"Syslinkage.System\\CLSID").empty());
    EXPECT_TRUE(ClassesValue(L"TypeLib\\" + GuidText(LIBID_Syslinkage) + L"\\11.0\\409\\win64").empty());

    ComPtr<_System> system;
    EXPECT_EQ(::CoCreateInstance(CLSID_System, nullptr, CLSCTX_INPROC_SERVER, IID__System, system.put_void()),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(library.Unregister(), S_OK) << "unregistering what is gone is harmless";
}

TEST(SyslinkageRegistration, UnregisteringLeavesNoKeyBehind) {
    winkit::ComApartment com;
    Library library;
    ASSERT_TRUE(library);
    ASSERT_EQ(library.Register(), S_OK);
    const std::wstring keys[] = {L"CLSID\\" + GuidText(CLSID_System),
                                 L"CLSID\\" + GuidText(CLSID_Global),
                                 L"Syslinkage.System",
                                 L"Syslinkage.Global",
                                 L"TypeLib\\" + GuidText(LIBID_Syslinkage),
                                 L"Interface\\" + GuidText(IID__System),
                                 L"Interface\\" + GuidText(IID__Window),
                                 L"Interface\\" + GuidText(IID__Menu)};
    const auto exists = [](HKEY root, const std::wstring& key) {
        HKEY opened = nullptr;
        if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(opened);
        return true;
    };
    for (const std::wstring& key : keys)
        EXPECT_TRUE(exists(HKEY_CLASSES_ROOT, key)) << "registered: " << winkit::ToUtf8(key);
    ASSERT_EQ(library.Unregister(), S_OK);
    for (const std::wstring& key : keys) {
        EXPECT_FALSE(exists(HKEY_CLASSES_ROOT, key)) << winkit::ToUtf8(key);
        EXPECT_FALSE(exists(HKEY_CURRENT_USER, L"Software\\Classes\\" + key)) << winkit::ToUtf8(key);
    }
}
