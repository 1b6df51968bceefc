#pragma once
// SetMenuBitmaps: hands the hidden main form's menus to the library's menu drawer: the two side bars, a
// picture per icon row, the four titled separators and the two 3-D check boxes. Each call is tried on its
// own; one that fails leaves its item drawn plainly and the rest still go.
#include "app/menu/MenuClientObjects.h"
#include "app/menu/MenuPictures.h"
#include "app/menu/frmMainMenus.h"

#include "Syslinkage_h.h"

#include <string>
#include <vector>

namespace quillet {

// The menu items that get a picture and the picture's key, in the order they are handed over.
struct IconRow {
    const wchar_t* item;
    const wchar_t* key;
};
const std::vector<IconRow>& MenuIconRows();

// Returns the names of the items whose call failed (empty when all went through).
std::vector<std::wstring> SetMenuBitmaps(_Menu* menu, frmMainMenus& menus, MenuClientObjects& objects,
                                         const MenuPictures& pictures);

// The picture of one icon row's item, for an item that is shown only after the others got theirs (the
// address items, once the addresses are known). False when the item is hidden or the call failed.
bool SetRowPicture(_Menu* menu, frmMainMenus& menus, MenuClientObjects& objects, const MenuPictures& pictures,
                   const std::wstring& item);

} // namespace quillet
