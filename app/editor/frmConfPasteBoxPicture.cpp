#include "app/editor/frmConfPasteBoxPicture.h"

#include "app/projects/EditHandOver.h"

namespace quillet {

void ConfPasteBoxPicture::Create(frmConfPasteBox& editor, HWND fraImg) {
    editor_ = &editor;
    frame_ = fraImg;
}

void ConfPasteBoxPicture::Destroy() {
    picture_.reset();
    editor_ = nullptr;
    frame_ = nullptr;
}

bool ConfPasteBoxPicture::CommandsAvailable() const {
    return false;
}

void ConfPasteBoxPicture::ResetPicture() {
    picture_.reset();
}

void ConfPasteBoxPicture::LoadFromHandOver() {
    picture_.reset(TPicture ? static_cast<HBITMAP>(::CopyImage(TPicture.get(), IMAGE_BITMAP, 0, 0, 0)) : nullptr);
}

void ConfPasteBoxPicture::StoreToHandOver() {
    TPicture.reset(picture_.release());
}

void ConfPasteBoxPicture::Clear() {
    picture_.reset();
}

void ConfPasteBoxPicture::Layout() {}

std::wstring ConfPasteBoxPicture::StatusText() const {
    return L"";
}

HWND ConfPasteBoxPicture::FocusControl() const {
    return nullptr;
}

void ConfPasteBoxPicture::ToolbarButton(int) {}
void ConfPasteBoxPicture::LoadFile() {}
void ConfPasteBoxPicture::SaveFile() {}
void ConfPasteBoxPicture::PasteImage() {}
bool ConfPasteBoxPicture::FrameMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

} // namespace quillet
