// frmQuillet's toolbar (20 buttons, the recent projects among them) and its five-panel status bar.
#include "app/projects/MainClipWindow.h"
#include "app/projects/ProjectCommands.h"
#include "app/projects/QuilletPictures.h"
#include "app/projects/frmQuillet.h"
#include "app/shell/modSettings.h"

namespace quillet {

using namespace frmquillet_ids;

namespace {

constexpr int kButtonCount = 20;
constexpr int kRecentLabelWidth = 104;

int Image(Picture p) { return static_cast<int>(p); }

} // namespace

void frmQuillet::CreateToolbar() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    toolbar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER, 0,
                                0, 0, 0, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolbar)), instance,
                                nullptr);
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    toolbaricons = MakeToolbarImages();
    ::SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbaricons));

    TBBUTTON buttons[kButtonCount]{};
    const auto button = [&](int index, int image, BYTE style = BTNS_BUTTON, BYTE state = TBSTATE_ENABLED) {
        TBBUTTON& b = buttons[index - 1];
        b.iBitmap = image;
        b.idCommand = kToolbarButton + index;
        b.fsState = state;
        b.fsStyle = style;
    };
    const auto separator = [&](int index, int width = 6, BYTE state = 0) {
        TBBUTTON& b = buttons[index - 1];
        b.iBitmap = width;
        b.idCommand = kToolbarButton + index;
        b.fsState = state;
        b.fsStyle = BTNS_SEP;
    };
    separator(1, 4);
    button(2, Image(Picture::PinUp), BTNS_CHECK);
    separator(3);
    button(4, Image(Picture::SaveProject));
    button(5, Image(Picture::OpenProject));
    separator(6);
    separator(7, 0, TBSTATE_HIDDEN);
    separator(8, 0, TBSTATE_HIDDEN);
    separator(9, 0, TBSTATE_HIDDEN);
    separator(10, kRecentLabelWidth); // room for the "Recent projects:" label
    for (int k = 1; k <= kRecentCount; ++k)
        button(10 + k, Image(Picture::Recent1) + k - 1, BTNS_BUTTON, 0);
    button(16, Image(Picture::DefaultProject));
    separator(17);
    button(18, Image(Picture::PasteDown));
    button(19, Image(Picture::PasteUp));
    separator(20);
    ::SendMessageW(toolbar, TB_ADDBUTTONSW, kButtonCount, reinterpret_cast<LPARAM>(buttons));
    ::SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);

    RECT slot{};
    ::SendMessageW(toolbar, TB_GETITEMRECT, 9, reinterpret_cast<LPARAM>(&slot));
    lblRecent = ::CreateWindowExW(0, L"STATIC", L"Recent projects:", WS_CHILD | WS_VISIBLE | SS_RIGHT | SS_CENTERIMAGE,
                                  slot.left, slot.top, slot.right - slot.left - 4, slot.bottom - slot.top, toolbar,
                                  nullptr, instance, nullptr);
    ::SendMessageW(lblRecent, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

void frmQuillet::CreateStatusBar() {
    StatusBar = ::CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                  hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBar)),
                                  ::GetModuleHandleW(nullptr), nullptr);
    int parts[] = {90, 400, 450, 500, -1};
    ::SendMessageW(StatusBar, SB_SETPARTS, 5, reinterpret_cast<LPARAM>(parts));
    ::SendMessageW(StatusBar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L"Ready"));
}

void frmQuillet::CheckAlwaysOnTop(bool down) {
    ::SendMessageW(toolbar, TB_CHECKBUTTON, kToolbarButton + 2, MAKELONG(down, 0));
    ::SendMessageW(toolbar, TB_CHANGEBITMAP, kToolbarButton + 2,
                   MAKELPARAM(Image(down ? Picture::PinDown : Picture::PinUp), 0));
}

void frmQuillet::OnToolbarButton(int index) {
    ClipProject& project = OpenProject();
    MainClipWindowLinks& links = MainClipWindowHooks();
    switch (index) {
    case 2: {
        const bool down = ::SendMessageW(toolbar, TB_ISBUTTONCHECKED, kToolbarButton + 2, 0) != 0;
        CheckAlwaysOnTop(down);
        WriteSetting(L"Quillet", L"QLAlwaysOnTop", down ? L"1" : L"0");
        SetTopmost(down);
        break;
    }
    case 4:
        SaveProjectCommand(project, *this);
        break;
    case 5:
        LoadProjectCommand(project, *this);
        break;
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
        OpenRecent(index - 10, project, *this, *this);
        break;
    case 16:
        LoadDefaultProject(project, *this);
        break;
    case 18:
        if (links.pasteNext)
            links.pasteNext(+1);
        break;
    case 19:
        if (links.pasteNext)
            links.pasteNext(-1);
        break;
    default:
        break;
    }
}

LRESULT frmQuillet::OnNotify(const NMHDR& header) {
    if (header.code == TTN_GETDISPINFOW) {
        auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
        const int index = static_cast<int>(header.idFrom) - kToolbarButton;
        static std::wstring tip;
        switch (index) {
        case 2:
            tip = L"Always on top";
            break;
        case 4:
            tip = L"Save project";
            break;
        case 5:
            tip = L"Open project";
            break;
        case 16:
            tip = defaultTip_.empty() ? std::wstring(L"Load default project") : defaultTip_;
            break;
        case 18:
            tip = L"Paste next (downwards)";
            break;
        case 19:
            tip = L"Paste next (upwards)";
            break;
        default:
            tip = index >= 11 && index <= 15 ? recentTips_[static_cast<std::size_t>(index - 10)] : std::wstring();
            break;
        }
        info.lpszText = const_cast<wchar_t*>(tip.c_str());
        return 0;
    }
    return 0;
}

} // namespace quillet
