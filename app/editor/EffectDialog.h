#pragma once
// What the two effect dialogs share: the window over the editor with its sliders, OK and Cancel and the
// reduced preview; the editor disabled while it is open and given back when it closes; OK running the
// effect on the editor's picture. Each dialog adds its sliders and says how they feed the effect.
#include "app/editor/EffectPreview.h"
#include "app/editor/modImageEffects.h"
#include "winkit/Window.h"

#include <windows.h>

namespace quillet {

class PictureView;

class EffectDialog : public winkit::Window {
public:
    // Recomputes the preview from the sliders.
    void Preview();
    // Runs the effect on the editor's picture and closes (hides the window, kept for the next opening).
    void OK();
    void Cancel();

    HWND cmdOK() const { return cmdOK_; }
    HWND cmdCancel() const { return cmdCancel_; }
    EffectPreview& preview() { return preview_; }

protected:
    // What sets one dialog apart; positions in pixels.
    struct Kind {
        const wchar_t* className;
        const wchar_t* caption;
        const char* engineKey;  // the preview's effect
        const char* effectName; // the editor's, for OK
        int buttonsTop;         // OK and Cancel
        int minimumHeight;      // of the client area, when the preview is lower
        bool escapeCancels;     // Esc in any control is Cancel
    };
    explicit EffectDialog(const Kind& kind) : kind_(kind) {}

    // Loads over the editor: the dialog's own controls, the buttons, the preview of the view's picture and
    // its first computation, then the editor disabled and the dialog shown modelessly with `focus` set.
    // Closing only hides the window; opening again over the same editor shows it with its sliders at 0.
    bool Open(HWND editor, PictureView& view);
    // The dialog's sliders and labels, made inside the new window; returns the control to focus first.
    virtual HWND MakeControls(HWND dialog) = 0;
    // A slider of the dialog moved (WM_HSCROLL with its scroll code).
    virtual void SliderMoved(HWND slider, WPARAM scrollCode) = 0;
    // What the preview's effect reads besides the pixels.
    virtual EffectHost PreviewHost() const = 0;
    // What the editor's effect reads while it runs on OK.
    virtual EffectHost ApplyHost() const { return {}; }

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Unload();

    Kind kind_;
    HWND editor_ = nullptr;
    PictureView* view_ = nullptr;
    HWND focus_ = nullptr;
    HWND cmdOK_ = nullptr;
    HWND cmdCancel_ = nullptr;
    EffectPreview preview_;
};

} // namespace quillet
