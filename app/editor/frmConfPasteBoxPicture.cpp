#include "app/editor/frmConfPasteBoxPicture.h"

#include "app/editor/PictureView.h"
#include "app/editor/frmConfPasteBox.h"
#include "app/editor/frmImgBrightness.h"
#include "app/editor/frmImgColors.h"
#include "app/projects/EditHandOver.h"
#include "app/shell/Messages.h"
#include "winkit/BusyCursor.h"

#include <commctrl.h>
#include <commdlg.h>

#include <vector>

namespace quillet {

namespace {

// A dialog filter in the "name|pattern|..." notation the program's filters are written in.
std::vector<wchar_t> Filter(const std::wstring& bars) {
    std::vector<wchar_t> filter(bars.begin(), bars.end());
    for (auto& c : filter)
        if (c == L'|')
            c = L'\0';
    filter.push_back(L'\0');
    filter.push_back(L'\0');
    return filter;
}

std::wstring AskFileName(HWND owner, bool save) {
    wchar_t name[MAX_PATH] = L"";
    const auto filter = Filter(save ? L"Bitmap|*.bmp|PNG (optimized for web)|*.png|All Files|*.*"
                                    : L"All Picture Files|*.bmp;*.jpg;*.gif;*.ico;*.wmf;*.png|Bitmaps|*.bmp|GIF "
                                      L"Images|*.gif|JPG Images|*.jpg|PNG - Portable Network Graphic|*.png|Icons|*."
                                      L"ico|Windows Metafiles|*.wmf|All Files|*.*");
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.data();
    ofn.lpstrFile = name;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = save ? L"Save clip to File" : L"Open File";
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | (save ? OFN_OVERWRITEPROMPT : 0);
    const BOOL chosen = save ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn);
    return chosen ? name : L"";
}

// toolbar2's effect buttons 22-29, by the editor's effect names.
const char* EffectOfButton(int index) {
    static const char* const kNames[] = {"grayscale", "invert", "soften",   "sharpen",
                                         "diffuse",   "emboss", "solarize", "lighten"};
    return index >= 22 && index <= 29 ? kNames[index - 22] : nullptr;
}

} // namespace

ConfPasteBoxPicture::ConfPasteBoxPicture() = default;
ConfPasteBoxPicture::~ConfPasteBoxPicture() = default;

void ConfPasteBoxPicture::Create(frmConfPasteBox& editor, HWND fraImg) {
    editor_ = &editor;
    frame_ = fraImg;
    viewFailed_ = false;
}

PictureView* ConfPasteBoxPicture::View() {
    if (view_ || viewFailed_ || !editor_ || !frame_)
        return view_.get();
    frmConfPasteBox& editor = *editor_;
    const HWND fraImg = frame_;
    view_ = std::make_unique<PictureView>();
    RECT inside{};
    ::GetClientRect(fraImg, &inside);
    PictureView::Host host;
    host.editor = editor.hwnd();
    host.refreshStatus = [this] {
        if (editor_ && editor_->CurrentFormat() == L"img")
            editor_->RefreshStatus();
    };
    host.setPanel3 = [this](const std::wstring& text) {
        if (editor_)
            editor_->SetPanel(3, text);
    };
    host.keyDown = [this](WPARAM key) {
        // The editor's keys as the buttons that do the same, posted: closing the editor from inside the
        // picture box's own message would pull the box away under it.
        int command = 0;
        switch (key) {
        case VK_F1:
            command = frmConfPasteBox::kToolbarButton + 1;
            break;
        case VK_F2:
        case VK_ESCAPE:
            command = frmConfPasteBox::kToolbarButton + 2;
            break;
        case VK_F3:
            command = frmConfPasteBox::kToolbarButton + 4;
            break;
        case VK_F4:
            command = frmConfPasteBox::kToolbar2Button + 1;
            break;
        default:
            return false;
        }
        if (editor_)
            ::PostMessageW(editor_->hwnd(), WM_COMMAND, static_cast<WPARAM>(command), 0);
        return true;
    };
    if (!view_->Create(fraImg, 0, 0, inside.right, inside.bottom, std::move(host))) {
        view_.reset();
        viewFailed_ = true;
        return nullptr;
    }
    SyncSize();
    return view_.get();
}

