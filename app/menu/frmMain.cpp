#include "app/menu/frmMain.h"

#include "app/projects/EditHandOver.h"

#include "app/menu/ScreenFonts.h"
#include "app/menu/SetMenuBitmaps.h"
#include "app/menu/modGetIP.h"
#include "app/menu/modMenuSubs.h"
#include "app/menu/modRunAtStartup.h"
#include "app/menu/modSystemtray.h"
#include "app/paste/KeyReleaseWait.h"
#include "app/paste/modClipboardChain.h"
#include "app/projects/MainClipWindow.h"
#include "app/shell/modInitialization.h"
#include "app/shell/modSettings.h"
#include "winkit/Wait.h"
#include "winkit/Worker.h"

namespace quillet {

namespace {

// The worker's addresses, back on the form's thread.
constexpr UINT kAddressesFound = WM_APP + 1;
// Starts the address lookup when nothing else is waiting.
constexpr UINT_PTR kLookupTimer = 1;
// How long an address item chosen before the lookup reported waits for it.
constexpr DWORD kAddressWaitMs = 5000;

} // namespace

frmMain& MainForm() {
    static frmMain form;
    return form;
}

const std::vector<std::wstring>& frmMain::fontlist() {
    constexpr std::size_t kFontPasses = 41; // the font box has always listed the first 41 families
    if (!fontsListed_) {
        fontlist_ = ScreenFonts(kFontPasses);
        fontsListed_ = true;
    }
    return fontlist_;
}

void OpenSettingsDialog() {
    if (MainClipWindowHooks().setTopmost)
        MainClipWindowHooks().setTopmost(false);
    if (ProgramMenuHooks().showSettingsDialog)
        ProgramMenuHooks().showSettingsDialog();
}

bool frmMain::Load() {
    if (hwnd())
        return true;
    if (!winkit::RegisterWindowClass(kClassName))
        return false;
    apartment_ = std::make_unique<winkit::ComApartment>();
    // 1. Hidden from the start. A top-level window (not message-only), so that closing it from outside
    // ends the program properly and the tray and clipboard chain can address it.
    if (!Create(kClassName, L"Quillet", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, 0, 0, 0, 0))
        return false;
    icon_.reset(MenuPictures::CreateProgramIcon());
    if (icon_) {
        ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
        ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    }
    // The drawer finds its items through the window's menu bar.
    menus_ = std::make_unique<frmMainMenus>();
    if (::SetMenu(hwnd(), menus_->bar()))
        menus_->HandOver();
    objects_ = std::make_unique<MenuClientObjects>(hwnd());

    JoinClipboardChain(hwnd()); // 2.
    menus_->LoadQLMenu(); // 3.
    InitLibraryWindow();  // 4.
    DisplayIPatMenu();    // 5.
    // 6, SetMenuBitmaps, waits for the first popup (PutMenuPictures).
    ::ShowWindow(hwnd(), SW_HIDE); // 7.
    ConnectHooks();
    return true;
}

void frmMain::Unload() {
    DisconnectHooks();
    lookupPending_ = false;
    ipKnown_ = false;
    menuPictured_ = false;
    // The library first: releasing it restores the window procedure it put on the form.
    libraryMenu_.reset();
    system_.reset();
    if (hwnd())
        LeaveClipboardChain();
    if (hwnd() && menus_) {
        ::SetMenu(hwnd(), nullptr);
        menus_->TakeBack();
    }
    Destroy();
    if (objects_)
        objects_->Clear();
    objects_.reset();
    menus_.reset();
    pictures_.Clear();
    icon_.reset();
    apartment_.reset();
}

_System* frmMain::System() {
    if (!system_)
        ::CoCreateInstance(CLSID_System, nullptr, CLSCTX_INPROC_SERVER, IID__System, system_.put_void());
    return system_.get();
}

void frmMain::InitLibraryWindow() {
    winkit::ComPtr<_Window> window;
    if (!System() || FAILED(System()->get_Window(window.put())) || !window)
        return;
    VARIANT form;
    ::VariantInit(&form);
    form.vt = VT_DISPATCH;
    form.pdispVal = objects_->form();
    form.pdispVal->AddRef();
    window->Init(HandleToLong(hwnd()), &form);
    ::VariantClear(&form);
}

_Menu* frmMain::LibraryMenu() {
    if (!libraryMenu_) {
        winkit::ComPtr<_Window> window;
        if (System() && SUCCEEDED(System()->get_Window(window.put())) && window)
            window->get_Menu(libraryMenu_.put());
    }
    return libraryMenu_.get();
}

void frmMain::PutMenuPictures() {
    if (menuPictured_ || !menus_ || !objects_)
        return;
    menuPictured_ = true;
    pictures_.Load();
    // The drawer's check boxes are handed over checked; the states the settings put on them since stay.
    std::vector<std::pair<MenuNode*, bool>> checks;
    for (const wchar_t* name : {L"mnuAutoPaste", L"mnuRunStartup"})
        if (MenuNode* item = menus_->Item(name))
            checks.emplace_back(item, item->state->checked);
    // Every drawing call that fails leaves its item plain; nothing to tell the user.
    SetMenuBitmaps(LibraryMenu(), *menus_, *objects_, pictures_);
    for (const auto& [item, checked] : checks)
        menus_->SetChecked(*item, checked);
}

void frmMain::ShowIpAddresses(bool disabled, const std::wstring& publicIp, const std::wstring& localIp) {
    MenuNode* pub = menus_->Item(L"mnuIpAdressPUB");
    MenuNode* lan = menus_->Item(L"mnuIpAdressLAN");
    ipKnown_ = true;
    ipDisabled_ = disabled;
    publicIp_ = publicIp;
    localIp_ = localIp;
    if (disabled) {
        menus_->SetVisible(*pub, false);
        menus_->SetVisible(*lan, false);
    } else {
        pub->tag = publicIp;
        menus_->SetCaption(*pub, pub->designCaption + L" (" + publicIp + L")");
        menus_->SetVisible(*pub, true);
        const bool both = publicIp != localIp;
        const bool lanWasShown = lan->visible;
        if (both) {
            lan->tag = localIp;
            menus_->SetCaption(*lan, lan->designCaption + L" (" + localIp + L")");
        }
        menus_->SetVisible(*lan, both);
        // The pictures went to the items shown then; one shown only now gets its own.
        if (menuPictured_ && both && !lanWasShown)
            SetRowPicture(LibraryMenu(), *menus_, *objects_, pictures_, L"mnuIpAdressLAN");
    }
    SendIpItemsToWindow();
}

void frmMain::SendIpItemsToWindow() {
    if (!ipKnown_)
        return;
    auto& window = MainClipWindowHooks();
    if (ipDisabled_) {
        if (window.showIpItems)
            window.showIpItems(false);
        return;
    }
    if (window.setIpCaptions)
        window.setIpCaptions(publicIp_, publicIp_ != localIp_ ? localIp_ : std::wstring());
    if (window.showIpItems)
        window.showIpItems(true);
}

void frmMain::DisplayIPatMenu() {
    if (ReadSetting(L"General", L"DisabledIP") == L"1") {
        ShowIpAddresses(true, {}, {});
        return;
    }
    // The lookup asks the system's resolver, which can take its time, and a thread started amid the start-up
    // slows the windows being made: it starts once the program is idle (a timer comes after every other
    // message, paints included) and reports back as a message.
    lookupPending_ = true;
    ++lookupSerial_;
    if (!::SetTimer(hwnd(), kLookupTimer, 1, nullptr))
        StartAddressLookup();
}

void frmMain::StartAddressLookup() {
    ::KillTimer(hwnd(), kLookupTimer);
    // The worker gets its own copy of the service's start routine.
    const SocketsStartupCall startup = SocketsStartup();
    if (!winkit::PostResultOfWork<AddressLookup>(hwnd(), kAddressesFound, lookupSerial_,
                                                 [startup] { return LookUpAddresses(startup); }))
        OnAddressesFound(LookUpAddresses(startup));
}

void frmMain::OnAddressesFound(const AddressLookup& lookup) {
    lookupPending_ = false;
    if (!ReportLookup(lookup)) {
        // The sockets service is missing or too old: no address item, and the program ends.
        ShowIpAddresses(true, {}, {});
        if (endProgram)
            endProgram();
        return;
    }
    ShowIpAddresses(false, lookup.addresses.publicAddress, lookup.addresses.localNetwork);
}

void frmMain::PopupMenu(bool clipboardMenu) {
    if (!hwnd() || !menus_)
        return;
    PutMenuPictures();
    menus_->RefreshClipMenuItems(
        clipboardMenu, [](int n) { return IsClipEmpty(n); }, [](int n) { return OpenProject().slot(n).text; });
    ::SetForegroundWindow(hwnd());
    // The hotkey's keys may have been let go while the other program was still in front.
    ForgetReleasedModifiers();
    POINT at{};
    ::GetCursorPos(&at);
    const UINT chosen = static_cast<UINT>(
        ::TrackPopupMenu(clipboardMenu ? menus_->clipboardMenu() : menus_->pasteMenu(),
                         TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, at.x, at.y, 0, hwnd(), nullptr));
    // Lets the menu close properly the next time the user clicks elsewhere.
    ::PostMessageW(hwnd(), WM_NULL, 0, 0);
    if (chosen)
        RunMenuCommand(chosen);
}

void frmMain::RunMenuCommand(UINT id) {
    const MenuNode* node = menus_ ? menus_->FromId(id) : nullptr;
    if (!node)
        return;
    const std::wstring& name = node->name;
    auto& window = MainClipWindowHooks();
    for (int n = 1; n <= frmMainMenus::kClipCount; ++n) {
        if (name == frmMainMenus::ClipItemName(true, n) || name == frmMainMenus::ClipItemName(false, n)) {
            if (window.hotkeyTrigger)
                window.hotkeyTrigger(n);
            return;
        }
    }
    if (name == L"mnuQuilleter") {
        if (window.showWindow)
            window.showWindow();
    } else if (name == L"mnuToLowerCase") {
        mnuToLowerCase();
    } else if (name == L"mnuToUpperCase") {
        mnuToUpperCase();
    } else if (name == L"mnuProperCase") {
        mnuProperCase();
    } else if (name == L"mnuReverseCase") {
        mnuReverseCase();
    } else if (name == L"mnuSentences") {
        mnuSentences(SentenceCaseKeepBig);
    } else if (name == L"mnuZigZagCase") {
        mnuZigZagCase();
    } else if (name == L"mnuRemoveDiacritics") {
        mnuRemoveDiacritics();
    } else if (name == L"mnuReverse") {
        mnuReverse();
    } else if (name == L"mnuCopyDate") {
        mnuCopyDate();
    } else if (name == L"mnuCopyTime") {
        mnuCopyTime();
    } else if (name == L"mnuIpAdressPUB" || name == L"mnuIpAdressLAN") {
        // Chosen before the lookup reported: the address the item stands for is the one on its way.
        if (lookupPending_)
            winkit::WaitUntil([this] { return !lookupPending_; }, kAddressWaitMs);
        CopyAddress(node->tag);
    } else if (name == L"mnuSettings") {
        OpenSettingsDialog();
    } else if (name == L"mnuRunStartup") {
        SwitchRunAtStartup(!node->state->checked);
    } else if (name == L"mnuExit") {
        ShutDown(true);
    } else if (name == L"mnuAutoPaste") {
        ToggleAutoPaste();
    }
}

void frmMain::SwitchRunAtStartup(bool on) {
    quillet::SwitchRunAtStartup(on, [this](bool checked) {
        if (MenuNode* item = menus_ ? menus_->Item(L"mnuRunStartup") : nullptr)
            menus_->SetChecked(*item, checked);
    });
}

void frmMain::ToggleAutoPaste() {
    MenuNode* item = menus_ ? menus_->Item(L"mnuAutoPaste") : nullptr;
    if (!item)
        return;
    auto& window = MainClipWindowHooks();
    // The main clip window's item is the one that counts (it is what SaveCopyOptions writes).
    const bool wasOn = window.autoPasteChecked ? window.autoPasteChecked() : item->state->checked;
    if (window.setAutoPaste)
        window.setAutoPaste(!wasOn);
    menus_->SetChecked(*item, !wasOn);
}

void frmMain::ConnectHooks() {
    ProgramMenuHooks().popupClipboardMenu = [] { MainForm().PopupMenu(true); };
    ProgramMenuHooks().popupPasteMenu = [] { MainForm().PopupMenu(false); };
    auto checkAutoPaste = [](bool on) {
        frmMainMenus* menus = MainForm().menus();
        if (MenuNode* item = menus ? menus->Item(L"mnuAutoPaste") : nullptr)
            menus->SetChecked(*item, on);
    };
    MainClipWindowHooks().autoPasteChanged = checkAutoPaste;
    MainClipWindowHooks().openSettings = [] { OpenSettingsDialog(); };
    SettingsHooks().checkClipboardMenuAutoPaste = checkAutoPaste;
    SettingsHooks().switchRunAtStartup = [](bool on) { MainForm().SwitchRunAtStartup(on); };
    ProgramMenuHooks().sendIpItems = [] { MainForm().SendIpItemsToWindow(); };
}

void frmMain::DisconnectHooks() {
    ProgramMenuHooks().popupClipboardMenu = nullptr;
    ProgramMenuHooks().popupPasteMenu = nullptr;
    MainClipWindowHooks().autoPasteChanged = nullptr;
    MainClipWindowHooks().openSettings = nullptr;
    SettingsHooks().checkClipboardMenuAutoPaste = nullptr;
    SettingsHooks().switchRunAtStartup = nullptr;
    ProgramMenuHooks().sendIpItems = nullptr;
}

LRESULT frmMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ACTIVATE:
        // The form is never meant to be seen, whoever activates it.
        if (LOWORD(wParam) != WA_INACTIVE && ::IsWindowVisible(hwnd()))
            ::ShowWindow(hwnd(), SW_HIDE);
        return 0;
    case WM_MOUSEMOVE:
        // The tray icon's callback: the mouse message arrives as the x coordinate (in pixels here).
        TrayMouseMessage(static_cast<int>(static_cast<short>(LOWORD(lParam))));
        return 0;
    case WM_CLOSE:
        // Someone outside asked the program to end (a task manager, a script): end it the one proper way.
        if (!IsExiting)
            ShutDown(true);
        return 0;
    case WM_TIMER:
        if (wParam == kLookupTimer) {
            if (lookupPending_)
                StartAddressLookup();
            return 0;
        }
        return Window::HandleMessage(msg, wParam, lParam);
    case kAddressesFound: {
        const auto lookup = winkit::TakePostedResult<AddressLookup>(lParam);
        if (lookupPending_ && wParam == lookupSerial_ && lookup)
            OnAddressesFound(*lookup);
        return 0;
    }
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam && !IsExiting)
            ShutDown(true);
        return 0;
    default:
        return Window::HandleMessage(msg, wParam, lParam);
    }
}

void frmMain::Clearpicture() {
    emptyPicture_.reset();
    TPicture.reset();
}

} // namespace quillet
