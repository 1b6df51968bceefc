// The type library embedded in Syslinkage.dll: its identity, the slot order clients bind to, and the
// interface identifier resources.
#include "SyslinkageLibrary.h"
#include "Syslinkage_h.h"
#include "winkit/Com.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

using syslinkage_test::Library;
using winkit::ComPtr;

namespace {

ComPtr<ITypeLib> LoadEmbedded(const Library& library) {
    ComPtr<ITypeLib> lib;
    EXPECT_EQ(::LoadTypeLibEx(library.path().c_str(), REGKIND_NONE, lib.put()), S_OK);
    return lib;
}

// The vtable interface of a dual interface, described member by member in slot order.
struct Member {
    int slot;
    std::wstring name;
    INVOKEKIND kind;
    MEMBERID id;
};

std::vector<Member> VtableMembers(ITypeLib* lib, REFIID iid) {
    std::vector<Member> members;
    ComPtr<ITypeInfo> info;
    if (FAILED(lib->GetTypeInfoOfGuid(iid, info.put())))
        return members;
    // A dual interface's type info is the dispatch side; its vtable side is reference -1.
    HREFTYPE ref = 0;
    ComPtr<ITypeInfo> vtable;
    if (SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)))
        info->GetRefTypeInfo(ref, vtable.put());
    ITypeInfo* source = vtable ? vtable.get() : info.get();
    TYPEATTR* attr = nullptr;
    source->GetTypeAttr(&attr);
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* f = nullptr;
        if (FAILED(source->GetFuncDesc(i, &f))) {
            ADD_FAILURE() << "member " << i << " cannot be read";
            continue;
        }
        winkit::ScopedBstr name;
        UINT got = 0;
        source->GetNames(f->memid, name.put(), 1, &got);
        members.push_back({static_cast<int>(f->oVft / sizeof(void*)), name.get() ? name.get() : L"", f->invkind,
                           f->memid});
        source->ReleaseFuncDesc(f);
    }
    source->ReleaseTypeAttr(attr);
    return members;
}

} // namespace

TEST(TypeLibrary, HasTheLibraryIdentity) {
    Library library;
    ASSERT_TRUE(library);
    ComPtr<ITypeLib> lib = LoadEmbedded(library);
    ASSERT_TRUE(lib);
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
    EXPECT_TRUE(IsEqualGUID(attr->guid, LIBID_Syslinkage));
    EXPECT_EQ(attr->wMajorVerNum, 17);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    EXPECT_EQ(attr->lcid, 0x0409u);
    lib->ReleaseTLibAttr(attr);
    winkit::ScopedBstr name;
    ASSERT_EQ(lib->GetDocumentation(-1, name.put(), nullptr, nullptr, nullptr), S_OK);
    EXPECT_STREQ(name.get(), L"Syslinkage");
}

TEST(TypeLibrary, ClassesComeInTheirOrderWithTheirDefaultInterfaces) {
    Library library;
    ComPtr<ITypeLib> lib = LoadEmbedded(library);
    ASSERT_TRUE(lib);
    const wchar_t* const classes[] = {L"Project", L"System", L"ToolTip", L"ToolTips", L"Tray",   L"Trays",  L"User",
                                      L"OS",      L"Computer", L"CDDrive", L"MCI",  L"Global", L"Window", L"Menu"};
    std::vector<std::wstring> found;
    for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
        TYPEKIND kind;
        lib->GetTypeInfoType(i, &kind);
        if (kind != TKIND_COCLASS)
            continue;
        winkit::ScopedBstr name;
        lib->GetDocumentation(static_cast<INT>(i), name.put(), nullptr, nullptr, nullptr);
        found.emplace_back(name.get());

        ComPtr<ITypeInfo> coclass;
        lib->GetTypeInfo(i, coclass.put());
        HREFTYPE ref = 0;
        ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &ref), S_OK);
        ComPtr<ITypeInfo> iface;
        ASSERT_EQ(coclass->GetRefTypeInfo(ref, iface.put()), S_OK);
        winkit::ScopedBstr ifaceName;
        iface->GetDocumentation(MEMBERID_NIL, ifaceName.put(), nullptr, nullptr, nullptr);
        EXPECT_EQ(std::wstring(ifaceName.get()), L"_" + found.back());
        TYPEATTR* attr = nullptr;
        iface->GetTypeAttr(&attr);
        EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FDUAL) << ifaceName.get();
        EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FHIDDEN) << ifaceName.get();
        EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FNONEXTENSIBLE) << ifaceName.get();
        iface->ReleaseTypeAttr(attr);
    }
    ASSERT_EQ(found.size(), std::size(classes));
    for (size_t i = 0; i < found.size(); ++i)
        EXPECT_EQ(found[i], classes[i]);
}

