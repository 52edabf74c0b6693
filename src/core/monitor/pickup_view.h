#pragma once
// The horizontal mapping of the pick-up drawing and its wheel zoom.
namespace ign {

namespace PickupZoom {
constexpr double kMin = 1.0;
constexpr double kMax = 1024.0;
}  // namespace PickupZoom

// Pixels per unit (degree or ms) for a drawing `width` pixels wide; 0 for an
// empty range.
double HorizontalScale(int width, double minimum, double maximum, double zoom);

// The horizontal origin at zoom 1: `percent` of the width inside the margins.
double OriginFromPercent(int width, int leftMargin, int percent);

// A position drawn at x, and back.
inline double XOf(double position, double origin, double scale) { return origin + position * scale; }
double PositionAt(double x, double origin, double scale);

// One wheel step on one axis: the zoom doubles (forward) or halves within
// 1..1024, and the origin moves so that the point under the mouse stays put.
void WheelStep(double& zoom, double& origin, double mouse, bool forward);

}  // namespace ign
