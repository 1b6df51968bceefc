#include "core/SendKeys.h"

#include <cwctype>

namespace core {

namespace {

struct NamedKey {
    const wchar_t* name;
    std::uint16_t code;
};

const NamedKey kNamedKeys[] = {
    {L"BACKSPACE", vk::Back}, {L"BS", vk::Back},        {L"BKSP", vk::Back},       {L"TAB", vk::Tab},
    {L"ENTER", vk::Return},   {L"ESC", vk::Escape},     {L"ESCAPE", vk::Escape},   {L"PGUP", vk::Prior},
    {L"PGDN", vk::Next},      {L"END", vk::End},        {L"HOME", vk::Home},       {L"LEFT", vk::Left},
    {L"UP", vk::Up},          {L"RIGHT", vk::Right},    {L"DOWN", vk::Down},       {L"INSERT", vk::Insert},
    {L"INS", vk::Insert},     {L"DELETE", vk::Delete},  {L"DEL", vk::Delete},
};

std::wstring Upper(const std::wstring& s) {
    std::wstring out = s;
    for (wchar_t& c : out)
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    return out;
}

// A name in braces: a single character is that character (so "{v}", "{+}", "{{}"), else a key name
// or F1 to F16.
std::optional<KeyStroke> BraceKey(const std::wstring& name) {
    KeyStroke key;
    if (name.size() == 1) {
        key.character = name[0];
        return key;
    }
    const std::wstring upper = Upper(name);
    for (const NamedKey& named : kNamedKeys) {
        if (upper == named.name) {
            key.virtualKey = named.code;
            return key;
        }
    }
    if (upper.size() >= 2 && upper.size() <= 3 && upper[0] == L'F') {
        int n = 0;
        for (std::size_t i = 1; i < upper.size(); ++i) {
            if (upper[i] < L'0' || upper[i] > L'9')
                return std::nullopt;
            n = n * 10 + (upper[i] - L'0');
        }
        if (n >= 1 && n <= 16) {
            key.virtualKey = static_cast<std::uint16_t>(vk::F1 + n - 1);
            return key;
        }
    }
    return std::nullopt;
}

// A character typed together with Ctrl or Alt is a shortcut, which programs recognise by its key,
// not by the character it would type: letters and digits become their keys.
KeyStroke AsShortcut(KeyStroke key) {
    if (!key.isCharacter() || !(key.ctrl || key.alt))
        return key;
    const wchar_t c = key.character;
    if (c >= L'a' && c <= L'z')
        key.virtualKey = static_cast<std::uint16_t>(c - L'a' + L'A');
    else if ((c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9'))
        key.virtualKey = static_cast<std::uint16_t>(c);
    else
        return key;
    key.character = 0;
    return key;
}

} // namespace

bool KeyStroke::isExtended() const {
    switch (virtualKey) {
    case vk::Prior: case vk::Next: case vk::End: case vk::Home: case vk::Left: case vk::Up: case vk::Right:
    case vk::Down: case vk::Insert: case vk::Delete:
        return true;
    default:
        return false;
    }
}

bool KeyStroke::operator==(const KeyStroke& other) const {
    return virtualKey == other.virtualKey && character == other.character && ctrl == other.ctrl &&
           shift == other.shift && alt == other.alt;
}

std::optional<std::vector<KeyStroke>> ParseSendKeys(const std::wstring& notation) {
    std::vector<KeyStroke> strokes;
    bool ctrl = false, shift = false, alt = false;
    for (std::size_t i = 0; i < notation.size(); ++i) {
        const wchar_t c = notation[i];
        if (c == L'^') { ctrl = true; continue; }
        if (c == L'+') { shift = true; continue; }
        if (c == L'%') { alt = true; continue; }
        KeyStroke key;
        if (c == L'{') {
            // "{}}" names the closing brace itself.
            std::size_t close = notation.find(L'}', i + 2);
            if (i + 1 < notation.size() && notation[i + 1] == L'}')
                close = i + 2 < notation.size() && notation[i + 2] == L'}' ? i + 2 : std::wstring::npos;
            if (close == std::wstring::npos)
                return std::nullopt;
            const auto named = BraceKey(notation.substr(i + 1, close - i - 1));
            if (!named)
                return std::nullopt;
            key = *named;
            i = close;
        } else if (c == L'}' || c == L'(' || c == L')') {
            return std::nullopt; // groups are not part of what the program sends
        } else if (c == L'~') {
            key.virtualKey = vk::Return;
        } else {
            key.character = c;
        }
        key.ctrl = ctrl;
        key.shift = shift;
        key.alt = alt;
        strokes.push_back(AsShortcut(key));
        ctrl = shift = alt = false;
    }
    if (ctrl || shift || alt)
        return std::nullopt;
    return strokes;
}

std::vector<KeyStroke> TextKeyStrokes(const std::wstring& text) {
    std::vector<KeyStroke> strokes;
    strokes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        KeyStroke key;
        if (text[i] == L'\r' || text[i] == L'\n') {
            if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
                ++i;
            key.virtualKey = vk::Return;
        } else {
            key.character = text[i];
        }
        strokes.push_back(key);
    }
    return strokes;
}

} // namespace core