TEST(TypeLibrary, EachInterfaceIdentifierIsAlsoAResource) {
    Library library;
    ASSERT_TRUE(library);
    struct Entry {
        const wchar_t* name;
        REFIID iid;
    };
    const Entry entries[] = {
        {L"_IID_PROJECT", IID__Project}, {L"_IID_SYSTEM", IID__System},     {L"_IID_TOOLTIP", IID__ToolTip},
        {L"_IID_TOOLTIPS", IID__ToolTips}, {L"_IID_TRAY", IID__Tray},       {L"_IID_TRAYS", IID__Trays},
        {L"_IID_USER", IID__User},       {L"_IID_OS", IID__OS},             {L"_IID_COMPUTER", IID__Computer},
        {L"_IID_CDDRIVE", IID__CDDrive}, {L"_IID_MCI", IID__MCI},           {L"_IID_GLOBAL", IID__Global},
        {L"_IID_WINDOW", IID__Window},   {L"_IID_MENU", IID__Menu},
    };
    for (const Entry& e : entries) {
        HRSRC found = ::FindResourceW(library.module(), e.name, RT_RCDATA);
        ASSERT_NE(found, nullptr) << e.name;
        ASSERT_EQ(::SizeofResource(library.module(), found), 20u) << e.name;
        const auto* data = static_cast<const unsigned char*>(::LockResource(::LoadResource(library.module(), found)));
        DWORD length = 0;
        std::memcpy(&length, data, 4);
        EXPECT_EQ(length, 16u) << e.name;
        GUID stored;
        std::memcpy(&stored, data + 4, 16);
        EXPECT_TRUE(IsEqualGUID(stored, e.iid)) << e.name;
    }
    EXPECT_NE(::FindResourceW(library.module(), MAKEINTRESOURCEW(1), L"TYPELIB"), nullptr);
}

