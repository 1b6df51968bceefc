#pragma once
// Picture clips on disk: saved as 24-bit Windows bitmap files, read back from any bitmap file the
// system loader understands.
#include <windows.h>

#include <string>

namespace quillet {

bool SaveBitmapFile(HBITMAP picture, const std::wstring& path);
// The picture as a DIB section the caller owns; null when the file holds no readable bitmap.
HBITMAP LoadBitmapFile(const std::wstring& path);

} // namespace quillet
