#include "core/monitor/pickup_dimension.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "core/monitor/pickup_sample.h"

namespace ign {
namespace {

// Halfway between the rows' centres.
constexpr int kIgnitionToPickup1 = (PickupRow::kIgnitionBottom + PickupRow::kPickup1High) / 2;
constexpr int kPickup1ToPickup2 = (PickupRow::kPickup1Low + PickupRow::kPickup2High) / 2;
constexpr int kBelowRows = PickupRow::kPickup2Low + 50;

bool IsSample(const CCurveList& list, size_t i) { return !CurveMark::IsEnd(list[i].state); }

bool Preferred(const CCurveList& list, size_t i, MeasureRow row) {
  switch (row) {
    case MeasureRow::Ignition: return PickupSample::IsIgnition(list[i].state);
    case MeasureRow::Pickup1: return EdgeAt(list, i, PickupSample::kPickup1) != EdgeKind::None;
    case MeasureRow::Pickup2: return EdgeAt(list, i, PickupSample::kPickup2) != EdgeKind::None;
    case MeasureRow::Any: return false;
  }
  return false;
}

std::optional<size_t> Nearest(const CCurveList& list, double position, MeasureRow row, bool preferredOnly) {
  std::optional<size_t> best;
  double bestDistance = 0;
  for (size_t i = 0; i < list.Size(); ++i) {
    if (!IsSample(list, i)) continue;
    if (preferredOnly && !Preferred(list, i, row)) continue;
    const double distance = std::fabs(list[i].position - position);
    if (!best || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

int LevelBit(MeasureRow row) {
  if (row == MeasureRow::Pickup1) return PickupSample::kPickup1;
  if (row == MeasureRow::Pickup2) return PickupSample::kPickup2;
  return 0;
}

}  // namespace

MeasureRow RowAt(int y) {
  if (y < kIgnitionToPickup1) return MeasureRow::Ignition;
  if (y < kPickup1ToPickup2) return MeasureRow::Pickup1;
  if (y < kBelowRows) return MeasureRow::Pickup2;
  return MeasureRow::Any;
}

EdgeKind EdgeAt(const CCurveList& list, size_t i, int levelBit) {
  if (i == 0 || i >= list.Size() || !IsSample(list, i) || !IsSample(list, i - 1)) return EdgeKind::None;
  const bool now = (list[i].state & levelBit) != 0;
  const bool before = (list[i - 1].state & levelBit) != 0;
  if (now == before) return EdgeKind::None;
  return now ? EdgeKind::Rise : EdgeKind::Fall;
}

std::optional<size_t> NearestEntry(const CCurveList& list, double position, MeasureRow row) {
  if (row != MeasureRow::Any) {
    if (auto i = Nearest(list, position, row, true)) return i;
  }
  return Nearest(list, position, row, false);
}

std::optional<Dimension> Measure(const CCurveList& list, double pressPosition, double currentPosition,
                                 int pressY, int mouseY) {
  const MeasureRow row = RowAt(pressY);
  auto a = NearestEntry(list, pressPosition, row);
  auto b = NearestEntry(list, currentPosition, row);
  if (!a || !b) return std::nullopt;
  if (list[*b].position < list[*a].position) std::swap(a, b);
  Dimension d;
  d.first = list[*a].position;
  d.second = list[*b].position;
  d.firstState = list[*a].state;
  d.secondState = list[*b].state;
  d.mouseY = mouseY;
  const int bit = LevelBit(row);
  d.fallToRise =
      bit != 0 && EdgeAt(list, *a, bit) == EdgeKind::Fall && EdgeAt(list, *b, bit) == EdgeKind::Rise;
  return d;
}

std::string DimensionLabel(const Dimension& d, PickupMode mode) {
  const char* format = nullptr;
  if (mode == PickupMode::Synchronised)
    format = d.fallToRise ? "-%.1f" : "%.1f ";
  else
    format = d.fallToRise ? "-%.1fms" : "%.1fms";
  char text[64];
  std::snprintf(text, sizeof text, format, std::fabs(d.Length()));
  return text;
}

bool CDimensionList::Add(const Dimension& d) {
  if (count_ == kCapacity) return false;
  items_[count_++] = d;
  return true;
}

bool CDimensionList::Remove(size_t i) {
  if (i >= count_) return false;
  for (size_t k = i + 1; k < count_; ++k) items_[k - 1] = items_[k];
  --count_;
  return true;
}

}  // namespace ign
