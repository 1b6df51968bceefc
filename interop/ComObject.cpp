#include "interop/ComObject.h"

namespace syslinkage {

HRESULT ReportError(HRESULT hr, REFIID iid, const wchar_t* description) noexcept {
    winkit::ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(::CreateErrorInfo(create.put()))) {
        create->SetGUID(iid);
        create->SetSource(const_cast<LPOLESTR>(L"Syslinkage"));
        create->SetDescription(const_cast<LPOLESTR>(description));
        winkit::ComPtr<IErrorInfo> info;
        if (SUCCEEDED(create.As(info)))
            ::SetErrorInfo(0, info.get());
    }
    return hr;
}

HRESULT ReturnText(const std::wstring& text, BSTR* result) noexcept {
    if (!result)
        return E_POINTER;
    *result = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *result ? S_OK : E_OUTOFMEMORY;
}

} // namespace syslinkage
