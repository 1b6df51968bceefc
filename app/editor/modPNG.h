#pragma once
// PNG files for the picture view, which the system picture loader cannot read or write.
#include "app/editor/PictureBox.h"

#include <string>

namespace quillet {

// Reads the file and draws it into the box at (0, 0), the box sized to the picture. False when the file
// cannot be opened or is not a complete PNG within the decoder's limits; the box is then untouched.
bool LoadPNG(const std::wstring& path, PictureBox& pictureBox);

// Writes the box's image as an 8-bit RGB PNG. False when the box is less than a pixel wide or high (no
// file is touched then), or when the file could not be written completely (a partial file is removed).
bool SavePNG(PictureBox& pictureBox, const std::wstring& path);

} // namespace quillet
