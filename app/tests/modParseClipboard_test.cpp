#include "app/paste/modParseClipboard.h"

#include "app/tests/ClipboardTestKit.h"
#include "winkit/Scoped.h"
#include "winkit/TextConv.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
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

namespace {

// The pixels of a bitmap as 32-bit top-down rows.
std::vector<std::uint32_t> PixelsOf(HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
    winkit::WindowDC screen(nullptr);
    if (::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) != height)
        pixels.clear();
    for (auto& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

} // namespace

TEST(CopyRtfToClipboard, PutsTheAnsiRichTextAloneAndReportsAHeldClipboard) {
    ASSERT_TRUE(PutClipboardText(L"text before"));
    const std::wstring rtf = L"{\\rtf1\\ansi caf\\'e9 na\xEFve}";
    ASSERT_TRUE(quillet::CopyRtfToClipboard(rtf));
    const UINT format = ::RegisterClipboardFormatW(L"Rich Text Format");
    const std::string bytes = ClipboardBytes(format);
    // Readers stop at the first zero: the text comes whole and is followed by one.
    const std::string expected = winkit::ToAnsi(rtf);
    ASSERT_GT(bytes.size(), expected.size());
    EXPECT_EQ(bytes.substr(0, expected.size()), expected);
    EXPECT_EQ(bytes[expected.size()], '\0');
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_UNICODETEXT)) << "the text that was there is gone";

    bool copied = true;
    std::vector<testkit::DialogContents> boxes;
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.holding());
        boxes = AnsweringDialogs([&] { copied = quillet::CopyRtfToClipboard(L"{\\rtf1 lost}"); });
    }
    EXPECT_FALSE(copied);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, L"Quillet - Error");
    EXPECT_NE(boxes[0].text.find(L"Can't copy RTF data to clipboard!"), std::wstring::npos) << boxes[0].text;
    EXPECT_EQ(ClipboardBytes(format).substr(0, expected.size()), expected);
}

TEST(CopyPictureToClipboard, PutsACopyOfEveryPixelAndRefusesNoPicture) {
    constexpr int kWidth = 3, kHeight = 2;
    const std::uint32_t colours[kWidth * kHeight] = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x000000};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    winkit::ScopedGdiObject picture(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(picture && bits);
    std::memcpy(bits, colours, sizeof(colours));
    const auto original = PixelsOf(static_cast<HBITMAP>(picture.get()), kWidth, kHeight);
    ASSERT_EQ(original.size(), 6u);

    ASSERT_TRUE(quillet::CopyPictureToClipboard(static_cast<HBITMAP>(picture.get())));
    ASSERT_TRUE(::OpenClipboard(nullptr));
    const auto onClipboard = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    BITMAP size{};
    const bool sized = onClipboard && ::GetObjectW(onClipboard, sizeof(size), &size);
    const auto copied = sized ? PixelsOf(onClipboard, kWidth, kHeight) : std::vector<std::uint32_t>{};
    ::CloseClipboard();
    ASSERT_TRUE(sized);
    EXPECT_NE(onClipboard, picture.get()) << "the clipboard owns a copy, not the clip's own picture";
    EXPECT_EQ(size.bmWidth, kWidth);
    EXPECT_EQ(size.bmHeight, kHeight);
    EXPECT_EQ(copied, original);

    // Nothing to copy leaves the clipboard as it was.
    EXPECT_FALSE(quillet::CopyPictureToClipboard(nullptr));
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
}
