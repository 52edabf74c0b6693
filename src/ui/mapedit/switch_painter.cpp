// The switch-map view of the compact layout: regions coloured by their
// value, check boxes (evenly spaced layout), boundaries and the rubber band.
#include "core/mapedit/texts.h"
#include "ui/mapedit/button_pictures.h"
#include "ui/mapedit/palette.h"
#include "ui/mapedit/table_painter.h"

namespace ign {

using mapedit_palette::WinColour;

namespace {

constexpr uint32_t kOff = 0xE0F0F0;
constexpr uint32_t kOn = 0x008000;
constexpr uint32_t kOffFaded = 0xF0F4F4;
constexpr uint32_t kOnFaded = 0x90C890;
constexpr uint32_t kBoundary = 0x808080;

}  // namespace

void PaintSwitchMap(QPainter& p, const CTabModel& model, const TabViewState& v) {
  const CSheet* sheet = model.Active();
  const SwitchLayout& l = v.graph.switchLayout;
  if (!sheet || !l.valid) return;
  const bool editable = sheet->data.editable && sheet->Usable();
  const QColor off = WinColour(editable ? kOff : kOffFaded), on = WinColour(editable ? kOn : kOnFaded);
  for (int j = 0; j < l.rows; ++j) {
    for (int i = 0; i < l.columns; ++i) {
      const QRect r = ToQRect(RegionRect(l, i, j));
      const int32_t value = sheet->data.values[static_cast<std::size_t>(RegionCell(l, i, j))];
      p.fillRect(r, value == 1 ? on : off);
      if (value > 1) {
        p.setPen(Qt::NoPen);
        p.setBrush(on);
        p.drawPolygon(QPolygon({r.bottomLeft(), r.topLeft(), r.bottomRight()}));
      }
      if (!l.proportional && r.width() > 14 && r.height() > 14) {
        const QPixmap& box = ButtonPicture(value != 0 ? "BTCHK1" : "BTCHK0");
        p.drawPixmap(r.center() - QPoint(box.width() / 2, box.height() / 2), box);
      }
    }
  }
  const SwitchTarget& hot = v.graph.switchHover;
  for (int axis = 1; axis <= 2; ++axis) {
    const int n = axis == 1 ? l.xBoundaries : l.yBoundaries;
    for (int i = 0; i < n; ++i) {
      const bool lit = hot.axis == axis && hot.index == i;
      p.setPen(QPen(lit ? WinColour(sheet->accentColour) : WinColour(kBoundary), lit ? 2 : 1));
      if (axis == 1) {
        const int x = l.xb[static_cast<std::size_t>(i)];
        p.drawLine(x, l.plot.top, x, l.plot.bottom - 1);
      } else {
        const int y = l.yb[static_cast<std::size_t>(i)];
        p.drawLine(l.plot.left, y, l.plot.right - 1, y);
      }
    }
  }
  p.setPen(QPen(WinColour(kBoundary), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(ToQRect(l.plot).adjusted(0, 0, -1, -1));
  if (v.graph.banding) {
    p.setPen(QPen(Qt::red, 1));
    p.drawRect(ToQRect(v.graph.Band()));
  }
}

}  // namespace ign
