// The frame around the table: scroll bars, sheet tabs, the toolbar, the
// title line of one-sheet editors and the view switch button.
#include <QFontMetrics>
#include <QPolygon>

#include "core/mapedit/commands.h"
#include "core/mapedit/texts.h"
#include "ui/mapedit/button_pictures.h"
#include "ui/mapedit/palette.h"
#include "ui/mapedit/table_painter.h"

namespace ign {

using mapedit_palette::WinColour;
namespace pal = mapedit_palette;

namespace {

void Arrow(QPainter& p, const Rect& r, int direction, const QColor& colour) {
  // direction: 0 left, 1 right, 2 up, 3 down
  const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2, a = 3;
  QPolygon glyph;
  switch (direction) {
    case 0: glyph = QPolygon({QPoint(cx + 1, cy - a), QPoint(cx + 1, cy + a), QPoint(cx - 2, cy)}); break;
    case 1: glyph = QPolygon({QPoint(cx - 1, cy - a), QPoint(cx - 1, cy + a), QPoint(cx + 2, cy)}); break;
    case 2: glyph = QPolygon({QPoint(cx - a, cy + 1), QPoint(cx + a, cy + 1), QPoint(cx, cy - 2)}); break;
    default: glyph = QPolygon({QPoint(cx - a, cy - 1), QPoint(cx + a, cy - 1), QPoint(cx, cy + 2)}); break;
  }
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(glyph);
}

void ScrollBar(QPainter& p, const ScrollBarParts& bar, bool pressedHere, ScrollPart pressed) {
  if (bar.bar.Empty()) return;
  p.fillRect(ToQRect(bar.bar), QColor(0xE8, 0xE8, 0xE8));
  const auto down = [&](ScrollPart part) { return pressedHere && pressed == part; };
  PaintPanel(p, ToQRect(bar.arrowBack), WinColour(pal::kButtonFace), down(ScrollPart::kArrowBack));
  PaintPanel(p, ToQRect(bar.arrowForward), WinColour(pal::kButtonFace), down(ScrollPart::kArrowForward));
  Arrow(p, bar.arrowBack, bar.horizontal ? 0 : 2, Qt::black);
  Arrow(p, bar.arrowForward, bar.horizontal ? 1 : 3, Qt::black);
  if (!bar.thumb.Empty())
    PaintPanel(p, ToQRect(bar.thumb), QColor(0xD0, 0xD0, 0xD0), down(ScrollPart::kThumb));
}

}  // namespace

void PaintScrollBars(QPainter& p, const TabViewState& v) {
  ScrollBar(p, v.hBar, v.scrollHorizontal, v.scrollPart);
  ScrollBar(p, v.vBar, !v.scrollHorizontal, v.scrollPart);
}

void PaintSheetTabs(QPainter& p, const CTabModel& model, const TabViewState& v, const QFont& canvas) {
  p.setFont(canvas);
  const QFontMetrics m(canvas);
  for (std::size_t i = 0; i < v.tabs.size(); ++i) {
    const Rect& r = v.tabs[i];
    if (r.Empty()) continue;
    const bool active = static_cast<int>(i) == model.ActiveIndex();
    const QRect box = active ? ToQRect(r) : ToQRect(r).adjusted(0, 2, 0, 0);
    const QColor fill = active                              ? QColor(Qt::white)
                        : static_cast<int>(i) == v.hoverTab ? QColor(0xF8, 0xF8, 0xF8)
                                                            : WinColour(pal::kButtonFace);
    PaintPanel(p, box, fill);
    if (active) p.fillRect(QRect(box.left() + 1, box.bottom(), box.width() - 2, 1), Qt::white);
    const CSheet& sheet = model.Sheet(static_cast<int>(i));
    p.setPen(sheet.Usable() ? Qt::black : WinColour(pal::kGreyText));
    p.drawText(box, Qt::AlignCenter, QString::fromStdString(Shown(sheet.name)));
  }
}

void PaintToolbar(QPainter& p, const CTabModel& model, const TabViewState& v, const QFont& canvas) {
  const Toolbar& bar = v.toolbar;
  QFont font = canvas;
  font.setPixelSize(11);
  p.setFont(font);
  for (std::size_t i = 0; i < bar.buttons.size(); ++i) {
    const ToolButton& b = bar.buttons[i];
    const bool down = b.checked || static_cast<int>(i) == v.pressedButton;
    const QRect r = ToQRect(b.rect);
    const QColor face = static_cast<int>(i) == v.hoverButton && b.enabled ? QColor(0xF8, 0xF8, 0xF8)
                                                                          : WinColour(pal::kButtonFace);
    PaintPanel(p, r, down ? QColor(0xE0, 0xE0, 0xE0) : face, down);
    if (b.picture) {
      const char* name = !b.enabled && b.disabledPicture ? b.disabledPicture : b.picture;
      QPixmap picture = ButtonPicture(name);
      if (!b.enabled && !b.disabledPicture) {
        QPainter dim(&picture);
        dim.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        dim.fillRect(picture.rect(), QColor(0xA0, 0xA0, 0xA0));
      }
      const QPoint at =
          r.center() - QPoint(picture.width() / 2, picture.height() / 2) + QPoint(down ? 1 : 0, down ? 1 : 0);
      p.drawPixmap(at, picture);
    } else {
      p.setPen(b.enabled ? Qt::black : WinColour(pal::kGreyText));
      const QString label = QString::fromStdString(b.label);
      const QFontMetrics m(font);
      p.drawText(r.adjusted(2, 0, -2, 0), Qt::AlignCenter,
                 m.elidedText(label, Qt::ElideRight, r.width() - 4));
    }
  }
  // What + and - act on: a black frame for the selection, a live ring for
  // the live cell or the base advance.
  if (bar.stepTarget == StepTarget::kNone) return;
  for (const ToolButton& b : bar.buttons) {
    if (b.code != Cmd::kIncrement) continue;
    const QRect column(b.rect.left, b.rect.top, b.rect.Width(), 24);
    if (bar.stepTarget == StepTarget::kSelection) {
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(Qt::black, 3));
      p.drawRect(column.adjusted(-3, -2, 2, 2));
    } else {
      const CSheet* sheet = model.Active();
      const QColor colour = WinColour(sheet && sheet->liveState == 1 ? pal::kLiveActive : pal::kLiveOther);
      p.setRenderHint(QPainter::Antialiasing, true);
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(colour, 3));
      p.drawEllipse(column.adjusted(-6, -3, 5, 3));
      p.setRenderHint(QPainter::Antialiasing, false);
    }
  }
}

