#pragma once
// The screen's font names for the clip editor's font box.
#include <cstddef>
#include <string>
#include <vector>

namespace quillet {

// Each family once, sorted without regard to case, without the sideways "@" faces, at most `limit` names.
std::vector<std::wstring> ScreenFonts(std::size_t limit);

} // namespace quillet
