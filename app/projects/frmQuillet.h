#pragma once
// frmQuillet: the main clip window. 30 rows (two columns of 15) showing the open project's slots, a
// toolbar, four menus and a status bar. Every row edit is written through to OpenProject() at once.
#include "app/projects/ClipProject.h"
#include "app/projects/frmQuilletIds.h"
#include "app/projects/modQuillet.h"
#include "winkit/Scoped.h"
#include "winkit/Window.h"

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>

namespace quillet {

// The lock colour of a row's text box.
inline constexpr COLORREF kLockedRowColour = RGB(169, 233, 185);
inline constexpr UINT kProjectTimerMs = 250;
inline constexpr UINT kRestoreTimerMs = 1500;

class frmQuillet final : public winkit::Window, public ProjectView, public RecentListView {
public:
    static constexpr const wchar_t* kClassName = frmquillet_ids::kClassName;
    static constexpr int kRows = 30;

    // The window load: rows, position, File menu pictures, recent list, the start-up project. Hidden.
    bool Load();
    // The close during ShutDown: position, unsaved changes by the "Exiting" choice, then gone.
    void Unload();
    // Restores, shows and brings the window to the front.
    void ShowMainWindow();

    void LoadFormControls();
    void ShowAtStatus(const std::wstring& text);
    void SwitchLock(int n, bool locked);
    void DisableButtons();
    void EnableButtons();
    void HotkeyTrigger(int n);
    void Update(int n);
    void SetTopmost(bool on);

    // Row handlers, as the user reaches them.
    void CopyClip(int n);
    void ConfigureClip(int n);
    void OpenClipProperties(int n);
    void DeleteClip(int n);
    // Swaps two rows' clips; paste methods and hotkeys stay with the slot numbers.
    void SwapRows(int source, int target);

    std::wstring RowText(int n) const;
    std::wstring StatusText() const;
    bool RowBold(int n) const { return n >= 1 && n <= kRows && bold_[static_cast<std::size_t>(n)]; }
    bool MenuChecked(int command) const;
    void SetMenuCheck(int command, bool checked);
    HWND row(int n) const { return txtPaste[static_cast<std::size_t>(n)]; }

    // ProjectView
    void ShowStatus(const std::wstring& text) override { ShowAtStatus(text); }
    void SetBusy(bool busy) override;
    void FocusFirstRow() override;
    void RefreshRows() override;
    HWND DialogOwner() override { return hwnd(); }
    void ClickFirstRow() override;
    void AddRecent(const std::wstring& name, const std::wstring& path) override;
    void LoadRecentList() override;
    void SetDefaultProjectTip(const std::wstring& name) override { defaultTip_ = name; }

    // RecentListView
    void ShowRecentEntry(int k, const RecentEntry& entry) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

private:
    friend LRESULT CALLBACK RowTextProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    void CreateControls();
    void AddTooltips();
    void CreateMenus();
    void CreateToolbar();
    void CreateStatusBar();
    void SizeToRows();
    void FillHooks();
    void PutMenuPictures();
    void OnCommand(int id, int code, HWND control);
    void OnToolbarButton(int index);
    void OnMenu(int id);
    void OnRowTextChanged(int n);
    bool OnRowKey(int n, WPARAM key);
    void OnProjectTimer();
    void UpdateKeyIndicators();
    void SetRowText(int n, const std::wstring& text);
    void ShowSlot(int n);
    void SetBold(int n);
    void OnClose();
    void CheckAlwaysOnTop(bool down);
    void PaintPanels(HDC dc);
    RECT PanelRect(int n) const;
    // A row's button 0 (copy), 1 (configure) or 2 (properties), in client coordinates.
    RECT RowButtonRect(int n, int column) const;
    void SetRowsEnabled(bool enabled);
    void PaintRowButtons();
    int RowAt(POINT screen) const;
    void SetIpItems();
    LRESULT OnDrawItem(const DRAWITEMSTRUCT& item);
    LRESULT OnNotify(const NMHDR& header);

    // Control arrays indexed by slot number; element 0 stays unused.
    std::array<HWND, kRows + 1> lblPanel{};
    std::array<HWND, kRows + 1> txtPaste{};
    std::array<HWND, kRows + 1> imgCopy{};
    std::array<HWND, kRows + 1> imgConf{};
    std::array<HWND, kRows + 1> imgProp{};
    std::array<bool, kRows + 1> bold_{};
    HWND chckMove = nullptr;
    HWND imgActivate = nullptr;
    HWND lblWindow = nullptr;
    HWND toolbar = nullptr;
    HWND lblRecent = nullptr;
    HWND StatusBar = nullptr;
    HWND tooltips_ = nullptr;
    HMENU menuBar_ = nullptr;
    HMENU fileMenu_ = nullptr, optionsMenu_ = nullptr, clipboardMenu_ = nullptr, helpMenu_ = nullptr;
    HMENU recentMenu_ = nullptr, copyToMenu_ = nullptr;
    HIMAGELIST toolbaricons = nullptr;
    std::array<winkit::ScopedGdiObject, 9> MenuIcons;
    winkit::ScopedGdiObject font_, boldFont_, lockBrush_, rowBrush_, panelBrush_, lockedPanelBrush_;

    std::array<std::wstring, 6> recentTips_{};
    std::wstring defaultTip_;
    std::wstring ipCaption_[2], ipTag_[2];
    bool ipVisible_ = false;
    bool filling_ = false;  // the window itself is setting a row's text
    int dragFrom_ = 0;      // row being dragged, while chckMove is checked
    bool restoring_ = false;
    bool disabled_ = false;
    bool unloading_ = false; // Unload closes for real even outside ShutDown
};

frmQuillet& QuilletWindow();

} // namespace quillet
