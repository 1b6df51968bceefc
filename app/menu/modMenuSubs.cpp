#include "app/menu/modMenuSubs.h"

#include "app/menu/WindowsCaseMapper.h"
#include "app/menu/modStrings.h"
#include "app/paste/modParseClipboard.h"
#include "app/shell/Messages.h"
#include "core/modFormatText.h"
#include "core/modStrings.h"
#include "winkit/BusyCursor.h"
#include "winkit/TextConv.h"

#include <windows.h>

#include <iterator>
#include <new>
#include <optional>

namespace quillet {

namespace {

StatusHook& Status() {
    static StatusHook hook;
    return hook;
}

void ShowStatus(const wchar_t* text) {
    if (Status())
        Status()(text);
}

enum class Precondition {
    None,
    // Not empty and not a single blank: "Text is too short or it does not contain any letters!".
    NotBlank,
    // Not empty: "Clipboard is empty!".
    NotEmpty,
};

using Transform = std::function<std::wstring(const std::wstring&)>;

// The frame every action shares: hourglass, read, check, transform, write back.
void RunTextAction(Precondition precondition, const wchar_t* errorText, const Transform& transform) {
    ClearPendingError();
    ShowStatus(L"Please wait...");
    enum class Outcome { Done, TooShort, Empty, Failed } outcome = Outcome::Done;
    {
        winkit::BusyCursor busy;
        const std::optional<std::wstring> text = GetClipboardText();
        if (!text) {
            outcome = Outcome::Failed;
        } else if (precondition == Precondition::NotBlank && (text->empty() || *text == L" ")) {
            outcome = Outcome::TooShort;
        } else if (precondition == Precondition::NotEmpty && text->empty()) {
            outcome = Outcome::Empty;
        } else {
            std::optional<std::wstring> result;
            try {
                result = transform(*text);
            } catch (const std::bad_alloc&) {
                SetPendingError(7, L"Out of memory");
            } catch (const std::exception& e) {
                if (PendingError().empty())
                    SetPendingError(5, winkit::FromUtf8(e.what()));
            }
            // CopyTextToClipboard reports its own failures.
            if (!result)
                outcome = Outcome::Failed;
            else
                CopyTextToClipboard(*result);
        }
    }
    ShowStatus(L"Ready");
    switch (outcome) {
    case Outcome::Done:
        break;
    case Outcome::TooShort:
        ShowMessage(L"Text is too short or it does not contain any letters!", L"excl");
        break;
    case Outcome::Empty:
        ShowMessage(L"Clipboard is empty!", L"inf");
        break;
    case Outcome::Failed:
        ShowError(errorText, true);
        break;
    }
}

// The local time in one of the user's own forms (GetDateFormatW / GetTimeFormatW style).
template <typename Formatter>
std::wstring NowFormatted(Formatter format) {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    wchar_t buffer[128] = {};
    const int n = format(&now, buffer, static_cast<int>(std::size(buffer)));
    return n > 0 ? std::wstring(buffer, static_cast<std::size_t>(n - 1)) : std::wstring();
}

void CopyAndPaste(const std::wstring& text) {
    if (CopyTextToClipboard(text))
        PasteAfterMenuAction();
}

} // namespace

void SetMenuStatusHook(StatusHook hook) {
    Status() = std::move(hook);
}

void mnuToLowerCase() {
    RunTextAction(Precondition::None, L"Unable to lower case.",
                  [](const std::wstring& text) { return core::ToLowerCase(text, PlatformCases()); });
}

void mnuToUpperCase() {
    RunTextAction(Precondition::None, L"Unable to upper case.",
                  [](const std::wstring& text) { return core::ToUpperCase(text, PlatformCases()); });
}

void mnuProperCase() {
    RunTextAction(Precondition::None, L"Unable to proper case.",
                  [](const std::wstring& text) { return core::ToProperCase(text, PlatformCases()); });
}

void mnuReverseCase() {
    RunTextAction(Precondition::NotBlank, L"",
                  [](const std::wstring& text) { return core::ReverseCase(text, PlatformCases()); });
}

void mnuSentences(bool keepCapitals) {
    RunTextAction(Precondition::NotBlank, L"Unable to sentence case.", [keepCapitals](const std::wstring& text) {
        return core::SentenceCase(text, keepCapitals, PlatformCases());
    });
}

void mnuZigZagCase() {
    RunTextAction(Precondition::NotBlank, L"",
                  [](const std::wstring& text) { return core::ZigZagCase(text, true, PlatformCases()); });
}

void mnuRemoveDiacritics() {
    RunTextAction(Precondition::NotEmpty, L"Unable to remove diacritics.", [](const std::wstring& text) {
        return text.size() <= core::kLongTextLimit ? core::RemoveDiacritics(text) : RemoveDiacriticsLong(text);
    });
}

void mnuReverse() {
    RunTextAction(Precondition::None, L"Unable to reverse text at clipboard.",
                  [](const std::wstring& text) { return core::ReverseText(text, true); });
}

void mnuCopyDate() {
    CopyAndPaste(NowFormatted([](const SYSTEMTIME* t, wchar_t* out, int size) {
        return ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, t, nullptr, out, size);
    }));
}

void mnuCopyTime() {
    CopyAndPaste(NowFormatted([](const SYSTEMTIME* t, wchar_t* out, int size) {
        return ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, t, nullptr, out, size);
    }));
}

void CopyAddress(const std::wstring& address) {
    CopyAndPaste(address);
}

} // namespace quillet
