// The clip editor on a 100,000-character rich-text clip, in-process under Wine. Beside the same RTF bytes
// streamed into a bare rich edit of the editor's class (shown, painted, focused), in the same run:
//   open:      the main clip window's configure command for the slot (what F3 and the row's button do)
//              until the editor is shown with the text in, its status panels set, nothing left to paint
//              and the keyboard in the rich-text box;
//   hand-back: OK until the main window's row shows the handed-back name and the editor is gone.
// Median and p95 of N runs (argument, default 15) after one warm-up run. Exits non-zero, saying why,
// when a step fails or a text does not arrive whole.
#include "app/editor/RichTextBox.h"
#include "app/editor/frmConfPasteBox.h"
#include "app/projects/EditHandOver.h"
#include "app/projects/MainClipWindow.h"
#include "app/projects/frmQuillet.h"
#include "app/shell/modInitialization.h"
#include "app/shell/modSettings.h"
#include "core/ClipSlot.h"
#include "testkit/Files.h"
#include "winkit/TextConv.h"
#include "winkit/Wait.h"
#include "winkit/Window.h"

#include "BenchClock.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using quillet::frmConfPasteBox;

constexpr long kCharacters = 100000;
constexpr int kSlot = 7;
constexpr DWORD kLimitMs = 60000;
// The editor's first size and its rich-text box in it (twips, 15 to the pixel).
constexpr int kWindowWidth = 9600 / 15, kWindowHeight = 6900 / 15;
constexpr int kBoxWidth = (9600 - 180) / 15, kBoxHeight = (6900 - 2520) / 15;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "editor_bench: %s\n", what);
    std::exit(1);
}

void CheckLength(long length, const char* what) {
    if (length == kCharacters)
        return;
    std::fprintf(stderr, "editor_bench: %s holds %ld characters, not %ld\n", what, length, kCharacters);
    std::exit(1);
}

// RTF as a user's rich-text clip holds it: paragraphs with bold, italic and coloured runs in two fonts
// and Czech letters outside the ANSI code page, exactly `characters` characters (a paragraph end is one).
class ClipRtf {
public:
    explicit ClipRtf(long characters) : left_(characters) {
        rtf_ = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
               "{\\f1\\froman\\fcharset0 Times New Roman;}}{\\colortbl ;\\red192\\green0\\blue0;}"
               "\\uc1\\pard\\f0\\fs20 ";
        for (int n = 1; left_ > 0; ++n) {
            Text("Paragraph " + std::to_string(n) + ": ");
            Control("\\b ");
            Text("bold words");
            Control("\\b0 ");
            Text(", ");
            Control("\\i ");
            Text("italic ones");
            Control("\\i0 ");
            Text(", ");
            Control("{\\cf1 ");
            Text("red ones");
            Control("}");
            Text(" and ");
            Control("{\\f1 ");
            Text("another face");
            Control("}");
            Text(" with ");
            Letter("\\u268?");
            Text("e");
            Letter("\\u353?");
            Text("tina: ");
            Letter("\\u345?");
            Text("ada ");
            Letter("\\u382?");
            Text("lut");
            Letter("\\u253?");
            Text("ch kon");
            Letter("\\u237?");
            Text(", then plain text long enough to wrap the line at least once in the box.");
            Letter("\\par\n");
        }
        rtf_ += "}";
    }
    const std::string& bytes() const { return rtf_; }

private:
    // Written even after the last character, so every group is closed.
    void Control(const std::string& word) { rtf_ += word; }
    void Text(const std::string& text) {
        const std::size_t n =
            static_cast<std::size_t>(left_) < text.size() ? static_cast<std::size_t>(left_) : text.size();
        rtf_ += text.substr(0, n);
        left_ -= static_cast<long>(n);
    }
    // One character written as a control word; a paragraph end is not written as the text's last one,
    // where the box would take it for its own.
    void Letter(const std::string& word) {
        if (left_ <= 0 || (left_ == 1 && word.rfind("\\par", 0) == 0)) {
            if (left_ == 1)
                Text("!");
            return;
        }
        rtf_ += word;
        --left_;
    }
    std::string rtf_;
    long left_;
};

