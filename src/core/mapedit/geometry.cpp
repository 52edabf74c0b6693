#include "core/mapedit/geometry.h"

#include <algorithm>
#include <cmath>

#include "core/mapedit/limits.h"

namespace ign {

std::vector<Rect> SheetTabRects(std::span<const CSheet> sheets, int activeSheet) {
  std::vector<Rect> tabs(sheets.size());
  if (sheets.size() < 2) return tabs;
  int x = 2;
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    if (sheets[i].hidden) continue;
    const int width = sheets[i].nameWidth + (static_cast<int>(i) == activeSheet ? 2 : 0);
    tabs[i] = Rect{x, 0, x + width, kSheetTabHeight};
    x += width;
  }
  return tabs;
}

int ToolbarLineFor(std::span<const Rect> tabs, int toolbarLeft) {
  for (const Rect& tab : tabs) {
    if (!tab.Empty() && tab.right > toolbarLeft) return kToolbarLineMoved;
  }
  return kToolbarLine;
}

int ViewTop(uint32_t editorFlags, int sheetCount, int toolbarLine) {
  if (editorFlags & EditorFlag::kShowsLive) return toolbarLine + 31;
  if (sheetCount > 1 || (editorFlags & EditorFlag::kSensorPage)) return toolbarLine + 20;
  return kMargin;
}

int VisibleCount(int count, int maxVisible, bool collapsed) {
  if (collapsed) return 1;
  return std::max(0, std::min(maxVisible, count));
}

int ClampFirstVisible(int first, int count, int visible) {
  return std::clamp(first, 0, std::max(0, count - visible));
}

int ScrollIntoView(int first, int visible, int count, int index) {
  if (index >= 0 && index < count) {
    if (index < first) first = index;
    if (index >= first + visible) first = index - visible + 1;
  }
  return ClampFirstVisible(first, count, visible);
}

TableLayout ComputeTableLayout(const CSheet& sheet, const TableFrame& frame) {
  TableLayout t;
  const bool compact = frame.editorFlags & EditorFlag::kCompact;
  const int dpi = frame.dpi > 0 ? frame.dpi : 96;
  const int maxColumns = std::max(frame.maxVisibleColumns, 1);
  const int maxRows = std::max(frame.maxVisibleRows, 1);
  t.topMargin = frame.viewTop;
  t.rowHeaderWidth = (compact ? 45 : 65) * dpi / 96;
  t.strip = 15 * dpi / 96;
  // 1. Header height; 2. cell area; 3. cell sizes.
  t.columnHeaderHeight = (frame.height - t.topMargin - t.strip - t.bottomMargin) / (maxRows + 1);
  t.cellLeft = t.leftMargin + t.rowHeaderWidth + t.strip;
  t.cellTop = t.topMargin + t.columnHeaderHeight + t.strip;
  t.cellWidth = static_cast<float>(frame.width - t.cellLeft - t.rightMargin) / static_cast<float>(maxColumns);
  t.cellHeight = static_cast<float>(frame.height - t.cellTop - t.bottomMargin) / static_cast<float>(maxRows);
  if (compact) {
    t.shiftX = static_cast<int>(t.cellWidth / 2);
    t.shiftY = static_cast<int>(t.cellHeight / 2);
    t.cellLeft += t.shiftX;
    t.cellTop += t.shiftY;
  }
  // 4. Visible counts and the first shown points.
  t.columnCount = sheet.x.count;
  t.rowCount = sheet.y.count;
  t.xCollapsed = sheet.x.collapsed;
  t.yCollapsed = sheet.y.collapsed;
  t.visibleColumns = VisibleCount(sheet.x.count, maxColumns, t.xCollapsed);
  t.visibleRows = VisibleCount(sheet.y.count, maxRows, t.yCollapsed);
  t.firstColumn = t.xCollapsed ? ResolvePreferredIndex(sheet.x.preferredIndex, sheet.x.count)
                               : ClampFirstVisible(sheet.x.firstVisible, sheet.x.count, t.visibleColumns);
  t.firstRow = t.yCollapsed ? ResolvePreferredIndex(sheet.y.preferredIndex, sheet.y.count)
                            : ClampFirstVisible(sheet.y.firstVisible, sheet.y.count, t.visibleRows);
  return t;
}

