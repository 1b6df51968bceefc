#include "app/projects/frmQuillet.h"

#include "app/help/modHelp.h"
#include "app/menu/frmMain.h"
#include "app/menu/modMenuSubs.h"
#include "app/paste/modClipCopy.h"
#include "app/paste/modInternalFunctions.h"
#include "app/paste/modParseClipboard.h"
#include "app/projects/EditHandOver.h"
#include "app/projects/MainClipWindow.h"
#include "app/projects/ProjectCommands.h"
#include "app/projects/QuilletPictures.h"
#include "app/shell/Messages.h"
#include "app/shell/StartupLog.h"
#include "app/shell/modInitialization.h"
#include "app/shell/modSettings.h"
#include "winkit/BusyCursor.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace quillet {

using namespace frmquillet_ids;

namespace {

constexpr UINT_PTR kProjectTimer = 1;
constexpr UINT_PTR kRestoreTimer = 2;

// Row geometry in pixels at 96 dots per inch (15 twips per pixel).
constexpr int kMargin = 8;
constexpr int kRowPitch = 27;
constexpr int kRowHeight = 25;
constexpr int kLabelLeft = 6, kLabelWidth = 24;
constexpr int kTextLeft = 32, kTextWidth = 220, kTextHeight = 21;
constexpr int kButtonLeft = 258, kButtonSize = 22, kButtonStep = 24;
constexpr int kPanelWidth = kButtonLeft + 2 * kButtonStep + kButtonSize + 5;
constexpr int kColumnGap = 250 / 15; // 250 twips between the columns
constexpr int kStripHeight = 30;

constexpr COLORREF kPanelColour = RGB(228, 234, 244);
constexpr COLORREF kLockedPanelColour = RGB(214, 236, 220);
constexpr COLORREF kPanelEdge = RGB(176, 188, 210);

const wchar_t kFormName[] = L"frmQuillet";

std::wstring ReadWindowText(HWND hwnd) {
    const int length = ::GetWindowTextLengthW(hwnd);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(hwnd, buffer.data(), length + 1);
    return buffer.data();
}

void SetTextIfDifferent(HWND hwnd, const std::wstring& text) {
    if (ReadWindowText(hwnd) != text)
        ::SetWindowTextW(hwnd, text.c_str());
}

RECT Box(int left, int top, int width, int height) {
    return RECT{left, top, left + width, top + height};
}

bool IsKeyDown(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

std::wstring Trimmed(const std::wstring& text) {
    const auto first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

} // namespace

frmQuillet& QuilletWindow() {
    static frmQuillet window;
    return window;
}

// Row text boxes: the focus, click, key and drag behaviour of a clip row.
LRESULT CALLBACK RowTextProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self) {
    auto* form = reinterpret_cast<frmQuillet*>(self);
    const int n = static_cast<int>(id);
    switch (msg) {
    case WM_SETFOCUS: {
        const LRESULT r = ::DefSubclassProc(edit, msg, wParam, lParam);
        if (form->RowText(n) == core::EmptyClipMarker)
            form->SetRowText(n, L"");
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        return r;
    }
    case WM_KILLFOCUS: {
        const LRESULT r = ::DefSubclassProc(edit, msg, wParam, lParam);
        if (form->RowText(n).empty())
            form->SetRowText(n, core::EmptyClipMarker);
        return r;
    }
    case WM_LBUTTONDOWN:
        if (::SendMessageW(form->chckMove, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            // Move mode: the row is picked up, not edited.
            form->dragFrom_ = n;
            ::SetCapture(edit);
            ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
            return 0;
        }
        if (form->RowText(n) == core::EmptyClipMarker)
            form->SetRowText(n, L"");
        break;
    case WM_MOUSEMOVE:
        if (form->dragFrom_ == n) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (form->dragFrom_ == n) {
            form->dragFrom_ = 0;
            ::ReleaseCapture();
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ::ClientToScreen(edit, &at);
            const int target = form->RowAt(at);
            if (target != 0 && target != n)
                form->SwapRows(n, target);
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (form->dragFrom_ == n)
            form->dragFrom_ = 0;
        break;
    case WM_KEYDOWN:
        if (form->OnRowKey(n, wParam))
            return 0;
        break;
    case WM_CHAR:
        // Ctrl+A, Tab and Enter are handled as keys; their characters would only beep.
        if (wParam == 1 || wParam == L'\t' || wParam == L'\r' || wParam == L'\n')
            return 0;
        break;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(edit, &RowTextProc, id);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(edit, msg, wParam, lParam);
}

bool frmQuillet::Load() {
    if (hwnd())
        return true;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    if (!winkit::RegisterWindowClass(kClassName, CS_DBLCLKS, ::LoadIconW(nullptr, IDI_APPLICATION)))
        return false;
    if (!Create(kClassName, L"Quillet", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, 0,
                CW_USEDEFAULT, CW_USEDEFAULT, 700, 560))
        return false;
    CreateControls();
    MarkStartupStage("  main clip window: rows");
    LoadFormControls();
    RestoreWindowPosition(hwnd(), kFormName);
    PutMenuPictures();
    FillHooks();
    // The clipboard menu loads first and may know its addresses already: they were meant for these items too.
    if (ProgramMenuHooks().sendIpItems)
        ProgramMenuHooks().sendIpItems();
    RegisterOwnForm(hwnd());
    LoadRecentList();
    {
        winkit::BusyCursor busy;
        LoadDefaultProject(OpenProject(), *this);
    }
    MarkStartupStage("  main clip window: project");
    ::SendMessageW(StatusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"Quillet"));
    SetHelpFile(HelpFile);
    if (FirstStart) {
        FirstStart = false;
        OfferOverview();
    }
    ::SetTimer(hwnd(), kProjectTimer, kProjectTimerMs, nullptr);
    OnProjectTimer();
    return true;
}

void frmQuillet::Unload() {
    if (!hwnd())
        return;
    unloading_ = true;
    ::SendMessageW(hwnd(), WM_CLOSE, 0, 0);
    unloading_ = false;
}

void frmQuillet::ShowMainWindow() {
    if (!hwnd())
        return;
    if (::IsIconic(hwnd()))
        ::ShowWindow(hwnd(), SW_RESTORE);
    else
        // Shown without erasing the 150 controls there and then: each is erased once, as it paints, after
        // whatever is waiting (a hotkey pressed during the start) has run.
        ::SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                       SWP_SHOWWINDOW | SWP_DEFERERASE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    ::SetForegroundWindow(hwnd());
}

void frmQuillet::CreateControls() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    LOGFONTW face = metrics.lfMessageFont;
    font_.reset(::CreateFontIndirectW(&face));
    face.lfWeight = FW_BOLD;
    boldFont_.reset(::CreateFontIndirectW(&face));
    lockBrush_.reset(::CreateSolidBrush(kLockedRowColour));
    rowBrush_.reset(::CreateSolidBrush(::GetSysColor(COLOR_WINDOW)));
    panelBrush_.reset(::CreateSolidBrush(kPanelColour));
    lockedPanelBrush_.reset(::CreateSolidBrush(kLockedPanelColour));

    CreateMenus();
    CreateToolbar();
    CreateStatusBar();
    MarkStartupStage("  main clip window: menus, toolbar, status bar");

    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    // Every control is made where it stays and with its first text: under Wine each later move or text
    // change of 150 controls is one more round trip to the server each.
    const auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int id, RECT at, DWORD ex = 0) {
        HWND h = ::CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | style, at.left, at.top, at.right - at.left,
                                   at.bottom - at.top, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   instance, nullptr);
        ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        return h;
    };
    // The row buttons draw their own pictures and no text: a font would be one more message apiece, unused.
    const auto pictureButton = [&](int id, RECT at) {
        return ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, at.left, at.top,
                                 at.right - at.left, at.bottom - at.top, hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    };
    RECT toolbarRect{};
    ::GetWindowRect(toolbar, &toolbarRect);
    const int strip = (toolbarRect.bottom - toolbarRect.top) + 5;
    chckMove = child(L"BUTTON", L"&Move", BS_AUTOCHECKBOX | WS_TABSTOP, kChckMove, Box(kMargin + 4, strip + 2, 70, 20));
    imgActivate = pictureButton(kImgActivate, Box(kMargin + 90, strip, kButtonSize + 2, kButtonSize + 2));
    lblWindow = child(L"STATIC", L"Target Window:", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kLblWindow,
                      Box(kMargin + 122, strip + 5, 2 * kPanelWidth - 122, 16));

