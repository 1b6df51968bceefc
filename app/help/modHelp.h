#pragma once
// The program's one help object and what the rest of the program asks of it: the contents from the
// Help menu, a topic by number, and the overview offered on the first start. When the help viewer
// cannot show the help (current systems no longer ship it), help.html opens in the browser instead.
#include "app/help/CWinHelp.h"

#include <string>

namespace quillet {

// The help object; null before CreateHelpObject and after ReleaseHelpObject.
CWinHelp* HelpObject();
void CreateHelpObject(CWinHelp::HelpCall call = &::WinHelpA);
// Closes the help file and releases the object; failures are ignored (used while ending).
void ReleaseHelpObject();

// Gives the help object its file; a missing file leaves it without one, so help opens the page.
void SetHelpFile(const std::wstring& path);

// Help > Help: the contents, or the page when the viewer fails.
void ShowHelpContents();
// A topic by its context number, or the page when the viewer fails.
void ShowHelpTopic(long contextId);

// The guide as one page, beside the help file; false when the shell could not open it.
bool OpenHelpPage();

// Context number of the quick overview in the help file.
inline constexpr long kOverviewTopic = 1;

// The first-start question; Yes opens the overview. Asked only when there is help to show.
void OfferOverview();

} // namespace quillet
