#include "app/projects/ClipProject.h"

namespace quillet {

std::array<std::uint8_t, core::kSlotCount> ClipMethods = [] {
    std::array<std::uint8_t, core::kSlotCount> methods{};
    methods.fill(1);
    return methods;
}();

void ClipProject::CleanUp() {
    for (Clip& clip : slots_) {
        clip.text = core::EmptyClipMarker;
        clip.format = core::kFormatTxtSimple;
        clip.data.clear();
        clip.locked = false;
    }
}

void ClipProject::PlaceEmptyStrings() {
    for (Clip& clip : slots_)
        if (clip.text.empty())
            clip.text = core::EmptyClipMarker;
}

} // namespace quillet
