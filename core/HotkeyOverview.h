#pragma once
// The lines of the exported hotkey overview page, and the text a clip hotkey is shown as.
#include "core/HotkeyRules.h"

#include <array>
#include <string>
#include <vector>

namespace core {

// Modifier prefix by mask and the character whose code is the key code; empty for no hotkey.
std::wstring HotkeyText(int mask, int key);

// Replaces &, <, > and " by their entities, so a clip's text shows as typed in the page.
std::wstring HtmlEscaped(const std::wstring& text);

inline constexpr std::size_t kOverviewNameLength = 50;

// The page line by line (without line ends): header, one three-line row per non-empty slot (first 50
// characters of its display text), or the "just empty clips" row, then the stamp line and the end.
// `generated` is the short time, a blank and the short date.
std::vector<std::wstring> OverviewLines(const std::wstring& projectName,
                                        const std::array<std::wstring, kSlotCount>& displayTexts,
                                        const std::array<ClipHotkey, kSlotCount>& hotkeys,
                                        const std::wstring& generated);

// The lines joined, each ended by CR LF.
std::wstring OverviewPage(const std::vector<std::wstring>& lines);

} // namespace core