namespace {

// One row of an interface's member table: slot, name, kind, whether it is the default member (DISPID 0)
// and whether it is hidden.
struct Row {
    int slot;
    const wchar_t* name;
    INVOKEKIND kind;
    bool isDefault;
    bool hidden;
};

constexpr INVOKEKIND kGet = INVOKE_PROPERTYGET;
constexpr INVOKEKIND kLet = INVOKE_PROPERTYPUT;
constexpr INVOKEKIND kSet = INVOKE_PROPERTYPUTREF;
constexpr INVOKEKIND kCall = INVOKE_FUNC;

struct Table {
    const wchar_t* interfaceName;
    const IID& iid;
    std::vector<Row> rows;
};

std::vector<Table> Tables() {
    std::vector<Row> user;
    const wchar_t* const userNames[] = {L"Name", L"WindowsDirectory", L"CurrentDirectory", L"SystemDirectory",
                                        L"MyDocuments", L"StartMenu", L"ApplicationData", L"StartUp", L"Programs",
                                        L"ProgramFiles", L"Recent", L"Favorites", L"Desktop", L"RecycleBin", L"Fonts",
                                        L"SendTo", L"History", L"Cookies", L"MyPictures", L"TemporaryInternetFiles"};
    for (int i = 0; i < 20; ++i)
        user.push_back({7 + i, userNames[i], kGet, i == 0, i == 13});
    return {
        {L"_System", IID__System,
         {{7, L"ToolTips", kGet, false, false}, {8, L"SystemTrays", kGet, false, false}, {9, L"OS", kGet, false, false},
          {10, L"Computer", kGet, false, false}, {11, L"User", kGet, false, false}, {12, L"Window", kGet, false, false},
          {13, L"Window", kSet, false, false}, {14, L"Project", kGet, false, true}, {15, L"Project", kSet, false, true}}},
        {L"_Project", IID__Project, {{7, L"WorkingInIDE", kGet, false, false}, {8, L"IDEVisible", kLet, false, true}}},
        {L"_Window", IID__Window,
         {{7, L"Animate", kCall, false, false}, {8, L"Handle", kGet, false, false}, {9, L"Init", kCall, false, false},
          {10, L"Menu", kGet, false, false}, {11, L"IsMDI", kGet, false, true}}},
        {L"_Menu", IID__Menu,
         {{7, L"MenuSeperator", kLet, false, false}, {8, L"BitmapImage", kSet, false, false},
          {9, L"Checked", kLet, false, false}, {10, L"Include", kLet, false, true}, {11, L"Break", kLet, false, true},
          {12, L"SystemCloseButtonEnabled", kLet, false, true}, {13, L"EnableDisabledMenuSelection", kGet, false, true},
          {14, L"EnableDisabledMenuSelection", kLet, false, true}, {15, L"SideBar", kLet, false, true}}},
        {L"_Trays", IID__Trays,
         {{7, L"add", kCall, false, false}, {8, L"NewEnum", kCall, false, true}, {9, L"Item", kCall, true, false},
          {10, L"remove", kCall, false, false}, {11, L"Count", kGet, false, false}}},
        {L"_Tray", IID__Tray,
         {{7, L"add", kCall, false, false}, {8, L"modify", kCall, false, false}, {9, L"remove", kCall, false, true},
          {10, L"Key", kGet, true, true}}},
        {L"_ToolTips", IID__ToolTips,
         {{7, L"add", kCall, false, false}, {8, L"NewEnum", kCall, false, true}, {9, L"Item", kCall, true, false},
          {10, L"remove", kCall, false, false}, {11, L"Count", kGet, false, false}}},
        {L"_ToolTip", IID__ToolTip,
         {{7, L"Delay", kGet, false, false}, {8, L"Delay", kLet, false, false}, {9, L"Text", kGet, true, false},
          {10, L"Text", kLet, true, false}, {11, L"BackColor", kGet, false, false}, {12, L"BackColor", kLet, false, false},
          {13, L"TextColor", kGet, false, false}, {14, L"TextColor", kLet, false, false},
          {15, L"Activate", kLet, false, false}, {16, L"TitleIcon", kLet, false, false}}},
        {L"_User", IID__User, user},
        {L"_OS", IID__OS,
         {{7, L"Name", kGet, true, false}, {8, L"Build", kGet, false, false}, {9, L"Major", kGet, false, false},
          {10, L"Minor", kGet, false, false}, {11, L"ServicePack", kGet, false, false},
          {12, L"ServicePackMajor", kGet, false, false}, {13, L"ServicePackMinor", kGet, false, false},
          {14, L"isServicePackInstalled", kGet, false, true}}},
        {L"_Computer", IID__Computer, {{7, L"Name", kGet, true, false}, {8, L"CDDrive", kGet, false, false}}},
        {L"_MCI", IID__MCI, {{7, L"openDoor", kCall, false, false}, {8, L"closeDoor", kCall, false, false}}},
        {L"_CDDrive", IID__CDDrive, {}},
        {L"_Global", IID__Global, {}},
    };
}

// The dispatch side of a dual interface: its functions' DISPIDs and flags as late-bound clients see them.
struct DispatchMember {
    std::wstring name;
    INVOKEKIND kind;
    MEMBERID id;
    bool hidden;
};

std::vector<DispatchMember> VtableDetails(ITypeLib* lib, REFIID iid) {
    std::vector<DispatchMember> members;
    ComPtr<ITypeInfo> info;
    if (FAILED(lib->GetTypeInfoOfGuid(iid, info.put())))
        return members;
    HREFTYPE ref = 0;
    ComPtr<ITypeInfo> vtable;
    if (FAILED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref)) || FAILED(info->GetRefTypeInfo(ref, vtable.put())))
        return members;
    TYPEATTR* attr = nullptr;
    vtable->GetTypeAttr(&attr);
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* f = nullptr;
        if (FAILED(vtable->GetFuncDesc(i, &f))) {
            ADD_FAILURE() << "member " << i << " cannot be read";
            continue;
        }
        winkit::ScopedBstr name;
        UINT got = 0;
        vtable->GetNames(f->memid, name.put(), 1, &got);
        members.push_back({name.get() ? name.get() : L"", f->invkind, f->memid, (f->wFuncFlags & FUNCFLAG_FHIDDEN) != 0});
        vtable->ReleaseFuncDesc(f);
    }
    vtable->ReleaseTypeAttr(attr);
    return members;
}

} // namespace

