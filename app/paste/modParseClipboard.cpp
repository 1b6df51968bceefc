#include "app/paste/modParseClipboard.h"

#include "app/paste/modInternalFunctions.h"
#include "app/paste/modSendKeys.h"
#include "app/shell/Messages.h"
#include "app/shell/modSettings.h"
#include "core/SettingValue.h"
#include "winkit/Scoped.h"
#include "winkit/TextConv.h"
#include "winkit/Wait.h"

#include <windows.h>

#include <cstring>

namespace quillet {

namespace {

// Closes the clipboard on every path out of a reader.
class ClipboardCloser {
public:
    ClipboardCloser() = default;
    ClipboardCloser(const ClipboardCloser&) = delete;
    ClipboardCloser& operator=(const ClipboardCloser&) = delete;
    ~ClipboardCloser() { ::CloseClipboard(); }
};

enum class BlockResult { Ok, Failed, StillLocked };

// A movable, zero-filled block holding `bytes` bytes of data followed by `terminator` zero bytes.
BlockResult MakeBlock(const void* data, std::size_t bytes, std::size_t terminator, winkit::ScopedGlobal& block) {
    block.reset(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes + terminator));
    if (!block)
        return BlockResult::Failed;
    void* target = ::GlobalLock(block.get());
    if (!target)
        return BlockResult::Failed;
    if (bytes)
        std::memcpy(target, data, bytes);
    ::SetLastError(NO_ERROR);
    if (::GlobalUnlock(block.get()))
        return BlockResult::StillLocked;
    return ::GetLastError() == NO_ERROR ? BlockResult::Ok : BlockResult::Failed;
}

// The zero-terminated text of a clipboard block. Another program's block need not end in a zero, so
// reading never goes past its size.
template <typename Char> std::basic_string<Char> BlockText(HANDLE data) {
    winkit::GlobalLockGuard<const Char> locked(data);
    if (!locked)
        return {};
    const std::size_t capacity = ::GlobalSize(data) / sizeof(Char);
    std::size_t length = 0;
    while (length < capacity && locked.get()[length] != Char(0))
        ++length;
    return std::basic_string<Char>(locked.get(), length);
}

void ReportCopyFailure(DWORD code) {
    SetPendingWin32Error(code);
    ShowError(L"An error has occured while copying data to clipboard.", true);
}

} // namespace