int ColumnX(const TableLayout& t, int column) {
  return t.cellLeft + static_cast<int>(std::floor(static_cast<float>(column - t.firstColumn) * t.cellWidth));
}

int RowY(const TableLayout& t, int row) {
  return t.cellTop + static_cast<int>(std::floor(static_cast<float>(row - t.firstRow) * t.cellHeight));
}

bool ColumnShown(const TableLayout& t, int column) {
  return column >= t.firstColumn && column < t.firstColumn + t.visibleColumns;
}

bool RowShown(const TableLayout& t, int row) { return row >= t.firstRow && row < t.firstRow + t.visibleRows; }

Rect CellRect(const TableLayout& t, int column, int row) {
  return Rect{ColumnX(t, column), RowY(t, row), ColumnX(t, column + 1), RowY(t, row + 1)};
}

Rect XHeaderRect(const TableLayout& t, int column) {
  return Rect{ColumnX(t, column), t.topMargin, ColumnX(t, column + 1), t.topMargin + t.columnHeaderHeight};
}

Rect ColumnSelectorRect(const TableLayout& t, int column) {
  const int top = t.topMargin + t.columnHeaderHeight;
  return Rect{ColumnX(t, column), top, ColumnX(t, column + 1), top + t.strip};
}

Rect YHeaderRect(const TableLayout& t, int row) {
  return Rect{t.leftMargin, RowY(t, row), t.leftMargin + t.rowHeaderWidth, RowY(t, row + 1)};
}

Rect RowSelectorRect(const TableLayout& t, int row) {
  const int left = t.leftMargin + t.rowHeaderWidth;
  return Rect{left, RowY(t, row), left + t.strip, RowY(t, row + 1)};
}

Rect CellAreaRect(const TableLayout& t) {
  return Rect{t.cellLeft, t.cellTop, ColumnX(t, t.firstColumn + t.visibleColumns),
              RowY(t, t.firstRow + t.visibleRows)};
}

Rect CornerRect(const TableLayout& t) {
  return Rect{t.leftMargin, t.topMargin, t.cellLeft - t.shiftX, t.cellTop - t.shiftY};
}

Rect CornerSquare(const TableLayout& t) {
  return Rect{t.leftMargin + t.rowHeaderWidth, t.topMargin + t.columnHeaderHeight, t.cellLeft - t.shiftX,
              t.cellTop - t.shiftY};
}

Hit HitTest(const TableLayout& t, int x, int y) {
  const int lastColumn = t.firstColumn + t.visibleColumns;
  const int lastRow = t.firstRow + t.visibleRows;
  for (int r = t.firstRow; r < lastRow; ++r) {
    for (int c = t.firstColumn; c < lastColumn; ++c) {
      if (CellRect(t, c, r).Contains(x, y)) return Hit{HitKind::kCell, c, r};
    }
  }
  for (int c = t.firstColumn; c < lastColumn; ++c) {
    if (XHeaderRect(t, c).Contains(x, y)) return Hit{HitKind::kXHeader, c, -1};
  }
  for (int r = t.firstRow; r < lastRow; ++r) {
    if (YHeaderRect(t, r).Contains(x, y)) return Hit{HitKind::kYHeader, -1, r};
  }
  for (int c = t.firstColumn; c < lastColumn; ++c) {
    if (ColumnSelectorRect(t, c).Contains(x, y)) return Hit{HitKind::kColumnSelector, c, -1};
  }
  for (int r = t.firstRow; r < lastRow; ++r) {
    if (RowSelectorRect(t, r).Contains(x, y)) return Hit{HitKind::kRowSelector, -1, r};
  }
  if (CornerSquare(t).Contains(x, y)) return Hit{HitKind::kCornerAll};
  const Rect corner = CornerRect(t);
  if (!corner.Contains(x, y)) return Hit{};
  // Above the diagonal from the top-left to the bottom-right corner: X.
  const long long dx = x - corner.left, dy = y - corner.top;
  const bool aboveDiagonal = dy * corner.Width() < dx * corner.Height();
  return Hit{aboveDiagonal ? HitKind::kCornerX : HitKind::kCornerY};
}

