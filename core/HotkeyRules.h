#pragma once
// The rules of the global hotkeys that need no window: which ids exist and where they live in the
// settings, how a clip's hotkey entry changes, which keys a hotkey action waits for, how paste next
// steps through the slots, and what the clip properties dialog accepts.
#include "core/ClipSlot.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace core {

// Modifier mask bits, the values the system's hotkey registration takes.
inline constexpr int kModAlt = 1;
inline constexpr int kModCtrl = 2;
inline constexpr int kModShift = 4;

// Virtual-key codes of the three modifiers.
inline constexpr int kVkShift = 0x10;
inline constexpr int kVkControl = 0x11;
inline constexpr int kVkMenu = 0x12;

// Program hotkey ids; clip n (1 to 30) has id n + 6.
inline constexpr int kHotkeyShowMain = 1;
inline constexpr int kHotkeyClipboardMenu = 2;
inline constexpr int kHotkeyPasteNext = 3;
inline constexpr int kHotkeyPasteMenu = 4;
inline constexpr int kHotkeySettings = 6;
inline constexpr int kFirstClipHotkeyId = 7;
inline constexpr int kLastClipHotkeyId = kFirstClipHotkeyId + kSlotCount - 1;

inline const std::wstring kHotkeySection = L"Hotkeys";

struct ProgramHotkeyDef {
    int id;
    const wchar_t* modKey;
    const wchar_t* keyKey;
};
// Ids 1, 2, 3, 4, 6 with their settings keys, in registration order.
const std::array<ProgramHotkeyDef, 5>& ProgramHotkeyTable();

int ClipHotkeyId(int clip);       // n + 6
int ClipOfHotkeyId(int id);       // id - 6 for 7...36, else 0
std::wstring ClipModKey(int clip); // "Clip" n "Mod"
std::wstring ClipKeyKey(int clip); // "Clip" n "Key"

// One clip's entry in the process-wide table.
struct ClipHotkey {
    std::uint8_t mask = 0;
    std::uint16_t key = 0;
    bool registered = false; // a registration was made for this id and not yet undone
    bool operator==(const ClipHotkey& o) const {
        return mask == o.mask && key == o.key && registered == o.registered;
    }
};

// What changing one clip's hotkey asks of the system, and the entry afterwards. A registration the
// system refuses is silent and the entry keeps its flag: unregistering our own id later is harmless.
struct ClipHotkeyChange {
    ClipHotkey entry;
    bool unregisterOld = false;
    bool registerNew = false;
};
ClipHotkeyChange SetClipHotkeyTransition(const ClipHotkey& current, int mask, int key);

// The modifier keys (virtual-key codes) a clip hotkey action waits for, in the order it checks them.
std::vector<int> ModifierWaitOrder(int mask);
// Paste next waits for its modifiers and for its own key as well.
std::vector<int> PasteNextWaitKeys(int mask, int key);

// Paste next: from `last` (0 to 30) step by `direction` (+1 or -1), wrapping 30 -> 1 and 1 -> 30, and
// give up at the second wrap. `clip` is the first non-empty slot (0: none); `last` is the number the
// stepping stopped at, which becomes the program's lastCopiedClip either way.
struct PasteNextResult {
    int clip = 0;
    int last = 0;
};
PasteNextResult PasteNextStep(int last, int direction, const std::function<bool(int clip)>& isEmpty);

// The clip properties dialog's check of a chosen hotkey for slot `clip`.
enum class PropertiesVerdict { Unchanged, Changed, AltAlone, Conflict };
struct PropertiesCheck {
    PropertiesVerdict verdict = PropertiesVerdict::Unchanged;
    int conflictClip = 0; // the other slot holding the combination, for Conflict
};
PropertiesCheck CheckPropertiesHotkey(int clip, int mask, int key, const std::array<ClipHotkey, kSlotCount>& table);
std::wstring ConflictMessage(int otherClip); // "This hotkey is set to clip " M "!"
inline const std::wstring kAltAloneMessage = L"You may not use Alt hotkey alone!";

// Which check boxes a stored mask shows (0 and unknown values: none).
struct MaskBoxes {
    bool control = false, alt = false, shift = false;
};
MaskBoxes MaskToBoxes(int mask);
int BoxesToMask(const MaskBoxes& boxes);

// The dialog's key list: 54 entries of text and key code.
struct KeyListEntry {
    std::wstring text;
    int code;
};
const std::vector<KeyListEntry>& PropertiesKeyList();
// The entry the dialog selects for a stored code: the first with that code, else the last one.
std::size_t KeyListIndexOf(int code);

} // namespace core
