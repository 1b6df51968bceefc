#pragma once
// Where a window goes when its stored position is restored. All values are twips; the program counts
// 15 twips to the pixel.
namespace core {

inline constexpr int kTwipsPerPixel = 15;

// Left or top that centres a window of `window` extent on a screen of `screen` extent.
long CenteredOffset(long screen, long window);

// A stored left edge: far to the left (below -200) goes to the screen's left edge, past the right edge
// it is pulled back so the window ends at the screen's right edge.
long RestoredLeft(double storedLeft, long screenWidth, long windowWidth);

// A stored top edge: kept when -200 < top < screen height - window height, otherwise the window goes
// 1000 twips above the bottom fit. A window taller than the screen is never pushed above the top edge,
// where its title bar could not be reached.
long RestoredTop(double storedTop, long screenHeight, long windowHeight);

} // namespace core
