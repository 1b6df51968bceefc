#include "app/editor/frmConfPasteBox.h"

#include "app/editor/RichTextBox.h"
#include "app/menu/frmMain.h"
#include "app/projects/EditHandOver.h"
#include "app/projects/MainClipWindow.h"
#include "app/projects/frmQuillet.h"
#include "app/shell/Messages.h"
#include "app/shell/modInitialization.h"
#include "app/shell/modSettings.h"
#include "core/ClipEditorRules.h"
#include "core/ClipSlot.h"
#include "core/SettingValue.h"
#include "winkit/ChildWindows.h"
#include "winkit/TextConv.h"

#include <commctrl.h>

#include <stdexcept>
#include <vector>

namespace quillet {

const wchar_t* ToolbarTooltip(int id);

namespace {

constexpr const wchar_t* kClassName = L"QuilletConfPasteBox";
constexpr const wchar_t* kFormName = L"frmConfPasteBox";
constexpr UINT_PTR kShowTimer = 1;
// Keys that close or clear act after the key's own message is done, so no control is destroyed inside
// its own window procedure.
constexpr UINT kBoxHotkeyMsg = WM_APP + 15;
constexpr int kTwips = 15;

int Px(long twips) {
    return static_cast<int>(twips / kTwips);
}

std::wstring WindowString(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

bool Checked(HWND button) {
    return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::wstring GroupSeparator() {
    wchar_t buffer[8] = {};
    if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, buffer, 8) <= 0)
        return L",";
    return buffer;
}

int ScreenDpi() {
    winkit::WindowDC screen(nullptr);
    return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

int PointsOf(const LOGFONTW& font) {
    const long height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    return ::MulDiv(static_cast<int>(height), 72, ScreenDpi());
}

void SetPoints(LOGFONTW& font, int points) {
    font.lfHeight = -::MulDiv(points, ScreenDpi(), 72);
}

LOGFONTW FixedsysFont() {
    LOGFONTW font{};
    ::lstrcpynW(font.lfFaceName, L"Fixedsys", LF_FACESIZE);
    SetPoints(font, 9);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    return font;
}

LRESULT CALLBACK FrameProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    // fraImg's children report to their frame; the editor hands their notices to the picture side.
    if (msg == WM_COMMAND || msg == WM_NOTIFY || msg == WM_HSCROLL || msg == WM_VSCROLL || msg == WM_DRAWITEM) {
        LRESULT result = 0;
        if (ConfPasteBox().picture().FrameMessage(msg, wParam, lParam, result))
            return result;
    }
    return ::DefWindowProcW(window, msg, wParam, lParam);
}

bool RegisterFrameClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &FrameProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"QuilletPictureFrame";
        return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

} // namespace

LRESULT CALLBACK EditorKeysProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* editor = reinterpret_cast<frmConfPasteBox*>(data);
    const bool timer =
        box == editor->control(frmConfPasteBox::idTxtClipTXT) || box == editor->control(frmConfPasteBox::idTxtClipRTF);
    if (editor->KeyOfBox(box, msg, wParam, timer))
        return 0;
    if (msg == WM_NCDESTROY)
        ::RemoveWindowSubclass(box, &EditorKeysProc, 1);
    return ::DefSubclassProc(box, msg, wParam, lParam);
}

frmConfPasteBox& ConfPasteBox() {
    static frmConfPasteBox form;
    return form;
}

void ShowClipEditor() {
    if (ConfPasteBox().hwnd()) {
        ::SetForegroundWindow(ConfPasteBox().hwnd());
        return;
    }
    ConfPasteBox().Open();
}

