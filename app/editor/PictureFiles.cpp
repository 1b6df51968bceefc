#include "app/editor/PictureFiles.h"

#include "app/paste/modParseClipboard.h"
#include "core/PngCodec.h"
#include "winkit/Bitmaps.h"
#include "winkit/Com.h"
#include "winkit/Scoped.h"

#include <olectl.h>

#include <cwctype>
#include <fstream>
#include <iterator>
#include <vector>

namespace quillet {

namespace {

bool WithinLimits(long width, long height) {
    return width > 0 && height > 0 && width <= static_cast<long>(core::kMaxPngSide) &&
           height <= static_cast<long>(core::kMaxPngSide) &&
           static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <= core::kMaxPngPixels;
}

// A white 32-bit DIB section of the size, or null with the reason.
HBITMAP NewPicture(long width, long height, PictureFailure& failure) {
    if (!WithinLimits(width, height)) {
        failure = PictureFailure::TooLarge;
        return nullptr;
    }
    BITMAPINFO info = winkit::TopDown32BitInfo(width, height);
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib) {
        // Failing to allocate a picture within the limits is a picture too large for this machine.
        failure = PictureFailure::TooLarge;
        return nullptr;
    }
    std::fill_n(static_cast<std::uint32_t*>(bits), static_cast<size_t>(width) * height, 0x00FFFFFFu);
    failure = PictureFailure::None;
    return dib;
}

} // namespace

SIZE PictureSize(HBITMAP picture) {
    BITMAP bm{};
    if (!picture || !::GetObjectW(picture, sizeof bm, &bm))
        return {0, 0};
    return {bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight};
}

bool IsPngName(const std::wstring& path) {
    if (path.size() < 3)
        return false;
    std::wstring end = path.substr(path.size() - 3);
    for (auto& c : end)
        c = static_cast<wchar_t>(std::towlower(c));
    return end == L"png";
}

HBITMAP CopyPicture(HBITMAP picture, PictureFailure& failure) {
    failure = PictureFailure::Unreadable;
    const SIZE size = PictureSize(picture);
    if (size.cx <= 0 || size.cy <= 0)
        return nullptr;
    winkit::ScopedGdiObject copy(NewPicture(size.cx, size.cy, failure));
    if (!copy)
        return nullptr;
    winkit::ScopedMemoryDC source(::CreateCompatibleDC(nullptr)), target(::CreateCompatibleDC(nullptr));
    if (!source || !target) {
        failure = PictureFailure::Unreadable;
        return nullptr;
    }
    {
        winkit::SelectObjectGuard from(source.get(), picture);
        winkit::SelectObjectGuard to(target.get(), copy.get());
        if (!::BitBlt(target.get(), 0, 0, size.cx, size.cy, source.get(), 0, 0, SRCCOPY)) {
            failure = PictureFailure::Unreadable;
            return nullptr;
        }
    }
    return static_cast<HBITMAP>(copy.release());
}

