#pragma once
// What the pick-up window shows, apart from the window: the curves, the
// stored dimensions and the mode they belong to.
#include <cstdint>

#include "core/monitor/pickup_build.h"
#include "core/monitor/pickup_curves.h"
#include "core/monitor/pickup_dimension.h"
#include "core/monitor/pickup_ring.h"

namespace ign {

struct PickupModel {
  PickupCurves curves;
  CDimensionList dimensions;
  PickupMode modeSeen = PickupMode::Synchronised;

  // A mode other than the one last seen clears the curves and the
  // dimensions, which belong to the other unit of measure. True when it did.
  bool NoteMode(PickupMode mode);
  // Builds the curve list from the ring in the given mode.
  BuildResult Build(CPickupRing& ring, PickupMode mode, uint8_t further);
};

}  // namespace ign
