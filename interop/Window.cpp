#include "interop/Window.h"

#include "interop/ClientObjects.h"

#include <olectl.h>

namespace syslinkage {
namespace {

// ANSI names, as other code that looks at these properties knows them.
constexpr char kPreviousProcedure[] = "WindowSubClassProcedure";
constexpr char kFormPointer[] = "WindowPointer";

// One per apartment; objects are used only on the thread that made them.
thread_local CWindow* g_current = nullptr;

WNDPROC PreviousProcedure(HWND hwnd) noexcept {
    return reinterpret_cast<WNDPROC>(::GetPropA(hwnd, kPreviousProcedure));
}

bool OursOnTop(HWND hwnd) noexcept {
    const auto ours = reinterpret_cast<LONG_PTR>(&MenuWindowProc);
    return ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == ours;
}

// Keeps the library loaded for the rest of the process, for a window procedure of ours that has to stay.
void PinLibrary() noexcept {
    HMODULE self = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                         reinterpret_cast<LPCWSTR>(&MenuWindowProc), &self);
}

// The colour of the window class's background brush: a system colour index + 1, or a brush.
COLORREF ClassBackColour(HWND hwnd) noexcept {
    const auto brush = static_cast<ULONG_PTR>(::GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND));
    if (brush > 0 && brush <= COLOR_MENUBAR + 1)
        return ::GetSysColor(static_cast<int>(brush - 1));
    LOGBRUSH info{};
    if (brush && ::GetObjectW(reinterpret_cast<HGDIOBJ>(brush), sizeof(info), &info) && info.lbStyle == BS_SOLID)
        return info.lbColor;
    return ::GetSysColor(COLOR_BTNFACE);
}

} // namespace

CWindow::CWindow() noexcept { g_current = this; }

CWindow::~CWindow() {
    if (handle_ && PreviousProcedure(handle_))
        RemoveSubclass();
    if (menu_)
        menu_->SetParentWindow(nullptr);
    menu_.reset();
    form_.reset();
    // Only the Window that is current gives up the place; an older one ending leaves a newer one in it.
    if (g_current == this)
        g_current = nullptr;
}

CWindow* CWindow::Current() noexcept { return g_current; }

void CWindow::SubclassWindow() noexcept {
    if (!handle_ || !::IsWindow(handle_))
        return;
    if (PreviousProcedure(handle_)) {
        // Still in the chain from an earlier Window that could not unhook: this one's form takes over.
        ::SetPropA(handle_, kFormPointer, reinterpret_cast<HANDLE>(form_.get()));
        return;
    }
    // The wide forms keep a Unicode window Unicode; the narrow ones would push all its text messages
    // through the ANSI code page.
    const LONG_PTR previous = ::GetWindowLongPtrW(handle_, GWLP_WNDPROC);
    ::SetPropA(handle_, kPreviousProcedure, reinterpret_cast<HANDLE>(previous));
    // The form's address, borrowed: no reference is taken for it.
    ::SetPropA(handle_, kFormPointer, reinterpret_cast<HANDLE>(form_.get()));
    ::SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MenuWindowProc));
}

void CWindow::RemoveSubclass() noexcept {
    const WNDPROC previous = PreviousProcedure(handle_);
    if (!previous)
        return;
    // The form is about to be let go; nothing may reach it through the window any more.
    ::RemovePropA(handle_, kFormPointer);
    if (!OursOnTop(handle_)) {
        // Someone subclassed the window after us and forwards to us: putting the old procedure back would
        // cut them off. Ours stays in the chain, passing everything on, so its code must stay loaded.
        PinLibrary();
        return;
    }
    ::SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    ::RemovePropA(handle_, kPreviousProcedure);
}

HRESULT CWindow::Animate(ANIMATION animationStyle, LONG animationDelay) {
    if (!form_ || isMdi_)
        return S_OK;
    SubclassWindow();
    ::AnimateWindow(handle_, static_cast<DWORD>(animationDelay), static_cast<DWORD>(animationStyle));
    return S_OK;
}

