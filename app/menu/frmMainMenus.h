#pragma once
// The hidden main form's menu tree: a real menu bar (the menu drawer finds the items it draws through it)
// whose two popups are the clipboard menu mnuMotherQuillet and the paste menu mnuQuillet. Win32 items have
// no visible flag, so a hidden item is one that is not inserted; it keeps its place in the tree and comes
// back at the same position.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace quillet {

// What an item shows. Shared with the item's automation object, from which the menu drawer reads the
// caption and check state live at every drawing.
struct MenuItemState {
    std::wstring caption;
    bool checked = false;
    bool enabled = true;
    // Set by the menus: copies a check state put from outside onto the Win32 item.
    std::function<void()> checkedChanged;
};

struct MenuNode {
    std::wstring name;
    UINT id = 0;
    std::shared_ptr<MenuItemState> state = std::make_shared<MenuItemState>();
    std::wstring designCaption; // the caption of the tree, before run-time additions
    std::wstring tag;           // the IP items' address
    bool visible = true;
    bool separatorBar = false;  // caption "-"
    MenuNode* parent = nullptr;
    std::vector<MenuNode*> children;
    HMENU submenu = nullptr;    // items with children (and the two popups of the bar)
};

class frmMainMenus {
public:
    static constexpr int kClipCount = 30;

    // Builds the tree with element 1 of each clip array.
    frmMainMenus();
    frmMainMenus(const frmMainMenus&) = delete;
    frmMainMenus& operator=(const frmMainMenus&) = delete;
    ~frmMainMenus();

    // The menu bar; destroyed with this object unless the window it is set on still holds it.
    HMENU bar() const { return root_.submenu; }
    HMENU clipboardMenu() const;
    HMENU pasteMenu() const;

    // Creates elements 2 to 30 of mnuQLClip and mnuQLCClip (hidden until they get a clip).
    void LoadQLMenu();

    // Null for a name the tree does not hold.
    MenuNode* Item(const std::wstring& name);
    // mnuQLCClip(n) of the clipboard menu or mnuQLClip(n) of the paste menu; null before LoadQLMenu for n > 1.
    MenuNode* ClipItem(bool clipboardMenu, int n);
    MenuNode* FromId(UINT id);
    static std::wstring ClipItemName(bool clipboardMenu, int n);

    void SetVisible(MenuNode& item, bool visible);
    void SetCaption(MenuNode& item, const std::wstring& caption);
    void SetChecked(MenuNode& item, bool checked);

    // Before each popup: a clip that is empty hides its items, any other gets "(" + n + ") &" + its first
    // 30 characters, on the clipboard menu's item and, for the paste menu, on the paste menu's item too.
    void RefreshClipMenuItems(bool clipboardMenu, const std::function<bool(int)>& isEmpty,
                              const std::function<std::wstring(int)>& rowText);

    // Where a visible item stands in its Win32 menu.
    HMENU MenuOf(const MenuNode& item) const;
    int Position(const MenuNode& item) const;

    // The bar stays with the window it was set on; the window destroys it.
    void HandOver() { handedOver_ = true; }
    void TakeBack() { handedOver_ = false; }

private:
    MenuNode& Add(MenuNode* parent, const std::wstring& name, const std::wstring& caption, UINT id);
    void Insert(MenuNode& item);
    void Update(MenuNode& item, UINT mask);

    MenuNode root_;
    std::vector<std::unique_ptr<MenuNode>> nodes_;
    std::map<std::wstring, MenuNode*> byName_;
    std::map<UINT, MenuNode*> byId_;
    UINT nextId_ = 1000;
    bool handedOver_ = false;
};

} // namespace quillet