TEST(TypeLibrary, EveryInterfaceHasItsMembersInSlotOrderWithTheirDispatchIds) {
    Library library;
    ComPtr<ITypeLib> lib = LoadEmbedded(library);
    ASSERT_TRUE(lib);
    for (const Table& table : Tables()) {
        SCOPED_TRACE(table.interfaceName);
        const std::vector<Member> slots = VtableMembers(lib.get(), table.iid);
        const std::vector<DispatchMember> details = VtableDetails(lib.get(), table.iid);
        ASSERT_EQ(slots.size(), table.rows.size());
        ASSERT_EQ(details.size(), table.rows.size());
        std::map<std::wstring, MEMBERID> idByName;
        std::set<MEMBERID> ids;
        for (size_t i = 0; i < table.rows.size(); ++i) {
            const Row& row = table.rows[i];
            EXPECT_EQ(slots[i].slot, row.slot) << row.name;
            EXPECT_EQ(slots[i].name, row.name);
            EXPECT_EQ(slots[i].kind, row.kind) << row.name;
            EXPECT_EQ(details[i].hidden, row.hidden) << row.name;
            if (row.isDefault)
                EXPECT_EQ(details[i].id, DISPID_VALUE) << row.name;
            else
                EXPECT_GT(details[i].id, 0) << row.name;
            // The reader and writer of one property share an identifier; different members never do.
            auto known = idByName.find(row.name);
            if (known != idByName.end()) {
                EXPECT_EQ(known->second, details[i].id) << row.name;
            } else {
                EXPECT_TRUE(ids.insert(details[i].id).second) << row.name << " reuses an identifier";
                idByName[row.name] = details[i].id;
            }
        }
    }
}

namespace {

// The parameters of one vtable member: names (after the member's own), optional flags and defaults.
struct Param {
    std::wstring name;
    bool optional;
    bool hasDefault;
    long defaultValue;
};

std::vector<Param> Params(ITypeLib* lib, REFIID iid, const wchar_t* member, INVOKEKIND kind) {
    std::vector<Param> params;
    ComPtr<ITypeInfo> info;
    lib->GetTypeInfoOfGuid(iid, info.put());
    HREFTYPE ref = 0;
    ComPtr<ITypeInfo> vtable;
    info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref);
    info->GetRefTypeInfo(ref, vtable.put());
    TYPEATTR* attr = nullptr;
    vtable->GetTypeAttr(&attr);
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* f = nullptr;
        if (FAILED(vtable->GetFuncDesc(i, &f))) {
            ADD_FAILURE() << "member " << i << " cannot be read";
            continue;
        }
        BSTR names[16] = {};
        UINT got = 0;
        vtable->GetNames(f->memid, names, 16, &got);
        if (f->invkind == kind && names[0] && std::wstring(names[0]) == member) {
            for (SHORT p = 0; p < f->cParams; ++p) {
                const PARAMDESC& d = f->lprgelemdescParam[p].paramdesc;
                Param param{p + 1 < static_cast<SHORT>(got) && names[p + 1] ? names[p + 1] : L"",
                            (d.wParamFlags & PARAMFLAG_FOPT) != 0, (d.wParamFlags & PARAMFLAG_FHASDEFAULT) != 0, 0};
                if (param.hasDefault) {
                    VARIANT value;
                    ::VariantInit(&value);
                    if (SUCCEEDED(::VariantChangeType(&value, &d.pparamdescex->varDefaultValue, 0, VT_I4)))
                        param.defaultValue = value.lVal;
                }
                params.push_back(param);
            }
        }
        for (UINT n = 0; n < got; ++n)
            ::SysFreeString(names[n]);
        vtable->ReleaseFuncDesc(f);
    }
    vtable->ReleaseTypeAttr(attr);
    return params;
}

} // namespace

