#include "app/menu/modRunAtStartup.h"

#include "app/shell/modSettings.h"
#include "winkit/ModulePath.h"
#include "winkit/Scoped.h"

#include <windows.h>

namespace quillet {

std::wstring RunAtStartupCommand(const std::wstring& executablePath) {
    return L"\"" + executablePath + L"\" nowindow";
}

std::wstring RunAtStartupValue() {
    winkit::ScopedKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return {};
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(key.get(), kRunValue, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || bytes == 0)
        return {};
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(key.get(), kRunValue, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) !=
        ERROR_SUCCESS)
        return {};
    text.resize(bytes / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

void SwitchRunAtStartup(bool on, const std::function<void(bool)>& checkItem) {
    if (checkItem)
        checkItem(on);
    if (on) {
        WriteSetting(L"General", L"RunOnStartup", L"1");
        winkit::ScopedKey key;
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) !=
            ERROR_SUCCESS)
            return;
        const std::wstring command = RunAtStartupCommand(winkit::ModulePath(nullptr));
        ::RegSetValueExW(key.get(), kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                         static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
        return;
    }
    // The setting is cleared even when the value is already gone (removed by hand or by a cleaner):
    // otherwise the next start would read "1" and switch it back on. Start-up switches it off every time,
    // so a setting that already says "0" is left unwritten.
    if (ReadSetting(L"General", L"RunOnStartup") != L"0")
        WriteSetting(L"General", L"RunOnStartup", L"0");
    if (RunAtStartupValue().empty())
        return;
    winkit::ScopedKey key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS)
        ::RegDeleteValueW(key.get(), kRunValue);
}

} // namespace quillet