bool frmConfPasteBox::Open() {
    if (hwnd() || IsExiting)
        return false;
    if (!winkit::RegisterWindowClass(kClassName) || !RegisterFrameClass())
        return false;
    const HWND owner = MainClipWindowHooks().window ? MainClipWindowHooks().window() : nullptr;
    if (!Create(kClassName, L"Configure Clip to Paste", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, CW_USEDEFAULT,
                CW_USEDEFAULT, Px(9600), Px(6900), owner))
        return false;
    handedBack_ = false;
    try {
        // 1-2: geometry and the hand-over flags first, and the mode it opens in, so the controls are made
        // where they stay.
        RestoreWindowPosition(hwnd(), kFormName);
        RestoreWindowSize(hwnd(), kFormName);
        EditorOpen = true;
        EditorWindow = hwnd();
        EditIsSimple = false;
        currentFormat_ = EditIsRTF ? L"rtf" : EditIsImage ? L"img" : L"txt";
        CreateControls();
        for (int id :
             {idTxtClipTXT, idTxtClipRTF, idCmbFont, idCmbSize, idOptCusName, idOptNonCusName, idTxtCustomName}) {
            HWND target = control(id);
            if (id == idCmbFont || id == idCmbSize) // the keys reach the combo's edit field
                target = ::GetWindow(target, GW_CHILD);
            ::SetWindowSubclass(target, &EditorKeysProc, 1, reinterpret_cast<DWORD_PTR>(this));
        }
        picture_.Create(*this, control(idFraImg));
        EnablePictureButtons();

        // 3: the remembered plain-text font.
        defaultFont_ = FixedsysFont();
        defaultColour_ = ::GetSysColor(COLOR_WINDOWTEXT);
        LoadFontDefaults();
        if (DefaultFontName != L"0")
            ::lstrcpynW(defaultFont_.lfFaceName, DefaultFontName.c_str(), LF_FACESIZE);
        if (DefaultFontSize != 0)
            SetPoints(defaultFont_, DefaultFontSize);
        defaultFontHandle_.reset(::CreateFontIndirectW(&defaultFont_));
        ::SendMessageW(control(idTxtDefaultFont), WM_SETFONT, reinterpret_cast<WPARAM>(defaultFontHandle_.get()), 0);
        SetPlainFont(defaultFont_, defaultColour_);
        {
            QuietRichEdit quiet(control(idTxtClipRTF)); // the box is empty; it is brought in step below
            RestartRTFbox();
        }

        // 4: the mode.
        if (EditIsRTF) {
            PressButton(idToolbar, 7, true);
            ToggleFormat(L"rtf");
        } else if (EditIsImage) {
            ToggleFormat(L"img");
            PressButton(idToolbar, 8, true);
        } else {
            ToggleFormat(L"txt");
            PressButton(idToolbar, 6, true);
        }

        // 5-6: the picture reset, then the content by the row's format.
        picture_.ResetPicture();
        const Clip& clip = OpenProject().slot(EditSlot);
        const std::wstring rowText = QuilletWindow().hwnd() ? QuilletWindow().RowText(EditSlot) : clip.text;
        if (clip.format == core::kFormatTxtSimple) {
            ::SetWindowTextW(control(idTxtClipTXT), EditData.c_str());
        } else if (EditIsRTF) {
            {
                // The box's notices wait until the text is in: the buttons and the status bar are
                // brought in step once, with the caret at the end.
                QuietRichEdit quiet(control(idTxtClipRTF));
                SetRichRtf(control(idTxtClipRTF), winkit::ToAnsi(EditData));
            }
            ChooseCustomName(true);
            ::SetWindowTextW(control(idTxtCustomName), core::CustomNameFromRow(rowText, core::kFormatRtf).c_str());
        } else if (clip.format == core::kFormatTxtLong) {
            loadingClip_ = true;
            ::SetWindowTextW(control(idTxtClipTXT), EditData.c_str());
            ChooseCustomName(true);
            ::SetWindowTextW(control(idTxtCustomName), rowText.c_str());
        } else if (EditIsImage) {
            picture_.LoadFromHandOver();
            ::SetWindowTextW(control(idTxtCustomName), core::CustomNameFromRow(rowText, core::kFormatImg).c_str());
        }
        // 7: caret to the end.
        if (currentFormat_ == L"txt")
            CaretToEnd(control(idTxtClipTXT));
        else if (currentFormat_ == L"rtf") {
            {
                QuietRichEdit quiet(control(idTxtClipRTF)); // in step just below
                CaretToEnd(control(idTxtClipRTF));
            }
            SyncSelection();
        }
        // 8: the status bar as it reads right after opening.
        loadingClip_ = false;
        const std::wstring separator = GroupSeparator();
        if (currentFormat_ == L"txt" || currentFormat_ == L"img") {
            const std::wstring text = currentFormat_ == L"txt" ? WindowString(control(idTxtClipTXT)) : L"";
            SetPanel(2, core::CharsPanelAfterOpen(currentFormat_, core::FormatCount(text.size(), separator)));
        }
        if (currentFormat_ == L"rtf")
            SetPanel(2, core::CharsPanelAfterOpen(
                            L"rtf", core::FormatCount(static_cast<std::size_t>(RichTextLength(control(idTxtClipRTF))),
                                                      separator)));
        RepaintForm();
        RefreshStatus();
    } catch (const std::exception&) {
        ShowError(L"An unexpected error has occured!", true);
    }
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
    if (HWND box = ActiveBox())
        ::SetFocus(box);
    return true;
}

void frmConfPasteBox::SetPlainFont(const LOGFONTW& font, COLORREF colour) {
    txtFont_ = font;
    txtColour_ = colour;
    winkit::ScopedGdiObject old(txtFontHandle_.release());
    txtFontHandle_.reset(::CreateFontIndirectW(&txtFont_));
    ::SendMessageW(control(idTxtClipTXT), WM_SETFONT, reinterpret_cast<WPARAM>(txtFontHandle_.get()), TRUE);
    ::InvalidateRect(control(idTxtClipTXT), nullptr, TRUE);
}

