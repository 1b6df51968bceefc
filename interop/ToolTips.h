#pragma once
// ToolTips: the client's tooltips, with or without a key each. When the collection ends every tip is
// taken out of its window; each window goes with its ToolTip.
#include "interop/Collection.h"
#include "interop/ToolTip.h"
#include "Syslinkage_h.h"

namespace syslinkage {

class CToolTips final : public CollectionObject<_ToolTips> {
public:
    static HRESULT Create(REFIID iid, void** out) { return CreateInstance<CToolTips>(iid, out); }

    HRESULT STDMETHODCALLTYPE add(IDispatch** Form, IDispatch** Control, BSTR ToolTipText, BSTR Key, BSTR ToolTipTitle,
                                  TOOLTIP_STYLE toolTipStyle, ICON ToolTipIcon, BEHAVIOR ToolTipBehavior,
                                  _ToolTip** result) override;
    HRESULT STDMETHODCALLTYPE NewEnum(IUnknown** result) override;
    HRESULT STDMETHODCALLTYPE Item(VARIANT Key, _ToolTip** result) override;
    HRESULT STDMETHODCALLTYPE remove(VARIANT* Key) override;
    HRESULT STDMETHODCALLTYPE get_Count(LONG* result) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argError) override;

private:
    friend class DispatchObject<_ToolTips>;
    CToolTips() = default;
    ~CToolTips() override;

    KeyedCollection<CToolTip> tips_;
};

} // namespace syslinkage
