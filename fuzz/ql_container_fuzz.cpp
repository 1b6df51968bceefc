// Hostile project files: the container reader must never crash, read out of bounds or hand out a name
// that leaves the work folder; the index and picture entries are read from those bytes the way a load
// reads them.
#include "core/BmpFile.h"
#include "core/IniText.h"
#include "core/QlContainer.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    core::ReadContainer(data, size, [&](const core::ContainerEntryView& entry) {
        if (!core::IsSafeEntryName(entry.name))
            std::abort();
        if (entry.data < data || entry.data + entry.size > data + size)
            std::abort();
        // Bytes widened one to one: the reader sees every value a code page could give.
        const core::IniText index(std::wstring(entry.data, entry.data + entry.size));
        if (index.Value(L"Clip1", L"Name").size() > 254)
            std::abort();
        core::BmpLayout layout;
        if (core::ReadBmpLayout(entry.data, entry.size, layout) &&
            (layout.bitsOffset + layout.bitsSize > entry.size || layout.infoOffset + layout.infoSize > entry.size))
            std::abort();
        return true;
    });
    return 0;
}
