#pragma once
// Keystrokes written the way the program's paste methods name them: "^" holds Ctrl, "+" Shift and
// "%" Alt for the key that follows, a name in braces is that key ("{INSERT}", "{v}", "{{}"), "~" is
// Enter, and every other character is typed as itself. The sender turns the result into input events.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace core {

// Virtual-key codes of the keys the notation can name (the system's own numbers).
namespace vk {
inline constexpr std::uint16_t Back = 0x08, Tab = 0x09, Return = 0x0D, Shift = 0x10, Control = 0x11, Menu = 0x12,
                               Escape = 0x1B, Space = 0x20, Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24,
                               Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28, Insert = 0x2D, Delete = 0x2E,
                               F1 = 0x70;
} // namespace vk

struct KeyStroke {
    // A named key is pressed by its virtual-key code; a character is typed as that UTF-16 unit.
    std::uint16_t virtualKey = 0;
    wchar_t character = 0;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;

    bool isCharacter() const { return virtualKey == 0; }
    // Keys the system keeps in the extended part of the keyboard (they need the extended flag).
    bool isExtended() const;
    bool operator==(const KeyStroke& other) const;
};

// The strokes of a notation string; nothing when it is malformed (an unclosed or unknown brace
// name, or a modifier with no key after it).
std::optional<std::vector<KeyStroke>> ParseSendKeys(const std::wstring& notation);

// A clip's own text as strokes, character by character, with no notation: a line break (CR LF, a lone
// CR or a lone LF) is one Enter.
std::vector<KeyStroke> TextKeyStrokes(const std::wstring& text);

// "^{v}" and "+{INSERT}": the strokes of paste methods 1 and 3.
inline const std::wstring kCtrlV = L"^{v}";
inline const std::wstring kShiftInsert = L"+{INSERT}";

} // namespace core
