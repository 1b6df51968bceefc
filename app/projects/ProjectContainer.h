#pragma once
// Packing a work folder into a project file and unpacking one into a work folder.
#include <string>

namespace quillet {

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
