#include "core/MenuDrawPlan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace core;

namespace {

// One readable line per step, so a wrong plan shows where it differs.
std::string Line(const DrawStep& s) {
    static const char* names[] = {"Fill",  "CheckBox",        "RaisedFrame",   "Picture",     "Glyph",      "Text",
                                  "DisabledPicture", "DisabledCheck", "ExcludeClip", "EtchedLine", "Label", "SideBar"};
    std::string text = names[static_cast<int>(s.kind)];
    text += " " + std::to_string(s.rect.left) + "," + std::to_string(s.rect.top) + "," + std::to_string(s.rect.right) +
            "," + std::to_string(s.rect.bottom);
    switch (s.kind) {
    case StepKind::Fill:
    case StepKind::CheckBox:
    case StepKind::RaisedFrame:
        text += " c" + std::to_string(static_cast<int>(s.colour));
        break;
    case StepKind::Glyph:
        text += " c" + std::to_string(static_cast<int>(s.colour)) + " '" + static_cast<char>(s.glyph) + "' f" +
                std::to_string(s.textFlags);
        break;
    case StepKind::Text:
        text += " c" + std::to_string(static_cast<int>(s.colour)) + " f" + std::to_string(s.textFlags) +
                (s.shortcut ? " shortcut" : "");
        break;
    case StepKind::Label:
        text += " c" + std::to_string(static_cast<int>(s.colour)) + " f" + std::to_string(s.textFlags) +
                (s.opaque ? " opaque" : " transparent");
        break;
    default:
        break;
    }
    return text;
}

std::vector<std::string> Lines(const std::vector<DrawStep>& plan) {
    std::vector<std::string> lines;
    for (const DrawStep& s : plan)
        lines.push_back(Line(s));
    return lines;
}

// Colour indices as GetSysColor numbers them: 4 menu, 7 menu text, 13 highlight, 14 highlight text,
// 16 button shadow, 22 3D light. Text flags: 292 = 0x124, 294 = 0x126, 37 = 0x25, 293 = 0x125.
MenuItemState Item(Rect rc) {
    MenuItemState item;
    item.rc = rc;
    return item;
}

} // namespace

TEST(MenuDrawPlan, EnabledItemsFillHighlightAndTextByTheirColumn) {
    MenuItemState plain = Item({0, 40, 120, 60});
    EXPECT_EQ(Lines(PlanEnabled(plain)), (std::vector<std::string>{"Fill 0,40,120,60 c4", "Text 22,40,120,60 c7 f292"}));

    plain.selected = true;
    plain.hasShortcut = true;
    EXPECT_EQ(Lines(PlanEnabled(plain)),
              (std::vector<std::string>{"Fill 0,40,120,60 c4", "Fill 0,40,120,60 c13", "Text 22,40,120,60 c14 f292",
                                        "Text 22,40,100,60 c14 f294 shortcut"}));

    // A selected check box turns plain menu colour, the highlight starts after the 20-pixel column.
    MenuItemState checked = Item({0, 40, 120, 60});
    checked.checked = true;
    checked.selected = true;
    EXPECT_EQ(Lines(PlanEnabled(checked)),
              (std::vector<std::string>{"Fill 20,40,120,60 c4", "Fill 20,40,120,60 c13", "Text 22,40,120,60 c14 f292",
                                        "CheckBox 0,40,20,60 c4", "Glyph 2,42,18,58 c7 'a' f37"}));
    checked.selected = false;
    EXPECT_EQ(Lines(PlanEnabled(checked)),
              (std::vector<std::string>{"Fill 20,40,120,60 c4", "Text 22,40,120,60 c7 f292", "CheckBox 0,40,20,60 c14",
                                        "Glyph 2,42,18,58 c7 'a' f37"}));

    // The picture wins over the check glyph.
    checked.picture = true;
    EXPECT_EQ(Lines(PlanEnabled(checked)),
              (std::vector<std::string>{"Fill 20,40,120,60 c4", "Text 22,40,120,60 c7 f292", "CheckBox 0,40,20,60 c14",
                                        "Picture 2,42,18,58"}));

    MenuItemState picture = Item({5, 0, 105, 20});
    picture.picture = true;
    EXPECT_EQ(Lines(PlanEnabled(picture)),
              (std::vector<std::string>{"Fill 25,0,105,20 c4", "Text 27,0,105,20 c7 f292", "Fill 5,0,25,20 c4",
                                        "Picture 7,2,23,18"}));
    picture.selected = true;
    EXPECT_EQ(Lines(PlanEnabled(picture)),
              (std::vector<std::string>{"Fill 25,0,105,20 c4", "Fill 25,0,105,20 c13", "Text 27,0,105,20 c14 f292",
                                        "RaisedFrame 5,0,25,20 c22", "Picture 7,2,23,18"}));
}

TEST(MenuDrawPlan, TitledSeparatorIsDrawnOnlyWhole) {
    MenuItemState separator = Item({0, 40, 120, 60});
    separator.separator = true;
    separator.drawEntire = true;
    // Line at 40 + 20 / 2 - 1 = 49; title embossed one pixel down and right, opaque first.
    EXPECT_EQ(Lines(PlanDisabled(separator)),
              (std::vector<std::string>{"Fill 0,40,120,60 c4", "EtchedLine 2,49,118,60",
                                        "Label 1,41,121,61 c14 f293 opaque", "Label 0,40,120,60 c16 f293 transparent"}));
    // An odd height: 10 + 21 / 2 - 1 = 19.5, ties go to the even 20.
    separator.rc = {0, 10, 50, 31};
    EXPECT_EQ(Line(PlanDisabled(separator)[1]), "EtchedLine 2,20,48,31");

    separator.drawEntire = false;
    separator.selected = true;
    separator.enableDisabledMenuSelection = true;
    EXPECT_TRUE(PlanDisabled(separator).empty()) << "moving over a separator changes nothing";
}

