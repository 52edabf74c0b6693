#pragma once
// The switch-map view of the compact layout: an axis of n values bounds
// n + 1 regions (a collapsed axis has one), each region is a cell of the
// (X + 1) x (Y + 1) map. Boundaries lie evenly spaced, or at the axis
// values (proportional: X over 0 .. X maximum, Y over Y minimum .. maximum,
// Y running top to bottom). Proportional placement needs axis values that
// are numbers: enumerated axes stay evenly spaced. (The switch maps' axes
// are not flagged numeric, yet their values are rpm and load.)
#include <array>
#include <cstdint>
#include <string>

#include "core/mapedit/geometry.h"
#include "core/mapedit/model.h"

namespace ign {

struct SwitchLayout {
  bool valid = false;
  Rect plot;
  bool proportional = false;
  int columns = 1, rows = 1;             // regions along X and Y
  int firstColumn = 0, firstRow = 0;     // cell of the first region (the collapsed index when collapsed)
  int xBoundaries = 0, yBoundaries = 0;  // boundaries drawn (0 on a collapsed axis)
  std::array<int, kMaxColumns> xb{};     // boundary pixels
  std::array<int, kMaxRows> yb{};
};

SwitchLayout ComputeSwitchLayout(const CSheet& sheet, const Rect& plot, bool proportional);
// The region (i, j) spans from boundary i - 1 (or the plot's edge) to boundary i.
Rect RegionRect(const SwitchLayout& layout, int i, int j);
// The cell a region stands for.
inline int RegionCell(const SwitchLayout& layout, int i, int j) {
  return CSheet::CellIndex(layout.firstColumn + i, layout.firstRow + j);
}

struct SwitchTarget {
  int axis = 0;  // 0 none, 1 an X boundary, 2 a Y boundary
  int index = -1;
  bool operator==(const SwitchTarget&) const = default;
};

// The nearest boundary within 5 px (proportional layout only).
SwitchTarget SwitchHoverAt(const SwitchLayout& layout, int x, int y);
// "%s%s = %s": the axis label and the boundary's value, prefixed while dragging.
std::string SwitchStatusText(const CSheet& sheet, const SwitchTarget& target, bool dragging);
// Drags a boundary to a pixel: value = low end + floor(offset / pixels per
// unit + 0.5), normalised with the elastic neighbours, in the gesture
// batch. False when the axis may not change.
bool DragSwitchBoundary(CTabModel& model, const SwitchLayout& layout, const SwitchTarget& target, int x,
                        int y, int32_t nowTick);
// Toggles every region band touches (0 -> 1, anything else -> 0) as one
// edit batch. False when the data may not change or nothing was touched.
bool ToggleSwitchRegions(CTabModel& model, const SwitchLayout& layout, const Rect& band, int32_t nowTick);

}  // namespace ign