HRESULT CWindow::get_Handle(LONG* result) {
    if (!result)
        return E_POINTER;
    *result = HandleToLong(handle_);
    return S_OK;
}

HRESULT CWindow::Init(LONG hWnd, VARIANT* WindowObject) {
    return Guarded([&] {
        if (handle_ && PreviousProcedure(handle_))
            RemoveSubclass();
        handle_ = static_cast<HWND>(LongToHandle(hWnd));
        winkit::ComPtr<IDispatch> form;
        const HRESULT hr = ObjectArgument(WindowObject, form);
        if (FAILED(hr) || (form && !IsForm(form.get()))) {
            form_.reset();
            isMdi_ = false;
            return Fail(DISP_E_TYPEMISMATCH, L"Type mismatch: the window object is not a form.");
        }
        form_ = form;
        isMdi_ = IsMdiForm(form_.get());
        return S_OK;
    });
}

HRESULT CWindow::get_Menu(_Menu** result) {
    if (!result)
        return E_POINTER;
    *result = nullptr;
    return Guarded([&] {
        if (!menu_)
            menu_ = CMenu::Make();
        if (!menu_)
            return E_OUTOFMEMORY;
        menu_->SetParentWindow(this);
        *result = menu_.get();
        (*result)->AddRef();
        return S_OK;
    });
}

HRESULT CWindow::get_IsMDI(VARIANT_BOOL* result) {
    if (!result)
        return E_POINTER;
    *result = ToVariantBool(isMdi_);
    return S_OK;
}

void PaintFormBackground(HWND hwnd, HDC dc) {
    auto* form = reinterpret_cast<IDispatch*>(::GetPropA(hwnd, kFormPointer));
    RECT area{};
    ::GetClientRect(hwnd, &area);
    COLORREF colour = ClassBackColour(hwnd);
    if (const std::optional<OLE_COLOR> back = form ? FormBackColor(form) : std::nullopt)
        ::OleTranslateColor(*back, nullptr, &colour);
    if (dc) {
        winkit::ScopedGdiObject brush(::CreateSolidBrush(colour));
        ::FillRect(dc, &area, static_cast<HBRUSH>(brush.get()));
    }
    if (!form || FAILED(CallMethod(form, L"Refresh")))
        ::InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT CALLBACK MenuWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWindow* window = CWindow::Current();
    CMenu* menu = window ? window->MenuObject() : nullptr;
    try {
        switch (message) {
        case WM_DRAWITEM: {
            // wParam 0 is also the identifier a control may have: only menu items are ours.
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (wParam == 0 && menu && item && item->CtlType == ODT_MENU)
                menu->OnDrawItem(*item);
            break;
        }
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (wParam == 0 && menu && item && item->CtlType == ODT_MENU)
                menu->OnMeasureItem(*item);
            break;
        }
        case WM_MENUCHAR: {
            LRESULT answer = 0;
            if (menu && (HIWORD(wParam) & MF_SYSMENU) == 0 &&
                menu->OnMenuChar(reinterpret_cast<HMENU>(lParam), static_cast<wchar_t>(LOWORD(wParam)), answer))
                return answer;
            break;
        }
        case WM_ACTIVATE:
            // wParam is the activation state here, not a device context: only the repaint is asked for.
            if (window && !window->IsMDI())
                PaintFormBackground(hwnd, nullptr);
            break;
        case WM_PRINTCLIENT:
            if (window && !window->IsMDI())
                PaintFormBackground(hwnd, reinterpret_cast<HDC>(wParam));
            break;
        default:
            break;
        }
    } catch (...) {
        // Nothing may unwind into the system's menu loop; the message still goes on.
    }
    const WNDPROC previous = PreviousProcedure(hwnd);
    return previous ? ::CallWindowProcW(previous, hwnd, message, wParam, lParam)
                    : ::DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace syslinkage
