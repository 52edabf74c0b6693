#include "ui/mapedit/table_painter.h"

#include <QFontMetrics>
#include <QPolygon>
#include <algorithm>

#include "core/mapedit/format.h"
#include "core/mapedit/menu.h"
#include "core/mapedit/selection.h"
#include "core/mapedit/texts.h"
#include "ui/mapedit/palette.h"

namespace ign {

using mapedit_palette::WinColour;
namespace pal = mapedit_palette;

namespace {

QString Qs(const std::string& s) { return QString::fromStdString(s); }

QColor Half(const QColor& c) { return QColor(c.red() / 2, c.green() / 2, c.blue() / 2); }

// What the painters of one table share.
struct TableContext {
  QPainter& p;
  const CTabModel& model;
  const CSheet& sheet;
  const TabViewState& v;
  const QFont& canvas;
  const TableLayout& t;
  Rect cells;
};

int LastColumn(const TableLayout& t) { return t.firstColumn + t.visibleColumns; }
int LastRow(const TableLayout& t) { return t.firstRow + t.visibleRows; }

void DrawCentred(QPainter& p, const Rect& r, const QString& text, const QFont& wanted, const QColor& colour) {
  // A text wider than its cell is drawn smaller rather than over its neighbours.
  QFont font = wanted;
  while (font.pixelSize() > 7 && QFontMetrics(font).horizontalAdvance(text) > r.Width() - 4)
    font.setPixelSize(font.pixelSize() - 1);
  p.setFont(font);
  p.setPen(colour);
  const QFontMetrics m(font);
  const int x = (r.left + r.right - m.horizontalAdvance(text)) / 2 + 2;
  const int y = (r.top + r.bottom - m.height()) / 2;
  p.drawText(QPoint(x, y + m.ascent()), text);
}

QString AxisText(const CAxe& axis, int32_t value) {
  if (axis.IsEnumerated()) {
    const std::optional<std::string> text = axis.EnumerationText(value);
    return text ? Qs(*text) : QString();
  }
  return Qs(FormatValue(value, axis.scale, axis.suffix, true));
}

// Selector state of a line: 0 none, 1 some, 2 all of its shown cells selected.
int LineState(const CSheet& s, int column, int row) {
  int selected = 0, total = 0;
  for (int r = s.ShownRowBegin(); r < s.ShownRowEnd(); ++r) {
    for (int c = s.ShownColumnBegin(); c < s.ShownColumnEnd(); ++c) {
      if ((column >= 0 && c != column) || (row >= 0 && r != row)) continue;
      ++total;
      if (SelKind::OnCells(s.sel.kind) && CellSelected(s, c, r)) ++selected;
    }
  }
  return selected == 0 ? 0 : selected == total ? 2 : 1;
}

int AxisState(const TSel& sel, int kind, const uint16_t* states, int count) {
  if (sel.kind != kind) return 0;
  int selected = 0;
  for (int i = 0; i < count; ++i) selected += (states[i] & SelBit::kSelected) ? 1 : 0;
  return selected == 0 ? 0 : selected == count ? 2 : 1;
}

QColor SelectorColour(int state) {
  return state == 2   ? WinColour(pal::kSelectorFully)
         : state == 1 ? WinColour(pal::kSelectorPartly)
                      : WinColour(pal::kButtonFace);
}

void Backgrounds(const TableContext& c) {
  const TableLayout& t = c.t;
  PaintPanel(c.p, QRect(t.cellLeft, t.topMargin, c.cells.Width(), t.columnHeaderHeight),
             WinColour(c.sheet.x.colour));
  PaintPanel(c.p, QRect(t.leftMargin, c.cells.top, t.rowHeaderWidth, c.cells.Height()),
             WinColour(c.sheet.y.colour));
  if (!c.model.Compact()) PaintPanel(c.p, ToQRect(c.cells), WinColour(c.sheet.data.colour));
}

void Grid(const TableContext& c) {
  const TableLayout& t = c.t;
  c.p.setPen(QPen(WinColour(pal::kGrid), 1));
  for (int col = t.firstColumn + 1; col < LastColumn(t); ++col) {
    const int x = ColumnX(t, col);
    c.p.drawLine(x, t.topMargin + 1, x, c.cells.bottom - 2);
  }
  for (int row = t.firstRow + 1; row < LastRow(t); ++row) {
    const int y = RowY(t, row);
    c.p.drawLine(t.leftMargin + 1, y, c.cells.right - 2, y);
  }
}

void Selectors(const TableContext& c) {
  const TableLayout& t = c.t;
  for (int col = t.firstColumn; col < LastColumn(t); ++col) {
    if (c.sheet.x.collapsed) break;
    const int state = LineState(c.sheet, col, -1);
    PaintPanel(c.p, ToQRect(ColumnSelectorRect(t, col)), SelectorColour(state), state == 2);
  }
  for (int row = t.firstRow; row < LastRow(t); ++row) {
    if (c.sheet.y.collapsed) break;
    const int state = LineState(c.sheet, -1, row);
    PaintPanel(c.p, ToQRect(RowSelectorRect(t, row)), SelectorColour(state), state == 2);
  }
}

void Tint(const TableContext& c) {
  const TSel& sel = c.sheet.sel;
  int marked = 0;
  for (uint16_t s : sel.cellState) marked += (s & SelBit::kMarking) ? 1 : 0;
  for (uint16_t s : sel.xState) marked += (s & SelBit::kMarking) ? 1 : 0;
  for (uint16_t s : sel.yState) marked += (s & SelBit::kMarking) ? 1 : 0;
  if (sel.selectedCount + marked < 2) return;
  const QBrush tint(WinColour(pal::kSelectionTint), Qt::Dense4Pattern);
  const TableLayout& t = c.t;
  const auto on = [](uint16_t s) { return (s & (SelBit::kSelected | SelBit::kMarking)) != 0; };
  for (int r = t.firstRow; r < LastRow(t); ++r) {
    for (int col = t.firstColumn; col < LastColumn(t); ++col) {
      if (!c.sheet.InCells(col, r)) continue;
      if (on(sel.cellState[static_cast<std::size_t>(CSheet::CellIndex(col, r))]))
        c.p.fillRect(ToQRect(CellRect(t, col, r)), tint);
    }
  }
  for (int col = t.firstColumn; col < LastColumn(t); ++col) {
    if (on(sel.xState[static_cast<std::size_t>(col)])) c.p.fillRect(ToQRect(XHeaderRect(t, col)), tint);
  }
  for (int r = t.firstRow; r < LastRow(t); ++r) {
    if (on(sel.yState[static_cast<std::size_t>(r)])) c.p.fillRect(ToQRect(YHeaderRect(t, r)), tint);
  }
}

void SelectionFrameAndTriangles(const TableContext& c) {
  const Rect frame = SelectionFrame(c.t, c.sheet);
  if (frame.Empty() || c.sheet.sel.building != SelKind::kNone) return;
  c.p.save();
  c.p.setClipRect(QRect(c.t.leftMargin, c.t.topMargin, c.cells.right - c.t.leftMargin + 1,
                        c.cells.bottom - c.t.topMargin + 1));
  std::array<Triangle, 4> triangles{};
  if (SelectionEditable(c.sheet) && InterpolationTriangles(c.t, c.sheet, triangles)) {
    const bool hovered = c.v.hover.kind == HoverKind::kInterpolation;
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(hovered ? WinColour(pal::kPreviewText) : WinColour(pal::kSelectorPartly));
    for (const Triangle& tr : triangles) {
      c.p.drawPolygon(QPolygon({QPoint(tr.x0, tr.y0), QPoint(tr.x1, tr.y1), QPoint(tr.x2, tr.y2)}));
    }
  }
  c.p.setBrush(Qt::NoBrush);
  c.p.setPen(QPen(WinColour(pal::kSelectionFrame), 2));
  c.p.drawRect(QRect(frame.left + 1, frame.top + 1, frame.Width() - 2, frame.Height() - 2));
  if (GestureAllowed(c.sheet))
    c.p.fillRect(QRect(frame.right - 4, frame.bottom - 4, 6, 6), WinColour(pal::kSelectionFrame));
  c.p.restore();
}

void GestureTarget(const TableContext& c) {
  using G = TabViewState::Gesture;
  if (c.v.gesture != G::kFill && c.v.gesture != G::kCopy) return;
  const GestureBox& b = c.v.target;
  Rect r;
  if (c.sheet.sel.kind == SelKind::kXPoints) {
    r = Rect{ColumnX(c.t, b.c0), c.t.topMargin, ColumnX(c.t, b.c1 + 1),
             c.t.topMargin + c.t.columnHeaderHeight};
  } else if (c.sheet.sel.kind == SelKind::kYPoints) {
    r = Rect{c.t.leftMargin, RowY(c.t, b.r0), c.t.leftMargin + c.t.rowHeaderWidth, RowY(c.t, b.r1 + 1)};
  } else {
    r = Rect{ColumnX(c.t, b.c0), RowY(c.t, b.r0), ColumnX(c.t, b.c1 + 1), RowY(c.t, b.r1 + 1)};
  }
  c.p.setBrush(Qt::NoBrush);
  c.p.setPen(QPen(Qt::black, 2, Qt::DashLine));
  c.p.drawRect(QRect(r.left + 1, r.top + 1, r.Width() - 2, r.Height() - 2));
}

void Ring(QPainter& p, const Rect& r, const QColor& colour) {
  const QRect box = ToQRect(r).adjusted(3, 3, -4, -4);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Half(colour), 3));
  p.drawEllipse(box.translated(2, 2));
  p.setPen(QPen(colour, 3));
  p.drawEllipse(box);
}

