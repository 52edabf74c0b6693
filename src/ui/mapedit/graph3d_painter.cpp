// The 3D graph painter: axes, the surface far to near by the colouring,
// cell borders of the selection, printed values, the legend, the angle
// text and the live point. A pure function of the model and TTabGraph.
#include <QFontMetrics>
#include <QPolygonF>
#include <cmath>

#include "core/mapedit/format.h"
#include "core/mapedit/selection.h"
#include "core/mapedit/texts.h"
#include "ui/mapedit/palette.h"
#include "ui/mapedit/table_painter.h"

namespace ign {

using mapedit_palette::WinColour;
namespace pal = mapedit_palette;

namespace {

constexpr uint32_t kFront = 0xFF8888;         // light blue (Windows colour value)
constexpr uint32_t kBack = 0xC0C0C0;          // silver
constexpr uint32_t kSelectedEdge = 0xFF0000;  // blue
constexpr uint32_t kCornerEdge = 0x008000;

QColor Rgb(uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

QPolygonF Polygon(const Triangle3D& t) {
  return QPolygonF({QPointF(t.v[0].at.x, t.v[0].at.y), QPointF(t.v[1].at.x, t.v[1].at.y),
                    QPointF(t.v[2].at.x, t.v[2].at.y)});
}

uint16_t StateOf(const CSheet& s, int cell) {
  return SelKind::OnCells(s.sel.kind) ? s.sel.cellState[static_cast<std::size_t>(cell)] : 0;
}

struct P3 {
  QPainter& p;
  const CTabModel& model;
  const CSheet& s;
  const Projection3D& pr;
  const View3D& view;
  QFont font;
};

QPointF GridPoint(const P3& c, int cell) {
  const int column = cell % kRowPitch, row = cell / kRowPitch;
  const int i = c.pr.swap ? row : column, j = c.pr.swap ? column : row;
  const CAxe& H = c.pr.swap ? c.s.y : c.s.x;
  const CAxe& C = c.pr.swap ? c.s.x : c.s.y;
  const double a = (H.numeric ? H.values[static_cast<std::size_t>(i)] : i) - c.pr.h.low;
  const double b = (C.numeric ? C.values[static_cast<std::size_t>(j)] : j) - c.pr.c.low;
  const Point3D at = Project(c.pr, a, c.s.data.values[static_cast<std::size_t>(cell)] - c.pr.d.low, b);
  return QPointF(at.x, at.y);
}

// Labels stand outside the surface: away from the middle of the projected box.
QPointF Outwards(const P3& c, const QPointF& at) {
  const Point3D mid = Project(c.pr, c.pr.h.Width() / 2.0, c.pr.d.Width() / 2.0, c.pr.c.Width() / 2.0);
  QPointF d = at - QPointF(mid.x, mid.y);
  const double length = std::hypot(d.x(), d.y());
  return length > 0 ? d / length : QPointF(-1, 1);
}

// A label's box in whole pixels, as the placer compares them.
Rect BoxOf(const QRectF& r) {
  return Rect{static_cast<int>(std::floor(r.left())), static_cast<int>(std::floor(r.top())),
              static_cast<int>(std::ceil(r.right())), static_cast<int>(std::ceil(r.bottom()))};
}

// One axis with its ticks and labels. labels holds the boxes of every label
// drawn so far on any axis: a label that would overlap one of them is left out.
void Axis(const P3& c, const GraphRange& r, const CAxe& axis, int which, LabelPlacer& labels) {
  const auto at = [&](double v) {
    const double rel = v - r.low;
    const Point3D pt = which == 0   ? Project(c.pr, rel, 0, 0)
                       : which == 1 ? Project(c.pr, 0, rel, 0)
                                    : Project(c.pr, 0, 0, rel);
    return QPointF(pt.x, pt.y);
  };
  c.p.setPen(QPen(Qt::black, 1));
  c.p.drawLine(at(r.low), at(r.high));
  if (!(r.rule.labelSpacing > 0) || r.scale == 0) return;
  const double step = r.rule.labelSpacing / std::fabs(r.scale);
  if (step <= 0 || (r.high - r.low) / step > 200) return;
  const QFontMetrics fm(c.font);
  c.p.setFont(c.font);
  const std::string suffix = Shown(axis.suffix);
  for (double v = std::ceil(r.low / step) * step; v <= r.high + 1e-9; v += step) {
    if (which != 0 && v == r.low) continue;  // the origin is labelled by the horizontal axis
    const QPointF pt = at(v);
    const QPointF out = Outwards(c, pt);
    c.p.drawLine(pt, pt + out * 4);
    const QString text = QString::fromStdString(
        (r.numeric ? GraphNumber(r.rule.labelSpacing, v * r.scale)
                   : FormatValue(axis.values[static_cast<std::size_t>(std::lround(v))], axis.scale)) +
        suffix);
    const double w = fm.horizontalAdvance(text), hgt = fm.height();
    const QPointF centre = pt + QPointF(out.x() * (w / 2 + 6), out.y() * (hgt / 2 + 7));
    const QRectF box(centre.x() - w / 2, centre.y() - hgt / 2, w, hgt);
    if (!labels.Place(BoxOf(box))) continue;
    c.p.drawText(box.bottomLeft() - QPointF(0, fm.descent()), text);
  }
}

void Surface(const P3& c) {
  const std::vector<Triangle3D> triangles = SurfaceTriangles(c.model, c.pr);
  const int colouring = c.view.colouring;
  std::vector<Triangle3D> pieces;
  for (const Triangle3D& t : triangles) {
    const bool front = FacesViewer(t);
    c.p.setPen(Qt::NoPen);
    if (colouring == Colouring3D::kOneColour || (colouring >= Colouring3D::kHeight && !front)) {
      c.p.setBrush(WinColour(front ? kFront : kBack));
      c.p.drawPolygon(Polygon(t));
    } else if (colouring >= Colouring3D::kHeight) {
      pieces.clear();
      SplitByGrain(t, colouring - Colouring3D::kHeight, pieces);
      int last = -1;
      for (const Triangle3D& piece : pieces) {
        const int index = TriangleColour(piece);
        if (index != last) {
          const QColor colour = Rgb(PaletteColour(index));
          c.p.setBrush(colour);
          c.p.setPen(QPen(colour, 0));  // closes the hairline seams between pieces
          last = index;
        }
        const QPointF corners[3] = {{piece.v[0].at.x, piece.v[0].at.y},
                                    {piece.v[1].at.x, piece.v[1].at.y},
                                    {piece.v[2].at.x, piece.v[2].at.y}};
        c.p.drawConvexPolygon(corners, 3);
      }
    }
    const uint16_t a = StateOf(c.s, t.from), b = StateOf(c.s, t.to);
    QColor edge = colouring == Colouring3D::kWire ? QColor(Qt::black) : QColor(Qt::white);
    if ((a & SelBit::kSelected) && (b & SelBit::kSelected))
      edge = WinColour(((a | b) & SelBit::kCorner) ? kCornerEdge : kSelectedEdge);
    c.p.setPen(QPen(edge, 1));
    c.p.drawLine(QPointF(t.v[0].at.x, t.v[0].at.y), QPointF(t.v[1].at.x, t.v[1].at.y));
  }
}

void Values(const P3& c) {
  const std::vector<int> cells = PrintedCells(c.s, c.view.values);
  if (cells.empty()) return;
  QFont font = c.font;
  font.setPointSize(c.view.values == Values3D::kAll ? 7 : 9);
  const QFontMetrics fm(font);
  c.p.setFont(font);
  const int live = c.s.liveState > 0 ? CSheet::CellIndex(c.s.liveColumn, c.s.liveRow) : -1;
  for (int cell : cells) {
    const QPointF at = GridPoint(c, cell);
    const QString text =
        QString::fromStdString(FormatValue(c.s.data.values[static_cast<std::size_t>(cell)], c.s.data.scale));
    const QPointF base(at.x() - fm.horizontalAdvance(text) / 2.0, at.y() + fm.ascent() / 2.0 - 1);
    const uint16_t state = StateOf(c.s, cell);
    QColor ink = Qt::black, glow;
    if (cell != live && (state & SelBit::kCorner)) {
      ink = QColor(0x00, 0x60, 0x00);
      glow = QColor(0xB0, 0xF0, 0xB0);
    } else if (cell != live && (state & SelBit::kSelected)) {
      ink = QColor(0x00, 0x00, 0x80);
      glow = QColor(0xB0, 0xD0, 0xFF);
    }
    if (glow.isValid())
      c.p.fillRect(QRectF(base.x() - 1, base.y() - fm.ascent(), fm.horizontalAdvance(text) + 2, fm.height()),
                   glow);
    c.p.setPen(QColor(0xF0, 0xF0, 0xF0));
    c.p.drawText(base + QPointF(1, 1), text);
    c.p.setPen(ink);
    c.p.drawText(base, text);
  }
}

void Legend(const P3& c) {
  const Rect& l = c.pr.legend;
  const int top = l.top + 75, bottom = l.bottom - 10, x = l.left + 15;
  if (bottom - top < 20) return;
  const double bandHeight = static_cast<double>(bottom - top) / kPaletteTop;
  for (int i = 0; i < kPaletteTop; ++i) {
    const int y0 = bottom - static_cast<int>((i + 1) * bandHeight),
              y1 = bottom - static_cast<int>(i * bandHeight);
    c.p.fillRect(QRect(x, y0, 18, y1 - y0), Rgb(PaletteColour(i)));
  }
  c.p.setPen(Qt::black);
  c.p.setBrush(Qt::NoBrush);
  c.p.drawRect(QRect(x, top, 18, bottom - top));
  const GraphRange& d = c.pr.d;
  const double span = std::max(1, d.Width());
  const auto yOf = [&](double v) { return bottom - (v - d.low) / span * (bottom - top); };
  double step = d.rule.labelSpacing / std::fabs(d.scale != 0 ? d.scale : 1.0);
  while (step > 0 && span / step > 5) step *= 2;
  c.p.setFont(c.font);
  const QFontMetrics fm(c.font);
  const std::string suffix = Shown(c.s.data.suffix);
  if (step > 0) {
    for (double v = std::ceil(d.low / step) * step; v <= d.high + 1e-9; v += step) {
      const int y = static_cast<int>(yOf(v));
      c.p.drawLine(x + 18, y, x + 22, y);
      c.p.drawText(QPoint(x + 25, y + fm.ascent() / 2 - 1),
                   QString::fromStdString(GraphNumber(d.rule.labelSpacing, v * d.scale) + suffix));
    }
  }
  const CSheet& s = c.s;
  if (s.liveState > 0 && s.InCells(s.liveColumn, s.liveRow)) {
    const int32_t value = s.Cell(s.liveColumn, s.liveRow);
    const int y = static_cast<int>(yOf(std::clamp<double>(value, d.low, d.high)));
    c.p.setPen(QPen(Qt::black, 2));
    c.p.drawLine(x - 4, y, x + 22, y);
    const QString text = QString::fromStdString(FormatValue(value, s.data.scale, s.data.suffix, true));
    const QRect box(x + 60, y - fm.height() / 2 - 2, fm.horizontalAdvance(text) + 8, fm.height() + 4);
    c.p.setPen(Qt::black);
    c.p.setBrush(Qt::white);
    c.p.drawRect(box);
    c.p.drawText(box, Qt::AlignCenter, text);
  }
}

void LivePoint(const P3& c) {
  const CSheet& s = c.s;
  if (!(s.flags & SheetFlag::kFollowsLive) || s.liveState <= 0 || !s.InCells(s.liveColumn, s.liveRow)) return;
  const QPointF at = GridPoint(c, CSheet::CellIndex(s.liveColumn, s.liveRow));
  c.p.setRenderHint(QPainter::Antialiasing, true);
  c.p.setBrush(Qt::NoBrush);
  c.p.setPen(QPen(WinColour(s.liveState == 1 ? pal::kLiveActive : pal::kLiveOther), 3));
  c.p.drawEllipse(at, 7, 7);
  c.p.setRenderHint(QPainter::Antialiasing, false);
}

}  // namespace

void PaintGraph3D(QPainter& p, const CTabModel& model, const TabViewState& v, const QFont& canvas) {
  const CSheet* sheet = model.Active();
  const Projection3D& pr = v.graph.projection;
  if (!sheet || !pr.valid || !sheet->Usable()) return;
  QFont font = canvas;
  font.setPixelSize(11);
  const P3 c{p, model, *sheet, pr, v.graph.view3D, font};
  p.save();
  // Axis labels may use the margins around the view.
  p.setClipRect(ToQRect(pr.view).adjusted(-10, -12, 10, 10));
  const CAxe& H = pr.swap ? sheet->y : sheet->x;
  const CAxe& C = pr.swap ? sheet->x : sheet->y;
  const QString angles = QString::fromStdString(AngleText(c.view));
  const QFontMetrics fm(font);
  const QPoint anglesAt(pr.legend.left + (kLegendWidth - fm.horizontalAdvance(angles)) / 2,
                        pr.view.top + 45 + fm.ascent());
  LabelPlacer labels;
  labels.Reserve(
      BoxOf(QRectF(anglesAt.x(), anglesAt.y() - fm.ascent(), fm.horizontalAdvance(angles), fm.height())));
  Axis(c, pr.h, H, 0, labels);
  Axis(c, pr.c, C, 2, labels);
  Axis(c, pr.d, sheet->data, 1, labels);
  p.setClipRect(ToQRect(pr.view));
  Surface(c);
  Values(c);
  Legend(c);
  p.setPen(Qt::black);
  p.setFont(font);
  p.drawText(anglesAt, angles);
  LivePoint(c);
  p.restore();
}

}  // namespace ign
