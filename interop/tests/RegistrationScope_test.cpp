// Where registration writes: machine-wide when permitted, per user when the machine-wide store refuses.
// Runs the registration logic against a recording registry, so no real key is touched.
#include "interop/Registration.h"
#include "Syslinkage_h.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

using syslinkage::RegistrationScope;

namespace {

class RecordingRegistry final : public syslinkage::RegistryWriter {
public:
    bool refuseMachine = false;
    bool refuseMachineTypeLibOnly = false;
    // Written values by root and full value path ("key|name").
    std::map<std::pair<HKEY, std::wstring>, std::wstring> values;
    std::set<std::pair<HKEY, std::wstring>> keys;
    std::vector<RegistrationScope> typeLibs;

    LSTATUS SetValue(HKEY root, const std::wstring& subKey, const wchar_t* name, const std::wstring& value) override {
        if (refuseMachine && root == HKEY_CLASSES_ROOT)
            return ERROR_ACCESS_DENIED;
        keys.insert({root, subKey});
        values[{root, subKey + L"|" + (name ? name : L"")}] = value;
        return ERROR_SUCCESS;
    }
    LSTATUS DeleteTree(HKEY root, const std::wstring& subKey) override {
        for (auto it = keys.begin(); it != keys.end();)
            it = it->first == root && it->second.rfind(subKey, 0) == 0 ? keys.erase(it) : std::next(it);
        for (auto it = values.begin(); it != values.end();)
            it = it->first.first == root && it->first.second.rfind(subKey, 0) == 0 ? values.erase(it) : std::next(it);
        return ERROR_SUCCESS;
    }
    bool KeyExists(HKEY root, const std::wstring& subKey) override {
        for (const auto& k : keys)
            if (k.first == root && k.second.rfind(subKey, 0) == 0)
                return true;
        return false;
    }
    HRESULT RegisterTypeLibrary(const std::wstring&, RegistrationScope scope) override {
        if ((refuseMachine || refuseMachineTypeLibOnly) && scope == RegistrationScope::Machine)
            return TYPE_E_REGISTRYACCESS;
        typeLibs.push_back(scope);
        const HKEY root = scope == RegistrationScope::Machine ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
        const std::wstring prefix = scope == RegistrationScope::Machine ? L"" : L"Software\\Classes\\";
        keys.insert({root, prefix + L"TypeLib\\{DECD2779-2D40-41C8-8CF6-10F3C0C11FC9}\\11.0\\409\\win64"});
        return S_OK;
    }
    HRESULT UnregisterTypeLibrary(RegistrationScope scope) override {
        const HKEY root = scope == RegistrationScope::Machine ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
        const std::wstring prefix = scope == RegistrationScope::Machine ? L"" : L"Software\\Classes\\";
        DeleteTree(root, prefix + L"TypeLib\\");
        return S_OK;
    }

    std::wstring Value(HKEY root, const std::wstring& key, const wchar_t* name = L"") const {
        auto it = values.find({root, key + L"|" + name});
        return it == values.end() ? L"" : it->second;
    }
};

const wchar_t kPath[] = L"C:\\Program Files\\Quillet\\Syslinkage.dll";
const wchar_t kSystemClsid[] = L"CLSID\\{A7594056-AA60-431D-B9A6-5BA899B2A873}";

} // namespace

TEST(RegistrationScope, WritesMachineWideWhenPermitted) {
    RecordingRegistry registry;
    const auto result = syslinkage::RegisterServer(registry, kPath);
    ASSERT_EQ(result.hr, S_OK);
    EXPECT_EQ(result.scope, RegistrationScope::Machine);
    EXPECT_EQ(registry.typeLibs, std::vector<RegistrationScope>{RegistrationScope::Machine});
    EXPECT_EQ(registry.Value(HKEY_CLASSES_ROOT, std::wstring(kSystemClsid) + L"\\InprocServer32"), kPath);
    EXPECT_EQ(registry.Value(HKEY_CLASSES_ROOT, L"Syslinkage.Global\\CLSID"), L"{1691404D-47ED-4D29-B6D6-9BB07B42E634}");
    for (const auto& entry : registry.values)
        EXPECT_EQ(entry.first.first, HKEY_CLASSES_ROOT) << "nothing is written per user";
}

TEST(RegistrationScope, FallsBackToTheCurrentUserWhenRefused) {
    for (bool typeLibOnly : {false, true}) {
        RecordingRegistry registry;
        registry.refuseMachine = !typeLibOnly;
        registry.refuseMachineTypeLibOnly = typeLibOnly;
        const auto result = syslinkage::RegisterServer(registry, kPath);
        ASSERT_EQ(result.hr, S_OK) << typeLibOnly;
        EXPECT_EQ(result.scope, RegistrationScope::User);
        EXPECT_EQ(registry.typeLibs, std::vector<RegistrationScope>{RegistrationScope::User});
        const std::wstring user = L"Software\\Classes\\";
        EXPECT_EQ(registry.Value(HKEY_CURRENT_USER, user + kSystemClsid + L"\\InprocServer32"), kPath);
        EXPECT_EQ(registry.Value(HKEY_CURRENT_USER, user + kSystemClsid + L"\\InprocServer32", L"ThreadingModel"),
                  L"Apartment");
        EXPECT_EQ(registry.Value(HKEY_CURRENT_USER, user + L"Syslinkage.System\\CLSID"),
                  L"{A7594056-AA60-431D-B9A6-5BA899B2A873}");
        for (const auto& key : registry.keys)
            EXPECT_EQ(key.first, HKEY_CURRENT_USER) << "no machine-wide remains after the fallback";
    }
}

TEST(RegistrationScope, OtherFailuresAreReportedNotRetried) {
    class BrokenRegistry final : public syslinkage::RegistryWriter {
    public:
        int typeLibCalls = 0;
        LSTATUS SetValue(HKEY, const std::wstring&, const wchar_t*, const std::wstring&) override { return ERROR_SUCCESS; }
        LSTATUS DeleteTree(HKEY, const std::wstring&) override { return ERROR_SUCCESS; }
        bool KeyExists(HKEY, const std::wstring&) override { return false; }
        HRESULT RegisterTypeLibrary(const std::wstring&, RegistrationScope) override {
            ++typeLibCalls;
            return TYPE_E_CANTLOADLIBRARY;
        }
        HRESULT UnregisterTypeLibrary(RegistrationScope) override { return S_OK; }
    } registry;
    EXPECT_EQ(syslinkage::RegisterServer(registry, kPath).hr, TYPE_E_CANTLOADLIBRARY);
    EXPECT_EQ(registry.typeLibCalls, 1);
    EXPECT_FALSE(syslinkage::IsRefusal(TYPE_E_CANTLOADLIBRARY));
    EXPECT_TRUE(syslinkage::IsRefusal(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)));
}

TEST(RegistrationScope, UnregisteringRemovesWhicheverFormWasWritten) {
    for (bool refuse : {false, true}) {
        RecordingRegistry registry;
        registry.refuseMachine = refuse;
        ASSERT_EQ(syslinkage::RegisterServer(registry, kPath).hr, S_OK);
        ASSERT_FALSE(registry.keys.empty());
        EXPECT_EQ(syslinkage::UnregisterServer(registry), S_OK) << refuse;
        EXPECT_TRUE(registry.keys.empty()) << refuse;
        EXPECT_TRUE(registry.values.empty()) << refuse;
        EXPECT_EQ(syslinkage::UnregisterServer(registry), S_OK) << "nothing left to remove";
    }
}
