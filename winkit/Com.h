#pragma once
// Owners for COM interface pointers, BSTRs and VARIANTs.
#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>

#include <utility>

namespace winkit {

template <typename T> class ComPtr {
public:
    using element_type = T;
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // Takes a reference of its own.
    explicit ComPtr(T* p) noexcept : p_(p) {
        if (p_)
            p_->AddRef();
    }
    ComPtr(const ComPtr& o) noexcept : ComPtr(o.p_) {}
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~ComPtr() { reset(); }

    // Adopts a reference the caller already owns.
    static ComPtr Attach(T* p) noexcept {
        ComPtr c;
        c.p_ = p;
        return c;
    }
    T* Detach() noexcept { return std::exchange(p_, nullptr); }

    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    void reset() noexcept {
        if (T* old = std::exchange(p_, nullptr))
            old->Release();
    }
    T** put() noexcept {
        reset();
        return &p_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

    template <typename U> HRESULT As(ComPtr<U>& out) const noexcept {
        return p_ ? p_->QueryInterface(__uuidof(U), out.put_void()) : E_POINTER;
    }
    HRESULT As(REFIID iid, void** out) const noexcept { return p_ ? p_->QueryInterface(iid, out) : E_POINTER; }

private:
    T* p_ = nullptr;
};

class ScopedBstr {
public:
    ScopedBstr() noexcept = default;
    explicit ScopedBstr(const wchar_t* text) : b_(::SysAllocString(text)) {}
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    ~ScopedBstr() { ::SysFreeString(b_); }
    BSTR get() const noexcept { return b_; }
    BSTR* put() noexcept {
        ::SysFreeString(std::exchange(b_, nullptr));
        return &b_;
    }
    BSTR Detach() noexcept { return std::exchange(b_, nullptr); }
    UINT length() const noexcept { return ::SysStringLen(b_); }

private:
    BSTR b_ = nullptr;
};

class ScopedVariant {
public:
    ScopedVariant() noexcept { ::VariantInit(&v_); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    ~ScopedVariant() { ::VariantClear(&v_); }
    VARIANT* get() noexcept { return &v_; }
    const VARIANT& operator*() const noexcept { return v_; }
    const VARIANT* operator->() const noexcept { return &v_; }
    void clear() noexcept { ::VariantClear(&v_); }

private:
    VARIANT v_;
};

// CoInitialize for the life of the object, on the calling thread.
class ComApartment {
public:
    explicit ComApartment(DWORD model = COINIT_APARTMENTTHREADED) noexcept : hr_(::CoInitializeEx(nullptr, model)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(hr_))
            ::CoUninitialize();
    }
    HRESULT result() const noexcept { return hr_; }

private:
    HRESULT hr_;
};

} // namespace winkit