    for (int n = 1; n <= kRows; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const RECT p = PanelRect(n);
        const std::wstring number = std::to_wstring(n) + L".";
        lblPanel[i] = child(L"STATIC", number.c_str(), SS_RIGHT | SS_NOPREFIX | SS_CENTERIMAGE, kLblPanel + n,
                            Box(p.left + kLabelLeft - 4, p.top + 2, kLabelWidth, kRowHeight - 4));
        txtPaste[i] = child(L"EDIT", core::EmptyClipMarker.c_str(), ES_AUTOHSCROLL | WS_TABSTOP, kTxtPaste + n,
                            Box(p.left + kTextLeft, p.top + (kRowHeight - kTextHeight) / 2, kTextWidth, kTextHeight),
                            WS_EX_CLIENTEDGE);
        imgCopy[i] = pictureButton(kImgCopy + n, RowButtonRect(n, 0));
        imgConf[i] = pictureButton(kImgConf + n, RowButtonRect(n, 1));
        imgProp[i] = pictureButton(kImgProp + n, RowButtonRect(n, 2));
        ::SetWindowSubclass(txtPaste[i], &RowTextProc, static_cast<UINT_PTR>(n), reinterpret_cast<DWORD_PTR>(this));
    }
    SizeToRows();
}

void frmQuillet::AddTooltips() {
    // Made when the mouse first comes over the window, where they are read: the 91 tools, each hooked
    // into its button, cost the first showing of the window a round trip to the window server apiece.
    if (tooltips_ || !hwnd())
        return;
    tooltips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    const auto tip = [this](HWND control, const wchar_t* text) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.hwnd = hwnd();
        info.uId = reinterpret_cast<UINT_PTR>(control);
        info.lpszText = const_cast<wchar_t*>(text);
        ::SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    };
    tip(imgActivate, L"Activate window");
    for (int n = 1; n <= kRows; ++n) {
        const auto i = static_cast<std::size_t>(n);
        tip(imgCopy[i], L"Copy this clip to clipboard.");
        tip(imgConf[i], L"Configure clip.");
        tip(imgProp[i], L"Clip properties (hotkey, how to paste it...)");
    }
}

