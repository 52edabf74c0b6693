#include "core/monitor/pickup_ring.h"

namespace ign {

void CPickupRing::Push(uint32_t sample) {
  samples_[write_] = sample;
  write_ = (write_ + 1) % kSize;
  if (write_ == read_) read_ = (read_ + 1) % kSize;
}

}  // namespace ign
