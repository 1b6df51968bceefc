#pragma once
// Clip files of the editor: reading a text or RTF file whole, and writing one so that a failed write
// never costs the user the file that was there.
#include <windows.h>

#include <optional>
#include <string>

namespace quillet {

// The file's bytes; nothing when it cannot be read (the pending error then says why).
std::optional<std::string> ReadClipFile(const std::wstring& path);
// A text file's characters: UTF-16 and UTF-8 files by their byte-order mark, every other file in the
// ANSI code page, as the program writes them. Nothing is added or removed.
std::wstring DecodeTextFile(const std::string& bytes);
// Plain text in the ANSI code page when every character fits it, else UTF-8 with its byte-order mark, so
// no character is lost.
std::string EncodeTextFile(const std::wstring& text);
// Writes `bytes` beside `path` and moves them over it once complete. False (the pending error set, the
// old file untouched) when that fails.
bool WriteClipFile(const std::wstring& path, const std::string& bytes);

} // namespace quillet
