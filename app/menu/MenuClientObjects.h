#pragma once
// The hidden main form and its menu items as the menu drawer sees them: small automation objects that it
// reaches by member name only (GetIDsOfNames, then Invoke). A form answers hWnd, hDC, BackColor, MDIForm
// and Refresh; a menu item answers Caption, Checked, Enabled and Parent. Captions and check states are
// read live from the menus' own state, so what is drawn always matches what the menus hold.
#include "app/menu/frmMainMenus.h"
#include "winkit/Com.h"

#include <oaidl.h>

#include <map>
#include <memory>
#include <string>

namespace quillet {

// The form: its window and a device context with the menu font selected, for measuring item texts.
winkit::ComPtr<IDispatch> CreateFormObject(HWND window);

// One menu item of `form`, showing `state`.
winkit::ComPtr<IDispatch> CreateMenuItemObject(std::shared_ptr<MenuItemState> state, IDispatch* form);

// The objects handed to the drawer, one per menu item, made on first use and kept while the menus live.
class MenuClientObjects {
public:
    explicit MenuClientObjects(HWND window) : form_(CreateFormObject(window)) {}

    IDispatch* form() const { return form_.get(); }
    IDispatch* Item(const MenuNode& node);
    void Clear() {
        items_.clear();
        form_.reset();
    }

private:
    winkit::ComPtr<IDispatch> form_;
    std::map<std::wstring, winkit::ComPtr<IDispatch>> items_;
};

} // namespace quillet
