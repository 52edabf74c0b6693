#pragma once
// Moves a completed pick-up stream into the sample ring.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/monitor/pickup_curves.h"
#include "core/monitor/pickup_ring.h"

namespace ign {

struct StreamShare;

struct TakenStream {
  PickupMode mode = PickupMode::Synchronised;
  uint8_t further = 0;  // selects the cycle length in synchronised mode
  size_t samples = 0;
};

// Stream type 1 (synchronised) and 2 (time) are taken: the ring restarts at
// its write index and receives length / 4 samples (a partial tail is
// ignored). Other types leave the ring alone and give nothing.
std::optional<TakenStream> TakeStream(uint8_t type, uint8_t further, const uint8_t* data, size_t length,
                                      CPickupRing& ring);

// Takes the completed stream of the link, if one waits, and frees it.
std::optional<TakenStream> TakeStream(StreamShare& share, CPickupRing& ring);

}  // namespace ign
