#pragma once
// Picture files and the clipboard's picture for the clip editor: PNG through the program's own codec,
// everything else (bitmap, GIF, JPEG, icon, metafile) through the system's picture loader.
#include "app/editor/PictureBox.h"

#include <string>

namespace quillet {

// Why a picture did not arrive; the caller says so to the user.
enum class PictureFailure { None, Unreadable, TooLarge };

// The file's picture as a 32-bit DIB section the caller owns, or null with the reason.
HBITMAP LoadPictureWithSystem(const std::wstring& path, PictureFailure& failure);

// A copy of the clipboard's bitmap (CF_BITMAP, or a DIB the system converts) as a 32-bit DIB section,
// or null when the clipboard holds none or it cannot be copied.
HBITMAP ClipboardPicture(PictureFailure& failure);

// A 32-bit DIB section copy of the bitmap; null when it is beyond the program's picture size limit or
// cannot be allocated.
HBITMAP CopyPicture(HBITMAP picture, PictureFailure& failure);

// The picture's size in pixels, 0 x 0 when there is none.
SIZE PictureSize(HBITMAP picture);

// Whether the file name ends in "png" in any letter case.
bool IsPngName(const std::wstring& path);

} // namespace quillet
