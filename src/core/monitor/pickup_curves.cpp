#include "core/monitor/pickup_curves.h"

namespace ign {

bool CCurveList::Append(double position, int32_t state) {
  if (Full()) return false;
  entries_[count_++] = {position, state};
  return true;
}

int32_t CycleLength(uint8_t further) {
  switch (further) {
    case 0: return 720;
    case 2: return 180;
    case 3: return 120;
    default: return 360;
  }
}

}  // namespace ign
