#include "testkit/Dialogs.h"

#include "winkit/Wait.h"

namespace testkit {

std::wstring WindowText(HWND hwnd) {
    const int n = ::GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(hwnd, text.data(), n + 1)));
    return text;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[256] = {};
    ::GetClassNameW(hwnd, name, 256);
    return name;
}

std::vector<HWND> TopLevelWindows(DWORD processId, const std::wstring& className) {
    struct Search {
        DWORD pid;
        const std::wstring* cls;
        std::vector<HWND> found;
    } search{processId, &className, {}};
    ::EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(hwnd, &pid);
            if (pid == s->pid && (s->cls->empty() || ClassName(hwnd) == *s->cls))
                s->found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForDialog(DWORD processId, const std::wstring& title, DWORD timeoutMs) {
    HWND dialog = nullptr;
    winkit::WaitUntil(
        [&] {
            for (HWND hwnd : TopLevelWindows(processId, L"#32770")) {
                if (::IsWindowVisible(hwnd) && WindowText(hwnd) == title) {
                    dialog = hwnd;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return dialog;
}

DialogContents ReadDialog(HWND dialog) {
    DialogContents contents;
    contents.title = WindowText(dialog);
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring cls = ClassName(child);
        const LONG style = ::GetWindowLongW(child, GWL_STYLE);
        if (_wcsicmp(cls.c_str(), L"Button") == 0) {
            contents.buttons.push_back(::GetDlgCtrlID(child));
        } else if (_wcsicmp(cls.c_str(), L"Static") == 0) {
            if ((style & SS_TYPEMASK) == SS_ICON) {
                contents.icon = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
            } else {
                std::wstring text = WindowText(child);
                if (text.size() > contents.text.size())
                    contents.text = std::move(text);
            }
        }
    }
    return contents;
}

void PressButton(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

} // namespace testkit

namespace testkit {

namespace {

// The file name box of a file dialog: the combo box of the explorer style, or the plain edit.
void TypeFileName(HWND dialog, const std::wstring& name) {
    constexpr int kFileNameCombo = 0x47C; // cmb13
    constexpr int kFileNameEdit = 0x480;  // edt1
    for (int id : {kFileNameCombo, kFileNameEdit}) {
        if (HWND box = ::GetDlgItem(dialog, id)) {
            ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
            if (HWND edit = ::FindWindowExW(box, nullptr, L"Edit", nullptr))
                ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
    }
}

AnsweredBox Answer(const DialogStep& step, DWORD timeoutMs) {
    AnsweredBox answered;
    HWND box = WaitForDialog(::GetCurrentProcessId(), step.title, timeoutMs);
    if (!box)
        return answered;
    answered.appeared = true;
    answered.contents = ReadDialog(box);
    if (!step.fileName.empty())
        TypeFileName(box, step.fileName);
    PressButton(box, step.button);
    // The next step must not find this dialog again while it closes.
    winkit::WaitUntil([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }, timeoutMs);
    return answered;
}

} // namespace

std::future<AnsweredBox> AnswerMessageBox(const std::wstring& title, int button, DWORD timeoutMs) {
    return std::async(std::launch::async, [title, button, timeoutMs] { return Answer({title, button, {}}, timeoutMs); });
}

std::future<std::vector<AnsweredBox>> AnswerDialogs(std::vector<DialogStep> steps, DWORD timeoutMs) {
    return std::async(std::launch::async, [steps = std::move(steps), timeoutMs] {
        std::vector<AnsweredBox> answers;
        for (const DialogStep& step : steps) {
            answers.push_back(Answer(step, timeoutMs));
            if (!answers.back().appeared)
                break;
        }
        return answers;
    });
}

} // namespace testkit
