#pragma once
// The program's windows as ShutDown ends them: every one is hidden first, then each is unloaded in this
// list's order. A window that joins the program joins here with one line.
#include <windows.h>

#include <vector>

namespace quillet {

struct ClosingWindow {
    const wchar_t* name;
    HWND (*window)(); // its window, null when it is not loaded
    void (*unload)();
    bool hideFirst; // hidden at the start of ShutDown (the splash and the hidden main form need not be)
};

// In unload order.
const std::vector<ClosingWindow>& ClosingWindows();

// Hides the windows of the list (the main clip window first, so the user sees the program go at once).
void HideClosingWindows();
// Unloads them in order; a failing one does not keep the rest from unloading.
void UnloadClosingWindows();

} // namespace quillet
