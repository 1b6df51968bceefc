#pragma once
// frmProgress: the small modeless window shown while a picture effect runs, with its bar (0 to 100)
// and the line lblInfo saying which effect.
#include "winkit/Window.h"

#include <string>

#include <windows.h>

namespace quillet {

class frmProgress final : public winkit::Window {
public:
    static constexpr const wchar_t* kClassName = L"QuilletProgress";

    // Shows the window centred over the owner with the bar at 0 and draws it at once; the window is
    // made on the first call and kept for the next ones.
    bool Load(HWND owner, const std::wstring& info) { return Prepare(owner, info) && Show(); }
    // Load without showing the window: for a caller that shows it only if its work takes a while.
    bool Prepare(HWND owner, const std::wstring& info);
    // Only makes the (hidden) window for the owner, so its bar exists; Prepare places and labels it.
    bool Make(HWND owner);
    // Shows the prepared window and draws it at once.
    bool Show();
    // Hides the window until the next Load.
    void Hide();
    void Unload() { Destroy(); }
    HWND bar() const { return bar_; }
    HWND lblInfo() const { return lblInfo_; }

private:
    HWND bar_ = nullptr;
    HWND lblInfo_ = nullptr;
    HFONT font_ = nullptr;
};

} // namespace quillet
