#pragma once
// frmConfPasteBox: the clip editor ("Configure Clip to Paste"), modeless, one at a time. It edits the slot
// the main clip window handed over (EditHandOver.h) as plain text, rich text or a picture, names it and
// hands it back through the main window's Update.
#include "app/editor/frmConfPasteBoxPicture.h"
#include "core/ClipEditorRules.h"
#include "winkit/Scoped.h"
#include "winkit/Window.h"

#include <windows.h>

#include <string>

namespace quillet {

class frmConfPasteBox final : public winkit::Window {
public:
    // Control ids. Buttons of `toolbar` are kToolbarButton + index (1-8), of `toolbar2` kToolbar2Button +
    // index (1-33), as the button tables number them.
    enum : int {
        idToolbar = 100,
        idToolbar2,
        idCmbFont,
        idCmbSize,
        idTxtClipTXT,
        idTxtClipRTF,
        idTxtDefaultFont,
        idFraImg,
        idOptNonCusName,
        idOptCusName,
        idTxtCustomName,
        idSBar,
        kToolbarButton = 1000,
        kToolbar2Button = 2000,
    };
    // The rich-text box refuses input past this many characters.
    static constexpr long kRichTextLimit = 100000;
    // Bullets indent their paragraph by this much (twips).
    static constexpr long kBulletIndent = 400;

    // The window load, for EditSlot and the other hand-over values. False when it could not be built.
    bool Open();
    void StoreAndClose();
    void CloseWithoutSaving();
    void ClearClip();
    void LoadClipFile();
    void SaveClipFile();
    // The file commands without their dialogs, for a chosen file name.
    void LoadClipFileFrom(const std::wstring& path);
    void SaveClipFileTo(const std::wstring& path);

    void ToggleFormat(const std::wstring& mode);
    // The "Plain Text", "RTF" and "Image" buttons (6, 7, 8 of `toolbar`), with their questions.
    void FormatButton(int index);
    void TransBoxes(const std::wstring& direction, const std::wstring& option, bool switchBoxes);
    void RestartRTFbox();
    void RepaintForm();
    void RefreshStatus();
    // A status bar panel (1-4) takes the text; the same text again is left alone.
    void SetPanel(int panel, const std::wstring& text);
    void BoxHotkey(UINT keyCode);
    void ChangeFont();
    void ChangeSize();
    // A click on `toolbar2` button `index`.
    void Toolbar2Click(int index);
    // Brings the toolbar buttons and font boxes in step with the rich-text selection.
    void SyncSelection();

    const std::wstring& CurrentFormat() const { return currentFormat_; }
    HWND control(int id) const { return ::GetDlgItem(hwnd(), id); }
    bool ButtonPressed(int toolbarId, int index) const;
    bool ButtonVisible(int toolbarId, int index) const;
    bool ButtonEnabled(int toolbarId, int index) const;
    std::wstring PanelText(int panel) const; // 1-4
    // txtClipTXT's font and text colour (the plain box has one font for all its text).
    const LOGFONTW& PlainFont() const { return txtFont_; }
    COLORREF PlainColour() const { return txtColour_; }
    void SetPlainFont(const LOGFONTW& font, COLORREF colour);
    ConfPasteBoxPicture& picture() { return picture_; }

    long PictureWidth = 0, PictureHeight = 0;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

private:
    friend LRESULT CALLBACK EditorKeysProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    // The font boxes on toolbar2's row (pixels); a combo box's window is as high as its edit field, the
    // height given is its list's.
    static constexpr int kFontBoxTop = 28, kFontBoxWidth = 120, kSizeBoxWidth = 44, kFontBoxDropHeight = 300;
    // Where RepaintForm puts the controls for a layout (pixels in the client area): the editing surface is
    // the layout's mode's box.
    struct ControlPlaces {
        RECT toolbar, toolbar2, box, optCusName, txtCustomName, optNonCusName;
    };
    static ControlPlaces PlacesFor(const core::EditorLayout& layout, int clientWidth);
    core::EditorLayout LayoutFor(const std::wstring& mode) const;
    // The controls are made where the window's size and mode put them, so opening moves none of them.
    void CreateControls();
    void CreateToolbars(const ControlPlaces& places);
    // The font boxes' left edges in `mode`, after toolbar2's last visible button (pixels).
    void FontBoxLefts(const std::wstring& mode, int& fontLeft, int& sizeLeft) const;
    void PlaceFontBoxes();
    void ShowToolbar2Buttons(const std::wstring& mode);
    void FillFontList();
    void PressButton(int toolbarId, int index, bool pressed);
    void EnablePictureButtons();
    void ChooseCustomName(bool custom);
    void OnCommand(int id, int code, HWND from);
    LRESULT OnNotify(NMHDR* header);
    void OnTextChanged();
    HWND ActiveBox() const;
    std::wstring ActiveText() const;
    void ApplyFontDialog();
    void ApplyColourDialog();
    void CutOrCopy(bool cut);
    void PasteText();
    bool KeyOfBox(HWND box, UINT msg, WPARAM key, bool timer);
    bool Unload();

    std::wstring currentFormat_;
    bool loadingClip_ = false;
    bool handedBack_ = false;
    HWND lastFocus_ = nullptr;
    LOGFONTW txtFont_{};
    COLORREF txtColour_ = 0;
    LOGFONTW defaultFont_{};
    COLORREF defaultColour_ = 0;
    winkit::ScopedGdiObject txtFontHandle_;
    winkit::ScopedGdiObject defaultFontHandle_;
    winkit::ScopedGdiObject uiFont_;
    ConfPasteBoxPicture picture_;
};

// The program's one clip editor.
frmConfPasteBox& ConfPasteBox();
// F3 / imgConf of the main clip window: the editor for EditSlot.
void ShowClipEditor();

} // namespace quillet
