#include "app/paste/tmrGrabber.h"

#include "app/paste/modInternalFunctions.h"
#include "app/shell/modInitialization.h"

namespace quillet {

namespace {

HWND grabberHost = nullptr;

void CALLBACK GrabberTick(HWND, UINT, UINT_PTR, DWORD) {
    if (IsExiting) {
        StopGrabber();
        return;
    }
    TrackForegroundWindow(::GetForegroundWindow());
}

} // namespace

bool StartGrabber(HWND host) {
    StopGrabber();
    if (!host || !::SetTimer(host, kGrabberTimerId, kGrabberIntervalMs, &GrabberTick))
        return false;
    grabberHost = host;
    return true;
}

void StopGrabber() {
    if (grabberHost)
        ::KillTimer(grabberHost, kGrabberTimerId);
    grabberHost = nullptr;
}

} // namespace quillet
