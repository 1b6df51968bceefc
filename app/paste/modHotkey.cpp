#include "app/paste/modHotkey.h"

#include "app/paste/frmProperties.h"
#include "app/paste/KeyReleaseWait.h"
#include "app/paste/modClipCopy.h"
#include "app/paste/modHotkeyOverview.h"
#include "app/paste/modInternalFunctions.h"
#include "app/projects/MainClipWindow.h"
#include "app/shell/modInitialization.h"
#include "app/shell/modSettings.h"
#include "core/SettingValue.h"
#include "winkit/Wait.h"

#include <vector>

namespace quillet {

std::array<core::ClipHotkey, core::kSlotCount> ClipHotkeys{};

namespace {

HWND hotkeyWindow = nullptr;
WNDPROC previousHotkeyProc = nullptr;
bool pasteNextBusy = false;
bool triggerBusy = false;

int StoredNumber(const std::wstring& key, long long max) {
    const auto value = core::SettingInteger(ReadSetting(core::kHotkeySection, key), 0, max);
    return value ? static_cast<int>(*value) : 0; // a value the table cannot hold means no hotkey
}

// False when the system refused the combination (another program, or another of our ids, holds it).
bool Register(int id, int mask, int key) {
    // A key of 0 ("(none)" in the lists, or a key missing from the settings file) is no hotkey: there
    // is nothing to register it for.
    if (key == 0)
        return true;
    return ::RegisterHotKey(hotkeyWindow, id, static_cast<UINT>(mask), static_cast<UINT>(key)) != FALSE;
}

void FillSeams() {
    MainClipWindowLinks& links = MainClipWindowHooks();
    links.openProperties = [](int clip) { ShowProperties(clip); };
    links.pasteNext = [](int direction) { PasteNext(direction); };
    links.exportHotkeyOverview = [] { ExportHotkeyOverview(); };
    // Until a main clip window binds its copy handler, the hotkeys still copy and paste the open project's
    // clips with the same core, and auto paste follows the stored choice the window would show.
    if (!links.hotkeyTrigger)
        links.hotkeyTrigger = [](int clip) { CopyAndPasteClip(clip); };
    if (!PasteHooks().autoPasteChecked)
        PasteHooks().autoPasteChecked = [] { return core::IsNonZero(ReadSetting(L"Quillet", L"AutoPaste")); };
}

} // namespace

std::vector<int> RegisterProgramHotkeys() {
    const ProgramHotkeyNumbers& k = ProgramHotkeys;
    const std::pair<int, std::pair<int, int>> hotkeys[] = {
        {core::kHotkeyShowMain, {k.HKShowQLMod, k.HKShowQLKey}},
        {core::kHotkeyClipboardMenu, {k.HKGlobalMenuMod, k.HKGlobalMenuKey}},
        {core::kHotkeyPasteNext, {k.HKPasteNextMod, k.HKPasteNextKey}},
        {core::kHotkeyPasteMenu, {k.HKPasteMenuMod, k.HKPasteMenuKey}},
        {core::kHotkeySettings, {k.HKSettingsMod, k.HKSettingsKey}},
    };
    std::vector<int> refused;
    for (const auto& [id, combination] : hotkeys) {
        if (!Register(id, combination.first, combination.second))
            refused.push_back(id);
    }
    return refused;
}

void UnregisterProgramHotkeys() {
    for (const auto& def : core::ProgramHotkeyTable())
        ::UnregisterHotKey(hotkeyWindow, def.id);
}

void LoadHotkeys(HWND window) {
    hotkeyWindow = window;
    RegisterProgramHotkeys();
    // Installed once per window: put on twice, it would forward to itself.
    const auto ours = reinterpret_cast<LONG_PTR>(&HotkeyWindowProc);
    if (window && ::GetWindowLongPtrW(window, GWLP_WNDPROC) != ours)
        previousHotkeyProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(window, GWLP_WNDPROC, ours));
    for (int n = 1; n <= core::kSlotCount; ++n) {
        ClipHotkeys[static_cast<std::size_t>(n - 1)].registered = false;
        const int mask = StoredNumber(core::ClipModKey(n), 255);
        const int key = StoredNumber(core::ClipKeyKey(n), 0xFFFF);
        if (mask != 0 && key != 0)
            SetClipHotkey(mask, key, core::ClipHotkeyId(n));
    }
    FillSeams();
}

