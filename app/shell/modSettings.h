#pragma once
// modSettings: the one owner of settings.ini. It writes the template, reads and writes single keys through
// the system's INI services, applies the settings at start-up and stores the geometry of the two
// resizable windows. Every other part of the program reads its options through here.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace quillet {

// The "file" argument of ReadSetting that means the settings file itself.
inline constexpr const wchar_t* kSettingsFile = L"0";

// The stored text of a key ("" when missing). When the settings file is missing or unreadable, asks whether
// to write a fresh one and gives "". Values are cut to 254 characters.
std::wstring ReadSetting(const std::wstring& section, const std::wstring& key,
                         const std::wstring& file = kSettingsFile);
// Writes one key of the settings file, creating the section or key. A failing write gives false (with the
// pending error set) and is reported to the user unless `report` is false, for callers that name every
// setting that did not take in one message of their own.
bool WriteSetting(const std::wstring& section, const std::wstring& key, const std::wstring& value,
                  bool report = true);
// Overwrites the settings file with the template. `report` shows a failure to the user.
bool CreateDefaultSettings(bool report = true);
bool SettingsFileExists();

// In-memory copies made by LoadSettings (and by LoadProgramHotkeys / LoadFontDefaults).
extern std::int16_t PasteMethod;
extern std::uint8_t ExitChoice; // [Quillet] Exiting: 0 discard, 1 ask, 2 save
extern bool AskDeletingClip;
extern bool AskClearingClip;
extern bool RememberFontSettings;
extern bool MsgOnImgPaste;
extern bool SentenceCaseKeepBig;
extern std::wstring DefaultFontName; // "0" = none remembered
extern std::int16_t DefaultFontSize; // 0 = none remembered

struct ProgramHotkeyNumbers {
    std::int32_t HKShowQLMod = 3, HKShowQLKey = 72;
    std::int32_t HKGlobalMenuMod = 3, HKGlobalMenuKey = 71;
    std::int32_t HKPasteNextMod = 2, HKPasteNextKey = 81;
    std::int32_t HKPasteMenuMod = 3, HKPasteMenuKey = 67;
    std::int32_t HKSettingsMod = 3, HKSettingsKey = 83;
};
extern ProgramHotkeyNumbers ProgramHotkeys;

// The check-marked copy options of the main clip window's menu.
enum class CopyOption { MinimizeOnCopy, HideOnCopy, AutoPaste };

// What the settings act on in windows and menus other parts own. Each part sets its entries when it loads
// (the main clip window its menus and on-top state, the hidden main form its clipboard menu, the tray menu
// the run-at-startup switch); an entry that is not set belongs to a part that is not loaded, and the
// settings for it stay in the file untouched.
struct SettingsTargets {
    std::function<void(bool on)> switchRunAtStartup;
    std::function<bool(CopyOption)> copyOptionChecked;
    std::function<void(CopyOption, bool checked)> checkCopyOption;
    std::function<void(bool checked)> checkClipboardMenuAutoPaste;
    std::function<void()> keepMainWindowOnTop; // topmost, with the toolbar's on-top button pressed
};
SettingsTargets& SettingsHooks();

// Applies the settings at start-up; a failure is reported and the settings applied so far stay.
void LoadSettings();
// Both give false (with the pending error set) at a value their in-memory copy cannot hold.
bool LoadProgramHotkeys();
bool LoadFontDefaults();
// Writes MinimizeOnCopy, HideOnCopy and AutoPaste from the main clip window's menu.
void SaveCopyOptions();

// Geometry in twips under [WindowPos] / [WindowSize], keys named after the form ("frmQuillet" + "X").
void SaveWindowPosition(HWND window, const std::wstring& formName);
void RestoreWindowPosition(HWND window, const std::wstring& formName);
void SaveWindowSize(HWND window, const std::wstring& formName);
void RestoreWindowSize(HWND window, const std::wstring& formName);
void CenterHorizontally(HWND window);
void CenterVertically(HWND window);

} // namespace quillet
