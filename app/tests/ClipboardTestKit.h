#pragma once
// What the clipboard tests do as another program or as the user would: put and read text with plain
// Win32 calls, and answer every message box that comes up while an action runs.
#include "testkit/Dialogs.h"
#include "winkit/Scoped.h"
#include "winkit/TextConv.h"

#include <windows.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace apptest {

// Puts Unicode text alone on the clipboard, as another program would.
inline bool PutClipboardText(const std::wstring& text) {
    if (!::OpenClipboard(nullptr))
        return false;
    ::EmptyClipboard();
    winkit::ScopedGlobal block(::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
    bool put = false;
    if (block) {
        std::memcpy(::GlobalLock(block.get()), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        ::GlobalUnlock(block.get());
        put = ::SetClipboardData(CF_UNICODETEXT, block.get()) != nullptr;
        if (put)
            block.release();
    }
    ::CloseClipboard();
    return put;
}

inline bool EmptyTheClipboard() {
    if (!::OpenClipboard(nullptr))
        return false;
    const bool emptied = ::EmptyClipboard() != FALSE;
    ::CloseClipboard();
    return emptied;
}

// The clipboard's data in `format` as bytes, with whatever terminator the writer put there.
inline std::string ClipboardBytes(UINT format) {
    std::string bytes;
    if (!::OpenClipboard(nullptr))
        return bytes;
    if (HANDLE data = ::GetClipboardData(format)) {
        if (const void* p = ::GlobalLock(data)) {
            bytes.assign(static_cast<const char*>(p), ::GlobalSize(data));
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return bytes;
}

// The Unicode text on the clipboard, read as another program would.
inline std::wstring ClipboardUnicodeText() {
    const std::string bytes = ClipboardBytes(CF_UNICODETEXT);
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
}

inline bool ClipboardHas(UINT format) { return ::IsClipboardFormatAvailable(format) != FALSE; }

// Runs `action` on this thread while another thread, acting as the user, reads every message box of
// this process and presses its first button. Returns the boxes in the order they came.
inline std::vector<testkit::DialogContents> AnsweringDialogs(const std::function<void()>& action) {
    std::vector<testkit::DialogContents> seen;
    std::atomic<bool> done{false};
    std::thread user([&] {
        std::set<HWND> answered;
        const DWORD pid = ::GetCurrentProcessId();
        while (!done) {
            for (HWND box : testkit::TopLevelWindows(pid, L"#32770")) {
                if (!::IsWindowVisible(box) || answered.count(box))
                    continue;
                answered.insert(box);
                testkit::DialogContents contents = testkit::ReadDialog(box);
                seen.push_back(contents);
                testkit::PressButton(box, contents.buttons.empty() ? IDOK : contents.buttons.front());
            }
            ::Sleep(5);
        }
    });
    action();
    done = true;
    user.join();
    return seen;
}

} // namespace apptest
