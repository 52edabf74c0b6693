#include "ui/monitor/pickup_paint.h"

#include <QPainter>
#include <QPainterPath>
#include <cstdio>

#include "core/monitor/pickup_sample.h"
#include "core/monitor/pickup_view.h"

namespace ign {

namespace {

QColor ColourOf(uint32_t bgr) {
  return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

QString Format(const char* format, double value) {
  char buf[48];
  std::snprintf(buf, sizeof buf, format, value);
  return QString::fromLatin1(buf);
}

struct Canvas {
  QPainter& p;
  TFormMon& form;
  const PickupCurves& curves;
  double scale;
  int top;  // y of the rows' zero

  double X(double position) const { return XOf(position, form.originX, scale); }
  int Y(int row) const { return top + row; }
  void Pen(PickupElement e, int width) { p.setPen(QPen(ColourOf(form.Colour(e)), width)); }
};

void Arrow(QPainter& p, double x, int y0, int y1) {
  p.drawLine(QPointF(x, y0), QPointF(x, y1));
  p.drawLine(QPointF(x, y1), QPointF(x - 8, y1 - 16));
  p.drawLine(QPointF(x, y1), QPointF(x + 8, y1 - 16));
}

void DrawFrame(Canvas& c) {
  if (c.curves.list.Empty()) return;
  const double x0 = c.X(0), x1 = c.X(c.curves.cycleLength);
  c.p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
  c.p.setBrush(QColor(0x20, 0x20, 0x20));
  c.p.drawRect(QRectF(x0, c.Y(0), x1 - x0, c.Y(PickupRow::kPickup2Low + 20) - c.Y(0)));
  c.p.setBrush(Qt::NoBrush);
}

void DrawIgnitions(Canvas& c) {
  c.Pen(PickupElement::Ignition, 3);
  for (const CurveEntry& e : c.curves.list) {
    if (!PickupSample::IsIgnition(e.state)) continue;
    const double x = c.X(e.position);
    Arrow(c.p, x, c.Y(PickupRow::kIgnitionTop), c.Y(PickupRow::kIgnitionBottom));
    if (c.form.mode == PickupMode::Time) {
      c.p.drawText(QPointF(x + 10, c.Y(10)), Format("%.1fms", e.position));
      continue;
    }
    for (int ch = 1; ch <= PickupSample::kChannels; ++ch) {
      if (!PickupSample::Fired(e.state, ch)) continue;
      const int y = c.Y(15 * ch + 10);
      c.p.drawEllipse(QPointF(x, y - 4), 2, 2);
      char buf[48];
      std::snprintf(buf, sizeof buf, "CH%i=%.1f", ch, e.position);
      c.p.drawText(QPointF(x + 10, y), QString::fromLatin1(buf));
    }
  }
}

void DrawLevels(Canvas& c) {
  const int width = c.p.device()->width();
  c.p.setClipRect(QRect(c.form.leftMargin, 0, width - 2 * c.form.leftMargin, c.p.device()->height()));
  const CCurveList& list = c.curves.list;
  for (size_t i = 0; i + 1 < list.Size(); ++i) {
    if (CurveMark::IsEnd(list[i].state) || CurveMark::IsEnd(list[i + 1].state)) break;
    const double x0 = c.X(list[i].position), x1 = c.X(list[i + 1].position);
    const bool high1 = list[i].state & PickupSample::kPickup1;
    const bool high2 = list[i].state & PickupSample::kPickup2;
    c.Pen(PickupElement::Curve1, 2);
    const int y1 = c.Y(high1 ? PickupRow::kPickup1High : PickupRow::kPickup1Low);
    c.p.drawLine(QPointF(x0, y1), QPointF(x1, y1));
    c.Pen(PickupElement::Curve2, 2);
    const int y2 = c.Y(high2 ? PickupRow::kPickup2High : PickupRow::kPickup2Low);
    c.p.drawLine(QPointF(x0, y2), QPointF(x1, y2));
  }
  c.p.setClipping(false);
}

void DrawEdges(Canvas& c) {
  const CCurveList& list = c.curves.list;
  c.Pen(PickupElement::Grid, 1);
  for (size_t i = 0; i < list.Size(); ++i) {
    const double x = c.X(list[i].position);
    if (EdgeAt(list, i, PickupSample::kPickup1) != EdgeKind::None ||
        EdgeAt(list, i, PickupSample::kPickup2) != EdgeKind::None)
      c.p.drawLine(QPointF(x, c.Y(180)), QPointF(x, c.Y(370)));
    if (PickupSample::IsIgnition(list[i].state))
      c.p.drawLine(QPointF(x, c.Y(PickupRow::kIgnitionBottom)), QPointF(x, c.Y(370)));
  }
  for (size_t i = 0; i < list.Size(); ++i) {
    const double x = c.X(list[i].position);
    const EdgeKind e1 = EdgeAt(list, i, PickupSample::kPickup1);
    if (e1 != EdgeKind::None) {
      c.Pen(e1 == EdgeKind::Rise ? PickupElement::Rise1 : PickupElement::Fall1, 5);
      c.p.drawLine(QPointF(x, c.Y(PickupRow::kPickup1High)), QPointF(x, c.Y(PickupRow::kPickup1Low)));
    }
    const EdgeKind e2 = EdgeAt(list, i, PickupSample::kPickup2);
    if (e2 != EdgeKind::None) {
      c.Pen(e2 == EdgeKind::Rise ? PickupElement::Rise2 : PickupElement::Fall2, 5);
      c.p.drawLine(QPointF(x, c.Y(PickupRow::kPickup2High)), QPointF(x, c.Y(PickupRow::kPickup2Low)));
    }
  }
}

QRect DrawDimension(Canvas& c, const Dimension& d) {
  c.Pen(PickupElement::Dimensions, 1);
  const double x0 = c.X(d.first), x1 = c.X(d.second);
  const int y = d.mouseY;
  c.p.drawLine(QPointF(x0, y), QPointF(x1, y));
  c.p.drawLine(QPointF(x0, y), QPointF(x0 + 6, y - 3));
  c.p.drawLine(QPointF(x0, y), QPointF(x0 + 6, y + 3));
  c.p.drawLine(QPointF(x1, y), QPointF(x1 - 6, y - 3));
  c.p.drawLine(QPointF(x1, y), QPointF(x1 - 6, y + 3));
  c.p.drawLine(QPointF(x0, y - 6), QPointF(x0, y + 6));
  c.p.drawLine(QPointF(x1, y - 6), QPointF(x1, y + 6));
  const QString label = QString::fromStdString(DimensionLabel(d, c.form.mode));
  const int textWidth = c.p.fontMetrics().horizontalAdvance(label);
  const int x = int((x0 + x1) / 2) - textWidth / 2;
  c.p.drawText(QPoint(x, y - 3), label);
  return QRect(x, y - 20, textWidth, 20);
}

void DrawTitle(Canvas& c) {
  const bool synchro = c.form.mode == PickupMode::Synchronised;
  const QString title =
      Format(synchro ? "RPM=%.1f (synchro)" : "RPM=%.1f (no synchro)", c.curves.engineSpeed);
  const QFontMetrics m = c.p.fontMetrics();
  if (!synchro) c.p.fillRect(QRect(1, 1, m.horizontalAdvance(title) + 4, m.height()), QColor(255, 0, 0));
  c.p.setPen(Qt::white);
  c.p.drawText(QPoint(3, 1 + m.ascent()), title);
}

void DrawBoxLabels(Canvas& c) {
  c.p.setPen(Qt::white);
  for (int i = 0; i < kPickupElements; ++i) {
    const QRect box = c.form.BoxGeometry(PickupElement(i));
    c.p.drawText(QPoint(box.left() + 2, box.top() - 4), QString::fromUtf8(PickupBoxLabel(PickupElement(i))));
  }
}

}  // namespace

double PickupScale(const TFormMon& form, const PickupCurves& curves) {
  return HorizontalScale(form.width(), curves.minimum, curves.maximum, form.zoomX);
}

PickupPaintResult PaintPickup(QImage& image, TFormMon& form, const PickupModel& model,
                              const std::optional<Dimension>& live) {
  PickupPaintResult result;
  if (form.zoomX == 1) form.originX = OriginFromPercent(image.width(), form.leftMargin, form.originPercent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  Canvas c{p, form, model.curves, PickupScale(form, model.curves), form.originOffsetY};
  DrawFrame(c);
  DrawIgnitions(c);
  DrawLevels(c);
  DrawEdges(c);
  for (size_t i = 0; i < model.dimensions.Size(); ++i)
    result.labelRects[i] = DrawDimension(c, model.dimensions[i]);
  if (live) DrawDimension(c, *live);
  DrawTitle(c);
  DrawBoxLabels(c);
  return result;
}

}  // namespace ign
