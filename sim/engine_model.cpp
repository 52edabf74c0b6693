#include "sim/engine_model.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace ign::sim {
namespace {

struct Point {
  std::int64_t t;  // ms into the ride
  int rpm;         // -1: the rev limiter speed
  double throttle;
};

// The ride: 3 s standing, cranking, idle, a run up to the limiter, back to idle, cruising.
constexpr Point kRide[] = {
    {0, 0, 0},        {3000, 0, 0},      {3200, 300, 5},    {4000, 350, 5},    {4600, 1300, 2},
    {12000, 1250, 2}, {16000, 7000, 60}, {18000, -1, 100},  {20000, -1, 100},  {22000, 1400, 0},
    {25000, 1300, 2}, {28000, 4000, 25}, {33000, 5200, 35}, {37000, 3000, 15}, {40000, 1300, 2},
};

}  // namespace

double EngineModel::Jitter(std::int64_t tMs, int channel) const {
  // Deterministic small wobble so that records differ like those of a real engine.
  const double phase = static_cast<double>(seed_ % 997) + channel * 1.7;
  return std::sin(static_cast<double>(tMs) / 173.0 + phase) * 0.6 +
         std::sin(static_cast<double>(tMs) / 61.0) * 0.4;
}

EngineState EngineModel::At(std::int64_t tMs, int limiterRpm) const {
  EngineState s;
  if (tMs < 0) tMs = 0;
  const std::int64_t t = tMs % kRideMs;
  const int lim = std::max(limiterRpm, 1000);
  const auto rpmOf = [&](const Point& p) { return p.rpm < 0 ? lim + 150 : p.rpm; };
  double rpm = 0, thr = 0;
  for (std::size_t i = 0; i + 1 < std::size(kRide); ++i) {
    const Point& a = kRide[i];
    const Point& b = kRide[i + 1];
    if (t >= a.t && t < b.t) {
      const double f = static_cast<double>(t - a.t) / static_cast<double>(b.t - a.t);
      rpm = rpmOf(a) + (rpmOf(b) - rpmOf(a)) * f;
      thr = a.throttle + (b.throttle - a.throttle) * f;
      break;
    }
  }
  if (rpm > 0) rpm += Jitter(tMs, 0) * 25.0;
  s.onLimiter = rpm >= lim;
  if (s.onLimiter) rpm = lim + 40.0 * Jitter(tMs, 1);  // the cut holds the speed around the limiter
  s.rpm = std::max(0, static_cast<int>(std::lround(rpm)));
  s.running = s.rpm > 0;
  s.throttle = std::clamp(thr + (thr > 0 ? Jitter(tMs, 2) * 0.5 : 0.0), 0.0, 100.0);
  // Manifold pressure: deep vacuum at idle, near ambient at full throttle; 100 kPa standing.
  s.pressure = s.running ? static_cast<int>(std::lround(35 + s.throttle * 0.65)) : 100;
  // Battery: resting voltage when standing, a dip while cranking, charging above idle.
  if (!s.running)
    s.batteryMv = 12600;
  else if (s.rpm < 600)
    s.batteryMv = 10400;
  else
    s.batteryMv = static_cast<int>(std::lround(13200 + std::min(s.rpm, 6000) * 0.12 + Jitter(tMs, 3) * 40));
  // Rider switches: input 1 pressed at 26..28 s, input 2 at 30..32 s of the ride.
  s.input1Low = t >= 26000 && t < 28000;
  s.input2Low = t >= 30000 && t < 32000;
  return s;
}

}  // namespace ign::sim