TEST(TypeLibrary, OptionalParametersCarryTheirDefaults) {
    Library library;
    ComPtr<ITypeLib> lib = LoadEmbedded(library);
    ASSERT_TRUE(lib);

    const std::vector<Param> animate = Params(lib.get(), IID__Window, L"Animate", INVOKE_FUNC);
    ASSERT_EQ(animate.size(), 2u);
    EXPECT_EQ(animate[0].name, L"animationStyle");
    EXPECT_TRUE(animate[0].optional && animate[0].hasDefault);
    EXPECT_EQ(animate[0].defaultValue, 0xA0000);
    EXPECT_EQ(animate[1].defaultValue, 300);

    const std::vector<Param> init = Params(lib.get(), IID__Window, L"Init", INVOKE_FUNC);
    ASSERT_EQ(init.size(), 2u);
    EXPECT_FALSE(init[0].optional);
    EXPECT_TRUE(init[1].optional) << "the form object may be left out";

    const std::vector<Param> checked = Params(lib.get(), IID__Menu, L"Checked", INVOKE_PROPERTYPUT);
    ASSERT_EQ(checked.size(), 3u);
    EXPECT_EQ(checked[0].name, L"FormMenu");
    EXPECT_EQ(checked[1].name, L"CheckedBitmap");
    EXPECT_TRUE(checked[1].optional);
    EXPECT_FALSE(checked[2].optional) << "the assigned value";
    EXPECT_EQ(Params(lib.get(), IID__Menu, L"MenuSeperator", INVOKE_PROPERTYPUT).at(0).name, L"FormSeperatorMenu");

    // Trays.add: hWnd, ICON, six optional parameters with their defaults, the result.
    const std::vector<Param> add = Params(lib.get(), IID__Trays, L"add", INVOKE_FUNC);
    ASSERT_EQ(add.size(), 9u);
    EXPECT_FALSE(add[1].optional);
    const long trayDefaults[] = {0, 0, 0, 0, 512, 0};
    for (size_t i = 2; i < 8; ++i)
        EXPECT_TRUE(add[i].optional) << add[i].name;
    EXPECT_EQ(add[2].defaultValue, trayDefaults[0]);
    EXPECT_EQ(add[6].name, L"trayCallbackMessage");
    EXPECT_EQ(add[6].defaultValue, trayDefaults[4]);

    const std::vector<Param> tip = Params(lib.get(), IID__ToolTips, L"add", INVOKE_FUNC);
    ASSERT_EQ(tip.size(), 9u) << "eight parameters and the result";
    EXPECT_EQ(tip[5].name, L"toolTipStyle");
    EXPECT_EQ(tip[5].defaultValue, 1);
    EXPECT_EQ(tip[7].name, L"ToolTipBehavior");
    EXPECT_EQ(tip[7].defaultValue, 16);

    const std::vector<Param> activate = Params(lib.get(), IID__ToolTip, L"Activate", INVOKE_PROPERTYPUT);
    ASSERT_EQ(activate.size(), 4u);
    EXPECT_EQ(activate[0].defaultValue, 2) << "ACTIVATION_CENTER";
}

namespace {

// The constants of one enumeration of the type library, by name.
std::map<std::wstring, long> Enumeration(ITypeLib* lib, const wchar_t* name) {
    std::map<std::wstring, long> constants;
    for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
        TYPEKIND kind;
        lib->GetTypeInfoType(i, &kind);
        winkit::ScopedBstr typeName;
        lib->GetDocumentation(static_cast<INT>(i), typeName.put(), nullptr, nullptr, nullptr);
        if (kind != TKIND_ENUM || std::wstring(typeName.get()) != name)
            continue;
        ComPtr<ITypeInfo> info;
        lib->GetTypeInfo(i, info.put());
        TYPEATTR* attr = nullptr;
        info->GetTypeAttr(&attr);
        for (UINT v = 0; v < attr->cVars; ++v) {
            VARDESC* var = nullptr;
            info->GetVarDesc(v, &var);
            winkit::ScopedBstr constant;
            UINT got = 0;
            info->GetNames(var->memid, constant.put(), 1, &got);
            VARIANT value;
            ::VariantInit(&value);
            ::VariantChangeType(&value, var->lpvarValue, 0, VT_I4);
            constants[constant.get()] = value.lVal;
            info->ReleaseVarDesc(var);
        }
        info->ReleaseTypeAttr(attr);
    }
    return constants;
}

} // namespace

