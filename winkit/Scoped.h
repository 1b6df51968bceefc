#pragma once
// Owners for every kind of Win32 handle the program holds, so no release is ever written by hand.
#include <windows.h>

#include <utility>

namespace winkit {

// A move-only owner of one handle value, released by Traits::Release when it is not Traits::Invalid().
template <typename Traits> class Scoped {
public:
    using Handle = typename Traits::Handle;

    Scoped() noexcept = default;
    explicit Scoped(Handle h) noexcept : h_(h) {}
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    Scoped(Scoped&& other) noexcept : h_(other.release()) {}
    Scoped& operator=(Scoped&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    ~Scoped() { reset(); }

    Handle get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Traits::Invalid(); }
    Handle release() noexcept { return std::exchange(h_, Traits::Invalid()); }
    void reset(Handle h = Traits::Invalid()) noexcept {
        Handle old = std::exchange(h_, h);
        if (old != Traits::Invalid())
            Traits::Release(old);
    }
    // For APIs that fill in a handle through a pointer.
    Handle* put() noexcept {
        reset();
        return &h_;
    }

private:
    Handle h_ = Traits::Invalid();
};

namespace traits {
struct KernelHandle {
    using Handle = HANDLE;
    static HANDLE Invalid() noexcept { return nullptr; }
    static void Release(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct FileHandle {
    using Handle = HANDLE;
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Release(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct Key {
    using Handle = HKEY;
    static HKEY Invalid() noexcept { return nullptr; }
    static void Release(HKEY h) noexcept { ::RegCloseKey(h); }
};
struct Module {
    using Handle = HMODULE;
    static HMODULE Invalid() noexcept { return nullptr; }
    static void Release(HMODULE h) noexcept { ::FreeLibrary(h); }
};
struct Window {
    using Handle = HWND;
    static HWND Invalid() noexcept { return nullptr; }
    static void Release(HWND h) noexcept { ::DestroyWindow(h); }
};
struct GdiObject {
    using Handle = HGDIOBJ;
    static HGDIOBJ Invalid() noexcept { return nullptr; }
    static void Release(HGDIOBJ h) noexcept { ::DeleteObject(h); }
};
struct MemoryDC {
    using Handle = HDC;
    static HDC Invalid() noexcept { return nullptr; }
    static void Release(HDC h) noexcept { ::DeleteDC(h); }
};
struct Global {
    using Handle = HGLOBAL;
    static HGLOBAL Invalid() noexcept { return nullptr; }
    static void Release(HGLOBAL h) noexcept { ::GlobalFree(h); }
};
struct Menu {
    using Handle = HMENU;
    static HMENU Invalid() noexcept { return nullptr; }
    static void Release(HMENU h) noexcept { ::DestroyMenu(h); }
};
struct Icon {
    using Handle = HICON;
    static HICON Invalid() noexcept { return nullptr; }
    static void Release(HICON h) noexcept { ::DestroyIcon(h); }
};
} // namespace traits

using ScopedHandle = Scoped<traits::KernelHandle>;
using ScopedFile = Scoped<traits::FileHandle>;
using ScopedKey = Scoped<traits::Key>;
using ScopedModule = Scoped<traits::Module>;
using ScopedWindow = Scoped<traits::Window>;
using ScopedGdiObject = Scoped<traits::GdiObject>;
using ScopedMemoryDC = Scoped<traits::MemoryDC>;
using ScopedGlobal = Scoped<traits::Global>;
using ScopedMenu = Scoped<traits::Menu>;
using ScopedIcon = Scoped<traits::Icon>;

// A window's device context from GetDC (or GetDCEx), given back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) noexcept : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    // Takes over a context the window gave otherwise (GetDCEx).
    WindowDC(HWND hwnd, HDC dc) noexcept : hwnd_(hwnd), dc_(dc) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_)
            ::ReleaseDC(hwnd_, dc_);
    }
    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND hwnd_;
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back on scope exit.
class SelectObjectGuard {
public:
    SelectObjectGuard(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(::SelectObject(dc, obj)) {}
    SelectObjectGuard(const SelectObjectGuard&) = delete;
    SelectObjectGuard& operator=(const SelectObjectGuard&) = delete;
    ~SelectObjectGuard() {
        if (old_ && old_ != HGDI_ERROR)
            ::SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// GlobalLock for the life of the guard.
template <typename T = void> class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL h) noexcept : h_(h), p_(static_cast<T*>(::GlobalLock(h))) {}
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    ~GlobalLockGuard() {
        if (p_)
            ::GlobalUnlock(h_);
    }
    T* get() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

private:
    HGLOBAL h_;
    T* p_;
};

} // namespace winkit
