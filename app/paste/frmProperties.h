#pragma once
// frmProperties: the clip properties dialog ("Clip properties"), modeless: the paste method of one slot
// and its global hotkey.
#include "winkit/Window.h"

#include <windows.h>

namespace quillet {

class frmProperties final : public winkit::Window {
public:
    // Control ids; OK and Cancel are the dialog-manager ones so Enter and Esc reach them.
    enum : int {
        optControlV = 101,
        optKeyByKey,
        optShiftInsert,
        optDefault,
        chkControl,
        chkAlt,
        chkShift,
        mKey,
        cmdOK = IDOK,
        cmdCancel = IDCANCEL,
    };

    // Opens the dialog for `clip` (1 to 30); a dialog already open is closed first. Nothing while the
    // program ends.
    bool Open(int clip);
    void Unload();
    int slot() const { return slot_; }
    HWND control(int id) const { return ::GetDlgItem(hwnd(), id); }

    // The OK button: false (the dialog stays open) when the choice was refused.
    bool Accept();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

private:
    void CreateControls();
    void ShowStoredValues();
    int slot_ = 0;
    HFONT font_ = nullptr;
};

// The program's one properties dialog.
frmProperties& PropertiesForm();
// imgProp / F4 of the main clip window.
void ShowProperties(int clip);

} // namespace quillet
