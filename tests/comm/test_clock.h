#pragma once
// Test helpers around the program clock.
#include <functional>

#include "core/base/tick_clock.h"
#include "tests/support/pacer.h"

namespace ign::test {

// The clock of the objects these tests build (a session's own, here one for the test program).
inline CTickClock& Clock() {
  static CTickClock clock;
  return clock;
}

// Advances the program clock by whole ticks until it has moved at least ms.
inline void AdvanceMs(int ms) {
  for (int done = 0; done < ms; done += kMsPerTick) Clock().Advance();
}

// Ticks the program clock on a timer's schedule (the main timer's 55 ms
// unless an in-memory peer allows a shorter period), calling step after
// every tick, until done() or the (scaled) cap has passed. Returns done().
inline bool TickUntil(const std::function<bool()>& done, const std::function<void()>& step, int capMs,
                      int periodMs = 55) {
  return ign::test::TickUntil(
      done,
      [&] {
        Clock().Advance();
        if (step) step();
      },
      capMs / 1000.0, std::chrono::milliseconds(periodMs));
}

// Exactly n ticks of the program clock on the timer's schedule: for checks
// that something does not happen while the program keeps looking.
inline void RunTicks(int n, const std::function<void()>& step) {
  int ticks = 0;
  ign::test::TickUntil([&] { return ticks >= n; },
                       [&] {
                         Clock().Advance();
                         if (step) step();
                         ++ticks;
                       },
                       n * 0.055 * 20);
}

}  // namespace ign::test