void frmConfPasteBox::ToggleFormat(const std::wstring& mode) {
    const bool known = mode == L"txt" || mode == L"rtf" || mode == L"img";
    if (!known)
        return;
    const HWND font = control(idCmbFont);
    // Only what the mode changes is moved, shown or hidden: opening in a mode finds most of it in place.
    if (mode == L"txt") {
        currentFormat_ = L"txt";
        RepaintForm();
        ShowToolbar2Buttons(mode);
        PlaceFontBoxes();
        winkit::SetChildText(font, txtFont_.lfFaceName);
        winkit::SetChildText(control(idCmbSize), std::to_wstring(PointsOf(txtFont_)));
        winkit::ShowChild(font, true);
        winkit::ShowChild(control(idCmbSize), true);
        winkit::ShowChild(control(idTxtClipTXT), true);
        winkit::ShowChild(control(idTxtClipRTF), false);
        winkit::ShowChild(control(idFraImg), false);
        ::SetFocus(control(idTxtClipTXT));
        RefreshStatus();
        winkit::ShowChild(control(idOptNonCusName), true);
    } else if (mode == L"rtf") {
        currentFormat_ = L"rtf";
        RepaintForm();
        ShowToolbar2Buttons(mode);
        PlaceFontBoxes();
        winkit::ShowChild(font, true);
        winkit::ShowChild(control(idCmbSize), true);
        winkit::ShowChild(control(idFraImg), false);
        winkit::ShowChild(control(idTxtClipTXT), false);
        winkit::ShowChild(control(idTxtClipRTF), true);
        ::SetFocus(control(idTxtClipRTF));
        RefreshStatus();
        winkit::ShowChild(control(idOptNonCusName), true);
    } else {
        ShowToolbar2Buttons(mode);
        winkit::ShowChild(font, false);
        winkit::ShowChild(control(idCmbSize), false);
        currentFormat_ = L"img";
        RepaintForm();
        winkit::ShowChild(control(idTxtClipTXT), false);
        winkit::ShowChild(control(idTxtClipRTF), false);
        winkit::ShowChild(control(idOptNonCusName), false);
        ChooseCustomName(true);
        winkit::ShowChild(control(idFraImg), true);
        picture_.Layout();
        if (HWND focus = picture_.FocusControl())
            ::SetFocus(focus);
        RefreshStatus();
    }
    EnablePictureButtons();
    ::UpdateWindow(hwnd());
}

void frmConfPasteBox::FormatButton(int index) {
    static const wchar_t* const modes[] = {L"txt", L"rtf", L"img"};
    const std::wstring mode = modes[index - 6];
    if (mode == currentFormat_) {
        PressButton(idToolbar, index, true);
        return;
    }
    const wchar_t* question = nullptr;
    if (mode == L"txt")
        question = currentFormat_ == L"rtf" ? L"You will lose all your formatting. Do you want to continue?"
                                            : L"You will lose all your picture data. Do you want to continue?";
    else if (mode == L"rtf" && currentFormat_ == L"img")
        question = L"You will lose your picture data. Do you want to continue?";
    else if (mode == L"img")
        question = L"You will lose all your current data! Do you really want to continue?";
    if (question && ShowMessage(question, L"quest") != IDYES) {
        PressButton(idToolbar, index, false);
        return;
    }
    const std::wstring from = currentFormat_;
    ToggleFormat(mode);
    if (mode == L"txt" && from == L"rtf")
        TransBoxes(L"rtf2txt", L"removeformat", true);
    else if (mode == L"rtf" && from == L"txt")
        TransBoxes(L"txt2rtf", L"removeformat", true);
    PressButton(idToolbar, index, true);
}

