// The clip editor's text commands: toolbar2 in the plain and rich text modes, the font and colour
// dialogs, the font boxes and the keeping of the buttons in step with the rich-text selection.
#include "app/editor/RichTextBox.h"
#include "app/editor/frmConfPasteBox.h"
#include "app/paste/modParseClipboard.h"
#include "app/shell/Messages.h"
#include "core/ClipEditorRules.h"
#include "winkit/TextConv.h"

#include <commctrl.h>
#include <commdlg.h>

#include <stdexcept>

namespace quillet {
namespace {

std::wstring WindowString(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

int ScreenDpi() {
    winkit::WindowDC screen(nullptr);
    return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

UINT RtfFormat() {
    return ::RegisterClipboardFormatW(L"Rich Text Format");
}

// The clipboard's rich text, or nothing when it holds none.
std::optional<std::string> ClipboardRtf() {
    if (!::IsClipboardFormatAvailable(RtfFormat()) || !OpenClipboardPatiently())
        return std::nullopt;
    std::optional<std::string> rtf;
    if (HANDLE data = ::GetClipboardData(RtfFormat())) {
        if (const char* bytes = static_cast<const char*>(::GlobalLock(data))) {
            const SIZE_T size = ::GlobalSize(data);
            std::size_t length = 0;
            while (length < size && bytes[length])
                ++length;
            rtf.emplace(bytes, length);
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return rtf;
}

} // namespace

void frmConfPasteBox::Toolbar2Click(int index) {
    if (currentFormat_ == L"img") {
        if (!picture_.CommandsAvailable())
            return;
        if (index == 1)
            picture_.LoadFile();
        else if (index == 2)
            picture_.SaveFile();
        else
            picture_.ToolbarButton(index);
        return;
    }
    if (currentFormat_ != L"txt" && currentFormat_ != L"rtf")
        return;
    const bool rtf = currentFormat_ == L"rtf";
    const HWND box = ActiveBox();
    try {
        switch (index) {
        case 1:
            LoadClipFile();
            break;
        case 2:
            SaveClipFile();
            break;
        case 4:
            ::PostMessageW(box, EM_UNDO, 0, 0);
            break;
        case 6:
        case 7:
        case 8:
            if (rtf) {
                const DWORD mask = index == 6 ? CFM_BOLD : index == 7 ? CFM_ITALIC : CFM_UNDERLINE;
                SetSelectionEffect(box, mask, ButtonPressed(idToolbar2, index));
            }
            break;
        case 9:
            if (rtf) {
                const SelectionFormat format = ReadSelectionFormat(box);
                const bool on = !(format.bullet && *format.bullet);
                SetSelectionBullet(box, on, kBulletIndent);
                PressButton(idToolbar2, 9, on);
            }
            break;
        case 11:
            ApplyColourDialog();
            break;
        case 12:
            ApplyFontDialog();
            break;
        case 14:
        case 15:
        case 16:
            if (rtf)
                SetSelectionAlignment(box, index == 14 ? 0 : index == 15 ? 2 : 1);
            break;
        case 18:
        case 19:
            CutOrCopy(index == 18);
            break;
        case 20:
            PasteText();
            break;
        default:
            break;
        }
    } catch (const std::exception&) {
        ShowError(L"Unexpected error", true);
    }
    if (rtf)
        SyncSelection();
}

void frmConfPasteBox::CutOrCopy(bool cut) {
    const HWND box = ActiveBox();
    if (currentFormat_ == L"txt") {
        DWORD start = 0, end = 0;
        ::SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        if (end <= start)
            return; // nothing selected: the clipboard stays as it is
        const std::wstring text = WindowString(box).substr(start, end - start);
        if (CopyTextToClipboard(text) && cut)
            ::SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
        return;
    }
    CHARRANGE range{};
    ::SendMessageW(box, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    if (range.cpMax <= range.cpMin)
        return;
    std::wstring text(static_cast<std::size_t>(range.cpMax - range.cpMin) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::SendMessageW(box, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()))));
    const std::string rtf = RichRtf(box, true);
    if (CopyTextAndRtfToClipboard(text, winkit::FromAnsi(rtf)) && cut)
        ::SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

void frmConfPasteBox::PasteText() {
    const HWND box = ActiveBox();
    if (currentFormat_ == L"rtf") {
        CHARRANGE range{};
        ::SendMessageW(box, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
        const long before = RichTextLength(box) - (range.cpMax - range.cpMin);
        std::optional<std::wstring> plain = GetClipboardText();
        if (std::optional<std::string> rtf = ClipboardRtf())
            SetRichRtf(box, *rtf, true);
        else if (plain)
            ::SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(plain->c_str()));
        // The box refuses what goes past its limit; the user must know the paste was cut.
        if (plain && before + static_cast<long>(plain->size()) > kRichTextLimit &&
            RichTextLength(box) >= kRichTextLimit - 1)
            ShowMessage(L"The pasted text was cut: a rich-text clip holds at most 100 000 characters.", L"excl");
        return;
    }
    if (std::optional<std::wstring> text = GetClipboardText())
        ::SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text->c_str()));
}

void frmConfPasteBox::ApplyColourDialog() {
    static COLORREF custom[16] = {};
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = hwnd();
    choose.lpCustColors = custom;
    choose.Flags = CC_FULLOPEN | CC_RGBINIT;
    const bool rtf = currentFormat_ == L"rtf";
    const SelectionFormat format = rtf ? ReadSelectionFormat(control(idTxtClipRTF)) : SelectionFormat{};
    choose.rgbResult = rtf ? format.colour.value_or(0) : txtColour_;
    if (!::ChooseColorW(&choose))
        return;
    if (rtf)
        SetSelectionColour(control(idTxtClipRTF), choose.rgbResult);
    else
        SetPlainFont(txtFont_, choose.rgbResult);
}

void frmConfPasteBox::ApplyFontDialog() {
    const bool rtf = currentFormat_ == L"rtf";
    LOGFONTW font = txtFont_;
    COLORREF colour = txtColour_;
    if (rtf) {
        const SelectionFormat format = ReadSelectionFormat(control(idTxtClipRTF));
        font.lfWeight = ButtonPressed(idToolbar2, 6) ? FW_BOLD : FW_NORMAL;
        font.lfItalic = ButtonPressed(idToolbar2, 7);
        font.lfUnderline = ButtonPressed(idToolbar2, 8);
        font.lfStrikeOut = format.strikeout.value_or(false);
        colour = format.colour.value_or(0);
    }
    const int size = core::FontSizeFromBox(WindowString(control(idCmbSize)));
    if (size > 0)
        font.lfHeight = -::MulDiv(size, ScreenDpi(), 72);
    ::lstrcpynW(font.lfFaceName, WindowString(control(idCmbFont)).c_str(), LF_FACESIZE);

    CHOOSEFONTW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = hwnd();
    choose.lpLogFont = &font;
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    choose.rgbColors = colour;
    if (!::ChooseFontW(&choose))
        return;
    const int points = choose.iPointSize > 0 ? (choose.iPointSize + 5) / 10 : ::MulDiv(-font.lfHeight, 72, ScreenDpi());
    if (rtf) {
        const HWND box = control(idTxtClipRTF);
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof(cf);
        cf.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR;
        ::lstrcpynW(cf.szFaceName, font.lfFaceName, LF_FACESIZE);
        cf.yHeight = points * 20;
        cf.dwEffects = (font.lfWeight >= FW_BOLD ? CFE_BOLD : 0) | (font.lfItalic ? CFE_ITALIC : 0) |
                       (font.lfUnderline ? CFE_UNDERLINE : 0) | (font.lfStrikeOut ? CFE_STRIKEOUT : 0);
        cf.crTextColor = choose.rgbColors;
        ::SendMessageW(box, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    } else {
        SetPlainFont(font, choose.rgbColors);
        ::SetWindowTextW(control(idCmbFont), font.lfFaceName);
    }
    ::SetWindowTextW(control(idCmbSize), std::to_wstring(points).c_str());
}

void frmConfPasteBox::ChangeFont() {
    const std::wstring name = WindowString(control(idCmbFont));
    if (name.empty())
        return;
    if (currentFormat_ == L"rtf") {
        SetSelectionFont(control(idTxtClipRTF), name);
    } else if (currentFormat_ == L"txt") {
        LOGFONTW font = txtFont_;
        ::lstrcpynW(font.lfFaceName, name.c_str(), LF_FACESIZE);
        SetPlainFont(font, txtColour_);
    }
}

void frmConfPasteBox::ChangeSize() {
    const int points = core::FontSizeFromBox(WindowString(control(idCmbSize)));
    if (currentFormat_ == L"rtf") {
        SetSelectionSize(control(idTxtClipRTF), points);
    } else if (currentFormat_ == L"txt") {
        LOGFONTW font = txtFont_;
        font.lfHeight = -::MulDiv(points, ScreenDpi(), 72);
        SetPlainFont(font, txtColour_);
    }
}

void frmConfPasteBox::SyncSelection() {
    if (currentFormat_ != L"rtf")
        return;
    const SelectionFormat f = ReadSelectionFormat(control(idTxtClipRTF));
    // A property that differs within the selection shows as unpressed.
    PressButton(idToolbar2, 6, f.bold.value_or(false));
    PressButton(idToolbar2, 7, f.italic.value_or(false));
    PressButton(idToolbar2, 8, f.underline.value_or(false));
    PressButton(idToolbar2, 9, f.bullet.value_or(false));
    const int alignment = f.alignment.value_or(-1);
    PressButton(idToolbar2, 14, alignment == 0);
    PressButton(idToolbar2, 15, alignment == 2);
    PressButton(idToolbar2, 16, alignment == 1);
    ::SetWindowTextW(control(idCmbFont), f.fontName.value_or(L"").c_str());
    ::SetWindowTextW(control(idCmbSize), f.fontSize ? std::to_wstring(*f.fontSize).c_str() : L"");
}

} // namespace quillet
