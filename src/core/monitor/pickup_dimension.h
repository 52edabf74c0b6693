#pragma once
// Measured distances between two entries of the curve list. A measurement
// snaps to the entries nearest to the press and the current point, preferring
// the edges or ignitions of the row the press was made on.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/monitor/pickup_curves.h"

namespace ign {

// The drawing's fixed rows (y in pixels from the top of the curve area).
namespace PickupRow {
constexpr int kIgnitionTop = 10, kIgnitionBottom = 100;
constexpr int kPickup1High = 200, kPickup1Low = 250;
constexpr int kPickup2High = 300, kPickup2Low = 350;
}  // namespace PickupRow

enum class MeasureRow { Ignition, Pickup1, Pickup2, Any };

// The row a press at height y belongs to.
MeasureRow RowAt(int y);

enum class EdgeKind { None, Rise, Fall };

// Edge of a pick-up level (PickupSample::kPickup1 or kPickup2) at entry i,
// against the entry before it. End entries carry no edges.
EdgeKind EdgeAt(const CCurveList& list, size_t i, int levelBit);

// The entry nearest to a position: among the row's edges (or ignitions) if
// there are any, otherwise among all sample entries. None for a list without
// sample entries.
std::optional<size_t> NearestEntry(const CCurveList& list, double position, MeasureRow row);

struct Dimension {
  double first = 0;  // positions, first <= second
  double second = 0;
  int32_t firstState = 0;
  int32_t secondState = 0;
  int mouseY = 0;
  bool fallToRise = false;  // from a falling edge to a rising edge of the same pick-up
  double Length() const { return second - first; }
};

// Snaps a measurement from the press to the current point (both as positions,
// the press height as y). None when the list has no sample entries.
std::optional<Dimension> Measure(const CCurveList& list, double pressPosition, double currentPosition,
                                 int pressY, int mouseY);

// "%.1f " or "-%.1f" in degrees; "%.1fms" or "-%.1fms" in time mode.
std::string DimensionLabel(const Dimension& d, PickupMode mode);

// The stored dimensions, at most kCapacity.
class CDimensionList {
 public:
  static constexpr size_t kCapacity = 10;

  bool Add(const Dimension& d);
  bool Remove(size_t i);
  void Clear() { count_ = 0; }
  size_t Size() const { return count_; }
  const Dimension& operator[](size_t i) const { return items_[i]; }

 private:
  std::array<Dimension, kCapacity> items_{};
  size_t count_ = 0;
};

}  // namespace ign
