// Hostile project files: the container reader must never crash, read out of bounds or hand out a name
// that leaves the work folder.
#include "core/QlContainer.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    core::ReadContainer(data, size, [&](const core::ContainerEntryView& entry) {
        if (!core::IsSafeEntryName(entry.name))
            std::abort();
        if (entry.data < data || entry.data + entry.size > data + size)
            std::abort();
        return true;
    });
    return 0;
}
