// Puts the real Quillet.exe on screen with a few clips for a screenshot: fills some rows, copies one
// (bold number), then waits until the file named by its argument exists and ends the program.
#include "bench/StageWindows.h"

#include <cstdio>
#include <string>

namespace ids = quillet::frmquillet_ids;

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: main_window_stage READY-FILE DONE-FILE\n");
        return 2;
    }
    testkit::ProgramUnderTest quillet;
    HWND window = stage::StartToMainWindow(quillet);
    if (!window)
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
    stage::Pose(window, argv[1], argv[2]);
    return 0;
}
