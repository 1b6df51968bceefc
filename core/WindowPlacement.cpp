#include "core/WindowPlacement.h"

#include <cmath>

namespace core {

long CenteredOffset(long screen, long window) { return (screen - window) / 2; }

long RestoredLeft(double storedLeft, long screenWidth, long windowWidth) {
    const double x = std::floor(storedLeft);
    const long rightmost = screenWidth - windowWidth;
    if (x < -200)
        return 0;
    if (x > rightmost)
        return rightmost;
    return static_cast<long>(x);
}

long RestoredTop(double storedTop, long screenHeight, long windowHeight) {
    const double y = std::floor(storedTop);
    const long lowest = screenHeight - windowHeight;
    if (y > -200 && y < lowest)
        return static_cast<long>(y);
    const long nearBottom = lowest - 1000;
    return nearBottom < 0 ? 0 : nearBottom;
}

} // namespace core
