#pragma once
// Fitting a saved window rectangle onto the screens that exist now.
#include <vector>

namespace ign {

struct ScreenRect {
  int left = 0, top = 0, width = 0, height = 0;
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool operator==(const ScreenRect&) const = default;
};

// How far r sticks out of screen: the sum of the overhangs on all four sides.
long Overhang(const ScreenRect& r, const ScreenRect& screen);

// The screen with the smallest overhang (the first on a tie) takes the window:
// cut to its size, moved in from the right/bottom, then from the left/top, and
// finally clipped at its right and bottom edges. A window that already lies
// inside a screen, or a list without screens, leaves it as it is.
ScreenRect FitWindowOntoScreens(const ScreenRect& window, const std::vector<ScreenRect>& screens);

}  // namespace ign
