#include "app/shell/modSettings.h"

#include "app/shell/Messages.h"
#include "app/shell/SettingsSnapshot.h"
#include "app/shell/modInitialization.h"
#include "core/SettingValue.h"
#include "core/SettingsTemplate.h"
#include "core/WindowPlacement.h"
#include "winkit/Scoped.h"
#include "winkit/TextConv.h"

#include <cmath>
#include <exception>

namespace quillet {

std::int16_t PasteMethod = 1;
std::uint8_t ExitChoice = 1;
bool AskDeletingClip = true;
bool AskClearingClip = true;
bool RememberFontSettings = true;
bool MsgOnImgPaste = true;
bool SentenceCaseKeepBig = true;
std::wstring DefaultFontName = L"0";
std::int16_t DefaultFontSize = 0;
ProgramHotkeyNumbers ProgramHotkeys;

SettingsTargets& SettingsHooks() {
    static SettingsTargets targets;
    return targets;
}

namespace {

constexpr long kOverflow = 6;
constexpr DWORD kValueBuffer = 255;

const wchar_t kGeneral[] = L"General";
const wchar_t kQuillet[] = L"Quillet";
const wchar_t kWindowPos[] = L"WindowPos";
const wchar_t kWindowSize[] = L"WindowSize";
const wchar_t kHotkeys[] = L"Hotkeys";

// A stored number the in-memory copy cannot hold; the pending error already describes it.
struct ValueOutOfRange {};

long long StoredInteger(const wchar_t* section, const wchar_t* key, long long min, long long max) {
    const std::wstring text = ReadSetting(section, key);
    if (auto value = core::SettingInteger(text, min, max))
        return *value;
    SetPendingError(kOverflow, L"Overflow: [" + std::wstring(section) + L"] " + key + L"=" + text);
    throw ValueOutOfRange{};
}

bool StoredFlag(const wchar_t* section, const wchar_t* key) {
    return core::IsFlagOn(ReadSetting(section, key));
}

bool CanOpenForReading(const std::wstring& path) {
    if (path.empty())
        return false;
    winkit::ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

void OfferFreshSettings() {
    const int answer = ShowMessage(L"Unable to load settings! Your settings.ini can be damaged or incompatible.\r\n\r\n"
                                   L"Do you want to generate new settings.ini file? Note: You will have to start "
                                   L"program again.",
                                   L"quest");
    if (answer == IDYES) {
        ::DeleteFileW(SettingsFile.c_str());
        CreateDefaultSettings();
    }
}

// A line break inside a value would end the key and start another line of the file.
std::wstring OneLine(std::wstring value) {
    for (wchar_t& c : value) {
        if (c == L'\r' || c == L'\n')
            c = L' ';
    }
    return value;
}

// The window's rectangle in twips: the restored one of a maximised window, as the form itself reports it.
RECT WindowTwips(HWND window) {
    RECT r{};
    WINDOWPLACEMENT placement{sizeof(placement)};
    if (::IsZoomed(window) && ::GetWindowPlacement(window, &placement))
        r = placement.rcNormalPosition;
    else
        ::GetWindowRect(window, &r);
    const int t = core::kTwipsPerPixel;
    return {r.left * t, r.top * t, r.right * t, r.bottom * t};
}

long ScreenWidthTwips() {
    return ::GetSystemMetrics(SM_CXSCREEN) * core::kTwipsPerPixel;
}
long ScreenHeightTwips() {
    return ::GetSystemMetrics(SM_CYSCREEN) * core::kTwipsPerPixel;
}

int ToPixels(long twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / core::kTwipsPerPixel));
}

void MoveTo(HWND window, long leftTwips, long topTwips) {
    ::SetWindowPos(window, nullptr, ToPixels(leftTwips), ToPixels(topTwips), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool IsMaximisedSetting(const std::wstring& formName) {
    return ReadSetting(kWindowSize, formName + L"S") == L"maxi";
}

} // namespace

bool SettingsFileExists() {
    return CanOpenForReading(SettingsFile);
}

std::wstring ReadSetting(const std::wstring& section, const std::wstring& key, const std::wstring& file) {
    if (file == kSettingsFile) {
        if (auto value = SnapshotSetting(section, key))
            return *value;
    }
    if (!SettingsFileExists()) {
        OfferFreshSettings();
        return {};
    }
    const std::wstring& path = file == kSettingsFile ? SettingsFile : file;
    wchar_t buffer[kValueBuffer] = {};
    const DWORD n = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer, kValueBuffer, path.c_str());
    return std::wstring(buffer, n < kValueBuffer ? n : kValueBuffer - 1);
}

bool WriteSetting(const std::wstring& section, const std::wstring& key, const std::wstring& value, bool report) {
    // A settings file deleted while the program runs comes back whole: the system would otherwise start a new
    // file holding this one key, and every other setting would read as 0 from then on.
    if (!SettingsFileExists() && !CreateDefaultSettings())
        return false;
    const std::wstring line = OneLine(value);
    // The system rewrites the whole file for every key: a value that reads back the same already (a missing
    // key reads as empty) is left alone.
    if (SnapshotSetting(section, key) == line)
        return true;
    RefreshSettingsSnapshot();
    if (::WritePrivateProfileStringW(section.c_str(), key.c_str(), line.c_str(), SettingsFile.c_str()))
        return true;
    SetPendingWin32Error(::GetLastError());
    if (report)
        ShowError(L"Unable to write settings! Please check if you have got write permissions to " + SettingsFile +
                      L".",
                  true);
    return false;
}

bool CreateDefaultSettings(bool report) {
    RefreshSettingsSnapshot();
    const std::string bytes = winkit::ToAnsi(core::DefaultSettingsText(ProjectsFolder));
    DWORD failure = ERROR_INVALID_NAME;
    if (!SettingsFile.empty()) {
        winkit::ScopedFile file(::CreateFileW(SettingsFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size())
            return true;
        failure = ::GetLastError();
    }
    if (report) {
        SetPendingWin32Error(failure);
        ShowError(L"Error while creating settings file!", true);
    }
    return false;
}

bool LoadProgramHotkeys() {
    struct Entry {
        const wchar_t* key;
        std::int32_t ProgramHotkeyNumbers::*field;
    };
    static const Entry entries[] = {
        {L"HKShowQLMod", &ProgramHotkeyNumbers::HKShowQLMod},
        {L"HKShowQLKey", &ProgramHotkeyNumbers::HKShowQLKey},
        {L"HKGlobalMenuMod", &ProgramHotkeyNumbers::HKGlobalMenuMod},
        {L"HKGlobalMenuKey", &ProgramHotkeyNumbers::HKGlobalMenuKey},
        {L"HKPasteNextMod", &ProgramHotkeyNumbers::HKPasteNextMod},
        {L"HKPasteNextKey", &ProgramHotkeyNumbers::HKPasteNextKey},
        {L"HKPasteMenuMod", &ProgramHotkeyNumbers::HKPasteMenuMod},
        {L"HKPasteMenuKey", &ProgramHotkeyNumbers::HKPasteMenuKey},
        {L"HKSettingsMod", &ProgramHotkeyNumbers::HKSettingsMod},
        {L"HKSettingsKey", &ProgramHotkeyNumbers::HKSettingsKey},
    };
    try {
        for (const Entry& e : entries)
            ProgramHotkeys.*e.field = static_cast<std::int32_t>(StoredInteger(kHotkeys, e.key, INT32_MIN, INT32_MAX));
        return true;
    } catch (const ValueOutOfRange&) {
        return false;
    }
}

bool LoadFontDefaults() {
    DefaultFontName = ReadSetting(kQuillet, L"DefaultFontName");
    const std::wstring text = ReadSetting(kQuillet, L"DefaultFontSize");
    const double size = core::LeadingNumber(text);
    if (std::floor(size) <= 0) {
        DefaultFontSize = 0;
        return true;
    }
    if (auto value = core::RoundInRange(size, 0, INT16_MAX)) {
        DefaultFontSize = static_cast<std::int16_t>(*value);
        return true;
    }
    SetPendingError(kOverflow, L"Overflow: [Quillet] DefaultFontSize=" + text);
    return false;
}

void LoadSettings() {
    SettingsTargets& targets = SettingsHooks();
    try {
        if (!LoadProgramHotkeys())
            throw ValueOutOfRange{};

        const bool runOnStartup = StoredFlag(kGeneral, L"RunOnStartup");
        if (targets.switchRunAtStartup)
            targets.switchRunAtStartup(runOnStartup);

        if (!LoadFontDefaults())
            throw ValueOutOfRange{};

        // Only ever checks: the menus start unchecked, and hiding wins over minimising.
        const bool minimize = StoredFlag(kQuillet, L"MinimizeOnCopy");
        const bool hide = StoredFlag(kQuillet, L"HideOnCopy");
        const bool autoPaste = core::IsNonZero(ReadSetting(kQuillet, L"AutoPaste"));
        if (targets.checkCopyOption) {
            if (minimize)
                targets.checkCopyOption(CopyOption::MinimizeOnCopy, true);
            if (hide) {
                targets.checkCopyOption(CopyOption::HideOnCopy, true);
                targets.checkCopyOption(CopyOption::MinimizeOnCopy, false);
            }
            if (autoPaste)
                targets.checkCopyOption(CopyOption::AutoPaste, true);
        }
        if (targets.checkClipboardMenuAutoPaste) {
            const bool checked =
                targets.copyOptionChecked ? targets.copyOptionChecked(CopyOption::AutoPaste) : autoPaste;
            targets.checkClipboardMenuAutoPaste(checked);
        }

        const auto method = static_cast<std::int16_t>(StoredInteger(kQuillet, L"PasteMethod", INT16_MIN, INT16_MAX));
        PasteMethod = method < 1 ? std::int16_t{1} : method;

        if (StoredFlag(kQuillet, L"QLAlwaysOnTop") && targets.keepMainWindowOnTop)
            targets.keepMainWindowOnTop();

        ExitChoice = static_cast<std::uint8_t>(StoredInteger(kQuillet, L"Exiting", 0, 255));
        AskDeletingClip = StoredFlag(kQuillet, L"AskDeletingClip");
        AskClearingClip = StoredFlag(kQuillet, L"AskClearingClip");
        RememberFontSettings = StoredFlag(kQuillet, L"RememberFontSettings");
        MsgOnImgPaste = StoredFlag(kQuillet, L"MsgOnImgPaste");
        SentenceCaseKeepBig = StoredFlag(kQuillet, L"SentenceCaseKeepBig");
    } catch (const ValueOutOfRange&) {
        ShowError(L"Error while loading settings!", true);
    } catch (const std::exception& e) {
        SetPendingError(-1, winkit::FromUtf8(e.what()));
        ShowError(L"Error while loading settings!", true);
    }
}

void SaveCopyOptions() {
    const SettingsTargets& targets = SettingsHooks();
    // Without the main clip window there are no check marks to save, and the stored ones stay.
    if (!targets.copyOptionChecked)
        return;
    const wchar_t* minimize = L"0";
    const wchar_t* hide = L"0";
    if (targets.copyOptionChecked(CopyOption::MinimizeOnCopy))
        minimize = L"1";
    else if (targets.copyOptionChecked(CopyOption::HideOnCopy))
        hide = L"1";
    // One failing write already told the user; the others would fail the same way.
    if (WriteSetting(kQuillet, L"MinimizeOnCopy", minimize) && WriteSetting(kQuillet, L"HideOnCopy", hide))
        WriteSetting(kQuillet, L"AutoPaste", targets.copyOptionChecked(CopyOption::AutoPaste) ? L"1" : L"0");
}

void SaveWindowPosition(HWND window, const std::wstring& formName) {
    const RECT r = WindowTwips(window);
    if (WriteSetting(kWindowPos, formName + L"X", std::to_wstring(r.left)))
        WriteSetting(kWindowPos, formName + L"Y", std::to_wstring(r.top));
}

void SaveWindowSize(HWND window, const std::wstring& formName) {
    const RECT r = WindowTwips(window);
    if (WriteSetting(kWindowSize, formName + L"S", ::IsZoomed(window) ? L"maxi" : L"norm") &&
        WriteSetting(kWindowSize, formName + L"X", std::to_wstring(r.right - r.left)))
        WriteSetting(kWindowSize, formName + L"Y", std::to_wstring(r.bottom - r.top));
}

void RestoreWindowPosition(HWND window, const std::wstring& formName) {
    if (IsMaximisedSetting(formName)) {
        ::ShowWindow(window, SW_MAXIMIZE);
        return;
    }
    const std::wstring x = ReadSetting(kWindowPos, formName + L"X");
    const std::wstring y = ReadSetting(kWindowPos, formName + L"Y");
    const RECT r = WindowTwips(window);
    if (x.empty()) {
        // Both ways in one move: each move of a window is a round trip to the display server.
        MoveTo(window, core::CenteredOffset(ScreenWidthTwips(), r.right - r.left),
               core::CenteredOffset(ScreenHeightTwips(), r.bottom - r.top));
        return;
    }
    const long left = core::RestoredLeft(core::LeadingNumber(x), ScreenWidthTwips(), r.right - r.left);
    long top = r.top;
    if (!y.empty())
        top = core::RestoredTop(core::LeadingNumber(y), ScreenHeightTwips(), r.bottom - r.top);
    MoveTo(window, left, top);
}

void RestoreWindowSize(HWND window, const std::wstring& formName) {
    if (IsMaximisedSetting(formName)) {
        CenterHorizontally(window);
        CenterVertically(window);
        return;
    }
    const RECT r = WindowTwips(window);
    long width = r.right - r.left;
    long height = r.bottom - r.top;
    // A value that is no number (a missing key) leaves that dimension as the form was designed.
    const auto stored = [](const std::wstring& text, long& extent) {
        if (!core::IsNumericText(text))
            return;
        if (auto value = core::SettingInteger(text, 0, 1000000))
            extent = static_cast<long>(*value);
    };
    stored(ReadSetting(kWindowSize, formName + L"X"), width);
    stored(ReadSetting(kWindowSize, formName + L"Y"), height);
    if (!::IsZoomed(window) && ToPixels(width) == ToPixels(r.right - r.left) &&
        ToPixels(height) == ToPixels(r.bottom - r.top))
        return; // already so: a resize to the same size still costs a round trip to the display server
    ::SetWindowPos(window, nullptr, 0, 0, ToPixels(width), ToPixels(height),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CenterHorizontally(HWND window) {
    const RECT r = WindowTwips(window);
    MoveTo(window, core::CenteredOffset(ScreenWidthTwips(), r.right - r.left), r.top);
}

void CenterVertically(HWND window) {
    const RECT r = WindowTwips(window);
    MoveTo(window, r.left, core::CenteredOffset(ScreenHeightTwips(), r.bottom - r.top));
}

} // namespace quillet
