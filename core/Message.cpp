#include "core/Message.h"

namespace core {

std::optional<MessageBoxRequest> ComposeMessage(const std::wstring& text, const std::wstring& kind, bool details,
                                                const ErrorRecord& pending) {
    MessageBoxRequest box;
    box.title = kProgramTitle;
    box.text = text;
    if (kind == L"inf") {
        box.icon = MessageIcon::Information;
    } else if (kind == L"excl") {
        box.icon = MessageIcon::Exclamation;
    } else if (kind == L"quest") {
        box.icon = MessageIcon::Question;
        box.buttons = MessageButtons::YesNo;
    } else if (kind == L"err") {
        box.icon = MessageIcon::Critical;
        box.title = kErrorTitle;
        if (details) {
            box.text += L"\r\n\r\nError number: " + std::to_wstring(pending.number) +
                        L", description: " + pending.description;
        }
    } else {
        return std::nullopt;
    }
    return box;
}

} // namespace core