RECT frmQuillet::PanelRect(int n) const {
    RECT toolbarRect{};
    ::GetWindowRect(toolbar, &toolbarRect);
    const int top = (toolbarRect.bottom - toolbarRect.top) + kStripHeight + 4;
    const int column = n <= 15 ? 0 : 1;
    const int index = (n - 1) % 15;
    // The right column starts after the left one's panels and number labels, with a gap.
    const int left = kMargin + column * (kPanelWidth + kColumnGap);
    const int y = top + index * kRowPitch;
    return RECT{left, y, left + kPanelWidth, y + kRowHeight};
}

void frmQuillet::SizeToRows() {
    // The window is sized to its rows: two columns, the toolbar above and the status bar below.
    RECT status{};
    ::GetWindowRect(StatusBar, &status);
    const RECT last = PanelRect(15);
    RECT frame{0, 0, PanelRect(30).right + kMargin, last.bottom + 8 + (status.bottom - status.top)};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(hwnd(), GWL_STYLE)), TRUE,
                         static_cast<DWORD>(::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)));
    ::SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmQuillet::LoadFormControls() {
    ClipProject& project = OpenProject();
    // The rows were made with their numbers and the empty marker; the model follows them.
    for (int n = 1; n <= kRows; ++n) {
        Clip& clip = project.slot(n);
        clip.data.clear();
        clip.format = core::kFormatTxtSimple;
        clip.picture.reset();
        SwitchLock(n, false);
        SetRowText(n, core::EmptyClipMarker);
    }
}

void frmQuillet::SetRowText(int n, const std::wstring& text) {
    filling_ = true;
    SetTextIfDifferent(txtPaste[static_cast<std::size_t>(n)], text);
    filling_ = false;
    OpenProject().slot(n).text = RowText(n);
}

std::wstring frmQuillet::RowText(int n) const { return ReadWindowText(txtPaste[static_cast<std::size_t>(n)]); }

