#include "core/SettingsDialogRules.h"

#include "core/HotkeyRules.h"

#include <gtest/gtest.h>

using namespace core;

// What the dialog shows for a stored mask is what it writes back: every combination survives a save
// untouched, and a value no combination has shows no box ticked and saves as "no modifier".
TEST(SettingsDialogRules, EveryMaskSurvivesTheCheckBoxes) {
    for (int mask = 0; mask <= 7; ++mask) {
        const MaskBoxes boxes = MaskToBoxes(mask);
        EXPECT_EQ(boxes.alt, (mask & kModAlt) != 0) << mask;
        EXPECT_EQ(boxes.control, (mask & kModCtrl) != 0) << mask;
        EXPECT_EQ(boxes.shift, (mask & kModShift) != 0) << mask;
        EXPECT_EQ(BoxesToMask(boxes), mask);
    }
    for (int mask : {8, 9, 15, 255, -1, -7}) {
        const MaskBoxes boxes = MaskToBoxes(mask);
        EXPECT_FALSE(boxes.alt || boxes.control || boxes.shift) << mask;
        EXPECT_EQ(BoxesToMask(boxes), 0) << mask;
    }
}

// Every key code of the list selects its own entry, so a stored key survives a save; a code the list
// does not hold selects nothing rather than some other key.
TEST(SettingsDialogRules, KeyListSelectsTheStoredCode) {
    const auto& list = PropertiesKeyList();
    ASSERT_EQ(list.size(), 54u);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto found = SettingsKeyListIndexOf(list[i].code);
        ASSERT_TRUE(found.has_value()) << i;
        EXPECT_EQ(*found, i);
    }
    EXPECT_EQ(SettingsKeyListIndexOf(88), 34u); // "x"
    EXPECT_EQ(list[34].text, L"x");
    for (int code : {-1, 1, 47, 58, 64, 91, 97, 111, 124, 999})
        EXPECT_FALSE(SettingsKeyListIndexOf(code).has_value()) << code;
}

TEST(SettingsDialogRules, BoxesNameTheirKeysAndTheRefusedHotkeys) {
    const auto& boxes = SettingsHotkeyBoxes();
    EXPECT_EQ(SettingsHotkeyModKey(boxes[0]), L"HKShowQLMod");
    EXPECT_EQ(SettingsHotkeyKeyKey(boxes[4]), L"HKSettingsKey");
    // Box order and the store's order agree, so each box edits the hotkey it is named for.
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].id, ProgramHotkeyTable()[i].id);
        EXPECT_EQ(SettingsHotkeyModKey(boxes[i]), ProgramHotkeyTable()[i].modKey);
        EXPECT_EQ(SettingsHotkeyKeyKey(boxes[i]), ProgramHotkeyTable()[i].keyKey);
    }

    EXPECT_EQ(UnregisteredHotkeysMessage({}), L"");
    EXPECT_EQ(UnregisteredHotkeysMessage({7, 36}), L""); // clip ids are not the dialog's
    const std::wstring text = UnregisteredHotkeysMessage({kHotkeySettings, kHotkeyClipboardMenu});
    const auto menu = text.find(L"\r\nGlobal menu\r\n");
    const auto settings = text.find(L"\r\nDisplay Settings\r\n");
    ASSERT_NE(menu, std::wstring::npos) << text.c_str();
    ASSERT_NE(settings, std::wstring::npos);
    EXPECT_LT(menu, settings); // in box order, whatever order the ids came in
    EXPECT_EQ(text.find(L"Show Quillet"), std::wstring::npos);

    EXPECT_EQ(PlainCaption(L"Global &paste menu"), L"Global paste menu");
    EXPECT_EQ(PlainCaption(L"Fish && &Chips&"), L"Fish & Chips");
    EXPECT_EQ(FailedSettingsMessage(false, {}), L"");
    const std::wstring failed = FailedSettingsMessage(false, {L"Default paste method", L"Hotkeys"});
    EXPECT_NE(failed.find(L"\r\n\r\nDefault paste method\r\nHotkeys"), std::wstring::npos) << failed.c_str();
    EXPECT_NE(FailedSettingsMessage(true, {L"Hotkeys"}), failed);
}
