#pragma once
// Packing a work folder into a project file and unpacking one into a work folder.
#include "core/QlContainer.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

struct ProjectEntry {
    std::string name; // ANSI, as stored
    std::vector<std::uint8_t> data;
};

// Writes `entries` as the project file `target`, in the given order. The target is replaced only once
// the new file is complete and flushed: a failure leaves the old project as it was and shows "Error
// while saving project.". False on failure.
bool WriteProjectFile(const std::vector<ProjectEntry>& entries, const std::wstring& target);

// The entries of a project file, read into memory at once.
class ProjectEntries {
public:
    ProjectEntries() = default;
    // The entries point into the held bytes.
    ProjectEntries(const ProjectEntries&) = delete;
    ProjectEntries& operator=(const ProjectEntries&) = delete;

    // Reads `file`. A file that cannot be read or is damaged shows "Error while loading project. Do you
    // have got enough hard-disk space and memory?"; the entries before the damage stay readable.
    // Returns the declared entry count, or -1 on failure.
    int Read(const std::wstring& file);
    // The entry named `name` (compared as the file system compares names: without regard to case; the
    // last one when a name repeats, as unpacking would have left it); null when there is none.
    const core::ContainerEntryView* Find(std::string_view name) const;

private:
    std::vector<std::uint8_t> bytes_;
    std::vector<core::ContainerEntryView> entries_;
};

// Packs the plain files of `folder` matching `pattern` into `target`, in listing order. The target is
// replaced only once the new file is complete: a failure leaves the old project as it was and shows
// "Error while saving project.". Returns the number of entries, or -1 on failure.
int PackFolder(const std::wstring& folder, const std::wstring& target, const std::wstring& pattern);

// Unpacks `file` into `folder`. Names that are not plain file names are never written; a damaged file
// stops the unpack with "Error while loading project. Do you have got enough hard-disk space and
// memory?" and keeps what was written before. Returns the declared entry count, or -1 on failure.
int UnpackFolder(const std::wstring& file, const std::wstring& folder);

// True when the file can be opened for reading.
bool FileExists(const std::wstring& path);
// True when the path names a folder.
bool FolderExists(const std::wstring& path);

} // namespace quillet
