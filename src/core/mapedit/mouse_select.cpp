#include "core/mapedit/mouse_select.h"

#include <algorithm>
#include <cmath>

#include "core/mapedit/selection.h"

namespace ign {

namespace {

bool SameFamily(int a, int b) { return a == b || (SelKind::OnCells(a) && SelKind::OnCells(b)); }

template <typename Array>
void DropMarks(Array& states) {
  for (uint16_t& s : states) s = static_cast<uint16_t>(s & ~SelBit::kMarking);
}

void DropAllMarks(TSel& sel) {
  DropMarks(sel.xState);
  DropMarks(sel.yState);
  DropMarks(sel.cellState);
}

void SelectAllCells(CSheet& sheet) {
  Select(sheet, SelKind::kCells, sheet.ShownColumnBegin(), sheet.ShownRowBegin(), sheet.ShownColumnEnd() - 1,
         sheet.ShownRowEnd() - 1);
}

bool AllCellsSelected(const CSheet& sheet) {
  if (!SelKind::OnCells(sheet.sel.kind)) return false;
  for (int r = sheet.ShownRowBegin(); r < sheet.ShownRowEnd(); ++r) {
    for (int c = sheet.ShownColumnBegin(); c < sheet.ShownColumnEnd(); ++c) {
      if (!CellSelected(sheet, c, r)) return false;
    }
  }
  return true;
}

}  // namespace

int SelKindOfHit(HitKind kind) {
  switch (kind) {
    case HitKind::kCell: return SelKind::kCells;
    case HitKind::kXHeader: return SelKind::kXPoints;
    case HitKind::kYHeader: return SelKind::kYPoints;
    case HitKind::kColumnSelector: return SelKind::kColumns;
    case HitKind::kRowSelector: return SelKind::kRows;
    default: return SelKind::kNone;
  }
}

bool BeginMouseSelection(CSheet& sheet, const Hit& hit, bool shift, bool ctrl) {
  const int kind = SelKindOfHit(hit.kind);
  if (kind == SelKind::kNone) return false;
  TSel& sel = sheet.sel;
  const bool clear = shift == ctrl || (!sel.Empty() && !SameFamily(sel.kind, kind));
  const bool hadAnchor = sel.anchorX >= 0 || sel.anchorY >= 0;
  if (clear) ClearSelection(sel);
  DropAllMarks(sel);
  const bool extend = shift && !ctrl && hadAnchor && !clear;
  if (!extend) {
    sel.anchorX = hit.column;
    sel.anchorY = hit.row;
  }
  sel.firstHitX = sel.lastHitX = hit.column;
  sel.firstHitY = sel.lastHitY = hit.row;
  sel.building = kind;
  DragMouseSelection(sheet, hit.column, hit.row);
  return true;
}

void DragMouseSelection(CSheet& sheet, int column, int row) {
  TSel& sel = sheet.sel;
  if (sel.building == SelKind::kNone) return;
  DropAllMarks(sel);
  sel.currentX = sel.lastHitX = column;
  sel.currentY = sel.lastHitY = row;
  MarkSelection(sheet, sel.building, sel.anchorX, sel.anchorY, column, row);
}

void EndMouseSelection(CSheet& sheet) {
  if (sheet.sel.building == SelKind::kNone) return;
  CommitSelection(sheet);
}

void CancelMouseSelection(CSheet& sheet) {
  DropAllMarks(sheet.sel);
  sheet.sel.building = SelKind::kNone;
  RecountSelection(sheet);
}

bool CornerClick(CSheet& sheet, HitKind kind) {
  switch (kind) {
    case HitKind::kCornerAll:
      if (AllCellsSelected(sheet)) {
        ClearSelection(sheet.sel);
      } else {
        SelectAllCells(sheet);
      }
      return true;
    case HitKind::kCornerX: Select(sheet, SelKind::kXPoints, 0, -1, sheet.x.count - 1, -1); return true;
    case HitKind::kCornerY: Select(sheet, SelKind::kYPoints, -1, 0, -1, sheet.y.count - 1); return true;
    default: return false;
  }
}

bool HitSelected(const CSheet& sheet, const Hit& hit) {
  const TSel& sel = sheet.sel;
  switch (hit.kind) {
    case HitKind::kCell: return SelKind::OnCells(sel.kind) && CellSelected(sheet, hit.column, hit.row);
    case HitKind::kXHeader:
      return sel.kind == SelKind::kXPoints && hit.column >= 0 && hit.column < kMaxColumns &&
             (sel.xState[static_cast<std::size_t>(hit.column)] & SelBit::kSelected);
    case HitKind::kYHeader:
      return sel.kind == SelKind::kYPoints && hit.row >= 0 && hit.row < kMaxRows &&
             (sel.yState[static_cast<std::size_t>(hit.row)] & SelBit::kSelected);
    case HitKind::kColumnSelector:
      return SelKind::OnCells(sel.kind) && ColumnFullySelected(sheet, hit.column);
    case HitKind::kRowSelector: return SelKind::OnCells(sel.kind) && RowFullySelected(sheet, hit.row);
    default: return false;
  }
}

bool RightPressSelect(CSheet& sheet, const Hit& hit) {
  TSel& sel = sheet.sel;
  if (hit.kind == HitKind::kCornerAll) {
    if (AllCellsSelected(sheet)) return false;
    SelectAllCells(sheet);
    return true;
  }
  if (hit.kind == HitKind::kCornerX || hit.kind == HitKind::kCornerY) return CornerClick(sheet, hit.kind);
  const int kind = SelKindOfHit(hit.kind);
  if (kind == SelKind::kNone || HitSelected(sheet, hit)) return false;
  Select(sheet, kind, hit.column, hit.row, hit.column, hit.row);
  sel.anchorX = sel.currentX = hit.column;
  sel.anchorY = sel.currentY = hit.row;
  return true;
}

Cursor NearestShownPoint(const TableLayout& t, int x, int y) {
  const auto along = [](int pixel, int origin, float size, int first, int visible) {
    if (size <= 0 || visible <= 0) return first;
    const int i = static_cast<int>(std::floor(static_cast<float>(pixel - origin) / size));
    return std::clamp(first + i, first, first + visible - 1);
  };
  return Cursor{along(x, t.cellLeft, t.cellWidth, t.firstColumn, t.visibleColumns),
                along(y, t.cellTop, t.cellHeight, t.firstRow, t.visibleRows)};
}

Outside OutsideCells(const TableLayout& t, int x, int y) {
  const Rect cells = CellAreaRect(t);
  Outside o;
  if (x < cells.left) o.dx = x - cells.left;
  if (x >= cells.right) o.dx = x - cells.right + 1;
  if (y < cells.top) o.dy = y - cells.top;
  if (y >= cells.bottom) o.dy = y - cells.bottom + 1;
  return o;
}

}  // namespace ign
