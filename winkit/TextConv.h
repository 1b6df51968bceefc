#pragma once
// The one place where text changes encoding. Inside, everything is UTF-16 (std::wstring); the ANSI code
// page is used only where a stored format demands it, UTF-8 for test output and logs.
#include <string>
#include <string_view>

namespace winkit {

std::wstring FromAnsi(std::string_view ansi);
std::string ToAnsi(std::wstring_view wide);
std::wstring FromUtf8(std::string_view utf8);
std::string ToUtf8(std::wstring_view wide);

} // namespace winkit
