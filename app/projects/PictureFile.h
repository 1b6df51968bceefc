#pragma once
// Picture clips on disk: saved as 24-bit Windows bitmap files, read back from any bitmap file the
// system loader understands.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillet {

// The picture as a complete 24-bit bitmap file; nothing when it cannot be read.
std::optional<std::vector<std::uint8_t>> EncodeBitmapFile(HBITMAP picture);
bool SaveBitmapFile(HBITMAP picture, const std::wstring& path);
// The picture as a DIB section the caller owns; null when the file holds no readable bitmap.
HBITMAP LoadBitmapFile(const std::wstring& path);
// The same for a bitmap file held in memory (a project entry).
HBITMAP BitmapFromFileBytes(const std::uint8_t* bytes, std::size_t size);

} // namespace quillet
