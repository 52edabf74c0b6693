#include "core/mapedit/hover.h"

#include <algorithm>
#include <cstdlib>

#include "core/mapedit/gesture.h"
#include "core/mapedit/menu.h"

namespace ign {

namespace {

long long Cross(int ax, int ay, int bx, int by, int px, int py) {
  return static_cast<long long>(bx - ax) * (py - ay) - static_cast<long long>(by - ay) * (px - ax);
}

bool NearFrame(const Rect& f, int x, int y, int reach) {
  const bool insideOuter =
      x >= f.left - reach && x <= f.right + reach && y >= f.top - reach && y <= f.bottom + reach;
  const bool insideInner =
      x > f.left + reach && x < f.right - reach && y > f.top + reach && y < f.bottom - reach;
  return insideOuter && !insideInner;
}

}  // namespace

PlusMinus PlusMinusButtons(const Rect& v) {
  const int left = std::max(v.left, v.right - kPlusMinusWidth);
  const int middle = v.top + v.Height() / 2;
  return PlusMinus{Rect{left, v.top, v.right, middle}, Rect{left, middle, v.right, v.bottom}};
}

Rect ValueRect(const TableLayout& layout, const Hit& hit) {
  switch (hit.kind) {
    case HitKind::kCell: return CellRect(layout, hit.column, hit.row);
    case HitKind::kXHeader: return XHeaderRect(layout, hit.column);
    case HitKind::kYHeader: return YHeaderRect(layout, hit.row);
    default: return Rect{};
  }
}

bool ValueEditable(const CSheet& sheet, const Hit& hit) {
  if (!sheet.Usable()) return false;
  switch (hit.kind) {
    case HitKind::kCell: return sheet.data.editable && sheet.InCells(hit.column, hit.row);
    case HitKind::kXHeader: return sheet.x.editable && hit.column >= 0 && hit.column < sheet.x.count;
    case HitKind::kYHeader: return sheet.y.editable && hit.row >= 0 && hit.row < sheet.y.count;
    default: return false;
  }
}

Rect SelectionFrame(const TableLayout& layout, const CSheet& sheet) {
  const std::optional<GestureBox> box = SelectionBox(sheet);
  if (!box) return Rect{};
  const int kind = sheet.sel.kind;
  if (kind == SelKind::kXPoints) {
    return Rect{ColumnX(layout, box->c0), layout.topMargin, ColumnX(layout, box->c1 + 1),
                layout.topMargin + layout.columnHeaderHeight};
  }
  if (kind == SelKind::kYPoints) {
    return Rect{layout.leftMargin, RowY(layout, box->r0), layout.leftMargin + layout.rowHeaderWidth,
                RowY(layout, box->r1 + 1)};
  }
  return Rect{ColumnX(layout, box->c0), RowY(layout, box->r0), ColumnX(layout, box->c1 + 1),
              RowY(layout, box->r1 + 1)};
}

bool Triangle::Contains(int x, int y) const {
  const long long a = Cross(x0, y0, x1, y1, x, y);
  const long long b = Cross(x1, y1, x2, y2, x, y);
  const long long c = Cross(x2, y2, x0, y0, x, y);
  return (a >= 0 && b >= 0 && c >= 0) || (a <= 0 && b <= 0 && c <= 0);
}

bool InterpolationTriangles(const TableLayout& layout, const CSheet& sheet, std::array<Triangle, 4>& out) {
  if (!sheet.sel.rectangle) return false;
  const Rect f = SelectionFrame(layout, sheet);
  if (f.Empty()) return false;
  const int onAxis = sheet.sel.kind == SelKind::kXPoints || sheet.sel.kind == SelKind::kYPoints;
  int leg = onAxis ? std::min(f.Height(), static_cast<int>(layout.cellHeight))
                   : static_cast<int>(layout.cellHeight);
  leg = std::max(1, std::min({leg, f.Width() / 2, f.Height()}));
  out[0] = Triangle{f.left, f.top, f.left + leg, f.top, f.left, f.top + leg};
  out[1] = Triangle{f.right, f.top, f.right - leg, f.top, f.right, f.top + leg};
  out[2] = Triangle{f.left, f.bottom, f.left + leg, f.bottom, f.left, f.bottom - leg};
  out[3] = Triangle{f.right, f.bottom, f.right - leg, f.bottom, f.right, f.bottom - leg};
  return true;
}

Hover HoverAt(const TableLayout& layout, const CSheet& sheet, int x, int y) {
  if (GestureAllowed(sheet)) {
    const Rect f = SelectionFrame(layout, sheet);
    if (!f.Empty()) {
      if (std::abs(x - f.right) <= kFillHandleReach && std::abs(y - f.bottom) <= kFillHandleReach)
        return Hover{HoverKind::kFillHandle, {}};
      if (NearFrame(f, x, y, kBorderReach)) return Hover{HoverKind::kBorder, {}};
    }
    std::array<Triangle, 4> triangles{};
    if (SelectionEditable(sheet) && InterpolationTriangles(layout, sheet, triangles)) {
      for (const Triangle& t : triangles) {
        if (t.Contains(x, y)) return Hover{HoverKind::kInterpolation, {}};
      }
    }
  }
  const Hit hit = HitTest(layout, x, y);
  if (!ValueEditable(sheet, hit)) return Hover{};
  const PlusMinus buttons = PlusMinusButtons(ValueRect(layout, hit));
  if (buttons.plus.Contains(x, y)) return Hover{HoverKind::kPlus, hit};
  if (buttons.minus.Contains(x, y)) return Hover{HoverKind::kMinus, hit};
  return Hover{HoverKind::kValue, hit};
}

}  // namespace ign
