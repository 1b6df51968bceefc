// The type library embedded in Syslinkage.dll: its identity, the slot order clients bind to, and the
// interface identifier resources.
#include "SyslinkageLibrary.h"
#include "Syslinkage_h.h"
#include "winkit/Com.h"

#include <gtest/gtest.h>

#include <cstring>
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
        source->GetFuncDesc(i, &f);
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

TEST(TypeLibrary, SystemMembersTakeTheirSlotsInOrder) {
    Library library;
    ComPtr<ITypeLib> lib = LoadEmbedded(library);
    ASSERT_TRUE(lib);
    const std::vector<Member> members = VtableMembers(lib.get(), IID__System);
    struct Expected {
        int slot;
        const wchar_t* name;
        INVOKEKIND kind;
    };
    const Expected expected[] = {
        {7, L"ToolTips", INVOKE_PROPERTYGET}, {8, L"SystemTrays", INVOKE_PROPERTYGET},
        {9, L"OS", INVOKE_PROPERTYGET},       {10, L"Computer", INVOKE_PROPERTYGET},
        {11, L"User", INVOKE_PROPERTYGET},    {12, L"Window", INVOKE_PROPERTYGET},
        {13, L"Window", INVOKE_PROPERTYPUTREF}, {14, L"Project", INVOKE_PROPERTYGET},
        {15, L"Project", INVOKE_PROPERTYPUTREF},
    };
    ASSERT_EQ(members.size(), std::size(expected));
    for (size_t i = 0; i < members.size(); ++i) {
        EXPECT_EQ(members[i].slot, expected[i].slot) << i;
        EXPECT_EQ(members[i].name, expected[i].name) << i;
        EXPECT_EQ(members[i].kind, expected[i].kind) << i;
        EXPECT_GT(members[i].id, 0) << "no default member on _System";
    }
}

TEST(TypeLibrary, ProjectMembersTakeTheirSlotsInOrder) {
    Library library;
    ComPtr<ITypeLib> lib = LoadEmbedded(library);
    ASSERT_TRUE(lib);
    const std::vector<Member> members = VtableMembers(lib.get(), IID__Project);
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[0].slot, 7);
    EXPECT_EQ(members[0].name, L"WorkingInIDE");
    EXPECT_EQ(members[0].kind, INVOKE_PROPERTYGET);
    EXPECT_EQ(members[1].slot, 8);
    EXPECT_EQ(members[1].name, L"IDEVisible");
    EXPECT_EQ(members[1].kind, INVOKE_PROPERTYPUT);
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
