#include "app/shell/modInitialization.h"

#include "app/editor/frmConfPasteBox.h"
#include "app/help/modHelp.h"
#include "app/menu/frmMain.h"
#include "app/menu/modSystemtray.h"
#include "app/paste/modHotkey.h"
#include "app/paste/modInternalFunctions.h"
#include "app/paste/tmrGrabber.h"
#include "app/projects/EditHandOver.h"
#include "app/projects/frmQuillet.h"
#include "app/shell/ClosingWindows.h"
#include "app/shell/Messages.h"
#include "app/shell/SettingsSnapshot.h"
#include "app/shell/SingleInstance.h"
#include "app/shell/StartupLog.h"
#include "app/shell/frmSettings.h"
#include "app/shell/frmSplash.h"
#include "app/shell/modSettings.h"
#include "core/SettingValue.h"
#include "core/StartupRules.h"
#include "winkit/ModulePath.h"
#include "winkit/Scoped.h"
#include "winkit/Wait.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <cwctype>
#include <stdexcept>
#include <vector>

namespace quillet {

std::wstring AppFolder;
std::wstring SettingsFile;
std::wstring HelpFile;
std::wstring TempFolder;
std::wstring ProjectsFolder;
bool IsExiting = false;
bool FirstStart = false;
int DisableSplash = 0;

std::wstring ProgramFolder() {
    std::wstring path = winkit::ModulePath(nullptr);
    if (path.empty())
        return {};
    path.erase(path.find_last_of(L'\\') + 1);
    if (path.empty() || path.back() != L'\\')
        path += L'\\';
    return path;
}

namespace {

const wchar_t kLibraryName[] = L"Syslinkage.dll";

// Start-up runs until its last step; an end asked for meanwhile waits for the next safe point.
bool startingUp = false;
bool endAsked = false;

// The sockets service failed (the user was told): the program ends at once, but never from inside a
// load that the shutdown would unload from under itself, and never a second time.
void EndForSocketsFailure() {
    if (IsExiting)
        return;
    if (startingUp) {
        endAsked = true;
        return;
    }
    ShutDown(false);
}

// A safe point of the start-up: nothing is half loaded.
void EndIfAsked() {
    if (endAsked)
        ShutDown(false);
}

// The splash is shown only when DisableSplash is exactly 0; other values just keep it away.
bool SplashWanted() {
    return DisableSplash == 0;
}

// A short pause in which the splash gets painted.
void PauseWithMessages(DWORD ms) {
    winkit::WaitUntil([] { return false; }, ms);
}

void NextBlock() {
    if (Splash().loaded())
        Splash().ShowNext();
}

void RepaintSplash() {
    if (Splash().loaded())
        Splash().Repaint();
}

bool FolderExists(const std::wstring& path) {
    const DWORD a = ::GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// Deletes the files of the temp folder, then the folder (which stays when a subfolder is left in it).
void RemoveTempFolder() {
    if (AppFolder.empty())
        return;
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

DWORD WINAPI RunRegistration(void* entry) {
    using RegisterServer = HRESULT(STDAPICALLTYPE*)();
    // The entry point's own result is not examined: a registration left from an earlier start still serves.
    reinterpret_cast<RegisterServer>(entry)();
    return 0;
}

// Steps 2 to 10: a failing step is skipped and start-up goes on.
void PrepareProgram() {
    // Step 2.
    AppFolder = ProgramFolder();
    SettingsFile = AppFolder + L"settings.ini";
    HelpFile = AppFolder + L"help.hlp";
    CreateHelpObject();
    // Every later start finds the settings file written now, so the overview is offered only once.
    FirstStart = ::GetFileAttributesW(SettingsFile.c_str()) == INVALID_FILE_ATTRIBUTES;
    if (FirstStart)
        CreateDefaultSettings(false); // a folder that takes no file is reported once, at step 11

    // Step 3. Without a settings file (it could not be written) there is nothing to ask about yet.
    DisableSplash = 0;
    if (SettingsFileExists()) {
        DisableSplash = static_cast<int>(
            core::SettingInteger(ReadSetting(L"General", L"DisableSplash"), INT32_MIN, INT32_MAX).value_or(0));
    }
    // Step 4, taken before the splash shows: the splash comes to the front, and the window the user was
    // in before it is the first paste target.
    InitLastWindows();
    if (SplashWanted() && Splash().Load()) {
        Splash().Show();
        PauseWithMessages(50);
    }
    RepaintSplash();
    // Step 5: lastCopiedClip = 0 and every ClipMethods entry = 1, wired by the clip model.
    NextBlock();
}

// Steps 7 to 10.
void PrepareScreenAndFolders() {
    SplashStep(0);
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    SplashStep(1);
    RepaintSplash();
    RepaintSplash();

    TempFolder = AppFolder + L"temp\\";
    ProjectsFolder = AppFolder + L"projects\\";
    if (!FolderExists(TempFolder))
        ::CreateDirectoryW((AppFolder + L"temp").c_str(), nullptr);
    if (!FolderExists(ProjectsFolder))
        ::CreateDirectoryW((AppFolder + L"projects").c_str(), nullptr);
    RepaintSplash();
    SplashStep(2);
    // The font list is enumerated when the clip editor first shows its font box, off the way to the window.
}

// The screen check of step 7; false when the user chose not to go on.
bool AcceptScreen() {
    winkit::WindowDC screen(nullptr);
    if (!screen)
        return true;
    const int dpiX = ::GetDeviceCaps(screen.get(), LOGPIXELSX);
    const int dpiY = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
    if (core::IsUsualTwipSize(dpiX, dpiY))
        return true;
    const std::wstring question =
        L"Your twip size is uncommon. This program is build for twip's size 15, your twips have got size " +
        core::TwipSizeText(core::TwipsPerPixel(dpiX)) +
        L".\r\n\r\nIt's caused by 'large' font size which you have currently set-up. This program won't work on "
        L"your system properly until you switch font size to 'Normal' (Small). Do you really want to continue? (We "
        L"STRONGLY recommend to don't use this software with this uncompatible twip size!)";
    return ShowMessage(question, L"quest") == IDYES;
}

// Steps 11 to 16; anything that fails here throws, for the start-up error handler.
void LoadProgram(const std::wstring& commandLine) {
    // A program folder that took no settings file (or no temp folder) cannot keep anything the user does.
    if (!SettingsFileExists() || !FolderExists(TempFolder))
        throw std::runtime_error("the program folder is not writable");

    SplashStep(5);
    MainForm().endProgram = &EndForSocketsFailure;
    if (!MainForm().Load())
        throw std::runtime_error("the main form could not be created");
    EndIfAsked();
    RegisterOwnForm(MainForm().hwnd());
    StartGrabber(MainForm().hwnd());
    MainForm().Clearpicture();
    MarkStartupStage("main form (menus, library window, IP lookup)");

    SplashStep(20);
    // The main clip window loads hidden: its rows, position, recent projects and the start-up project.
    if (!QuilletWindow().Load())
        throw std::runtime_error("the main clip window could not be created");
    ShowClipEditorHook() = [] { ShowClipEditor(); };
    MarkStartupStage("main clip window and project");
    EndIfAsked();

    SplashStep(3);
    LoadSettings();
    SplashStep(4);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    frmSettings::OfferLazily();

    SplashStep(7);
    LoadHotkeys(MainForm().hwnd());
    MarkStartupStage("hotkeys");
    SplashStep(10);
    AddTrayIcon(MainForm().hwnd(), MainForm().icon(), L"Quillet");
    MarkStartupStage("tray icon");
    SplashStep(8);
    SplashStep(9);

    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    SplashStep(11);
    NextBlock();

    if (!core::IsNoWindowCommandLine(commandLine) && core::IsFlagOn(ReadSetting(L"General", L"OpenWindowAtStartup"))) {
        QuilletWindow().ShowMainWindow();
        MarkStartupStage("window shown");
        // The splash stays in front of the main clip window until it hides.
        if (Splash().loaded())
            Splash().Show();
    }
}

[[noreturn]] void StartupFailed() {
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    ShowError(L"Error while starting Quillet. If you lost some system libraries, please reinstall program. "
              L"If you dont got read/write access to " +
              AppFolder + L", please, obtain it. If you will need any further help, please contact " + kSupportAddress +
              L".");
    ShutDown(true);
}

} // namespace

void SplashStep(int n) {
    if (DisableSplash == 1 || !Splash().loaded())
        return;
    const auto step = core::SplashStepFor(n);
    if (!step)
        return;
    if (step->label)
        Splash().SetInfo(std::wstring(*step->label));
    if (step->nextBlock)
        Splash().ShowNext();
    if (step->startsHideTimer)
        Splash().StartHideTimer(1);
    Splash().Repaint();
}

long RegisterLibrary(const std::wstring& fileName) {
    if (fileName.empty())
        return kRegisterNoName;
    // A bare name is taken from the program folder, never from wherever the search path leads.
    const bool bare = fileName.find_first_of(L"\\/:") == std::wstring::npos;
    const std::wstring path = bare ? ProgramFolder() + fileName : fileName;
    winkit::ScopedModule library(::LoadLibraryW(path.c_str()));
    if (!library)
        return kRegisterNotLoaded;
    FARPROC entry = ::GetProcAddress(library.get(), "DllRegisterServer");
    if (!entry)
        return kRegisterNoEntry;
    winkit::ScopedHandle thread(
        ::CreateThread(nullptr, 0, &RunRegistration, reinterpret_cast<void*>(entry), 0, nullptr));
    if (!thread)
        return static_cast<long>(::GetLastError());
    const DWORD waited = ::WaitForSingleObject(thread.get(), kRegisterTimeoutMs);
    if (waited == WAIT_OBJECT_0)
        return kRegisterRan;
    // Still running inside the library: unloading it now would pull the code from under the thread, so the
    // library stays loaded, and a registration that never ends counts as failed.
    library.release();
    return waited == WAIT_TIMEOUT ? static_cast<long>(WAIT_TIMEOUT) : static_cast<long>(::GetLastError());
}

bool Startup(const std::wstring& commandLine) {
    MarkStartupStage("entry point");
    // Step 1, before anything else.
    if (!ClaimSingleInstance()) {
        ShowMessage(L"Quillet is allready running!", L"excl");
        return false;
    }
    MarkStartupStage("single instance");
    const SettingsSnapshot settings;

    PrepareProgram();
    MarkStartupStage("settings and splash");

    // Step 6.
    if (RegisterLibrary(kLibraryName) != kRegisterRan) {
        ShowError(L"Couldn't register DLL(s) which is Quillet using. Please check that you got these files in "
                  L"Quillet directory:\r\n" +
                  std::wstring(kLibraryName));
        ShutDown(true);
    }
    RepaintSplash();
    MarkStartupStage("library registration");

    if (!AcceptScreen())
        ShutDown(true);
    PrepareScreenAndFolders();
    MarkStartupStage("screen check and folders");

    startingUp = true;
    try {
        LoadProgram(commandLine);
    } catch (const std::exception&) {
        StartupFailed();
    }
    startingUp = false;
    EndIfAsked();
    return true;
}

int RunMessageLoop() {
    MarkStartupStage("message loop");
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void ShutDown(bool writeCopyOptions) {
    IsExiting = true;
    ::Sleep(15);
    HideClosingWindows(); // step 2
    if (writeCopyOptions)
        SaveCopyOptions();
    RemoveTrayIcon();
    ReleaseHelpObject();
    UnloadClosingWindows(); // step 6, in the order of ClosingWindows()
    RemoveTempFolder();
    ::ExitProcess(0);
}

} // namespace quillet
