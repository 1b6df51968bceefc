#pragma once
// modInitialization: start-up and the one ShutDown routine every exit goes through.
#include <string>

namespace quillet {

// The maker's addresses, shown on the splash and in the start-up error message.
inline constexpr const wchar_t* kSupportAddress = L"support@quillet.app";
inline constexpr const wchar_t* kWebAddress = L"www.quillet.app";

// Program folders; AppFolder always ends in "\".
extern std::wstring AppFolder;
extern std::wstring SettingsFile;
extern std::wstring HelpFile;
extern std::wstring TempFolder;
extern std::wstring ProjectsFolder;
// Set by ShutDown: from then on windows really close instead of hiding.
extern bool IsExiting;

// The folder of the running executable, with "\" appended.
std::wstring ProgramFolder();

// Runs the start-up sequence; returns false when the program must not go on to its message loop.
bool Startup(const std::wstring& commandLine);

// Runs the message loop until the program ends.
int RunMessageLoop();

// Ends the program from every place that ends it.
[[noreturn]] void ShutDown(bool writeCopyOptions);

} // namespace quillet
