#pragma once
// The picture side of the clip editor: what frmConfPasteBox asks of it in "img" mode (opening, hand-back,
// clear, layout, the picture buttons of toolbar2, load and save, the keys of picPicture). The editor owns
// the window, fraImg and the buttons; this class owns what lives inside fraImg and the picture itself.
#include "winkit/Scoped.h"

#include <windows.h>

#include <memory>
#include <string>

namespace quillet {

class frmConfPasteBox;
class PictureView;
class frmImgBrightness;
class frmImgColors;

class ConfPasteBoxPicture {
public:
    ConfPasteBoxPicture();
    ~ConfPasteBoxPicture();
    // With the editor's window, once fraImg exists (hidden). The picture controls inside it are made when
    // the picture side is first used: a text clip's editor never shows them.
    void Create(frmConfPasteBox& editor, HWND fraImg);
    // The editor's window is going; release everything.
    void Destroy();

    // Whether the picture commands exist (or can be made). The editor enables toolbar2's picture buttons
    // (21-33) and, in "img" mode, Load, Save, Undo, Cut, Copy and Paste only when this is true.
    bool CommandsAvailable() const;

    // Opening step 5: an empty undo picture and the blank placeholder.
    void ResetPicture();
    // Opening step 6 for a picture clip: the picture comes from TPicture.
    void LoadFromHandOver();
    // StoreAndClose in "img" mode: TPicture takes the picture, or is emptied when there is only the blank
    // placeholder.
    void StoreToHandOver();
    // ClearClip in "img" mode: back to the blank placeholder.
    void Clear();
    // fraImg was moved or resized (RepaintForm), or the mode became "img" (RefreshPicture).
    void Layout();
    // Status panel 2 in "img" mode ("Image size: ..."); the editor shows it in RefreshStatus.
    std::wstring StatusText() const;
    // The control that takes the focus in "img" mode (picPicture); null when there is none.
    HWND FocusControl() const;

    // toolbar2 in "img" mode: button 4 (undo), 18-20 (cut, copy, paste), 22-29, 31, 32 (effects).
    void ToolbarButton(int index);
    // LoadClipFile / SaveClipFile in "img" mode (the file dialogs included).
    void LoadFile();
    void SaveFile();
    // The same without their dialogs, for a chosen file name.
    void LoadFrom(const std::wstring& path);
    void SaveTo(const std::wstring& path);
    // Ctrl+V in picPicture.
    void PasteImage();
    // A notice of a control inside fraImg (WM_COMMAND, WM_NOTIFY, WM_HSCROLL, WM_VSCROLL, WM_DRAWITEM, sent
    // to fraImg as their parent). True when handled, with `result` as the answer.
    bool FrameMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The picture view inside fraImg (null until the picture side is first used, and when it could not
    // be made).
    PictureView* view() const { return view_.get(); }

private:
    // The view, made on first use.
    PictureView* View();

    // The editor's PictureWidth and PictureHeight follow the view's after every picture change.
    void SyncSize();

    frmConfPasteBox* editor_ = nullptr;
    HWND frame_ = nullptr;
    std::unique_ptr<PictureView> view_;
    bool viewFailed_ = false;
    std::unique_ptr<frmImgBrightness> brightness_;
    std::unique_ptr<frmImgColors> colors_;
};

} // namespace quillet
