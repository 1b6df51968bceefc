#include "interop/SystemText.h"

#include "core/MachineInfo.h"

#include <shlobj.h>

#include <vector>

namespace syslinkage {
namespace {

// `read` is given the buffer and its size in characters, and answers the size it needs (0 when it
// failed for another reason, or when the answer is in the buffer).
template <typename Read> std::wstring ReadGrowing(DWORD size, Read read) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        // One character beyond the size the service is told keeps a terminator even if it fills it all.
        std::vector<wchar_t> buffer(size + 1, L'\0');
        const DWORD needed = read(buffer.data(), size);
        if (needed <= size)
            return core::BufferText(std::wstring(buffer.data(), buffer.size()));
        size = needed;
    }
    return {};
}

} // namespace

std::wstring UserName() {
    return ReadGrowing(256, [](wchar_t* buffer, DWORD size) -> DWORD {
        DWORD length = size;
        if (::GetUserNameW(buffer, &length))
            return 0;
        return ::GetLastError() == ERROR_INSUFFICIENT_BUFFER && length > size ? length : 0;
    });
}

std::wstring ComputerName() {
    return ReadGrowing(MAX_COMPUTERNAME_LENGTH + 1, [](wchar_t* buffer, DWORD size) -> DWORD {
        DWORD length = size;
        if (::GetComputerNameW(buffer, &length))
            return 0;
        return ::GetLastError() == ERROR_BUFFER_OVERFLOW && length > size ? length : 0;
    });
}

std::wstring CurrentDirectory() {
    return ReadGrowing(MAX_PATH, [](wchar_t* buffer, DWORD size) -> DWORD {
        const DWORD length = ::GetCurrentDirectoryW(size, buffer);
        return length > size ? length : 0;
    });
}

std::wstring FolderPath(int csidl) {
    // The folder service takes a buffer of MAX_PATH characters and no size.
    return ReadGrowing(MAX_PATH, [csidl](wchar_t* buffer, DWORD) -> DWORD {
        ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer);
        return 0;
    });
}

} // namespace syslinkage
