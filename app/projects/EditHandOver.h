#pragma once
// The values the main clip window hands to the clip editor and takes back from it (EditSlot and the
// rest), and the seam through which the editor is shown once it exists.
#include "winkit/Scoped.h"

#include <windows.h>

#include <functional>
#include <string>

namespace quillet {

extern int EditSlot;
extern std::wstring EditName;
extern std::wstring EditData;
extern bool EditIsSimple;
extern bool EditIsRTF;
extern bool EditIsImage;
extern bool EditorOpen;
// The open clip editor's window, set by the editor while it is open.
extern HWND EditorWindow;
// The picture going to and coming from the editor.
extern winkit::ScopedGdiObject TPicture;

// Shows the clip editor (modeless) for EditSlot; filled in by the editor when it loads. While it is not
// set, configuring a clip only prepares the values above.
std::function<void()>& ShowClipEditorHook();

} // namespace quillet
