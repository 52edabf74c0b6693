#pragma once
// Table view geometry as pure functions: the frame of the editor, the
// table layout, cell and header rectangles, scrolling rules, the insert
// boundary under the pointer and hit testing. Pixels are ints; cell sizes
// are floats as the layout computes them.
#include <cstdint>
#include <span>
#include <vector>

#include "core/mapedit/sheet.h"

namespace ign {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const Rect&) const = default;
};

// ---- frame of the control ----
inline constexpr int kMargin = 10;
inline constexpr int kScrollBarThickness = 15;
inline constexpr int kRightMargin = kMargin + 17;   // includes the vertical scroll bar
inline constexpr int kBottomMargin = kMargin + 17;  // includes the horizontal scroll bar
inline constexpr int kSheetTabHeight = 20;
inline constexpr int kToolbarLine = 5;
inline constexpr int kToolbarLineMoved = 25;  // when the toolbar would overlap the tabs

// Sheet tabs from x = 2, each as wide as its sheet's name width, the active
// one 2 px wider; hidden sheets get an empty rectangle. No tabs (all empty)
// with fewer than two sheets.
std::vector<Rect> SheetTabRects(std::span<const CSheet> sheets, int activeSheet);
// The toolbar line: moved down when the tabs reach the toolbar's left end.
int ToolbarLineFor(std::span<const Rect> tabs, int toolbarLeft);
// The top of the view area below the tabs and the toolbar.
int ViewTop(uint32_t editorFlags, int sheetCount, int toolbarLine);

// ---- table layout ----
struct TableFrame {
  int width = 500;  // control size
  int height = 200;
  int viewTop = kMargin;
  int dpi = 96;
  uint32_t editorFlags = 0;
  int maxVisibleColumns = 15;
  int maxVisibleRows = 10;
};

struct TableLayout {
  int leftMargin = kMargin, topMargin = kMargin, rightMargin = kRightMargin, bottomMargin = kBottomMargin;
  int rowHeaderWidth = 65;  // 45 in the compact layout, scaled by dpi / 96
  int strip = 15;           // selector strips, scaled by dpi / 96
  int columnHeaderHeight = 0;
  int cellLeft = 0, cellTop = 0;
  // The compact layout moves the cells by half a cell right and down (the
  // switch map's regions begin there); the corner ends before that shift.
  int shiftX = 0, shiftY = 0;
  float cellWidth = 0, cellHeight = 0;
  int visibleColumns = 0, visibleRows = 0;
  int firstColumn = 0, firstRow = 0;  // first shown (the collapsed index when collapsed)
  int columnCount = 0, rowCount = 0;  // axis counts
  bool xCollapsed = false, yCollapsed = false;
};

// Points shown at once along an axis: 1 when collapsed, else
// min(maxVisible, count).
int VisibleCount(int count, int maxVisible, bool collapsed);
// The layout steps: header and strip sizes, cell area, cell sizes, visible
// counts, first shown points (firstVisible kept in 0 .. count - visible).
TableLayout ComputeTableLayout(const CSheet& sheet, const TableFrame& frame);

// Pixel position of absolute column / row i (left / top edge).
int ColumnX(const TableLayout& layout, int column);
int RowY(const TableLayout& layout, int row);
bool ColumnShown(const TableLayout& layout, int column);
bool RowShown(const TableLayout& layout, int row);

Rect CellRect(const TableLayout& layout, int column, int row);
Rect XHeaderRect(const TableLayout& layout, int column);
Rect ColumnSelectorRect(const TableLayout& layout, int column);
Rect YHeaderRect(const TableLayout& layout, int row);
Rect RowSelectorRect(const TableLayout& layout, int row);
Rect CellAreaRect(const TableLayout& layout);  // the shown cells
Rect CornerRect(const TableLayout& layout);    // headers' corner with the strips
Rect CornerSquare(const TableLayout& layout);  // where the two strips meet

// ---- hit testing ----
enum class HitKind {
  kNone,
  kCell,
  kXHeader,
  kYHeader,
  kColumnSelector,
  kRowSelector,
  kCornerX,    // corner above its diagonal: the X axis
  kCornerY,    // below the diagonal: the Y axis
  kCornerAll,  // the square where the strips meet: all cells
};
struct Hit {
  HitKind kind = HitKind::kNone;
  int column = -1;
  int row = -1;
  bool operator==(const Hit&) const = default;
};
// Tests shown cells, then X headers, Y headers, column selectors, row
// selectors, then the corner (the square, else split by its diagonal).
Hit HitTest(const TableLayout& layout, int x, int y);

// The boundary nearest to the pointer where "insert here" puts a new column
// (before column b): (x - cell left + half a cell) / cell width, truncated,
// plus the first shown column; kept in 0 .. count. Rows alike.
int InsertColumnBoundary(const TableLayout& layout, int x);
int InsertRowBoundary(const TableLayout& layout, int y);

// ---- scrolling ----
int ClampFirstVisible(int first, int count, int visible);
// The first visible index after bringing index into view: a point before
// the window becomes the first, one after it the last visible.
int ScrollIntoView(int first, int visible, int count, int index);

struct ScrollBarRange {
  bool active = false;  // more points than the maximum visible, not collapsed
  int total = 0;        // count
  int page = 0;         // maximum visible
  int maxPosition = 0;  // count - page when active
};
ScrollBarRange ScrollRange(int count, int maxVisible, bool collapsed);
// Below the shown cells / right of them, 15 px thick.
Rect HorizontalScrollBarRect(const TableLayout& layout);
Rect VerticalScrollBarRect(const TableLayout& layout);
// The position after clicking the track beside the thumb: page - 1 (at
// least 1) towards the click.
int ScrollPage(int position, const ScrollBarRange& range, bool forward);

// ---- timing rules of held buttons and gestures (counts of ticks) ----
// A selection dragged d px outside the table scrolls on ticks divisible by
// max(1, (100 - d) / 10).
bool DragScrollDue(int32_t tick, int distance);
// Step of a held +/- button t ticks after the press: 0 before tick 16, 1 on
// every tick from 16, and with fast stepping 10 on every second tick from 36.
int HoldStep(int ticksSincePress, bool fastAllowed);
// A held scroll-bar arrow or track repeats from the third tick.
inline bool ScrollRepeatDue(int ticksSincePress) { return ticksSincePress >= 3; }
// The caret shows for 8 ticks of every 16.
inline bool CaretVisible(int blinkCounter) { return (blinkCounter % 16) < 8; }

// ---- table beside the graph ----
enum class GraphPlace { kNone, kBelow, kRight };
struct BesideGraph {
  GraphPlace place = GraphPlace::kNone;
  Rect area;
};
// Where a 2D graph fits beside a table with fewer points than the maximum.
BesideGraph GraphBesideTable(const TableLayout& layout, const TableFrame& frame);

// ---- labels that must not overlap ----
// Boxes of labels placed one after another (axis labels of the 3D view, in
// any order of axes): a box that would touch or come within gap px of one
// placed before is refused, so that the label is left out.
class LabelPlacer {
 public:
  explicit LabelPlacer(int gap = 2) : gap_(gap) {}
  // Reserves a box that labels must keep clear of (another text).
  void Reserve(const Rect& box) { placed_.push_back(box); }
  // True (and the box kept) when it is clear of every box kept so far.
  bool Place(const Rect& box);

 private:
  int gap_;
  std::vector<Rect> placed_;
};

}  // namespace ign
