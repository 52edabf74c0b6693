#include "ui/mapedit/button_pictures.h"

#include <QHash>
#include <QPainter>
#include <QPolygon>
#include <cstring>
#include <functional>

namespace ign {

namespace {

using Draw = std::function<void(QPainter&)>;

QPixmap Make(int w, int h, const Draw& draw) {
  QPixmap pixmap(w, h);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  draw(p);
  return pixmap;
}

void Page(QPainter& p, int x, int y, int w, int h, const QColor& ink) {
  p.setPen(ink);
  p.setBrush(Qt::white);
  p.drawRect(x, y, w, h);
  for (int line = y + 3; line < y + h - 1; line += 3) p.drawLine(x + 2, line, x + w - 2, line);
}

void Grid(QPainter& p, int x, int y, int w, int h, int cols, int rows, const QColor& ink) {
  p.setPen(ink);
  p.setBrush(Qt::white);
  p.drawRect(x, y, w, h);
  for (int c = 1; c < cols; ++c) p.drawLine(x + c * w / cols, y, x + c * w / cols, y + h);
  for (int r = 1; r < rows; ++r) p.drawLine(x, y + r * h / rows, x + w, y + r * h / rows);
}

void Board(QPainter& p, const QColor& ink) {
  p.setPen(ink);
  p.setBrush(QColor(0xC8, 0xA0, 0x60));
  p.drawRect(2, 3, 13, 15);
  p.setBrush(QColor(0x90, 0x90, 0x90));
  p.drawRect(5, 1, 7, 3);
}

QPixmap Draw_(const char* name) {
  const QColor ink(0x20, 0x20, 0x20), grey(0xA0, 0xA0, 0xA0), blue(0x20, 0x60, 0xC0), red(0xD0, 0x20, 0x20);
  const auto is = [&](const char* n) { return std::strcmp(name, n) == 0; };
  if (is("CLBRD_COPY") || is("CLBRD_COPY0")) {
    const QColor c = is("CLBRD_COPY") ? ink : grey;
    return Make(18, 18, [&](QPainter& p) { Page(p, 1, 1, 10, 12, c), Page(p, 6, 5, 10, 12, c); });
  }
  if (is("CLBRD_COPYSHEET")) {
    return Make(18, 18, [&](QPainter& p) { Page(p, 1, 1, 10, 12, ink), Grid(p, 5, 5, 12, 12, 3, 3, blue); });
  }
  if (is("CLBRD_PAST") || is("CLBRD_PAST0") || is("CLBRD_PASTSHEET")) {
    const QColor c = is("CLBRD_PAST0") ? grey : ink;
    const bool sheet = is("CLBRD_PASTSHEET");
    return Make(18, 18, [&](QPainter& p) {
      Board(p, c);
      if (sheet) {
        Grid(p, 7, 7, 10, 10, 3, 3, blue);
      } else {
        Page(p, 7, 7, 9, 10, c);
      }
    });
  }
  if (is("BTTAB")) return Make(30, 18, [&](QPainter& p) { Grid(p, 1, 1, 27, 15, 4, 3, ink); });
  if (is("BT2D")) {
    return Make(30, 18, [&](QPainter& p) {
      p.setPen(ink);
      p.drawLine(2, 1, 2, 16), p.drawLine(2, 16, 28, 16);
      p.setPen(QPen(red, 2));
      p.drawPolyline(QPolygon({QPoint(3, 14), QPoint(9, 12), QPoint(15, 6), QPoint(21, 4), QPoint(27, 5)}));
    });
  }
  if (is("BT3D")) {
    return Make(30, 18, [&](QPainter& p) {
      p.setPen(ink);
      for (int i = 0; i < 4; ++i) p.drawLine(2 + i * 4, 16 - i * 3, 18 + i * 4, 16 - i * 3 - 2);
      for (int i = 0; i < 5; ++i) p.drawLine(2 + i * 4, 16 - i / 2, 14 + i * 4, 7 - i / 2);
    });
  }
  if (is("BTCHK0") || is("BTCHK1")) {
    const bool ticked = is("BTCHK1");
    return Make(13, 13, [&](QPainter& p) {
      p.setPen(ink);
      p.setBrush(Qt::white);
      p.drawRect(0, 0, 12, 12);
      if (ticked) {
        p.setPen(QPen(ink, 2));
        p.drawPolyline(QPolygon({QPoint(3, 6), QPoint(5, 9), QPoint(10, 3)}));
      }
    });
  }
  if (is("BT_G")) {
    return Make(10, 8, [&](QPainter& p) {
      p.setPen(ink);
      p.drawPolyline(QPolygon({QPoint(0, 7), QPoint(3, 4), QPoint(6, 5), QPoint(9, 0)}));
    });
  }
  if (is("BT_T")) return Make(10, 8, [&](QPainter& p) { Grid(p, 0, 0, 9, 7, 3, 2, ink); });
  if (is("BT_P") || is("BT_nP")) {
    const bool proportional = is("BT_P");
    return Make(30, 12, [&](QPainter& p) {
      p.setPen(ink);
      p.drawLine(1, 10, 29, 10);
      const int ticks[2][4] = {{1, 5, 17, 29}, {1, 10, 19, 29}};
      for (int x : ticks[proportional ? 0 : 1]) p.drawLine(x, 4, x, 10);
    });
  }
  return QPixmap();
}

}  // namespace

const QPixmap& ButtonPicture(const char* name) {
  static QHash<QByteArray, QPixmap> pictures;
  const QByteArray key(name ? name : "");
  auto it = pictures.find(key);
  if (it == pictures.end()) it = pictures.insert(key, name ? Draw_(name) : QPixmap());
  return *it;
}

}  // namespace ign
