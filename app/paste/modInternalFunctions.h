#pragma once
// modInternalFunctions: the recent foreign windows the program pastes into, bringing the newest of them
// back to the front, and the paste step that follows putting a clip on the clipboard.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace quillet {

// The three most recent foreign top-level windows that were in front, newest first (null: none), whether
// each was maximised, and the title (at most 50 characters) of the newest.
extern std::array<HWND, 3> lastWindows;
extern std::array<bool, 3> lastWindowMaximized;
extern std::wstring lastWindowTitle;
inline constexpr int kLastWindowTitleLength = 50;
// The clip (1 to 30) copied last; 0 before the first copy.
extern std::uint8_t lastCopiedClip;

// How long activation waits for one recorded window to really be in front before it tries the next.
inline constexpr DWORD kActivateWaitMs = 500;
// How often the request for the front is repeated while waiting for it; the wait itself wakes on every
// change of the window in front.
inline constexpr DWORD kActivateRetryMs = 50;
// The longest the wait goes without looking, should a change come without its event.
inline constexpr DWORD kActivateLookMs = 10;

// The program's own forms never become paste targets; each form registers its window when it loads.
void RegisterOwnForm(HWND form);
void UnregisterOwnForm(HWND form);
bool IsOwnWindow(HWND window);

// Start-up: the window in front now is the first target; the other entries are empty.
void InitLastWindows();
// One look at the foreground window (the tracker's tick): a foreign window that is not the taskbar
// moves to the top of the list.
void TrackForegroundWindow(HWND foreground);

// Brings the newest entry that still exists and comes to the front back (maximised again if it was),
// waiting for each until it is the foreground window. False when none of the three did in time.
bool ActivateLastWindow();
// The window ActivateLastWindow brought to the front last.
HWND ActivatedWindow();

// What the paste step needs of the main clip window.
struct PasteHost {
    std::function<bool()> autoPasteChecked;                // mnuAutoPaste
    std::function<void(const std::wstring&)> showStatus;   // status panel 2
    std::function<HWND()> mainWindow;                      // brought to the top for the key-by-key message
};
PasteHost& PasteHooks();

struct PasteRequest {
    int clip = 0;
    std::wstring format; // format tag of the slot
    std::uint8_t method = 1;
    std::wstring text;   // the one-line text or the long text
};

// The paste step after a clip was put on the clipboard: with auto paste on, activates the last window
// and sends the keystrokes of the clip's effective method.
void PasteIntoLastWindow(const PasteRequest& clip);

// The paste method a clip's byte stands for: 4 follows the program-wide PasteMethod.
int EffectivePasteMethod(std::uint8_t clipMethod);

} // namespace quillet
