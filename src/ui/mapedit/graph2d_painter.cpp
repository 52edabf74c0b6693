// The 2D graph painter: a pure function of the model and TTabGraph, drawn
// in the order backgrounds, limiter bands, grid, labels, axes, live rpm,
// comparison curves, curves, points, live point, hover marks, rubber band.
#include <QFontMetrics>
#include <QPainterPath>
#include <cmath>

#include "core/mapedit/commands.h"
#include "core/mapedit/format.h"
#include "core/mapedit/selection.h"
#include "core/mapedit/texts.h"
#include "ui/mapedit/palette.h"
#include "ui/mapedit/table_painter.h"

namespace ign {

using mapedit_palette::WinColour;
namespace pal = mapedit_palette;

namespace {

constexpr uint32_t kStackedPlot = 0xF0FBFF;
constexpr uint32_t kLimiterBand = 0xDDDDDD;
constexpr uint32_t kLimiterBandOutside = 0xC0D5DD;
constexpr uint32_t kStartLimiterBand = 0xC0FFFF;
constexpr uint32_t kGridLine = 0xC0C0C0;
constexpr uint32_t kLabel = 0x808080;
constexpr uint32_t kLiveLine = 0x00FF00;
constexpr uint32_t kCornerFill = 0x008000;
constexpr uint32_t kOtherPointFill = 0xC0C0C0;

struct G2 {
  QPainter& p;
  const CTabModel& model;
  const CSheet& s;
  const TabViewState& v;
  const Graph2D& g;
  QFont font;
  int top() const { return g.bottom - g.height; }
  int right() const { return g.left + g.width; }
};

int Px(double v) { return static_cast<int>(v); }

bool Selected(const G2& c, int i, int k) {
  return SelKind::OnCells(c.s.sel.kind) &&
         (c.s.sel.cellState[static_cast<std::size_t>(CellIndexOf(c.g, i, CurveIndex(c.g, k)))] &
          SelBit::kSelected);
}
bool Corner(const G2& c, int i, int k) {
  return SelKind::OnCells(c.s.sel.kind) &&
         (c.s.sel.cellState[static_cast<std::size_t>(CellIndexOf(c.g, i, CurveIndex(c.g, k)))] &
          SelBit::kCorner);
}

int MarkerPx(const G2& c, int32_t rpm) {
  const double scale = HorizontalAxis(c.s, c.g).scale;
  return scale != 0 ? Px(XOfValue(c.g, static_cast<int32_t>(std::lround(rpm / scale)))) : c.g.left;
}

// Stored positions of the grid or labels from low to high every spacing (display units).
template <typename F>
void Steps(const GraphRange& r, double spacing, F&& each) {
  if (!(spacing > 0) || r.scale == 0) return;
  const double stepStored = spacing / std::fabs(r.scale);
  const double first = std::ceil(r.low * std::fabs(r.scale) / spacing - 1e-9) * spacing / std::fabs(r.scale);
  for (double v = first; v <= r.high + 1e-9 && v - first < 1e7 * stepStored; v += stepStored) each(v);
}

void Backgrounds(const G2& c) {
  const QRect plot(c.g.left, c.top(), c.g.width, c.g.height);
  if (c.g.curves <= 1) {
    c.p.fillRect(plot, Qt::white);
    return;
  }
  c.p.fillRect(plot, WinColour(kStackedPlot));
  const int k = c.v.graph.selectedCurve;
  const int base = Px(YOfValue(c.g, c.g.d.low, k)), high = Px(YOfValue(c.g, c.g.d.high, k));
  c.p.fillRect(QRect(c.g.left, high, c.g.width, base - high).intersected(plot), Qt::white);
}

void LimiterBands(const G2& c) {
  const Markers& m = c.model.MarkerValues();
  const QRect plot(c.g.left, c.top(), c.g.width, c.g.height);
  if (c.g.limiterMarker) {
    const int x = std::max(c.g.left, MarkerPx(c, m.limiter));
    const QRect band = QRect(x, c.top(), c.right() - x, c.g.height).intersected(plot);
    if (c.g.curves > 1) {
      c.p.fillRect(band, WinColour(kLimiterBandOutside));
      const int k = c.v.graph.selectedCurve;
      const int base = Px(YOfValue(c.g, c.g.d.low, k)), high = Px(YOfValue(c.g, c.g.d.high, k));
      c.p.fillRect(band.intersected(QRect(x, high, c.right() - x, base - high)), WinColour(kLimiterBand));
    } else {
      c.p.fillRect(band, WinColour(kLimiterBand));
    }
  }
  if (c.g.startMarker) {
    const int x = MarkerPx(c, m.startLimiter);
    c.p.fillRect(QRect(x - 10, c.top(), 20, c.g.height).intersected(plot), WinColour(kStartLimiterBand));
  }
}

void GridAndLabels(const G2& c) {
  const Graph2D& g = c.g;
  const CAxe& H = HorizontalAxis(c.s, g);
  c.p.setPen(WinColour(kGridLine));
  if (g.h.numeric) {
    Steps(g.h, g.h.rule.gridSpacing, [&](double v) {
      const int x = Px(g.left + (v - g.h.low) * g.hf);
      c.p.drawLine(x, c.top(), x, g.bottom + 3);
    });
  } else {
    for (int i = g.pointFirst; i < g.pointFirst + g.points; ++i) {
      const int x = Px(XOfValue(g, i));
      c.p.drawLine(x, c.top(), x, g.bottom + 3);
    }
  }
  const int k = g.curves > 1 ? c.v.graph.selectedCurve : 0;
  Steps(g.d, g.d.rule.gridSpacing, [&](double v) {
    const int y = Px(g.bottom - (v - g.d.low + static_cast<double>(g.curves - k - 1) * g.curveOffset) * g.vf);
    if (y >= c.top()) c.p.drawLine(g.left, y, c.right(), y);
  });

  c.p.setFont(c.font);
  c.p.setPen(WinColour(kLabel));
  const QFontMetrics fm(c.font);
  int lastRight = -100000;
  const auto hLabel = [&](int x, const QString& text) {
    const int w = fm.horizontalAdvance(text);
    if (x - w / 2 <= lastRight + 2) return;
    c.p.drawText(QPoint(x - w / 2, g.bottom + 4 + fm.ascent()), text);
    lastRight = x - w / 2 + w;
  };
  if (g.h.numeric) {
    Steps(g.h, g.h.rule.labelSpacing, [&](double v) {
      hLabel(Px(g.left + (v - g.h.low) * g.hf),
             QString::fromStdString(GraphNumber(g.h.rule.labelSpacing, v * g.h.scale)));
    });
  } else {
    for (int i = g.pointFirst; i < g.pointFirst + g.points; ++i) {
      hLabel(Px(XOfValue(g, i)), QString::fromStdString(FormatValue(H.values[static_cast<std::size_t>(i)],
                                                                    H.scale, H.suffix, true)));
    }
  }
  int lastY = 100000;
  const std::string suffix = Shown(c.s.data.suffix);
  Steps(g.d, g.d.rule.labelSpacing, [&](double v) {
    const int y = Px(g.bottom - (v - g.d.low + static_cast<double>(g.curves - k - 1) * g.curveOffset) * g.vf);
    if (y < c.top() - 2 || lastY - y < fm.height() + 2) return;
    lastY = y;
    const QString text = QString::fromStdString(GraphNumber(g.d.rule.labelSpacing, v * g.d.scale) + suffix);
    const int x = g.curves > 1 ? c.right() + 5 : g.left - 4 - fm.horizontalAdvance(text);
    c.p.drawText(QPoint(x, y + fm.ascent() / 2 - 1), text);
  });
}

void Axes(const G2& c) {
  c.p.setPen(QPen(Qt::black, 2));
  c.p.drawLine(c.g.left, c.top(), c.g.left, c.g.bottom);
  c.p.drawLine(c.g.left, c.g.bottom, c.right(), c.g.bottom);
}

void LiveRpm(const G2& c) {
  const LiveValues& live = c.model.Live();
  if (!(c.s.flags & SheetFlag::kFollowsLive) || !c.g.rpm || c.s.liveState == 0 || live.rpm <= 0) return;
  const int x = MarkerPx(c, live.rpm);
  if (x < c.g.left || x > c.right()) return;
  c.p.setPen(QPen(WinColour(kLiveLine), 1));
  c.p.drawLine(x, c.top(), x, c.g.bottom);
}

// One curve as a polyline: the lead-in step, the points, the run-out.
QPolygon CurveLine(const G2& c, const std::vector<QPoint>& points, int leadY) {
  QPolygon line;
  if (points.empty()) return line;
  if (!(c.s.flags & SheetFlag::kNoLeadIn)) {
    line << QPoint(c.g.left, leadY) << QPoint(points.front().x(), leadY);
  }
  for (const QPoint& pt : points) line << pt;
  if (!(c.s.flags & SheetFlag::kEndAtLastPoint)) line << QPoint(c.right(), points.back().y());
  return line;
}

void ComparisonCurves(const G2& c) {
  const CAxe& H = HorizontalAxis(c.s, c.g);
  const auto& hc = H.comparison;
  const auto& dc = c.s.data.comparison;
  if (hc.empty() || dc.empty()) return;
  c.p.setPen(QPen(WinColour(c.s.lightColour), 2));
  for (int k = 0; k < c.g.curves; ++k) {
    std::vector<QPoint> pts;
    for (int i = c.g.pointFirst; i < c.g.pointFirst + c.g.points; ++i) {
      const auto cell = static_cast<std::size_t>(CellIndexOf(c.g, i, CurveIndex(c.g, k)));
      if (static_cast<std::size_t>(i) >= hc.size() || cell >= dc.size()) return;
      pts.emplace_back(Px(XOfValue(c.g, H.numeric ? hc[static_cast<std::size_t>(i)] : i)),
                       Px(YOfValue(c.g, dc[cell], k)));
    }
    const int lead = c.g.baseMarker ? Px(YOfValue(c.g, LeadInValue(c.g, c.model, k), k)) : pts.front().y();
    c.p.drawPolyline(CurveLine(c, pts, lead));
  }
}

std::vector<QPoint> CurvePoints(const G2& c, int k, bool preview) {
  std::vector<QPoint> pts;
  for (int i = c.g.pointFirst; i < c.g.pointFirst + c.g.points; ++i) {
    int y = Px(PointY(c.g, c.s, i, k));
    if (preview && Selected(c, i, k)) {
      const int32_t p = c.v.preview[static_cast<std::size_t>(CellIndexOf(c.g, i, CurveIndex(c.g, k)))];
      y = Px(YOfValue(c.g, p, k));
    }
    pts.emplace_back(Px(PointX(c.g, c.s, i)), y);
  }
  return pts;
}

void Curves(const G2& c) {
  const int sel = c.v.graph.selectedCurve;
  const QFontMetrics fm(c.font);
  const CAxe& C = CurveAxis(c.s, c.g);
  for (int pass = 0; pass < 2; ++pass) {
    for (int k = 0; k < c.g.curves; ++k) {
      if ((k == sel) != (pass == 1)) continue;
      const std::vector<QPoint> pts = CurvePoints(c, k, false);
      const QColor colour = k == sel ? WinColour(c.s.curveColour) : WinColour(kLabel);
      const int lead = Px(YOfValue(c.g, LeadInValue(c.g, c.model, k), k));
      c.p.setPen(QPen(colour, 2));
      c.p.drawPolyline(CurveLine(c, pts, lead));
      c.p.setPen(QPen(WinColour(c.s.accentColour), 2));
      for (std::size_t i = 1; i < pts.size(); ++i) {
        const int a = c.g.pointFirst + static_cast<int>(i);
        if (Selected(c, a - 1, k) && Selected(c, a, k)) c.p.drawLine(pts[i - 1], pts[i]);
      }
      if (c.g.curves > 1) {
        const QString label = QString::fromStdString(
            FormatValue(C.values[static_cast<std::size_t>(CurveIndex(c.g, k))], C.scale, C.suffix, true));
        c.p.setPen(colour);
        c.p.setFont(c.font);
        c.p.drawText(QPoint(c.g.left - 4 - fm.horizontalAdvance(label), lead + fm.ascent() / 2 - 1), label);
      }
    }
  }
}

void Points(const G2& c) {
  const int sel = c.v.graph.selectedCurve;
  const bool preview = c.v.graph.hover.corner;
  c.p.setRenderHint(QPainter::Antialiasing, true);
  for (int k = 0; k < c.g.curves; ++k) {
    const std::vector<QPoint> pts = CurvePoints(c, k, false);
    const std::vector<QPoint> shown = preview ? CurvePoints(c, k, true) : pts;
    const QColor outline = k == sel ? WinColour(c.s.curveColour) : WinColour(kLabel);
    for (std::size_t n = 0; n < pts.size(); ++n) {
      const int i = c.g.pointFirst + static_cast<int>(n);
      const bool selected = Selected(c, i, k);
      const QPoint at = selected && preview ? shown[n] : pts[n];
      QColor fill = k == sel ? QColor(Qt::yellow) : WinColour(kOtherPointFill);
      if (selected && !preview) fill = WinColour(c.s.accentColour);
      if (Corner(c, i, k)) fill = WinColour(kCornerFill);
      if (selected) {
        c.p.setPen(QPen(WinColour(c.s.accentColour), 1));
        c.p.setBrush(Qt::NoBrush);
        c.p.drawRect(QRect(at.x() - 5, at.y() - 5, 10, 10));
      }
      c.p.setPen(QPen(outline, 1));
      c.p.setBrush(fill);
      c.p.drawRoundedRect(QRectF(at.x() - 3.5, at.y() - 3.5, 7, 7), 2, 2);
    }
  }
  c.p.setRenderHint(QPainter::Antialiasing, false);
}

void LivePoint(const G2& c) {
  const CSheet& s = c.s;
  if (!(s.flags & SheetFlag::kFollowsLive) || s.liveState <= 0) return;
  const int i = c.g.swap ? s.liveRow : s.liveColumn;
  const int ci = c.g.swap ? s.liveColumn : s.liveRow;
  const int k = ci - c.g.curveFirst;
  if (i < c.g.pointFirst || i >= c.g.pointFirst + c.g.points || k < 0 || k >= c.g.curves) return;
  const QPoint at(Px(PointX(c.g, s, i)), Px(PointY(c.g, s, i, k)));
  c.p.setRenderHint(QPainter::Antialiasing, true);
  c.p.setBrush(Qt::NoBrush);
  c.p.setPen(QPen(WinColour(s.liveState == 1 ? pal::kLiveActive : pal::kLiveOther), 1));
  c.p.drawEllipse(at, 7, 7);
  c.p.drawEllipse(at, 8, 8);
  c.p.setRenderHint(QPainter::Antialiasing, false);
}

void HoverMarks(const G2& c) {
  const TTabGraph& gs = c.v.graph;
  const GraphTarget& t = gs.dragging ? gs.drag.target : gs.hover;
  const QColor pen = gs.dragging ? WinColour(c.s.accentColour) : WinColour(c.s.curveColour);
  c.p.setPen(QPen(pen, 2));
  double x = 0, y = 0;
  if (t.kind == GraphTargetKind::kLimiter || t.kind == GraphTargetKind::kStartLimiter) {
    const Markers& m = c.model.MarkerValues();
    const int mx = MarkerPx(c, t.kind == GraphTargetKind::kLimiter ? m.limiter : m.startLimiter);
    c.p.drawLine(mx, c.top(), mx, c.g.bottom);
  } else if (t.kind == GraphTargetKind::kPoint) {
    const bool shift = gs.dragging ? gs.drag.shift : gs.shift, ctrl = gs.dragging ? gs.drag.ctrl : gs.ctrl;
    const std::vector<char> follow = GraphFollowers(c.s, c.g, t, shift, ctrl);
    for (int k = 0; k < c.g.curves; ++k) {
      for (int i = c.g.pointFirst; i < c.g.pointFirst + c.g.points; ++i) {
        if (!follow[static_cast<std::size_t>((i - c.g.pointFirst) * c.g.curves + k)]) continue;
        const int px = Px(PointX(c.g, c.s, i)), py = Px(PointY(c.g, c.s, i, k));
        c.p.drawLine(px + 5, py - 9, px + 9, py - 5);
      }
    }
  } else if (t.kind != GraphTargetKind::kNone && GraphTargetPosition(c.model, c.g, t, x, y)) {
    c.p.drawLine(Px(x) + 5, Px(y) - 9, Px(x) + 9, Px(y) - 5);
  }
  if (gs.banding) {
    c.p.setPen(QPen(Qt::red, 1));
    c.p.setBrush(Qt::NoBrush);
    c.p.drawRect(ToQRect(gs.Band()));
  }
}

// While a point or marker is dragged, the value being set stands beside it.
void DragValue(const G2& c) {
  const TTabGraph& gs = c.v.graph;
  double x = 0, y = 0;
  if (!gs.dragging || !GraphTargetPosition(c.model, c.g, gs.drag.target, x, y)) return;
  const QString text = QString::fromStdString(GraphStatusText(c.model, c.g, gs.drag.target, false));
  if (text.isEmpty()) return;
  const QFontMetrics fm(c.font);
  const Rect box = DragValueBox(x, y, fm.horizontalAdvance(text) + 10, fm.height() + 6, c.v.graph.area);
  c.p.setPen(QPen(WinColour(c.s.accentColour), 1));
  c.p.setBrush(QColor(0xFF, 0xFF, 0xE1));
  c.p.drawRect(ToQRect(box).adjusted(0, 0, -1, -1));
  c.p.setPen(Qt::black);
  c.p.setFont(c.font);
  c.p.drawText(ToQRect(box), Qt::AlignCenter, text);
}

}  // namespace

void PaintGraph2D(QPainter& p, const CTabModel& model, const TabViewState& v, const QFont& canvas) {
  const CSheet* sheet = model.Active();
  const Graph2D& g = v.graph.layout;
  if (!sheet || !g.valid || v.graph.area.Empty()) return;
  QFont font = canvas;
  font.setPixelSize(11);
  const G2 c{p, model, *sheet, v, g, font};
  p.save();
  p.setClipRect(ToQRect(v.graph.area).adjusted(-2, -2, 2, 2));
  if (v.graph.white) p.fillRect(ToQRect(v.graph.area), Qt::white);
  if (sheet->Usable()) {
    Backgrounds(c);
    LimiterBands(c);
    GridAndLabels(c);
    Axes(c);
    // Curves stay inside the plot (their labels use the margin at its left).
    p.setClipRect(QRect(v.graph.area.left, g.bottom - g.height - 12,
                        g.left + g.width + 12 - v.graph.area.left, g.height + 24),
                  Qt::IntersectClip);
    LiveRpm(c);
    ComparisonCurves(c);
    Curves(c);
    Points(c);
    LivePoint(c);
    HoverMarks(c);
    p.setClipRect(ToQRect(v.graph.area));
    DragValue(c);
  }
  p.restore();
}

}  // namespace ign
