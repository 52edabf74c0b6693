#pragma once
// The program clock: main-timer ticks, 50 ms each. Every session has its own.
// Only the ticking thread (the GUI timer or the ignctl driver loop) advances
// it; the port and protocol threads only read it.
#include <atomic>
#include <cstdint>

namespace ign {

constexpr int kMsPerTick = 50;

class CTickClock {
 public:
  int32_t Ticks() const { return ticks_.load(std::memory_order_acquire); }
  int64_t Ms() const { return int64_t(Ticks()) * kMsPerTick; }
  void Advance() { ticks_.fetch_add(1, std::memory_order_acq_rel); }
  // Tests put the clock where they need it.
  void Set(int32_t ticks) { ticks_.store(ticks, std::memory_order_release); }

 private:
  std::atomic<int32_t> ticks_{0};
};

}  // namespace ign
