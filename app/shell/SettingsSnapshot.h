#pragma once
// SettingsSnapshot: while one lives, reads of the settings file are answered from one reading of the
// file instead of the system's INI services, which open and parse the file again for every key (start-up
// reads well over a hundred keys). The snapshot follows the program's own writes, and the file is read
// again whenever its size or time of change differ from when it was read.
#include <optional>
#include <string>

namespace quillet {

class SettingsSnapshot {
public:
    SettingsSnapshot();
    ~SettingsSnapshot();
    SettingsSnapshot(const SettingsSnapshot&) = delete;
    SettingsSnapshot& operator=(const SettingsSnapshot&) = delete;
};

// The key's text as ReadSetting gives it, from the snapshot; nothing when no snapshot lives or the file
// could not be taken in (the caller then asks the system).
std::optional<std::wstring> SnapshotSetting(const std::wstring& section, const std::wstring& key);
// The settings file was written: the next read takes the file in again.
void RefreshSettingsSnapshot();

} // namespace quillet