int InsertColumnBoundary(const TableLayout& t, int x) {
  if (t.cellWidth <= 0) return std::clamp(t.firstColumn, 0, t.columnCount);
  const int b = static_cast<int>((static_cast<float>(x - t.cellLeft) + t.cellWidth / 2) / t.cellWidth);
  return std::clamp(b + t.firstColumn, 0, t.columnCount);
}

int InsertRowBoundary(const TableLayout& t, int y) {
  if (t.cellHeight <= 0) return std::clamp(t.firstRow, 0, t.rowCount);
  const int b = static_cast<int>((static_cast<float>(y - t.cellTop) + t.cellHeight / 2) / t.cellHeight);
  return std::clamp(b + t.firstRow, 0, t.rowCount);
}

ScrollBarRange ScrollRange(int count, int maxVisible, bool collapsed) {
  ScrollBarRange r;
  r.total = count;
  r.page = maxVisible;
  r.active = !collapsed && count > maxVisible;
  r.maxPosition = r.active ? count - maxVisible : 0;
  return r;
}

Rect HorizontalScrollBarRect(const TableLayout& t) {
  const Rect cells = CellAreaRect(t);
  return Rect{cells.left, cells.bottom, cells.right, cells.bottom + kScrollBarThickness};
}

Rect VerticalScrollBarRect(const TableLayout& t) {
  const Rect cells = CellAreaRect(t);
  return Rect{cells.right, cells.top, cells.right + kScrollBarThickness, cells.bottom};
}

int ScrollPage(int position, const ScrollBarRange& range, bool forward) {
  const int page = std::max(range.page - 1, 1);
  return std::clamp(position + (forward ? page : -page), 0, range.maxPosition);
}

bool DragScrollDue(int32_t tick, int distance) {
  const int every = std::max(1, (100 - distance) / 10);
  return tick % every == 0;
}

int HoldStep(int ticksSincePress, bool fastAllowed) {
  if (ticksSincePress < 16) return 0;
  if (!fastAllowed || ticksSincePress < 36) return 1;
  return ticksSincePress % 2 == 0 ? 10 : 0;
}

BesideGraph GraphBesideTable(const TableLayout& t, const TableFrame& frame) {
  BesideGraph g;
  const Rect cells = CellAreaRect(t);
  const int tableRight = cells.right + 5 + kScrollBarThickness;
  const int tableBottom = cells.bottom + 5 + kScrollBarThickness;
  const double freeHeight = frame.height - tableBottom - t.bottomMargin;
  const double freeWidth = frame.width - tableRight - t.rightMargin;
  const double below =
      t.yCollapsed ? freeHeight * 1.5 : (t.visibleRows > 0 ? freeHeight / (t.visibleRows * 2.0 / 3.0) : 0.0);
  if (below > 100.0) {
    g.place = GraphPlace::kBelow;
    g.area = Rect{t.leftMargin, tableBottom, frame.width - t.rightMargin, frame.height - t.bottomMargin};
  } else if (t.columnCount > 0 && freeWidth / t.columnCount > 100.0) {
    g.place = GraphPlace::kRight;
    g.area = Rect{tableRight, t.topMargin, frame.width - t.rightMargin, frame.height - t.bottomMargin};
  }
  return g;
}

bool LabelPlacer::Place(const Rect& box) {
  for (const Rect& r : placed_) {
    const bool apart = box.right + gap_ <= r.left || r.right + gap_ <= box.left ||
                       box.bottom + gap_ <= r.top || r.bottom + gap_ <= box.top;
    if (!apart) return false;
  }
  placed_.push_back(box);
  return true;
}

}  // namespace ign
