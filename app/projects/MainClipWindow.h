#pragma once
// The seams between the main clip window (frmQuillet) and the parts that act on it from elsewhere: the
// hotkey layer, the clipboard and paste menus, the tray. Each side fills in its own entries when it
// loads; an entry nobody filled does nothing (or answers "no"), so each side also runs alone in tests.
#include "app/projects/ClipProject.h"

#include <windows.h>

#include <functional>
#include <string>

namespace quillet {

// The program's one open project; the main clip window shows it and writes every row edit through to
// its slot at once, so readers elsewhere always see what the rows show.
ClipProject& OpenProject();

// True when slot n (1 to 30) has nothing to paste: its text is empty or the empty-clip marker.
bool IsClipEmpty(int n);

struct MainClipWindowLinks {
    // Filled in by frmQuillet when it loads.
    std::function<HWND()> window;                  // its window; null before it loads
    std::function<void(int clip)> hotkeyTrigger;   // HotkeyTrigger: the copy handler of row n
    std::function<void()> showWindow;              // restore, show and bring it to the front
    std::function<bool()> editorOpen;              // EditorOpen
    std::function<void()> focusEditor;             // brings the open clip editor to the front
    std::function<void(bool on)> setTopmost;       // SetTopmost on its own window
    std::function<bool()> autoPasteChecked;        // its "&Auto Paste In Last Active Aplication" item
    std::function<void(bool on)> setAutoPaste;     // checks or unchecks that item (no further mirroring)
    std::function<void(bool visible)> showIpItems; // its two "I&P Adress" items
    std::function<void(const std::wstring& publicIp, const std::wstring& localIp)> setIpCaptions;
    std::function<void()> refreshHotkeyTips;       // after a clip hotkey changed

    // Filled in by the hotkey layer.
    std::function<void(int clip)> openProperties;  // imgProp / F4: the clip properties dialog for slot n
    std::function<void(int direction)> pasteNext;  // toolbar buttons 18 (+1, downwards) and 19 (-1)
    std::function<void()> exportHotkeyOverview;    // File > "&Export Hotkey Overview"

    // Filled in by the clipboard menu on the hidden main form.
    std::function<void(bool on)> autoPasteChanged; // the user toggled auto paste here: mirror it there
    std::function<void()> openSettings;            // Options > "&Settings"
};
MainClipWindowLinks& MainClipWindowHooks();

// Puts the main clip window back on the always-on-top layer when its toolbar's on-top button is pressed
// (kept as QLAlwaysOnTop); the dialogs that took it off the layer call this when they close.
void RestoreMainWindowTopmost();

// The hidden main form's two popup menus, for the hotkey layer and the tray. Filled in by the form's
// menus when they load.
struct ProgramMenuLinks {
    std::function<void()> popupClipboardMenu; // mnuMotherQuillet at the mouse position (hotkey id 2, tray)
    std::function<void()> popupPasteMenu;     // mnuQuillet at the mouse position (hotkey id 4)
    std::function<void()> showSettingsDialog; // filled in by the settings dialog: show it modeless
    std::function<void()> sendIpItems;        // hands the IP items' state to the main clip window again
};
ProgramMenuLinks& ProgramMenuHooks();

} // namespace quillet
