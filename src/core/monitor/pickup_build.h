#pragma once
// Turns the unread samples of the ring into the curve list.
#include <cstdint>

#include "core/monitor/pickup_curves.h"
#include "core/monitor/pickup_ring.h"

namespace ign {

enum class BuildResult {
  Built,            // the list holds the new picture, the ring is read
  Empty,            // no unread samples
  TooFewBoundaries  // synchronised mode: fewer than four usable cycle boundaries
};

// Synchronised mode: three cycles between the first four boundaries of the
// reference counter, in degrees with 0 at the second boundary, then the two
// end entries (0 and the cycle length). Engine speed from the cycle between
// the second and third boundary. Without four boundaries the list stays as
// it was and the samples stay unread.
BuildResult BuildSynchronised(CPickupRing& ring, uint8_t further, PickupCurves& out);

// Time mode: milliseconds from the trigger (the first rise of pick-up 2, or
// the first sample), over the time span of the unread samples.
BuildResult BuildTimed(CPickupRing& ring, PickupCurves& out);

}  // namespace ign
