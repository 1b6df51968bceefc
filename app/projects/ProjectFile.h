#pragma once
// Saving the open project to a .ql file and loading one into it, through the work folders
// TempFolder\qlsave and TempFolder\qlload that live only for one operation.
#include "app/projects/ClipProject.h"

#include <string>

namespace quillet {

// Writes all 30 slots to the project file. On failure an error message shows and false is returned;
// the file on disk is then the one that was there before.
bool SaveProject(const ClipProject& project, const std::wstring& path);

// Replaces all 30 slots with the file's content. A step that fails is skipped and the load goes on.
// False only when the file does not exist.
bool LoadProject(ClipProject& project, ProjectView& view, const std::wstring& path);

// Deletes a work folder's files and the folder (ending in "\"), ignoring failures.
void KillTempDir(const std::wstring& folder);

} // namespace quillet
