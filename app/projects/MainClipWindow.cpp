#include "app/projects/MainClipWindow.h"

#include "app/shell/modSettings.h"
#include "core/SettingValue.h"

namespace quillet {

ClipProject& OpenProject() {
    static ClipProject project;
    return project;
}

bool IsClipEmpty(int n) {
    return core::IsEmptyClipText(OpenProject().slot(n).text);
}

MainClipWindowLinks& MainClipWindowHooks() {
    static MainClipWindowLinks links;
    return links;
}

void RestoreMainWindowTopmost() {
    if (core::IsFlagOn(ReadSetting(L"Quillet", L"QLAlwaysOnTop")) && MainClipWindowHooks().setTopmost)
        MainClipWindowHooks().setTopmost(true);
}

ProgramMenuLinks& ProgramMenuHooks() {
    static ProgramMenuLinks links;
    return links;
}

} // namespace quillet
