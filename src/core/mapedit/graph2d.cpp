#include "core/mapedit/graph2d.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <span>

#include "core/base/checked_math.h"
namespace ign {

namespace {

std::string Fixed(double v, int decimals) {
  if (!std::isfinite(v)) return "?";
  if (std::fabs(v) < 0.5 * std::pow(10.0, -decimals)) v = 0.0;  // never "-0"
  char buffer[400];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
  return std::string(buffer, r.ec == std::errc() ? r.ptr : buffer);
}

int32_t ToStored(double v) {
  if (std::isnan(v)) return 0;
  constexpr double lo = std::numeric_limits<int32_t>::min() / 2, hi = std::numeric_limits<int32_t>::max() / 2;
  return static_cast<int32_t>(std::clamp(v, lo, hi));
}

int32_t Round(double v) { return ToStored(std::round(v)); }

// Sheets drawn together with the active one on an axis role.
template <typename Axis>
bool SharesRange(const CSheet& active, const CSheet& other, Axis axisOf) {
  if (&active == &other) return true;
  const CAxe& a = axisOf(active);
  const CAxe& o = axisOf(other);
  return other.Usable() && (a.overlayGroup & o.overlayGroup) != 0 && a.numeric == o.numeric;
}

template <typename Axis>
void AxisSpan(const CTabModel& model, Axis axisOf, int32_t& low, int32_t& high) {
  const CSheet& active = *model.Active();
  low = std::numeric_limits<int32_t>::max();
  high = std::numeric_limits<int32_t>::min();
  for (int s = 0; s < model.SheetCount(); ++s) {
    const CSheet& sheet = model.Sheet(s);
    if (!SharesRange(active, sheet, axisOf)) continue;
    const CAxe& axis = axisOf(sheet);
    const int n = std::clamp(axis.count, 1, axis.capacity);
    for (int i = 0; i < n; ++i) {
      const int32_t v = axis.numeric ? axis.values[static_cast<std::size_t>(i)] : i;
      low = std::min(low, v);
      high = std::max(high, v);
    }
  }
}

void Widen(GraphRange& r, double scale, const CAxeGridRule& rule, bool downwards) {
  const double spacing = std::fabs(scale) > 0 ? rule.gridSpacing / std::fabs(scale) : 2.0;
  const int32_t least = std::max<int32_t>(2, ToStored(std::ceil(spacing - 1e-9)));
  if (r.high - r.low >= least) return;
  if (downwards) {
    r.low = r.high - least;
  } else {
    r.high = r.low + least;
  }
}

void Include(GraphRange& r, int32_t v) {
  r.low = std::min(r.low, v);
  r.high = std::max(r.high, v);
}

double DisplayWidth(const GraphRange& r) { return std::fabs(r.scale) * (r.high - r.low); }

}  // namespace

// Steps 3, 5 and 6 for one axis range (markers already included).
void FinishGraphRange(GraphRange& r, const CAxe& axis, bool downwards) {
  const int32_t valuesLow = r.low, valuesHigh = r.high;
  Widen(r, r.scale, GraphRule(axis, DisplayWidth(r)), downwards);
  r.rule = GraphRule(axis, DisplayWidth(r));
  if (r.numeric) RoundOutwards(r, r.rule.rangeUnit, valuesLow >= 0, valuesHigh <= 0);
}

std::string GraphNumber(double b, double v) {
  if (b < 0.001) return Fixed(v * 1000.0, 2) + "m";
  if (b < 0.01) return Fixed(v * 1000.0, 0) + "m";
  if (b < 0.1) return Fixed(v, 2);
  if (b < 1) return Fixed(v, 1);
  if (b < 1000) return Fixed(v, 0);
  if (b < 1000000) return Fixed(v / 1000.0, 0) + "k";
  return Fixed(v / 1000000.0, 0) + "M";
}

CAxeGridRule GraphRule(const CAxe& axis, double width) {
  if (!axis.numeric) return CAxeGridRule{width, 1.0, 1.0, 1.0, 1.0};
  if (axis.gridRuleCount > 0) {
    const int i = GridRuleInForce(
        std::span(axis.gridRules.data(), static_cast<std::size_t>(axis.gridRuleCount)), width);
    return axis.gridRules[static_cast<std::size_t>(i)];
  }
  double step = std::fabs(axis.scale) > 0 ? std::fabs(axis.scale) : 1.0;
  if (width > 0 && std::isfinite(width)) {
    const double raw = width / 10.0;
    const double power = CheckedPow(10.0, std::floor(CheckedLog10(raw)));
    const double m = raw / power;
    step = std::max(step, (m <= 1.0 ? 1.0 : m <= 2.0 ? 2.0 : m <= 5.0 ? 5.0 : 10.0) * power);
  }
  return CAxeGridRule{width, step, step, step, step};
}

void RoundOutwards(GraphRange& r, double unit, bool nonNegative, bool nonPositive) {
  const double s = r.scale;
  if (!(unit > 0) || s == 0 || !std::isfinite(s)) return;
  double low = unit * std::floor((s * r.low - 0.2 * unit) / unit) / s;
  double high = unit * std::ceil((s * r.high + 0.2 * unit) / unit) / s;
  if (s < 0) std::swap(low, high);
  if (nonNegative) low = std::max(low, 0.0);
  if (nonPositive) high = std::min(high, 0.0);
  r.low = Round(low);
  r.high = std::max(Round(high), r.low + 1);
}

const CAxe& HorizontalAxis(const CSheet& sheet, const Graph2D& g) { return g.swap ? sheet.y : sheet.x; }
CAxe& HorizontalAxis(CSheet& sheet, const Graph2D& g) { return g.swap ? sheet.y : sheet.x; }
const CAxe& CurveAxis(const CSheet& sheet, const Graph2D& g) { return g.swap ? sheet.x : sheet.y; }
int CellIndexOf(const Graph2D& g, int i, int ci) {
  return g.swap ? CSheet::CellIndex(ci, i) : CSheet::CellIndex(i, ci);
}

Graph2D ComputeGraph2D(const CTabModel& model, const Rect& area) {
  Graph2D g;
  const CSheet* sheet = model.Active();
  if (!sheet) return g;
  const CSheet& s = *sheet;
  g.swap = (s.flags & SheetFlag::kSwapAxes) != 0;
  // With only the curve axis in use, it becomes the horizontal axis.
  if (HorizontalAxis(s, g).collapsed && !CurveAxis(s, g).collapsed) g.swap = !g.swap;
  const CAxe& H = HorizontalAxis(s, g);
  const CAxe& C = CurveAxis(s, g);
  g.pointFirst = H.collapsed ? H.collapsedIndex : 0;
  g.points = H.collapsed ? 1 : std::clamp(H.count, 1, H.capacity);
  g.curveFirst = C.collapsed ? C.collapsedIndex : 0;
  g.curves = C.collapsed ? 1 : std::clamp(C.count, 1, C.capacity);
  g.rpm = !g.swap && s.x.label == "RPM";
  g.baseMarker = g.rpm && (s.flags & SheetFlag::kBaseAdvanceMarker);
  g.limiterMarker = g.rpm && (s.flags & SheetFlag::kLimiterMarker);
  g.startMarker = g.rpm && (s.flags & SheetFlag::kStartLimiterMarker);

  const bool swap = g.swap;
  const auto hOf = [swap](const CSheet& x) -> const CAxe& { return swap ? x.y : x.x; };
  const auto cOf = [swap](const CSheet& x) -> const CAxe& { return swap ? x.x : x.y; };
  g.h.numeric = H.numeric != 0;
  g.h.scale = g.h.numeric ? H.scale : 1.0;
  AxisSpan(model, hOf, g.h.low, g.h.high);
  g.c.numeric = C.numeric != 0;
  g.c.scale = g.c.numeric ? C.scale : 1.0;
  AxisSpan(model, cOf, g.c.low, g.c.high);

  // Data over the used cells of the sheets whose data share a range.
  g.d.scale = s.data.scale;
  g.d.low = std::numeric_limits<int32_t>::max();
  g.d.high = std::numeric_limits<int32_t>::min();
  const auto dOf = [](const CSheet& x) -> const CAxe& { return x.data; };
  for (int n = 0; n < model.SheetCount(); ++n) {
    const CSheet& each = model.Sheet(n);
    if (!SharesRange(s, each, dOf)) continue;
    for (int r = each.ShownRowBegin(); r < std::min(each.ShownRowEnd(), each.y.count); ++r) {
      for (int c = each.ShownColumnBegin(); c < std::min(each.ShownColumnEnd(), each.x.count); ++c)
        Include(g.d, each.Cell(c, r));
    }
  }
  if (g.d.low > g.d.high) g.d.low = g.d.high = 0;
  // Comparison curves are drawn on the same axes, so they widen the ranges too.
  if (!H.comparison.empty() && !s.data.comparison.empty()) {
    for (int k = 0; k < g.curves; ++k) {
      for (int i = g.pointFirst; i < g.pointFirst + g.points; ++i) {
        const auto cell = static_cast<std::size_t>(CellIndexOf(g, i, g.curveFirst + k));
        if (static_cast<std::size_t>(i) >= H.comparison.size() || cell >= s.data.comparison.size()) continue;
        if (H.numeric) Include(g.h, H.comparison[static_cast<std::size_t>(i)]);
        Include(g.d, s.data.comparison[cell]);
      }
    }
  }

  const Markers& m = model.MarkerValues();
  if (g.baseMarker) {
    g.h.low = std::min(g.h.low, 0);
    if (s.data.scale != 0) Include(g.d, Round(m.baseAdvance / s.data.scale));
  }
  if (H.scale != 0) {
    if (g.limiterMarker) Include(g.h, Round(m.limiter / H.scale));
    if (g.startMarker) Include(g.h, Round(m.startLimiter / H.scale));
  }
  const bool downwards = s.data.maximum <= 0;
  FinishGraphRange(g.h, H, false);
  FinishGraphRange(g.c, C, false);
  const int32_t maxFirstSeen = [&] {
    int32_t top = std::numeric_limits<int32_t>::min();
    for (int i = 0; i < g.points; ++i)
      top = std::max(top, s.data.values[CellIndexOf(g, g.pointFirst + i, g.curveFirst)]);
    return top;
  }();
  FinishGraphRange(g.d, s.data, downwards);
  const double unit = g.d.rule.rangeUnit, ds = g.d.scale != 0 ? g.d.scale : 1.0;
  const int32_t least = std::max<int32_t>(1, Round(unit / std::fabs(ds)));
  if (g.d.high - g.d.low < least) {
    if (downwards) {
      g.d.low = g.d.high - least;
    } else {
      g.d.high = g.d.low + least;
    }
  }
  g.dataTop = g.d.high;
  if (g.curves > 1) {
    int32_t rise = std::numeric_limits<int32_t>::min();
    for (int k = 0; k + 1 < g.curves; ++k) {
      for (int i = 0; i < g.points; ++i) {
        const int p = g.pointFirst + i;
        rise = std::max(rise, s.data.values[CellIndexOf(g, p, g.curveFirst + k + 1)] -
                                  s.data.values[CellIndexOf(g, p, g.curveFirst + k)]);
      }
    }
    const double offset = std::ceil((ds * rise + unit / 2.0) / unit) * unit / ds;
    g.curveOffset = std::max(least, Round(offset));
    const double firstTop = std::ceil((ds * maxFirstSeen + 0.2 * unit) / unit) * unit / ds;
    g.dataTop = (g.curves - 1) * g.curveOffset + std::min(g.d.high, Round(firstTop));
  }
  if (g.dataTop <= g.d.low) g.dataTop = g.d.low + 1;

  g.area = area;
  g.left = area.left + 45;
  g.bottom = area.bottom - 18;
  g.width = std::max(1, area.Width() - 75 + (g.curves == 1 ? 15 : 0));
  g.height = std::max(1, area.Height() - 26);
  g.hf = static_cast<double>(g.width) / std::max(1, g.h.Width());
  g.vf = static_cast<double>(g.height) / std::max(1, g.dataTop - g.d.low);
  g.valid = true;
  return g;
}

double XOfValue(const Graph2D& g, int32_t value) {
  return g.left + (static_cast<double>(value) - g.h.low) * g.hf;
}

double YOfValue(const Graph2D& g, int32_t value, int k) {
  const double lift = static_cast<double>(g.curves - k - 1) * g.curveOffset;
  return g.bottom - (static_cast<double>(value) - g.d.low + lift) * g.vf;
}

double PointX(const Graph2D& g, const CSheet& sheet, int i) {
  const CAxe& H = HorizontalAxis(sheet, g);
  return XOfValue(g, H.numeric ? H.values[static_cast<std::size_t>(i)] : i);
}

double PointY(const Graph2D& g, const CSheet& sheet, int i, int k) {
  return YOfValue(g, sheet.data.values[static_cast<std::size_t>(CellIndexOf(g, i, CurveIndex(g, k)))], k);
}

int32_t LeadInValue(const Graph2D& g, const CTabModel& model, int k) {
  const CSheet& s = *model.Active();
  if (g.baseMarker && s.data.scale != 0) return Round(model.MarkerValues().baseAdvance / s.data.scale);
  return s.data.values[static_cast<std::size_t>(CellIndexOf(g, g.pointFirst, CurveIndex(g, k)))];
}

int32_t HorizontalValueAt(const Graph2D& g, double x) {
  return ToStored(g.h.low + std::floor((x - g.left) / g.hf + 0.5));
}

int32_t DataValueAt(const Graph2D& g, double y, int k) {
  return ToStored(g.d.low - std::floor((y - g.bottom) / g.vf + 0.5) -
                  static_cast<double>(g.curves - k - 1) * g.curveOffset);
}

}  // namespace ign
