#pragma once
// A foreign application for paste tests: a top-level window with one edit control (plain, or a rich edit
// as a word processor has) that takes the keyboard. It lives on the creating thread, so that thread must keep pumping
// messages (winkit::WaitUntil does) for it to receive keystrokes.
#include "winkit/Scoped.h"

#include <windows.h>

#include <string>

namespace testkit {

class TargetWindow {
public:
    enum class Kind { PlainEdit, RichEdit };
    explicit TargetWindow(const std::wstring& title = L"Paste target", Kind kind = Kind::PlainEdit);
    TargetWindow(const TargetWindow&) = delete;
    TargetWindow& operator=(const TargetWindow&) = delete;
    ~TargetWindow();

    HWND hwnd() const { return frame_; }
    HWND edit() const { return edit_; }
    std::wstring text() const;
    // What a rich-edit target holds, as the RTF it would save; empty for a plain edit.
    std::string rtf() const;
    void clear() const;
    // Brings it to the front with the keyboard in its edit control; returns whether it is in front.
    bool Activate() const;
    // Closes it as its user would; the handle becomes invalid.
    void Close();

private:
    HWND frame_ = nullptr;
    HWND edit_ = nullptr;
    bool rich_ = false;
};

} // namespace testkit
