#include "app/menu/modMenuSubs.h"

#include "app/menu/WindowsCaseMapper.h"
#include "app/menu/modStrings.h"
#include "app/paste/modParseClipboard.h"
#include "app/shell/Messages.h"
#include "core/modFormatText.h"
#include "core/modStrings.h"
#include "winkit/BusyCursor.h"
#include "winkit/TextConv.h"

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

} // namespace

void SetMenuStatusHook(StatusHook hook) { Status() = std::move(hook); }

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

} // namespace quillet
