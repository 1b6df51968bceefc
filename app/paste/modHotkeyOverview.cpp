#include "app/paste/modHotkeyOverview.h"

#include "app/paste/modHotkey.h"
#include "app/paste/modInternalFunctions.h"
#include "app/projects/MainClipWindow.h"
#include "app/shell/Messages.h"
#include "app/shell/modInitialization.h"
#include "core/HotkeyOverview.h"
#include "winkit/Scoped.h"
#include "winkit/TextConv.h"

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <vector>

namespace quillet {

namespace {

constexpr const wchar_t* kSaveError = L"Error while saving hotkey overview";

void Status(const std::wstring& text) {
    if (PasteHooks().showStatus)
        PasteHooks().showStatus(text);
}

std::wstring Formatted(bool time) {
    wchar_t buffer[128] = {};
    const int n = time ? ::GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, buffer, 128)
                       : ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buffer, 128);
    return n > 0 ? std::wstring(buffer) : std::wstring();
}

HWND Owner() { return MainClipWindowHooks().window ? MainClipWindowHooks().window() : nullptr; }

} // namespace

std::wstring GeneratedStamp() { return Formatted(true) + L" " + Formatted(false); }

bool WriteHotkeyOverview(const std::wstring& path) {
    std::array<std::wstring, core::kSlotCount> texts;
    for (int n = 1; n <= core::kSlotCount; ++n)
        texts[static_cast<std::size_t>(n - 1)] = OpenProject().slot(n).text;
    const std::string bytes = winkit::ToAnsi(
        core::OverviewPage(core::OverviewLines(OpenProject().ProjectName, texts, ClipHotkeys, GeneratedStamp())));

    winkit::ScopedFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        SetPendingWin32Error(::GetLastError());
        ShowError(kSaveError, true);
        return false;
    }
    return true;
}

void ExportHotkeyOverview() {
    std::vector<wchar_t> file(MAX_PATH * 4, L'\0');
    const std::wstring proposed = AppFolder + L"hotkeys.html";
    proposed.copy(file.data(), file.size() - 1);
    wchar_t title[MAX_PATH] = {};
    static const wchar_t filter[] = L"HTML files\0*.html\0";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Owner();
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrFileTitle = title;
    dialog.nMaxFileTitle = MAX_PATH;
    dialog.lpstrInitialDir = AppFolder.c_str();
    dialog.lpstrTitle = L"Save Hotkey Overview";
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (!::GetSaveFileNameW(&dialog)) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        return;
    }
    const std::wstring path = file.data();
    if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (ShowMessage(L"Do you want overwrite " + std::wstring(title) + L"?", L"quest") != IDYES)
            return;
        if (!::DeleteFileW(path.c_str())) {
            SetPendingWin32Error(::GetLastError());
            ShowError(kSaveError, true);
            return;
        }
    }
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    Status(L"Please wait...");
    if (WriteHotkeyOverview(path)) {
        Status(L"Overview Saved");
        if (ShowMessage(L"Do you want to open the overview with your browser so you can view it and print it?",
                        L"quest") == IDYES) {
            ::ShellExecuteW(Owner(), L"Open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        }
    } else {
        Status(L"Unable to save hotkey overview");
    }
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

} // namespace quillet
