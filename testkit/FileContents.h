#pragma once
// Whole-file reads and writes for tests that check a program's files byte for byte.
#include <string>
#include <vector>

namespace testkit {

// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
// Replaces the file's content; false when it cannot be written.
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
// The lines of CR LF text, without their line ends.
std::vector<std::string> CrLfLines(const std::string& text);

} // namespace testkit
