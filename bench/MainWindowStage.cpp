// Puts the real Quillet.exe on screen with a few clips for a screenshot: fills some rows, copies one
// (bold number), then waits until the file named by its argument exists and ends the program.
#include "app/projects/frmQuilletIds.h"
#include "testkit/Dialogs.h"
#include "testkit/Files.h"
#include "testkit/ProgramUnderTest.h"
#include "winkit/Wait.h"

#include <cstdio>
#include <string>

namespace ids = quillet::frmquillet_ids;

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: main_window_stage READY-FILE DONE-FILE\n");
        return 2;
    }
    testkit::ProgramUnderTest quillet;
    if (!quillet.ready() || !quillet.Start())
        return 1;
    HWND window = quillet.WaitForWindow(ids::kClassName, 20000);
    if (!window || !winkit::WaitUntil([&] { return ::IsWindowVisible(window) != FALSE; }, 20000))
        return 1;
    const wchar_t* clips[] = {L"Kind regards, Jana Nováková", L"jana.novakova@example.com", L"+420 555 123 456",
                              L"Příliš žluťoučký kůň", L"日本語のテキスト", L"https://example.com/orders"};
    int n = 1;
    for (const wchar_t* clip : clips)
        ::SendMessageW(::GetDlgItem(window, ids::kTxtPaste + n++), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(clip));
    ::SendMessageW(::GetDlgItem(window, ids::kTxtPaste + 16), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(L"Meeting notes"));
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(ids::kImgCopy + 2, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, ids::kImgCopy + 2)));
    winkit::WaitUntil(
        [&] {
            for (HWND s : testkit::TopLevelWindows(quillet.processId(), L"QuilletSplash"))
                if (::IsWindowVisible(s))
                    return false;
            return true;
        },
        20000);
    ::SetForegroundWindow(window);
    HANDLE ready = ::CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready != INVALID_HANDLE_VALUE)
        ::CloseHandle(ready);
    winkit::WaitUntil([&] { return testkit::FileExists(argv[2]); }, 60000, 50);
    return 0;
}
