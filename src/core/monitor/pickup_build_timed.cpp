#include "core/monitor/pickup_build.h"
#include "core/monitor/pickup_sample.h"

namespace ign {
namespace {

// Extended time of the first rise of pick-up 2 (or of the first sample) and
// the time span of the unread samples.
struct Span {
  int64_t first = 0;
  int64_t trigger = 0;
  int64_t last = 0;
};

Span Measure(const CPickupRing& ring) {
  Span s;
  CSampleExtender ext;
  bool triggered = false;
  int before = 0;
  const size_t n = ring.Unread();
  for (size_t i = 0; i < n; ++i) {
    const uint32_t sample = ring.At(i);
    const auto step = ext.Next(sample);
    const int state = PickupSample::State(sample);
    if (i == 0) s.first = s.trigger = step.time;
    if (!triggered && i > 0 && (state & PickupSample::kPickup2) && !(before & PickupSample::kPickup2)) {
      s.trigger = step.time;
      triggered = true;
    }
    before = state;
    s.last = step.time;
  }
  return s;
}

}  // namespace

BuildResult BuildTimed(CPickupRing& ring, PickupCurves& out) {
  if (ring.Empty()) return BuildResult::Empty;
  const Span span = Measure(ring);
  // The range covers the time the samples span (at least 1 ms), so they fill the width.
  const double spanMs = static_cast<double>(span.last - span.first) * PickupSample::kMsPerCount;
  out.minimum = 0;
  out.maximum = spanMs < 1.0 ? 1.0 : spanMs;
  out.engineSpeed = 0;
  out.secondValue = 0;
  out.list.Clear();

  CSampleExtender ext;
  const size_t n = ring.Unread();
  for (size_t i = 0; i < n && !out.list.Full(); ++i) {
    const uint32_t sample = ring.At(i);
    const double ms = static_cast<double>(ext.Next(sample).time - span.trigger) * PickupSample::kMsPerCount;
    if (ms > out.maximum) break;
    out.list.Append(ms, PickupSample::State(sample));
  }
  ring.Consume();
  out.newData = true;
  return BuildResult::Built;
}

}  // namespace ign
