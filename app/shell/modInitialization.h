#pragma once
// modInitialization: start-up and the one ShutDown routine every exit goes through.
#include <string>

namespace quillet {

// The maker's addresses, shown on the splash and in the start-up error message.
inline constexpr const wchar_t* kSupportAddress = L"support@quillet.app";
inline constexpr const wchar_t* kWebAddress = L"www.quillet.app";

// Program folders; AppFolder always ends in "\". TempFolder and ProjectsFolder are set once start-up
// prepares them (until then they are empty, so the first settings file names no projects folder).
extern std::wstring AppFolder;
extern std::wstring SettingsFile;
extern std::wstring HelpFile;
extern std::wstring TempFolder;
extern std::wstring ProjectsFolder;
// Set by ShutDown: from then on windows really close instead of hiding.
extern bool IsExiting;
// True when this start found no settings file: the program's first start in its folder.
extern bool FirstStart;
// [General] DisableSplash as read at start-up: 1 keeps the splash and its step texts away.
extern int DisableSplash;

// The folder of the running executable, with "\" appended.
std::wstring ProgramFolder();

// Shows start-up step `n` on the splash (its label, and for some steps the next block).
void SplashStep(int n);

// Status numbers of RegisterLibrary; any other number is the system error that stopped the registration.
inline constexpr long kRegisterNotLoaded = 1;
inline constexpr long kRegisterNoEntry = 2;
inline constexpr long kRegisterRan = 4;
inline constexpr long kRegisterNoName = 7;
// How long start-up waits for the library's registration.
inline constexpr unsigned long kRegisterTimeoutMs = 10000;

// Runs the library's DllRegisterServer on a worker thread and waits for it. A bare file name is looked
// for in the program folder only.
long RegisterLibrary(const std::wstring& fileName);

// Runs the start-up sequence; returns false when the program must not go on to its message loop.
bool Startup(const std::wstring& commandLine);

// Runs the message loop until the program ends.
int RunMessageLoop();

// Ends the program from every place that ends it.
[[noreturn]] void ShutDown(bool writeCopyOptions);

} // namespace quillet
