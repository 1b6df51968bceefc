#pragma once
// Helpers on a rich-text edit control: its class, its text and RTF in and out, and the selection's
// character and paragraph formatting as the editor's toolbar reads and sets it.
#include <windows.h>
#include <richedit.h>

#include <optional>
#include <string>

namespace quillet {

// The newest rich-text control class the system has (loading its library once).
const wchar_t* RichEditClassName();

// Holds back a rich edit's notices (EN_CHANGE, EN_SELCHANGE...) and, when asked, its painting while the
// program changes it in many steps, so that no handler runs and nothing is painted for each step. Both
// come back when it goes; held-back painting is then done once.
class QuietRichEdit {
public:
    explicit QuietRichEdit(HWND box, bool noPainting = false);
    ~QuietRichEdit();
    QuietRichEdit(const QuietRichEdit&) = delete;
    QuietRichEdit& operator=(const QuietRichEdit&) = delete;

private:
    HWND box_;
    LRESULT mask_;
    bool painting_;
};

// The whole plain text, line breaks as CR LF.
std::wstring RichPlainText(HWND box);
// The number of characters of the plain text (a line break counts as one, as the control counts).
long RichTextLength(HWND box);
// The RTF source of the whole box, or of the selection only. It keeps every character: those the writer
// only approximates in its code page are written as \u escapes (or, when its source cannot be followed,
// given a character set that holds them before the box writes again).
std::string RichRtf(HWND box, bool selectionOnly = false);
// Replaces the whole box, or the selection, with the RTF source (false when the control refused it).
bool SetRichRtf(HWND box, const std::string& rtf, bool selectionOnly = false);
void SetRichText(HWND box, const std::wstring& text);
// Puts the caret after the last character of an edit or rich edit (a selection from -1 would only drop
// the selection and leave the caret where it was).
void CaretToEnd(HWND box);

// A selection property that may differ within the selection: nothing when it is mixed.
using Tristate = std::optional<bool>;

struct SelectionFormat {
    Tristate bold, italic, underline, strikeout, bullet;
    std::optional<std::wstring> fontName;
    std::optional<int> fontSize; // points
    std::optional<COLORREF> colour;
    std::optional<int> alignment; // 0 left, 1 right, 2 centre
    long leftIndent = 0;          // twips
    long hangingIndent = 0;       // twips
};
SelectionFormat ReadSelectionFormat(HWND box);

void SetSelectionEffect(HWND box, DWORD mask, bool on); // CFM_BOLD, CFM_ITALIC, ...
void SetSelectionFont(HWND box, const std::wstring& name);
void SetSelectionSize(HWND box, int points);
void SetSelectionColour(HWND box, COLORREF colour);
void SetSelectionAlignment(HWND box, int alignment); // 0 left, 1 right, 2 centre
// Bullets on with the left indent grown by `indent` twips, or off with it shrunk and no hanging indent.
void SetSelectionBullet(HWND box, bool on, long indent);

} // namespace quillet
