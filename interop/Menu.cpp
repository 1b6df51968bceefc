#include "interop/Menu.h"

#include "core/MenuText.h"
#include "interop/ClientObjects.h"
#include "interop/Window.h"

#include <ocidl.h>

#include <vector>

namespace syslinkage {
namespace {

// Item texts are read into a buffer of 80 characters and a terminator.
constexpr UINT kTextCapacity = 81;

MenuPicture PictureOf(IUnknown* picture) noexcept {
    MenuPicture result;
    result.handle = PictureHandle(picture);
    // Icons are no GDI objects; a bitmap handle is told by its object type.
    result.isBitmap = result.handle && ::GetObjectType(result.handle) == OBJ_BITMAP;
    return result;
}

} // namespace

winkit::ComPtr<CMenu> CMenu::Make() {
    auto* menu = new (std::nothrow) CMenu();
    return winkit::ComPtr<CMenu>(menu);
}

CMenu::~CMenu() {
    // Each record goes by its key, releasing its client item, fonts and brush.
    while (!items_.empty())
        items_.erase(items_.begin());
}

HWND CMenu::ParentHandle() const noexcept { return parent_ ? parent_->Handle() : nullptr; }

bool CMenu::IsKnownItem(ULONG_PTR itemData) const {
    for (const auto& entry : items_)
        if (static_cast<ULONG_PTR>(entry.second->ItemIndex) == itemData)
            return true;
    return false;
}

bool CMenu::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    if (!IsKnownItem(item.itemData))
        return false;
    items_.at(static_cast<long>(item.itemData))->Measure(item);
    return true;
}

bool CMenu::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (!IsKnownItem(item.itemData))
        return false;
    OwnerDrawnMenu& record = *items_.at(static_cast<long>(item.itemData));
    // A titled separator is never chosen, whether or not the system marks it disabled when drawing it.
    if ((item.itemState & ODS_DISABLED) == 0 && !record.IsSeparator)
        record.DrawEnabled(item);
    else
        record.DrawDisabled(item, enableDisabledMenuSelection_);
    return true;
}

bool CMenu::OnMenuChar(HMENU popup, wchar_t key, LRESULT& answer) {
    const int count = ::GetMenuItemCount(popup);
    if (count <= 0)
        return false;
    // The live captions of our enabled items; other items stay empty, the key cannot reach them here.
    std::vector<std::wstring> captions(static_cast<size_t>(count));
    int current = -1;
    bool anyOurs = false;
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_FTYPE | MIIM_DATA;
        if (!::GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info))
            continue;
        if (info.fState & MFS_HILITE)
            current = i;
        if (!(info.fType & MFT_OWNERDRAW) || !IsKnownItem(info.dwItemData))
            continue;
        anyOurs = true;
        const OwnerDrawnMenu& record = *items_.at(static_cast<long>(info.dwItemData));
        if (record.IsSeparator || record.IsSideBar || (info.fState & MFS_DISABLED))
            continue;
        captions[static_cast<size_t>(i)] = ItemCaption(record.MenuControl.get());
    }
    if (!anyOurs)
        return false;
    const int found = core::ItemForAccessKey(captions, current, key);
    if (found < 0)
        return false;
    answer = MAKELRESULT(found, MNC_EXECUTE);
    return true;
}

bool CMenu::TryMakeOwnerDrawn(IDispatch* item, HMENU menu, int position, MenuPicture picture, bool hasSubMenu,
                              bool isSeparator, bool isSideBar) {
    std::wstring buffer(kTextCapacity - 1, L' ');
    buffer.push_back(L'\0');
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = buffer.data();
    info.cch = kTextCapacity;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info))
        return false;
    const core::MenuItemText text = core::SplitMenuItemText(buffer);
    if (!core::SameCaption(ItemCaption(item), text.caption))
        return false;

    auto record = std::make_unique<OwnerDrawnMenu>();
    record->MenuControl = winkit::ComPtr<IDispatch>(item);
    record->PictureHandle = picture;
    record->ShortcutText = text.shortcut;
    record->HasSubMenu = hasSubMenu;
    record->IsSeparator = isSeparator;
    record->CaptionText = text.caption;
    record->IsSideBar = isSideBar;
    record->ItemIndex = static_cast<long>(items_.size());
    const long index = record->ItemIndex;
    items_.emplace(index, std::move(record));

    // Only the type bits are rewritten (MIIM_FTYPE), so the item keeps its text for the system.
    UINT type = info.fType;
    UINT state = info.fState;
    if (isSeparator)
        type |= MFT_SEPARATOR;
    UINT mask = MIIM_DATA;
    if (isSideBar && position == 0) {
        MENUITEMINFOW next{};
        next.cbSize = sizeof(next);
        next.fMask = MIIM_FTYPE;
        if (::GetMenuItemInfoW(menu, 1, TRUE, &next)) {
            next.fType |= MFT_MENUBARBREAK;
            ::SetMenuItemInfoW(menu, 1, TRUE, &next);
        }
        mask |= MIIM_STATE;
        state |= MFS_DISABLED | MFS_GRAYED;
    }
    mask |= MIIM_FTYPE;
    type |= MFT_OWNERDRAW;

    MENUITEMINFOW write{};
    write.cbSize = sizeof(write);
    write.fMask = mask;
    write.fType = type;
    write.fState = state;
    write.dwItemData = static_cast<ULONG_PTR>(index);
    ::SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &write);
    return true;
}

