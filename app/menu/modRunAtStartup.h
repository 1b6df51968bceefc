#pragma once
// modRunAtStartup: starting the program with Windows, through the QuilletSW value of the current user's
// Run key. The clipboard menu's "&Run At Startup", the settings dialog and LoadSettings all switch it here.
#include <functional>
#include <string>

namespace quillet {

inline constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const wchar_t* kRunValue = L"QuilletSW";

// The command line the system runs: the executable's path in double quotes (a path with blanks left bare
// would let the system try its leading words as programs of their own), then " nowindow".
std::wstring RunAtStartupCommand(const std::wstring& executablePath);

// The stored command line; "" when there is none.
std::wstring RunAtStartupValue();

// On: RunOnStartup = "1" and the value written. Off: RunOnStartup = "0" and the value deleted when there
// is one. `checkItem` puts the matching check mark on the menu item (none when empty).
void SwitchRunAtStartup(bool on, const std::function<void(bool)>& checkItem = {});

} // namespace quillet
