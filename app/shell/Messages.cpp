#include "app/shell/Messages.h"

#include <utility>

namespace quillet {
namespace {

thread_local core::ErrorRecord t_pending;

std::wstring SystemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                         FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", n);
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return text;
}

UINT BoxStyle(const core::MessageBoxRequest& box) {
    UINT style = box.buttons == core::MessageButtons::YesNo ? MB_YESNO : MB_OK;
    switch (box.icon) {
    case core::MessageIcon::Information:
        style |= MB_ICONINFORMATION;
        break;
    case core::MessageIcon::Exclamation:
        style |= MB_ICONEXCLAMATION;
        break;
    case core::MessageIcon::Question:
        style |= MB_ICONQUESTION;
        break;
    case core::MessageIcon::Critical:
        style |= MB_ICONERROR;
        break;
    }
    // Messages often follow a hotkey pressed in another program; they must not open behind it.
    return style | MB_SETFOREGROUND;
}

} // namespace

void SetPendingError(long number, std::wstring description) { t_pending = {number, std::move(description)}; }

void SetPendingWin32Error(DWORD code) { t_pending = {static_cast<long>(code), SystemErrorText(code)}; }

const core::ErrorRecord& PendingError() { return t_pending; }

void ClearPendingError() { t_pending = {}; }

int ShowMessage(const std::wstring& text, const std::wstring& kind, bool details) {
    int answer = 0;
    if (auto box = core::ComposeMessage(text, kind, details, t_pending)) {
        const int pressed = ::MessageBoxW(::GetActiveWindow(), box->text.c_str(), box->title.c_str(), BoxStyle(*box));
        if (box->buttons == core::MessageButtons::YesNo)
            answer = pressed;
    }
    ClearPendingError();
    return answer;
}

int ShowError(const std::wstring& text, bool details) { return ShowMessage(text, L"err", details); }

} // namespace quillet