void LiveRings(const TableContext& c) {
  const CSheet& s = c.sheet;
  if (!(s.flags & SheetFlag::kFollowsLive) || s.liveState == 0) return;
  const QColor colour = WinColour(s.liveState == 1 ? pal::kLiveActive : pal::kLiveOther);
  c.p.setRenderHint(QPainter::Antialiasing, true);
  if (s.liveColumn >= 0 && ColumnShown(c.t, s.liveColumn)) Ring(c.p, XHeaderRect(c.t, s.liveColumn), colour);
  if (s.liveRow >= 0 && RowShown(c.t, s.liveRow)) Ring(c.p, YHeaderRect(c.t, s.liveRow), colour);
  if (s.liveState > 0 && !c.model.Compact() && ColumnShown(c.t, s.liveColumn) && RowShown(c.t, s.liveRow))
    Ring(c.p, CellRect(c.t, s.liveColumn, s.liveRow), colour);
  c.p.setRenderHint(QPainter::Antialiasing, false);
}

void EntryText(const TableContext& c, const Rect& r, const QFont& font) {
  const TypedEntry& e = c.v.entry;
  const QString text = QString::fromStdString(e.text);
  c.p.fillRect(ToQRect(r).adjusted(2, 2, -2, -2), Qt::white);
  c.p.setFont(font);
  const QFontMetrics m(font);
  const int y = (r.top + r.bottom - m.height()) / 2;
  const std::vector<int>& b = c.v.entryBoundaries;
  if (e.HasHighlight() && static_cast<int>(b.size()) > e.selEnd) {
    c.p.fillRect(
        QRect(b[static_cast<std::size_t>(e.selStart)], y,
              b[static_cast<std::size_t>(e.selEnd)] - b[static_cast<std::size_t>(e.selStart)], m.height()),
        WinColour(pal::kTypedHighlight));
  }
  c.p.setPen(Qt::black);
  const int x = b.empty() ? (r.left + r.right) / 2 : b.front();
  c.p.drawText(QPoint(x, y + m.ascent()), text);
}

