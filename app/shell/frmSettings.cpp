#include "app/shell/frmSettings.h"

#include "app/menu/frmMain.h"
#include "app/menu/modRunAtStartup.h"
#include "app/paste/modHotkey.h"
#include "app/projects/ClipProject.h"
#include "app/projects/MainClipWindow.h"
#include "app/shell/Messages.h"
#include "app/shell/SettingSteps.h"
#include "app/shell/modInitialization.h"
#include "app/shell/modSettings.h"
#include "core/HotkeyRules.h"
#include "core/SettingValue.h"
#include "core/SettingsDialogRules.h"
#include "winkit/BusyCursor.h"
#include "winkit/DialogKeys.h"

#include <commctrl.h>

namespace quillet {

namespace {

constexpr const wchar_t* kClassName = L"QuilletSettings";
constexpr const wchar_t* kGeneral = L"General";
constexpr const wchar_t* kQuillet = L"Quillet";

struct TabDef {
    const wchar_t* caption;
    const wchar_t* key;
    const wchar_t* tooltip;
    int frame;
    const wchar_t* frameCaption;
};
const TabDef kTabs[frmSettings::kTabCount] = {
    {L"&General", L"general", L"General settings", frmSettings::fraQuilleter, L"General settings"},
    {L"Clip &Edit Dialog", L"cpb", L"Configure clip dialog settings", frmSettings::fraCPB,
     L"Configure Clip dialog settings"},
    {L"&Pasting", L"pasting", L"Pasting methods", frmSettings::fraPasting, L"Pasting"},
    {L"Clipboard &Menu", L"formatting", L"Settings relative to clipboard menu functions ", frmSettings::fraFormatting,
     L"Clipboard menu"},
    {L"&Hotkeys", L"hotkeys", L"Configure global hotkeys", frmSettings::fraHotkeys, L"Hotkeys"},
};

// Client area and the place of the pages inside it.
constexpr int kClientWidth = 470;
constexpr int kClientHeight = 380;
constexpr int kFrameX = 16, kFrameY = 38, kFrameWidth = 438, kFrameHeight = 288;
constexpr int kX = 28;     // controls' left edge inside a frame
constexpr int kWide = 410; // width of a control across a frame

constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP;
constexpr DWORD kFirstOption = BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP;
constexpr DWORD kOption = BS_AUTORADIOBUTTON;
constexpr DWORD kGroup = BS_GROUPBOX | WS_GROUP;
constexpr DWORD kLabel = SS_LEFT | WS_GROUP;

std::wstring Stored(const wchar_t* section, const wchar_t* key) {
    return ReadSetting(section, key);
}
bool StoredOn(const wchar_t* section, const wchar_t* key) {
    return core::IsFlagOn(Stored(section, key));
}
const wchar_t* Flag(bool on) {
    return on ? L"1" : L"0";
}

int StoredNumber(const std::wstring& key) {
    const auto value = core::SettingInteger(ReadSetting(core::kHotkeySection, key), INT32_MIN, INT32_MAX);
    return value ? static_cast<int>(*value) : 0;
}

} // namespace

frmSettings& SettingsForm() {
    static frmSettings form;
    return form;
}

bool frmSettings::Load() {
    if (hwnd())
        return true;
    if (!winkit::RegisterWindowClass(kClassName))
        return false;
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&classes);
    RECT r{0, 0, kClientWidth, kClientHeight};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    ::AdjustWindowRectEx(&r, style, FALSE, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT);
    // Owned by the hidden main form: no task bar button of its own, and it lives as long as the program.
    if (!Create(kClassName, L"Quillet Settings", style, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, CW_USEDEFAULT,
                CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, MainForm().hwnd()))
        return false;
    CreateControls();
    ShowPage(0);
    InitializeHotkeysConfig();
    reload_ = true;
    winkit::AddDialogKeys(hwnd());
    OfferLazily();
    return true;
}

void frmSettings::OfferLazily() {
    ProgramMenuHooks().showSettingsDialog = [] { SettingsForm().Show(); };
}

void frmSettings::Unload() {
    if (!hwnd())
        return;
    ProgramMenuHooks().showSettingsDialog = nullptr;
    winkit::RemoveDialogKeys(hwnd());
    Destroy();
    for (auto& page : pages_)
        page.clear();
}

void frmSettings::Show() {
    if (IsExiting || (!hwnd() && !Load()))
        return;
    // Form_Activate's re-read, done before the window shows, so the user never sees stale values even when
    // the system does not hand it the activation.
    if (reload_) {
        reload_ = false;
        GetSettings();
    }
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
}

