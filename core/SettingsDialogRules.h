#pragma once
// What the settings dialog needs that is no window: its five program hotkey boxes, which key-list entry a
// stored key code selects, and the message naming the hotkeys the system would not take.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace core {

// One hotkey box of the dialog, in box order 0 to 4.
struct SettingsHotkeyBox {
    int id;                 // the program hotkey id it edits
    const wchar_t* name;    // "ShowQL": the settings keys are "HK" + name + "Mod" / "Key"
    const wchar_t* caption; // the box's caption, with its access key
};
const std::array<SettingsHotkeyBox, 5>& SettingsHotkeyBoxes();

std::wstring SettingsHotkeyModKey(const SettingsHotkeyBox& box); // "HK" name "Mod"
std::wstring SettingsHotkeyKeyKey(const SettingsHotkeyBox& box); // "HK" name "Key"

// The entry of the 54-entry key list whose code equals `code`; none when no entry has it (the settings
// dialog then selects nothing, unlike the properties dialog).
std::optional<std::size_t> SettingsKeyListIndexOf(int code);

// A caption as the user reads it: the access-key ampersands gone ("&&" stays one "&").
std::wstring PlainCaption(const std::wstring& caption);

// The information that names the program hotkeys left unregistered after a save; "" when there are none.
std::wstring UnregisteredHotkeysMessage(const std::vector<int>& failedIds);
// The error that names the settings the dialog could not show (`reading`) or could not save and apply;
// "" when there are none.
std::wstring FailedSettingsMessage(bool reading, const std::vector<std::wstring>& failedSteps);

} // namespace core
