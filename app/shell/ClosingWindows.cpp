#include "app/shell/ClosingWindows.h"

#include "app/editor/frmConfPasteBox.h"
#include "app/menu/frmMain.h"
#include "app/paste/frmProperties.h"
#include "app/projects/frmQuillet.h"
#include "app/shell/frmSettings.h"
#include "app/shell/frmSplash.h"

#include <exception>

namespace quillet {

const std::vector<ClosingWindow>& ClosingWindows() {
    // The about box is modal and ends with its own loop; it has no place here.
    static const std::vector<ClosingWindow> windows = {
        {L"frmSplash", [] { return Splash().hwnd(); }, [] { Splash().Unload(); }, false},
        {L"frmSettings", [] { return SettingsForm().hwnd(); }, [] { SettingsForm().Unload(); }, true},
        // The hidden main form leaves the clipboard viewer chain and releases the library here.
        {L"frmMain", [] { return MainForm().hwnd(); }, [] { MainForm().Unload(); }, false},
        // The clip editor closes without handing back; its effect dialogs and progress window go with it.
        {L"frmConfPasteBox", [] { return ConfPasteBox().hwnd(); }, [] { ConfPasteBox().Destroy(); }, true},
        // The main clip window saves its position and asks about unsaved changes when it unloads.
        {L"frmQuillet", [] { return QuilletWindow().hwnd(); }, [] { QuilletWindow().Unload(); }, true},
        {L"frmProperties", [] { return PropertiesForm().hwnd(); }, [] { PropertiesForm().Unload(); }, true},
    };
    return windows;
}

void HideClosingWindows() {
    if (const HWND main = QuilletWindow().hwnd())
        ::ShowWindow(main, SW_HIDE);
    for (const ClosingWindow& entry : ClosingWindows()) {
        if (!entry.hideFirst)
            continue;
        if (const HWND window = entry.window())
            ::ShowWindow(window, SW_HIDE);
    }
}

void UnloadClosingWindows() {
    for (const ClosingWindow& entry : ClosingWindows()) {
        try {
            entry.unload();
        } catch (const std::exception&) {
            // The program is ending: the next window still goes.
        }
    }
}

} // namespace quillet
