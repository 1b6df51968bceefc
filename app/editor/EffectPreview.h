#pragma once
// What the two effect dialogs share: the reduced copy of the editor's picture (imgOriginal), the hidden
// work surface the effect runs on (picTemp), the visible preview (picBox) and the flag lblPreview.
#include "app/editor/PictureBox.h"
#include "app/editor/modImageEffects.h"
#include "winkit/Scoped.h"

#include <string>

#include <windows.h>

namespace quillet {

class EffectPreview {
public:
    // The largest preview, imgOriginal's designed size, in pixels; picBox starts at this size.
    static constexpr int kMaxWidth = 320;
    static constexpr int kMaxHeight = 240;

    // picBox and lblPreview inside the dialog at (left, top); the preview of `picture` is prepared.
    bool Create(HWND dialog, int left, int top, HBITMAP picture);
    // Prepares the preview of `picture` again in the boxes already made.
    void Prepare(HBITMAP picture);
    // Recomputes the preview with the engine key; does nothing while a preview is running.
    void Preview(const char* key, const EffectHost& host);
    // picBox shows the reduced copy without the effect.
    void ShowOriginal();
    // The dialog's client width: picBox's right edge and 150 twips.
    int DialogWidth() const;
    int Bottom() const;

    PictureBox& picBox() { return picBox_; }
    PictureBox& picTemp() { return picTemp_; }
    HWND lblPreview() const { return lblPreview_; }
    SIZE OriginalSize() const;

private:
    void ShowInBox(HBITMAP picture);

    int left_ = 0, top_ = 0;
    PictureBox picBox_;
    PictureBox picTemp_;
    HWND lblPreview_ = nullptr;
    winkit::ScopedGdiObject imgOriginal_;
};

// The dialogs' controls, in the dialog font.
HWND MakeEffectControl(HWND dialog, const wchar_t* windowClass, const wchar_t* text, DWORD style, int x, int y,
                       int width, int height, int id = 0);
// A horizontal slider with ticks from minimum to maximum, at 0, with a large step of `page`, a small one of 1.
HWND MakeEffectSlider(HWND dialog, int x, int y, int width, int minimum, int maximum, int page, int tick);
// A slider's notification that its value settled (released, keyboard, click), not a drag or its end.
bool SliderSettled(WPARAM scrollCode);
// Gives the dialog the client size and centres it over the editor.
void FitEffectDialog(HWND dialog, HWND editor, int clientWidth, int clientHeight);
// An effect dialog gives the editor back: shown and in front again.
void BringBackEditor(HWND editor);

} // namespace quillet
