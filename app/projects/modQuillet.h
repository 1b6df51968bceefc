#pragma once
// modQuillet: the five most recently used projects, kept in settings.ini ([Quillet] RecentProject1Name,
// RecentProject1Path, ... entry 1 the newest) and shown as File > Recent Projects and toolbar buttons
// 11 to 15 of the main clip window.
#include "app/projects/ClipProject.h"

#include <array>
#include <string>

namespace quillet {

inline constexpr int kRecentCount = 5;

struct RecentEntry {
    std::wstring name; // file name; empty for an empty entry
    std::wstring path; // folder, ending in "\"
};

// Where the list is shown: menu item k (caption, tag, enabled) and toolbar button 10 + k.
class RecentListView {
public:
    virtual ~RecentListView() = default;
    virtual void ShowRecentEntry(int k, const RecentEntry& entry) = 0;
};

// The entries as last shown, index k - 1.
const std::array<RecentEntry, kRecentCount>& ShownRecentEntries();

// Drops entries whose file is gone, closes the gaps, then shows the five entries.
void LoadRecentList(RecentListView& view);
// Puts a project at the top (moving it up when it is listed already), then LoadRecentList.
void AddRecent(const std::wstring& name, const std::wstring& path, RecentListView& view);
// Opens entry k (1 to 5) as shown; a file deleted meanwhile is reported and drops out.
void OpenRecent(int k, ClipProject& project, ProjectView& projectView, RecentListView& view);

} // namespace quillet
