#pragma once
// Waiting for a condition while this thread's messages keep running: the program's waits never freeze
// its windows, and tests never synchronise on fixed sleeps.
#include <windows.h>

#include <functional>

namespace winkit {

// Runs every message waiting in this thread's queue (the program's "let pending events run").
void PumpMessages();

// Checks `done` until it holds or `timeoutMs` pass, pumping messages between checks.
// Returns whether the condition held.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs = 5);

} // namespace winkit
