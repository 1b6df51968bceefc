#pragma once
// The open project: 30 clip slots and the state of the file they came from. The main clip window owns
// one and binds its rows to the slots; the project operations work on it and tell the window what to
// show through ProjectView.
#include "core/ClipSlot.h"
#include "winkit/Scoped.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

namespace quillet {

// Paste method of each slot, index N-1 (1 Ctrl+V, 2 key by key, 3 Shift+Insert, 4 program-wide).
// Set to 1 at start-up; New and CleanUp leave them alone; loading a project overwrites them.
extern std::array<std::uint8_t, core::kSlotCount> ClipMethods;

struct Clip : core::ClipSlot {
    // The picture of an "IMG" clip (the slot's imgContainer element).
    winkit::ScopedGdiObject picture;
    HBITMAP bitmap() const { return static_cast<HBITMAP>(picture.get()); }
};

// What project operations ask of the window that shows the project.
class ProjectView {
public:
    virtual ~ProjectView() = default;
    // Status panel 2 of the window.
    virtual void ShowStatus(const std::wstring& text) = 0;
    // The hourglass pointer while true.
    virtual void SetBusy(bool busy) = 0;
    // Keyboard focus to row 1 with its whole text selected.
    virtual void FocusFirstRow() = 0;
    // Shows the slots again after the model changed under the rows.
    virtual void RefreshRows() = 0;
    // The window the project dialogs and messages belong to (may be null).
    virtual HWND DialogOwner() = 0;
    // Runs row 1's click handler (status and focus follow the first row).
    virtual void ClickFirstRow() = 0;
    // The recent-projects list: a project to put at its top, or a refresh after files went away.
    virtual void AddRecent(const std::wstring& name, const std::wstring& path) = 0;
    virtual void LoadRecentList() = 0;
    // The tooltip of the toolbar button "Load default project".
    virtual void SetDefaultProjectTip(const std::wstring& name) = 0;
};

class ClipProject {
public:
    // Slots are numbered 1 to 30.
    Clip& slot(int n) { return slots_.at(static_cast<std::size_t>(n - 1)); }
    const Clip& slot(int n) const { return slots_.at(static_cast<std::size_t>(n - 1)); }

    std::wstring ProjectPath;          // folder of the project file, ending in "\"
    std::wstring ProjectName = L"Blank"; // file name; "Blank" until the project is first saved
    bool ProjectChanged = false;

    // Empties all 30 slots: marker text, one-line format, no data, unlocked. Pictures and paste methods
    // stay as they are.
    void CleanUp();
    // Rows with no text show the marker.
    void PlaceEmptyStrings();

private:
    std::array<Clip, core::kSlotCount> slots_;
};

} // namespace quillet
