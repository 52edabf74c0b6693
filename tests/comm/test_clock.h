#pragma once
// Test helpers around the program clock.
#include <chrono>
#include <functional>
#include <thread>

#include "core/base/tick_clock.h"

namespace ign::test {

// Advances the program clock by whole ticks until it has moved at least ms.
inline void AdvanceMs(int ms) {
  for (int done = 0; done < ms; done += kMsPerTick) AdvanceTick();
}

// Ticks the program clock like the main timer (one tick per realMsPerTick of
// real time), calling step after every tick, until done() or the cap in real
// time has passed. Returns done().
inline bool TickUntil(const std::function<bool()>& done, const std::function<void()>& step, int capMs,
                      int realMsPerTick = 55) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(capMs);
  while (!done()) {
    if (Clock::now() >= deadline) return false;
    AdvanceTick();
    if (step) step();
    std::this_thread::sleep_for(std::chrono::milliseconds(realMsPerTick));
  }
  return true;
}

}  // namespace ign::test
