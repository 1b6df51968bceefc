#pragma once
// The main clip window's own pictures, drawn in code: toolbar and File menu images and the faces of the
// row buttons. Nothing is loaded from files, so the pictures follow the system colours they sit on.
#include <windows.h>
#include <commctrl.h>

namespace quillet {

// Images of the toolbar image list and of the File menu, by index.
enum class Picture : int {
    NewProject = 0,
    OpenProject,
    SaveProject,
    SaveProjectAs,
    DeleteProject,
    MakeDefault,
    DefaultProject,
    PasteDown,
    PasteUp,
    PinUp,   // "Always on top" off
    PinDown, // "Always on top" on
    Recent1, // Recent1 + k - 1: recent entry k (a page with its number)
    Recent2,
    Recent3,
    Recent4,
    Recent5,
    ExportHotkeys,
    HideWindow,
    ExitProgram,
    Count
};

inline constexpr int kPictureSize = 16;

// Draws one picture into the 16 x 16 square at (x, y).
void DrawPicture(HDC dc, Picture picture, int x, int y);

// A new image list of every Picture, in index order; the caller destroys it.
HIMAGELIST MakeToolbarImages();
// One picture on the menu's background colour, for a menu item; the caller deletes it.
HBITMAP MakeMenuPicture(Picture picture);

// The faces of the row buttons and the "Activate window" button.
enum class ButtonFace { Copy, Configure, Properties, Activate };
// Draws a row button: a face on the panel colour, sunk while pressed, greyed while disabled.
void DrawButtonFace(HDC dc, const RECT& bounds, ButtonFace face, bool pressed, bool disabled, COLORREF background);

} // namespace quillet
