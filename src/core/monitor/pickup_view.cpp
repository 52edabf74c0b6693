#include "core/monitor/pickup_view.h"

#include <algorithm>

namespace ign {

double HorizontalScale(int width, double minimum, double maximum, double zoom) {
  const double range = maximum - minimum;
  if (!(range > 0) || width <= 0) return 0;
  return width / range * zoom;
}

double OriginFromPercent(int width, int leftMargin, int percent) {
  return (width - 2.0 * leftMargin) * percent / 100.0 + leftMargin;
}

double PositionAt(double x, double origin, double scale) { return scale != 0 ? (x - origin) / scale : 0; }

void WheelStep(double& zoom, double& origin, double mouse, bool forward) {
  const double old = zoom;
  zoom = std::clamp(forward ? zoom * 2.0 : zoom * 0.5, PickupZoom::kMin, PickupZoom::kMax);
  origin = mouse - (mouse - origin) * zoom / old;
}

}  // namespace ign
