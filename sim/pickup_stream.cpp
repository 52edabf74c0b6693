#include "sim/pickup_stream.h"

#include <algorithm>
#include <cmath>

namespace ign::sim {
namespace {

constexpr double kTicksPerSecond = 2.5e6;  // 0.4 us per time-stamp count
constexpr int kCycles = 5;                 // the program needs four cycle boundaries
constexpr double kStepDeg = 10.0;          // background samples between the edges

struct Event {
  double deg;
  int kind;  // 0 plain sample, 1 level change, 2 ignition
  int channel;
};

bool Inside(double deg, double start, double width, double period) {
  double d = std::fmod(deg - start, period);
  if (d < 0) d += period;
  return d < width;
}

}  // namespace

std::uint8_t PickupStream::Xor() const {
  std::uint8_t x = 0;
  for (auto b : bytes) x ^= b;
  return x;
}

std::uint8_t PickupStream::Sum() const {
  std::uint8_t s = 0;
  for (auto b : bytes) s = static_cast<std::uint8_t>(s + b);
  return s;
}

bool HasSecondPickup(int system) {
  switch (system) {
    case 0:
    case 4:
    case 6:
    case 9:
    case 11:
    case 12:
    case 14:
    case 17:
    case 18: return true;
    default: return false;
  }
}

double CycleDegrees(int cycleCode) {
  switch (cycleCode) {
    case 0: return 720.0;
    case 2: return 180.0;
    case 3: return 120.0;
    default: return 360.0;
  }
}

PickupStream BuildPickupStream(const Image& im, const StreamInput& in) {
  PickupStream s;
  const bool fourStroke = im[adr::kFourStroke] != 0;
  s.cycleCode = static_cast<std::uint8_t>(in.cycleCode >= 0 ? in.cycleCode : fourStroke ? 0 : 1);
  s.type = in.synchronised ? 1 : 2;
  const double cycle = CycleDegrees(s.cycleCode);
  const int lobes = std::clamp<int>(im[adr::kLobeCount], 1, 58);
  const int channels = std::clamp<int>(im[adr::kChannelCount], 1, 4);
  const bool second = HasSecondPickup(im[adr::kPickupSystem]);
  const double lobePitch = 360.0 / lobes;
  const double lobeWidth = std::min(20.0, lobePitch / 2.0);

  std::uint32_t stamp = in.startStamp & 0xFFFFFF;
  const auto push = [&](double ticks, std::uint8_t state) {
    const auto t = static_cast<std::uint32_t>(std::llround(ticks));
    const std::uint32_t word = ((stamp + t) & 0xFFFFFF) | (static_cast<std::uint32_t>(state) << 24);
    for (int i = 0; i < 4; ++i) s.bytes.push_back(static_cast<std::uint8_t>((word >> (8 * i)) & 0xFF));
  };

  if (in.rpm <= 0) {
    // Engine standing: flat levels, one sample per millisecond over 20 ms.
    for (int i = 0; i < 20; ++i) push(i * 2500.0, 0);
    return s;
  }

  const double ticksPerDeg = kTicksPerSecond * 60.0 / (in.rpm * 360.0);
  std::vector<Event> ev;
  const double from = -30.0, to = kCycles * cycle + 30.0;
  for (int i = 0; from + i * kStepDeg < to; ++i) ev.push_back({from + i * kStepDeg, 0, 0});
  for (double rev = std::floor(from / 360.0) * 360.0; rev < to; rev += 360.0) {
    for (int l = 0; l < lobes; ++l) {
      ev.push_back({rev + l * lobePitch, 1, 0});
      ev.push_back({rev + l * lobePitch + lobeWidth, 1, 0});
    }
    if (second) {
      ev.push_back({rev + 330.0, 1, 1});
      ev.push_back({rev + 345.0, 1, 1});
    }
  }
  int spark = 0;
  for (int k = -1; k <= kCycles; ++k) {
    for (int c = 0; c < channels; ++c) {
      const double tdc = k * cycle + c * cycle / channels;
      ++spark;
      if (in.cut && (spark % 2 == 0)) continue;
      ev.push_back({tdc - in.advance[c], 2, c});
    }
  }
  std::sort(ev.begin(), ev.end(), [](const Event& a, const Event& b) { return a.deg < b.deg; });

  for (const Event& e : ev) {
    if (e.deg < from || e.deg >= to) continue;
    const int counter = static_cast<int>(std::floor(e.deg / cycle)) & 3;
    std::uint8_t state = static_cast<std::uint8_t>(counter);
    const double revDeg = e.deg;
    if (Inside(revDeg, 0.0, lobeWidth, lobePitch)) state |= 0x04;
    if (second && Inside(revDeg, 330.0, 15.0, 360.0)) state |= 0x08;
    if (e.kind == 2) state |= static_cast<std::uint8_t>(0x10 << e.channel);
    push((e.deg - from) * ticksPerDeg, state);
  }
  return s;
}

}  // namespace ign::sim
