#include "interop/Collection.h"

namespace syslinkage {
namespace {

class ObjectEnumerator final : public PlainObject<IEnumVARIANT> {
public:
    ObjectEnumerator(std::vector<winkit::ComPtr<IDispatch>> members, size_t next)
        : members_(std::move(members)), next_(next) {}

    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT* out, ULONG* fetched) override {
        if (!out || (wanted > 1 && !fetched))
            return E_POINTER;
        ULONG given = 0;
        for (; given < wanted && next_ < members_.size(); ++given, ++next_) {
            ::VariantInit(&out[given]);
            out[given].vt = VT_DISPATCH;
            out[given].pdispVal = members_[next_].get();
            if (out[given].pdispVal)
                out[given].pdispVal->AddRef();
        }
        if (fetched)
            *fetched = given;
        return given == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const size_t left = members_.size() - next_;
        next_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** result) override {
        if (!result)
            return E_POINTER;
        return ReturnNewObject(new (std::nothrow) ObjectEnumerator(members_, next_), IID_IEnumVARIANT,
                               reinterpret_cast<void**>(result));
    }

private:
    std::vector<winkit::ComPtr<IDispatch>> members_;
    size_t next_;
};

} // namespace

HRESULT CreateObjectEnumerator(std::vector<winkit::ComPtr<IDispatch>> members, IUnknown** result) {
    if (!result)
        return E_POINTER;
    *result = nullptr;
    return ReturnNewObject(new (std::nothrow) ObjectEnumerator(std::move(members), 0), IID_IUnknown,
                           reinterpret_cast<void**>(result));
}

} // namespace syslinkage
