// Puts the real Quillet.exe on screen with the clip editor in each text mode for two screenshots: plain
// text with a few lines, then rich text with bold, italic, colour, a bullet list and a centred title, the
// caret in the bold word so the toolbar shows it. Between the two it waits for the files named by its
// arguments.
#include "app/editor/frmConfPasteBox.h"
#include "bench/StageWindows.h"
#include "testkit/Clipboard.h"
#include "testkit/RemoteControls.h"

#include <cstdio>
#include <string>

namespace ids = quillet::frmquillet_ids;
using quillet::frmConfPasteBox;

namespace {

constexpr const wchar_t* kPlain = L"Shipping address for the spring order:\r\n"
                                  L"  Marta Novakova\r\n"
                                  L"  14 Linden Street\r\n"
                                  L"  Brno 602 00\r\n"
                                  L"\r\n"
                                  L"Call before delivery: +420 555 123 456";

// Put on the clipboard as "Rich Text Format" and pasted into the rich box with the editor's Paste button.
constexpr const char kRich[] =
    R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\froman Times New Roman;}})"
    R"({\colortbl;\red0\green0\blue0;\red192\green0\blue0;\red0\green96\blue160;})"
    R"(\pard\qc\f1\fs32\b Weekly status\b0\par)"
    R"(\pard\f0\fs20 The release is \b on track\b0 ; the installer still needs \i one more review\i0 .\par)"
    R"(\pard{\pntext\f0 \'95\tab}{\*\pn\pnlvlblt\pnf0\pnindent400{\pntxtb\'95}}\fi-400\li400 )"
    R"(Clipboard menu: \cf2 done\cf0\par)"
    R"({\pntext\f0 \'95\tab}Picture effects: \cf3 in testing\cf0\par)"
    R"({\pntext\f0 \'95\tab}Help file: waiting for screenshots\par)"
    R"(\pard\par Reply by Friday, please.\par})";

bool PutRichText() {
    return testkit::PutClipboardBytes(::RegisterClipboardFormatW(L"Rich Text Format"), kRich, sizeof kRich);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: editor_text_stage READY1 DONE1 READY2 DONE2\n");
        return 2;
    }
    testkit::ProgramUnderTest quillet;
    HWND window = stage::StartToMainWindow(quillet);
    if (!window)
        return std::fprintf(stderr, "editor_text_stage: stopped at line %d\n", __LINE__), 1;
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(ids::kImgConf + 1, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, ids::kImgConf + 1)));
    HWND editor = quillet.WaitForWindow(L"QuilletConfPasteBox", 20000);
    if (!editor)
        return std::fprintf(stderr, "editor_text_stage: stopped at line %d\n", __LINE__), 1;
    HWND plain = nullptr, status = nullptr;
    if (!winkit::WaitUntil(
            [&] {
                plain = ::GetDlgItem(editor, frmConfPasteBox::idTxtClipTXT);
                status = ::GetDlgItem(editor, frmConfPasteBox::idSBar);
                return plain && status && ::IsWindowVisible(editor) && ::IsWindowVisible(plain);
            },
            10000))
        return std::fprintf(stderr, "editor_text_stage: stopped at line %d\n", __LINE__), 1;
    // Put in as typed text: a multi-line box reports no change for a whole new text.
    ::SendMessageW(plain, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(kPlain));
    // The character count in the status bar follows the text once the box has taken it.
    if (!winkit::WaitUntil([&] { return testkit::StatusBarText(status, 1).find(L" 0 /") == std::wstring::npos; },
                           10000))
        return std::fprintf(stderr, "editor_text_stage: stopped at line %d\n", __LINE__), 1;
    stage::Pose(editor, argv[1], argv[2]);

    stage::Command(editor, frmConfPasteBox::kToolbarButton + 7);
    HWND rich = ::GetDlgItem(editor, frmConfPasteBox::idTxtClipRTF);
    if (!winkit::WaitUntil([&] { return ::IsWindowVisible(rich) != FALSE; }, 10000))
        return std::fprintf(stderr, "editor_text_stage: stopped at line %d\n", __LINE__), 1;
    ::SendMessageW(rich, EM_SETSEL, 0, -1);
    if (!PutRichText())
        return std::fprintf(stderr, "editor_text_stage: stopped at line %d\n", __LINE__), 1;
    stage::Command(editor, frmConfPasteBox::kToolbar2Button + 20);
    // Asked of the box itself: the system keeps no text for another program's controls.
    std::wstring text;
    auto pasted = [&] {
        text.assign(static_cast<std::size_t>(::SendMessageW(rich, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            ::SendMessageW(rich, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        return text.rfind(L"Weekly status", 0) == 0;
    };
    if (!winkit::WaitUntil(pasted, 10000))
        return std::fprintf(stderr, "editor_text_stage: stopped at line %d\n", __LINE__), 1;
    const auto bold = text.find(L"on track");
    if (bold == std::wstring::npos)
        return std::fprintf(stderr, "editor_text_stage: stopped at line %d\n", __LINE__), 1;
    ::SendMessageW(rich, EM_SETSEL, bold + 3, bold + 3);
    stage::Pose(editor, argv[3], argv[4]);
    return 0;
}
