#include "app/projects/MainClipWindow.h"

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

ProgramMenuLinks& ProgramMenuHooks() {
    static ProgramMenuLinks links;
    return links;
}

} // namespace quillet
