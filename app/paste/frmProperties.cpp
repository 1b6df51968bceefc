#include "app/paste/frmProperties.h"

#include "app/paste/modHotkey.h"
#include "app/projects/ClipProject.h"
#include "app/projects/MainClipWindow.h"
#include "app/shell/Messages.h"
#include "app/shell/modInitialization.h"
#include "app/shell/modSettings.h"
#include "core/HotkeyRules.h"
#include "core/SettingValue.h"
#include "winkit/DialogKeys.h"

namespace quillet {

namespace {

constexpr const wchar_t* kClassName = L"QuilletProperties";

HWND AddControl(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id,
                HFONT font) {
    HWND control = ::CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                                     nullptr);
    if (control && font)
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

bool Checked(HWND control) { return ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Check(HWND control, bool on) { ::SendMessageW(control, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

int StoredNumber(const std::wstring& key) {
    const auto value = core::SettingInteger(ReadSetting(core::kHotkeySection, key), INT32_MIN, INT32_MAX);
    return value ? static_cast<int>(*value) : 0;
}

const int kMethodOptions[] = {frmProperties::optControlV, frmProperties::optKeyByKey, frmProperties::optShiftInsert,
                              frmProperties::optDefault};

} // namespace

frmProperties& PropertiesForm() {
    static frmProperties form;
    return form;
}

void ShowProperties(int clip) {
    const MainClipWindowLinks& links = MainClipWindowHooks();
    PropertiesForm().Unload();
    if (links.setTopmost)
        links.setTopmost(false);
    PropertiesForm().Open(clip);
}

bool frmProperties::Open(int clip) {
    if (IsExiting || clip < 1 || clip > core::kSlotCount)
        return false;
    Unload();
    if (!winkit::RegisterWindowClass(kClassName))
        return false;
    slot_ = clip;
    const HWND owner = MainClipWindowHooks().window ? MainClipWindowHooks().window() : nullptr;
    if (!Create(kClassName, L"Clip properties", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
                CW_USEDEFAULT, CW_USEDEFAULT, 400, 300, owner))
        return false;
    CreateControls();
    ShowStoredValues();
    winkit::AddDialogKeys(hwnd());
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetFocus(control(cmdOK));
    return true;
}

void frmProperties::Unload() { Destroy(); }

void frmProperties::CreateControls() {
    font_ = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    const HWND w = hwnd();
    AddControl(w, L"BUTTON", L"Paste method", BS_GROUPBOX, 8, 4, 376, 112, 0, font_);
    AddControl(w, L"BUTTON", L"Send Control + &V", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 20, 24, 350, 20,
               optControlV, font_);
    AddControl(w, L"BUTTON", L"Send clip &key by key (NOT recommended)", BS_AUTORADIOBUTTON, 20, 46, 350, 20,
               optKeyByKey, font_);
    AddControl(w, L"BUTTON", L"Send Shift + &Insert (Old way of pasting)", BS_AUTORADIOBUTTON, 20, 68, 350, 20,
               optShiftInsert, font_);
    AddControl(w, L"BUTTON", L"&Default", BS_AUTORADIOBUTTON, 20, 90, 350, 20, optDefault, font_);
    AddControl(w, L"BUTTON", L"Hotkey", BS_GROUPBOX, 8, 122, 376, 60, 0, font_);
    AddControl(w, L"BUTTON", L"&Control", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 20, 146, 70, 20, chkControl,
               font_);
    AddControl(w, L"STATIC", L"+", 0, 92, 148, 10, 18, 0, font_);
    AddControl(w, L"BUTTON", L"&Alt", BS_AUTOCHECKBOX | WS_TABSTOP, 104, 146, 50, 20, chkAlt, font_);
    AddControl(w, L"STATIC", L"+", 0, 156, 148, 10, 18, 0, font_);
    AddControl(w, L"BUTTON", L"&Shift", BS_AUTOCHECKBOX | WS_TABSTOP, 168, 146, 60, 20, chkShift, font_);
    AddControl(w, L"STATIC", L"+", 0, 230, 148, 10, 18, 0, font_);
    AddControl(w, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 244, 144, 130, 300, mKey, font_);
    AddControl(w, L"BUTTON", L"&OK", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 200, 196, 84, 26, cmdOK, font_);
    AddControl(w, L"BUTTON", L"C&ancel", BS_PUSHBUTTON | WS_TABSTOP, 292, 196, 84, 26, cmdCancel, font_);
    RECT r{0, 0, 392, 232};
    ::AdjustWindowRectEx(&r, static_cast<DWORD>(::GetWindowLongPtrW(w, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(w, GWL_EXSTYLE)));
    ::SetWindowPos(w, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
}

void frmProperties::ShowStoredValues() {
    const HWND list = control(mKey);
    for (const core::KeyListEntry& entry : core::PropertiesKeyList()) {
        const LRESULT index = ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
        ::SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(index), entry.code);
    }
    const int method = ClipMethods[static_cast<std::size_t>(slot_ - 1)];
    if (method >= 1 && method <= 4)
        Check(control(kMethodOptions[method - 1]), true);

    const core::MaskBoxes boxes = core::MaskToBoxes(StoredNumber(core::ClipModKey(slot_)));
    Check(control(chkControl), boxes.control);
    Check(control(chkAlt), boxes.alt);
    Check(control(chkShift), boxes.shift);
    const std::size_t selected = core::KeyListIndexOf(StoredNumber(core::ClipKeyKey(slot_)));
    ::SendMessageW(list, CB_SETCURSEL, selected, 0);
}

bool frmProperties::Accept() {
    const int mask = core::BoxesToMask({Checked(control(chkControl)), Checked(control(chkAlt)), Checked(control(chkShift))});
    const LRESULT selected = ::SendMessageW(control(mKey), CB_GETCURSEL, 0, 0);
    const int key = selected == CB_ERR ? 0 : static_cast<int>(::SendMessageW(control(mKey), CB_GETITEMDATA, selected, 0));

    const core::PropertiesCheck check = core::CheckPropertiesHotkey(slot_, mask, key, ClipHotkeys);
    if (check.verdict == core::PropertiesVerdict::AltAlone) {
        ShowMessage(core::kAltAloneMessage, L"inf");
        return false;
    }
    if (check.verdict == core::PropertiesVerdict::Conflict) {
        ShowMessage(core::ConflictMessage(check.conflictClip), L"excl");
        return false;
    }
    if (check.verdict == core::PropertiesVerdict::Changed) {
        WriteSetting(core::kHotkeySection, core::ClipModKey(slot_), std::to_wstring(mask));
        WriteSetting(core::kHotkeySection, core::ClipKeyKey(slot_), std::to_wstring(key));
        SetClipHotkey(mask, key, core::ClipHotkeyId(slot_));
        if (MainClipWindowHooks().refreshHotkeyTips)
            MainClipWindowHooks().refreshHotkeyTips();
    }
    for (int m = 1; m <= 4; ++m) {
        if (Checked(control(kMethodOptions[m - 1])))
            ClipMethods[static_cast<std::size_t>(slot_ - 1)] = static_cast<std::uint8_t>(m);
    }
    Unload();
    return true;
}

LRESULT frmProperties::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == cmdOK && HIWORD(wParam) == BN_CLICKED) {
            Accept();
            return 0;
        }
        if (LOWORD(wParam) == cmdCancel && HIWORD(wParam) == BN_CLICKED) {
            Unload();
            return 0;
        }
        break;
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_DESTROY:
        winkit::RemoveDialogKeys(hwnd());
        break;
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

void frmProperties::OnDestroyed() {
    if (!IsExiting)
        RestoreMainWindowTopmost();
}

} // namespace quillet
