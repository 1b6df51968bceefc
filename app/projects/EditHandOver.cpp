#include "app/projects/EditHandOver.h"

namespace quillet {

int EditSlot = 0;
std::wstring EditName;
std::wstring EditData;
bool EditIsSimple = false;
bool EditIsRTF = false;
bool EditIsImage = false;
bool EditorOpen = false;
HWND EditorWindow = nullptr;
winkit::ScopedGdiObject TPicture;

std::function<void()>& ShowClipEditorHook() {
    static std::function<void()> hook;
    return hook;
}

} // namespace quillet
