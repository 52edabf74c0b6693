// A plausible settings block for a fresh simulated unit.
#pragma once

#include "sim/image_layout.h"

namespace ign::sim {

// Two-channel single-cylinder-per-channel setup with a throttle sensor, a fuel pump on
// output 1 and a gear shift light on output 2; values stay inside the program's limits.
Image DefaultImage();

}  // namespace ign::sim
