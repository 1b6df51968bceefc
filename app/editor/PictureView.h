#pragma once
// The clip editor's picture side: the frame fraImg with the picture box picPicture, its two scroll bars
// and the corner filler blox, the one-step undo picture, and the picture commands (paste, load, save,
// cut, copy, undo, clear and the effects). The editor creates it as a child and forwards its commands.
#include "app/editor/PictureBox.h"
#include "app/editor/modImageEffects.h"
#include "core/PictureLayout.h"
#include "winkit/Scoped.h"
#include "winkit/Window.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include <windows.h>

namespace quillet {

class frmProgress;

class PictureView final : public winkit::Window {
public:
    // What the editor around the view offers; every member may be empty.
    struct Host {
        HWND editor = nullptr;                              // disabled while an effect runs
        std::function<void()> refreshStatus;                // the editor's RefreshStatus
        std::function<void(const std::wstring&)> setPanel3; // "Please wait..." and "Done"
        std::function<bool(WPARAM key)> keyDown;            // keys the picture box leaves to the editor
    };

    PictureView();
    ~PictureView() override;

    // fraImg at the position, in pixels, inside the editor; it starts holding the blank placeholder.
    bool Create(HWND parent, int x, int y, int width, int height, Host host);
    // Moves and sizes the frame (RepaintForm), then lays the picture out again.
    void Move(int x, int y, int width, int height);

    // Status bar panel 2 in picture mode: "Image size: " + width + "x" + height + " ".
    std::wstring SizeText() const;
    // Whether the box holds a picture other than the blank placeholder.
    bool HoldsPicture() const;
    // A copy of the shown picture, or null when it is the blank placeholder (the hand-back).
    HBITMAP PictureCopy() const;
    // The picture the editor was opened with (TPicture), or the placeholder for none; the undo is emptied.
    void SetPicture(HBITMAP pictureOrNull);

    void RefreshPicture();
    void PasteImage();
    void LoadPicture(const std::wstring& path);
    void SavePicture(const std::wstring& path);
    void Cut();
    void Copy();
    void Undo();
    void Clear();
    void ApplyEffect(const std::string& name);
    // How long an effect runs before its progress window, the hourglass and "Please wait..." appear:
    // showing and hiding them costs more than a short effect, and a user does not notice a wait this short.
    void SetProgressDelay(std::chrono::milliseconds delay) { progressDelay_ = delay; }
    // The clock that delay is measured on (the steady clock unless replaced).
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    void SetClock(Clock now) { now_ = std::move(now); }
    // The open effect dialog's windows and sliders, which the adjustable effects read.
    EffectHost& effectHost() { return effectHost_; }

    PictureBox& picPicture();
    HWND scrollHorz() const { return scrollHorz_; }
    HWND scrollVert() const { return scrollVert_; }
    HWND blox() const { return blox_; }
    bool UndoFilled() const { return static_cast<bool>(imgUndo_); }
    double PictureWidth = 0;
    double PictureHeight = 0;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    class Box;
    // The shown picture becomes the undo picture; the caller gives the box its next one.
    void KeepUndo();
    // The box sized to the picture and showing it; takes ownership.
    void ShowPicture(HBITMAP picture, bool blank);
    void ShowBlank();
    // PictureWidth and PictureHeight from the box, then RefreshPicture.
    void TakeNewPicture();
    void Scrolled(HWND bar, int request);
    static HBITMAP CopyImage(HBITMAP picture);

    Host host_;
    std::unique_ptr<Box> picPicture_;
    HWND scrollHorz_ = nullptr;
    HWND scrollVert_ = nullptr;
    HWND blox_ = nullptr;
    winkit::ScopedGdiObject imgBlank_;
    winkit::ScopedGdiObject imgUndo_;
    bool blank_ = true;
    bool undoBlank_ = false;
    // The undo picture is the one shown (a second undo finds nothing to undo).
    bool undoShown_ = false;
    EffectHost effectHost_;
    std::unique_ptr<frmProgress> progress_;
    std::chrono::milliseconds progressDelay_{120};
    Clock now_ = [] { return std::chrono::steady_clock::now(); };
    core::PictureAxis horzSteps_, vertSteps_;
};

// The placeholder a picture box shows when it holds no picture: a quiet grey card with a picture sign.
HBITMAP MakeBlankPicture();

} // namespace quillet
