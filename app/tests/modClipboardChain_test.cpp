#include "app/paste/modClipboardChain.h"

#include "ClipboardTestKit.h"
#include "HotkeyTestKit.h"
#include "winkit/Wait.h"

#include <gtest/gtest.h>

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
