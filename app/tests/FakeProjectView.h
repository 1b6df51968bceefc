#pragma once
// A stand-in for the main clip window: records what the project operations asked it to show.
#include "app/projects/ClipProject.h"

#include <string>
#include <utility>
#include <vector>

struct FakeProjectView : quillet::ProjectView {
    std::vector<std::wstring> statuses;
    int busy = 0;
    int focused = 0;
    int firstRowClicks = 0;
    int recentReloads = 0;
    std::vector<std::pair<std::wstring, std::wstring>> recentAdded;
    std::wstring defaultTip;

    void ShowStatus(const std::wstring& text) override { statuses.push_back(text); }
    void SetBusy(bool b) override { busy = b ? 1 : 0; }
    void FocusFirstRow() override { ++focused; }
    void RefreshRows() override {}
    HWND DialogOwner() override { return nullptr; }
    void ClickFirstRow() override { ++firstRowClicks; }
    void AddRecent(const std::wstring& name, const std::wstring& path) override { recentAdded.emplace_back(name, path); }
    void LoadRecentList() override { ++recentReloads; }
    void SetDefaultProjectTip(const std::wstring& name) override { defaultTip = name; }
};
