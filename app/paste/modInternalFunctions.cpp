#include "app/paste/modInternalFunctions.h"

#include "app/paste/modSendKeys.h"
#include "app/shell/Messages.h"
#include "app/shell/modInitialization.h"
#include "app/shell/modSettings.h"
#include "core/ClipSlot.h"
#include "core/KeyByKeyText.h"
#include "winkit/Wait.h"

#include <algorithm>
#include <cwctype>
#include <set>

namespace quillet {

std::array<HWND, 3> lastWindows{};
std::array<bool, 3> lastWindowMaximized{};
std::wstring lastWindowTitle;
std::uint8_t lastCopiedClip = 0;

namespace {

std::set<HWND>& OwnForms() {
    static std::set<HWND> forms;
    return forms;
}

HWND activated = nullptr;

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    std::wstring lower(name);
    for (wchar_t& c : lower)
        c = static_cast<wchar_t>(std::towlower(c));
    return lower;
}

std::wstring TitleOf(HWND window) {
    wchar_t title[kLastWindowTitleLength + 1] = {};
    ::GetWindowTextW(window, title, kLastWindowTitleLength + 1);
    return title;
}

bool IsInFront(HWND window) { return ::GetForegroundWindow() == window; }

// Asks for the front; when the system refuses (only the thread that has the keyboard may hand it on),
// borrows that thread's input state for the moment of the request.
void RequestFront(HWND window) {
    ::SetForegroundWindow(window);
    if (IsInFront(window))
        return;
    const HWND front = ::GetForegroundWindow();
    const DWORD me = ::GetCurrentThreadId();
    const DWORD frontThread = front ? ::GetWindowThreadProcessId(front, nullptr) : 0;
    const bool attached = frontThread && frontThread != me && ::AttachThreadInput(me, frontThread, TRUE);
    ::BringWindowToTop(window);
    ::SetForegroundWindow(window);
    ::SetActiveWindow(window);
    if (attached)
        ::AttachThreadInput(me, frontThread, FALSE);
}

} // namespace

void RegisterOwnForm(HWND form) {
    if (form)
        OwnForms().insert(form);
}

void UnregisterOwnForm(HWND form) { OwnForms().erase(form); }

bool IsOwnWindow(HWND window) {
    if (OwnForms().count(window) || OwnForms().count(::GetAncestor(window, GA_ROOTOWNER)))
        return true;
    // The program's message boxes and file dialogs are no paste targets either.
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process == ::GetCurrentProcessId() && ClassOf(window) == L"#32770";
}

void InitLastWindows() {
    // A window of this very program (a splash already up) is never a paste target.
    HWND front = ::GetForegroundWindow();
    DWORD process = 0;
    ::GetWindowThreadProcessId(front, &process);
    if (process == ::GetCurrentProcessId())
        front = nullptr;
    lastWindows = {front, nullptr, nullptr};
    lastWindowMaximized = {false, false, false};
    lastWindowTitle.clear();
    lastCopiedClip = 0;
}

void TrackForegroundWindow(HWND foreground) {
    if (!foreground)
        return;
    // The taskbar comes to the front whenever the tray icon is clicked; it is never a target.
    if (ClassOf(foreground).find(L"shell_traywnd") != std::wstring::npos)
        return;
    if (IsOwnWindow(foreground))
        return;
    // The desktop takes the front for a moment when the window in front closes; keys sent there go nowhere.
    if (foreground == ::GetDesktopWindow() || foreground == ::GetShellWindow() || !::IsWindowVisible(foreground))
        return;
    lastWindowMaximized[0] = lastWindows[0] && ::IsZoomed(lastWindows[0]);
    if (foreground == lastWindows[0])
        return;
    // A window already further down moves up instead of standing twice, so the list keeps three
    // different windows to fall back on.
    auto it = std::find(lastWindows.begin() + 1, lastWindows.end(), foreground);
    std::size_t from = it == lastWindows.end() ? lastWindows.size() - 1 : static_cast<std::size_t>(it - lastWindows.begin());
    for (std::size_t i = from; i > 0; --i)
        lastWindows[i] = lastWindows[i - 1];
    lastWindows[0] = foreground;
    lastWindowTitle = TitleOf(foreground);
    for (std::size_t i = 0; i < lastWindows.size(); ++i)
        lastWindowMaximized[i] = lastWindows[i] && ::IsZoomed(lastWindows[i]);
}

// Tells the waiting thread at once when any window takes the front, so the wait below needs no fine
// polling step. Out of context: the call arrives as a message while the thread waits for messages.
class ForegroundChanges {
public:
    ForegroundChanges()
        : hook_(::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &Changed, 0, 0,
                                  WINEVENT_OUTOFCONTEXT)) {}
    ~ForegroundChanges() {
        if (hook_)
            ::UnhookWinEvent(hook_);
    }
    ForegroundChanges(const ForegroundChanges&) = delete;
    ForegroundChanges& operator=(const ForegroundChanges&) = delete;

