// The PNG load path on arbitrary bytes. A picture that decodes is written again and must read back
// with the same pixels, so encoder faults show up too.
#include "core/PngCodec.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Closer {
    std::FILE* f;
    ~Closer() {
        if (f)
            std::fclose(f);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    std::vector<uint8_t> input(data, data + size);
    Closer in{fmemopen(input.data(), input.size(), "rb")};
    if (!in.f)
        return 0;
    core::DecodedPng picture;
    if (!core::DecodePng(in.f, picture))
        return 0;
    if (picture.bgr.size() != static_cast<size_t>(picture.width) * picture.height * 3)
        std::abort();
    if (static_cast<uint64_t>(picture.width) * picture.height > 1000000)
        return 0;

    std::vector<const uint8_t*> rows(picture.height);
    for (uint32_t y = 0; y < picture.height; ++y)
        rows[y] = picture.Row(y);
    Closer out{std::tmpfile()};
    if (!out.f || !core::EncodePng(out.f, picture.width, picture.height, rows.data()))
        std::abort();
    std::rewind(out.f);
    core::DecodedPng again;
    if (!core::DecodePng(out.f, again) || again.width != picture.width || again.height != picture.height ||
        again.bgr != picture.bgr)
        std::abort();
    return 0;
}