bool EntryOn(const TabViewState& v, int column, int row) {
  return v.entry.active && v.entry.column == column && v.entry.row == row;
}

// The target of a typed value that was not stored as typed, for a moment.
void FlashBackground(const TableContext& c, const Rect& r, int column, int row) {
  const TabViewState::Flash& f = c.v.flash;
  if (f.on && f.column == column && f.row == row)
    c.p.fillRect(ToQRect(r).adjusted(1, 1, -1, -1), WinColour(pal::kTypedFlash));
}

void CellTexts(const TableContext& c) {
  const CSheet& s = c.sheet;
  const CAxe& d = s.data;
  const QFont font = AxisFont(c.canvas, d.fontSize, d.editable);
  const QFont entryFont = AxisFont(c.canvas, d.fontSize > 0 ? d.fontSize : 0, true);
  const QColor ink = d.editable ? QColor(Qt::black) : WinColour(pal::kGreyText);
  const bool preview = c.v.hover.kind == HoverKind::kInterpolation && SelKind::OnCells(s.sel.kind);
  for (int r = c.t.firstRow; r < LastRow(c.t); ++r) {
    for (int col = c.t.firstColumn; col < LastColumn(c.t); ++col) {
      if (!s.InCells(col, r)) continue;
      const Rect rect = CellRect(c.t, col, r);
      if (EntryOn(c.v, col, r)) {
        EntryText(c, rect, entryFont);
        continue;
      }
      FlashBackground(c, rect, col, r);
      int32_t value = s.Cell(col, r);
      QColor colour = ink;
      const int32_t previewed = c.v.preview[static_cast<std::size_t>(CSheet::CellIndex(col, r))];
      if (preview && CellSelected(s, col, r) && previewed != value) {
        value = previewed;
        colour = WinColour(pal::kPreviewText);
      }
      DrawCentred(c.p, rect, Qs(FormatValue(value, d.scale, d.suffix, d.suffixInCells != 0)), font, colour);
    }
  }
}

