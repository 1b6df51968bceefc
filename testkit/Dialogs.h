#pragma once
// Finding, reading and answering the dialogs a program under test shows, as a user would see them.
#include <windows.h>

#include <future>
#include <string>
#include <vector>

namespace testkit {

struct DialogContents {
    std::wstring title;
    std::wstring text;          // the message text (the longest static text)
    std::vector<int> buttons;   // control ids of the buttons, in window order
    HICON icon = nullptr;       // the icon of the icon control, if there is one
};

// Top-level windows of a process with the given class ("" for any), hidden ones included.
std::vector<HWND> TopLevelWindows(DWORD processId, const std::wstring& className = L"");

// The first visible dialog box of the process whose title is `title`; null when none appeared in time.
HWND WaitForDialog(DWORD processId, const std::wstring& title, DWORD timeoutMs);

DialogContents ReadDialog(HWND dialog);
std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);

// Presses the dialog's button with the given id, as a click would.
void PressButton(HWND dialog, int id);

struct AnsweredBox {
    bool appeared = false;
    DialogContents contents;
};

// Acts as the user for the next message box this process shows with the given title: from another
// thread it waits for the box, reads it and presses `button`. Start it before the call that shows
// the box; get() the result after that call returned.
std::future<AnsweredBox> AnswerMessageBox(const std::wstring& title, int button, DWORD timeoutMs = 10000);

// One dialog the user answers: the title it is waited for by, the file name typed into a file dialog
// (empty for other dialogs) and the button pressed.
struct DialogStep {
    std::wstring title;
    int button = IDOK;
    std::wstring fileName;
};

// Answers several dialogs in turn, each once the one before has closed. A step whose dialog does not
// come in time ends the script; the result holds one entry per step that was reached.
std::future<std::vector<AnsweredBox>> AnswerDialogs(std::vector<DialogStep> steps, DWORD timeoutMs = 10000);

} // namespace testkit
