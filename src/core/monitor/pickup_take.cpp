#include "core/monitor/pickup_take.h"

#include <algorithm>
#include <vector>

#include "core/comm/stream.h"
#include "core/monitor/pickup_sample.h"

namespace ign {

std::optional<TakenStream> TakeStream(uint8_t type, uint8_t further, const uint8_t* data, size_t length,
                                      CPickupRing& ring) {
  if (type != 1 && type != 2) return std::nullopt;
  TakenStream taken;
  taken.mode = type == 1 ? PickupMode::Synchronised : PickupMode::Time;
  taken.further = further;
  if (data == nullptr) length = 0;
  length = std::min<size_t>(length, kStreamBufSize);
  taken.samples = length / 4;
  ring.Restart();
  for (size_t i = 0; i < taken.samples; ++i) ring.Push(PickupSample::Read(data, i * 4));
  return taken;
}

std::optional<TakenStream> TakeStream(StreamShare& share, CPickupRing& ring) {
  if (!share.Waiting()) return std::nullopt;  // the usual tick: no buffer to fill
  std::vector<uint8_t> data(kStreamBufSize);
  uint8_t type = 0, further = 0;
  uint16_t length = 0;
  if (!share.Take(type, length, further, data.data())) return std::nullopt;
  return TakeStream(type, further, data.data(), length, ring);
}

}  // namespace ign
