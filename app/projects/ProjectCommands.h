#pragma once
// The project commands of the main clip window's menu and toolbar, and the start-up project choice.
#include "app/projects/ClipProject.h"

#include <string>

namespace quillet {

// Offers to save unsaved changes (Yes saves, No goes on). False when the user asked to save but the project
// was not saved (the file dialog cancelled, the save failed): the command that asked then keeps the project.
bool CheckChanges(ClipProject& project, ProjectView& view);
// Empties the project; writes nothing. The caller names it.
void MakeNewProject(ClipProject& project, ProjectView& view);
// Asks, deletes the file and starts a new project.
void DeleteProject(ClipProject& project, ProjectView& view, const std::wstring& path);
// Opens the start-up project: the default one from the settings, else projects\default.ql, else a new one.
// Also the toolbar's "Load default project", so unsaved changes are offered for saving first.
void LoadDefaultProject(ClipProject& project, ProjectView& view);

void NewProjectCommand(ClipProject& project, ProjectView& view);
void LoadProjectCommand(ClipProject& project, ProjectView& view);
void SaveProjectCommand(ClipProject& project, ProjectView& view);
void SaveProjectAsCommand(ClipProject& project, ProjectView& view);
void DeleteProjectCommand(ClipProject& project, ProjectView& view);
void MakeDefaultCommand(ClipProject& project, ProjectView& view);

// "C:\a\b.ql" -> "C:\a\" and "b.ql".
std::wstring FolderPart(const std::wstring& path);
std::wstring FileTitle(const std::wstring& path);

} // namespace quillet
