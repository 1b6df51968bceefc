#include "app/projects/modQuillet.h"

#include "app/projects/ProjectCommands.h"
#include "app/projects/ProjectContainer.h"
#include "app/projects/ProjectFile.h"
#include "app/shell/Messages.h"
#include "app/shell/modSettings.h"

#include <stdexcept>

namespace quillet {

namespace {

const wchar_t kSection[] = L"Quillet";

std::array<RecentEntry, kRecentCount>& Shown() {
    static std::array<RecentEntry, kRecentCount> shown;
    return shown;
}

std::wstring NameKey(int k) { return L"RecentProject" + std::to_wstring(k) + L"Name"; }
std::wstring PathKey(int k) { return L"RecentProject" + std::to_wstring(k) + L"Path"; }

RecentEntry ReadEntry(int k) { return {ReadSetting(kSection, NameKey(k)), ReadSetting(kSection, PathKey(k))}; }

// A write the settings file refused stops the operation; what was written before stays.
void WriteEntry(int k, const RecentEntry& entry) {
    if (!WriteSetting(kSection, NameKey(k), entry.name) || !WriteSetting(kSection, PathKey(k), entry.path))
        throw std::runtime_error("settings not written");
}

void CleanStoredList() {
    std::array<RecentEntry, kRecentCount> entries;
    for (int k = 1; k <= kRecentCount; ++k) {
        entries[static_cast<std::size_t>(k - 1)] = ReadEntry(k);
        RecentEntry& e = entries[static_cast<std::size_t>(k - 1)];
        if (!e.name.empty() && !FileExists(e.path + e.name)) {
            e = {};
            WriteEntry(k, e);
        } else if (e.name.empty() && !e.path.empty()) {
            e = {};
            WriteEntry(k, e);
        }
    }
    // Close the gaps: the entries that are left move up in their order.
    int next = 1;
    for (int k = 1; k <= kRecentCount; ++k) {
        const RecentEntry& e = entries[static_cast<std::size_t>(k - 1)];
        if (e.name.empty())
            continue;
        if (k != next) {
            WriteEntry(next, e);
            WriteEntry(k, {});
        }
        ++next;
    }
}

} // namespace

const std::array<RecentEntry, kRecentCount>& ShownRecentEntries() { return Shown(); }

void LoadRecentList(RecentListView& view) {
    try {
        CleanStoredList();
        for (int k = 1; k <= kRecentCount; ++k) {
            RecentEntry entry = ReadEntry(k);
            if (entry.name.empty())
                entry = {};
            Shown()[static_cast<std::size_t>(k - 1)] = entry;
            view.ShowRecentEntry(k, entry);
        }
    } catch (const std::exception&) {
        ShowError(L"An error has occured while loading recent projects list.");
    }
}

void AddRecent(const std::wstring& name, const std::wstring& path, RecentListView& view) {
    try {
        int found = 0;
        for (int k = 1; k <= kRecentCount && !found; ++k) {
            const RecentEntry e = ReadEntry(k);
            if (e.name == name && e.path == path)
                found = k;
        }
        // Entries above the found one (or all but the last) move one place down.
        const int last = found ? found : kRecentCount;
        for (int k = last - 1; k >= 1; --k)
            WriteEntry(k + 1, ReadEntry(k));
        WriteEntry(1, {name, path});
    } catch (const std::exception&) {
        ShowError(L"An error has occured while adding this project to recent projects list.");
        return;
    }
    LoadRecentList(view);
}

void OpenRecent(int k, ClipProject& project, ProjectView& projectView, RecentListView& view) {
    if (k < 1 || k > kRecentCount)
        return;
    if (!CheckChanges(project, projectView))
        return;
    const RecentEntry entry = Shown()[static_cast<std::size_t>(k - 1)];
    if (!entry.name.empty() && FileExists(entry.path + entry.name)) {
        project.ProjectName = entry.name;
        project.ProjectPath = entry.path;
        LoadProject(project, projectView, project.ProjectPath + project.ProjectName);
        return;
    }
    ShowError(L"Sorry, this project were deleted.");
    LoadRecentList(view);
}

} // namespace quillet