private:
    static void CALLBACK Changed(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {}
    HWINEVENTHOOK hook_;
};

// Whether the window's thread answers within `timeoutMs`. Raising a window waits for its thread, so a
// program that has stopped answering would otherwise hold the paste for as long as it hangs.
bool Answers(HWND window, DWORD timeoutMs = kActivateWaitMs) {
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &ignored) != 0;
}

// In front, and still there once its thread has answered: to answer, the thread takes its activation and
// whatever the display reported before it, such as a late report that an earlier focus left it, on which
// the system hands the front to the desktop. Keys sent before that would go nowhere.
bool KeepsFront(HWND window, ULONGLONG deadline, bool& wasInFront) {
    if (!IsInFront(window))
        return false;
    wasInFront = true;
    const ULONGLONG now = ::GetTickCount64();
    if (now >= deadline || !Answers(window, static_cast<DWORD>(deadline - now)))
        return false;
    return IsInFront(window);
}

// Brings one recorded window to the front and waits, bounded, until it really is there.
bool BringBack(HWND window, bool maximized) {
    if (!window || !::IsWindow(window) || !Answers(window) || !::BringWindowToTop(window))
        return false;
    if (maximized)
        ::ShowWindowAsync(window, SW_MAXIMIZE);
    else if (::IsIconic(window))
        ::ShowWindowAsync(window, SW_RESTORE);
    RequestFront(window);
    const ULONGLONG deadline = ::GetTickCount64() + kActivateWaitMs;
    bool wasInFront = false;
    // Looked at before any waiting message runs: the front nearly always changes with the request, and a
    // repaint of this program's windows queued meanwhile would otherwise come first.
    if (KeepsFront(window, deadline, wasInFront))
        return true;
    // Keystrokes go to whatever is in front: never send them before the target is. The wait wakes on this
    // program's own activation messages (it loses the front to the target) and looks between them; the
    // request is made again at once when the front was taken away, and otherwise now and then.
    ULONGLONG asked = ::GetTickCount64();
    bool raisedAgain = false;
    const DWORD left = asked >= deadline ? 0 : static_cast<DWORD>(deadline - asked);
    return winkit::WaitUntil(
        [&] {
            if (KeepsFront(window, deadline, wasInFront))
                return true;
            if (!::IsWindow(window))
                return false;
            const ULONGLONG now = ::GetTickCount64();
            if ((wasInFront && !raisedAgain) || now - asked >= kActivateRetryMs) {
                raisedAgain = raisedAgain || wasInFront;
                wasInFront = false;
                asked = now;
                RequestFront(window);
            }
            return false;
        },
        left, kActivateLookMs);
}

bool ActivateLastWindow() {
    activated = nullptr;
    const ForegroundChanges changes;
    // A window that was closed since it was recorded, or that will not come to the front, gives way to
    // the one before it; each gets its own bounded wait.
    for (std::size_t i = 0; i < lastWindows.size(); ++i) {
        const HWND window = lastWindows[i];
        if (BringBack(window, lastWindowMaximized[i])) {
            activated = window;
            return true;
        }
        if (IsExiting)
            break;
    }
    return false;
}

HWND ActivatedWindow() { return activated; }

PasteHost& PasteHooks() {
    static PasteHost host;
    return host;
}

int EffectivePasteMethod(std::uint8_t clipMethod) { return clipMethod == 4 ? PasteMethod : clipMethod; }

void PasteIntoLastWindow(const PasteRequest& clip) {
    PasteHost& host = PasteHooks();
    const auto status = [&host](const std::wstring& text) {
        if (host.showStatus)
            host.showStatus(text);
    };
    if (!host.autoPasteChecked || !host.autoPasteChecked())
        return;
    const bool isText = clip.format == core::kFormatTxtSimple || clip.format == core::kFormatTxtLong;
    const int method = EffectivePasteMethod(clip.method);
    // The text is checked before anything comes to the front, so a refused text leaves the user where
    // the message can be read.
    if (method == 2 && isText && !core::IsKeyByKeyText(clip.text)) {
        if (host.mainWindow)
            ::BringWindowToTop(host.mainWindow());
        ShowMessage(L"Sorry, but key by key pasting works only for alpha text (You may not use numbers and special "
                    L"characters).",
                    L"inf");
        if (clip.format == core::kFormatTxtSimple)
            status(L"Error while pasting");
        return;
    }
    if (method < 1 || method > 3)
        return;
    if (!ActivateLastWindow()) {
        status(L"Can't activate last active application.");
        return;
    }
    const HWND target = ActivatedWindow();
    bool sent = false;
    if (method == 2 && isText)
        sent = SendKeyStrokes(core::TextKeyStrokes(clip.text), target);
    else if (method == 3)
        sent = SendKeys(core::kShiftInsert, target);
    else
        sent = SendKeys(core::kCtrlV, target);
    status(sent ? L"Pasted." : L"Error while pasting");
}

} // namespace quillet
