#include "core/PngCodec.h"

#include <png.h>

#include <cstring>

namespace core {

namespace {

// libpng reports an error by jumping back to the setjmp of the call that failed. The functions holding a
// setjmp own no C++ objects, so nothing needing a destructor is skipped by the jump.
[[noreturn]] void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnPngWarning(png_structp, png_const_charp) {}

class ReadStructs {
public:
    ReadStructs() {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
        if (png_) {
            info_ = png_create_info_struct(png_);
            end_ = png_create_info_struct(png_);
        }
    }
    ReadStructs(const ReadStructs&) = delete;
    ReadStructs& operator=(const ReadStructs&) = delete;
    ~ReadStructs() {
        if (png_)
            png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, end_ ? &end_ : nullptr);
    }
    bool ok() const { return png_ && info_ && end_; }
    png_structp png() const { return png_; }
    png_infop info() const { return info_; }
    png_infop end() const { return end_; }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    png_infop end_ = nullptr;
};

class WriteStructs {
public:
    WriteStructs() {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
        if (png_)
            info_ = png_create_info_struct(png_);
    }
    WriteStructs(const WriteStructs&) = delete;
    WriteStructs& operator=(const WriteStructs&) = delete;
    ~WriteStructs() {
        if (png_)
            png_destroy_write_struct(&png_, info_ ? &info_ : nullptr);
    }
    bool ok() const { return png_ && info_; }
    png_structp png() const { return png_; }
    png_infop info() const { return info_; }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

bool ReadHeader(png_structp png, png_infop info, std::FILE* stream, png_uint_32* width, png_uint_32* height) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_init_io(png, stream);
    png_set_sig_bytes(png, 8);
    // Checked by libpng while it parses IHDR, before any row memory exists.
    png_set_user_limits(png, kMaxPngSide, kMaxPngSide);
    png_read_info(png, info);
    int bitDepth = 0, colorType = 0;
    png_get_IHDR(png, info, width, height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
    return true;
}

// Asks for 8-bit BGR whatever the file holds: the transforms strip-alpha, packing and BGR, plus the
// expansions that make palette, grey and 16-bit pictures fit a 24-bit row.
bool PrepareRows(png_structp png, png_infop info, png_size_t* rowBytes) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_strip_alpha(png);
    png_set_packing(png);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    *rowBytes = png_get_rowbytes(png, info);
    return true;
}

bool ReadRows(png_structp png, png_infop end, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows);
    png_read_end(png, end);
    return true;
}

bool WriteAll(png_structp png, png_infop info, std::FILE* stream, png_uint_32 width, png_uint_32 height,
              png_bytepp rows) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_init_io(png, stream);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_color_8 bits{};
    bits.red = 8;
    bits.green = 8;
    bits.blue = 8;
    png_set_sBIT(png, info, &bits);
    png_write_info(png, info);
    png_set_bgr(png);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

} // namespace

bool DecodePng(std::FILE* stream, DecodedPng& out) {
    out = DecodedPng{};
    if (!stream)
        return false;
    png_byte signature[8];
    if (std::fread(signature, 1, sizeof signature, stream) != sizeof signature ||
        png_sig_cmp(signature, 0, sizeof signature) != 0)
        return false;
    ReadStructs structs;
    if (!structs.ok())
        return false;
    png_uint_32 width = 0, height = 0;
    if (!ReadHeader(structs.png(), structs.info(), stream, &width, &height))
        return false;
    if (width < 1 || height < 1 || static_cast<std::uint64_t>(width) * height > kMaxPngPixels)
        return false;
    png_size_t rowBytes = 0;
    if (!PrepareRows(structs.png(), structs.info(), &rowBytes) || rowBytes != static_cast<png_size_t>(width) * 3)
        return false;

    std::vector<std::uint8_t> pixels(rowBytes * height);
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = pixels.data() + rowBytes * y;
    if (!ReadRows(structs.png(), structs.end(), rows.data()))
        return false;
    out.width = width;
    out.height = height;
    out.bgr = std::move(pixels);
    return true;
}

bool EncodePng(std::FILE* stream, std::uint32_t width, std::uint32_t height, const std::uint8_t* const* rows) {
    if (!stream || !rows || width < 1 || height < 1)
        return false;
    WriteStructs structs;
    if (!structs.ok())
        return false;
    // libpng only reads the rows; its interface just predates const.
    if (!WriteAll(structs.png(), structs.info(), stream, width, height, const_cast<png_bytepp>(rows)))
        return false;
    return std::fflush(stream) == 0 && !std::ferror(stream);
}

} // namespace core
