#pragma once
// The full path of a loaded module (nullptr: the program itself), however long it is.
#include <windows.h>

#include <string>

namespace winkit {

// Empty when the path cannot be read.
inline std::wstring ModulePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        // A full buffer means the path was cut: try again with twice the room.
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace winkit
