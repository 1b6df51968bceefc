#include "core/PictureLayout.h"

#include <cmath>

namespace core {

namespace {

// Rounds half to even, as the program's conversions to whole numbers always have.
long Nearest(double value) {
    return static_cast<long>(std::nearbyint(value));
}

PictureAxis Centred(double frame, double picture) {
    PictureAxis axis;
    axis.offset = frame / 2 - picture / 2;
    return axis;
}

PictureAxis SetUp(double frame, double picture) {
    if (frame >= picture)
        return Centred(frame, picture);
    PictureAxis axis = ScrollSteps(Nearest(picture - frame));
    axis.scrolled = true;
    axis.offset = 0;
    return axis;
}

} // namespace

PictureAxis ScrollSteps(long hidden) {
    PictureAxis axis;
    axis.minimum = -hidden;
    const double half = hidden / 2.0;
    axis.largeStep = half < 1 ? 1 : half > 32767 ? 32767 : Nearest(half);
    axis.smallStep = axis.largeStep / 20 + 1;
    return axis;
}

PictureLayout LayOutPicture(double frameW, double frameH, double pictureW, double pictureH) {
    PictureLayout layout;
    if (frameW > pictureW && frameH > pictureH) {
        layout.horz = Centred(frameW, pictureW);
        layout.vert = Centred(frameH, pictureH);
    } else {
        layout.horz = SetUp(frameW, pictureW);
        layout.vert = SetUp(frameH, pictureH);
    }
    layout.horz.barLength = Nearest(frameW) - kPictureBarThickness;
    layout.vert.barLength = Nearest(frameH) - kPictureBarThickness;
    layout.bloxShown = layout.horz.scrolled || layout.vert.scrolled;
    return layout;
}

PreviewSize PreviewSizeFor(double w, double h, double boxW, double boxH, double maxW, double maxH) {
    PreviewSize size{false, w, h};
    if (!(w > boxW || h > boxH))
        return size;
    size.scaled = true;
    // Single-precision factors, so a preview comes out the same size as it always has.
    float width = static_cast<float>(w), height = static_cast<float>(h);
    if (width > maxW) {
        const float factor = static_cast<float>(maxW) / width;
        width *= factor;
        height *= factor;
    }
    if (height > maxH) {
        const float factor = static_cast<float>(maxH) / height;
        width *= factor;
        height *= factor;
    }
    size.width = width;
    size.height = height;
    return size;
}

} // namespace core
