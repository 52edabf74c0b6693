#include "core/app/window_fit.h"

#include <algorithm>

namespace ign {

long Overhang(const ScreenRect& r, const ScreenRect& s) {
  long sum = 0;
  sum += std::max(0L, long(s.left) - r.left);
  sum += std::max(0L, long(r.Right()) - s.Right());
  sum += std::max(0L, long(s.top) - r.top);
  sum += std::max(0L, long(r.Bottom()) - s.Bottom());
  return sum;
}

ScreenRect FitWindowOntoScreens(const ScreenRect& window, const std::vector<ScreenRect>& screens) {
  if (screens.empty()) return window;
  size_t best = 0;
  long bestSum = Overhang(window, screens[0]);
  for (size_t i = 1; i < screens.size(); ++i) {
    long sum = Overhang(window, screens[i]);
    if (sum < bestSum) {
      bestSum = sum;
      best = i;
    }
  }
  if (bestSum == 0) return window;
  const ScreenRect& s = screens[best];
  ScreenRect w = window;
  if (w.width > s.width) w.width = s.width;
  if (w.height > s.height) w.height = s.height;
  if (w.Right() > s.Right()) w.left = s.Right() - w.width;
  if (w.Bottom() > s.Bottom()) w.top = s.Bottom() - w.height;
  if (w.left < s.left) w.left = s.left;
  if (w.top < s.top) w.top = s.top;
  if (w.Right() > s.Right()) w.width = s.Right() - w.left;
  if (w.Bottom() > s.Bottom()) w.height = s.Bottom() - w.top;
  return w;
}

}  // namespace ign