void ConfPasteBoxPicture::Destroy() {
    brightness_.reset();
    colors_.reset();
    view_.reset();
    viewFailed_ = false;
    editor_ = nullptr;
    frame_ = nullptr;
}

bool ConfPasteBoxPicture::CommandsAvailable() const {
    return view_ != nullptr || (editor_ && frame_ && !viewFailed_);
}

void ConfPasteBoxPicture::SyncSize() {
    if (editor_ && view_) {
        editor_->PictureWidth = static_cast<long>(view_->PictureWidth);
        editor_->PictureHeight = static_cast<long>(view_->PictureHeight);
    }
}

void ConfPasteBoxPicture::ResetPicture() {
    if (!view_) // made blank when first used
        return;
    view_->SetPicture(nullptr);
    SyncSize();
}

void ConfPasteBoxPicture::LoadFromHandOver() {
    if (!View())
        return;
    view_->SetPicture(static_cast<HBITMAP>(TPicture.get()));
    SyncSize();
}

void ConfPasteBoxPicture::StoreToHandOver() {
    TPicture.reset(view_ ? view_->PictureCopy() : nullptr);
}

void ConfPasteBoxPicture::Clear() {
    if (!View())
        return;
    view_->Clear();
    SyncSize();
}

void ConfPasteBoxPicture::Layout() {
    if (!View())
        return;
    RECT inside{};
    ::GetClientRect(frame_, &inside);
    view_->Move(0, 0, inside.right, inside.bottom);
}

std::wstring ConfPasteBoxPicture::StatusText() const {
    return view_ ? view_->SizeText() : L"";
}

HWND ConfPasteBoxPicture::FocusControl() const {
    return view_ ? view_->picPicture().hwnd() : nullptr;
}

void ConfPasteBoxPicture::ToolbarButton(int index) {
    if (!View())
        return;
    switch (index) {
    case 4:
        view_->Undo();
        break;
    case 18:
        view_->Cut();
        break;
    case 19:
        view_->Copy();
        break;
    case 20:
        view_->PasteImage();
        break;
    case 31:
        // Each dialog is made once per editor and shown again on its next opening.
        if (!colors_)
            colors_ = std::make_unique<frmImgColors>();
        colors_->Load(editor_->hwnd(), *view_);
        break;
    case 32:
        if (!brightness_)
            brightness_ = std::make_unique<frmImgBrightness>();
        brightness_->Load(editor_->hwnd(), *view_);
        break;
    default:
        if (const char* effect = EffectOfButton(index))
            view_->ApplyEffect(effect);
        break;
    }
    SyncSize();
}

void ConfPasteBoxPicture::LoadFile() {
    if (!View())
        return;
    winkit::BusyCursor busy;
    const std::wstring path = AskFileName(editor_->hwnd(), false);
    if (path.empty())
        return;
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        ShowError(L"Selected file does not exists!");
        return;
    }
    LoadFrom(path);
}

void ConfPasteBoxPicture::LoadFrom(const std::wstring& path) {
    if (!View())
        return;
    view_->LoadPicture(path);
    SyncSize();
}

void ConfPasteBoxPicture::SaveFile() {
    if (!View())
        return;
    winkit::BusyCursor busy;
    const std::wstring path = AskFileName(editor_->hwnd(), true);
    if (!path.empty())
        view_->SavePicture(path);
}

void ConfPasteBoxPicture::SaveTo(const std::wstring& path) {
    if (View())
        view_->SavePicture(path);
}

void ConfPasteBoxPicture::PasteImage() {
    if (!View())
        return;
    view_->PasteImage();
    SyncSize();
}

bool ConfPasteBoxPicture::FrameMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    // The view is a window of its own inside fraImg and hears its bars itself.
    return false;
}

} // namespace quillet
