#include "core/MenuDrawPlan.h"

#include <cmath>

namespace core {
namespace {

constexpr int kColumn = 20;      // picture column width; also the arrow area and shortcut margin
constexpr int kTextLeft = 22;    // caption offset from the item's left edge
constexpr unsigned kTextFlags = 0x124;     // DT_SINGLELINE | DT_VCENTER | DT_NOCLIP
constexpr unsigned kShortcutFlags = 0x126; // the same plus DT_RIGHT
constexpr unsigned kGlyphFlags = 0x25;     // DT_CENTER | DT_VCENTER | DT_SINGLELINE
constexpr unsigned kLabelFlags = 0x125;    // DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP

using Plan = std::vector<DrawStep>;

void Fill(Plan& plan, Rect r, SysColour c) { plan.push_back({StepKind::Fill, r, c}); }
Rect RightPart(const Rect& rc) { return {rc.left + kColumn, rc.top, rc.right, rc.bottom}; }

void P1(Plan& p, const Rect& rc) { Fill(p, rc, SysColour::Menu); }
void P2(Plan& p, const Rect& rc) { Fill(p, RightPart(rc), SysColour::Menu); }
void P3(Plan& p, const Rect& rc) { Fill(p, rc, SysColour::Highlight); }
void P4(Plan& p, const Rect& rc) { Fill(p, RightPart(rc), SysColour::Highlight); }
void P5(Plan& p, const Rect& rc, SysColour stripes) {
    p.push_back({StepKind::CheckBox, {rc.left, rc.top, rc.left + kColumn, rc.top + kColumn}, stripes});
}
void P6(Plan& p, const Rect& rc) {
    p.push_back({StepKind::RaisedFrame, {rc.left, rc.top, rc.left + kColumn, rc.top + kColumn}, SysColour::Light3D});
}
void P7(Plan& p, const Rect& rc) { Fill(p, {rc.left, rc.top, rc.left + kColumn, rc.bottom}, SysColour::Menu); }
void P8(Plan& p, const Rect& rc) { p.push_back({StepKind::Picture, {rc.left + 2, rc.top + 2, rc.left + 18, rc.top + 18}}); }
void P9(Plan& p, const Rect& rc) {
    p.push_back({StepKind::Glyph, {rc.left + 2, rc.top + 2, rc.left + 18, rc.top + 18}, SysColour::MenuText,
                 kGlyphFlags, L'a'});
}
// The caption and shortcut, shifted by (dx, dy) with the shortcut's right edge at right - 20 + dx.
void Texts(Plan& p, const MenuItemState& item, SysColour c, int d) {
    const Rect& rc = item.rc;
    p.push_back({StepKind::Text, {rc.left + kTextLeft + d, rc.top + d, rc.right + d, rc.bottom + d}, c, kTextFlags});
    if (item.hasShortcut)
        p.push_back({StepKind::Text, {rc.left + kTextLeft + d, rc.top + d, rc.right - kColumn + d, rc.bottom + d}, c,
                     kShortcutFlags, 0, true});
}
void P10(Plan& p, const MenuItemState& item, SysColour c) { Texts(p, item, c, 0); }
void P11(Plan& p, const MenuItemState& item) {
    Texts(p, item, SysColour::HighlightText, 1);
    Texts(p, item, SysColour::ButtonShadow, 0);
}
void P12(Plan& p, const Rect& rc) { p.push_back({StepKind::DisabledPicture, {rc.left, rc.top, rc.left + 18, rc.top + 18}}); }
void P13(Plan& p, const Rect& rc) {
    const int x = RoundHalfEven(rc.left + 3.5);
    const int y = RoundHalfEven(rc.top + 3.5);
    p.push_back({StepKind::DisabledCheck, {x, y, x + 13, y + 13}});
}
Rect ArrowArea(const Rect& rc) { return {rc.right - kColumn, rc.top, rc.right, rc.bottom}; }
void P14(Plan& p, const Rect& rc) { p.push_back({StepKind::Glyph, ArrowArea(rc), SysColour::ButtonShadow, kGlyphFlags, L'4'}); }
void P15(Plan& p, const Rect& rc) {
    p.push_back({StepKind::Glyph, {rc.right - 19, rc.top + 1, rc.right + 1, rc.bottom + 1}, SysColour::HighlightText,
                 kGlyphFlags, L'4'});
    P14(p, rc);
}
void P16(Plan& p, const Rect& rc) {
    p.push_back({StepKind::ExcludeClip, {rc.left + kTextLeft, rc.top, rc.right, rc.bottom}});
}
void P17(Plan& p, const Rect& rc) {
    const int y = RoundHalfEven(rc.top + (rc.bottom - rc.top) / 2.0 - 1);
    p.push_back({StepKind::EtchedLine, {rc.left + 2, y, rc.right - 2, rc.bottom}});
}
void P18(Plan& p, const Rect& rc) {
    p.push_back({StepKind::Label, {rc.left + 1, rc.top + 1, rc.right + 1, rc.bottom + 1}, SysColour::HighlightText,
                 kLabelFlags, 0, false, true});
    p.push_back({StepKind::Label, rc, SysColour::ButtonShadow, kLabelFlags, 0, false, false});
}

// The item's backdrop: the plain or column fill, then the highlight when selected.
void Backdrop(Plan& p, const MenuItemState& item) {
    const bool column = item.checked || item.picture;
    if (column)
        P2(p, item.rc);
    else
        P1(p, item.rc);
    if (!item.selected)
        return;
    if (column)
        P4(p, item.rc);
    else
        P3(p, item.rc);
}

} // namespace

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

DrawFlags FlagsFromDrawItem(unsigned itemAction, unsigned itemState) {
    constexpr unsigned kSelectedState = 1, kCheckedState = 8, kDrawEntire = 1, kSelectAction = 2;
    const bool selected = (itemState & kSelectedState) && (itemAction == kSelectAction || itemAction == kDrawEntire);
    return {selected, (itemState & kCheckedState) != 0, (itemAction & kDrawEntire) != 0};
}

ItemSize MeasureItem(int textWidth, bool sideBar) { return {sideBar ? 8 : textWidth + 42, 20}; }

SideBarGeometry SideBarLayout(const Rect& rc, int summedItemHeights) {
    const int h = rc.bottom - rc.top;
    const int length = summedItemHeights - h;
    return {length, h, {rc.left, rc.top, rc.left + h, rc.top + length}};
}

std::vector<DrawStep> PlanEnabled(const MenuItemState& item) {
    Plan plan;
    const Rect& rc = item.rc;
    Backdrop(plan, item);
    P10(plan, item, item.selected ? SysColour::HighlightText : SysColour::MenuText);
    if (item.selected && item.checked)
        P5(plan, rc, SysColour::Menu);
    else if (item.selected && item.picture)
        P6(plan, rc);
    else if (!item.selected && item.checked)
        P5(plan, rc, SysColour::HighlightText);
    else if (!item.selected && item.picture)
        P7(plan, rc);
    // The picture wins over the check glyph: a checked item with a picture shows it inside the box.
    if (item.picture)
        P8(plan, rc);
    else if (item.checked)
        P9(plan, rc);
    return plan;
}

std::vector<DrawStep> PlanDisabled(const MenuItemState& item) {
    Plan plan;
    const Rect& rc = item.rc;
    if (item.separator) {
        if (item.drawEntire) {
            P1(plan, rc);
            P17(plan, rc);
            P18(plan, rc);
        }
        return plan;
    }
    if (item.drawEntire) {
        P1(plan, rc);
        if (item.checked)
            P5(plan, rc, SysColour::Menu);
        if (item.picture)
            P12(plan, rc);
        else if (item.checked)
            P13(plan, rc);
        if (item.sideBar)
            plan.push_back({StepKind::SideBar, rc});
        else
            P11(plan, item);
        if (item.hasSubMenu)
            P15(plan, rc);
    }
    if (item.enableDisabledMenuSelection && !item.sideBar) {
        Backdrop(plan, item);
        if (item.selected)
            P10(plan, item, SysColour::ButtonShadow);
        else
            P11(plan, item);
    }
    if (item.hasSubMenu && !item.sideBar) {
        if (item.enableDisabledMenuSelection) {
            if (item.selected)
                P14(plan, rc);
            else
                P15(plan, rc);
        }
        P16(plan, rc);
    }
    return plan;
}

} // namespace core
