#pragma once
// frmMain: the hidden main form. It never shows; it owns the program's popup menus, receives the
// hotkey and clipboard-chain messages, and holds the tray icon.
#include "winkit/Window.h"

#include <string>
#include <vector>

namespace quillet {

class frmMain final : public winkit::Window {
public:
    static constexpr const wchar_t* kClassName = L"QuilletMainForm";

    bool Load();
    void Unload();

    // The screen fonts preloaded at start-up, for the font boxes of the clip editor.
    std::vector<std::wstring> fontlist;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// The program's one hidden main form.
frmMain& MainForm();

} // namespace quillet