void frmConfPasteBox::TransBoxes(const std::wstring& direction, const std::wstring& option, bool switchBoxes) {
    const HWND txt = control(idTxtClipTXT);
    const HWND rtf = control(idTxtClipRTF);
    if (direction == L"rtf2txt") {
        if (option == L"removeformat")
            RestartRTFbox();
        ::SetWindowTextW(txt, RichPlainText(rtf).c_str());
        SetRichText(rtf, L"");
        CaretToEnd(txt);
        if (switchBoxes) {
            ::ShowWindow(txt, SW_SHOW);
            ::SetFocus(txt);
            ::ShowWindow(rtf, SW_HIDE);
            RepaintForm();
        }
        OnTextChanged(); // a multi-line edit tells no change of a text set from outside
    } else if (direction == L"txt2rtf") {
        SetRichText(rtf, L"");
        SetRichText(rtf, WindowString(txt));
        CHARRANGE all{0, -1};
        ::SendMessageW(rtf, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof(cf);
        cf.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_FACE | CFM_SIZE | CFM_COLOR;
        cf.dwEffects = (txtFont_.lfWeight >= FW_BOLD ? CFE_BOLD : 0) | (txtFont_.lfItalic ? CFE_ITALIC : 0) |
                       (txtFont_.lfUnderline ? CFE_UNDERLINE : 0) | (txtFont_.lfStrikeOut ? CFE_STRIKEOUT : 0);
        ::lstrcpynW(cf.szFaceName, txtFont_.lfFaceName, LF_FACESIZE);
        cf.yHeight = PointsOf(txtFont_) * 20;
        cf.crTextColor = txtColour_;
        // The base font of the box, then the whole text (which keeps it for what is typed next).
        ::SendMessageW(rtf, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
        ::SendMessageW(rtf, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        CaretToEnd(rtf);
        if (switchBoxes) {
            ::ShowWindow(rtf, SW_SHOW);
            ::SetFocus(rtf);
            ::ShowWindow(txt, SW_HIDE);
            RepaintForm();
        }
    }
}

void frmConfPasteBox::RestartRTFbox() {
    const HWND rtf = control(idTxtClipRTF);
    CHARRANGE all{0, -1};
    ::SendMessageW(rtf, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_FACE | CFM_SIZE | CFM_COLOR;
    cf.dwEffects = 0;
    cf.crTextColor = defaultColour_;
    ::lstrcpynW(cf.szFaceName, defaultFont_.lfFaceName, LF_FACESIZE);
    cf.yHeight = PointsOf(defaultFont_) * 20;
    ::SendMessageW(rtf, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    ::SendMessageW(rtf, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
    SetSelectionBullet(rtf, false, 0);
    SetSelectionAlignment(rtf, 0);
    CHARRANGE start{0, 0};
    ::SendMessageW(rtf, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
    ::SetWindowTextW(control(idCmbFont), defaultFont_.lfFaceName);
    ::SetWindowTextW(control(idCmbSize), std::to_wstring(PointsOf(defaultFont_)).c_str());
    PressButton(idToolbar2, 14, true);
    PressButton(idToolbar2, 15, false);
    PressButton(idToolbar2, 16, false);
}

void frmConfPasteBox::StoreAndClose() {
    const core::HandBackName named = core::ClipNameFor(currentFormat_, ActiveText(), Checked(control(idOptCusName)),
                                                       WindowString(control(idTxtCustomName)), EditSlot);
    EditName = named.name;
    EditIsSimple = named.isSimple;
    if (currentFormat_ == L"txt") {
        if (RememberFontSettings) {
            WriteSetting(L"Quillet", L"DefaultFontName", WindowString(control(idCmbFont)));
            WriteSetting(L"Quillet", L"DefaultFontSize", WindowString(control(idCmbSize)));
        }
        EditData = WindowString(control(idTxtClipTXT));
        EditIsRTF = false;
        EditIsImage = false;
    } else if (currentFormat_ == L"rtf") {
        const HWND rtf = control(idTxtClipRTF);
        EditData = RichTextLength(rtf) > 0 ? winkit::FromAnsi(RichRtf(rtf)) : L"";
        EditIsRTF = true;
        EditIsImage = false;
    } else if (currentFormat_ == L"img") {
        EditIsRTF = false;
        EditIsImage = true;
        picture_.StoreToHandOver();
    }
    handedBack_ = true;
    if (QuilletWindow().hwnd())
        QuilletWindow().Update(EditSlot);
    Unload();
}

void frmConfPasteBox::CloseWithoutSaving() {
    Unload();
}

void frmConfPasteBox::ClearClip() {
    if (AskClearingClip && ShowMessage(L"Do you really want to clear this clip?", L"quest") != IDYES)
        return;
    if (currentFormat_ == L"txt") {
        ::SetWindowTextW(control(idTxtClipTXT), L"");
        ChooseCustomName(false);
    } else if (currentFormat_ == L"rtf") {
        SetRichText(control(idTxtClipRTF), L"");
        RestartRTFbox();
        ChooseCustomName(false);
    } else if (currentFormat_ == L"img") {
        picture_.Clear();
    }
    ::SetWindowTextW(control(idTxtCustomName), L"");
    EditData.clear();
    OnTextChanged();
}

bool frmConfPasteBox::Unload() {
    if (!hwnd())
        return false;
    // The main window is activated while this one goes: it must not take the editor for open, beep and
    // hand the activation back to a dying window.
    if (!IsExiting)
        EditorOpen = false;
    ::DestroyWindow(hwnd());
    return true;
}

void frmConfPasteBox::ChooseCustomName(bool custom) {
    const HWND option = control(custom ? idOptCusName : idOptNonCusName);
    ::SendMessageW(control(idOptCusName), BM_SETCHECK, custom ? BST_CHECKED : BST_UNCHECKED, 0);
    ::SendMessageW(control(idOptNonCusName), BM_SETCHECK, custom ? BST_UNCHECKED : BST_CHECKED, 0);
    (void)option;
    ::ShowWindow(control(idTxtCustomName), custom ? SW_SHOW : SW_HIDE);
}

HWND frmConfPasteBox::ActiveBox() const {
    if (currentFormat_ == L"txt")
        return control(idTxtClipTXT);
    if (currentFormat_ == L"rtf")
        return control(idTxtClipRTF);
    return picture_.FocusControl();
}

std::wstring frmConfPasteBox::ActiveText() const {
    if (currentFormat_ == L"txt")
        return WindowString(control(idTxtClipTXT));
    if (currentFormat_ == L"rtf")
        return RichPlainText(control(idTxtClipRTF));
    return L"";
}

void frmConfPasteBox::SetPanel(int panel, const std::wstring& text) {
    if (PanelText(panel) == text)
        return; // each new text repaints the bar
    ::SendMessageW(control(idSBar), SB_SETTEXTW, static_cast<WPARAM>(panel - 1),
                   reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring frmConfPasteBox::PanelText(int panel) const {
    const HWND bar = control(idSBar);
    const auto length = LOWORD(::SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel - 1), 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(panel - 1), reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

void frmConfPasteBox::RefreshStatus() {
    if (currentFormat_ == L"txt" || currentFormat_ == L"rtf") {
        const HWND box = ActiveBox();
        const LRESULT line = ::SendMessageW(box, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0);
        const LRESULT lines = ::SendMessageW(box, EM_GETLINECOUNT, 0, 0);
        SetPanel(3, core::CurrentLinePanel(static_cast<long>(line) + 1));
        SetPanel(4, core::TotalLinesPanel(static_cast<long>(lines)));
    } else if (currentFormat_ == L"img") {
        SetPanel(2, picture_.StatusText());
        SetPanel(3, L"");
        SetPanel(4, L"");
    }
}

void frmConfPasteBox::OnTextChanged() {
    if (currentFormat_ != L"txt" && currentFormat_ != L"rtf")
        return;
    const std::size_t count = currentFormat_ == L"txt"
                                  ? static_cast<std::size_t>(::GetWindowTextLengthW(control(idTxtClipTXT)))
                                  : static_cast<std::size_t>(RichTextLength(control(idTxtClipRTF)));
    SetPanel(2, core::CharsPanelAfterEdit(currentFormat_, core::FormatCount(count, GroupSeparator())));
    RefreshStatus();
}

core::EditorLayout frmConfPasteBox::LayoutFor(const std::wstring& mode) const {
    RECT window{};
    ::GetWindowRect(hwnd(), &window);
    return core::LayoutEditor(mode, (window.right - window.left) * kTwips, (window.bottom - window.top) * kTwips);
}

frmConfPasteBox::ControlPlaces frmConfPasteBox::PlacesFor(const core::EditorLayout& l, int clientWidth) {
    const auto at = [](int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; };
    const int toolbarHeight = 26;
    const int boxTop = 2 * toolbarHeight + 2;
    ControlPlaces p{};
    p.toolbar = at(0, 0, clientWidth, toolbarHeight);
    p.toolbar2 = at(0, toolbarHeight, clientWidth, toolbarHeight);
    p.box = at(4, boxTop, Px(l.boxWidth), Px(l.boxHeight));
    p.optCusName = at(6, Px(l.optCusNameTop), 150, 20);
    p.txtCustomName = at(160, Px(l.txtCustomNameTop), clientWidth - 168, 22);
    p.optNonCusName = at(6, Px(l.optNonCusNameTop), clientWidth - 12, 20);
    return p;
}

void frmConfPasteBox::RepaintForm() {
    RECT window{};
    ::GetWindowRect(hwnd(), &window);
    const core::EditorLayout l = LayoutFor(currentFormat_);
    if (Px(l.windowWidth) != window.right - window.left || Px(l.windowHeight) != window.bottom - window.top) {
        ::SetWindowPos(hwnd(), nullptr, 0, 0, Px(l.windowWidth), Px(l.windowHeight),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return; // the resize comes back here with the corrected size
    }
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const ControlPlaces p = PlacesFor(l, client.right);
    const auto place = [this](int id, const RECT& r) {
        winkit::PlaceChild(control(id), r.left, r.top, r.right - r.left, r.bottom - r.top);
    };
    place(idToolbar, p.toolbar);
    place(idToolbar2, p.toolbar2);
    if (currentFormat_ == L"txt")
        place(idTxtClipTXT, p.box);
    else if (currentFormat_ == L"rtf")
        place(idTxtClipRTF, p.box);
    else if (currentFormat_ == L"img") {
        place(idFraImg, p.box);
        picture_.Layout();
    }
    place(idOptCusName, p.optCusName);
    place(idTxtCustomName, p.txtCustomName);
    place(idOptNonCusName, p.optNonCusName);
    // The status bar lays itself along the bottom; told of every size, it would move each time.
    const RECT bar = winkit::ChildRect(control(idSBar));
    if (bar.left != 0 || bar.right != client.right || bar.bottom != client.bottom)
        ::SendMessageW(control(idSBar), WM_SIZE, 0, 0);
}

void frmConfPasteBox::FontBoxLefts(const std::wstring& mode, int& fontLeft, int& sizeLeft) const {
    // The boxes sit on toolbar2's row, after its last visible button.
    const long fontLeftTwips = mode == L"txt" ? 3230 : 5895;
    const long sizeLeftTwips = mode == L"txt" ? -1 : 7200;
    const HWND bar = control(idToolbar2);
    int right = 0;
    for (int i = 33; i >= 1; --i) {
        if (!ButtonVisible(idToolbar2, i))
            continue;
        RECT r{};
        ::SendMessageW(bar, TB_GETITEMRECT, ::SendMessageW(bar, TB_COMMANDTOINDEX, kToolbar2Button + i, 0),
                       reinterpret_cast<LPARAM>(&r));
        right = r.right;
        break;
    }
    fontLeft = Px(fontLeftTwips);
    if (fontLeft < right + 4)
        fontLeft = right + 4;
    sizeLeft = sizeLeftTwips < 0 ? fontLeft + kFontBoxWidth + Px(50) : Px(sizeLeftTwips);
    if (sizeLeft < fontLeft + kFontBoxWidth + 3)
        sizeLeft = fontLeft + kFontBoxWidth + 3;
}

void frmConfPasteBox::PlaceFontBoxes() {
    int fontLeft = 0, sizeLeft = 0;
    FontBoxLefts(currentFormat_, fontLeft, sizeLeft);
    // A combo box's window is as high as its edit field: only the left edge and the width tell a move.
    const auto place = [](HWND box, int left, int width) {
        const RECT r = winkit::ChildRect(box);
        if (r.left != left || r.top != kFontBoxTop || r.right - r.left != width)
            ::SetWindowPos(box, nullptr, left, kFontBoxTop, width, kFontBoxDropHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(control(idCmbFont), fontLeft, kFontBoxWidth);
    place(control(idCmbSize), sizeLeft, kSizeBoxWidth);
}

void frmConfPasteBox::ShowToolbar2Buttons(const std::wstring& mode) {
    for (int i = 1; i <= 33; ++i) {
        const std::optional<bool> shown = core::Toolbar2ButtonShown(mode, i);
        if (shown && *shown != ButtonVisible(idToolbar2, i))
            ::SendMessageW(control(idToolbar2), TB_HIDEBUTTON, kToolbar2Button + i, *shown ? FALSE : TRUE);
    }
}

void frmConfPasteBox::FillFontList() {
    // Filled when the user first reaches the box: the screen fonts are many and opening the editor needs none.
    const HWND font = control(idCmbFont);
    const std::vector<std::wstring>& fonts = MainForm().fontlist();
    if (static_cast<std::size_t>(::SendMessageW(font, CB_GETCOUNT, 0, 0)) == fonts.size())
        return;
    ::SendMessageW(font, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& name : fonts)
        ::SendMessageW(font, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void frmConfPasteBox::EnablePictureButtons() {
    // Without the picture commands the picture buttons say so by being disabled, also the file and edit
    // buttons while a picture is edited.
    const bool pictures = picture_.CommandsAvailable();
    const bool img = currentFormat_ == L"img";
    const auto enable = [this](int i, bool enabled) {
        if (ButtonEnabled(idToolbar2, i) != enabled)
            ::SendMessageW(control(idToolbar2), TB_ENABLEBUTTON, kToolbar2Button + i, enabled);
    };
    for (int i : {22, 23, 24, 25, 26, 27, 28, 29, 31, 32})
        enable(i, pictures);
    for (int i : {1, 2, 4, 18, 19, 20})
        enable(i, !img || pictures);
}

void frmConfPasteBox::PressButton(int toolbarId, int index, bool pressed) {
    const int base = toolbarId == idToolbar ? kToolbarButton : kToolbar2Button;
    if (ButtonPressed(toolbarId, index) != pressed) // each change repaints the button
        ::SendMessageW(control(toolbarId), TB_CHECKBUTTON, base + index, pressed ? TRUE : FALSE);
}

bool frmConfPasteBox::ButtonPressed(int toolbarId, int index) const {
    const int base = toolbarId == idToolbar ? kToolbarButton : kToolbar2Button;
    return ::SendMessageW(control(toolbarId), TB_ISBUTTONCHECKED, base + index, 0) != 0;
}

bool frmConfPasteBox::ButtonVisible(int toolbarId, int index) const {
    const int base = toolbarId == idToolbar ? kToolbarButton : kToolbar2Button;
    return ::SendMessageW(control(toolbarId), TB_ISBUTTONHIDDEN, base + index, 0) == 0;
}

bool frmConfPasteBox::ButtonEnabled(int toolbarId, int index) const {
    const int base = toolbarId == idToolbar ? kToolbarButton : kToolbar2Button;
    return ::SendMessageW(control(toolbarId), TB_ISBUTTONENABLED, base + index, 0) != 0;
}

void frmConfPasteBox::BoxHotkey(UINT keyCode) {
    switch (keyCode) {
    case VK_ESCAPE:
    case VK_F2:
        CloseWithoutSaving();
        break;
    case VK_F1:
        StoreAndClose();
        break;
    case VK_F3:
        ClearClip();
        break;
    case VK_F4:
        LoadClipFile();
        break;
    default:
        break;
    }
}

bool frmConfPasteBox::KeyOfBox(HWND box, UINT msg, WPARAM key, bool timer) {
    const bool comboEdit = ::GetParent(box) == control(idCmbFont) || ::GetParent(box) == control(idCmbSize);
    if (msg == WM_KEYDOWN && comboEdit) {
        // The font boxes apply what they hold before the key is handled.
        if (::GetParent(box) == control(idCmbFont))
            ChangeFont();
        else
            ChangeSize();
    }
    if (msg == WM_KEYDOWN) {
        if (key == VK_ESCAPE || key == VK_F1 || key == VK_F2 || key == VK_F3 || key == VK_F4 ||
            (key == VK_RETURN && box == control(idTxtCustomName))) {
            ::PostMessageW(hwnd(), kBoxHotkeyMsg, key == VK_RETURN ? VK_F1 : key, 0);
            return true;
        }
        if (key == 'A' && (::GetKeyState(VK_CONTROL) & 0x8000) &&
            (box == control(idTxtClipTXT) || box == control(idTxtCustomName))) {
            ::SendMessageW(box, EM_SETSEL, 0, -1);
            return true;
        }
        if (timer) {
            ::KillTimer(hwnd(), kShowTimer);
            ::SetTimer(hwnd(), kShowTimer, 1, nullptr);
        }
    }
    if (msg == WM_CHAR && (key == VK_ESCAPE || key == 1 || (key == VK_RETURN && box == control(idTxtCustomName))))
        return true; // handled on key down; no beep
    if (msg == WM_SETFOCUS && box == control(idTxtCustomName))
        ::PostMessageW(box, EM_SETSEL, 0, -1);
    if (msg == WM_KILLFOCUS && box == control(idTxtCustomName) && currentFormat_ == L"img") {
        if (HWND focus = picture_.FocusControl(); focus && reinterpret_cast<HWND>(key) != focus)
            ::SetFocus(focus);
    }
    if (msg == WM_LBUTTONUP && timer)
        RefreshStatus();
    return false;
}

void frmConfPasteBox::OnCommand(int id, int code, HWND from) {
    if (id > kToolbarButton && id <= kToolbarButton + 8) {
        const int index = id - kToolbarButton;
        // The bar goes on with its click once this returns, on its own freed data if the editor had gone
        // meanwhile: OK and Cancel close the editor from the queue, as their keys do.
        if (index == 1 || index == 2)
            ::PostMessageW(hwnd(), kBoxHotkeyMsg, index == 1 ? VK_F1 : VK_F2, 0);
        else if (index == 4)
            ClearClip();
        else if (index >= 6)
            FormatButton(index);
        return;
    }
    if (id > kToolbar2Button && id <= kToolbar2Button + 33) {
        Toolbar2Click(id - kToolbar2Button);
        return;
    }
    switch (id) {
    case idTxtClipTXT:
    case idTxtClipRTF:
        if (code == EN_CHANGE)
            OnTextChanged();
        else if (code == EN_MAXTEXT && id == idTxtClipRTF)
            SetPanel(2, L"The rich-text box holds at most 100 000 characters.");
        break;
    case idCmbFont:
        if (code == CBN_SETFOCUS || code == CBN_DROPDOWN) // before the keys or the list can pick a font
            FillFontList();
        else if (code == CBN_SELCHANGE) {
            const LRESULT k = ::SendMessageW(from, CB_GETCURSEL, 0, 0);
            if (k != CB_ERR) {
                std::wstring name(static_cast<std::size_t>(::SendMessageW(from, CB_GETLBTEXTLEN, k, 0)) + 1, L'\0');
                name.resize(static_cast<std::size_t>(
                    ::SendMessageW(from, CB_GETLBTEXT, k, reinterpret_cast<LPARAM>(name.data()))));
                ::SetWindowTextW(from, name.c_str());
            }
            ChangeFont();
        }
        break;
    case idCmbSize:
        if (code == CBN_SELCHANGE) {
            const LRESULT k = ::SendMessageW(from, CB_GETCURSEL, 0, 0);
            if (k != CB_ERR) {
                wchar_t text[16] = {};
                ::SendMessageW(from, CB_GETLBTEXT, k, reinterpret_cast<LPARAM>(text));
                ::SetWindowTextW(from, text);
            }
            ChangeSize();
        }
        break;
    case idOptCusName:
        if (code == BN_CLICKED && !loadingClip_) {
            ChooseCustomName(true);
            const HWND name = control(idTxtCustomName);
            if (::GetWindowTextLengthW(name) == 0)
                ::SetWindowTextW(name, (L"Clip " + std::to_wstring(EditSlot)).c_str());
            ::SendMessageW(name, EM_SETSEL, 0, -1);
            ::SetFocus(name);
        }
        break;
    case idOptNonCusName:
        if (code == BN_CLICKED && !Checked(control(idOptCusName)))
            ::ShowWindow(control(idTxtCustomName), SW_HIDE);
        break;
    default:
        break;
    }
}

LRESULT frmConfPasteBox::OnNotify(NMHDR* header) {
    if (header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        const wchar_t* tip = ToolbarTooltip(static_cast<int>(header->idFrom));
        info->lpszText = const_cast<wchar_t*>(tip ? tip : L"");
        return 0;
    }
    if (header->idFrom == static_cast<UINT_PTR>(idTxtClipRTF) && header->code == EN_SELCHANGE) {
        SyncSelection();
        RefreshStatus();
    }
    return 0;
}

LRESULT frmConfPasteBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_CTLCOLOREDIT:
        if (reinterpret_cast<HWND>(lParam) == control(idTxtClipTXT)) {
            ::SetTextColor(reinterpret_cast<HDC>(wParam), txtColour_);
            ::SetBkColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
        }
        break;
    case WM_ACTIVATE:
        // Coming back to the editor (also when the main window sends the user here) the keyboard returns
        // to the control it left, as in a dialog; the default would leave it on the frame.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = ::GetFocus();
            lastFocus_ = focus && ::IsChild(hwnd(), focus) ? focus : nullptr;
        } else if (!HIWORD(wParam)) {
            const HWND target = lastFocus_ && ::IsWindowVisible(lastFocus_) ? lastFocus_ : ActiveBox();
            if (target) {
                ::SetFocus(target);
                return 0;
            }
        }
        break;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED && control(idSBar))
            RepaintForm();
        return 0;
    case WM_TIMER:
        if (wParam == kShowTimer) {
            ::KillTimer(hwnd(), kShowTimer);
            RefreshStatus();
        }
        return 0;
    case kBoxHotkeyMsg:
        BoxHotkey(static_cast<UINT>(wParam));
        return 0;
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_DESTROY:
        try {
            SaveWindowPosition(hwnd(), kFormName);
            SaveWindowSize(hwnd(), kFormName);
            if (RememberFontSettings && (std::wstring(txtFont_.lfFaceName) != defaultFont_.lfFaceName ||
                                         PointsOf(txtFont_) != PointsOf(defaultFont_))) {
                WriteSetting(L"Quillet", L"DefaultFontSize", std::to_wstring(PointsOf(txtFont_)));
                WriteSetting(L"Quillet", L"DefaultFontName", txtFont_.lfFaceName);
            }
        } catch (const std::exception&) {
            ShowError(L"Error has occured while unloading 'Configure Clip to Paste' form.", true);
        }
        picture_.Destroy();
        break;
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

void frmConfPasteBox::OnDestroyed() {
    EditorWindow = nullptr;
    lastFocus_ = nullptr;
    txtFontHandle_.reset();
    defaultFontHandle_.reset();
    currentFormat_.clear();
    if (IsExiting)
        return;
    EditorOpen = false;
    frmQuillet& main = QuilletWindow();
    if (!main.hwnd())
        return;
    main.EnableButtons();
    main.ShowMainWindow();
    if (core::IsFlagOn(ReadSetting(L"Quillet", L"QLAlwaysOnTop")))
        main.SetTopmost(true);
}

} // namespace quillet
