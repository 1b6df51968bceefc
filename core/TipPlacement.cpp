#include "core/TipPlacement.h"

namespace core {

TipPoint TrackingPoint(int direction, const TipRect& r, int absicca, int ordinate) {
    const int mid = r.top + (r.bottom - r.top) / 2;
    switch (direction) {
    case 0:
        return {r.left, mid};
    case 1:
        return {r.right, mid};
    case 2:
        return {r.left + (r.right - r.left) / 2, mid};
    default:
        return {absicca, ordinate};
    }
}

} // namespace core
