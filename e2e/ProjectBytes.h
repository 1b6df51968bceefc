#pragma once
// A project file as the program writes it, built by the test from the slots it wants on disk.
#include "core/ClipSlot.h"
#include "core/QlContainer.h"
#include "winkit/TextConv.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// `slot(n)` gives slot n (1 to 30); every slot's method is 1.
inline std::string ProjectBytes(const std::function<core::ClipSlot(int)>& slot) {
    std::string bytes;
    core::ContainerWriter writer([&](const std::uint8_t* data, std::size_t size) {
        bytes.append(reinterpret_cast<const char*>(data), size);
        return true;
    });
    std::wstring index;
    std::vector<std::pair<std::string, std::string>> files;
    for (int n = 1; n <= core::kSlotCount; ++n) {
        const core::ClipSlot clip = slot(n);
        index += core::IndexLines(n, clip, 1);
        files.emplace_back(core::DataFileName(n), winkit::ToAnsi(core::DataFileText(clip)));
    }
    files.emplace(files.begin(), "ql.ini", winkit::ToAnsi(index));
    writer.Begin(static_cast<std::int32_t>(files.size()));
    for (const auto& [name, data] : files)
        writer.Entry(name, reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
    return bytes;
}

} // namespace e2e
