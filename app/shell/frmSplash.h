#pragma once
// frmSplash: the start-up window. A row of 15 grey blocks fills in as start-up goes on, a label names the
// current step, and the maker's web address sits below; tmrHide takes it away once start-up is done.
#include "winkit/Scoped.h"
#include "winkit/Window.h"

#include <array>
#include <string>

namespace quillet {

class frmSplash final : public winkit::Window {
public:
    static constexpr const wchar_t* kClassName = L"QuilletSplash";
    static constexpr int kBlocks = 15;
    // Control ids: the blocks are kFirstBlockId + element, then the labels.
    static constexpr int kFirstBlockId = 100;
    static constexpr int kInfoId = 200;
    static constexpr int kFirstWebId = 210;

    // Creates the window hidden, with block 0 showing and the counter at 1.
    bool Load();
    void Show();
    void Unload();
    bool loaded() const { return hwnd() != nullptr; }

    void SetInfo(const std::wstring& text);
    // Shows block [counter] and moves the counter on; past the last block there is nothing more to show.
    void ShowNext();
    // tmrHide: hides and unloads the splash when it fires, `delayMs` after this call.
    void StartHideTimer(UINT delayMs);
    void Repaint();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

private:
    std::array<HWND, kBlocks> shpLoader_{};
    std::array<winkit::ScopedGdiObject, kBlocks> blockBrushes_;
    HWND lblInfo_ = nullptr;
    std::array<HWND, 2> lblWeb_{};
    winkit::ScopedGdiObject font_;
    winkit::ScopedGdiObject webFont_;
    int counter_ = 1;
};

// The program's one splash window.
frmSplash& Splash();

} // namespace quillet
