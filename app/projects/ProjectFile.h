#pragma once
// Saving the open project to a .ql file and loading one into it; the file's entries are built and
// read in memory.
#include "app/projects/ClipProject.h"

#include <string>

namespace quillet {

// Writes all 30 slots to the project file. On failure an error message shows and false is returned;
// the file on disk is then the one that was there before.
bool SaveProject(const ClipProject& project, const std::wstring& path);

// Replaces all 30 slots with the file's content. A step that fails is skipped and the load goes on.
// False only when the file does not exist.
bool LoadProject(ClipProject& project, ProjectView& view, const std::wstring& path);

} // namespace quillet
