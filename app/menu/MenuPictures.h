#pragma once
// The pictures of the hidden main form's menus: the image list MenuIcons (one 16x16 picture per key) and
// the image imgclip. Drawn here in code, each as an OLE picture that owns its bitmap; the menu drawer
// borrows the handles, so this object lives as long as the menus are drawn.
#include "winkit/Com.h"

#include <ocidl.h>
#include <olectl.h>

#include <map>
#include <string>
#include <vector>

namespace quillet {

class MenuPictures {
public:
    static constexpr int kSize = 16;

    // Draws every picture; a picture that cannot be made is simply missing.
    void Load();
    void Clear() { pictures_.clear(); }

    // The MenuIcons keys, in the order of the menus' icon table.
    static const std::vector<std::wstring>& Keys();
    // The key under which imgclip's picture is kept here.
    static constexpr const wchar_t* kClipImage = L"imgclip";

    // Null for a key without a picture.
    IPictureDisp* Picture(const std::wstring& key) const;
    // The program's own icon (the clipboard of imgclip), for its hidden form and the tray; the caller owns it.
    static HICON CreateProgramIcon();
    // The bitmap inside a picture; null when there is none.
    static HBITMAP BitmapOf(IPictureDisp* picture);

private:
    std::map<std::wstring, winkit::ComPtr<IPictureDisp>> pictures_;
};

} // namespace quillet
