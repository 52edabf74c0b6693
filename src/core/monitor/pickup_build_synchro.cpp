#include <array>

#include "core/monitor/pickup_build.h"
#include "core/monitor/pickup_sample.h"

namespace ign {
namespace {

constexpr int kBoundaries = 4;

struct Boundaries {
  int found = 0;
  std::array<size_t, kBoundaries> index{};  // ring offset of the boundary sample
  std::array<int64_t, kBoundaries> time{};  // extended stamp of it
};

Boundaries FindBoundaries(const CPickupRing& ring) {
  Boundaries b;
  CSampleExtender ext;
  const size_t n = ring.Unread();
  for (size_t i = 0; i < n && b.found < kBoundaries; ++i) {
    const auto step = ext.Next(ring.At(i));
    if (!step.boundary) continue;
    b.index[b.found] = i;
    b.time[b.found] = step.time;
    ++b.found;
  }
  return b;
}

}  // namespace

BuildResult BuildSynchronised(CPickupRing& ring, uint8_t further, PickupCurves& out) {
  const int32_t d = CycleLength(further);
  out.cycleLength = d;
  out.minimum = -d / 2.0;
  out.maximum = 1.5 * d;
  if (ring.Empty()) return BuildResult::Empty;

  const Boundaries b = FindBoundaries(ring);
  if (b.found < kBoundaries) return BuildResult::TooFewBoundaries;
  // Cycle k (1..3) runs from boundary k to boundary k + 1.
  std::array<int64_t, kBoundaries - 1> duration{};
  for (int k = 0; k < kBoundaries - 1; ++k) {
    duration[k] = b.time[k + 1] - b.time[k];
    // Two boundaries on one stamp give no cycle to scale by.
    if (duration[k] <= 0) return BuildResult::TooFewBoundaries;
  }

  out.engineSpeed = 60.0 / (static_cast<double>(duration[1]) * PickupSample::kSecondsPerCount) * d / 360.0;
  out.list.Clear();
  CSampleExtender ext;
  const size_t room = CCurveList::kCapacity - 2;  // the two end entries always fit
  int cycle = 0;                                  // boundaries passed
  for (size_t i = 0; i < b.index[kBoundaries - 1]; ++i) {
    const uint32_t sample = ring.At(i);
    const auto step = ext.Next(sample);
    if (cycle < kBoundaries - 1 && i == b.index[cycle]) ++cycle;
    if (cycle == 0) continue;
    if (out.list.Size() >= room) break;
    const double within =
        static_cast<double>(step.time - b.time[cycle - 1]) / static_cast<double>(duration[cycle - 1]);
    out.list.Append(within * d + (cycle - 2) * d, PickupSample::State(sample));
  }
  ring.Consume();
  out.list.Append(0.0, CurveMark::kCycleStart);
  out.list.Append(d, CurveMark::kCycleEnd);
  out.newData = true;
  return BuildResult::Built;
}

}  // namespace ign