void HeaderTexts(const TableContext& c) {
  const CSheet& s = c.sheet;
  const bool preview = c.v.hover.kind == HoverKind::kInterpolation;
  const auto draw = [&](const CAxe& axis, int kind, int index, const Rect& rect, int column, int row) {
    if (EntryOn(c.v, column, row)) {
      EntryText(c, rect, AxisFont(c.canvas, axis.fontSize > 0 ? axis.fontSize : 0, true));
      return;
    }
    FlashBackground(c, rect, column, row);
    int32_t value = axis.values[static_cast<std::size_t>(index)];
    QColor colour = axis.editable ? QColor(Qt::black) : WinColour(pal::kGreyText);
    const uint16_t state = kind == SelKind::kXPoints ? s.sel.xState[static_cast<std::size_t>(index)]
                                                     : s.sel.yState[static_cast<std::size_t>(index)];
    if (preview && s.sel.kind == kind && (state & SelBit::kSelected) &&
        c.v.preview[static_cast<std::size_t>(index)] != value) {
      value = c.v.preview[static_cast<std::size_t>(index)];
      colour = WinColour(pal::kPreviewText);
    }
    DrawCentred(c.p, rect, AxisText(axis, value), AxisFont(c.canvas, axis.fontSize, axis.editable), colour);
  };
  for (int col = c.t.firstColumn; col < std::min(LastColumn(c.t), s.x.count); ++col)
    draw(s.x, SelKind::kXPoints, col, XHeaderRect(c.t, col), col, -1);
  for (int r = c.t.firstRow; r < std::min(LastRow(c.t), s.y.count); ++r)
    draw(s.y, SelKind::kYPoints, r, YHeaderRect(c.t, r), -1, r);
}

