#include "sim/fault_plan.h"

namespace ign::sim {

Outgoing FaultPlan::Shape(Reply reply) {
  Outgoing out;
  if (reply.frame.empty()) return out;
  ++answers_;
  if (s_.dropEvery > 0 && answers_ % static_cast<std::uint64_t>(s_.dropEvery) == 0) return out;
  if (s_.corruptEvery > 0 && answers_ % static_cast<std::uint64_t>(s_.corruptEvery) == 0)
    reply.frame.back() ^= 0x5A;
  if (s_.noise) {
    // Short-family receivers skip bytes with bit 7 clear between frames; header-family
    // receivers hunt for the frame start, so any byte will do there.
    const int count = 1 + static_cast<int>(rng_() % 8);
    for (int i = 0; i < count; ++i) {
      std::uint8_t b = static_cast<std::uint8_t>(rng_() & 0xFF);
      if (!s_.headerFamily) b &= 0x7F;
      out.bytes.push_back(b);
    }
  }
  out.bytes.insert(out.bytes.end(), reply.frame.begin(), reply.frame.end());
  if (!reply.stream.empty()) {
    ++streams_;
    if (s_.corruptStreamEvery > 0 && streams_ % static_cast<std::uint64_t>(s_.corruptStreamEvery) == 0)
      reply.stream[reply.stream.size() / 2] ^= 0x01;
    out.bytes.insert(out.bytes.end(), reply.stream.begin(), reply.stream.end());
  }
  ++sent_;
  out.hangup = s_.hangupAfter > 0 && sent_ >= static_cast<std::uint64_t>(s_.hangupAfter);
  return out;
}

}  // namespace ign::sim
