// Advance lookup in the unit's own advance maps.
#pragma once

#include "sim/image_layout.h"

namespace ign::sim {

// Advance in degrees from map 1 (second = false) or map 2 at the given speed and load,
// interpolated between the used rpm columns and, in rpm-and-load mode, between load rows.
// In rpm-only mode (no load sensor, or the map's mode byte 0) the last row is used.
double MapAdvance(const Image& im, bool second, int rpm, double load);

// Interpolates y over ascending x points; holds the end values outside.
double Interpolate(const int* xs, const double* ys, int count, double x);

}  // namespace ign::sim
