#pragma once
// Window: one top-level form window of the client. After Init it animates the window and hands out a
// Menu; drawing menu items needs the window subclassed, with the previous procedure kept in the window
// property "WindowSubClassProcedure" and the form in "WindowPointer".
#include "interop/ComObject.h"
#include "interop/Menu.h"
#include "Syslinkage_h.h"

namespace syslinkage {

class CWindow final : public DispatchObject<_Window> {
public:
    static HRESULT Create(REFIID iid, void** out) { return CreateInstance<CWindow>(iid, out); }

    HRESULT STDMETHODCALLTYPE Animate(ANIMATION animationStyle, LONG animationDelay) override;
    HRESULT STDMETHODCALLTYPE get_Handle(LONG* result) override;
    HRESULT STDMETHODCALLTYPE Init(LONG hWnd, VARIANT* WindowObject) override;
    HRESULT STDMETHODCALLTYPE get_Menu(_Menu** result) override;
    HRESULT STDMETHODCALLTYPE get_IsMDI(VARIANT_BOOL* result) override;

    HWND Handle() const noexcept { return handle_; }
    bool IsMDI() const noexcept { return isMdi_; }
    CMenu* MenuObject() const noexcept { return menu_.get(); }

    void SubclassWindow() noexcept;
    void RemoveSubclass() noexcept;

    // The apartment's current Window: the newest one alive. MenuWindowProc serves through it.
    static CWindow* Current() noexcept;

private:
    friend class DispatchObject<_Window>;
    CWindow() noexcept;
    ~CWindow() override;

    HWND handle_ = nullptr;
    winkit::ComPtr<IDispatch> form_;
    winkit::ComPtr<CMenu> menu_;
    bool isMdi_ = false;
};

// The procedure installed on subclassed windows.
LRESULT CALLBACK MenuWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Fills the form's drawing area on dc with its background colour and has the form repaint itself.
void PaintFormBackground(HWND hwnd, HDC dc);

} // namespace syslinkage
