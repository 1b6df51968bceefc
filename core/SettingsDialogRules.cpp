#include "core/SettingsDialogRules.h"

#include "core/HotkeyRules.h"

namespace core {

const std::array<SettingsHotkeyBox, 5>& SettingsHotkeyBoxes() {
    static const std::array<SettingsHotkeyBox, 5> boxes = {{
        {kHotkeyShowMain, L"ShowQL", L"&Show Quillet main window"},
        {kHotkeyClipboardMenu, L"GlobalMenu", L"&Global menu"},
        {kHotkeyPasteNext, L"PasteNext", L"&Paste next clip"},
        {kHotkeyPasteMenu, L"PasteMenu", L"Global &paste menu"},
        {kHotkeySettings, L"Settings", L"Display &Settings"},
    }};
    return boxes;
}

std::wstring SettingsHotkeyModKey(const SettingsHotkeyBox& box) {
    return L"HK" + std::wstring(box.name) + L"Mod";
}
std::wstring SettingsHotkeyKeyKey(const SettingsHotkeyBox& box) {
    return L"HK" + std::wstring(box.name) + L"Key";
}

std::optional<std::size_t> SettingsKeyListIndexOf(int code) {
    const auto& list = PropertiesKeyList();
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].code == code)
            return i;
    }
    return std::nullopt;
}

std::wstring PlainCaption(const std::wstring& caption) {
    std::wstring plain;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size())
            ++i;
        else if (caption[i] == L'&')
            continue;
        plain += caption[i];
    }
    return plain;
}

std::wstring UnregisteredHotkeysMessage(const std::vector<int>& failedIds) {
    std::wstring names;
    for (const SettingsHotkeyBox& box : SettingsHotkeyBoxes()) {
        for (int id : failedIds) {
            if (id == box.id) {
                names += L"\r\n" + PlainCaption(box.caption);
                break;
            }
        }
    }
    if (names.empty())
        return {};
    return L"These hotkeys could not be registered, because another program or another of Quillet's hotkeys "
           L"already uses the same keys:\r\n" +
           names + L"\r\n\r\nThe other hotkeys work. Please choose different keys for these.";
}

std::wstring FailedSettingsMessage(bool reading, const std::vector<std::wstring>& failedSteps) {
    if (failedSteps.empty())
        return {};
    std::wstring text = reading ? L"These settings could not be read, the dialog may not show them as stored:\r\n"
                                : L"These settings could not be saved or applied:\r\n";
    for (const std::wstring& step : failedSteps)
        text += L"\r\n" + step;
    return text;
}

} // namespace core
