#pragma once
// Menu: turns chosen items of a window's popup menus into items the library measures and draws. Each
// converted item carries its record's ItemIndex as its item data; records are numbered in the order
// of registration and never renumbered.
#include "interop/ComObject.h"
#include "interop/OwnerDrawnMenu.h"
#include "Syslinkage_h.h"

#include <map>
#include <memory>
#include <string>

namespace syslinkage {

class CWindow;

class CMenu final : public DispatchObject<_Menu> {
public:
    static winkit::ComPtr<CMenu> Make();

    HRESULT STDMETHODCALLTYPE put_MenuSeperator(IDispatch** FormSeperatorMenu, VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE putref_BitmapImage(IDispatch** FormMenu, IPictureDisp* value) override;
    HRESULT STDMETHODCALLTYPE put_Checked(IDispatch** FormMenu, VARIANT* CheckedBitmap, VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE put_Include(IDispatch** FormMenu, VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE put_Break(LONG hWnd, LONG subMenuPosition, LONG menuItemPosition,
                                        VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE put_SystemCloseButtonEnabled(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_EnableDisabledMenuSelection(VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE put_EnableDisabledMenuSelection(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE put_SideBar(IDispatch** FormMenu, VARIANT_BOOL value) override;

    // The Window whose menus this serves. Not a reference: the Window owns its Menu, and clears this
    // when it ends.
    void SetParentWindow(CWindow* window) noexcept { parent_ = window; }

    // WM_MEASUREITEM and WM_DRAWITEM for a menu item; false when the item is none of ours.
    bool OnMeasureItem(MEASUREITEMSTRUCT& item);
    bool OnDrawItem(const DRAWITEMSTRUCT& item);
    // WM_MENUCHAR: the item of `popup` whose live caption has `key` as its access key, as an
    // MNC_EXECUTE answer; nothing when no registered item has it.
    bool OnMenuChar(HMENU popup, wchar_t key, LRESULT& answer);

    bool IsKnownItem(ULONG_PTR itemData) const;

private:
    friend class DispatchObject<_Menu>;
    CMenu() = default;
    ~CMenu() override;

    HRESULT RegisterMenuItem(IDispatch** item, MenuPicture picture, bool isSeparator, bool isSideBar);
    bool SearchPopup(IDispatch* item, HMENU menu, int position, MenuPicture picture, bool isSeparator, bool isSideBar);
    bool TryMakeOwnerDrawn(IDispatch* item, HMENU menu, int position, MenuPicture picture, bool hasSubMenu,
                           bool isSeparator, bool isSideBar);
    HWND ParentHandle() const noexcept;

    // Keyed by ItemIndex, in registration order.
    std::map<long, std::unique_ptr<OwnerDrawnMenu>> items_;
    bool enableDisabledMenuSelection_ = false;
    CWindow* parent_ = nullptr;
};

} // namespace syslinkage
