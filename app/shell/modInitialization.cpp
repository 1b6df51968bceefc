#include "app/shell/modInitialization.h"

#include "app/menu/frmMain.h"
#include "app/shell/Messages.h"

#include <windows.h>

namespace quillet {

std::wstring AppFolder;
std::wstring SettingsFile;
std::wstring HelpFile;
std::wstring TempFolder;
std::wstring ProjectsFolder;
bool IsExiting = false;

std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.erase(path.find_last_of(L'\\') + 1);
    if (path.empty() || path.back() != L'\\')
        path += L'\\';
    return path;
}

namespace {

void SetProgramFolders() {
    AppFolder = ProgramFolder();
    SettingsFile = AppFolder + L"settings.ini";
    HelpFile = AppFolder + L"help.hlp";
    TempFolder = AppFolder + L"temp\\";
    ProjectsFolder = AppFolder + L"projects\\";
}

// Deletes the files of the temp folder, then the folder (which stays when a subfolder is left in it).
void RemoveTempFolder() {
    const std::wstring folder = AppFolder + L"temp";
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((folder + L"\\*.*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ::DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(folder.c_str());
}

} // namespace

bool Startup(const std::wstring& /*commandLine*/) {
    SetProgramFolders();
    if (!MainForm().Load()) {
        ShowError(L"Error while starting Quillet. If you lost some system libraries, please reinstall program. "
                  L"If you dont got read/write access to " + AppFolder +
                  L", please, obtain it. If you will need any further help, please contact " + kSupportAddress + L".");
        ShutDown(true);
    }
    return true;
}

int RunMessageLoop() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void ShutDown(bool /*writeCopyOptions*/) {
    IsExiting = true;
    ::Sleep(15);
    MainForm().Unload();
    RemoveTempFolder();
    ::ExitProcess(0);
}

} // namespace quillet
