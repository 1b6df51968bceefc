#include "core/HotkeyRules.h"

#include <gtest/gtest.h>

#include <set>

using namespace core;

TEST(HotkeyRules, IdsAndSettingsKeys) {
    const auto& table = ProgramHotkeyTable();
    ASSERT_EQ(table.size(), 5u);
    EXPECT_EQ(table[0].id, 1);
    EXPECT_STREQ(table[0].modKey, L"HKShowQLMod");
    EXPECT_STREQ(table[0].keyKey, L"HKShowQLKey");
    EXPECT_EQ(table[1].id, 2);
    EXPECT_STREQ(table[1].modKey, L"HKGlobalMenuMod");
    EXPECT_EQ(table[2].id, 3);
    EXPECT_STREQ(table[2].keyKey, L"HKPasteNextKey");
    EXPECT_EQ(table[3].id, 4);
    EXPECT_STREQ(table[3].modKey, L"HKPasteMenuMod");
    EXPECT_EQ(table[4].id, 6); // 5 is not used
    EXPECT_STREQ(table[4].keyKey, L"HKSettingsKey");

    EXPECT_EQ(ClipHotkeyId(1), 7);
    EXPECT_EQ(ClipHotkeyId(12), 18);
    EXPECT_EQ(ClipHotkeyId(30), 36);
    EXPECT_EQ(ClipOfHotkeyId(7), 1);
    EXPECT_EQ(ClipOfHotkeyId(36), 30);
    EXPECT_EQ(ClipOfHotkeyId(6), 0);
    EXPECT_EQ(ClipOfHotkeyId(37), 0);
    EXPECT_EQ(ClipModKey(7), L"Clip7Mod");
    EXPECT_EQ(ClipKeyKey(30), L"Clip30Key");
}

TEST(HotkeyRules, SetClipHotkeyCases) {
    const ClipHotkey none{};
    const ClipHotkey ctrl5{2, 53, true};

    // A mask of 0 always clears and unregisters.
    auto c = SetClipHotkeyTransition(ctrl5, 0, 53);
    EXPECT_EQ(c.entry, (ClipHotkey{0, 0, false}));
    EXPECT_TRUE(c.unregisterOld);
    EXPECT_FALSE(c.registerNew);

    // No key while registered: the same.
    c = SetClipHotkeyTransition(ctrl5, 6, 0);
    EXPECT_EQ(c.entry, (ClipHotkey{0, 0, false}));
    EXPECT_TRUE(c.unregisterOld);
    EXPECT_FALSE(c.registerNew);

    // A new key on a registered entry: the old one goes first.
    c = SetClipHotkeyTransition(ctrl5, 6, 53);
    EXPECT_EQ(c.entry, (ClipHotkey{6, 53, true}));
    EXPECT_TRUE(c.unregisterOld);
    EXPECT_TRUE(c.registerNew);

    // A key on an entry with nothing registered: just register.
    c = SetClipHotkeyTransition(none, 3, 48);
    EXPECT_EQ(c.entry, (ClipHotkey{3, 48, true}));
    EXPECT_FALSE(c.unregisterOld);
    EXPECT_TRUE(c.registerNew);

    // No key, nothing registered: the stored combination is forgotten, nothing else.
    c = SetClipHotkeyTransition(ClipHotkey{4, 70, false}, 4, 0);
    EXPECT_EQ(c.entry, (ClipHotkey{0, 0, false}));
    EXPECT_FALSE(c.unregisterOld);
    EXPECT_FALSE(c.registerNew);
}

TEST(HotkeyRules, ModifierWaitOrderPerMask) {
    EXPECT_EQ(ModifierWaitOrder(1), (std::vector<int>{0x12}));
    EXPECT_EQ(ModifierWaitOrder(2), (std::vector<int>{0x11}));
    EXPECT_EQ(ModifierWaitOrder(3), (std::vector<int>{0x11, 0x12}));
    EXPECT_EQ(ModifierWaitOrder(4), (std::vector<int>{0x10}));
    EXPECT_EQ(ModifierWaitOrder(5), (std::vector<int>{0x10, 0x12}));
    EXPECT_EQ(ModifierWaitOrder(6), (std::vector<int>{0x11, 0x10}));
    EXPECT_EQ(ModifierWaitOrder(7), (std::vector<int>{0x11, 0x10, 0x12}));
    EXPECT_TRUE(ModifierWaitOrder(0).empty());
    EXPECT_TRUE(ModifierWaitOrder(8).empty());
    // Paste next (Ctrl+Q) also waits for Q.
    EXPECT_EQ(PasteNextWaitKeys(2, 81), (std::vector<int>{0x11, 81}));
    EXPECT_EQ(PasteNextWaitKeys(0, 0), (std::vector<int>{}));
}

