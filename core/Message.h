#pragma once
// What a message box of the program shows, decided without any window: the Win32 layer only displays it.
#include <optional>
#include <string>

namespace core {

enum class MessageIcon { Information, Exclamation, Question, Critical };
enum class MessageButtons { Ok, YesNo };

// The error a failing step left behind for the next error message to report.
struct ErrorRecord {
    long number = 0;
    std::wstring description;
    bool empty() const { return number == 0 && description.empty(); }
};

struct MessageBoxRequest {
    std::wstring title;
    std::wstring text;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
};

inline constexpr wchar_t kProgramTitle[] = L"Quillet";
inline constexpr wchar_t kErrorTitle[] = L"Quillet - Error";

// Kinds are "inf", "excl", "quest" and "err", matched exactly; any other kind shows nothing.
// With "err" and details set, the pending error's number and description follow the text.
std::optional<MessageBoxRequest> ComposeMessage(const std::wstring& text, const std::wstring& kind, bool details,
                                                const ErrorRecord& pending);

} // namespace core
