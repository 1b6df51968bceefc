#include "core/HotkeyRules.h"

namespace core {

const std::array<ProgramHotkeyDef, 5>& ProgramHotkeyTable() {
    static const std::array<ProgramHotkeyDef, 5> table{{
        {kHotkeyShowMain, L"HKShowQLMod", L"HKShowQLKey"},
        {kHotkeyClipboardMenu, L"HKGlobalMenuMod", L"HKGlobalMenuKey"},
        {kHotkeyPasteNext, L"HKPasteNextMod", L"HKPasteNextKey"},
        {kHotkeyPasteMenu, L"HKPasteMenuMod", L"HKPasteMenuKey"},
        {kHotkeySettings, L"HKSettingsMod", L"HKSettingsKey"},
    }};
    return table;
}

int ClipHotkeyId(int clip) { return clip + kFirstClipHotkeyId - 1; }

int ClipOfHotkeyId(int id) {
    return id >= kFirstClipHotkeyId && id <= kLastClipHotkeyId ? id - kFirstClipHotkeyId + 1 : 0;
}

std::wstring ClipModKey(int clip) { return L"Clip" + std::to_wstring(clip) + L"Mod"; }
std::wstring ClipKeyKey(int clip) { return L"Clip" + std::to_wstring(clip) + L"Key"; }

ClipHotkeyChange SetClipHotkeyTransition(const ClipHotkey& current, int mask, int key) {
    ClipHotkeyChange change;
    if (mask == 0 || (key == 0 && current.registered)) {
        change.unregisterOld = true; // entry stays cleared
        return change;
    }
    if (key != 0) {
        change.unregisterOld = current.registered;
        change.entry.mask = static_cast<std::uint8_t>(mask);
        change.entry.key = static_cast<std::uint16_t>(key);
        change.entry.registered = true;
        change.registerNew = true;
        return change;
    }
    // No key and nothing registered: only the stored combination is forgotten.
    change.entry.registered = current.registered;
    return change;
}

std::vector<int> ModifierWaitOrder(int mask) {
    switch (mask) {
    case 1: return {kVkMenu};
    case 2: return {kVkControl};
    case 3: return {kVkControl, kVkMenu};
    case 4: return {kVkShift};
    case 5: return {kVkShift, kVkMenu};
    case 6: return {kVkControl, kVkShift};
    case 7: return {kVkControl, kVkShift, kVkMenu};
    default: return {};
    }
}

std::vector<int> PasteNextWaitKeys(int mask, int key) {
    std::vector<int> keys = ModifierWaitOrder(mask);
    if (key != 0)
        keys.push_back(key);
    return keys;
}

PasteNextResult PasteNextStep(int last, int direction, const std::function<bool(int clip)>& isEmpty) {
    const int step = direction < 0 ? -1 : 1;
    int n = last;
    int wraps = 0;
    for (;;) {
        n += step;
        if (n > kSlotCount) {
            n = 1;
            ++wraps;
        } else if (n < 1) {
            n = kSlotCount;
            ++wraps;
        }
        if (wraps >= 2)
            return {0, n};
        if (!isEmpty(n))
            return {n, n};
    }
}

PropertiesCheck CheckPropertiesHotkey(int clip, int mask, int key, const std::array<ClipHotkey, kSlotCount>& table) {
    const ClipHotkey& own = table.at(static_cast<std::size_t>(clip - 1));
    if (key == 0) {
        const bool hasHotkey = own.mask != 0 && own.key != 0;
        return {hasHotkey ? PropertiesVerdict::Changed : PropertiesVerdict::Unchanged, 0};
    }
    if (mask == kModAlt)
        return {PropertiesVerdict::AltAlone, 0};
    for (int n = 1; n <= kSlotCount; ++n) {
        const ClipHotkey& other = table[static_cast<std::size_t>(n - 1)];
        if (other.mask != mask || other.key != key)
            continue;
        if (n == clip)
            return {PropertiesVerdict::Unchanged, 0};
        return {PropertiesVerdict::Conflict, n};
    }
    return {PropertiesVerdict::Changed, 0};
}

std::wstring ConflictMessage(int otherClip) { return L"This hotkey is set to clip " + std::to_wstring(otherClip) + L"!"; }

MaskBoxes MaskToBoxes(int mask) {
    if (mask < 1 || mask > 7)
        return {};
    return {(mask & kModCtrl) != 0, (mask & kModAlt) != 0, (mask & kModShift) != 0};
}

int BoxesToMask(const MaskBoxes& boxes) {
    return (boxes.alt ? kModAlt : 0) + (boxes.control ? kModCtrl : 0) + (boxes.shift ? kModShift : 0);
}

const std::vector<KeyListEntry>& PropertiesKeyList() {
    static const std::vector<KeyListEntry> list = [] {
        std::vector<KeyListEntry> keys;
        keys.push_back({L"(none)", 0});
        for (int d = 0; d <= 9; ++d)
            keys.push_back({std::wstring(1, static_cast<wchar_t>(L'0' + d)), 48 + d});
        for (int c = 0; c < 26; ++c)
            keys.push_back({std::wstring(1, static_cast<wchar_t>(L'a' + c)), 65 + c});
        for (int f = 1; f <= 12; ++f)
            keys.push_back({L"F" + std::to_wstring(f), 111 + f});
        keys.push_back({L"HOME", 36});
        keys.push_back({L"INSERT", 45});
        keys.push_back({L"PAGE DOWN", 34});
        keys.push_back({L"PAGE UP", 33});
        keys.push_back({L"END", 35});
        return keys;
    }();
    return list;
}

std::size_t KeyListIndexOf(int code) {
    const auto& list = PropertiesKeyList();
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].code == code)
            return i;
    }
    return list.size() - 1;
}

} // namespace core