bool NothingToPaint(HWND window) {
    return !::GetUpdateRect(window, nullptr, FALSE);
}

// The bare rich edit: a host window like the editor's, a box of the editor's class, styles, limit and
// size, the RTF streamed in, shown, painted and focused. Returns the milliseconds; the box's length.
double BareRichEdit(const std::string& rtf, long& length) {
    const double start = bench::Now();
    winkit::Window host;
    if (!host.Create(L"QuilletEditorBenchHost", L"Bare rich edit", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                     CW_USEDEFAULT, CW_USEDEFAULT, kWindowWidth, kWindowHeight))
        Fail("the bare rich edit's window could not be created");
    const HWND box =
        ::CreateWindowExW(WS_EX_CLIENTEDGE, quillet::RichEditClassName(), L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                              ES_WANTRETURN | ES_NOHIDESEL | ES_SAVESEL,
                          4, 54, kBoxWidth, kBoxHeight, host.hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!box)
        Fail("the bare rich edit could not be created");
    ::SendMessageW(box, EM_EXLIMITTEXT, 0, frmConfPasteBox::kRichTextLimit);
    if (!quillet::SetRichRtf(box, rtf))
        Fail("the bare rich edit refused the RTF");
    ::ShowWindow(host.hwnd(), SW_SHOW);
    ::SetForegroundWindow(host.hwnd());
    ::SetFocus(box);
    if (!winkit::WaitUntil([&] { return NothingToPaint(host.hwnd()) && NothingToPaint(box) && ::GetFocus() == box; },
                           kLimitMs, 1))
        Fail("the bare rich edit was not painted and focused in time");
    const double ms = bench::Now() - start;
    length = quillet::RichTextLength(box);
    host.Destroy();
    winkit::PumpMessages();
    return ms;
}

bool EditorReady() {
    frmConfPasteBox& editor = quillet::ConfPasteBox();
    const HWND window = editor.hwnd();
    if (!window || !::IsWindowVisible(window) || editor.CurrentFormat() != L"rtf")
        return false;
    const HWND box = editor.control(frmConfPasteBox::idTxtClipRTF);
    if (::GetFocus() != box || !NothingToPaint(window) || !NothingToPaint(box))
        return false;
    for (int panel = 2; panel <= 4; ++panel)
        if (editor.PanelText(panel).empty())
            return false;
    return true;
}

// F3's path: the main clip window hands the slot over and shows the editor. Returns the milliseconds; the
// rich-text box's length.
double OpenEditor(const std::wstring& clipData, long& length) {
    quillet::Clip& clip = quillet::OpenProject().slot(kSlot);
    clip.format = core::kFormatRtf;
    clip.text = L"(RTF) Bench clip";
    clip.data = clipData;
    quillet::QuilletWindow().RefreshRows();
    winkit::PumpMessages();

    const double start = bench::Now();
    quillet::QuilletWindow().ConfigureClip(kSlot);
    if (!winkit::WaitUntil(EditorReady, kLimitMs, 1))
        Fail("the editor was not shown, painted and focused in time");
    const double ms = bench::Now() - start;
    length = quillet::RichTextLength(quillet::ConfPasteBox().control(frmConfPasteBox::idTxtClipRTF));
    return ms;
}

// OK on the open editor, under a name that tells this run's hand-back from the row it had.
double HandBack(int run) {
    frmConfPasteBox& editor = quillet::ConfPasteBox();
    const std::wstring name = L"Bench clip " + std::to_wstring(run);
    ::SetWindowTextW(editor.control(frmConfPasteBox::idTxtCustomName), name.c_str());
    winkit::PumpMessages();
    const std::wstring row = L"(RTF) " + name;

    const double start = bench::Now();
    ::SendMessageW(editor.hwnd(), WM_COMMAND, MAKEWPARAM(frmConfPasteBox::kToolbarButton + 1, BN_CLICKED),
                   reinterpret_cast<LPARAM>(editor.control(frmConfPasteBox::idToolbar)));
    if (!winkit::WaitUntil([&] { return !editor.hwnd() && quillet::QuilletWindow().RowText(kSlot) == row; }, kLimitMs,
                           1))
        Fail("OK did not close the editor and update the row in time");
    return bench::Now() - start;
}

