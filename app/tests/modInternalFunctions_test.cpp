// The paste engine against foreign windows of this test process: tracking, activation and keystrokes.
#include "app/paste/modInternalFunctions.h"
#include "app/paste/modParseClipboard.h"
#include "app/paste/modSendKeys.h"
#include "app/shell/modSettings.h"
#include "ClipboardTestKit.h"
#include "core/ClipSlot.h"
#include "testkit/TargetWindow.h"
#include "winkit/Wait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace quillet;
using testkit::TargetWindow;

namespace {

// The main clip window's side of the paste step.
struct PasteHostRecorder {
    bool autoPaste = true;
    std::vector<std::wstring> statuses;
    PasteHostRecorder() {
        PasteHooks().autoPasteChecked = [this] { return autoPaste; };
        PasteHooks().showStatus = [this](const std::wstring& s) { statuses.push_back(s); };
        PasteHooks().mainWindow = [] { return HWND(nullptr); };
    }
    ~PasteHostRecorder() { PasteHooks() = PasteHost{}; }
    std::wstring last() const { return statuses.empty() ? L"" : statuses.back(); }
};

PasteRequest Clip(const std::wstring& text, std::uint8_t method, const std::wstring& format = core::kFormatTxtSimple) {
    PasteRequest r;
    r.clip = 1;
    r.format = format;
    r.method = method;
    r.text = text;
    return r;
}

// Puts the target in the list as the user would: by having it in front while the tracker looks.
void UseWindow(const TargetWindow& target) {
    ASSERT_TRUE(target.Activate());
    TrackForegroundWindow(::GetForegroundWindow());
}

class PasteEngine : public ::testing::Test {
protected:
    void SetUp() override {
        lastWindows = {};
        lastWindowMaximized = {};
        PasteMethod = 1;
    }
    PasteHostRecorder host;
};

} // namespace

