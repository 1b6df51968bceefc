#pragma once
// The project commands of the main clip window's menu and toolbar, and the start-up project choice.
#include "app/projects/ClipProject.h"

#include <string>

namespace quillet {

// Offers to save unsaved changes (Yes saves, No goes on; there is no cancel).
void CheckChanges(ClipProject& project, ProjectView& view);
// Empties the project; writes nothing. The caller names it.
void MakeNewProject(ClipProject& project, ProjectView& view);
// Asks, deletes the file and starts a new project.
void DeleteProject(ClipProject& project, ProjectView& view, const std::wstring& path);
// Opens the start-up project: the default one from the settings, else projects\default.ql, else a new one.
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
