#pragma once
// modHotkey: the system-wide hotkeys of the five program functions and the 30 clips, registered on the
// hidden main form's window, whose procedure it replaces to receive WM_HOTKEY.
#include "core/HotkeyRules.h"

#include <windows.h>

#include <array>
#include <vector>

namespace quillet {

// The clip hotkey table, index = clip number - 1.
extern std::array<core::ClipHotkey, core::kSlotCount> ClipHotkeys;

// Start-up: program hotkeys, then the hotkey procedure on `window` (over the clipboard procedure), then
// the 30 clip hotkeys from the settings file. Also fills the hotkey layer's seams of the main window.
void LoadHotkeys(HWND window);
// Ids 1, 2, 3, 4 and 6 from the in-memory program hotkey numbers. Gives the ids the system refused (a
// combination another program or an earlier id holds); the others are registered all the same.
std::vector<int> RegisterProgramHotkeys();
void UnregisterProgramHotkeys();
// Changes the hotkey of clip id - 6 (id 7 to 36).
void SetClipHotkey(int mask, int key, int id);
LRESULT CALLBACK HotkeyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The hotkey actions.
void ShowMainWindow();
void PasteNext(int direction);
void ClipHotkeyTrigger(int key, int mask, int clip);
// Hotkey id 3: waits for the paste-next hotkey's keys to be released, then pastes the next clip.
void PasteNextHotkey();

} // namespace quillet
