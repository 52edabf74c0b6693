#include "core/mapedit/switch_map.h"

#include <algorithm>
#include <cmath>

#include "core/mapedit/format.h"
#include "core/mapedit/texts.h"

namespace ign {

namespace {

// Boundaries of one axis: at the values over low .. high, or evenly spaced.
int Boundaries(const CAxe& axis, int origin, int length, bool proportional, int32_t low, int32_t high,
               int* out, int capacity) {
  if (axis.collapsed) return 0;
  const int n = std::clamp(axis.count, 0, std::min(axis.capacity, capacity));
  for (int i = 0; i < n; ++i) {
    double fraction = static_cast<double>(i + 1) / (n + 1);
    if (proportional && !axis.IsEnumerated() && high > low)
      fraction = (static_cast<double>(axis.values[static_cast<std::size_t>(i)]) - low) / (high - low);
    out[i] = origin + static_cast<int>(std::clamp(fraction, 0.0, 1.0) * length);
  }
  return n;
}

}  // namespace

SwitchLayout ComputeSwitchLayout(const CSheet& s, const Rect& plot, bool proportional) {
  SwitchLayout l;
  l.plot = plot;
  l.proportional = proportional;
  l.xBoundaries =
      Boundaries(s.x, plot.left, plot.Width(), proportional, 0, s.x.maximum, l.xb.data(), kMaxColumns);
  l.yBoundaries =
      Boundaries(s.y, plot.top, plot.Height(), proportional, s.y.minimum, s.y.maximum, l.yb.data(), kMaxRows);
  l.columns = l.xBoundaries + 1;
  l.rows = l.yBoundaries + 1;
  l.firstColumn = s.x.collapsed ? s.x.collapsedIndex : 0;
  l.firstRow = s.y.collapsed ? s.y.collapsedIndex : 0;
  l.valid = !plot.Empty();
  return l;
}

Rect RegionRect(const SwitchLayout& l, int i, int j) {
  const int left = i == 0 ? l.plot.left : l.xb[static_cast<std::size_t>(i - 1)];
  const int right = i >= l.xBoundaries ? l.plot.right : l.xb[static_cast<std::size_t>(i)];
  const int top = j == 0 ? l.plot.top : l.yb[static_cast<std::size_t>(j - 1)];
  const int bottom = j >= l.yBoundaries ? l.plot.bottom : l.yb[static_cast<std::size_t>(j)];
  return Rect{left, top, std::max(left, right), std::max(top, bottom)};
}

SwitchTarget SwitchHoverAt(const SwitchLayout& l, int x, int y) {
  SwitchTarget t;
  if (!l.valid || !l.proportional) return t;
  const Rect reach{l.plot.left - 5, l.plot.top - 5, l.plot.right + 5, l.plot.bottom + 5};
  if (!reach.Contains(x, y)) return t;
  int best = 5;
  for (int i = 0; i < l.xBoundaries; ++i) {
    const int d = std::abs(x - l.xb[static_cast<std::size_t>(i)]);
    if (d < best) best = d, t = SwitchTarget{1, i};
  }
  for (int j = 0; j < l.yBoundaries; ++j) {
    const int d = std::abs(y - l.yb[static_cast<std::size_t>(j)]);
    if (d < best) best = d, t = SwitchTarget{2, j};
  }
  return t;
}

std::string SwitchStatusText(const CSheet& s, const SwitchTarget& t, bool dragging) {
  if (t.axis == 0) return {};
  const CAxe& axis = t.axis == 1 ? s.x : s.y;
  const std::string prefix = dragging ? Shown(MapText::kDragging) + " " : std::string();
  return prefix + Shown(axis.label) + " = " +
         FormatValue(axis.values[static_cast<std::size_t>(t.index)], axis.scale, axis.suffix,
                     !axis.suffix.empty());
}

bool DragSwitchBoundary(CTabModel& model, const SwitchLayout& l, const SwitchTarget& t, int x, int y,
                        int32_t nowTick) {
  CSheet* s = model.Active();
  if (!s || !s->Usable() || t.axis == 0 || !l.valid) return false;
  CAxe& axis = t.axis == 1 ? s->x : s->y;
  if (!axis.editable || axis.IsEnumerated()) return false;
  const int32_t low = t.axis == 1 ? 0 : axis.minimum;
  const int32_t high = axis.maximum;
  const int length = t.axis == 1 ? l.plot.Width() : l.plot.Height();
  if (high <= low || length <= 0) return false;
  const double perUnit = static_cast<double>(length) / (high - low);
  const double offset = t.axis == 1 ? x - l.plot.left : y - l.plot.top;
  const double value = low + std::floor(std::clamp(offset, -1e6, 1e6) / perUnit + 0.5);
  int32_t& stored = axis.values[static_cast<std::size_t>(t.index)];
  const auto next = static_cast<int32_t>(value);
  if (next != stored) {
    stored = next;
    model.NotifyChange(t.axis == 1 ? Change::kX : Change::kY, Batch::kGesture, nowTick);
  }
  return true;
}

bool ToggleSwitchRegions(CTabModel& model, const SwitchLayout& l, const Rect& band, int32_t nowTick) {
  CSheet* s = model.Active();
  if (!s || !s->Usable() || !s->data.editable || !l.valid) return false;
  bool any = false;
  for (int j = 0; j < l.rows; ++j) {
    for (int i = 0; i < l.columns; ++i) {
      const Rect r = RegionRect(l, i, j);
      if (band.right < r.left || band.left >= r.right || band.bottom < r.top || band.top >= r.bottom)
        continue;
      int32_t& cell = s->data.values[static_cast<std::size_t>(RegionCell(l, i, j))];
      cell = cell == 0 ? 1 : 0;
      any = true;
    }
  }
  if (any) model.NotifyChange(Change::kData, Batch::kReportNow, nowTick);
  return any;
}

}  // namespace ign
