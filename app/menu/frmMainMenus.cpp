#include "app/menu/frmMainMenus.h"

#include "core/ClipMenuCaption.h"

namespace quillet {
namespace {

constexpr UINT kClipboardClipIds = 2000; // mnuQLCClip(n) = 2000 + n
constexpr UINT kPasteClipIds = 2100;     // mnuQLClip(n) = 2100 + n

} // namespace

frmMainMenus::frmMainMenus() {
    root_.name = L"(bar)";
    root_.submenu = ::CreateMenu();

    auto add = [this](MenuNode& parent, const wchar_t* name, const wchar_t* caption) -> MenuNode& {
        return Add(&parent, name, caption, nextId_++);
    };

    MenuNode& mother = add(root_, L"mnuMotherQuillet", L"&Quillet Menu");
    add(mother, L"mnuSideBar", L"Quillet Menu");
    add(mother, L"mnuQuilleter", L"Show &Quillet");
    add(mother, L"mnuseparator1", L"Clipboard Formatting");
    MenuNode& cases = add(mother, L"mnuCase", L"&Case Conversion");
    add(cases, L"mnuToLowerCase", L"To &Lower Case");
    add(cases, L"mnuToUpperCase", L"To &Upper Case");
    add(cases, L"mnuSeparator5", L"-");
    add(cases, L"mnuProperCase", L"To &Proper Case");
    add(cases, L"mnuReverseCase", L"&Reverse Case");
    add(cases, L"mnuSeparator23", L"-");
    add(cases, L"mnuSentences", L"Make &Sentences");
    add(cases, L"mnuZigZagCase", L"&To ZiG zAg Case");
    add(mother, L"mnuRemoveDiacritics", L"&Remove Diacritics");
    add(mother, L"mnuReverse", L"R&everse Text");
    add(mother, L"mnuSeparator19", L"Copy to Clipboard");
    add(mother, L"mnuCopyDate", L"Current &Date");
    add(mother, L"mnuCopyTime", L"Current &Time");
    add(mother, L"mnuIpAdressPUB", L"I&P adress");
    add(mother, L"mnuIpAdressLAN", L"I&P adress");
    MenuNode& clips = add(mother, L"mnuClipFromQuillet", L"Cl&ip from Quillet");
    Add(&clips, ClipItemName(true, 1), L"", kClipboardClipIds + 1);
    add(mother, L"mnuSeparator10", L"Quillet &Settings");
    MenuNode& options = add(mother, L"mnuOptions", L"&Options");
    add(options, L"mnuSettings", L"&Settings...");
    add(options, L"mnuseparator26", L"-");
    add(options, L"mnuRunStartup", L"&Run At Startup");
    add(mother, L"mnuExit", L"E&xit");

    MenuNode& paste = add(root_, L"mnuQuillet", L"&Quillet");
    add(paste, L"mnuSidebar4", L"Quillet");
    add(paste, L"mnuAutoPaste", L"&Auto Paste").state->checked = true;
    add(paste, L"mnuSeparator11", L"Clips");
    Add(&paste, ClipItemName(false, 1), L"", kPasteClipIds + 1);

    // The items that start hidden; their places stay reserved in the tree.
    for (const wchar_t* hidden : {L"mnuIpAdressLAN", L"mnuQLCClip(1)", L"mnuQLClip(1)"})
        byName_.at(hidden)->visible = false;

    // Popups are created first so that each inserted item can carry its submenu.
    for (auto& node : nodes_) {
        if (!node->children.empty() || node->parent == &root_)
            node->submenu = ::CreatePopupMenu();
    }
    for (auto& node : nodes_) {
        if (node->visible)
            Insert(*node);
    }
}

frmMainMenus::~frmMainMenus() {
    if (!handedOver_ && root_.submenu)
        ::DestroyMenu(root_.submenu); // with every attached popup
    // Hidden items are never popups, so no submenu is left outside the bar.
}

MenuNode& frmMainMenus::Add(MenuNode* parent, const std::wstring& name, const std::wstring& caption, UINT id) {
    auto node = std::make_unique<MenuNode>();
    node->name = name;
    node->id = id;
    node->designCaption = caption;
    node->state->caption = caption;
    node->separatorBar = caption == L"-";
    node->parent = parent;
    MenuNode* raw = node.get();
    raw->state->checkedChanged = [this, raw] { Update(*raw, MIIM_STATE); };
    parent->children.push_back(raw);
    byName_[name] = raw;
    byId_[id] = raw;
    nodes_.push_back(std::move(node));
    return *raw;
}

HMENU frmMainMenus::clipboardMenu() const { return byName_.at(L"mnuMotherQuillet")->submenu; }
HMENU frmMainMenus::pasteMenu() const { return byName_.at(L"mnuQuillet")->submenu; }

std::wstring frmMainMenus::ClipItemName(bool clipboardMenu, int n) {
    return (clipboardMenu ? L"mnuQLCClip(" : L"mnuQLClip(") + std::to_wstring(n) + L")";
}

void frmMainMenus::LoadQLMenu() {
    MenuNode& clips = *byName_.at(L"mnuClipFromQuillet");
    MenuNode& paste = *byName_.at(L"mnuQuillet");
    for (int n = 2; n <= kClipCount; ++n) {
        if (byName_.count(ClipItemName(true, n)))
            continue;
        Add(&clips, ClipItemName(true, n), L"", kClipboardClipIds + static_cast<UINT>(n)).visible = false;
        Add(&paste, ClipItemName(false, n), L"", kPasteClipIds + static_cast<UINT>(n)).visible = false;
    }
}

MenuNode* frmMainMenus::Item(const std::wstring& name) {
    const auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

MenuNode* frmMainMenus::ClipItem(bool clipboardMenu, int n) { return Item(ClipItemName(clipboardMenu, n)); }

MenuNode* frmMainMenus::FromId(UINT id) {
    const auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : it->second;
}

HMENU frmMainMenus::MenuOf(const MenuNode& item) const { return item.parent ? item.parent->submenu : nullptr; }

int frmMainMenus::Position(const MenuNode& item) const {
    int position = 0;
    for (const MenuNode* sibling : item.parent->children) {
        if (sibling == &item)
            return position;
        if (sibling->visible)
            ++position;
    }
    return -1;
}

void frmMainMenus::Insert(MenuNode& item) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE;
    info.wID = item.id;
    info.fType = item.separatorBar ? MFT_SEPARATOR : MFT_STRING;
    info.fState = (item.state->checked ? MFS_CHECKED : 0u) | (item.state->enabled ? 0u : MFS_DISABLED);
    if (!item.separatorBar) {
        info.fMask |= MIIM_STRING;
        info.dwTypeData = item.state->caption.data();
    }
    if (item.submenu) {
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = item.submenu;
    }
    ::InsertMenuItemW(MenuOf(item), static_cast<UINT>(Position(item)), TRUE, &info);
}

void frmMainMenus::Update(MenuNode& item, UINT mask) {
    if (!item.visible)
        return;
    HMENU menu = MenuOf(item);
    const UINT position = static_cast<UINT>(Position(item));
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    if (mask & MIIM_STATE) {
        // Keep what others put on the item (the drawer disables its side bars).
        info.fMask = MIIM_STATE;
        ::GetMenuItemInfoW(menu, position, TRUE, &info);
        info.fState = (info.fState & ~static_cast<UINT>(MFS_CHECKED)) | (item.state->checked ? MFS_CHECKED : 0u);
    }
    info.fMask = mask;
    if (mask & MIIM_STRING)
        info.dwTypeData = item.state->caption.data();
    ::SetMenuItemInfoW(menu, position, TRUE, &info);
}

void frmMainMenus::SetVisible(MenuNode& item, bool visible) {
    if (item.visible == visible)
        return;
    if (visible) {
        item.visible = true;
        Insert(item);
    } else {
        // RemoveMenu, not DeleteMenu: a hidden item never owns a submenu, but nothing here should destroy one.
        ::RemoveMenu(MenuOf(item), static_cast<UINT>(Position(item)), MF_BYPOSITION);
        item.visible = false;
    }
}

void frmMainMenus::SetCaption(MenuNode& item, const std::wstring& caption) {
    item.state->caption = caption;
    Update(item, MIIM_STRING);
}

void frmMainMenus::SetChecked(MenuNode& item, bool checked) {
    item.state->checked = checked;
    Update(item, MIIM_STATE);
}

void frmMainMenus::RefreshClipMenuItems(bool clipboardMenu, const std::function<bool(int)>& isEmpty,
                                        const std::function<std::wstring(int)>& rowText) {
    for (int n = 1; n <= kClipCount; ++n) {
        MenuNode* clipboardItem = ClipItem(true, n);
        MenuNode* pasteItem = ClipItem(false, n);
        if (!clipboardItem || !pasteItem)
            continue;
        if (isEmpty(n)) {
            SetVisible(*clipboardItem, false);
            SetVisible(*pasteItem, false);
            continue;
        }
        const std::wstring caption = core::ClipMenuCaption(n, rowText(n));
        SetCaption(*clipboardItem, caption);
        SetVisible(*clipboardItem, true);
        if (!clipboardMenu) {
            SetCaption(*pasteItem, caption);
            SetVisible(*pasteItem, true);
        }
    }
}

} // namespace quillet
