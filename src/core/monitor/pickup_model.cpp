#include "core/monitor/pickup_model.h"

namespace ign {

bool PickupModel::NoteMode(PickupMode mode) {
  if (mode == modeSeen) return false;
  modeSeen = mode;
  curves.list.Clear();
  dimensions.Clear();
  return true;
}

BuildResult PickupModel::Build(CPickupRing& ring, PickupMode mode, uint8_t further) {
  return mode == PickupMode::Synchronised ? BuildSynchronised(ring, further, curves)
                                          : BuildTimed(ring, curves);
}

}  // namespace ign
