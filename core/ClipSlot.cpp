#include "core/ClipSlot.h"

#include <vector>

namespace core {
namespace {

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::wstring line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r') {
            lines.push_back(std::move(line));
            line.clear();
            if (i + 1 < text.size() && text[i + 1] == L'\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

} // namespace

bool IsEmptyClipText(const std::wstring& text) { return text.empty() || text == EmptyClipMarker; }

std::wstring IndexLines(int slot, const ClipSlot& clip, std::uint8_t method) {
    const bool empty = clip.format == kFormatTxtSimple && IsEmptyClipText(clip.text);
    std::wstring lines = L"[Clip" + std::to_wstring(slot) + L"]\r\n";
    lines += L"Format = " + (empty ? kFormatTxtSimple : clip.format) + L"\r\n";
    lines += L"Name = " + (empty ? EmptyClipMarker : clip.text) + L"\r\n";
    lines += L"Method = " + std::to_wstring(method) + L"\r\n";
    return lines;
}

std::wstring DataFileText(const ClipSlot& clip) {
    if (clip.format == kFormatTxtSimple)
        return (IsEmptyClipText(clip.text) ? EmptyClipMarker : clip.text) + L"\r\n";
    return clip.data + L"\r\n";
}

std::string DataFileName(int slot) { return "clip" + std::to_string(slot) + ".dat"; }

std::wstring FirstLine(const std::wstring& fileText) {
    const std::size_t end = fileText.find(L'\r');
    return end == std::wstring::npos ? fileText : fileText.substr(0, end);
}

std::wstring JoinedLines(const std::wstring& fileText) {
    std::wstring joined;
    joined.reserve(fileText.size());
    for (const std::wstring& line : SplitLines(fileText)) {
        if (joined.empty())
            joined = line;
        else
            joined += L"\r\n" + line;
    }
    return joined;
}

std::wstring NormalizedFormat(const std::wstring& stored) {
    std::wstring upper = stored;
    for (wchar_t& c : upper)
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    return upper;
}

} // namespace core