TEST(TypeLibrary, DeclaresTheTenEnumerationsWithTheirValues) {
    Library library;
    ComPtr<ITypeLib> lib = LoadEmbedded(library);
    ASSERT_TRUE(lib);
    struct Expected {
        const wchar_t* enumeration;
        size_t count;
        const wchar_t* constant;
        long value;
    };
    // Counts from the tables; one sample constant each, several shared between enumerations.
    const Expected expected[] = {
        {L"TOOLTIP_STYLE", 4, L"BALLOON", 64},
        {L"ICON", 4, L"CRITICAL", 3},
        {L"DELAYTIME", 4, L"AUTOPOPUP", 2},
        {L"BEHAVIOR", 6, L"TRANSPARENT", 256},
        {L"ACTIVATION_DIRECTION", 4, L"ACTIVATION_CUSTOM", 3},
        {L"TRAY_MESSAGEICON", 4, L"EXCL", 3},
        {L"TRAY_STYLE", 2, L"BALLOON", 1},
        {L"MOUSEMESSAGES", 10, L"MIDDLEBUTTONDOUBLECLICK", 521},
        {L"OPERATING_SYSTEM", 9, L"UNKNOWN", 8},
        // AW_ACTIVATE 0x20000 + AW_SLIDE 0x40000 + AW_CENTER 0x10
        {L"ANIMATION", 20, L"ACTIVATE_SLIDE_EXPAND_FROM_CENTER", 0x20000 + 0x40000 + 0x10},
    };
    for (const Expected& e : expected) {
        const std::map<std::wstring, long> constants = Enumeration(lib.get(), e.enumeration);
        EXPECT_EQ(constants.size(), e.count) << e.enumeration;
        auto it = constants.find(e.constant);
        ASSERT_NE(it, constants.end()) << e.enumeration << "." << e.constant;
        EXPECT_EQ(it->second, e.value) << e.enumeration << "." << e.constant;
    }
    // AW_HIDE 0x10000 + AW_SLIDE 0x40000 + AW_VER_NEGATIVE 8 + AW_HOR_NEGATIVE 2
    EXPECT_EQ(Enumeration(lib.get(), L"ANIMATION").at(L"DEACTIVATE_SLIDE_SHRINK_TO_TOP_LEFT"), 0x10000 + 0x40000 + 8 + 2);
    EXPECT_EQ(Enumeration(lib.get(), L"TOOLTIP_STYLE").at(L"SIMPLE"), 1);
    EXPECT_EQ(Enumeration(lib.get(), L"TRAY_STYLE").at(L"SIMPLE"), 0);
}

TEST(TypeLibrary, EveryEnumerationConstantCarriesItsNameAsHelpText) {
    Library library;
    ComPtr<ITypeLib> lib = LoadEmbedded(library);
    ASSERT_TRUE(lib);
    size_t enumerations = 0;
    size_t constants = 0;
    for (UINT i = 0; i < lib->GetTypeInfoCount(); ++i) {
        TYPEKIND kind;
        lib->GetTypeInfoType(i, &kind);
        if (kind != TKIND_ENUM)
            continue;
        ++enumerations;
        ComPtr<ITypeInfo> info;
        ASSERT_EQ(lib->GetTypeInfo(i, info.put()), S_OK);
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
        for (UINT v = 0; v < attr->cVars; ++v) {
            VARDESC* var = nullptr;
            ASSERT_EQ(info->GetVarDesc(v, &var), S_OK);
            // As an object browser asks: the member's name and help text by its member id.
            winkit::ScopedBstr name;
            winkit::ScopedBstr doc;
            EXPECT_EQ(info->GetDocumentation(var->memid, name.put(), doc.put(), nullptr, nullptr), S_OK);
            ASSERT_NE(name.get(), nullptr);
            EXPECT_STREQ(doc.get(), name.get());
            EXPECT_EQ(var->varkind, VAR_CONST) << name.get();
            info->ReleaseVarDesc(var);
            ++constants;
        }
        info->ReleaseTypeAttr(attr);
    }
    EXPECT_EQ(enumerations, 10u);
    EXPECT_EQ(constants, 4u + 4 + 4 + 6 + 4 + 4 + 2 + 10 + 9 + 20);
}

TEST(TypeLibrary, InterfacesCarryTheirDescriptions) {
    Library library;
    ComPtr<ITypeLib> lib = LoadEmbedded(library);
    ASSERT_TRUE(lib);
    const std::pair<const IID*, const wchar_t*> expected[] = {
        {&IID__Window, L"Provides window related functions. Many complex API's that are normally not used can be "
                       L"easily used through this class."},
        {&IID__Menu, L"Provides advanced menu options such as setting bitmaps, 3D checkmarks, radio bitmaps etc."},
        {&IID__OS, L"Contains underlying information about the operating system."},
    };
    for (const auto& [iid, text] : expected) {
        ComPtr<ITypeInfo> info;
        ASSERT_EQ(lib->GetTypeInfoOfGuid(*iid, info.put()), S_OK);
        winkit::ScopedBstr doc;
        info->GetDocumentation(MEMBERID_NIL, nullptr, doc.put(), nullptr, nullptr);
        EXPECT_STREQ(doc.get(), text);
    }
}
