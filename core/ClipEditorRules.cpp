#include "core/ClipEditorRules.h"

#include <cmath>
#include <cstdlib>
#include <cwchar>

namespace core {
namespace {

constexpr std::size_t kShortName = 16;
constexpr std::size_t kSimpleLimit = 100;
constexpr std::size_t kPrefixedNameLimit = 94;

std::wstring First(std::wstring_view text, std::size_t n) {
    return std::wstring(text.substr(0, n));
}

bool IsBlankOnly(std::wstring_view text) {
    return text.find_first_not_of(L' ') == std::wstring_view::npos;
}

std::wstring Prefixed(std::wstring name, std::wstring_view tag, int slot) {
    // tag is "(RTF)" or "(IMG)"; an unnamed clip is called after its slot.
    if (IsBlankOnly(name))
        name = L"Clip " + std::to_wstring(slot);
    if (std::wstring_view(name).substr(0, 5) != tag)
        name = std::wstring(tag) + L" " + name;
    if (name.size() > kPrefixedNameLimit)
        name.resize(kPrefixedNameLimit);
    return name;
}

} // namespace

HandBackName ClipNameFor(std::wstring_view mode, std::wstring_view text, bool customChosen,
                         std::wstring_view customName, int slot) {
    HandBackName result;
    const bool txt = mode == kModeTxt;
    const bool rtf = mode == kModeRtf;
    if (customChosen) {
        result.name = std::wstring(customName);
    } else if (txt || rtf) {
        const std::size_t lineBreak = text.find(L"\r\n");
        if (lineBreak == std::wstring_view::npos) {
            if (txt && text.size() <= kSimpleLimit) {
                result.name = std::wstring(text);
                result.isSimple = true;
            } else {
                result.name = First(text, kShortName);
            }
        } else if (lineBreak > 0) {
            result.name = First(text.substr(0, lineBreak), kShortName);
        } else if ((rtf && text.size() <= kShortName) || (txt && text.size() <= kSimpleLimit)) {
            result.name = L"Clip " + std::to_wstring(slot);
        } else {
            result.name = First(text, kShortName);
        }
    }
    if (rtf)
        result.name = Prefixed(std::move(result.name), L"(RTF)", slot);
    else if (mode == kModeImg)
        result.name = Prefixed(std::move(result.name), L"(IMG)", slot);
    return result;
}

std::wstring CustomNameFromRow(std::wstring_view rowText, std::wstring_view format) {
    if (format == L"RTF" || format == L"IMG")
        return std::wstring(rowText.substr(rowText.size() < 6 ? rowText.size() : 6));
    return std::wstring(rowText);
}

int FontSizeFromBox(std::wstring_view text) {
    constexpr int kLargest = 64;
    std::wstring copy(text);
    const wchar_t* begin = copy.c_str();
    wchar_t* end = nullptr;
    const double value = std::wcstod(begin, &end);
    if (end == begin || !std::isfinite(value))
        return kLargest;
    for (const wchar_t* rest = end; *rest; ++rest)
        if (*rest != L' ')
            return kLargest;
    if (value == 0 || value > kLargest)
        return kLargest;
    const long rounded = std::lround(value);
    return rounded < 1 ? kLargest : static_cast<int>(rounded);
}

std::wstring FormatCount(std::size_t count, std::wstring_view groupSeparator) {
    if (count == 0)
        return L"";
    const std::wstring digits = std::to_wstring(count);
    std::wstring out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += groupSeparator;
        out += digits[i];
    }
    return out;
}

std::wstring CharsPanelAfterOpen(std::wstring_view mode, std::wstring_view count) {
    if (mode == kModeRtf)
        return L"Chars: " + std::wstring(count) + L" /100 000  ";
    if (mode == kModeTxt && !count.empty())
        return L"Chars: " + std::wstring(count) + L" / 100 000  ";
    return L"Chars: 0 / 100 000  ";
}

std::wstring CharsPanelAfterEdit(std::wstring_view mode, std::wstring_view count) {
    if (!count.empty())
        return L"Chars: " + std::wstring(count) + L" / 100 000  ";
    return mode == kModeTxt ? L"Characters: 0 / 100 000  " : L"Chars: 0 / 100 000  ";
}

std::wstring CurrentLinePanel(long line) {
    return L"Current line: " + std::to_wstring(line) + L"  ";
}
std::wstring TotalLinesPanel(long lines) {
    return L"Total lines:" + std::to_wstring(lines) + L"  ";
}

std::wstring ImageSizePanel(long widthTwips, long heightTwips) {
    return L"Image size: " + std::to_wstring(widthTwips / 15) + L"x" + std::to_wstring(heightTwips / 15) + L" ";
}

std::optional<bool> Toolbar2ButtonShown(std::wstring_view mode, int index) {
    const auto in = [index](int first, int last) { return index >= first && index <= last; };
    if (mode == kModeTxt) {
        if (in(1, 5) || in(11, 12) || in(18, 20))
            return true;
        if (in(6, 10) || in(13, 16) || in(21, 33))
            return false;
    } else if (mode == kModeRtf) {
        if (in(1, 20))
            return true;
        if (in(21, 33))
            return false;
    } else if (mode == kModeImg) {
        if (in(6, 17))
            return false;
        if (in(21, 33))
            return true;
    }
    return std::nullopt;
}

EditorLayout LayoutEditor(std::wstring_view mode, long windowWidth, long windowHeight) {
    EditorLayout l;
    l.windowWidth = windowWidth < kEditorMinWidth ? kEditorMinWidth : windowWidth;
    l.windowHeight = windowHeight < kEditorMinHeight ? kEditorMinHeight : windowHeight;
    const long w = l.windowWidth, h = l.windowHeight;
    if (mode == kModeImg) {
        l.boxWidth = w - 385;
        l.boxHeight = h - 2580;
        l.optCusNameTop = l.boxHeight + 1225;
        l.txtCustomNameTop = l.boxHeight + 1220;
    } else {
        const bool rtf = mode == kModeRtf;
        l.boxWidth = w - (rtf ? 180 : 210);
        l.boxHeight = h - (rtf ? 2520 : 2550);
        l.optCusNameTop = l.boxHeight + 1125;
        l.txtCustomNameTop = l.boxHeight + 1120;
    }
    l.optNonCusNameTop = l.optCusNameTop + 360;
    return l;
}

} // namespace core
