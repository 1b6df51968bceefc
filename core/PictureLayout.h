#pragma once
// Where the clip editor's picture goes inside its frame: centred in a direction it fits, scrolled in one
// it does not; and how large the effect dialogs' reduced preview of it is. All values are twips.
namespace core {

// The scroll bars' thickness and the side of the corner square (blox) they leave free.
inline constexpr long kPictureBarThickness = 240;

// One direction of the layout (horizontal: left edge, width, scrollHorz; vertical alike).
struct PictureAxis {
    bool scrolled = false; // the bar is shown and enabled
    double offset = 0;     // the picture's left (top) edge: centred, or 0 when the bar moves it
    long barLength = 0;    // the bar runs along the frame's far edge, leaving the corner free
    // The bar's range is 0 to minimum (the hidden extent, negated), so its value is the picture's edge.
    long minimum = 0;
    long largeStep = 1;
    long smallStep = 1;
};

struct PictureLayout {
    PictureAxis horz, vert;
    bool bloxShown = false; // the corner filler, shown while either bar is
};

// The layout of a picture of pictureW x pictureH in a frame of frameW x frameH.
PictureLayout LayOutPicture(double frameW, double frameH, double pictureW, double pictureH);

// The bar's steps for a hidden extent of `hidden`: half of it (1 to 32 767) and a twentieth of that + 1.
PictureAxis ScrollSteps(long hidden);

// The preview of a w x h picture for a preview box of boxW x boxH whose reduced copy is at most
// maxW x maxH: reduced to fit, keeping the aspect, only when the picture is larger than the box.
struct PreviewSize {
    bool scaled = false;
    double width = 0;
    double height = 0;
};
PreviewSize PreviewSizeFor(double w, double h, double boxW, double boxH, double maxW, double maxH);

} // namespace core
