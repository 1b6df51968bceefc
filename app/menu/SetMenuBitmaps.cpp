#include "app/menu/SetMenuBitmaps.h"

#include <functional>

namespace quillet {

const std::vector<IconRow>& MenuIconRows() {
    static const std::vector<IconRow> rows{
        {L"mnuRemoveDiacritics", L"diacritics"},
        {L"mnuExit", L"exit"},
        {L"mnuQuilleter", L"quilleter"},
        {L"mnuToLowerCase", L"lowercase"},
        {L"mnuToUpperCase", L"uppercase"},
        {L"mnuProperCase", L"switchcase"},
        {L"mnuSentences", L"sentence"},
        {L"mnuCase", L"case"},
        {L"mnuClipFromQuillet", MenuPictures::kClipImage},
        {L"mnuOptions", L"options"},
        {L"mnuSettings", L"conf"},
        {L"mnuCopyDate", L"date"},
        {L"mnuCopyTime", L"time"},
        {L"mnuIpAdressPUB", L"ip1"},
        {L"mnuIpAdressLAN", L"ip2"},
        {L"mnuReverse", L"reverse"},
        {L"mnuZigZagCase", L"zigzag"},
        {L"mnuReverseCase", L"reversecase"},
    };
    return rows;
}

namespace {

// One call with an in/out item argument: the drawer gets a reference of its own and may hand back
// another object in its place, which is then ours to release.
template <typename Call> bool WithItem(IDispatch* object, Call call) {
    if (!object)
        return false;
    IDispatch* item = object;
    item->AddRef();
    const HRESULT hr = call(&item);
    if (item)
        item->Release();
    return SUCCEEDED(hr);
}

const IconRow* RowOf(const std::wstring& item) {
    for (const IconRow& row : MenuIconRows())
        if (item == row.item)
            return &row;
    return nullptr;
}

} // namespace

bool SetRowPicture(_Menu* menu, frmMainMenus& menus, MenuClientObjects& objects, const MenuPictures& pictures,
                   const std::wstring& item) {
    const IconRow* row = RowOf(item);
    MenuNode* node = menus.Item(item);
    // An item that is not shown has nothing to be drawn.
    if (!menu || !row || !node || !node->visible)
        return false;
    IPictureDisp* picture = pictures.Picture(row->key);
    return picture && WithItem(objects.Item(*node), [menu, picture](IDispatch** object) {
               return menu->putref_BitmapImage(object, picture);
           });
}

std::vector<std::wstring> SetMenuBitmaps(_Menu* menu, frmMainMenus& menus, MenuClientObjects& objects,
                                         const MenuPictures& pictures) {
    std::vector<std::wstring> failed;
    if (!menu)
        return {L"Menu"};
    const auto step = [&](const wchar_t* name, const std::function<HRESULT(IDispatch**)>& call) {
        MenuNode* node = menus.Item(name);
        if (!node || !WithItem(objects.Item(*node), call))
            failed.emplace_back(name);
    };

    for (const wchar_t* bar : {L"mnuSideBar", L"mnuSidebar4"})
        step(bar, [menu](IDispatch** item) { return menu->put_SideBar(item, VARIANT_TRUE); });

    for (const IconRow& row : MenuIconRows()) {
        const MenuNode* node = menus.Item(row.item);
        if (node && node->visible && !SetRowPicture(menu, menus, objects, pictures, row.item))
            failed.emplace_back(row.item);
    }

    for (const wchar_t* heading : {L"mnuseparator1", L"mnuSeparator10", L"mnuSeparator11", L"mnuSeparator19"})
        step(heading, [menu](IDispatch** item) { return menu->put_MenuSeperator(item, VARIANT_TRUE); });

    for (const wchar_t* check : {L"mnuAutoPaste", L"mnuRunStartup"}) {
        step(check, [menu](IDispatch** item) {
            VARIANT noPicture;
            ::VariantInit(&noPicture);
            noPicture.vt = VT_ERROR;
            noPicture.scode = DISP_E_PARAMNOTFOUND;
            return menu->put_Checked(item, &noPicture, VARIANT_TRUE);
        });
        // The item's own check mark, whatever the drawer did; the settings then put the real state on it.
        if (MenuNode* node = menus.Item(check))
            menus.SetChecked(*node, true);
    }
    return failed;
}

} // namespace quillet
