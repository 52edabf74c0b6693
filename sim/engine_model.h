// A small simulated engine: a repeating ride of start, idle, revving, limiter and cruising.
#pragma once

#include <cstdint>

namespace ign::sim {

struct EngineState {
  int rpm = 0;             // 1/min, before the limiter cut
  double throttle = 0;     // percent 0..100
  int pressure = 100;      // manifold pressure, kPa
  int batteryMv = 12600;   // supply voltage, mV
  bool onLimiter = false;  // the rev limiter is cutting
  bool input1Low = false;  // multifunction input 1 grounded
  bool input2Low = false;  // multifunction input 2 grounded
  bool running = false;    // pick-ups see lobes
};

class EngineModel {
 public:
  explicit EngineModel(std::uint32_t seed = 1) : seed_(seed) {}

  // State at t milliseconds after the unit started; limiterRpm is the configured rev limiter.
  EngineState At(std::int64_t tMs, int limiterRpm) const;

  // Length of one ride; the profile repeats after it.
  static constexpr std::int64_t kRideMs = 40000;

 private:
  double Jitter(std::int64_t tMs, int channel) const;
  std::uint32_t seed_;
};

}  // namespace ign::sim
