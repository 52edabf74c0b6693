#pragma once
// The program clock: main-timer ticks, 50 ms each. Only the ticking thread
// (the GUI timer or the ignctl driver loop) advances it; every other thread
// only reads it.
#include <atomic>
#include <cstdint>

namespace ign {

constexpr int kMsPerTick = 50;

inline std::atomic<int32_t>& TickCounter() {
  static std::atomic<int32_t> ticks{0};
  return ticks;
}

inline int32_t Ticks() { return TickCounter().load(std::memory_order_acquire); }
inline int64_t TickMs() { return int64_t(Ticks()) * kMsPerTick; }
inline void AdvanceTick() { TickCounter().fetch_add(1, std::memory_order_acq_rel); }

}  // namespace ign
