#pragma once
// tmrGrabber: the tracker's timer on the hidden main form. Every tick looks at the foreground window
// (TrackForegroundWindow); the first tick after shutdown began stops it.
#include <windows.h>

namespace quillet {

inline constexpr UINT_PTR kGrabberTimerId = 0x4752;
inline constexpr UINT kGrabberIntervalMs = 1;

// Starts the timer on `host`; its ticks call the tracker directly, so the host's window procedure
// needs no part in it.
bool StartGrabber(HWND host);
void StopGrabber();

} // namespace quillet