bool CMenu::SearchPopup(IDispatch* item, HMENU menu, int position, MenuPicture picture, bool isSeparator, bool isSideBar) {
    const HMENU sub = ::GetSubMenu(menu, position);
    if (!sub)
        return false;
    const int count = ::GetMenuItemCount(sub);
    for (int j = 0; j < count; ++j) {
        if (TryMakeOwnerDrawn(item, sub, j, picture, ::GetSubMenu(sub, j) != nullptr, isSeparator, isSideBar))
            return true;
        // Depth first: an item's own submenu before the items after it.
        if (SearchPopup(item, sub, j, picture, isSeparator, isSideBar))
            return true;
    }
    return false;
}

HRESULT CMenu::RegisterMenuItem(IDispatch** item, MenuPicture picture, bool isSeparator, bool isSideBar) {
    return Guarded([&] {
        IDispatch* control = item ? *item : nullptr;
        if (!IsFormMenuItem(control))
            return S_OK;
        if (parent_)
            parent_->SubclassWindow();
        const HMENU bar = ::GetMenu(ParentHandle());
        const int count = bar ? ::GetMenuItemCount(bar) : 0;
        // The items of the bar itself are never converted, only those of its popups.
        for (int p = 0; p < count; ++p)
            if (SearchPopup(control, bar, p, picture, isSeparator, isSideBar))
                break;
        return S_OK;
    });
}

HRESULT CMenu::put_MenuSeperator(IDispatch** FormSeperatorMenu, VARIANT_BOOL value) {
    return value ? RegisterMenuItem(FormSeperatorMenu, {}, true, false) : S_OK;
}

HRESULT CMenu::putref_BitmapImage(IDispatch** FormMenu, IPictureDisp* value) {
    return RegisterMenuItem(FormMenu, PictureOf(value), false, false);
}

HRESULT CMenu::put_Checked(IDispatch** FormMenu, VARIANT* CheckedBitmap, VARIANT_BOOL value) {
    return Guarded([&] {
        IDispatch* control = FormMenu ? *FormMenu : nullptr;
        if (!control)
            return S_OK;
        VARIANT checked;
        checked.vt = VT_BOOL;
        checked.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        const HRESULT hr = PutProperty(control, L"Checked", checked);
        if (FAILED(hr))
            return Fail(hr, L"The menu item has no Checked property.");
        winkit::ComPtr<IDispatch> picture;
        ObjectArgument(CheckedBitmap, picture);
        return RegisterMenuItem(FormMenu, PictureOf(picture.get()), false, false);
    });
}

HRESULT CMenu::put_Include(IDispatch** FormMenu, VARIANT_BOOL value) {
    return value ? RegisterMenuItem(FormMenu, {}, false, false) : S_OK;
}

HRESULT CMenu::put_SideBar(IDispatch** FormMenu, VARIANT_BOOL value) {
    return RegisterMenuItem(FormMenu, {}, false, value != VARIANT_FALSE);
}

HRESULT CMenu::put_Break(LONG hWnd, LONG subMenuPosition, LONG menuItemPosition, VARIANT_BOOL value) {
    const HMENU popup = ::GetSubMenu(::GetMenu(static_cast<HWND>(LongToHandle(hWnd))), subMenuPosition);
    const UINT id = ::GetMenuItemID(popup, menuItemPosition);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_DATA;
    if (popup && ::GetMenuItemInfoW(popup, id, FALSE, &info)) {
        info.fMask = MIIM_FTYPE;
        if (value)
            info.fType = MFT_MENUBARBREAK;
        ::SetMenuItemInfoW(popup, id, FALSE, &info);
    }
    return S_OK;
}

HRESULT CMenu::put_SystemCloseButtonEnabled(VARIANT_BOOL value) {
    const HWND window = ParentHandle();
    const HMENU sys = ::GetSystemMenu(window, FALSE);
    const int last = ::GetMenuItemCount(sys) - 1;
    if (sys && last >= 0) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE;
        info.fState = value ? 0 : (MFS_DISABLED | MFS_GRAYED);
        ::SetMenuItemInfoW(sys, static_cast<UINT>(last), TRUE, &info);
        if (!value)
            ::RemoveMenu(sys, static_cast<UINT>(last), MF_BYPOSITION);
    }
    ::DrawMenuBar(window);
    return S_OK;
}

HRESULT CMenu::get_EnableDisabledMenuSelection(VARIANT_BOOL* result) {
    if (!result)
        return E_POINTER;
    *result = ToVariantBool(enableDisabledMenuSelection_);
    return S_OK;
}

HRESULT CMenu::put_EnableDisabledMenuSelection(VARIANT_BOOL value) {
    enableDisabledMenuSelection_ = value != VARIANT_FALSE;
    return S_OK;
}

} // namespace syslinkage