TEST(HotkeyRules, PasteNextSteppingAndWrapping) {
    const std::set<int> filled{3, 7};
    const auto isEmpty = [&](int n) { return filled.count(n) == 0; };

    EXPECT_EQ(PasteNextStep(3, +1, isEmpty).clip, 7);
    auto r = PasteNextStep(7, +1, isEmpty); // past 30, one wrap
    EXPECT_EQ(r.clip, 3);
    EXPECT_EQ(r.last, 3);
    EXPECT_EQ(PasteNextStep(0, +1, isEmpty).clip, 3); // nothing copied yet: starts at 1
    EXPECT_EQ(PasteNextStep(7, -1, isEmpty).clip, 3);
    EXPECT_EQ(PasteNextStep(3, -1, isEmpty).clip, 7); // before 1 comes 30
    EXPECT_EQ(PasteNextStep(30, +1, isEmpty).clip, 3);

    // The only filled clip is the one copied last: found again after one wrap.
    const auto only5 = [](int n) { return n != 5; };
    EXPECT_EQ(PasteNextStep(5, +1, only5).clip, 5);
    EXPECT_EQ(PasteNextStep(5, -1, only5).clip, 5);

    // All empty: gives up at the second wrap, never loops forever.
    int looks = 0;
    r = PasteNextStep(3, +1, [&](int) { ++looks; return true; });
    EXPECT_EQ(r.clip, 0);
    EXPECT_EQ(r.last, 1);
    EXPECT_EQ(looks, 27 + 30); // 4..30, then 1..30
    r = PasteNextStep(0, -1, [](int) { return true; });
    EXPECT_EQ(r.clip, 0);
    EXPECT_EQ(r.last, 30);
}

TEST(HotkeyRules, PropertiesValidation) {
    std::array<ClipHotkey, kSlotCount> table{};
    table[2] = {2, 51, true};  // clip 3: Ctrl+3
    table[6] = {5, 65, true};  // clip 7: Alt+Shift+A

    // "(none)": changed only when the slot has a hotkey to remove.
    EXPECT_EQ(CheckPropertiesHotkey(3, 2, 0, table).verdict, PropertiesVerdict::Changed);
    EXPECT_EQ(CheckPropertiesHotkey(4, 6, 0, table).verdict, PropertiesVerdict::Unchanged);
    // Alt alone is refused; Ctrl alone is fine.
    EXPECT_EQ(CheckPropertiesHotkey(3, 1, 116, table).verdict, PropertiesVerdict::AltAlone);
    EXPECT_EQ(CheckPropertiesHotkey(3, 2, 116, table).verdict, PropertiesVerdict::Changed);
    // Another slot's combination.
    const auto conflict = CheckPropertiesHotkey(3, 5, 65, table);
    EXPECT_EQ(conflict.verdict, PropertiesVerdict::Conflict);
    EXPECT_EQ(conflict.conflictClip, 7);
    EXPECT_EQ(ConflictMessage(conflict.conflictClip), L"This hotkey is set to clip 7!");
    // Its own combination again.
    EXPECT_EQ(CheckPropertiesHotkey(7, 5, 65, table).verdict, PropertiesVerdict::Unchanged);
    EXPECT_EQ(kAltAloneMessage, L"You may not use Alt hotkey alone!");
}

TEST(HotkeyRules, MaskCheckBoxes) {
    EXPECT_TRUE(MaskToBoxes(1).alt && !MaskToBoxes(1).control && !MaskToBoxes(1).shift);
    EXPECT_TRUE(MaskToBoxes(3).alt && MaskToBoxes(3).control && !MaskToBoxes(3).shift);
    EXPECT_TRUE(MaskToBoxes(5).alt && MaskToBoxes(5).shift && !MaskToBoxes(5).control);
    EXPECT_TRUE(MaskToBoxes(6).control && MaskToBoxes(6).shift && !MaskToBoxes(6).alt);
    const auto all = MaskToBoxes(7);
    EXPECT_TRUE(all.alt && all.control && all.shift);
    for (int mask : {0, 8, -1, 255}) {
        const auto b = MaskToBoxes(mask);
        EXPECT_FALSE(b.alt || b.control || b.shift) << mask;
    }
    EXPECT_EQ(BoxesToMask({false, true, true}), 5);
    EXPECT_EQ(BoxesToMask({true, false, false}), 2);
    EXPECT_EQ(BoxesToMask({true, true, true}), 7);
}

TEST(HotkeyRules, KeyList) {
    const auto& list = PropertiesKeyList();
    ASSERT_EQ(list.size(), 54u);
    EXPECT_EQ(list[0].text, L"(none)");
    EXPECT_EQ(list[0].code, 0);
    EXPECT_EQ(list[1].text, L"0");
    EXPECT_EQ(list[1].code, 48);
    EXPECT_EQ(list[10].text, L"9");
    EXPECT_EQ(list[10].code, 57);
    EXPECT_EQ(list[11].text, L"a");
    EXPECT_EQ(list[11].code, 65);
    EXPECT_EQ(list[36].text, L"z");
    EXPECT_EQ(list[36].code, 90);
    EXPECT_EQ(list[37].text, L"F1");
    EXPECT_EQ(list[37].code, 112);
    EXPECT_EQ(list[48].text, L"F12");
    EXPECT_EQ(list[48].code, 123);
    EXPECT_EQ(list[49].text, L"HOME");
    EXPECT_EQ(list[49].code, 36);
    EXPECT_EQ(list[50].code, 45);
    EXPECT_EQ(list[51].text, L"PAGE DOWN");
    EXPECT_EQ(list[51].code, 34);
    EXPECT_EQ(list[52].code, 33);
    EXPECT_EQ(list[53].text, L"END");
    EXPECT_EQ(list[53].code, 35);

    EXPECT_EQ(KeyListIndexOf(65), 11u);
    EXPECT_EQ(KeyListIndexOf(0), 0u);
    EXPECT_EQ(KeyListIndexOf(999), 53u); // unknown: the last entry
}
