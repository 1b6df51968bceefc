#include "interop/ToolTips.h"

#include "interop/AnsiText.h"

#include <vector>

namespace syslinkage {

HRESULT CToolTips::add(IDispatch** Form, IDispatch** Control, BSTR ToolTipText, BSTR Key, BSTR ToolTipTitle,
                       TOOLTIP_STYLE toolTipStyle, ICON ToolTipIcon, BEHAVIOR ToolTipBehavior, _ToolTip** result) {
    if (!result)
        return E_POINTER;
    *result = nullptr;
    return Guarded([&] {
        winkit::ComPtr<CToolTip> tip = CToolTip::Make();
        const HRESULT hr = tip->Setup(Form ? *Form : nullptr, Control ? *Control : nullptr, ToolTipText, ToolTipTitle,
                                      toolTipStyle, ToolTipIcon, ToolTipBehavior);
        if (FAILED(hr))
            return hr;
        // A refused tip ends here, and its window with it.
        if (!tips_.Add(BstrText(Key), tip))
            return Fail(kDuplicateKey, L"This key is already associated with an element of this collection.");
        *result = tip.Detach();
        return S_OK;
    });
}

HRESULT CToolTips::NewEnum(IUnknown** result) {
    return Guarded([&] { return tips_.Enumerate(result); });
}

HRESULT CToolTips::Item(VARIANT Key, _ToolTip** result) {
    if (!result)
        return E_POINTER;
    *result = nullptr;
    return Guarded([&] {
        // Tips may have no key: a number is a position, counted from 1.
        const int at = tips_.Find(&Key, false);
        if (at < 0)
            return Fail(kInvalidArgument, L"Invalid procedure call or argument");
        *result = tips_.At(at).get();
        (*result)->AddRef();
        return S_OK;
    });
}

HRESULT CToolTips::remove(VARIANT* Key) {
    return Guarded([&] {
        const int at = tips_.Find(Key, false);
        if (at < 0)
            return Fail(kInvalidArgument, L"Invalid procedure call or argument");
        tips_.At(at)->RemoveTool();
        tips_.RemoveAt(at);
        return S_OK;
    });
}

HRESULT CToolTips::get_Count(LONG* result) {
    if (!result)
        return E_POINTER;
    *result = tips_.Count();
    return S_OK;
}

HRESULT CToolTips::Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                          EXCEPINFO* exception, UINT* argError) {
    // Script hosts pass a variable holding an object as a reference to that variable; add takes the
    // form and the control as references to the objects, which the type library will not convert.
    constexpr DISPID kAdd = 1;
    if (id != kAdd || !params || !params->rgvarg)
        return CollectionObject::Invoke(id, iid, lcid, flags, params, result, exception, argError);
    return Guarded([&] {
        std::vector<VARIANT> args(params->rgvarg, params->rgvarg + params->cArgs);
        for (VARIANT& arg : args) {
            if (arg.vt == (VT_BYREF | VT_VARIANT) && arg.pvarVal && arg.pvarVal->vt == VT_DISPATCH) {
                IDispatch** object = &arg.pvarVal->pdispVal;
                arg.vt = VT_BYREF | VT_DISPATCH;
                arg.ppdispVal = object;
            }
        }
        DISPPARAMS passed = *params;
        passed.rgvarg = args.data();
        return CollectionObject::Invoke(id, iid, lcid, flags, &passed, result, exception, argError);
    });
}

CToolTips::~CToolTips() {
    for (const auto& entry : tips_.Entries())
        entry.member->RemoveTool();
    tips_.Clear();
}

} // namespace syslinkage
