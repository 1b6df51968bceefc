#pragma once
// One menu item the library measures and draws: what registration found out about it, and the fonts
// and brush its drawing caches for the record's life.
#include "core/MenuDrawPlan.h"
#include "winkit/Com.h"
#include "winkit/Scoped.h"

#include <oaidl.h>
#include <windows.h>

#include <string>

namespace syslinkage {

// A client's picture as the renderer draws it: an icon, or a bitmap (what OLE picture objects made from
// image lists usually hold). Both are borrowed: the client keeps the picture alive and frees it.
struct MenuPicture {
    HANDLE handle = nullptr;
    bool isBitmap = false;
    explicit operator bool() const noexcept { return handle != nullptr; }
};

class OwnerDrawnMenu {
public:
    OwnerDrawnMenu() = default;
    OwnerDrawnMenu(const OwnerDrawnMenu&) = delete;
    OwnerDrawnMenu& operator=(const OwnerDrawnMenu&) = delete;

    long ItemIndex = 0;
    winkit::ComPtr<IDispatch> MenuControl;
    MenuPicture PictureHandle;
    std::wstring ShortcutText;
    bool HasSubMenu = false;
    bool IsSeparator = false;
    std::wstring CaptionText;
    bool IsSideBar = false;

    // Sets itemWidth and itemHeight.
    void Measure(MEASUREITEMSTRUCT& item);
    void DrawEnabled(const DRAWITEMSTRUCT& item);
    void DrawDisabled(const DRAWITEMSTRUCT& item, bool enableDisabledMenuSelection);

private:
    core::MenuItemState StateOf(const DRAWITEMSTRUCT& item) const;
    void Execute(const DRAWITEMSTRUCT& item, const std::vector<core::DrawStep>& plan);
    void DrawPicture(HDC dc, int x, int y);
    void DrawDisabledPicture(HDC dc, int left, int top);
    void DrawSideBar(const DRAWITEMSTRUCT& item);
    HWND FormWindowOfItem() const;

    HFONT SymbolFont();
    HFONT LabelFont();
    HBRUSH CheckBrush();

    winkit::ScopedGdiObject symbolFont_;
    winkit::ScopedGdiObject labelFont_;
    winkit::ScopedGdiObject checkBrush_;
    // The hidden surface the side-bar caption bar is painted on before it is turned upright.
    winkit::ScopedWindow stripForm_;
};

} // namespace syslinkage