void Corner(const TableContext& c) {
  const CSheet& s = c.sheet;
  const Rect corner = CornerRect(c.t);
  const int xState =
      AxisState(s.sel, SelKind::kXPoints, s.sel.xState.data(), std::min(s.x.count, kMaxColumns));
  const int yState = AxisState(s.sel, SelKind::kYPoints, s.sel.yState.data(), std::min(s.y.count, kMaxRows));
  const auto triangle = [&](int state, QPolygon poly) {
    if (state == 2) poly.translate(1, 1);
    c.p.setPen(QPen(WinColour(state == 2 ? pal::kButtonDark : pal::kButtonLight), 1));
    c.p.setBrush(SelectorColour(state));
    c.p.drawPolygon(poly);
  };
  const int l = corner.left, t = corner.top, r = corner.right - 1, b = corner.bottom - 1;
  triangle(xState, QPolygon({QPoint(l, t), QPoint(r, t), QPoint(r, b)}));
  triangle(yState, QPolygon({QPoint(l, t), QPoint(l, b), QPoint(r, b)}));
  if (!c.model.Compact()) {
    const int allState = LineState(s, -1, -1);
    PaintPanel(c.p, ToQRect(CornerSquare(c.t)), SelectorColour(allState), allState == 2);
  }

  const QString xLabel = Qs(Shown(s.x.label));
  const QString yLabel = Qs(Shown(s.y.label));
  const int labelRight = c.model.Compact() ? corner.right - 3 : c.t.cellLeft - c.t.strip - 3;
  const int labelBottom = c.model.Compact() ? corner.bottom - 3 : c.t.cellTop - c.t.strip - 3;
  // A label wider than the corner gets a smaller font rather than running into the header.
  const int room = labelRight - (c.t.leftMargin + 5);
  const auto fitted = [&](const QString& label) {
    QFont font = LabelFont(c.canvas, s.titleTextSize);
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(label) > room)
      font.setPixelSize(font.pixelSize() - 1);
    c.p.setFont(font);
    return QFontMetrics(font);
  };
  c.p.setPen(xState == 2 ? Qt::white : Qt::black);
  const QFontMetrics mx = fitted(xLabel);
  c.p.drawText(QPoint(labelRight - mx.horizontalAdvance(xLabel), corner.top + 2 + mx.ascent()), xLabel);
  c.p.setPen(yState == 2 ? Qt::white : Qt::black);
  const QFontMetrics my = fitted(yLabel);
  c.p.drawText(QPoint(c.t.leftMargin + 5, labelBottom - my.descent()), yLabel);
}

void CollapsedPanel(const TableContext& c) {
  const CSheet& s = c.sheet;
  if (!s.x.collapsed && !s.y.collapsed) return;
  Rect r;
  if (s.x.collapsed) {
    // The panel stands for the whole column header: the collapsed point's
    // value would otherwise show above it.
    const Rect column = ColumnSelectorRect(c.t, c.t.firstColumn);
    r = Rect{column.left, std::min(c.t.cellTop - 28, c.t.topMargin), column.right, c.t.cellTop};
  } else {
    const Rect row = RowSelectorRect(c.t, c.t.firstRow);
    const int middle = (row.top + row.bottom) / 2;
    const int h = std::min(28, row.Height());
    r = Rect{c.t.leftMargin, middle - h / 2, c.t.cellLeft, middle - h / 2 + h};
  }
  PaintPanel(c.p, ToQRect(r), WinColour(pal::kButtonFace));
  QFont font = LabelFont(c.canvas, s.titleTextSize);
  const QString label = Qs(Shown(s.data.label));
  while (QFontMetrics(font).horizontalAdvance(label) > r.Width() - 6 && font.pixelSize() > 6)
    font.setPixelSize(font.pixelSize() - 1);
  c.p.setFont(font);
  c.p.setPen(Qt::black);
  c.p.drawText(ToQRect(r), Qt::AlignCenter, label);
}

