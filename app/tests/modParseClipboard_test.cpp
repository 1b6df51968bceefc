#include "app/paste/modParseClipboard.h"

#include "app/tests/ClipboardTestKit.h"
#include "winkit/TextConv.h"

#include <gtest/gtest.h>

#include <future>

using namespace apptest;
using quillet::CopyTextToClipboard;
using quillet::GetClipboardText;

namespace {

const std::wstring kCzech = L"Příliš žluťoučký kůň";

// Another program holding the clipboard open until told to let go.
class ClipboardHolder {
public:
    ClipboardHolder() {
        std::promise<bool> opened;
        auto result = opened.get_future();
        thread_ = std::thread([this, &opened] {
            // Opened for a window, as programs do: the clipboard then belongs to that window alone.
            winkit::ScopedWindow owner(
                ::CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
            const bool open = owner && ::OpenClipboard(owner.get()) != FALSE;
            opened.set_value(open);
            release_.get_future().wait();
            if (open)
                ::CloseClipboard();
        });
        holding_ = result.get();
    }
    ~ClipboardHolder() {
        Release();
        thread_.join();
    }
    bool holding() const { return holding_; }
    void Release() {
        if (!released_.exchange(true))
            release_.set_value();
    }

private:
    std::promise<void> release_;
    std::atomic<bool> released_{false};
    std::thread thread_;
    bool holding_ = false;
};

ClipboardHolder* holderToRelease = nullptr;

} // namespace

TEST(CopyTextToClipboard, WritesUnicodeTextBesideAnsiText) {
    ASSERT_TRUE(PutClipboardText(L"old"));
    EXPECT_TRUE(CopyTextToClipboard(kCzech));
    EXPECT_EQ(ClipboardUnicodeText(), kCzech);
    // The ANSI copy is the text in the system's code page, zero-terminated, whatever that page is.
    const std::string ansi = ClipboardBytes(CF_TEXT);
    EXPECT_EQ(std::string(ansi.c_str()), winkit::ToAnsi(kCzech));
}

TEST(CopyTextToClipboard, ReplacesEveryOtherFormat) {
    const UINT rtf = ::RegisterClipboardFormatW(L"Rich Text Format");
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    winkit::ScopedGlobal block(::GlobalAlloc(GMEM_MOVEABLE, 8));
    std::memcpy(::GlobalLock(block.get()), "{\\rtf1}", 8);
    ::GlobalUnlock(block.get());
    if (::SetClipboardData(rtf, block.get()))
        block.release();
    ::CloseClipboard();
    ASSERT_TRUE(ClipboardHas(rtf));

    EXPECT_TRUE(CopyTextToClipboard(L"plain"));
    EXPECT_FALSE(ClipboardHas(rtf));
    EXPECT_EQ(ClipboardUnicodeText(), L"plain");
}

TEST(CopyTextToClipboard, WaitsForAnotherProgramToLetGo) {
    ASSERT_TRUE(PutClipboardText(L"before"));
    ClipboardHolder holder;
    ASSERT_TRUE(holder.holding());
    // The holder lets go from inside the copy's wait, once the first attempt has surely failed.
    holderToRelease = &holder;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        holderToRelease->Release();
    });
    ASSERT_NE(timer, 0u);
    bool copied = false;
    const auto boxes = AnsweringDialogs([&] { copied = CopyTextToClipboard(L"after"); });
    EXPECT_TRUE(copied);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(ClipboardUnicodeText(), L"after");
}

TEST(CopyTextToClipboard, OpensTheClipboardSoNoOtherThreadCanTakeItOver) {
    ASSERT_TRUE(quillet::OpenClipboardPatiently());
    // Opened for no window, any other thread's open for no window would succeed and leave us with a
    // clipboard we no longer hold: our close fails and the written text may be replaced half way.
    EXPECT_NE(::GetOpenClipboardWindow(), nullptr);
    const bool taken = std::async(std::launch::async, [] {
                           const bool opened = ::OpenClipboard(nullptr) != FALSE;
                           if (opened)
                               ::CloseClipboard();
                           return opened;
                       }).get();
    EXPECT_FALSE(taken);
    EXPECT_TRUE(::CloseClipboard());
}

TEST(CopyTextToClipboard, GivesUpOnAClipboardThatStaysHeld) {
    ASSERT_TRUE(PutClipboardText(L"kept"));
    bool copied = true;
    std::vector<testkit::DialogContents> boxes;
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.holding());
        boxes = AnsweringDialogs([&] { copied = CopyTextToClipboard(L"lost"); });
    }
    EXPECT_FALSE(copied);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, L"Quillet - Error");
    EXPECT_EQ(boxes[0].text, L"Could not open the Clipboard. Copy aborted.");
    EXPECT_EQ(ClipboardUnicodeText(), L"kept");
}

TEST(GetClipboardText, ReadsUnicodeTextAnotherProgramPut) {
    ASSERT_TRUE(PutClipboardText(L"Кошка 東京 " + kCzech));
    const auto text = GetClipboardText();
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, L"Кошка 東京 " + kCzech);
}

TEST(GetClipboardText, ReadsAnsiTextAnOlderProgramPut) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    winkit::ScopedGlobal block(::GlobalAlloc(GMEM_MOVEABLE, 6));
    std::memcpy(::GlobalLock(block.get()), "plain", 6);
    ::GlobalUnlock(block.get());
    if (::SetClipboardData(CF_TEXT, block.get()))
        block.release();
    ::CloseClipboard();
    const auto text = GetClipboardText();
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, L"plain");
}

TEST(GetClipboardText, IsEmptyWhenTheClipboardHoldsNoText) {
    ASSERT_TRUE(EmptyTheClipboard());
    const auto text = GetClipboardText();
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(*text, L"");
}

TEST(GetClipboardText, ReportsAClipboardThatStaysHeld) {
    ClipboardHolder holder;
    ASSERT_TRUE(holder.holding());
    EXPECT_FALSE(GetClipboardText().has_value());
}