TEST(MenuDrawPlan, DisabledItemsAreEmbossedWithOneArrow) {
    MenuItemState sub = Item({0, 40, 120, 60});
    sub.hasSubMenu = true;
    sub.drawEntire = true;
    EXPECT_EQ(Lines(PlanDisabled(sub)),
              (std::vector<std::string>{"Fill 0,40,120,60 c4", "Text 23,41,121,61 c14 f292", "Text 22,40,120,60 c16 f292",
                                        "Glyph 101,41,121,61 c14 '4' f37", "Glyph 100,40,120,60 c16 '4' f37",
                                        "ExcludeClip 22,40,120,60"}));

    // Without the flag, moving over it only keeps the system's arrow away.
    sub.drawEntire = false;
    sub.selected = true;
    EXPECT_EQ(Lines(PlanDisabled(sub)), (std::vector<std::string>{"ExcludeClip 22,40,120,60"}));

    // With it, the item is highlighted and its text drawn in the shadow colour.
    sub.enableDisabledMenuSelection = true;
    EXPECT_EQ(Lines(PlanDisabled(sub)),
              (std::vector<std::string>{"Fill 0,40,120,60 c4", "Fill 0,40,120,60 c13", "Text 22,40,120,60 c16 f292",
                                        "Glyph 100,40,120,60 c16 '4' f37", "ExcludeClip 22,40,120,60"}));
    sub.selected = false;
    EXPECT_EQ(Lines(PlanDisabled(sub)),
              (std::vector<std::string>{"Fill 0,40,120,60 c4", "Text 23,41,121,61 c14 f292", "Text 22,40,120,60 c16 f292",
                                        "Glyph 101,41,121,61 c14 '4' f37", "Glyph 100,40,120,60 c16 '4' f37",
                                        "ExcludeClip 22,40,120,60"}));
}

TEST(MenuDrawPlan, DisabledCheckAndPictureSitInAPlainBox) {
    // The system check mark goes to left + 3.5 and top + 3.5, ties to even: 1 + 3.5 = 4.5 -> 4, 40 + 3.5 -> 44.
    MenuItemState checked = Item({1, 40, 121, 60});
    checked.checked = true;
    checked.drawEntire = true;
    EXPECT_EQ(Lines(PlanDisabled(checked)),
              (std::vector<std::string>{"Fill 1,40,121,60 c4", "CheckBox 1,40,21,60 c4", "DisabledCheck 4,44,17,57",
                                        "Text 24,41,122,61 c14 f292", "Text 23,40,121,60 c16 f292"}));
    checked.picture = true;
    EXPECT_EQ(Line(PlanDisabled(checked)[2]), "DisabledPicture 1,40,19,58");
}

TEST(MenuDrawPlan, SideBarIsAsWideAsAnItemIsHighAndAsLongAsTheOtherColumn) {
    MenuItemState bar = Item({0, 0, 23, 20});
    bar.sideBar = true;
    bar.drawEntire = true;
    bar.hasSubMenu = false;
    EXPECT_EQ(Lines(PlanDisabled(bar)), (std::vector<std::string>{"Fill 0,0,23,20 c4", "SideBar 0,0,23,20"}));
    bar.drawEntire = false;
    bar.selected = true;
    bar.enableDisabledMenuSelection = true;
    EXPECT_TRUE(PlanDisabled(bar).empty());

    // Six items of 20 pixels: the bar itself and five in the other column.
    const SideBarGeometry geometry = SideBarLayout({0, 0, 23, 20}, 120);
    EXPECT_EQ(geometry.barLength, 100);
    EXPECT_EQ(geometry.barHeight, 20);
    EXPECT_EQ(geometry.background, (Rect{0, 0, 20, 100}));

    // The caption bar's left end (where its text starts) lands at the bottom, its top edge at the left.
    int x = -1, y = -1;
    RotatedPixel(0, 0, 100, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 100);
    RotatedPixel(100, 20, 100, x, y);
    EXPECT_EQ(x, 20);
    EXPECT_EQ(y, 0);
    RotatedPixel(30, 5, 100, x, y);
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 70);
}

TEST(MenuDrawPlan, MeasuringAndTheDrawingFlags) {
    EXPECT_EQ(MeasureItem(0, false).width, 42);
    EXPECT_EQ(MeasureItem(0, false).height, 20);
    EXPECT_EQ(MeasureItem(57, false).width, 99);
    EXPECT_EQ(MeasureItem(57, true).width, 8);
    EXPECT_EQ(MeasureItem(57, true).height, 20);

    // itemAction 1 draw entire, 2 select, 4 focus; itemState 1 selected, 8 checked.
    EXPECT_TRUE(FlagsFromDrawItem(2, 1).selected);
    EXPECT_TRUE(FlagsFromDrawItem(1, 1).selected);
    EXPECT_FALSE(FlagsFromDrawItem(4, 1).selected) << "a focus action never counts as selected";
    EXPECT_FALSE(FlagsFromDrawItem(2, 0).selected);
    EXPECT_TRUE(FlagsFromDrawItem(4, 8).checked);
    EXPECT_TRUE(FlagsFromDrawItem(1, 0).drawEntire);
    EXPECT_FALSE(FlagsFromDrawItem(2, 0).drawEntire);

    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(4.4), 4);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
}