void frmSettings::Hide() {
    if (hwnd())
        ::ShowWindow(hwnd(), SW_HIDE);
}

HWND frmSettings::Add(int page, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
                      int id) {
    HWND control =
        ::CreateWindowExW(0, cls, text, WS_CHILD | style, x, y, w, h, hwnd(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    if (control && font_)
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (control && page >= 0)
        pages_[static_cast<std::size_t>(page)].push_back(control);
    else if (control)
        ::ShowWindow(control, SW_SHOW);
    return control;
}

void frmSettings::CreateControls() {
    font_ = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    HWND strip =
        Add(-1, WC_TABCONTROLW, L"", TCS_TOOLTIPS | TCS_FOCUSONBUTTONDOWN | WS_CLIPSIBLINGS | WS_TABSTOP | WS_GROUP, 8,
            8, 454, 326, tabs);
    for (int i = 0; i < kTabCount; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(kTabs[i].caption);
        ::SendMessageW(strip, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    for (int i = 0; i < kTabCount; ++i)
        Add(i, L"BUTTON", kTabs[i].frameCaption, kGroup, kFrameX, kFrameY, kFrameWidth, kFrameHeight, kTabs[i].frame);

    // General.
    Add(0, L"BUTTON", L"&Run Quillet automatically at startup of Windows", kCheck, kX, 58, kWide, 20, chckRunStartup);
    Add(0, L"STATIC", L"Please note: Quillet window won't appear when Quillet starts at system startup.", kLabel,
        kX + 18, 80, kWide - 18, 28);
    Add(0, L"BUTTON", L"Open Quillet main window at startup", kCheck, kX, 110, kWide, 20, chkOpenMainWindow);
    Add(0, L"BUTTON", L"&Disable Splash Screen", kCheck, kX, 132, kWide, 20, chkNoSplash);
    Add(0, L"BUTTON", L"When &deleting clip with Delete key", kGroup, kX, 156, kWide, 64);
    Add(0, L"BUTTON", L"Ask user if clip should &be deleted", kFirstOption, kX + 12, 174, kWide - 24, 20,
        optAskWhenDeletingClip);
    Add(0, L"BUTTON", L"Don't ask &user", kOption, kX + 12, 194, kWide - 24, 20, optDontAskDeletingClip);
    Add(0, L"BUTTON", L"When &exiting Quillet", kGroup, kX, 226, kWide, 86);
    Add(0, L"BUTTON", L"&Auto save project", kFirstOption, kX + 12, 244, kWide - 24, 20, optAutoSaveQLP);
    Add(0, L"BUTTON", L"A&sk user if project should be saved", kOption, kX + 12, 264, kWide - 24, 20, optAskToSaveQLP);
    Add(0, L"BUTTON", L"D&on't save project and don't ask", kOption, kX + 12, 284, kWide - 24, 20, optDontSaveQLP);

    // Clip Edit Dialog.
    Add(1, L"BUTTON", L"When pasting picture from clipboard and clipboard is empty...", kGroup, kX, 58, kWide, 64);
    Add(1, L"BUTTON", L"&Display message that clipboard is empty", kFirstOption, kX + 12, 76, kWide - 24, 20,
        optCPBImgPaste);
    Add(1, L"BUTTON", L"Don't display message", kOption, kX + 12, 96, kWide - 24, 20, optCPBImgDontPaste);
    Add(1, L"BUTTON", L"&Remeber font name and size of plaintext format", kCheck, kX, 132, kWide, 20,
        chkRememberDefaultFont);
    Add(1, L"BUTTON", L"When pressing \"Clear\" button...", kGroup, kX, 160, kWide, 64);
    Add(1, L"BUTTON", L"&Ask user if clip should be really cleared", kFirstOption, kX + 12, 178, kWide - 24, 20,
        optAskClear);
    Add(1, L"BUTTON", L"Don't ask user", kOption, kX + 12, 198, kWide - 24, 20, optDontAskClear);

    // Pasting.
    Add(2, L"BUTTON", L"Enable &Autopaste", kCheck, kX, 56, kWide, 20, chkAutopaste);
    Add(2, L"BUTTON", L"A&fter pasting", kGroup, kX, 78, kWide, 82);
    Add(2, L"BUTTON", L"Do &nothing", kFirstOption, kX + 12, 94, kWide - 24, 20, optQLNothing);
    Add(2, L"BUTTON", L"&Minimize Quillet window (if shown)", kOption, kX + 12, 114, kWide - 24, 20, optQLMinimize);
    Add(2, L"BUTTON", L"&Hide Quillet window (if shown)", kOption, kX + 12, 134, kWide - 24, 20, optHideQL);
    Add(2, L"BUTTON", L"&Default paste method", kGroup, kX, 164, kWide, 82);
    Add(2, L"BUTTON", L"Send Control + &V", kFirstOption, kX + 12, 180, kWide - 24, 20, optControlV);
    Add(2, L"BUTTON", L"Send clip &key by key (Alpha text only, NOT recommended)", kOption, kX + 12, 200, kWide - 24,
        20, optKeyByKey);
    Add(2, L"BUTTON", L"Send Shift + &Insert (old way of pasting)", kOption, kX + 12, 220, kWide - 24, 20,
        optShiftInsert);
    Add(2, L"STATIC",
        L"If you set paste method at Clip properties of any clip to different than 'Default', these settings won't "
        L"work for that clip. However, you may override settings of all clips this way.",
        kLabel, kX, 254, 268, 56);
    Add(2, L"BUTTON", L"&Set all clips to default", BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, kX + 276, 262, 134, 26,
        cmdMassSet);

    // Clipboard Menu.
    Add(3, L"BUTTON", L"&Auto paste does apply also for copy Time, Date...", kCheck, kX, 58, kWide, 20,
        chkAutoPasteOther);
    Add(3, L"BUTTON", L"Do not show &IP adress at systray menu", kCheck, kX, 82, kWide, 20, chkNoIP);
    Add(3, L"BUTTON", L"&Keep capital letters big when performing 'Sentence case'", kCheck, kX, 106, kWide, 20,
        chkKeepBig);

    // Hotkeys.
    const auto& boxes = core::SettingsHotkeyBoxes();
    for (int i = 0; i < kHotkeyBoxes; ++i) {
        const int y = 54 + 44 * i;
        Add(4, L"BUTTON", boxes[static_cast<std::size_t>(i)].caption, kGroup, kX, y, kWide, 40, fraHotkey(i));
        Add(4, L"BUTTON", L"Alt", kCheck, kX + 12, y + 16, 52, 18, chkAlt(i));
        Add(4, L"BUTTON", L"Ctrl", BS_AUTOCHECKBOX | WS_TABSTOP, kX + 70, y + 16, 52, 18, chkControl(i));
        Add(4, L"BUTTON", L"Shift", BS_AUTOCHECKBOX | WS_TABSTOP, kX + 128, y + 16, 56, 18, chkShift(i));
        Add(4, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, kX + 220, y + 13, 178, 300,
            mKey(i));
    }
    Add(4, L"STATIC", L"These hotkeys should be system-wide unique!", kLabel, kX, 274, kWide, 16);
    Add(4, L"STATIC",
        L"You may also configure hotkeys for certain clips using Properties (hotkey F4) button at main window.", kLabel,
        kX, 290, kWide, 30);

    Add(-1, L"BUTTON", L"&OK", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 200, 344, 84, 26, cmdOK);
    Add(-1, L"BUTTON", L"&Cancel", BS_PUSHBUTTON | WS_TABSTOP, 290, 344, 84, 26, cmdCancel);
    Add(-1, L"BUTTON", L"&Apply", BS_PUSHBUTTON | WS_TABSTOP, 380, 344, 84, 26, cmdApply);
    // The pages sit over the tab strip, in front of it.
    for (const auto& page : pages_)
        for (HWND control : page)
            ::SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void frmSettings::ShowPage(int page) {
    // Every page goes out, then the chosen one comes in: its frame enabled and in front.
    for (int i = 0; i < kTabCount; ++i) {
        for (HWND control : pages_[static_cast<std::size_t>(i)]) {
            ::ShowWindow(control, SW_HIDE);
            ::EnableWindow(control, FALSE);
        }
    }
    if (page < 0 || page >= kTabCount)
        return;
    for (HWND control : pages_[static_cast<std::size_t>(page)]) {
        ::EnableWindow(control, TRUE);
        ::ShowWindow(control, SW_SHOW);
    }
    ::SendMessageW(control(tabs), TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
}

void frmSettings::tabs_Click() {
    ShowPage(static_cast<int>(::SendMessageW(control(tabs), TCM_GETCURSEL, 0, 0)));
}

bool frmSettings::Checked(int id) const {
    return ::SendMessageW(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
void frmSettings::Check(int id, bool on) const {
    ::SendMessageW(control(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void frmSettings::InitializeHotkeysConfig() {
    for (int i = 0; i < kHotkeyBoxes; ++i) {
        const HWND list = control(mKey(i));
        ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
        for (const core::KeyListEntry& entry : core::PropertiesKeyList()) {
            const LRESULT index = ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
            ::SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(index), entry.code);
        }
    }
    ShowStoredHotkeys();
}

void frmSettings::ShowStoredHotkeys() {
    const auto& boxes = core::SettingsHotkeyBoxes();
    for (int i = 0; i < kHotkeyBoxes; ++i) {
        const core::SettingsHotkeyBox& box = boxes[static_cast<std::size_t>(i)];
        const core::MaskBoxes ticks = core::MaskToBoxes(StoredNumber(core::SettingsHotkeyModKey(box)));
        Check(chkAlt(i), ticks.alt);
        Check(chkControl(i), ticks.control);
        Check(chkShift(i), ticks.shift);
        const auto entry = core::SettingsKeyListIndexOf(StoredNumber(core::SettingsHotkeyKeyKey(box)));
        ::SendMessageW(control(mKey(i)), CB_SETCURSEL, entry ? static_cast<WPARAM>(*entry) : static_cast<WPARAM>(-1),
                       0);
    }
}

unsigned char frmSettings::GetHotkeyMask(int box) const {
    return static_cast<unsigned char>(
        core::BoxesToMask({Checked(chkControl(box)), Checked(chkAlt(box)), Checked(chkShift(box))}));
}

void frmSettings::GetSettings() {
    winkit::BusyCursor busy;
    SettingSteps steps;
    const auto checkBox = [&](const wchar_t* name, int id, const wchar_t* section, const wchar_t* key) {
        steps.Run(name, [&] {
            Check(id, StoredOn(section, key));
            return true;
        });
    };
    const auto choice = [&](const wchar_t* name, int yes, int no, const wchar_t* key) {
        steps.Run(name, [&] {
            const bool on = StoredOn(kQuillet, key);
            Check(yes, on);
            Check(no, !on);
            return true;
        });
    };
    checkBox(L"Run Quillet automatically at startup of Windows", chckRunStartup, kGeneral, L"RunOnStartup");
    checkBox(L"Open Quillet main window at startup", chkOpenMainWindow, kGeneral, L"OpenWindowAtStartup");
    checkBox(L"Disable Splash Screen", chkNoSplash, kGeneral, L"DisableSplash");
    choice(L"When deleting clip with Delete key", optAskWhenDeletingClip, optDontAskDeletingClip, L"AskDeletingClip");
    steps.Run(L"When exiting Quillet", [&] {
        const std::wstring exiting = Stored(kQuillet, L"Exiting");
        Check(optAutoSaveQLP, exiting == L"2");
        Check(optAskToSaveQLP, exiting == L"1");
        Check(optDontSaveQLP, exiting != L"2" && exiting != L"1");
        return true;
    });
    choice(L"When pasting picture from clipboard", optCPBImgPaste, optCPBImgDontPaste, L"MsgOnImgPaste");
    checkBox(L"Remember font name and size", chkRememberDefaultFont, kQuillet, L"RememberFontSettings");
    choice(L"When pressing \"Clear\" button", optAskClear, optDontAskClear, L"AskClearingClip");
    checkBox(L"Enable Autopaste", chkAutopaste, kQuillet, L"AutoPaste");
    steps.Run(L"After pasting", [&] {
        const bool minimize = StoredOn(kQuillet, L"MinimizeOnCopy");
        const bool hide = !minimize && StoredOn(kQuillet, L"HideOnCopy");
        Check(optQLMinimize, minimize);
        Check(optHideQL, hide);
        Check(optQLNothing, !minimize && !hide);
        return true;
    });
    steps.Run(L"Default paste method", [&] {
        const std::wstring method = Stored(kQuillet, L"PasteMethod");
        Check(optControlV, method == L"1");
        Check(optKeyByKey, method == L"2");
        Check(optShiftInsert, method == L"3");
        return true;
    });
    checkBox(L"Auto paste does apply also for copy Time, Date...", chkAutoPasteOther, kQuillet, L"AutoPasteOther");
    checkBox(L"Do not show IP adress at systray menu", chkNoIP, kGeneral, L"DisabledIP");
    checkBox(L"Keep capital letters big", chkKeepBig, kQuillet, L"SentenceCaseKeepBig");
    // The hotkey boxes are shown again too: a box changed and then cancelled would otherwise still show
    // what was never saved.
    steps.Run(L"Hotkeys", [&] {
        ShowStoredHotkeys();
        return true;
    });
    if (!steps.failed().empty())
        ShowError(core::FailedSettingsMessage(true, steps.failed()));
}

void frmSettings::WriteSettings() {
    winkit::BusyCursor busy;
    SettingSteps steps;
    const auto write = [](const wchar_t* section, const wchar_t* key, const wchar_t* value) {
        return WriteSetting(section, key, value, false);
    };
    SettingsTargets& targets = SettingsHooks();

    steps.Run(L"Run Quillet automatically at startup of Windows", [&] {
        const bool on = Checked(chckRunStartup);
        if (targets.switchRunAtStartup)
            targets.switchRunAtStartup(on);
        else
            SwitchRunAtStartup(on);
        return RunAtStartupValue().empty() != on && StoredOn(kGeneral, L"RunOnStartup") == on;
    });
    steps.Run(L"When exiting Quillet", [&] {
        const std::uint8_t choice = Checked(optAutoSaveQLP) ? 2 : Checked(optAskToSaveQLP) ? 1 : 0;
        ExitChoice = choice;
        return write(kQuillet, L"Exiting", std::to_wstring(choice).c_str());
    });
    steps.Run(L"When deleting clip with Delete key", [&] {
        AskDeletingClip = Checked(optAskWhenDeletingClip);
        return write(kQuillet, L"AskDeletingClip", Flag(AskDeletingClip));
    });
    steps.Run(L"When pressing \"Clear\" button", [&] {
        AskClearingClip = Checked(optAskClear);
        return write(kQuillet, L"AskClearingClip", Flag(AskClearingClip));
    });
    steps.Run(L"Remember font name and size", [&] {
        RememberFontSettings = Checked(chkRememberDefaultFont);
        if (RememberFontSettings)
            return write(kQuillet, L"RememberFontSettings", L"1");
        // Forgetting the font means the remembered one goes too.
        DefaultFontName = L"0";
        DefaultFontSize = 0;
        const bool flag = write(kQuillet, L"RememberFontSettings", L"0");
        const bool name = write(kQuillet, L"DefaultFontName", L"0");
        const bool size = write(kQuillet, L"DefaultFontSize", L"0");
        return flag && name && size;
    });
    steps.Run(L"When pasting picture from clipboard", [&] {
        MsgOnImgPaste = Checked(optCPBImgPaste);
        return write(kQuillet, L"MsgOnImgPaste", Flag(MsgOnImgPaste));
    });
    steps.Run(L"Default paste method", [&] {
        const int method = Checked(optControlV) ? 1 : Checked(optKeyByKey) ? 2 : Checked(optShiftInsert) ? 3 : 0;
        if (method == 0)
            return true; // no button chosen: the stored method stays
        PasteMethod = static_cast<std::int16_t>(method);
        return write(kQuillet, L"PasteMethod", std::to_wstring(method).c_str());
    });
    steps.Run(L"Open Quillet main window at startup",
              [&] { return write(kGeneral, L"OpenWindowAtStartup", Flag(Checked(chkOpenMainWindow))); });
    steps.Run(L"Enable Autopaste", [&] {
        const bool on = Checked(chkAutopaste);
        if (targets.checkCopyOption)
            targets.checkCopyOption(CopyOption::AutoPaste, on);
        if (targets.checkClipboardMenuAutoPaste)
            targets.checkClipboardMenuAutoPaste(on);
        return write(kQuillet, L"AutoPaste", Flag(on));
    });
    steps.Run(L"After pasting", [&] {
        const bool minimize = Checked(optQLMinimize);
        const bool hide = !minimize && Checked(optHideQL);
        if (targets.checkCopyOption) {
            targets.checkCopyOption(CopyOption::MinimizeOnCopy, minimize);
            targets.checkCopyOption(CopyOption::HideOnCopy, hide);
        }
        const bool a = write(kQuillet, L"MinimizeOnCopy", Flag(minimize));
        const bool b = write(kQuillet, L"HideOnCopy", Flag(hide));
        return a && b;
    });
    steps.Run(L"Keep capital letters big", [&] {
        SentenceCaseKeepBig = Checked(chkKeepBig);
        return write(kQuillet, L"SentenceCaseKeepBig", Flag(SentenceCaseKeepBig));
    });
    steps.Run(L"Do not show IP adress at systray menu",
              [&] { return write(kGeneral, L"DisabledIP", Flag(Checked(chkNoIP))); });
    steps.Run(L"Auto paste does apply also for copy Time, Date...",
              [&] { return write(kQuillet, L"AutoPasteOther", Flag(Checked(chkAutoPasteOther))); });
    std::vector<int> refused;
    steps.Run(L"Hotkeys", [&] {
        bool written = true;
        const auto& boxes = core::SettingsHotkeyBoxes();
        for (int i = 0; i < kHotkeyBoxes; ++i) {
            const core::SettingsHotkeyBox& box = boxes[static_cast<std::size_t>(i)];
            written = write(core::kHotkeySection.c_str(), core::SettingsHotkeyModKey(box).c_str(),
                            std::to_wstring(GetHotkeyMask(i)).c_str()) &&
                      written;
            // A box that shows no entry (its stored code is not in the list) keeps the stored code.
            const LRESULT entry = ::SendMessageW(control(mKey(i)), CB_GETCURSEL, 0, 0);
            if (entry != CB_ERR) {
                const LRESULT code = ::SendMessageW(control(mKey(i)), CB_GETITEMDATA, static_cast<WPARAM>(entry), 0);
                written = write(core::kHotkeySection.c_str(), core::SettingsHotkeyKeyKey(box).c_str(),
                                std::to_wstring(code).c_str()) &&
                          written;
            }
        }
        UnregisterProgramHotkeys();
        const bool loaded = LoadProgramHotkeys();
        refused = RegisterProgramHotkeys();
        return written && loaded;
    });
    steps.Run(L"Disable Splash Screen", [&] { return write(kGeneral, L"DisableSplash", Flag(Checked(chkNoSplash))); });

    if (!steps.failed().empty())
        ShowError(core::FailedSettingsMessage(false, steps.failed()), true);
    // A hotkey the system would not take would otherwise just stop working without a word.
    if (const std::wstring refusedText = core::UnregisteredHotkeysMessage(refused); !refusedText.empty())
        ShowMessage(refusedText, L"excl");
}

void frmSettings::cmdOK_Click() {
    WriteSettings();
    Hide();
    reload_ = true;
    RestoreMainWindowTopmost();
}

void frmSettings::cmdApply_Click() {
    WriteSettings();
    if (hwnd()) {
        ::SetForegroundWindow(hwnd());
        ::SetFocus(control(cmdApply));
    }
}

void frmSettings::cmdCancel_Click() {
    Hide();
    reload_ = true;
    RestoreMainWindowTopmost();
}

void frmSettings::cmdMassSet_Click() {
    ClipMethods.fill(4);
    ShowMessage(L"Done. Note: You will have to save your project for permanent effect.", L"inf");
}

void frmSettings::Form_KeyEscape() {
    if (ShowMessage(L"Do you want to save settings?", L"quest") == IDYES)
        cmdOK_Click();
    else
        cmdCancel_Click();
}

LRESULT frmSettings::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED && HIWORD(wParam) != 0)
            break;
        switch (LOWORD(wParam)) {
        case cmdOK:
            cmdOK_Click();
            return 0;
        case cmdApply:
            cmdApply_Click();
            return 0;
        case cmdCancel:
            cmdCancel_Click();
            return 0;
        case IDCANCEL: // Escape, from the dialog manager
            Form_KeyEscape();
            return 0;
        case cmdMassSet:
            cmdMassSet_Click();
            return 0;
        default:
            break;
        }
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == control(tabs) && header->code == TCN_SELCHANGE) {
            tabs_Click();
            return 0;
        }
        if (header->code == TTN_GETDISPINFOW && header->idFrom < static_cast<UINT_PTR>(kTabCount)) {
            auto* tip = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            tip->lpszText = const_cast<wchar_t*>(kTabs[header->idFrom].tooltip);
            return 0;
        }
        break;
    }
    case WM_ACTIVATE:
        // Form_Activate.
        if (LOWORD(wParam) != WA_INACTIVE && reload_) {
            reload_ = false;
            GetSettings();
        }
        break;
    case WM_CLOSE:
        // Closing only hides, until the program ends.
        if (IsExiting)
            Unload();
        else
            cmdCancel_Click();
        return 0;
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

} // namespace quillet