void SetClipHotkey(int mask, int key, int id) {
    const int clip = core::ClipOfHotkeyId(id);
    if (clip == 0)
        return;
    core::ClipHotkey& entry = ClipHotkeys[static_cast<std::size_t>(clip - 1)];
    const core::ClipHotkeyChange change = core::SetClipHotkeyTransition(entry, mask, key);
    if (change.unregisterOld)
        ::UnregisterHotKey(hotkeyWindow, id);
    entry = change.entry;
    if (change.registerNew)
        Register(id, mask, key);
}

LRESULT CALLBACK HotkeyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsExiting)
        return 0;
    if (message == WM_HOTKEY) {
        const int id = static_cast<int>(wParam);
        // The window the user pressed the keys over is the target, even when it came up so shortly before
        // that the tracker has not looked since.
        TrackForegroundWindow(::GetForegroundWindow());
        switch (id) {
        case core::kHotkeyShowMain:
            ShowMainWindow();
            break;
        case core::kHotkeyClipboardMenu:
            if (ProgramMenuHooks().popupClipboardMenu)
                ProgramMenuHooks().popupClipboardMenu();
            break;
        case core::kHotkeyPasteNext:
            PasteNextHotkey();
            break;
        case core::kHotkeyPasteMenu:
            if (ProgramMenuHooks().popupPasteMenu)
                ProgramMenuHooks().popupPasteMenu();
            break;
        case core::kHotkeySettings:
            if (MainClipWindowHooks().openSettings)
                MainClipWindowHooks().openSettings();
            break;
        default:
            if (const int clip = core::ClipOfHotkeyId(id)) {
                const core::ClipHotkey& entry = ClipHotkeys[static_cast<std::size_t>(clip - 1)];
                ClipHotkeyTrigger(entry.key, entry.mask, clip);
            }
            break;
        }
        return 0;
    }
    if (!previousHotkeyProc)
        return ::DefWindowProcW(window, message, wParam, lParam);
    return ::CallWindowProcW(previousHotkeyProc, window, message, wParam, lParam);
}

void ShowMainWindow() {
    MainClipWindowLinks& links = MainClipWindowHooks();
    if (links.editorOpen && links.editorOpen()) {
        if (links.focusEditor)
            links.focusEditor();
        return;
    }
    const HWND main = links.window ? links.window() : nullptr;
    if (!main)
        return;
    if (::IsWindowVisible(main)) {
        if (::IsIconic(main))
            ::ShowWindow(main, SW_RESTORE);
        ::ShowWindow(main, SW_SHOW);
        return;
    }
    ::ShowWindow(main, SW_HIDE);
    ::ShowWindow(main, SW_SHOW);
    ::SetForegroundWindow(main);
}

void PasteNext(int direction) {
    const core::PasteNextResult next = core::PasteNextStep(lastCopiedClip, direction, IsClipEmpty);
    lastCopiedClip = static_cast<std::uint8_t>(next.last);
    if (next.clip == 0)
        return;
    if (MainClipWindowHooks().hotkeyTrigger)
        MainClipWindowHooks().hotkeyTrigger(next.clip);
}

void PasteNextHotkey() {
    if (IsExiting || pasteNextBusy)
        return;
    pasteNextBusy = true;
    const ProgramHotkeyNumbers& k = ProgramHotkeys;
    const KeyWait wait = WaitForKeysUp(core::PasteNextWaitKeys(k.HKPasteNextMod, k.HKPasteNextKey));
    if (wait == KeyWait::Exiting)
        return; // the flag stays set so nothing starts again
    if (wait == KeyWait::Released)
        PasteNext(+1);
    pasteNextBusy = false;
}

void ClipHotkeyTrigger(int key, int mask, int clip) {
    (void)key; // only the modifiers are waited for: the key itself auto-repeats harmlessly
    if (IsExiting || triggerBusy)
        return;
    triggerBusy = true;
    const KeyWait wait = WaitForKeysUp(core::ModifierWaitOrder(mask));
    if (wait == KeyWait::Exiting)
        return;
    if (wait == KeyWait::Released) {
        // The copy makes the clip the one copied last, when it reaches the clipboard.
        if (MainClipWindowHooks().hotkeyTrigger)
            MainClipWindowHooks().hotkeyTrigger(clip);
    }
    triggerBusy = false;
}

} // namespace quillet
