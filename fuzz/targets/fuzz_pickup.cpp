#include "fuzz/targets/fuzz_pickup.h"
#include "fuzz/targets/fuzz_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/comm/stream.h"
#include "core/monitor/pickup_model.h"
#include "core/monitor/pickup_take.h"

namespace ign::fuzz {

namespace {

void CheckList(const PickupCurves& c) {
  FUZZ_CHECK(c.list.Size() <= CCurveList::kCapacity);
  for (const CurveEntry& e : c.list) FUZZ_CHECK(std::isfinite(e.position));
  FUZZ_CHECK(std::isfinite(c.engineSpeed) && c.engineSpeed >= 0);
}

}  // namespace

int PickupStreams(const uint8_t* data, size_t size) {
  CPickupRing ring;
  PickupModel model;
  size_t at = 0;
  while (at + 3 <= size) {
    const uint8_t type = data[at], further = data[at + 1];
    // Length in bytes: the byte times 64 (16 samples), plus up to three stray bytes.
    const size_t wanted = size_t(data[at + 2]) * 64 + (type & 3);
    at += 3;
    const size_t length = std::min(wanted, size - at);
    const auto taken = TakeStream(type, further, data + at, length, ring);
    at += length;
    FUZZ_CHECK(taken.has_value() == (type == 1 || type == 2));
    if (!taken) continue;
    const size_t samples =
        std::min<size_t>(length, kStreamBufSize) / 4;  // longer streams never come from the link
    FUZZ_CHECK(taken->samples == samples);
    FUZZ_CHECK(ring.Unread() == std::min(samples, CPickupRing::kSize - 1));

    const PickupCurves before = model.curves;
    model.NoteMode(taken->mode);
    const bool modeKept = before.list.Size() == model.curves.list.Size();
    const BuildResult r = model.Build(ring, taken->mode, taken->further);
    CheckList(model.curves);
    if (r == BuildResult::Built) {
      FUZZ_CHECK(ring.Empty());
      if (taken->mode == PickupMode::Synchronised) {
        const size_t n = model.curves.list.Size();
        FUZZ_CHECK(n >= 2);
        FUZZ_CHECK(model.curves.list[n - 2].state == CurveMark::kCycleStart);
        FUZZ_CHECK(model.curves.list[n - 1].state == CurveMark::kCycleEnd);
      }
    } else if (modeKept) {
      // A build that failed leaves the picture as it was.
      FUZZ_CHECK(model.curves.list.Size() == before.list.Size());
    }
    // Measuring anywhere over the picture.
    for (double p : {model.curves.minimum, 0.0, model.curves.maximum, 1e9}) {
      for (int y : {50, 225, 325, 500}) {
        if (const auto d = Measure(model.curves.list, p, -p, y, y)) {
          FUZZ_CHECK(d->first <= d->second);
          FUZZ_CHECK(!DimensionLabel(*d, taken->mode).empty());
          model.dimensions.Add(*d);
        }
      }
    }
    FUZZ_CHECK(model.dimensions.Size() <= CDimensionList::kCapacity);
  }
  return 0;
}

}  // namespace ign::fuzz

#ifdef IGN_FUZZ_PICKUP_MAIN
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return ign::fuzz::PickupStreams(data, size);
}
#endif
