#include "core/HotkeyOverview.h"

namespace core {

std::wstring HotkeyText(int mask, int key) {
    static const wchar_t* const prefixes[] = {L"",
                                              L"Alt + ",
                                              L"Ctrl + ",
                                              L"Alt + Ctrl + ",
                                              L"Shift + ",
                                              L"Alt + Shift + ",
                                              L"Ctrl + Shift + ",
                                              L"Alt + Ctrl + Shift + "};
    // A mask without a key is no hotkey either; writing the character of code 0 would put a NUL
    // into the page.
    if (mask < 1 || mask > 7 || key <= 0 || key > 0xFFFF)
        return {};
    return prefixes[mask] + std::wstring(1, static_cast<wchar_t>(key));
}

std::wstring HtmlEscaped(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        switch (c) {
        case L'&': out += L"&amp;"; break;
        case L'<': out += L"&lt;"; break;
        case L'>': out += L"&gt;"; break;
        case L'"': out += L"&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::vector<std::wstring> OverviewLines(const std::wstring& projectName,
                                        const std::array<std::wstring, kSlotCount>& displayTexts,
                                        const std::array<ClipHotkey, kSlotCount>& hotkeys,
                                        const std::wstring& generated) {
    std::vector<std::wstring> lines;
    lines.push_back(L"<HTML><HEAD><TITLE>Quillet Hotkeys</TITLE></HEAD><BODY><H3>Quillet Hotkey Overview - " +
                    HtmlEscaped(projectName) + L"</H3>");
    lines.push_back(L"<TABLE BORDER=2>");
    lines.push_back(L"<TR><TD>Clip #</TD><TD>Clip Name</TD><TD>Clip Hotkey</TD></TR>");
    bool listed = false;
    for (int n = 1; n <= kSlotCount; ++n) {
        const std::wstring& text = displayTexts[static_cast<std::size_t>(n - 1)];
        if (IsEmptyClipText(text))
            continue;
        listed = true;
        const ClipHotkey& hotkey = hotkeys[static_cast<std::size_t>(n - 1)];
        // Cut first, then escape: an entity is never split.
        lines.push_back(L"<TR><TD>" + std::to_wstring(n) + L"</TD><TD>");
        lines.push_back(HtmlEscaped(text.substr(0, kOverviewNameLength)) + L"</TD><TD>");
        lines.push_back(HotkeyText(hotkey.mask, hotkey.key) + L"</TD></TR>");
    }
    if (!listed)
        lines.push_back(L"<TR><TD COLSPAN=3>There are just empty clips</TD></TR>");
    lines.push_back(L"</TABLE><BR><BR>Generated " + generated);
    lines.push_back(L"</BODY></HTML>");
    return lines;
}

std::wstring OverviewPage(const std::vector<std::wstring>& lines) {
    std::wstring page;
    for (const std::wstring& line : lines)
        page += line + L"\r\n";
    return page;
}

} // namespace core