void PlusMinusButtonsOf(const TableContext& c) {
  const Hover& h = c.v.hover;
  using G = TabViewState::Gesture;
  const bool pressing = c.v.gesture == G::kPlusMinus;
  const Hover& shown = pressing ? c.v.pressedValue : h;
  if (shown.kind != HoverKind::kPlus && shown.kind != HoverKind::kMinus && shown.kind != HoverKind::kValue)
    return;
  if (!pressing && c.v.gesture != G::kNone) return;
  if (!ValueEditable(c.sheet, shown.target)) return;
  const TypedEntry& e = c.v.entry;
  const Hit entry{e.row == -1      ? HitKind::kXHeader
                  : e.column == -1 ? HitKind::kYHeader
                                   : HitKind::kCell,
                  e.column, e.row};
  if (e.active && entry == shown.target) return;
  const PlusMinus pm = PlusMinusButtons(ValueRect(c.t, shown.target));
  const auto button = [&](const Rect& r, bool up, bool down) {
    PaintPanel(c.p, ToQRect(r), WinColour(pal::kButtonFace), down);
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    const int a = std::max(2, std::min(r.Width(), r.Height()) / 4);
    const QPolygon glyph =
        up ? QPolygon({QPoint(cx - a, cy + a / 2), QPoint(cx + a, cy + a / 2), QPoint(cx, cy - a / 2 - 1)})
           : QPolygon({QPoint(cx - a, cy - a / 2), QPoint(cx + a, cy - a / 2), QPoint(cx, cy + a / 2 + 1)});
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(Qt::black);
    c.p.drawPolygon(glyph);
  };
  button(pm.plus, true, pressing && shown.kind == HoverKind::kPlus);
  button(pm.minus, false, pressing && shown.kind == HoverKind::kMinus);
}

void PaintTable(const TableContext& c) {
  PaintScrollBars(c.p, c.v);
  Backgrounds(c);
  if (!c.sheet.Usable()) return;
  if (c.model.Compact()) {
    PaintSwitchMap(c.p, c.model, c.v);
  } else {
    Grid(c);
    Selectors(c);
  }
  Tint(c);
  SelectionFrameAndTriangles(c);
  LiveRings(c);
  PaintDifferenceMarks(c.p, c.t, c.model.ActiveIndex(), c.v.differenceMarks);
  if (!c.model.Compact()) CellTexts(c);
  HeaderTexts(c);
  Corner(c);
  CollapsedPanel(c);
  GestureTarget(c);
  PlusMinusButtonsOf(c);
}

}  // namespace

QFont AxisFont(const QFont& canvas, int32_t fontSize, bool editable) {
  QFont font = canvas;
  const double canvasPx = canvas.pixelSize() > 0 ? canvas.pixelSize() : canvas.pointSizeF() * 96.0 / 72.0;
  double px = fontSize == 0 ? canvasPx * 1.4 : std::abs(fontSize) * 96.0 / 72.0;
  if (!editable) px = px * 1.2 * 5.0 / 7.0;
  font.setPixelSize(std::max(6, static_cast<int>(px + 0.5)));
  font.setBold(fontSize >= 0 || !editable);
  return font;
}

QFont LabelFont(const QFont& canvas, int32_t titleTextSize) { return AxisFont(canvas, titleTextSize, true); }

void PaintPanel(QPainter& p, const QRect& r, const QColor& fill, bool pressed) {
  if (r.width() <= 0 || r.height() <= 0) return;
  p.fillRect(r, fill);
  const QColor light = WinColour(pal::kButtonLight), dark = WinColour(pal::kButtonDark);
  p.setPen(pressed ? dark : light);
  p.drawLine(r.left(), r.top(), r.right(), r.top());
  p.drawLine(r.left(), r.top(), r.left(), r.bottom());
  p.setPen(pressed ? light : dark);
  p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
  p.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

void PaintEditor(QPainter& p, const CTabModel& model, const TabViewState& v, const QFont& canvas, bool) {
  p.fillRect(QRect(0, 0, v.frame.width, v.frame.height),
             v.graph.white ? QColor(Qt::white) : WinColour(pal::kButtonFace));
  const CSheet* sheet = model.Active();
  if (sheet && v.view == View::kTable) {
    const TableContext c{p, model, *sheet, v, canvas, v.layout, CellAreaRect(v.layout)};
    PaintTable(c);
  }
  if (sheet && !model.Compact() && !v.graph.area.Empty()) PaintGraph2D(p, model, v, canvas);
  if (sheet && v.view == View::kGraph3D) PaintGraph3D(p, model, v, canvas);
  PaintViewSwitch(p, model, v);
  PaintTitleLine(p, model, v, canvas);
  PaintSheetTabs(p, model, v, canvas);
  PaintToolbar(p, model, v, canvas);
}

}  // namespace ign