HBITMAP LoadPictureWithSystem(const std::wstring& path, PictureFailure& failure) {
    failure = PictureFailure::Unreadable;
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in)
        return nullptr;
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.empty())
        return nullptr;
    winkit::ScopedGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (!memory)
        return nullptr;
    {
        winkit::GlobalLockGuard<char> lock(memory.get());
        if (!lock.get())
            return nullptr;
        std::copy(bytes.begin(), bytes.end(), lock.get());
    }
    winkit::ComPtr<IStream> stream;
    // The stream does not own the memory, so the scoped owner frees it on every path.
    if (FAILED(::CreateStreamOnHGlobal(memory.get(), FALSE, stream.put())))
        return nullptr;
    winkit::ComPtr<IPicture> picture;
    if (FAILED(
            ::OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture, picture.put_void())) ||
        !picture)
        return nullptr;

    SHORT type = PICTYPE_UNINITIALIZED;
    picture->get_Type(&type);
    if (type == PICTYPE_BITMAP) {
        OLE_HANDLE handle = 0;
        if (SUCCEEDED(picture->get_Handle(&handle)) && handle)
            return CopyPicture(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), failure);
        return nullptr;
    }
    // Icons and metafiles have no pixels of their own: drawn on white at the screen's resolution.
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    picture->get_Width(&hmWidth);
    picture->get_Height(&hmHeight);
    winkit::WindowDC screen(nullptr);
    const long width = ::MulDiv(hmWidth, ::GetDeviceCaps(screen.get(), LOGPIXELSX), 2540);
    const long height = ::MulDiv(hmHeight, ::GetDeviceCaps(screen.get(), LOGPIXELSY), 2540);
    winkit::ScopedGdiObject result(NewPicture(width, height, failure));
    if (!result)
        return nullptr;
    winkit::ScopedMemoryDC dc(::CreateCompatibleDC(nullptr));
    if (!dc) {
        failure = PictureFailure::Unreadable;
        return nullptr;
    }
    {
        winkit::SelectObjectGuard select(dc.get(), result.get());
        if (FAILED(picture->Render(dc.get(), 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr))) {
            failure = PictureFailure::Unreadable;
            return nullptr;
        }
    }
    return static_cast<HBITMAP>(result.release());
}

// A packed DIB (header, colour table, rows) drawn onto a new 32-bit picture.
HBITMAP PictureFromPackedDib(const BITMAPINFO* info, SIZE_T size, PictureFailure& failure) {
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (size < sizeof(BITMAPINFOHEADER) || h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0)
        return nullptr;
    const long height = h.biHeight < 0 ? -static_cast<long>(h.biHeight) : h.biHeight;
    winkit::ScopedGdiObject picture(NewPicture(h.biWidth, height, failure));
    if (!picture)
        return nullptr;
    const DWORD colours = h.biClrUsed ? h.biClrUsed : (h.biBitCount <= 8 ? 1u << h.biBitCount : 0);
    const DWORD masks = h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER) ? 3 : 0;
    const SIZE_T rowBytes = ((static_cast<SIZE_T>(h.biWidth) * h.biBitCount + 31) / 32) * 4;
    const SIZE_T offset = h.biSize + (colours + masks) * sizeof(RGBQUAD);
    if (h.biCompression == BI_RGB && offset + rowBytes * static_cast<SIZE_T>(height) > size) {
        failure = PictureFailure::Unreadable;
        return nullptr;
    }
    winkit::ScopedMemoryDC dc(::CreateCompatibleDC(nullptr));
    if (!dc) {
        failure = PictureFailure::Unreadable;
        return nullptr;
    }
    winkit::SelectObjectGuard select(dc.get(), picture.get());
    if (!::SetDIBitsToDevice(dc.get(), 0, 0, h.biWidth, height, 0, 0, 0, height,
                             reinterpret_cast<const BYTE*>(info) + offset, info, DIB_RGB_COLORS)) {
        failure = PictureFailure::Unreadable;
        return nullptr;
    }
    return static_cast<HBITMAP>(picture.release());
}

HBITMAP ClipboardPicture(PictureFailure& failure) {
    failure = PictureFailure::Unreadable;
    if (!::IsClipboardFormatAvailable(CF_BITMAP) && !::IsClipboardFormatAvailable(CF_DIB))
        return nullptr;
    if (!OpenClipboardPatiently())
        return nullptr;
    HBITMAP copy = nullptr;
    if (HBITMAP onClipboard = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP)))
        copy = CopyPicture(onClipboard, failure);
    // Another program's bitmap does not always come over as one; its device-independent form does.
    if (!copy && failure != PictureFailure::TooLarge) {
        if (HGLOBAL dib = ::GetClipboardData(CF_DIB)) {
            winkit::GlobalLockGuard<const BITMAPINFO> info(dib);
            if (info)
                copy = PictureFromPackedDib(info.get(), ::GlobalSize(dib), failure);
        }
    }
    ::CloseClipboard();
    return copy;
}

} // namespace quillet