// The clipboard opened for no window can be taken over by any other thread opening it for no window
// too: our close then fails, and a paste in between reads nothing. Opened for a window of our own it
// stays ours until we close it (and the written data gets a proper owner).
HWND ClipboardWindow() {
    thread_local winkit::ScopedWindow window(
        ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    return window.get();
}

bool OpenClipboardPatiently() {
    const HWND owner = ClipboardWindow();
    // Tried at once: the wait below runs this thread's pending messages first, which costs a paste its
    // time while the clipboard is nearly always free.
    if (::OpenClipboard(owner))
        return true;
    return winkit::WaitUntil([owner] { return ::OpenClipboard(owner) != FALSE; }, kClipboardOpenWaitMs, 10);
}

bool CopyTextToClipboard(const std::wstring& text) {
    const std::string ansi = winkit::ToAnsi(text);
    winkit::ScopedGlobal wide;
    winkit::ScopedGlobal narrow;
    const BlockResult made[] = {MakeBlock(text.data(), text.size() * sizeof(wchar_t), sizeof(wchar_t), wide),
                                MakeBlock(ansi.data(), ansi.size(), 1, narrow)};
    for (BlockResult result : made) {
        if (result == BlockResult::StillLocked) {
            ShowError(L"Could not unlock memory location. Copy aborted.");
            return false;
        }
        if (result == BlockResult::Failed) {
            ReportCopyFailure(::GetLastError());
            return false;
        }
    }

    if (!OpenClipboardPatiently()) {
        ShowError(L"Could not open the Clipboard. Copy aborted.");
        return false;
    }
    // Failures are reported after closing, so no other program waits on the clipboard behind a message.
    bool failed = false;
    DWORD failure = NO_ERROR;
    if (!::EmptyClipboard() || !::SetClipboardData(CF_UNICODETEXT, wide.get())) {
        failed = true;
        failure = ::GetLastError();
    } else {
        // The clipboard owns a block once it has accepted it.
        wide.release();
        // Without the ANSI copy the system still offers the text to ANSI readers, converted.
        if (::SetClipboardData(CF_TEXT, narrow.get()))
            narrow.release();
    }
    const bool closed = ::CloseClipboard() != FALSE;
    if (failed) {
        ReportCopyFailure(failure);
        return false;
    }
    // The text is on the clipboard even when closing it failed.
    if (!closed)
        ShowError(L"Could not close Clipboard.");
    return true;
}

bool CopyRtfToClipboard(const std::wstring& rtf) {
    const UINT format = ::RegisterClipboardFormatW(L"Rich Text Format");
    const std::string ansi = winkit::ToAnsi(rtf);
    winkit::ScopedGlobal block;
    // Readers of rich text stop at the first zero; one after the source keeps them inside the block.
    if (!format || MakeBlock(ansi.data(), ansi.size(), 1, block) != BlockResult::Ok) {
        SetPendingWin32Error(::GetLastError());
        ShowError(L"Can't copy RTF data to clipboard!", true);
        return false;
    }
    if (!OpenClipboardPatiently()) {
        SetPendingWin32Error(::GetLastError());
        ShowError(L"Can't copy RTF data to clipboard!", true);
        return false;
    }
    bool copied = false;
    if (::EmptyClipboard() && ::SetClipboardData(format, block.get())) {
        block.release();
        copied = true;
    }
    const DWORD code = ::GetLastError();
    if (!::CloseClipboard() || !copied) {
        SetPendingWin32Error(copied ? ::GetLastError() : code);
        ShowError(L"Can't copy RTF data to clipboard!", true);
        return false;
    }
    return true;
}

bool CopyTextAndRtfToClipboard(const std::wstring& text, const std::wstring& rtf) {
    if (!CopyTextToClipboard(text))
        return false;
    const UINT format = ::RegisterClipboardFormatW(L"Rich Text Format");
    const std::string ansi = winkit::ToAnsi(rtf);
    winkit::ScopedGlobal block;
    bool copied = false;
    // Added to the text already there: the clipboard is not emptied again.
    if (format && MakeBlock(ansi.data(), ansi.size(), 1, block) == BlockResult::Ok && OpenClipboardPatiently()) {
        copied = ::SetClipboardData(format, block.get()) != nullptr;
        if (copied)
            block.release();
        const DWORD code = ::GetLastError();
        ::CloseClipboard();
        ::SetLastError(code);
    }
    if (!copied) {
        SetPendingWin32Error(::GetLastError());
        ShowError(L"Can't copy RTF data to clipboard!", true);
    }
    return copied;
}

bool CopyPictureToClipboard(HBITMAP picture) {
    BITMAP info{};
    if (!picture || !::GetObjectW(picture, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight == 0)
        return false;
    const int width = info.bmWidth;
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    // The copy is made from the picture itself, not from a window's pixels, so it is whole even when
    // the window that shows it is hidden or covered.
    winkit::WindowDC screen(nullptr);
    winkit::ScopedMemoryDC source(::CreateCompatibleDC(screen.get()));
    winkit::ScopedMemoryDC target(::CreateCompatibleDC(screen.get()));
    if (!source || !target)
        return false;
    winkit::ScopedGdiObject copy(::CreateCompatibleBitmap(screen.get(), width, height));
    if (!copy)
        return false;
    {
        winkit::SelectObjectGuard fromPicture(source.get(), picture);
        winkit::SelectObjectGuard intoCopy(target.get(), copy.get());
        if (!::BitBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY))
            return false;
    }
    if (!OpenClipboardPatiently())
        return false;
    bool copied = false;
    if (::EmptyClipboard() && ::SetClipboardData(CF_BITMAP, copy.get())) {
        copy.release();
        copied = true;
    }
    return ::CloseClipboard() && copied;
}

void ClearClipboard() {
    if (!OpenClipboardPatiently())
        return;
    ::EmptyClipboard();
    // Empty text and empty rich text, so readers of either find nothing rather than a missing format.
    winkit::ScopedGlobal wide, narrow, rich;
    const wchar_t none = 0;
    if (MakeBlock(&none, 0, sizeof(wchar_t), wide) == BlockResult::Ok && ::SetClipboardData(CF_UNICODETEXT, wide.get()))
        wide.release();
    if (MakeBlock(&none, 0, 1, narrow) == BlockResult::Ok && ::SetClipboardData(CF_TEXT, narrow.get()))
        narrow.release();
    const UINT format = ::RegisterClipboardFormatW(L"Rich Text Format");
    if (format && MakeBlock(&none, 0, 1, rich) == BlockResult::Ok && ::SetClipboardData(format, rich.get()))
        rich.release();
    ::CloseClipboard();
}

void PasteAfterMenuAction() {
    if (!core::IsNonZero(ReadSetting(L"Quillet", L"AutoPasteOther")))
        return;
    const PasteHost& host = PasteHooks();
    if (!host.autoPasteChecked || !host.autoPasteChecked())
        return;
    if (!ActivateLastWindow())
        return;
    if (PasteMethod == 1 || PasteMethod == 2)
        SendKeys(core::kCtrlV, ActivatedWindow());
    else if (PasteMethod == 3)
        SendKeys(core::kShiftInsert, ActivatedWindow());
}

std::optional<std::wstring> GetClipboardText() {
    if (!OpenClipboardPatiently()) {
        SetPendingWin32Error(::GetLastError());
        return std::nullopt;
    }
    ClipboardCloser closer;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT))
        return BlockText<wchar_t>(data);
    // The system offers ANSI text as Unicode too; read it directly where it does not.
    if (HANDLE data = ::GetClipboardData(CF_TEXT))
        return winkit::FromAnsi(BlockText<char>(data));
    return std::wstring();
}

} // namespace quillet
