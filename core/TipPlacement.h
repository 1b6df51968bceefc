#pragma once
// Where a tracking tooltip is placed beside its control.
namespace core {

struct TipRect {
    int left, top, right, bottom;
};
struct TipPoint {
    int x, y;
};

// The type library's ACTIVATION_DIRECTION: left edge, right edge or centre of the control at its
// vertical middle; any other value (ACTIVATION_CUSTOM) places the tip at the given point.
TipPoint TrackingPoint(int direction, const TipRect& control, int absicca, int ordinate);

} // namespace core
