// The libpng built for the program writes and reads back a picture through its in-memory callbacks.
#include <png.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct Buffer {
    std::vector<unsigned char> bytes;
    size_t readPos = 0;
};

void WriteToBuffer(png_structp png, png_bytep data, png_size_t length) {
    auto* b = static_cast<Buffer*>(png_get_io_ptr(png));
    b->bytes.insert(b->bytes.end(), data, data + length);
}

void ReadFromBuffer(png_structp png, png_bytep data, png_size_t length) {
    auto* b = static_cast<Buffer*>(png_get_io_ptr(png));
    if (b->readPos + length > b->bytes.size())
        png_error(png, "read past end");
    std::memcpy(data, b->bytes.data() + b->readPos, length);
    b->readPos += length;
}

} // namespace

TEST(Libpng, RoundTripsAnRgbPicture) {
    const int width = 7, height = 5;
    std::vector<unsigned char> pixels(width * height * 3);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<unsigned char>(i * 37);

    Buffer buffer;
    {
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        ASSERT_NE(png, nullptr);
        png_infop info = png_create_info_struct(png);
        ASSERT_FALSE(setjmp(png_jmpbuf(png)));
        png_set_write_fn(png, &buffer, WriteToBuffer, nullptr);
        png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        std::vector<png_bytep> rows(height);
        for (int y = 0; y < height; ++y)
            rows[y] = pixels.data() + y * width * 3;
        png_set_rows(png, info, rows.data());
        png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
        png_destroy_write_struct(&png, &info);
    }
    ASSERT_GT(buffer.bytes.size(), 8u);
    EXPECT_EQ(png_sig_cmp(buffer.bytes.data(), 0, 8), 0);

    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    ASSERT_NE(png, nullptr);
    png_infop info = png_create_info_struct(png);
    ASSERT_FALSE(setjmp(png_jmpbuf(png)));
    png_set_read_fn(png, &buffer, ReadFromBuffer);
    png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    EXPECT_EQ(png_get_image_width(png, info), static_cast<png_uint_32>(width));
    EXPECT_EQ(png_get_image_height(png, info), static_cast<png_uint_32>(height));
    png_bytepp rows = png_get_rows(png, info);
    for (int y = 0; y < height; ++y)
        EXPECT_EQ(std::memcmp(rows[y], pixels.data() + y * width * 3, width * 3), 0) << "row " << y;
    png_destroy_read_struct(&png, &info, nullptr);
}

TEST(Libpng, IsTheBundledVersion) { EXPECT_STREQ(png_get_libpng_ver(nullptr), "1.6.37"); }
