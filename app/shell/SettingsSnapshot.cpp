#include "app/shell/SettingsSnapshot.h"

#include "app/shell/modInitialization.h"
#include "core/IniText.h"
#include "winkit/Scoped.h"
#include "winkit/TextConv.h"

#include <windows.h>

#include <memory>

namespace quillet {

namespace {

int depth = 0;
std::unique_ptr<core::IniText> snapshot;
// The file's size and time of its last change when it was read: a file changed or gone since (a user may
// delete it while a message waits) is read again, or left to the system.
bool taken = false;
WIN32_FILE_ATTRIBUTE_DATA takenStamp{};

bool SameStamp(const WIN32_FILE_ATTRIBUTE_DATA& a, const WIN32_FILE_ATTRIBUTE_DATA& b) {
    return a.nFileSizeLow == b.nFileSizeLow && a.nFileSizeHigh == b.nFileSizeHigh &&
           ::CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0;
}

// The settings file as the system's INI services would read it; nothing when it cannot be read or is not
// in the ANSI code page (a byte-order mark), which only the system reads right.
std::unique_ptr<core::IniText> ReadSettingsFile() {
    winkit::ScopedFile file(::CreateFileW(SettingsFile.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > (1 << 24))
        return nullptr;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        return nullptr;
    const auto starts = [&](const char* mark) { return bytes.rfind(mark, 0) == 0; };
    if (starts("\xFF\xFE") || starts("\xFE\xFF") || starts("\xEF\xBB\xBF"))
        return nullptr;
    return std::make_unique<core::IniText>(winkit::FromAnsi(bytes));
}

} // namespace

SettingsSnapshot::SettingsSnapshot() { ++depth; }

SettingsSnapshot::~SettingsSnapshot() {
    if (--depth == 0)
        RefreshSettingsSnapshot();
}

std::optional<std::wstring> SnapshotSetting(const std::wstring& section, const std::wstring& key) {
    if (depth == 0 || SettingsFile.empty())
        return std::nullopt;
    // Asking for the file's stamp costs the system no opening of the file.
    WIN32_FILE_ATTRIBUTE_DATA stamp{};
    if (!::GetFileAttributesExW(SettingsFile.c_str(), GetFileExInfoStandard, &stamp) ||
        (stamp.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        RefreshSettingsSnapshot();
        return std::nullopt;
    }
    if (!taken || !SameStamp(stamp, takenStamp)) {
        snapshot = ReadSettingsFile();
        taken = true;
        takenStamp = stamp;
    }
    if (!snapshot)
        return std::nullopt;
    return snapshot->Value(section, key);
}

void RefreshSettingsSnapshot() {
    snapshot.reset();
    taken = false;
}

} // namespace quillet
