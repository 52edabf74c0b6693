#include "ui/files/print_render.h"

#include <QFontMetricsF>
#include <QMenuBar>
#include <QPicture>
#include <QStatusBar>
#include <QTabBar>
#include <algorithm>

namespace ign {

namespace {

constexpr double kHeaderPoints = 8.0;

// A tab bar drawn as the root of its own render onto a moved painter loses
// its captions; recorded at its own origin into a picture and played back
// at its place it keeps them.
void RenderTabBar(QPainter& painter, QWidget& bar) {
  QPicture recorded;
  {
    QPainter recorder(&recorded);
    bar.render(&recorder, QPoint(0, 0), QRegion(), QWidget::RenderFlags());
  }
  // A picture plays back at the target's resolution.
  const QPaintDevice* target = painter.device();
  painter.scale(double(recorded.logicalDpiX()) / target->logicalDpiX(),
                double(recorded.logicalDpiY()) / target->logicalDpiY());
  painter.drawPicture(QPointF(0, 0), recorded);
}

// Each shown widget on its own, without its children, parents before
// children and siblings in their stacking order, clipped to its ancestors
// (window coordinates). One render of the whole tree onto a non-screen
// painter misplaces the clip of a tab widget's page and cuts off the top of
// the page's first row.
void RenderChildren(QPainter& painter, QMainWindow& window, const QWidget& parent, const QRect& clip) {
  // A tab bar's picture may spill past its own rectangle: it goes first and
  // its page is drawn over the spill.
  QObjectList children = parent.children();
  std::stable_partition(children.begin(), children.end(),
                        [](const QObject* o) { return qobject_cast<const QTabBar*>(o) != nullptr; });
  for (QObject* child : children) {
    auto* w = qobject_cast<QWidget*>(child);
    if (!w || w->isWindow() || !w->isVisible() || w == window.menuWidget()) continue;
    const QRect at(w->mapTo(&window, QPoint(0, 0)), w->size());
    const QRect shown = at & clip;
    if (shown.isEmpty()) continue;
    painter.save();
    painter.setClipRect(shown, Qt::IntersectClip);
    painter.translate(at.topLeft());
    if (qobject_cast<QTabBar*>(w))
      RenderTabBar(painter, *w);
    else
      w->render(&painter, QPoint(0, 0), QRegion(), QWidget::RenderFlags());
    painter.restore();
    RenderChildren(painter, window, *w, shown);
  }
}

}  // namespace

PlacedPicture FitPicture(double pictureWidth, double pictureHeight, const QRectF& area) {
  PlacedPicture placed;
  if (pictureWidth <= 0 || pictureHeight <= 0 || area.width() <= 0 || area.height() <= 0) return placed;
  placed.scale = std::min(area.width() / pictureWidth, area.height() / pictureHeight);
  placed.x = area.left() + (area.width() - pictureWidth * placed.scale) / 2;
  placed.y = area.top() + (area.height() - pictureHeight * placed.scale) / 2;
  return placed;
}

QRect ClientArea(const QMainWindow& window) {
  QRect area = window.rect();
  if (const QWidget* menu = window.menuWidget(); menu && !menu->isHidden())
    area.setTop(menu->geometry().bottom() + 1);
  return area;
}

void RenderSheet(QPainter& painter, const QRectF& area, QMainWindow& window, const QString& header) {
  painter.save();
  QRectF picture = area;
  if (!header.isEmpty()) {
    QFont font = window.font();
    font.setPointSizeF(kHeaderPoints);
    const QFontMetricsF metrics(font, painter.device());
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRectF line(area.left(), area.top(), area.width(), metrics.height());
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(header, Qt::ElideRight, area.width()));
    picture.setTop(line.bottom() + metrics.height() * 0.5);
  }
  const QRect client = ClientArea(window);
  const PlacedPicture placed = FitPicture(client.width(), client.height(), picture);
  if (placed.scale > 0) {
    painter.translate(placed.x, placed.y);
    painter.scale(placed.scale, placed.scale);
    painter.translate(-client.topLeft());
    painter.setClipRect(client, Qt::IntersectClip);
    window.render(&painter, client.topLeft(), QRegion(client), QWidget::DrawWindowBackground);
    RenderChildren(painter, window, window, client);
  }
  painter.restore();
}

void RenderSheetRecorded(QPainter& painter, const QRectF& area, QMainWindow& window, const QString& header) {
  QPicture recorded;
  const QPaintDevice* target = painter.device();
  const double toPicture = double(recorded.logicalDpiX()) / target->logicalDpiX();
  {
    QPainter recorder(&recorded);
    RenderSheet(recorder, QRectF(area.topLeft() * toPicture, area.size() * toPicture), window, header);
  }
  // The picture plays back at the target's resolution: it fills the area again.
  painter.drawPicture(QPointF(0, 0), recorded);
}

}  // namespace ign