TEST_F(PasteEngine, TrackerKeepsThreeDistinctForeignWindowsNewestFirst) {
    TargetWindow a(L"Window A"), b(L"Window B"), c(L"Window C"), d(L"Window D");
    for (const TargetWindow* w : {&a, &b, &c, &d})
        TrackForegroundWindow(w->hwnd());
    EXPECT_EQ(lastWindows, (std::array<HWND, 3>{d.hwnd(), c.hwnd(), b.hwnd()}));
    EXPECT_EQ(lastWindowTitle, L"Window D");
    // Coming back to one further down moves it up instead of listing it twice.
    TrackForegroundWindow(b.hwnd());
    EXPECT_EQ(lastWindows, (std::array<HWND, 3>{b.hwnd(), d.hwnd(), c.hwnd()}));
    EXPECT_EQ(lastWindowTitle, L"Window B");

    // The taskbar and the program's own forms never enter the list.
    WNDCLASSW tray{};
    tray.lpfnWndProc = ::DefWindowProcW;
    tray.lpszClassName = L"Shell_TrayWnd";
    ::RegisterClassW(&tray);
    winkit::ScopedWindow taskbar(
        ::CreateWindowExW(0, L"Shell_TrayWnd", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    TargetWindow own(L"Own form");
    RegisterOwnForm(own.hwnd());
    TrackForegroundWindow(taskbar.get());
    TrackForegroundWindow(own.hwnd());
    UnregisterOwnForm(own.hwnd());
    EXPECT_EQ(lastWindows[0], b.hwnd());
}

TEST_F(PasteEngine, PastesEachMethodIntoTheLastWindow) {
    TargetWindow target;
    UseWindow(target);
    // Characters outside the ANSI code page arrive unchanged through Ctrl+V.
    const std::wstring czech = L"P\u0159\u00EDli\u0161 \u017Elu\u0165ou\u010Dk\u00FD k\u016F\u0148 \u65E5\u672C\u8A9E";
    ASSERT_TRUE(CopyTextToClipboard(czech));
    PasteIntoLastWindow(Clip(czech, 1));
    EXPECT_EQ(target.text(), czech);
    EXPECT_EQ(host.last(), L"Pasted.");

    target.clear();
    ASSERT_TRUE(CopyTextToClipboard(L"by insert"));
    PasteIntoLastWindow(Clip(L"by insert", 3));
    EXPECT_EQ(target.text(), L"by insert");

    // Key by key types the clip itself, whatever the clipboard holds.
    target.clear();
    ASSERT_TRUE(CopyTextToClipboard(L"clipboard"));
    PasteIntoLastWindow(Clip(L"Dobr\u00FD den", 2));
    EXPECT_EQ(target.text(), L"Dobr\u00FD den");

    // Method 4 follows the program-wide method: Shift+Insert here, then key by key.
    target.clear();
    PasteMethod = 3;
    PasteIntoLastWindow(Clip(L"ignored", 4));
    EXPECT_EQ(target.text(), L"clipboard");
    target.clear();
    PasteMethod = 2;
    PasteIntoLastWindow(Clip(L"typed", 4));
    EXPECT_EQ(target.text(), L"typed");

    // A picture clip with method 2 goes by Ctrl+V.
    target.clear();
    PasteIntoLastWindow(Clip(L"picture name", 2, core::kFormatImg));
    EXPECT_EQ(target.text(), L"clipboard");
}

TEST_F(PasteEngine, KeyByKeyRefusesDigitsAndSendsNothing) {
    TargetWindow target;
    UseWindow(target);
    std::vector<testkit::DialogContents> boxes;
    boxes = apptest::AnsweringDialogs([&] { PasteIntoLastWindow(Clip(L"room 101", 2)); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(
        boxes[0].text,
        L"Sorry, but key by key pasting works only for alpha text (You may not use numbers and special characters).");
    EXPECT_EQ(target.text(), L"");
    EXPECT_EQ(host.last(), L"Error while pasting");

    // A long text refused the same way leaves the status alone.
    host.statuses.clear();
    boxes = apptest::AnsweringDialogs([&] { PasteIntoLastWindow(Clip(L"line 1\r\nline 2", 2, core::kFormatTxtLong)); });
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(host.statuses.empty());
}

TEST_F(PasteEngine, AClosedTargetGivesWayToTheWindowBeforeIt) {
    TargetWindow before(L"Before"), latest(L"Latest");
    UseWindow(before);
    UseWindow(latest);
    ASSERT_TRUE(CopyTextToClipboard(L"to the one before"));
    latest.Close();
    PasteIntoLastWindow(Clip(L"x", 1));
    EXPECT_EQ(before.text(), L"to the one before");
    EXPECT_EQ(host.last(), L"Pasted.");

    before.Close();
    PasteIntoLastWindow(Clip(L"x", 1));
    EXPECT_EQ(host.last(), L"Can't activate last active application.");
}

TEST_F(PasteEngine, NothingIsSentWithAutoPasteOff) {
    TargetWindow target;
    UseWindow(target);
    ASSERT_TRUE(CopyTextToClipboard(L"stays on the clipboard"));
    host.autoPaste = false;
    PasteIntoLastWindow(Clip(L"x", 1));
    winkit::PumpMessages();
    EXPECT_EQ(target.text(), L"");
    EXPECT_TRUE(host.statuses.empty());
}

TEST_F(PasteEngine, ActivationRestoresAMaximisedWindowMaximised) {
    TargetWindow target;
    ::ShowWindow(target.hwnd(), SW_MAXIMIZE);
    UseWindow(target);
    ASSERT_TRUE(lastWindowMaximized[0]);
    ::ShowWindow(target.hwnd(), SW_MINIMIZE);
    ASSERT_TRUE(ActivateLastWindow());
    EXPECT_TRUE(winkit::WaitUntil([&] { return ::IsZoomed(target.hwnd()) != FALSE; }, 2000));
    EXPECT_EQ(::GetForegroundWindow(), target.hwnd());
}

TEST_F(PasteEngine, AForeignWindowWhoseThreadHangsCannotHoldThePaste) {
    // The target's own thread builds it, then stops answering for a while, as a busy program does.
    HANDLE built = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND hung = nullptr;
    HANDLE gone = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread owner([&] {
        {
            TargetWindow target(L"Hung target");
            hung = target.hwnd();
            ::SetEvent(built);
            ::WaitForSingleObject(release, 20000);
            winkit::PumpMessages();
        }
        ::SetEvent(gone);
    });
    ASSERT_EQ(::WaitForSingleObject(built, 5000), WAIT_OBJECT_0);
    lastWindows = {hung, nullptr, nullptr};
    ASSERT_TRUE(CopyTextToClipboard(L"never taken"));
    const ULONGLONG start = ::GetTickCount64();
    PasteIntoLastWindow(Clip(L"x", 1));
    const ULONGLONG took = ::GetTickCount64() - start;
    ::SetEvent(release);
    // The owner's activation sends messages to this thread's windows: keep answering until it is done.
    winkit::WaitUntil([gone] { return ::WaitForSingleObject(gone, 0) == WAIT_OBJECT_0; }, 10000);
    owner.join();
    for (HANDLE h : {built, release, gone})
        ::CloseHandle(h);
    // Bounded by the waits for the front and for the keys, far below the owner's hang; the keys were not
    // taken, so the paste is not reported as done.
    EXPECT_LT(took, static_cast<ULONGLONG>(kActivateWaitMs + kKeysProcessedWaitMs + 1500));
    EXPECT_NE(host.last(), L"Pasted.");
}

namespace {

// A foreign program on a thread of its own that, the first time it is brought to the front, is busy for a
// moment and then has the front taken away from it by a report that was waiting for it (the display's
// late word that an earlier focus left it), before it looks at its messages again.
class TargetLosingTheFront {
public:
    explicit TargetLosingTheFront(HWND takesTheFront) : takesTheFront_(takesTheFront) {
        owner_ = std::thread([this] { Run(); });
        ::WaitForSingleObject(built_, 5000);
    }
    ~TargetLosingTheFront() {
        ::SetEvent(quit_);
        owner_.join();
        for (HANDLE h : {built_, quit_})
            ::CloseHandle(h);
    }
    HWND hwnd() const { return hwnd_; }
    std::wstring text() const {
        wchar_t buffer[256] = {};
        ::GetWindowTextW(edit_, buffer, 256);
        return buffer;
    }
    void Arm() { armed_ = true; }
    bool tookTheFront() const { return took_; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<TargetLosingTheFront*>(::GetPropW(hwnd, L"self"));
        if (!self)
            return ::DefWindowProcW(hwnd, msg, wParam, lParam);
        const LRESULT result = ::CallWindowProcW(self->previous_, hwnd, msg, wParam, lParam);
        // Done inside the activation itself, so the engine's first question to this thread is answered only
        // after the front has gone: busy with its own work for a moment, then the waiting report is taken.
        if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && self->armed_.exchange(false)) {
            ::WaitForSingleObject(self->quit_, 150);
            self->took_ = ::SetForegroundWindow(self->takesTheFront_) != FALSE;
        }
        return result;
    }
    void Run() {
        {
            TargetWindow target(L"Losing the front");
            hwnd_ = target.hwnd();
            edit_ = target.edit();
            ::SetPropW(hwnd_, L"self", this);
            previous_ = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TargetLosingTheFront::Proc)));
            ::SetEvent(built_);
            while (::MsgWaitForMultipleObjects(1, &quit_, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
                winkit::PumpMessages();
            ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        }
    }

    HWND takesTheFront_;
    HANDLE built_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE quit_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread owner_;
    HWND hwnd_ = nullptr, edit_ = nullptr;
    WNDPROC previous_ = nullptr;
    std::atomic<bool> armed_{false}, took_{false};
};

} // namespace

TEST_F(PasteEngine, AFrontTakenAwayJustAfterActivationIsTakenBackBeforeTheKeys) {
    TargetWindow elsewhere(L"Elsewhere");
    TargetLosingTheFront target(elsewhere.hwnd());
    ASSERT_TRUE(elsewhere.Activate());
    lastWindows = {target.hwnd(), nullptr, nullptr};
    ASSERT_TRUE(CopyTextToClipboard(L"where it belongs"));
    target.Arm();
    PasteIntoLastWindow(Clip(L"x", 1));
    winkit::WaitUntil([&] { return !target.text().empty() || !elsewhere.text().empty(); }, 3000);
    winkit::PumpMessages();
    ASSERT_TRUE(target.tookTheFront()) << "the front was never taken away: nothing was tried";
    EXPECT_EQ(elsewhere.text(), L"");
    EXPECT_EQ(target.text(), L"where it belongs");
    EXPECT_EQ(host.last(), L"Pasted.");
}
