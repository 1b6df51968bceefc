#include "core/MenuText.h"

namespace core {
namespace {

// Upper case for the letters an access key is usually typed with; other characters stay as they are.
wchar_t Upper(wchar_t c) {
    if (c >= L'a' && c <= L'z')
        return static_cast<wchar_t>(c - L'a' + L'A');
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<wchar_t>(c - 0x20);
    return c;
}

std::wstring Trim(const std::wstring& s) {
    const size_t first = s.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return {};
    const size_t last = s.find_last_not_of(L' ');
    return s.substr(first, last - first + 1);
}

} // namespace

std::wstring TextBefore(const std::wstring& s, wchar_t c) {
    const size_t at = s.find(c);
    if (at == std::wstring::npos || at == 0)
        return {};
    return Trim(s.substr(0, at));
}

std::wstring ShortcutPart(const std::wstring& s) {
    const size_t tab = s.find(L'\t');
    if (tab == std::wstring::npos)
        return {};
    const size_t end = s.find(L'\0', tab + 1);
    return s.substr(tab + 1, end == std::wstring::npos ? std::wstring::npos : end - tab - 1);
}

MenuItemText SplitMenuItemText(const std::wstring& buffer) {
    // Only the text up to the terminator counts: a TAB in what follows it is not part of the item.
    const std::wstring text = buffer.substr(0, buffer.find(L'\0')) + L'\0';
    MenuItemText result{TextBefore(text, L'\t'), {}};
    if (!result.caption.empty())
        result.shortcut = ShortcutPart(text);
    else
        result.caption = TextBefore(text, L'\0');
    return result;
}

wchar_t AccessKey(const std::wstring& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&')
            continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return Upper(caption[i + 1]);
    }
    return 0;
}

int ItemForAccessKey(const std::vector<std::wstring>& captions, int current, wchar_t key) {
    const int count = static_cast<int>(captions.size());
    if (count == 0 || key == 0)
        return -1;
    const wchar_t wanted = Upper(key);
    const int start = current < 0 || current >= count ? 0 : current + 1;
    for (int n = 0; n < count; ++n) {
        const int i = (start + n) % count;
        if (!captions[i].empty() && AccessKey(captions[i]) == wanted)
            return i;
    }
    return -1;
}

bool SameCaption(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i]))
            return false;
    return true;
}

} // namespace core
