#pragma once
// The clip editor's rules that need no window: the name and flags a clip is handed back with, the font
// size box, the status-bar texts and the window's minimum size and layout.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// The editor's modes ("txt", "rtf", "img"); any other text is no mode.
inline constexpr std::wstring_view kModeTxt = L"txt";
inline constexpr std::wstring_view kModeRtf = L"rtf";
inline constexpr std::wstring_view kModeImg = L"img";

// What StoreAndClose hands to the main clip window besides the data.
struct HandBackName {
    std::wstring name;     // EditName: the row text
    bool isSimple = false; // EditIsSimple: a one-line text that becomes "TXT-SIMPLE"
};

// The row text of a clip handed back from `mode`. `text` is the plain text of the mode's box with CR LF line
// breaks; `customChosen` and `customName` are the custom-name option and box; `slot` is 1 to 30. Rich-text
// and picture names carry their "(RTF) " / "(IMG) " prefix and are cut to 94 characters.
HandBackName ClipNameFor(std::wstring_view mode, std::wstring_view text, bool customChosen,
                         std::wstring_view customName, int slot);

// The custom name the editor shows for a stored row text: rich text and pictures drop their prefix.
std::wstring CustomNameFromRow(std::wstring_view rowText, std::wstring_view format);

// The font size the size box stands for: 0, an empty or non-numeric text and anything above 64 give 64,
// anything else is rounded to a whole size (a size that rounds below 1 gives 64 as well).
int FontSizeFromBox(std::wstring_view text);

// A character count in the pattern "###,###": digits grouped by threes with `groupSeparator`, 0 as empty.
std::wstring FormatCount(std::size_t count, std::wstring_view groupSeparator);

// Status panel 2 right after opening (`count` formatted by FormatCount).
std::wstring CharsPanelAfterOpen(std::wstring_view mode, std::wstring_view count);
// Status panel 2 after every change of the text.
std::wstring CharsPanelAfterEdit(std::wstring_view mode, std::wstring_view count);
// Status panels 3 and 4 in the text modes; `line` counts from 1.
std::wstring CurrentLinePanel(long line);
std::wstring TotalLinesPanel(long lines);
// Status panel 2 in picture mode, from the picture box's outer size in twips.
std::wstring ImageSizePanel(long widthTwips, long heightTwips);

// Whether `toolbar2` button `index` (1-33) shows in `mode`; nothing when the mode leaves it as it was.
std::optional<bool> Toolbar2ButtonShown(std::wstring_view mode, int index);

// RepaintForm's arithmetic, in twips. The window springs back to the minimum size; the mode's box, the
// custom-name option and box and the other option are placed from the (corrected) window size.
inline constexpr long kEditorMinWidth = 8010;
inline constexpr long kEditorMinHeight = 4755;
struct EditorLayout {
    long windowWidth = 0, windowHeight = 0; // after the minimum-size rule
    long boxWidth = 0, boxHeight = 0;       // txtClipTXT, txtClipRTF or fraImg
    long optCusNameTop = 0, txtCustomNameTop = 0, optNonCusNameTop = 0;
};
EditorLayout LayoutEditor(std::wstring_view mode, long windowWidth, long windowHeight);

} // namespace core
