#pragma once
// Driving the program clock in tests that talk to a real peer (a simulated
// unit on a pseudo-terminal): a tick every 55 ms of steady time, on a
// schedule, as the window's timer gives them, while a condition is awaited.
// The program's time-outs count ticks, so the clock must keep the peer's
// pace; nothing here waits a fixed time for a result.
//
// Every cap is a hard limit multiplied by IGN_TEST_TIME_SCALE (default 1), so
// a loaded or instrumented machine (sanitizers) can be given more room
// without touching the tests.
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

namespace ign::test {

inline double TimeScale() {
  const char* s = std::getenv("IGN_TEST_TIME_SCALE");
  const double v = s ? std::atof(s) : 1.0;
  return v > 0 ? v : 1.0;
}

inline std::chrono::milliseconds ScaledCap(double seconds) {
  return std::chrono::milliseconds(static_cast<long long>(seconds * 1000 * TimeScale()));
}

constexpr std::chrono::milliseconds kTimerPeriod{55};

// Calls tick() on the timer's schedule until done() holds or the scaled cap
// has passed; returns done(). A late tick is not made up for, as a timer
// does not make up for one either.
inline bool TickUntil(const std::function<bool()>& done, const std::function<void()>& tick, double capSeconds,
                      std::chrono::milliseconds period = kTimerPeriod) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + ScaledCap(capSeconds);
  auto next = Clock::now();
  while (!done()) {
    const auto now = Clock::now();
    if (now >= deadline) return done();
    if (now >= next) {
      tick();
      next = std::max(next + period, now);
      continue;
    }
    std::this_thread::sleep_until(std::min(next, deadline));
  }
  return true;
}

}  // namespace ign::test
