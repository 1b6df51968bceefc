#pragma once
// rtOpener: the hidden rich-text box that reads a clip's RTF file, so the stored source is what the
// rich-text control itself makes of the file.
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// The RTF source of the file after a rich-text box loaded it; nothing when it cannot be read.
std::optional<std::string> LoadRtfThroughOpener(const std::wstring& path);
// The same for RTF bytes held in memory (a project entry).
std::optional<std::string> LoadRtfThroughOpener(std::string_view rtf);

} // namespace quillet