std::wstring frmQuillet::StatusText() const {
    wchar_t buffer[512] = {};
    if (HIWORD(::SendMessageW(StatusBar, SB_GETTEXTLENGTHW, 1, 0)) == 0 &&
        LOWORD(::SendMessageW(StatusBar, SB_GETTEXTLENGTHW, 1, 0)) < 512)
        ::SendMessageW(StatusBar, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

void frmQuillet::OnRowTextChanged(int n) {
    std::wstring text = RowText(n);
    if (text.find(L"\r\n") != std::wstring::npos) {
        text.erase(std::remove(text.begin(), text.end(), L'\n'), text.end());
        text.erase(std::remove(text.begin(), text.end(), L'\r'), text.end());
        const bool programmatic = filling_;
        SetRowText(n, text);
        filling_ = programmatic;
    }
    Clip& clip = OpenProject().slot(n);
    // Typing is caught by the key handler; this also catches a paste from the box's own context menu.
    if (!filling_ && clip.format == core::kFormatTxtSimple && clip.text != text)
        OpenProject().ProjectChanged = true;
    clip.text = text;
}

bool frmQuillet::OnRowKey(int n, WPARAM key) {
    ClipProject& project = OpenProject();
    if (key != VK_TAB && key != VK_F4 && key != VK_F3 && key != VK_DELETE &&
        project.slot(n).format == core::kFormatTxtSimple)
        project.ProjectChanged = true;
    switch (key) {
    case VK_F4:
        OpenClipProperties(n);
        return true;
    case VK_F3:
        ConfigureClip(n);
        return true;
    case VK_F2:
        CopyClip(n);
        return true;
    case VK_DELETE:
        DeleteClip(n);
        return true;
    case VK_TAB: {
        // Tab walks the rows in slot order.
        const int next = IsKeyDown(VK_SHIFT) ? (n == 1 ? kRows : n - 1) : (n == kRows ? 1 : n + 1);
        ::SetFocus(txtPaste[static_cast<std::size_t>(next)]);
        return true;
    }
    case 'A':
        if (IsKeyDown(VK_CONTROL)) {
            ::SendMessageW(txtPaste[static_cast<std::size_t>(n)], EM_SETSEL, 0, -1);
            return true;
        }
        return false;
    default:
        return false;
    }
}

void frmQuillet::DeleteClip(int n) {
    if (AskDeletingClip && ShowMessage(L"Do you really want to delete this clip?", L"quest") != IDYES)
        return;
    Clip& clip = OpenProject().slot(n);
    clip.data.clear();
    clip.format = core::kFormatTxtSimple;
    clip.picture.reset();
    const bool focused = ::GetFocus() == txtPaste[static_cast<std::size_t>(n)];
    SetRowText(n, focused ? L"" : core::EmptyClipMarker);
    SwitchLock(n, false);
    OpenProject().ProjectChanged = true; // otherwise a save question would never come and the clip return
}

void frmQuillet::SetBold(int n) {
    for (int k = 1; k <= kRows; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const bool on = k == n;
        if (bold_[i] != on) {
            bold_[i] = on;
            ::SendMessageW(lblPanel[i], WM_SETFONT, reinterpret_cast<WPARAM>(on ? boldFont_.get() : font_.get()), TRUE);
        }
    }
}

void frmQuillet::CopyClip(int n) {
    if (n < 1 || n > kRows)
        return;
    ::KillTimer(hwnd(), kRestoreTimer);
    if (!CopyClipToClipboard(n))
        return;
    // The row is marked once the paste is out: redrawing its labels first would hold the paste back.
    PasteCopiedClip(n);
    SetBold(n);
    if (MenuChecked(mnuHideOnCopy))
        ::ShowWindow(hwnd(), SW_HIDE);
    else if (MenuChecked(mnuMinimizeOnCopy))
        ::ShowWindow(hwnd(), SW_MINIMIZE);
}

void frmQuillet::HotkeyTrigger(int n) {
    // The first hotkey's copy and paste end the start-up benchmark's breakdown.
    static bool first = true;
    const bool logged = std::exchange(first, false);
    if (logged)
        MarkStartupStage("first clip hotkey");
    CopyClip(n);
    if (logged)
        MarkStartupStage("first clip hotkey copied and pasted");
}

void frmQuillet::ConfigureClip(int n) {
    if (RowText(n) == core::EmptyClipMarker)
        SetRowText(n, L"");
    const Clip& clip = OpenProject().slot(n);
    EditName = RowText(n);
    EditIsSimple = clip.format == core::kFormatTxtSimple;
    // An editor closed without saving hands nothing back, so the flags of the clip edited before are
    // still set: each slot starts from its own format.
    EditIsRTF = false;
    EditIsImage = false;
    if (clip.format == core::kFormatRtf) {
        EditIsRTF = true;
        EditData = clip.data;
    } else if (clip.format == core::kFormatTxtSimple) {
        EditData = RowText(n);
    } else if (clip.format == core::kFormatTxtLong) {
        EditData = clip.data;
    } else if (clip.format == core::kFormatImg) {
        TPicture.reset(clip.bitmap() ? ::CopyImage(clip.bitmap(), IMAGE_BITMAP, 0, 0, 0) : nullptr);
        EditIsImage = true;
    }
    EditSlot = n;
    SetTopmost(false);
    // The rows stay usable until there is an editor to hand the slot to.
    if (ShowClipEditorHook()) {
        ShowClipEditorHook()();
        DisableButtons();
    }
}

void frmQuillet::Update(int n) {
    if (n < 1 || n > kRows)
        return;
    ClipProject& project = OpenProject();
    Clip& clip = project.slot(n);
    SetRowText(n, EditName);
    project.ProjectChanged = true;
    if ((!EditIsImage && EditData.empty()) || (EditIsImage && !TPicture)) {
        SwitchLock(n, false);
        clip.format = core::kFormatTxtSimple;
        SetRowText(n, L"");
        clip.data.clear();
    } else if (EditIsRTF) {
        clip.format = core::kFormatRtf;
        SwitchLock(n, true);
        clip.data = EditData;
    } else if (EditIsSimple && !EditIsImage) {
        clip.format = core::kFormatTxtSimple;
        SwitchLock(n, false);
    } else if (EditIsImage) {
        clip.format = core::kFormatImg;
        SwitchLock(n, true);
        clip.data.clear();
        clip.picture.reset(TPicture.release());
    } else {
        clip.format = core::kFormatTxtLong;
        SwitchLock(n, true);
        clip.data = EditData;
    }
    project.PlaceEmptyStrings();
    for (int k = 1; k <= kRows; ++k)
        if (RowText(k) != project.slot(k).text)
            SetRowText(k, project.slot(k).text);
    EditIsRTF = false;
    EditIsImage = false;
    // Whatever the editor handed back, no picture stays in the holders until the next edit.
    MainForm().Clearpicture();
}

void frmQuillet::OpenClipProperties(int n) {
    EditSlot = n;
    SetTopmost(false);
    if (MainClipWindowHooks().openProperties)
        MainClipWindowHooks().openProperties(n);
}

void frmQuillet::SwapRows(int source, int target) {
    if (source < 1 || source > kRows || target < 1 || target > kRows || source == target)
        return;
    ClipProject& project = OpenProject();
    Clip& a = project.slot(source);
    Clip& b = project.slot(target);
    std::swap(a.format, b.format);
    std::swap(a.text, b.text);
    std::swap(a.data, b.data);
    std::swap(a.locked, b.locked);
    std::swap(a.picture, b.picture);
    // ClipMethods and the hotkeys belong to the slot numbers and stay.
    ShowSlot(source);
    ShowSlot(target);
    project.ProjectChanged = true;
}

void frmQuillet::ShowSlot(int n) {
    const Clip& clip = OpenProject().slot(n);
    const std::wstring text = clip.text;
    SetRowText(n, text.empty() && ::GetFocus() != txtPaste[static_cast<std::size_t>(n)] ? core::EmptyClipMarker : text);
    SwitchLock(n, clip.locked);
}

void frmQuillet::RefreshRows() {
    for (int n = 1; n <= kRows; ++n)
        ShowSlot(n);
}

void frmQuillet::SwitchLock(int n, bool locked) {
    const auto i = static_cast<std::size_t>(n);
    OpenProject().slot(n).locked = locked;
    const bool readOnly = (::GetWindowLongPtrW(txtPaste[i], GWL_STYLE) & ES_READONLY) != 0;
    if (readOnly != locked)
        ::SendMessageW(txtPaste[i], EM_SETREADONLY, locked ? TRUE : FALSE, 0);
    // A hidden window is painted whole when it shows.
    if (!::IsWindowVisible(hwnd()))
        return;
    const RECT panel = PanelRect(n);
    ::InvalidateRect(hwnd(), &panel, TRUE);
    for (HWND control : {lblPanel[i], txtPaste[i], imgCopy[i], imgConf[i], imgProp[i]})
        ::InvalidateRect(control, nullptr, TRUE);
}

void frmQuillet::DisableButtons() {
    SetRowsEnabled(false);
}

void frmQuillet::EnableButtons() {
    SetRowsEnabled(true);
}

void frmQuillet::SetRowsEnabled(bool enabled) {
    disabled_ = !enabled;
    // A control greyed while the window draws repaints there and then: a row button has the window draw
    // it through a device context of its own, a few round trips to the server apiece under Wine, for 90
    // buttons. With the drawing held back the controls only change state; the buttons are then drawn in
    // one pass and the rest paint once, as they would after any change.
    const bool shown = ::IsWindowVisible(hwnd()) != FALSE;
    if (shown) {
        ::UpdateWindow(hwnd()); // holding the drawing back drops what waits to be painted
        ::SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
    }
    const BOOL state = enabled ? TRUE : FALSE;
    for (int n = 1; n <= kRows; ++n) {
        const auto i = static_cast<std::size_t>(n);
        for (HWND control : {imgConf[i], imgCopy[i], imgProp[i], txtPaste[i]})
            ::EnableWindow(control, state);
    }
    ::EnableWindow(chckMove, state);
    ::EnableWindow(toolbar, state);
    if (shown) {
        ::SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
        PaintRowButtons();
        for (int n = 1; n <= kRows; ++n)
            ::InvalidateRect(txtPaste[static_cast<std::size_t>(n)], nullptr, TRUE);
        ::InvalidateRect(chckMove, nullptr, TRUE);
        ::InvalidateRect(toolbar, nullptr, TRUE);
    }
    for (UINT position : {0u, 1u, 3u})
        ::EnableMenuItem(menuBar_, position, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    ::DrawMenuBar(hwnd());
}

RECT frmQuillet::RowButtonRect(int n, int column) const {
    const RECT p = PanelRect(n);
    const int left = p.left + kButtonLeft + column * kButtonStep;
    const int top = p.top + (kRowHeight - kButtonSize) / 2;
    return RECT{left, top, left + kButtonSize, top + kButtonSize};
}

void frmQuillet::PaintRowButtons() {
    // Through the window's own device context, which reaches over its children: each button drawn as its
    // own paint draws it, where no other window covers it (a covered part is painted by the button itself
    // when it comes to view).
    winkit::WindowDC dc(hwnd(), ::GetDCEx(hwnd(), nullptr, DCX_CACHE | DCX_CLIPSIBLINGS));
    if (!dc.get())
        return;
    for (int n = 1; n <= kRows; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const std::array<HWND, 3> buttons{imgCopy[i], imgConf[i], imgProp[i]};
        for (int column = 0; column < 3; ++column) {
            DRAWITEMSTRUCT item{};
            item.CtlType = ODT_BUTTON;
            item.CtlID = static_cast<UINT>(::GetDlgCtrlID(buttons[static_cast<std::size_t>(column)]));
            item.itemAction = ODA_DRAWENTIRE;
            item.hwndItem = buttons[static_cast<std::size_t>(column)];
            item.hDC = dc.get();
            item.rcItem = RowButtonRect(n, column);
            item.itemState = disabled_ ? ODS_DISABLED : 0;
            if (::SendMessageW(item.hwndItem, BM_GETSTATE, 0, 0) & BST_PUSHED)
                item.itemState |= ODS_SELECTED;
            OnDrawItem(item);
        }
    }
}

void frmQuillet::SetTopmost(bool on) {
    if (hwnd())
        ::SetWindowPos(hwnd(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void frmQuillet::ShowAtStatus(const std::wstring& text) {
    if (StatusText() != text)
        ::SendMessageW(StatusBar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(text.c_str()));
    ::KillTimer(hwnd(), kRestoreTimer);
    ::SetTimer(hwnd(), kRestoreTimer, kRestoreTimerMs, nullptr);
}

void frmQuillet::SetBusy(bool busy) { ::SetCursor(::LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW)); }

void frmQuillet::FocusFirstRow() {
    if (!::IsWindowVisible(hwnd()))
        return;
    ::SetFocus(txtPaste[1]);
    ::SendMessageW(txtPaste[1], EM_SETSEL, 0, -1);
}

void frmQuillet::ClickFirstRow() {
    if (::IsWindowVisible(hwnd()) && ::IsWindowEnabled(txtPaste[1]))
        ::SetFocus(txtPaste[1]);
}

void frmQuillet::AddRecent(const std::wstring& name, const std::wstring& path) { quillet::AddRecent(name, path, *this); }

void frmQuillet::LoadRecentList() { quillet::LoadRecentList(*this); }

void frmQuillet::OnProjectTimer() {
    if (IsExiting) {
        ::KillTimer(hwnd(), kProjectTimer);
        return;
    }
    const ClipProject& project = OpenProject();
    SetTextIfDifferent(hwnd(), project.ProjectName == L"Blank" ? std::wstring(L"Quillet (new project)")
                                                                 : L"Quillet (" + project.ProjectName + L")");
    const std::wstring title = Trimmed(lastWindowTitle);
    SetTextIfDifferent(lblWindow, L"Last Active Window: " + (title.empty() ? std::wstring(L"Unnamed or N/A") : title));
    UpdateKeyIndicators();
}

void frmQuillet::UpdateKeyIndicators() {
    static const struct {
        int part;
        int key;
        const wchar_t* text;
    } indicators[] = {{2, VK_NUMLOCK, L"NUM"}, {3, VK_CAPITAL, L"CAPS"}, {4, VK_SCROLL, L"SCRL"}};
    for (const auto& indicator : indicators) {
        const bool on = (::GetKeyState(indicator.key) & 1) != 0;
        const LRESULT length = ::SendMessageW(StatusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(indicator.part), 0);
        if ((LOWORD(length) != 0) != on)
            ::SendMessageW(StatusBar, SB_SETTEXTW, static_cast<WPARAM>(indicator.part),
                           reinterpret_cast<LPARAM>(on ? indicator.text : L""));
    }
}

void frmQuillet::OnClose() {
    SaveWindowPosition(hwnd(), kFormName);
    ClipProject& project = OpenProject();
    if (project.ProjectChanged) {
        if (ExitChoice == 1) {
            if (ShowMessage(L"There are some unsaved changes in current Quillet project. Would you like to save them?",
                            L"quest") == IDYES)
                SaveProjectCommand(project, *this);
        } else if (ExitChoice == 2) {
            SaveProjectCommand(project, *this);
        }
    }
    Destroy();
}

int frmQuillet::RowAt(POINT screen) const {
    for (int n = 1; n <= kRows; ++n) {
        RECT panel = PanelRect(n);
        ::MapWindowPoints(hwnd(), nullptr, reinterpret_cast<POINT*>(&panel), 2);
        if (::PtInRect(&panel, screen))
            return n;
    }
    return 0;
}

void frmQuillet::PaintPanels(HDC dc) {
    winkit::ScopedGdiObject edge(::CreatePen(PS_SOLID, 1, kPanelEdge));
    winkit::SelectObjectGuard pen(dc, edge.get());
    for (int n = 1; n <= kRows; ++n) {
        const RECT p = PanelRect(n);
        winkit::SelectObjectGuard brush(dc, OpenProject().slot(n).locked ? lockedPanelBrush_.get() : panelBrush_.get());
        ::RoundRect(dc, p.left, p.top, p.right, p.bottom, 7, 7);
    }
    // A rule under the target strip.
    RECT toolbarRect{};
    ::GetWindowRect(toolbar, &toolbarRect);
    RECT rule{kMargin, (toolbarRect.bottom - toolbarRect.top) + kStripHeight - 1, PanelRect(30).right,
              (toolbarRect.bottom - toolbarRect.top) + kStripHeight + 1};
    ::DrawEdge(dc, &rule, EDGE_ETCHED, BF_TOP);
}

LRESULT frmQuillet::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const int id = static_cast<int>(item.CtlID);
    ButtonFace face = ButtonFace::Activate;
    COLORREF background = ::GetSysColor(COLOR_BTNFACE);
    int n = 0;
    if (id > kImgCopy && id <= kImgCopy + kRows) {
        face = ButtonFace::Copy;
        n = id - kImgCopy;
    } else if (id > kImgConf && id <= kImgConf + kRows) {
        face = ButtonFace::Configure;
        n = id - kImgConf;
    } else if (id > kImgProp && id <= kImgProp + kRows) {
        face = ButtonFace::Properties;
        n = id - kImgProp;
    } else if (id != kImgActivate) {
        return FALSE;
    }
    if (n != 0)
        background = OpenProject().slot(n).locked ? kLockedPanelColour : kPanelColour;
    DrawButtonFace(item.hDC, item.rcItem, face, (item.itemState & ODS_SELECTED) != 0,
                   (item.itemState & ODS_DISABLED) != 0, background);
    return TRUE;
}

void frmQuillet::OnCommand(int id, int code, HWND control) {
    if (control && id > kTxtPaste && id <= kTxtPaste + kRows) {
        if (code == EN_CHANGE)
            OnRowTextChanged(id - kTxtPaste);
        return;
    }
    // Owner-drawn buttons report a quick second click as a double click; it is a second press all the same.
    if (control && (code == BN_CLICKED || code == BN_DOUBLECLICKED)) {
        if (id > kImgCopy && id <= kImgCopy + kRows)
            CopyClip(id - kImgCopy);
        else if (id > kImgConf && id <= kImgConf + kRows)
            ConfigureClip(id - kImgConf);
        else if (id > kImgProp && id <= kImgProp + kRows)
            OpenClipProperties(id - kImgProp);
        else if (id == kImgActivate)
            ActivateLastWindow();
        else if (id > kToolbarButton && id <= kToolbarButton + 20)
            OnToolbarButton(id - kToolbarButton);
        return;
    }
    if (id > kToolbarButton && id <= kToolbarButton + 20) {
        OnToolbarButton(id - kToolbarButton);
        return;
    }
    OnMenu(id);
}

LRESULT frmQuillet::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_DRAWITEM:
        return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        const HWND control = reinterpret_cast<HWND>(lParam);
        const HDC dc = reinterpret_cast<HDC>(wParam);
        const int id = ::GetDlgCtrlID(control);
        if (id > kTxtPaste && id <= kTxtPaste + kRows) {
            const bool locked = OpenProject().slot(id - kTxtPaste).locked;
            ::SetBkColor(dc, locked ? kLockedRowColour : ::GetSysColor(COLOR_WINDOW));
            ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(locked ? lockBrush_.get() : rowBrush_.get());
        }
        if (id > kLblPanel && id <= kLblPanel + kRows) {
            const bool locked = OpenProject().slot(id - kLblPanel).locked;
            ::SetBkColor(dc, locked ? kLockedPanelColour : kPanelColour);
            return reinterpret_cast<LRESULT>(locked ? lockedPanelBrush_.get() : panelBrush_.get());
        }
        break;
    }
    case WM_SETCURSOR:
        // Sent here first for the children too, whenever the mouse moves over the window.
        AddTooltips();
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd(), &ps);
        PaintPanels(dc);
        ::EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_SIZE: {
        ::SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
        ::SendMessageW(StatusBar, WM_SIZE, 0, 0);
        RECT client{};
        ::GetClientRect(hwnd(), &client);
        const int right = client.right;
        int parts[] = {90, right - 150, right - 100, right - 50, -1};
        ::SendMessageW(StatusBar, SB_SETPARTS, 5, reinterpret_cast<LPARAM>(parts));
        return 0;
    }
    case WM_TIMER:
        if (wParam == kProjectTimer) {
            OnProjectTimer();
        } else if (wParam == kRestoreTimer) {
            ::KillTimer(hwnd(), kRestoreTimer);
            if (!IsExiting)
                ::SendMessageW(StatusBar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L"Ready"));
        }
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && EditorOpen) {
            // While a clip is being edited the editor stays the window the user works in.
            if (EditorWindow)
                ::SetForegroundWindow(EditorWindow);
            ::MessageBeep(MB_OK);
            return 0;
        }
        break;
    case WM_CLOSE:
        if (!IsExiting && !unloading_) {
            ::ShowWindow(hwnd(), SW_HIDE);
            return 0;
        }
        OnClose();
        return 0;
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