void PrintLine(const char* what, const std::vector<double>& ms, double baseline, const char* target) {
    const double median = bench::Median(ms);
    std::printf("%-44s median %7.1f ms  p95 %7.1f ms  %5.2fx the bare rich edit%s\n", what, median,
                bench::Percentile(ms, 95), baseline > 0 ? median / baseline : 0.0, target);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 15;
    if (runs < 1)
        Fail("the number of runs must be at least 1");
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    if (!winkit::RegisterWindowClass(L"QuilletEditorBenchHost"))
        Fail("the host window class could not be registered");

    // A fresh program folder's settings and projects, the main clip window and the editor as the
    // program's start wires them.
    testkit::TempFolder folder(L"quillet-editor-bench");
    quillet::SettingsFile = folder.path() + L"settings.ini";
    quillet::ProjectsFolder = folder.path();
    quillet::TempFolder = folder.path();
    if (!quillet::CreateDefaultSettings(false))
        Fail("the settings file could not be written");
    if (!quillet::QuilletWindow().Load())
        Fail("the main clip window could not be loaded");
    quillet::ShowClipEditorHook() = [] { quillet::ShowClipEditor(); };

    const ClipRtf clip(kCharacters);
    const std::wstring clipData = winkit::FromAnsi(clip.bytes());

    long length = 0;
    const double coldBare = BareRichEdit(clip.bytes(), length);
    const double coldOpen = OpenEditor(clipData, length);
    HandBack(0);

    std::vector<double> bare, open, handBack;
    for (int run = 1; run <= runs; ++run) {
        bare.push_back(BareRichEdit(clip.bytes(), length));
        CheckLength(length, "the bare rich edit");
        open.push_back(OpenEditor(clipData, length));
        CheckLength(length, "the editor's rich-text box");
        handBack.push_back(HandBack(run));
    }
    // What the editor handed back is the whole clip again.
    winkit::Window check;
    check.Create(L"QuilletEditorBenchHost", L"Check", WS_OVERLAPPEDWINDOW);
    const HWND box = ::CreateWindowExW(0, quillet::RichEditClassName(), L"", WS_CHILD | ES_MULTILINE, 0, 0, 100, 100,
                                       check.hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(box, EM_EXLIMITTEXT, 0, frmConfPasteBox::kRichTextLimit);
    const quillet::Clip& stored = quillet::OpenProject().slot(kSlot);
    if (stored.format != core::kFormatRtf || !quillet::SetRichRtf(box, winkit::ToAnsi(stored.data)) ||
        quillet::RichTextLength(box) != kCharacters)
        Fail("the handed-back clip is not the whole rich text");
    check.Destroy();

    std::printf("A %ld-character rich-text clip (%zu bytes of RTF), %d runs after a warm-up "
                "(first of the session: bare %.1f ms, editor %.1f ms)\n",
                kCharacters, clip.bytes().size(), runs, coldBare, coldOpen);
    const double baseline = bench::Median(bare);
    std::printf("%-44s median %7.1f ms  p95 %7.1f ms  (the baseline)\n", "(a) bare rich edit: stream in, painted",
                baseline, bench::Percentile(bare, 95));
    PrintLine("(b) editor open: shown and ready", open, baseline, "  (target: within 2x)");
    PrintLine("(c) hand-back on OK: row updated, editor gone", handBack, baseline, "  (target: within 2x)");

    // The slot was edited: without this the main window would ask whether to save the project.
    quillet::OpenProject().ProjectChanged = false;
    quillet::QuilletWindow().Unload();
    quillet::ShowClipEditorHook() = nullptr;
    return 0;
}
