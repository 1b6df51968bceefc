// LoadClipFile and SaveClipFile of the clip editor in the text modes (the picture mode hands them to the
// picture side).
#include "app/editor/RichTextBox.h"
#include "app/editor/frmConfPasteBox.h"
#include "app/editor/modClipFiles.h"
#include "app/shell/Messages.h"
#include "winkit/BusyCursor.h"

#include <commdlg.h>

#include <cwctype>
#include <vector>

namespace quillet {
namespace {

constexpr const wchar_t* kTextFilter = L"Text Files|*.txt|HTML and PHP Files|*.htm;*.html;*.php;*.xhtml;*.phtml;*.js;"
                                       L"*.sql|BAT files|*.bat|LOG and NFO files|*.bat; *.nfo|INI and CFG files|*.ini; "
                                       L"*.cfg|All Files|*.*";
constexpr const wchar_t* kRtfOpenFilter = L"RTF Files|*.rtf|Text Files|*.txt|HTML, PHP and web text Files|*.htm;*.html;"
                                          L"*.php;*.xhtml;*.phtml;*.js;*.sql|All Files|*.*";
constexpr const wchar_t* kRtfSaveFilter = L"RTF Files|*.rtf|All Files|*.*";

// The dialog's form of a filter: "|" becomes the terminator between parts.
std::vector<wchar_t> DialogFilter(const wchar_t* filter) {
    std::vector<wchar_t> out(filter, filter + ::lstrlenW(filter));
    for (wchar_t& c : out)
        if (c == L'|')
            c = L'\0';
    out.push_back(L'\0');
    out.push_back(L'\0');
    return out;
}

std::wstring AskFileName(HWND owner, const wchar_t* filter, const wchar_t* title, bool save) {
    const std::vector<wchar_t> filters = DialogFilter(filter);
    wchar_t file[MAX_PATH * 4] = {};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.data();
    dialog.lpstrFile = file;
    dialog.nMaxFile = static_cast<DWORD>(sizeof(file) / sizeof(file[0]));
    dialog.lpstrTitle = title;
    dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | (save ? OFN_OVERWRITEPROMPT : 0);
    const BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
    return chosen ? std::wstring(file) : std::wstring();
}

bool EndsWithRtf(const std::wstring& path) {
    if (path.size() < 3)
        return false;
    std::wstring last = path.substr(path.size() - 3);
    for (wchar_t& c : last)
        c = static_cast<wchar_t>(std::towlower(c));
    return last == L"rtf";
}

void TellCut() {
    ShowMessage(L"The file holds more than 100 000 characters; only the first 100 000 were loaded.", L"excl");
}

} // namespace

void frmConfPasteBox::LoadClipFile() {
    if (currentFormat_ == L"img") {
        if (picture_.CommandsAvailable())
            picture_.LoadFile();
        return;
    }
    if (currentFormat_ != L"txt" && currentFormat_ != L"rtf")
        return;
    std::wstring path;
    {
        winkit::BusyCursor busy;
        path = AskFileName(hwnd(), currentFormat_ == L"rtf" ? kRtfOpenFilter : kTextFilter, L"Open File", false);
    }
    if (!path.empty())
        LoadClipFileFrom(path);
}

void frmConfPasteBox::LoadClipFileFrom(const std::wstring& path) {
    winkit::BusyCursor busy;
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        ShowError(L"Selected file does not exists!");
        return;
    }
    const std::optional<std::string> bytes = ReadClipFile(path);
    if (!bytes)
        return;
    // The file's characters go in as they are: nothing is added, so nothing has to be taken off again.
    if (currentFormat_ == L"rtf") {
        const HWND box = control(idTxtClipRTF);
        if (EndsWithRtf(path))
            SetRichRtf(box, *bytes);
        else
            SetRichText(box, DecodeTextFile(*bytes));
        // Text set from outside is not held to the box's limit, and a stream may stop at it: either way
        // the clip ends at the limit and the user is told.
        const bool cut = RichTextLength(box) >= kRichTextLimit;
        if (RichTextLength(box) > kRichTextLimit) {
            CHARRANGE tail{kRichTextLimit, -1};
            ::SendMessageW(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&tail));
            ::SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
        }
        CaretToEnd(box);
        if (cut)
            TellCut();
    } else {
        const HWND box = control(idTxtClipTXT);
        ::SetWindowTextW(box, DecodeTextFile(*bytes).c_str());
        CaretToEnd(box);
    }
    OnTextChanged();
}

void frmConfPasteBox::SaveClipFile() {
    if (currentFormat_ == L"img") {
        if (picture_.CommandsAvailable())
            picture_.SaveFile();
        return;
    }
    if (currentFormat_ != L"txt" && currentFormat_ != L"rtf")
        return;
    std::wstring path;
    {
        winkit::BusyCursor busy;
        path = AskFileName(hwnd(), currentFormat_ == L"rtf" ? kRtfSaveFilter : kTextFilter, L"Save clip to File", true);
    }
    if (!path.empty())
        SaveClipFileTo(path);
}

void frmConfPasteBox::SaveClipFileTo(const std::wstring& path) {
    winkit::BusyCursor busy;
    const std::string bytes = currentFormat_ == L"rtf" ? RichRtf(control(idTxtClipRTF)) : EncodeTextFile(ActiveText());
    if (currentFormat_ == L"txt")
        SetRichText(control(idTxtClipRTF), L""); // the plain text's way out leaves the rich box empty
    // A failed save must not look like a saved file.
    if (!WriteClipFile(path, bytes))
        ShowError(L"The clip could not be saved to " + path + L".", true);
}

} // namespace quillet