void PaintTitleLine(QPainter& p, const CTabModel& model, const TabViewState& v, const QFont& canvas) {
  const CSheet* sheet = model.Active();
  if (v.titleLine.Empty() || !sheet) return;
  int x = v.titleLine.left;
  if (sheet->flags & SheetFlag::kCanDisable) {
    const QPixmap& box = ButtonPicture(sheet->enabled && sheet->available ? "BTCHK1" : "BTCHK0");
    p.drawPixmap(x, v.titleLine.top + 1, box);
    x += 15;
  }
  const QFont font = LabelFont(canvas, sheet->titleTextSize);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(QPoint(x, v.titleLine.top + QFontMetrics(font).ascent()),
             QString::fromStdString(Shown(sheet->name)));
}

void PaintViewSwitch(QPainter& p, const CTabModel& model, const TabViewState& v) {
  if (v.viewSwitch.Empty()) return;
  PaintPanel(p, ToQRect(v.viewSwitch), WinColour(pal::kButtonFace));
  const char* name = model.Compact()          ? (v.graph.proportional ? "BT_P" : "BT_nP")
                     : v.view == View::kTable ? "BT_G"
                                              : "BT_T";
  const QPixmap& picture = ButtonPicture(name);
  const QRect r = ToQRect(v.viewSwitch);
  p.drawPixmap(r.center() - QPoint(picture.width() / 2, picture.height() / 2), picture);
}

}  // namespace ign
