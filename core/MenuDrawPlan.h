#pragma once
// How an owner-drawn menu item is painted, as a plain list of drawing steps: the geometry, the system
// colours and the order of the primitives, decided without any device context. The library executes
// the steps with GDI.
#include <vector>

namespace core {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// GetSysColor indices the menus are painted with.
enum class SysColour {
    Menu = 4,
    MenuText = 7,
    Highlight = 13,
    HighlightText = 14,
    ButtonShadow = 16,
    Light3D = 22,
};

enum class StepKind {
    Fill,            // rect filled with colour
    CheckBox,        // striped pattern square (text colour = colour, background COLOR_MENU), sunken edge
    RaisedFrame,     // rect filled with colour, raised inner edge
    Picture,         // the item's icon, 16x16 at (rect.left, rect.top)
    Glyph,           // one symbol-font character (glyph) in rect, colour, text flags
    Text,            // the live caption (or the shortcut when shortcut is set) in rect, colour, flags
    DisabledPicture, // the icon embossed: light at (left + 2, top + 2), shadow at (left + 1, top + 1)
    DisabledCheck,   // the system check bitmap drawn disabled at (rect.left, rect.top)
    ExcludeClip,     // rect removed from the clipping region
    EtchedLine,      // etched top edge of rect
    Label,           // the registered caption in the label font; opaque or transparent background
    SideBar,         // the side-bar background and its upright caption bar, from the item rectangle
};

struct DrawStep {
    StepKind kind;
    Rect rect;
    SysColour colour = SysColour::Menu;
    unsigned textFlags = 0;
    wchar_t glyph = 0;
    bool shortcut = false;
    bool opaque = false;
};

// What one drawing call knows about the item.
struct MenuItemState {
    Rect rc;
    bool selected = false; // ODS_SELECTED with ODA_SELECT or ODA_DRAWENTIRE
    bool checked = false;
    bool picture = false;
    bool drawEntire = false; // itemAction has ODA_DRAWENTIRE
    bool separator = false;
    bool sideBar = false;
    bool hasSubMenu = false;
    bool hasShortcut = false;
    bool enableDisabledMenuSelection = false;
};

// The flags one drawing call derives from a DRAWITEMSTRUCT's itemAction and itemState.
struct DrawFlags {
    bool selected;
    bool checked;
    bool drawEntire;
};
DrawFlags FlagsFromDrawItem(unsigned itemAction, unsigned itemState);

std::vector<DrawStep> PlanEnabled(const MenuItemState& item);
std::vector<DrawStep> PlanDisabled(const MenuItemState& item);

// Measured size: text width + 42 by 20; a side bar is 8 wide.
struct ItemSize {
    int width;
    int height;
};
ItemSize MeasureItem(int textWidth, bool sideBar);

// Rounding to the nearest integer with ties to the even one.
int RoundHalfEven(double value);

// The side bar: its background rectangle, and where each pixel of the horizontal caption bar (x, y)
// lands when the bar is turned upright (text reading bottom to top).
struct SideBarGeometry {
    int barLength; // L: the height of the other column
    int barHeight; // h: the side-bar item's height
    Rect background;
};
SideBarGeometry SideBarLayout(const Rect& rc, int summedItemHeights);
inline void RotatedPixel(int x, int y, int barLength, int& targetX, int& targetY) {
    targetX = y;
    targetY = barLength - x;
}

} // namespace core
