#pragma once
// The program's one message routine, used for every message box, and the pending error it reports.
//
// The pending error is the failure a step recorded last on this thread (SetPendingError, or
// SetPendingWin32Error with the system's own description). An error message with details shows it;
// every message clears it, so a later message never reports a stale failure.
#include "core/Message.h"

#include <windows.h>

#include <string>

namespace quillet {

void SetPendingError(long number, std::wstring description);
void SetPendingWin32Error(DWORD code);
const core::ErrorRecord& PendingError();
void ClearPendingError();

// Kinds: "inf", "excl", "quest" (returns IDYES or IDNO), "err"; any other kind shows nothing.
// Returns 0 when there is no answer to give.
int ShowMessage(const std::wstring& text, const std::wstring& kind, bool details = false);
int ShowError(const std::wstring& text, bool details = false);

} // namespace quillet
