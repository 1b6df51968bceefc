#pragma once
// The clipboard as another program uses it: text put and read with plain calls, and a clipboard viewer
// that takes its place in the viewer chain and plays by the chain's rules. The clipboard is opened
// for a window of the caller's own, as programs do, so the program under test cannot lose it to us half
// way through (an open for no window can be taken over by any other such open), and a busy clipboard is
// waited for a moment rather than read as empty.
#include <windows.h>

#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <thread>

namespace testkit {

// Puts Unicode text alone on the clipboard.
bool PutClipboardText(const std::wstring& text);
// Puts `size` bytes alone on the clipboard in `format`.
bool PutClipboardBytes(UINT format, const void* bytes, std::size_t size);
bool EmptyTheClipboard();
// The data in `format` as bytes, with whatever terminator the writer put there; empty when there is none.
std::string ClipboardBytes(UINT format);
// The Unicode text on the clipboard, up to its terminator; nothing when there is no text or the
// clipboard stays busy.
std::optional<std::wstring> ClipboardText();
bool ClipboardHas(UINT format);

// A clipboard viewer of another program: a window on a thread of its own that keeps answering, as a
// separate application would (a viewer in the chain is sent the notices synchronously, so one that
// waited on the test's thread would hold the program under test up). It counts the change notices it
// gets, hands each one on to the next viewer, and follows the chain when a viewer leaves.
class ClipboardViewer {
public:
    ClipboardViewer();
    ClipboardViewer(const ClipboardViewer&) = delete;
    ClipboardViewer& operator=(const ClipboardViewer&) = delete;
    ~ClipboardViewer();

    // Joins the chain at its head; false when the viewer has no window.
    bool Join();
    // Leaves the chain as a well-behaved viewer does.
    void Leave();
    HWND hwnd() const { return window_; }
    // Change notices received while in the chain (the one that comes on joining included).
    int changes() const { return changes_; }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Run();

    std::thread thread_;
    HWND window_ = nullptr;
    HWND next_ = nullptr; // touched on the viewer's thread only
    bool joined_ = false; // likewise
    std::atomic<int> changes_{0};
};

} // namespace testkit
