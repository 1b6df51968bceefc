#include "app/paste/modClipboardChain.h"

#include "ClipboardTestKit.h"
#include "HotkeyTestKit.h"
#include "winkit/Wait.h"

#include "testkit/Dialogs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

using hotkeytest::HostWindow;
using hotkeytest::Viewer;
using namespace quillet;

namespace {
constexpr DWORD kWaitMs = 3000;
} // namespace

TEST(ClipboardChain, ViewersAfterUsSeeEveryChangeAsTheChainChanges) {
    HostWindow host;
    const auto original = ::GetWindowLongPtrW(host.hwnd(), GWLP_WNDPROC);
    Viewer a, b;
    a.Join();
    b.Join(); // chain: b -> a
    JoinClipboardChain(host.hwnd()); // chain: host -> b -> a
    EXPECT_EQ(nextViewer, b.hwnd());
    EXPECT_NE(::GetWindowLongPtrW(host.hwnd(), GWLP_WNDPROC), original);

    // A change passes through us to both viewers, and our form's own procedure still sees it.
    const int hostBefore = host.seen(WM_DRAWCLIPBOARD);
    const int aBefore = a.draws(), bBefore = b.draws();
    ASSERT_TRUE(apptest::PutClipboardText(L"first"));
    EXPECT_TRUE(winkit::WaitUntil([&] { return a.draws() > aBefore && b.draws() > bBefore; }, kWaitMs));
    EXPECT_GT(host.seen(WM_DRAWCLIPBOARD), hostBefore);

    // Our next viewer leaves: we take the one after it.
    b.Leave();
    EXPECT_TRUE(winkit::WaitUntil([&] { return nextViewer == a.hwnd(); }, kWaitMs));
    const int aMid = a.draws();
    ASSERT_TRUE(apptest::PutClipboardText(L"second"));
    EXPECT_TRUE(winkit::WaitUntil([&] { return a.draws() > aMid; }, kWaitMs));

    // A viewer further down leaving is passed on, and the chain message also reached our form.
    Viewer c;
    c.Join(); // chain: c -> host -> a
    LeaveClipboardChain(); // chain: c -> a
    EXPECT_EQ(::GetWindowLongPtrW(host.hwnd(), GWLP_WNDPROC), original);
    EXPECT_TRUE(winkit::WaitUntil([&] { return c.next() == a.hwnd(); }, kWaitMs));
    const int hostAfter = host.seen(WM_DRAWCLIPBOARD);
    const int aAfter = a.draws(), cAfter = c.draws();
    ASSERT_TRUE(apptest::PutClipboardText(L"third"));
    EXPECT_TRUE(winkit::WaitUntil([&] { return a.draws() > aAfter && c.draws() > cAfter; }, kWaitMs));
    EXPECT_EQ(host.seen(WM_DRAWCLIPBOARD), hostAfter); // out of the chain
}

TEST(ClipboardChain, ANextViewerLeavingFurtherDownIsForwarded) {
    HostWindow host;
    Viewer a, b;
    a.Join();
    b.Join();
    JoinClipboardChain(host.hwnd()); // host -> b -> a
    a.Leave();                       // reaches b through us
    EXPECT_TRUE(winkit::WaitUntil([&] { return b.next() == nullptr || b.next() != a.hwnd(); }, kWaitMs));
    EXPECT_NE(b.next(), a.hwnd());
    EXPECT_EQ(nextViewer, b.hwnd());
    EXPECT_GE(host.seen(WM_CHANGECBCHAIN), 1);
    LeaveClipboardChain();
}

// A next viewer that stops answering must not freeze the program at each clipboard change: the change
// is reported as a failure to obtain the clipboard data, and the form's own procedure is not reached.
TEST(ClipboardChain, AHungNextViewerIsReportedInsteadOfWaitedFor) {
    HostWindow host;
    std::atomic<bool> hang{false};
    HANDLE letGo = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::promise<HWND> made;
    std::thread other([&] {
        // A viewer on a thread of its own that, once told to, blocks in its clipboard message.
        Viewer hung;
        hung.Join();
        hung.onDraw = [&] {
            if (hang)
                ::WaitForSingleObject(letGo, 10000);
        };
        made.set_value(hung.hwnd());
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageW(&msg);
    });
    const HWND hungViewer = made.get_future().get();
    JoinClipboardChain(host.hwnd()); // host -> hung
    EXPECT_EQ(nextViewer, hungViewer);
    winkit::PumpMessages();
    const int hostBefore = host.seen(WM_DRAWCLIPBOARD);

    hang = true;
    auto box = testkit::AnswerMessageBox(L"Quillet - Error", IDOK);
    ASSERT_TRUE(apptest::PutClipboardText(L"changed"));
    EXPECT_TRUE(winkit::WaitUntil(
        [&] { return box.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, kNextViewerWaitMs * 5));
    ::SetEvent(letGo);
    const testkit::AnsweredBox answered = box.get();
    ASSERT_TRUE(answered.appeared);
    EXPECT_NE(answered.contents.text.find(L"Error has occured while obtaining clipboard data!"), std::wstring::npos)
        << answered.contents.text;
    EXPECT_EQ(host.seen(WM_DRAWCLIPBOARD), hostBefore);

    LeaveClipboardChain();
    ::PostThreadMessageW(::GetWindowThreadProcessId(hungViewer, nullptr), WM_QUIT, 0, 0);
    other.join();
    ::CloseHandle(letGo);
}
