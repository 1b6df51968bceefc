#pragma once
// One of the project's 30 clip slots, and the text rules of how a slot is stored in a project file.
#include <cstdint>
#include <string>

namespace core {

inline constexpr int kSlotCount = 30;

// Format tags, as stored in the index.
inline const std::wstring kFormatRtf = L"RTF";
inline const std::wstring kFormatImg = L"IMG";
inline const std::wstring kFormatTxtSimple = L"TXT-SIMPLE";
inline const std::wstring kFormatTxtLong = L"TXT-LONG";

// What an empty row shows: "Empty" and six no-break spaces, so it can never be a clip the user typed.
inline const std::wstring EmptyClipMarker = L"Empty\u00A0\u00A0\u00A0\u00A0\u00A0\u00A0";

struct ClipSlot {
    std::wstring format = kFormatTxtSimple;
    // For one-line text the clip itself; for the other formats the clip's name.
    std::wstring text;
    // Rich text source or multi-line text (lines separated by CR LF); empty for the other formats.
    std::wstring data;
    // Rows of named clips cannot be typed over.
    bool locked = false;
};

// A slot counts as empty when its row shows nothing or the marker.
bool IsEmptyClipText(const std::wstring& text);

// "[Clip" N "]", "Format = ", "Name = ", "Method = ", each line ended by CR LF. An empty slot is
// written as one-line text with the marker as its name.
std::wstring IndexLines(int slot, const ClipSlot& clip, std::uint8_t method);

// The data file's text: the clip text (one-line) or its data (the rest), then CR LF.
std::wstring DataFileText(const ClipSlot& clip);
std::string DataFileName(int slot);

// Reading a data file back: a one-line clip keeps only the first line; a multi-line clip joins all lines
// with CR LF, without a break after the last one (so leading empty lines do not survive).
// Lines end at CR LF or at a lone CR.
std::wstring FirstLine(const std::wstring& fileText);
std::wstring JoinedLines(const std::wstring& fileText);

// The format tag as read from an index: upper case of the stored value (ASCII letters only).
std::wstring NormalizedFormat(const std::wstring& stored);

} // namespace core
