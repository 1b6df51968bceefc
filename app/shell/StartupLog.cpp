#include "app/shell/StartupLog.h"

#include "winkit/Scoped.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace quillet {

namespace {

const std::wstring& LogFile() {
    static const std::wstring file = [] {
        wchar_t name[MAX_PATH] = {};
        const DWORD n = ::GetEnvironmentVariableW(L"QUILLET_STARTUP_LOG", name, MAX_PATH);
        return n > 0 && n < MAX_PATH ? std::wstring(name, n) : std::wstring();
    }();
    return file;
}

unsigned long long Ticks(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

} // namespace

void MarkStartupStage(const char* stage) {
    if (LogFile().empty())
        return;
    // Counted from the process's creation, so what the loader and the libraries cost before the entry
    // point shows too.
    static const unsigned long long created = [] {
        FILETIME creation{}, exit{}, kernel{}, user{};
        if (::GetProcessTimes(::GetCurrentProcess(), &creation, &exit, &kernel, &user))
            return Ticks(creation);
        FILETIME now{};
        ::GetSystemTimePreciseAsFileTime(&now);
        return Ticks(now);
    }();
    FILETIME now{};
    ::GetSystemTimePreciseAsFileTime(&now);
    const double ms = static_cast<double>(static_cast<long long>(Ticks(now) - created)) / 10000.0;
    // Opened once and kept: the first open of a file costs enough under Wine to blur the stages after it.
    static const winkit::ScopedFile file(::CreateFileW(LogFile().c_str(), FILE_APPEND_DATA,
                                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    char line[160];
    const int length = std::snprintf(line, sizeof line, "%9.1f ms  %s\r\n", ms, stage);
    if (length <= 0)
        return;
    DWORD written = 0;
    const DWORD size = std::min(static_cast<DWORD>(length), static_cast<DWORD>(sizeof line - 1));
    ::WriteFile(file.get(), line, size, &written, nullptr);
}

} // namespace quillet
