#pragma once
// modMenuSubs: the clipboard menu's text actions. Each reads the clipboard's text, transforms it and
// puts the result back as plain text; a failure leaves the clipboard as it was.
#include <functional>
#include <string>

namespace quillet {

// Where the actions report progress ("Please wait...", then "Ready"): the window whose menu started
// them sets it to its status panel. Without one nothing is shown but the hourglass.
using StatusHook = std::function<void(const std::wstring&)>;
void SetMenuStatusHook(StatusHook hook);

void mnuToLowerCase();
void mnuToUpperCase();
void mnuProperCase();
void mnuReverseCase();
// keepCapitals is the SentenceCaseKeepBig setting.
void mnuSentences(bool keepCapitals);
void mnuZigZagCase();
void mnuRemoveDiacritics();
void mnuReverse();

// The "Copy to clipboard" items of both menus: the current date (the user's short date form), the
// current time (the user's time form) or an address is put on the clipboard as text, then pasted when
// the paste-after-menu settings say so.
void mnuCopyDate();
void mnuCopyTime();
void CopyAddress(const std::wstring& address);

} // namespace quillet
