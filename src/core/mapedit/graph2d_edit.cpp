#include "core/mapedit/graph2d_edit.h"

#include <algorithm>

#include <cmath>
#include <vector>

#include "core/base/checked_math.h"
#include "core/mapedit/commands.h"
#include "core/mapedit/format.h"
#include "core/mapedit/selection.h"
#include "core/mapedit/texts.h"

namespace ign {

namespace {

int Distance(int x0, int y0, int x1, int y1) {
  const double dx = x1 - x0, dy = y1 - y0;
  return static_cast<int>(CheckedSqrt(dx * dx + dy * dy));
}

unsigned HorizontalChange(const Graph2D& g) { return g.swap ? Change::kY : Change::kX; }

bool PointSelected(const CSheet& s, const Graph2D& g, int i, int k) {
  return SelKind::OnCells(s.sel.kind) &&
         (s.sel.cellState[static_cast<std::size_t>(CellIndexOf(g, i, CurveIndex(g, k)))] & SelBit::kSelected);
}

double MarkerX(const CTabModel& model, const Graph2D& g, int32_t rpm) {
  const double scale = HorizontalAxis(*model.Active(), g).scale;
  return scale != 0 ? XOfValue(g, static_cast<int32_t>(std::lround(rpm / scale))) : g.left;
}

std::string ValueText(const CAxe& axis, int32_t value, double scale) {
  return FormatValue(value, scale, axis.suffix, !axis.suffix.empty());
}

std::string Pair(const CAxe& axis, int32_t value, double scale) {
  return Shown(axis.label) + " = " + ValueText(axis, value, scale);
}

std::string Marker(const char* packed, int32_t value, const std::string& suffix) {
  return Shown(packed) + " = " + FormatValue(value, 1.0, suffix, !suffix.empty());
}

}  // namespace

GraphHover GraphHoverAt(const CTabModel& model, const Graph2D& g, int x, int y) {
  GraphHover out;
  const CSheet* s = model.Active();
  if (!s || !g.valid) return out;
  int best = 1 << 30;
  for (int k = 0; k < g.curves; ++k) {
    if (g.baseMarker) {
      const int d = Distance(x, y, g.left, static_cast<int>(YOfValue(g, LeadInValue(g, model, k), k)));
      if (d < best) best = d, out.nearestCurve = k, out.target = GraphTarget{GraphTargetKind::kLeadIn, -1, k};
    }
    for (int i = g.pointFirst; i < g.pointFirst + g.points; ++i) {
      const int d = Distance(x, y, static_cast<int>(PointX(g, *s, i)), static_cast<int>(PointY(g, *s, i, k)));
      if (d < best) best = d, out.nearestCurve = k, out.target = GraphTarget{GraphTargetKind::kPoint, i, k};
    }
  }
  if (best < kGraphReach) {
    if (out.target.kind == GraphTargetKind::kPoint) {
      const auto cell =
          static_cast<std::size_t>(CellIndexOf(g, out.target.index, CurveIndex(g, out.target.curve)));
      out.target.corner = SelKind::OnCells(s->sel.kind) && (s->sel.cellState[cell] & SelBit::kCorner);
    }
    return out;
  }
  out.target = GraphTarget{};
  const bool inPlot = y >= g.bottom - g.height - kGraphReach && y <= g.bottom + kGraphReach;
  const Markers& m = model.MarkerValues();
  if (inPlot && g.limiterMarker &&
      std::abs(x - static_cast<int>(MarkerX(model, g, m.limiter))) < kGraphReach) {
    out.target.kind = GraphTargetKind::kLimiter;
  } else if (inPlot && g.startMarker &&
             std::abs(x - static_cast<int>(MarkerX(model, g, m.startLimiter))) < kGraphReach) {
    out.target.kind = GraphTargetKind::kStartLimiter;
  }
  return out;
}

std::string GraphStatusText(const CTabModel& model, const Graph2D& g, const GraphTarget& t, bool dragging) {
  const CSheet* s = model.Active();
  if (!s || t.kind == GraphTargetKind::kNone) return {};
  const std::string prefix = dragging ? Shown(MapText::kDragging) + " " : std::string();
  const Markers& m = model.MarkerValues();
  const CAxe& H = HorizontalAxis(*s, g);
  switch (t.kind) {
    case GraphTargetKind::kLeadIn:
      return prefix + Marker(MapText::kBaseAdvance, m.baseAdvance, s->data.suffix);
    case GraphTargetKind::kLimiter: return prefix + Marker(MapText::kLimiter, m.limiter, H.suffix);
    case GraphTargetKind::kStartLimiter:
      return prefix + Marker(MapText::kStartLimiter, m.startLimiter, H.suffix);
    default: break;
  }
  const int ci = CurveIndex(g, t.curve);
  std::string text = prefix;
  if (g.curves > 1) {
    const CAxe& C = CurveAxis(*s, g);
    text += Pair(C, C.values[static_cast<std::size_t>(ci)], C.scale) + "; ";
  }
  text += Pair(H, H.values[static_cast<std::size_t>(t.index)], H.scale) + "; ";
  text += Pair(s->data, s->data.values[static_cast<std::size_t>(CellIndexOf(g, t.index, ci))], s->data.scale);
  return text;
}

Rect DragValueBox(double x, double y, int w, int h, const Rect& bounds) {
  constexpr int kAway = 12;  // px between the point (and the pointer on it) and the box
  const int px = static_cast<int>(x), py = static_cast<int>(y);
  int left = px + kAway, top = py - kAway - h;
  if (left + w > bounds.right) left = px - kAway - w;
  if (top < bounds.top) top = py + kAway;
  left = std::clamp(left, bounds.left, std::max(bounds.left, bounds.right - w));
  top = std::clamp(top, bounds.top, std::max(bounds.top, bounds.bottom - h));
  return Rect{left, top, left + w, top + h};
}

bool BeginGraphDrag(CTabModel& model, const Graph2D& g, const GraphTarget& t, int x, int y, bool shift,
                    bool ctrl, int32_t nowTick, GraphDrag& drag) {
  CSheet* s = model.Active();
  if (!s || !g.valid || !s->Usable() || t.kind == GraphTargetKind::kNone || t.corner) return false;
  const CAxe& H = HorizontalAxis(*s, g);
  const bool may = t.kind == GraphTargetKind::kPoint    ? (H.editable && H.numeric) || s->data.editable
                   : t.kind == GraphTargetKind::kLeadIn ? s->data.editable != 0
                                                        : true;
  double px = 0, py = 0;
  if (!may || !GraphTargetPosition(model, g, t, px, py)) return false;
  drag = GraphDrag{t, x - px, y - py, shift, ctrl};
  model.NotifyChange(0, Batch::kGesture, nowTick);
  return true;
}

bool GraphTargetPosition(const CTabModel& model, const Graph2D& g, const GraphTarget& t, double& x,
                         double& y) {
  const CSheet* s = model.Active();
  if (!s) return false;
  const Markers& m = model.MarkerValues();
  switch (t.kind) {
    case GraphTargetKind::kPoint:
      x = PointX(g, *s, t.index);
      y = PointY(g, *s, t.index, t.curve);
      return true;
    case GraphTargetKind::kLeadIn:
      x = g.left;
      y = YOfValue(g, LeadInValue(g, model, t.curve), t.curve);
      return true;
    case GraphTargetKind::kLimiter:
    case GraphTargetKind::kStartLimiter:
      x = MarkerX(model, g, t.kind == GraphTargetKind::kLimiter ? m.limiter : m.startLimiter);
      y = g.bottom;
      return true;
    default: return false;
  }
}

void GraphDragStep(CTabModel& model, const Graph2D& g, const GraphDrag& drag, int x, int y, int32_t nowTick) {
  CSheet* s = model.Active();
  if (!s || !g.valid) return;
  const double px = x - drag.grabX, py = y - drag.grabY;
  const GraphTarget& t = drag.target;
  CAxe& H = HorizontalAxis(*s, g);
  Markers& m = model.MarkerValues();
  if (t.kind == GraphTargetKind::kLeadIn) {
    m.baseAdvance = static_cast<int32_t>(std::lround(DataValueAt(g, py, t.curve) * s->data.scale));
    model.NotifyChange(Change::kMarkers, Batch::kGesture, nowTick);
    return;
  }
  if (t.kind == GraphTargetKind::kLimiter || t.kind == GraphTargetKind::kStartLimiter) {
    const int32_t rpm = static_cast<int32_t>(std::lround(HorizontalValueAt(g, px) * H.scale));
    (t.kind == GraphTargetKind::kLimiter ? m.limiter : m.startLimiter) = rpm;
    model.NotifyChange(Change::kMarkers, Batch::kGesture, nowTick);
    return;
  }
  if (t.kind != GraphTargetKind::kPoint) return;
  const auto cellOf = [&](int i, int k) {
    return static_cast<std::size_t>(CellIndexOf(g, i, CurveIndex(g, k)));
  };
  const auto hi = static_cast<std::size_t>(t.index);
  const bool hEdit = H.editable && H.numeric;
  const bool dEdit = s->data.editable != 0;
  const int32_t oldH = H.values[hi], oldD = s->data.values[cellOf(t.index, t.curve)];
  unsigned mask = 0;
  const int32_t newH = hEdit ? HorizontalValueAt(g, px) : oldH;
  const int32_t newD = dEdit ? DataValueAt(g, py, t.curve) : oldD;
  if (newH != oldH) H.values[hi] = newH, mask |= HorizontalChange(g);
  if (newD != oldD) s->data.values[cellOf(t.index, t.curve)] = newD, mask |= Change::kData;
  if (mask == 0) return;
  model.NotifyChange(mask, Batch::kGesture, nowTick);
  const int32_t dx = H.values[hi] - oldH, dd = s->data.values[cellOf(t.index, t.curve)] - oldD;
  if (dx == 0 && dd == 0) return;

  // The followers: points (i, k) that move by dd, indices that move by dx.
  const int first = g.pointFirst, n = g.points;
  const std::vector<char> follow = GraphFollowers(*s, g, t, drag.shift, drag.ctrl);
  std::vector<char> movedIndex(static_cast<std::size_t>(n), 0);
  movedIndex[static_cast<std::size_t>(t.index - first)] = 1;
  mask = 0;
  for (int k = 0; k < g.curves; ++k) {
    for (int i = first; i < first + n; ++i) {
      if (!follow[static_cast<std::size_t>((i - first) * g.curves + k)]) continue;
      if (dEdit && dd != 0 && !(i == t.index && k == t.curve)) {
        s->data.values[cellOf(i, k)] += dd;
        mask |= Change::kData;
      }
      if (hEdit && dx != 0 && !movedIndex[static_cast<std::size_t>(i - first)]) {
        movedIndex[static_cast<std::size_t>(i - first)] = 1;
        H.values[static_cast<std::size_t>(i)] += dx;
        mask |= HorizontalChange(g);
      }
    }
  }
  if (mask) model.NotifyChange(mask, Batch::kGesture, nowTick);
}

std::vector<char> GraphFollowers(const CSheet& s, const Graph2D& g, const GraphTarget& t, bool shift,
                                 bool ctrl) {
  const int first = g.pointFirst, n = g.points;
  std::vector<char> follow(static_cast<std::size_t>(std::max(0, n * g.curves)), 0);
  if (t.kind != GraphTargetKind::kPoint) return follow;
  const auto mark = [&](int i, int k) { follow[static_cast<std::size_t>((i - first) * g.curves + k)] = 1; };
  const bool selected = PointSelected(s, g, t.index, t.curve);
  for (int k = 0; k < g.curves; ++k) {
    for (int i = first; i < first + n; ++i) {
      if ((shift && ctrl) || (shift && k == t.curve) || (ctrl && i == t.index)) mark(i, k);
      if (!selected || !PointSelected(s, g, i, k)) continue;
      mark(i, k);
      for (int j = first; j < first + n && shift; ++j) mark(j, k);
      for (int c = 0; c < g.curves && ctrl; ++c) mark(i, c);
    }
  }
  mark(t.index, t.curve);
  return follow;
}

void EndGraphDrag(CTabModel& model, int32_t nowTick) { model.NotifyChange(0, Batch::kEndGesture, nowTick); }

void SelectGraphBand(CSheet& sheet, const Graph2D& g, const Rect& band, bool add) {
  if (!add || !SelKind::OnCells(sheet.sel.kind)) ClearSelection(sheet.sel);
  const Rect inclusive{band.left, band.top, band.right + 1, band.bottom + 1};
  for (int k = 0; k < g.curves; ++k) {
    for (int i = g.pointFirst; i < g.pointFirst + g.points; ++i) {
      if (!inclusive.Contains(static_cast<int>(PointX(g, sheet, i)),
                              static_cast<int>(PointY(g, sheet, i, k))))
        continue;
      sheet.sel.cellState[static_cast<std::size_t>(CellIndexOf(g, i, CurveIndex(g, k)))] |= SelBit::kSelected;
      sheet.sel.kind = SelKind::kCells;
    }
  }
  RecountSelection(sheet);
}

bool GraphRightPress(CSheet& sheet, const Graph2D& g, const GraphTarget& t) {
  if (t.kind == GraphTargetKind::kPoint) {
    if (PointSelected(sheet, g, t.index, t.curve)) return false;
    const int ci = CurveIndex(g, t.curve);
    const int column = g.swap ? ci : t.index, row = g.swap ? t.index : ci;
    Select(sheet, SelKind::kCells, column, row, column, row);
    return true;
  }
  if (sheet.sel.Empty()) return false;
  ClearSelection(sheet.sel);
  return true;
}

bool GraphWheel(CTabModel& model, const Graph2D& g, const GraphTarget& t, int sign, int32_t nowTick) {
  CSheet* s = model.Active();
  if (!s || !s->Usable()) return false;
  if (t.kind == GraphTargetKind::kPoint && !PointSelected(*s, g, t.index, t.curve)) {
    if (!s->data.editable) return false;
    const int ci = CurveIndex(g, t.curve);
    s->data.values[static_cast<std::size_t>(CellIndexOf(g, t.index, ci))] += sign;
    const int column = g.swap ? ci : t.index, row = g.swap ? t.index : ci;
    model.NotifyChange(Change::kData, StepBatch(StepTarget::kSelection, column, row), nowTick);
    return true;
  }
  if (s->sel.Empty()) return false;
  return StepValues(model, sign, nowTick);
}

}  // namespace ign
