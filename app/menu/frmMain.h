#pragma once
// frmMain: the hidden main form. It never shows; it owns the program's popup menus, receives the
// hotkey and clipboard-chain messages, and holds the tray icon.
#include "app/menu/MenuClientObjects.h"
#include "app/menu/MenuPictures.h"
#include "app/menu/frmMainMenus.h"
#include "app/menu/modGetIP.h"
#include "winkit/Com.h"
#include "winkit/Scoped.h"
#include "winkit/Window.h"

#include "Syslinkage_h.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quillet {

class frmMain final : public winkit::Window {
public:
    static constexpr const wchar_t* kClassName = L"QuilletMainForm";

    // Form_Load: hide, clipboard chain, LoadQLMenu, the library's Window, DisplayIPatMenu. The menus get
    // their pictures (SetMenuBitmaps) when one first pops up: nothing shows them before.
    bool Load();
    // Form_Unload: releases the library (which puts back the window procedure), then leaves the chain.
    void Unload();

    // The screen fonts for the font boxes of the clip editor, enumerated when first asked for: the
    // enumeration is slow under some systems and no window needs it before the editor opens.
    const std::vector<std::wstring>& fontlist();

    frmMainMenus* menus() { return menus_.get(); }
    HICON icon() const { return icon_.get(); }

    // The IP items: hidden when `disabled`, else the public address, and the local one when it differs.
    // The main clip window's items follow, now and whenever it loads later.
    void ShowIpAddresses(bool disabled, const std::wstring& publicIp, const std::wstring& localIp);
    // Hides the IP items when the settings say so; otherwise looks the addresses up on a worker thread once
    // the program is idle, and they fill the items when they arrive. Until then the items show their design
    // captions.
    void DisplayIPatMenu();
    // Whether a lookup started by DisplayIPatMenu has not reported back yet.
    bool LookingUpAddresses() const { return lookupPending_; }
    // What ends the program when the sockets service would not start (the user has been told then).
    std::function<void()> endProgram;
    // Refreshes the clip items, brings the form to the front (so the popup closes on an outside click)
    // and pops up the clipboard or the paste menu at the mouse position.
    void PopupMenu(bool clipboardMenu);
    void RunMenuCommand(UINT id);
    void SwitchRunAtStartup(bool on);
    void ToggleAutoPaste();
    // Empties the picture holders (the empty-picture holder and TPicture, through which a picture goes
    // to and from the clip editor), so no picture stays held between two edits.
    void Clearpicture();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    _System* System();
    void InitLibraryWindow();
    _Menu* LibraryMenu();
    void PutMenuPictures();
    void StartAddressLookup();
    void OnAddressesFound(const AddressLookup& lookup);
    void SendIpItemsToWindow();
    void ConnectHooks();
    void DisconnectHooks();

    std::unique_ptr<winkit::ComApartment> apartment_;
    std::unique_ptr<frmMainMenus> menus_;
    std::unique_ptr<MenuClientObjects> objects_;
    MenuPictures pictures_;
    winkit::ScopedIcon icon_;
    std::vector<std::wstring> fontlist_;
    bool fontsListed_ = false;
    winkit::ComPtr<_System> system_;
    winkit::ComPtr<_Menu> libraryMenu_;
    bool menuPictured_ = false;
    // The lookup in flight is the one numbered lookupSerial_; a result of an earlier load is dropped.
    bool lookupPending_ = false;
    WPARAM lookupSerial_ = 0;
    // What the IP items show, for a main clip window that loads after they were filled.
    bool ipKnown_ = false, ipDisabled_ = false;
    std::wstring publicIp_, localIp_;
    // A picture holder that stays empty: what a holder is given to hold no picture.
    winkit::ScopedGdiObject emptyPicture_;
};

// The program's one hidden main form.
frmMain& MainForm();

// Options > "&Settings...": takes the main clip window off the top layer, then opens the settings dialog.
void OpenSettingsDialog();

} // namespace quillet
