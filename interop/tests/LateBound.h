#pragma once
// Calls into the library by member name, as a script host does: GetIDsOfNames, then Invoke.
#include <windows.h>
#include <oaidl.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace syslinkage_test {

inline HRESULT Dispatch(IDispatch* object, const wchar_t* member, WORD flags, std::initializer_list<VARIANT> args,
                        VARIANT* result) {
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(member);
    HRESULT hr = object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    std::vector<VARIANT> reversed(args.begin(), args.end()); // DISPPARAMS holds arguments last first
    std::reverse(reversed.begin(), reversed.end());
    DISPID named = DISPID_PROPERTYPUT;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    DISPPARAMS params{reversed.data(), put ? &named : nullptr, static_cast<UINT>(reversed.size()), put ? 1u : 0u};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

// Argument makers; the BSTR of Text is the caller's to free (the tests keep them for the call only).
inline VARIANT Int(LONG value) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}
inline VARIANT Object(IDispatch* value) {
    VARIANT v;
    v.vt = VT_DISPATCH;
    v.pdispVal = value;
    return v;
}

} // namespace syslinkage_test
