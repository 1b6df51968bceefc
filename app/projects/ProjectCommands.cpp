#include "app/projects/ProjectCommands.h"

#include "app/projects/ProjectContainer.h"
#include "app/projects/ProjectFile.h"
#include "app/shell/Messages.h"
#include "app/shell/modInitialization.h"
#include "app/shell/modSettings.h"

#include <commdlg.h>

#include <optional>
#include <vector>

namespace quillet {
namespace {

const wchar_t kFilter[] = L"Quillet Projects\0*.ql\0";

// The file dialog; nothing when the user cancels.
std::optional<std::wstring> AskForProjectFile(ProjectView& view, const std::wstring& folder, const wchar_t* title,
                                              bool save) {
    std::vector<wchar_t> file(4096, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = view.DialogOwner();
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = title;
    ofn.lpstrDefExt = L"ql";
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    const BOOL chosen = save ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn);
    if (!chosen)
        return std::nullopt;
    return std::wstring(file.data());
}

} // namespace

std::wstring FolderPart(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring FileTitle(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool CheckChanges(ClipProject& project, ProjectView& view) {
    if (!project.ProjectChanged)
        return true;
    if (ShowMessage(L"Warning: You have made unsaved changes in current project. Do you want to save these changes?",
                    L"quest") != IDYES)
        return true;
    SaveProjectCommand(project, view);
    // Still changed: the save was cancelled or failed, and going on would throw away what the user meant to keep.
    return !project.ProjectChanged;
}

void MakeNewProject(ClipProject& project, ProjectView& view) {
    if (!CheckChanges(project, view))
        return;
    project.CleanUp();
    view.RefreshRows();
    view.FocusFirstRow();
    view.ShowStatus(L"New project created.");
    project.ProjectChanged = false;
}

void DeleteProject(ClipProject& project, ProjectView& view, const std::wstring& path) {
    if (ShowMessage(L"Do you really want to delete project " + project.ProjectName + L"?", L"quest") == IDYES) {
        if (!::DeleteFileW(path.c_str())) {
            SetPendingWin32Error(::GetLastError());
            ShowError(L"Unable to delete project.", true);
        } else {
            // The changes went with the deleted project: offering to save them would write the file back.
            project.ProjectChanged = false;
            NewProjectCommand(project, view);
        }
    }
    view.ClickFirstRow();
}

void LoadDefaultProject(ClipProject& project, ProjectView& view) {
    if (!CheckChanges(project, view))
        return;
    project.ProjectChanged = false; // answered: saved, or given up for the default project
    project.ProjectPath = ReadSetting(L"Quillet", L"DefaultProjectPath");
    project.ProjectName = ReadSetting(L"Quillet", L"DefaultProjectName");
    view.SetDefaultProjectTip(project.ProjectName);
    if (!project.ProjectName.empty() && FileExists(project.ProjectPath + project.ProjectName)) {
        LoadProject(project, view, project.ProjectPath + project.ProjectName);
    } else if (FileExists(ProjectsFolder + L"default.ql")) {
        project.ProjectPath = ProjectsFolder;
        project.ProjectName = L"default.ql";
        LoadProject(project, view, project.ProjectPath + project.ProjectName);
    } else {
        project.ProjectPath = ProjectsFolder;
        project.ProjectName = L"default.ql";
        MakeNewProject(project, view);
        // No file yet: listing it would only push the oldest real project out of the list.
        return;
    }
    view.AddRecent(project.ProjectName, project.ProjectPath);
}

void NewProjectCommand(ClipProject& project, ProjectView& view) {
    if (!CheckChanges(project, view))
        return;
    project.ProjectName = L"Blank";
    project.CleanUp();
    project.ProjectChanged = false;
    view.RefreshRows();
    view.LoadRecentList();
    view.ClickFirstRow();
}

void LoadProjectCommand(ClipProject& project, ProjectView& view) {
    std::optional<std::wstring> chosen;
    for (;;) {
        chosen = AskForProjectFile(view, project.ProjectPath, L"Load Quillet Project", false);
        if (!chosen)
            return;
        if (FileExists(*chosen))
            break;
        ShowMessage(L"The specified file does not exists.", L"excl");
    }
    if (!CheckChanges(project, view))
        return;
    project.ProjectPath = FolderPart(*chosen);
    if (!LoadProject(project, view, *chosen))
        return;
    project.ProjectName = FileTitle(*chosen);
    view.SetBusy(false);
    view.ClickFirstRow();
    view.AddRecent(project.ProjectName, project.ProjectPath);
    project.ProjectChanged = false;
}

void SaveProjectCommand(ClipProject& project, ProjectView& view) {
    if (project.ProjectName == L"Blank") {
        SaveProjectAsCommand(project, view);
        return;
    }
    view.SetBusy(true);
    view.ShowStatus(L"Please wait...");
    const bool saved = SaveProject(project, project.ProjectPath + project.ProjectName);
    view.SetBusy(false);
    if (!saved) {
        view.ShowStatus(L"Ready");
        return; // the project stays unsaved: the change mark must not lie
    }
    view.ShowStatus(L"Project has been saved");
    project.ProjectChanged = false;
}

void SaveProjectAsCommand(ClipProject& project, ProjectView& view) {
    const std::optional<std::wstring> chosen =
        AskForProjectFile(view, project.ProjectPath, L"Save Quillet Project", true);
    if (!chosen) {
        view.SetBusy(false);
        return;
    }
    // The old file is only replaced once the new one is complete, so it is not deleted up front.
    if (FileExists(*chosen) &&
        ShowMessage(L"Do you want overwrite " + FileTitle(*chosen) + L"?", L"quest") != IDYES)
        return;
    view.SetBusy(true);
    view.ShowStatus(L"Please wait...");
    const bool saved = SaveProject(project, *chosen);
    view.SetBusy(false);
    if (!saved) {
        view.ShowStatus(L"Ready");
        return;
    }
    project.ProjectPath = FolderPart(*chosen);
    view.ShowStatus(L"Project saved");
    project.ProjectName = FileTitle(*chosen);
    project.ProjectChanged = false;
    view.AddRecent(project.ProjectName, project.ProjectPath);
}

void DeleteProjectCommand(ClipProject& project, ProjectView& view) {
    if (project.ProjectName == L"Blank") {
        ShowMessage(L"You can't delete unsaved project. If you want a new project, use New Project menu item.",
                    L"excl");
    } else if (FileExists(project.ProjectPath + project.ProjectName)) {
        DeleteProject(project, view, project.ProjectPath + project.ProjectName);
        view.LoadRecentList();
    } else {
        ShowError(L"Unable to delete project. Did you saved it? If you want blank project, just create new.", true);
    }
}

void MakeDefaultCommand(ClipProject& project, ProjectView& view) {
    if (ShowMessage(L"Do you really want to make this project default?\r\n\r\nNext time when you start Quillet, this "
                    L"project will be loaded.",
                    L"quest") != IDYES)
        return;
    WriteSetting(L"Quillet", L"DefaultProjectName", project.ProjectName);
    WriteSetting(L"Quillet", L"DefaultProjectPath", project.ProjectPath);
    view.SetDefaultProjectTip(project.ProjectName);
    view.FocusFirstRow();
}

} // namespace quillet