void frmQuillet::OnDestroyed() {
    UnregisterOwnForm(hwnd());
    tooltips_ = nullptr; // an owned window, gone with this one
    MainClipWindowLinks& links = MainClipWindowHooks();
    links.window = nullptr;
    links.hotkeyTrigger = nullptr;
    links.showWindow = nullptr;
    links.editorOpen = nullptr;
    links.focusEditor = nullptr;
    links.setTopmost = nullptr;
    links.autoPasteChecked = nullptr;
    links.setAutoPaste = nullptr;
    links.showIpItems = nullptr;
    links.setIpCaptions = nullptr;
    PasteHooks() = {};
    SettingsTargets& settings = SettingsHooks();
    settings.copyOptionChecked = nullptr;
    settings.checkCopyOption = nullptr;
    settings.keepMainWindowOnTop = nullptr;
    SetMenuStatusHook(nullptr);
    if (toolbaricons) {
        ::ImageList_Destroy(toolbaricons);
        toolbaricons = nullptr;
    }
    for (auto& control : txtPaste)
        control = nullptr;
    bold_ = {};
}

void frmQuillet::FillHooks() {
    MainClipWindowLinks& links = MainClipWindowHooks();
    links.window = [this] { return hwnd(); };
    links.hotkeyTrigger = [this](int clip) { HotkeyTrigger(clip); };
    links.showWindow = [this] { ShowMainWindow(); };
    links.editorOpen = [] { return EditorOpen; };
    links.focusEditor = [] {
        if (EditorOpen && EditorWindow)
            ::SetForegroundWindow(EditorWindow);
    };
    links.setTopmost = [this](bool on) { SetTopmost(on); };
    links.autoPasteChecked = [this] { return MenuChecked(mnuAutoPaste); };
    links.setAutoPaste = [this](bool on) { SetMenuCheck(mnuAutoPaste, on); };
    links.showIpItems = [this](bool visible) {
        ipVisible_ = visible;
        SetIpItems();
    };
    links.setIpCaptions = [this](const std::wstring& publicIp, const std::wstring& localIp) {
        ipTag_[0] = publicIp;
        ipTag_[1] = localIp == publicIp ? std::wstring() : localIp;
        SetIpItems();
    };

    PasteHost& paste = PasteHooks();
    paste.autoPasteChecked = [this] { return MenuChecked(mnuAutoPaste); };
    paste.showStatus = [this](const std::wstring& text) { ShowAtStatus(text); };
    paste.mainWindow = [this] { return hwnd(); };

    SettingsTargets& settings = SettingsHooks();
    const auto command = [](CopyOption option) {
        return option == CopyOption::MinimizeOnCopy ? mnuMinimizeOnCopy
               : option == CopyOption::HideOnCopy   ? mnuHideOnCopy
                                                    : mnuAutoPaste;
    };
    settings.copyOptionChecked = [this, command](CopyOption option) { return MenuChecked(command(option)); };
    settings.checkCopyOption = [this, command](CopyOption option, bool checked) {
        SetMenuCheck(command(option), checked);
    };
    settings.keepMainWindowOnTop = [this] {
        SetTopmost(true);
        CheckAlwaysOnTop(true);
    };
    SetMenuStatusHook([this](const std::wstring& text) { ShowAtStatus(text); });
}

} // namespace quillet
