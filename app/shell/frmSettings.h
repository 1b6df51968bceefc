#pragma once
// frmSettings: the settings dialog ("Quillet Settings"), modeless, created once at start-up and then only
// hidden and shown. OK and Apply write every setting at once and apply it to the running program.
#include "winkit/Window.h"

#include <windows.h>

#include <array>
#include <vector>

namespace quillet {

class frmSettings final : public winkit::Window {
public:
    // Control ids. Enter reaches OK through the dialog manager; its Escape arrives as IDCANCEL and asks
    // first, so the Cancel button has an id of its own.
    enum : int {
        tabs = 100,
        fraQuilleter = 110,
        fraCPB,
        fraPasting,
        fraFormatting,
        fraHotkeys,
        chckRunStartup = 120,
        chkOpenMainWindow,
        chkNoSplash,
        optAskWhenDeletingClip,
        optDontAskDeletingClip,
        optAutoSaveQLP,
        optAskToSaveQLP,
        optDontSaveQLP,
        optCPBImgPaste = 140,
        optCPBImgDontPaste,
        chkRememberDefaultFont,
        optAskClear,
        optDontAskClear,
        chkAutopaste = 160,
        optQLNothing,
        optQLMinimize,
        optHideQL,
        optControlV,
        optKeyByKey,
        optShiftInsert,
        cmdMassSet,
        chkAutoPasteOther = 180,
        chkNoIP,
        chkKeepBig,
        cmdOK = IDOK,
        cmdCancel = 300,
        cmdApply = 301,
    };
    // The five hotkey boxes (index 0 to 4) and their controls.
    static constexpr int kHotkeyBoxes = 5;
    static constexpr int fraHotkey(int box) { return 200 + 10 * box; }
    static constexpr int chkAlt(int box) { return 201 + 10 * box; }
    static constexpr int chkControl(int box) { return 202 + 10 * box; }
    static constexpr int chkShift(int box) { return 203 + 10 * box; }
    static constexpr int mKey(int box) { return 204 + 10 * box; }
    static constexpr int kTabCount = 5;

    // Form_Load: creates the window hidden, on the General page, the key lists filled.
    bool Load();
    void Unload();
    // Makes the dialog reachable (menus, hotkey) without creating it: it loads on its first showing, off
    // the way to the first window.
    static void OfferLazily();
    // Shows the dialog modeless and in front; re-reads the settings file when the reload flag is set.
    void Show();
    void Hide();
    bool visible() const { return hwnd() && ::IsWindowVisible(hwnd()); }
    HWND control(int id) const { return ::GetDlgItem(hwnd(), id); }

    void GetSettings();
    void WriteSettings();
    void InitializeHotkeysConfig();
    unsigned char GetHotkeyMask(int box) const;

    void cmdOK_Click();
    void cmdApply_Click();
    void cmdCancel_Click();
    void cmdMassSet_Click();
    // Escape: asks whether to save.
    void Form_KeyEscape();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    HWND Add(int page, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id = 0);
    void tabs_Click();
    void ShowPage(int page);
    void ShowStoredHotkeys();
    bool Checked(int id) const;
    void Check(int id, bool on) const;

    std::array<std::vector<HWND>, kTabCount> pages_;
    bool reload_ = true;
    HFONT font_ = nullptr;
};

// The program's one settings dialog.
frmSettings& SettingsForm();

} // namespace quillet
