#pragma once
// The keyed collection behind Trays and ToolTips, as automation clients know collections: members in
// the order they were added, an optional text key each (compared without regard to case), a duplicate
// key refused, and a For Each enumerator over a snapshot of the members.
#include "interop/ComObject.h"

#include <string>
#include <vector>

namespace syslinkage {

// The automation errors a collection raises, with the numbers scripts know them by.
constexpr HRESULT kDuplicateKey = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 457);
constexpr HRESULT kInvalidArgument = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 5);

// An IEnumVARIANT over objects (VT_DISPATCH); the snapshot keeps its members alive.
HRESULT CreateObjectEnumerator(std::vector<winkit::ComPtr<IDispatch>> members, IUnknown** result);

template <typename Member> class KeyedCollection {
public:
    struct Entry {
        std::wstring key; // empty: added without a key
        winkit::ComPtr<Member> member;
    };

    // False when the key is already taken.
    bool Add(const std::wstring& key, winkit::ComPtr<Member> member) {
        if (!key.empty() && IndexOfKey(key) >= 0)
            return false;
        entries_.push_back({key, std::move(member)});
        return true;
    }

    // A text key, or (with numbersAreKeys) a number standing for its decimal text; otherwise a number is
    // a position counted from 1. -1 when nothing matches.
    int Find(const VARIANT* key, bool numbersAreKeys) const {
        if (!key)
            return -1;
        if (key->vt == (VT_BYREF | VT_VARIANT))
            key = key->pvarVal;
        if (!key)
            return -1;
        VARIANT text;
        ::VariantInit(&text);
        const bool isText = (key->vt & ~VT_BYREF) == VT_BSTR;
        if (isText || numbersAreKeys) {
            if (FAILED(::VariantChangeType(&text, const_cast<VARIANT*>(key), 0, VT_BSTR)))
                return -1;
            const int at = IndexOfKey(text.bstrVal ? text.bstrVal : L"");
            ::VariantClear(&text);
            return at;
        }
        if (FAILED(::VariantChangeType(&text, const_cast<VARIANT*>(key), 0, VT_I4)))
            return -1;
        const long position = text.lVal;
        return position >= 1 && position <= static_cast<long>(entries_.size()) ? static_cast<int>(position - 1) : -1;
    }

    const winkit::ComPtr<Member>& At(int index) const { return entries_[static_cast<size_t>(index)].member; }
    void RemoveAt(int index) { entries_.erase(entries_.begin() + index); }
    long Count() const noexcept { return static_cast<long>(entries_.size()); }
    const std::vector<Entry>& Entries() const noexcept { return entries_; }
    void Clear() noexcept { entries_.clear(); }

    HRESULT Enumerate(IUnknown** result) const {
        std::vector<winkit::ComPtr<IDispatch>> members;
        for (const Entry& e : entries_)
            members.emplace_back(e.member.get());
        return CreateObjectEnumerator(std::move(members), result);
    }

private:
    int IndexOfKey(const std::wstring& key) const {
        if (key.empty())
            return -1;
        for (size_t i = 0; i < entries_.size(); ++i)
            if (!entries_[i].key.empty() && ::lstrcmpiW(entries_[i].key.c_str(), key.c_str()) == 0)
                return static_cast<int>(i);
        return -1;
    }

    std::vector<Entry> entries_;
};

// Base of the collection classes: a late-bound For Each asks for the standard enumeration member
// (DISPID_NEWENUM, also reachable by the name "_NewEnum"), which is answered with the NewEnum member.
template <typename Interface> class CollectionObject : public DispatchObject<Interface> {
public:
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override {
        if (names && ids && count == 1 && names[0] && ::lstrcmpiW(names[0], L"_NewEnum") == 0) {
            ids[0] = DISPID_NEWENUM;
            return S_OK;
        }
        return DispatchObject<Interface>::GetIDsOfNames(iid, names, count, lcid, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argError) override {
        if (id != DISPID_NEWENUM)
            return DispatchObject<Interface>::Invoke(id, iid, lcid, flags, params, result, exception, argError);
        if (!result)
            return E_POINTER;
        IUnknown* enumerator = nullptr;
        const HRESULT hr = this->NewEnum(&enumerator);
        if (FAILED(hr))
            return hr;
        ::VariantInit(result);
        result->vt = VT_UNKNOWN;
        result->punkVal = enumerator;
        return S_OK;
    }
};

} // namespace syslinkage
