#include "core/mapedit/geometry.h"

#include <gtest/gtest.h>

#include "tests/mapedit/fixtures.h"

namespace ign {
namespace {

// The advance map at the Advance Map page's size: 1000 x 450, view top 36.
// Header height (450 - 36 - 15 - 27) / 11 = 33; cell area at (90, 84);
// cells 883 / 15 = 58.87 wide and 339 / 10 = 33.9 high.
class AdvanceLayoutTest : public ::testing::Test {
 protected:
  TableLayout Layout() { return ComputeTableLayout(*m.Active(), frame); }
  CTabModel m = test::MakeAdvanceEditor();
  TableFrame frame{1000, 450, 36, 96, test::kAdvanceEditorFlags, 15, 10};
};

TEST_F(AdvanceLayoutTest, LayoutSteps) {
  const TableLayout t = Layout();
  EXPECT_EQ(t.rowHeaderWidth, 65);
  EXPECT_EQ(t.strip, 15);
  EXPECT_EQ(t.columnHeaderHeight, 33);
  EXPECT_EQ(t.cellLeft, 90);
  EXPECT_EQ(t.cellTop, 84);
  EXPECT_NEAR(t.cellWidth, 58.8667, 1e-3);
  EXPECT_NEAR(t.cellHeight, 33.9, 1e-3);
  EXPECT_EQ(t.visibleColumns, 15);
  EXPECT_EQ(t.visibleRows, 10);
}

TEST_F(AdvanceLayoutTest, CellAndHeaderRectangles) {
  const TableLayout t = Layout();
  EXPECT_EQ(CellRect(t, 1, 1), (Rect{148, 117, 207, 151}));
  EXPECT_EQ(XHeaderRect(t, 1), (Rect{148, 36, 207, 69}));
  EXPECT_EQ(ColumnSelectorRect(t, 1), (Rect{148, 69, 207, 84}));
  EXPECT_EQ(YHeaderRect(t, 1), (Rect{10, 117, 75, 151}));
  EXPECT_EQ(RowSelectorRect(t, 1), (Rect{75, 117, 90, 151}));
  EXPECT_EQ(CornerRect(t), (Rect{10, 36, 90, 84}));
  EXPECT_EQ(CornerSquare(t), (Rect{75, 69, 90, 84}));
  EXPECT_EQ(CellAreaRect(t), (Rect{90, 84, 973, 423}));
  EXPECT_EQ(HorizontalScrollBarRect(t), (Rect{90, 423, 973, 438}));
  EXPECT_EQ(VerticalScrollBarRect(t), (Rect{973, 84, 988, 423}));
}

// The compact layout moves the cells half a cell right and down, where the
// switch map's regions begin: the corner ends before that shift, so it never
// covers the first region.
TEST_F(AdvanceLayoutTest, CompactCornerEndsWhereTheRegionsBegin) {
  frame.editorFlags |= EditorFlag::kCompact;
  const TableLayout t = Layout();
  EXPECT_EQ(t.shiftX, int(t.cellWidth / 2));
  EXPECT_EQ(t.shiftY, int(t.cellHeight / 2));
  const Rect corner = CornerRect(t);
  EXPECT_EQ(corner.right, t.leftMargin + t.rowHeaderWidth + t.strip);
  EXPECT_EQ(corner.bottom, t.topMargin + t.columnHeaderHeight + t.strip);
  EXPECT_EQ(CornerSquare(t).right, corner.right);
}

struct HitCase {
  int x, y;
  Hit expected;
};

TEST_F(AdvanceLayoutTest, HitTestOrderAndTheCornerDiagonal) {
  const TableLayout t = Layout();
  const HitCase cases[] = {
      {150, 120, {HitKind::kCell, 1, 1}},
      {972, 422, {HitKind::kCell, 14, 9}},
      {150, 50, {HitKind::kXHeader, 1, -1}},
      {20, 120, {HitKind::kYHeader, -1, 1}},
      {150, 75, {HitKind::kColumnSelector, 1, -1}},
      {80, 120, {HitKind::kRowSelector, -1, 1}},
      {80, 75, {HitKind::kCornerAll}},
      {60, 40, {HitKind::kCornerX}},  // above the diagonal of the 80 x 48 corner
      {15, 80, {HitKind::kCornerY}},  // below it
      {50, 60, {HitKind::kCornerY}},  // 24 * 80 = 1920 > 40 * 48 = 1920 is not above
      {51, 60, {HitKind::kCornerX}},
      {973, 100, {}},  // right of the last column
      {500, 10, {}},   // above the table
  };
  for (const HitCase& c : cases) EXPECT_EQ(HitTest(t, c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST_F(AdvanceLayoutTest, ScrolledTableHitsAndDrawsFromTheFirstVisibleColumn) {
  // 20 columns in a wider sheet.
  CTabModel wide(test::kAdvanceEditorFlags);
  wide.AddSheet("W", "RPM", "TP", "D", 20, 10, 0);
  AxisDefinition x;
  x.count = 20;
  wide.DefineAxis(0, AxisMask::kX, x);
  CSheet& s = wide.Sheet(0);
  s.x.firstVisible = 3;
  const TableLayout t = ComputeTableLayout(s, frame);
  EXPECT_EQ(t.firstColumn, 3);
  EXPECT_EQ(ColumnX(t, 3), 90);
  EXPECT_EQ(HitTest(t, 150, 120), (Hit{HitKind::kCell, 4, 1}));
  EXPECT_FALSE(ColumnShown(t, 2));
  EXPECT_TRUE(ColumnShown(t, 17));
  EXPECT_FALSE(ColumnShown(t, 18));
  s.x.firstVisible = 9;  // beyond count - visible
  EXPECT_EQ(ComputeTableLayout(s, frame).firstColumn, 5);
}

TEST_F(AdvanceLayoutTest, CollapsedAxisShowsItsPreferredPointOnly) {
  m.Active()->y.collapsed = 1;
  const TableLayout t = Layout();
  EXPECT_EQ(t.visibleRows, 1);
  EXPECT_EQ(t.firstRow, 9);  // preferred: last
  EXPECT_EQ(RowY(t, 9), 84);
  EXPECT_EQ(HitTest(t, 150, 100), (Hit{HitKind::kCell, 1, 9}));
  EXPECT_EQ(HitTest(t, 150, 130).kind, HitKind::kNone);
}

TEST_F(AdvanceLayoutTest, InsertBoundaryIsTheNearestColumnEdge) {
  const TableLayout t = Layout();
  EXPECT_EQ(InsertColumnBoundary(t, 177), 1);  // 29 px right of the edge of column 1
  EXPECT_EQ(InsertColumnBoundary(t, 180), 2);  // 27 px left of the edge of column 2
  EXPECT_EQ(InsertColumnBoundary(t, 0), 0);
  EXPECT_EQ(InsertColumnBoundary(t, 5000), 15);
  EXPECT_EQ(InsertRowBoundary(t, 117 + 16), 1);
  EXPECT_EQ(InsertRowBoundary(t, 117 + 18), 2);
}

TEST_F(AdvanceLayoutTest, GraphBesideASmallTable) {
  CSheet& s = *m.Active();
  s.x.count = 5;
  s.y.count = 3;
  EXPECT_EQ(GraphBesideTable(Layout(), frame).place, GraphPlace::kBelow);
  s.y.count = 10;
  EXPECT_EQ(GraphBesideTable(Layout(), frame).place, GraphPlace::kRight);
  s.x.count = 15;
  EXPECT_EQ(GraphBesideTable(Layout(), frame).place, GraphPlace::kNone);
}

TEST(Layout, CompactLayoutHasANarrowRowHeaderAndShiftedCells) {
  CTabModel m = test::MakeSwitchEditor();
  const TableFrame frame{400, 200, 10, 96, test::kSwitchEditorFlags, 4, 3};
  const TableLayout t = ComputeTableLayout(*m.Active(), frame);
  EXPECT_EQ(t.rowHeaderWidth, 45);
  EXPECT_EQ(t.columnHeaderHeight, 37);
  EXPECT_NEAR(t.cellWidth, 75.75, 1e-4);
  EXPECT_EQ(t.cellLeft, 70 + 37);
  EXPECT_EQ(t.cellTop, 62 + 18);
}

TEST(Layout, HeaderAndStripScaleWithTheScreen) {
  CTabModel m = test::MakeAdvanceEditor();
  const TableLayout t = ComputeTableLayout(*m.Active(), TableFrame{1000, 450, 36, 144, 0, 15, 10});
  EXPECT_EQ(t.rowHeaderWidth, 97);
  EXPECT_EQ(t.strip, 22);
}

TEST(Frame, ViewTopAndToolbarLine) {
  EXPECT_EQ(ViewTop(113, 2, kToolbarLine), 36);
  EXPECT_EQ(ViewTop(113, 2, kToolbarLineMoved), 56);
  EXPECT_EQ(ViewTop(0x30, 2, kToolbarLine), 25);
  EXPECT_EQ(ViewTop(0x130, 1, kToolbarLine), 25);
  EXPECT_EQ(ViewTop(8240, 1, kToolbarLine), 10);

  std::vector<CSheet> sheets(3);
  sheets[0].nameWidth = 80;
  sheets[1].nameWidth = 90;
  sheets[1].hidden = 1;
  sheets[2].nameWidth = 70;
  const std::vector<Rect> tabs = SheetTabRects(sheets, 2);
  EXPECT_EQ(tabs[0], (Rect{2, 0, 82, 20}));
  EXPECT_TRUE(tabs[1].Empty());
  EXPECT_EQ(tabs[2], (Rect{82, 0, 154, 20}));
  EXPECT_EQ(ToolbarLineFor(tabs, 200), kToolbarLine);
  EXPECT_EQ(ToolbarLineFor(tabs, 150), kToolbarLineMoved);
  EXPECT_TRUE(SheetTabRects(std::vector<CSheet>(1), 0)[0].Empty());
}

TEST(Scrolling, ScrollBarRange) {
  const ScrollBarRange twenty = ScrollRange(20, 15, false);
  EXPECT_TRUE(twenty.active);
  EXPECT_EQ(twenty.maxPosition, 5);
  EXPECT_FALSE(ScrollRange(15, 15, false).active);
  EXPECT_FALSE(ScrollRange(20, 15, true).active);
  EXPECT_EQ(ScrollPage(0, twenty, true), 5);  // page - 1 = 14, held at the end
  EXPECT_EQ(ScrollPage(5, twenty, false), 0);
  EXPECT_EQ(ScrollPage(1, ScrollRange(3, 1, false), true), 2);  // at least one line
}

TEST(Scrolling, ScrollIntoView) {
  EXPECT_EQ(ScrollIntoView(0, 15, 20, 17), 3);  // becomes the last visible
  EXPECT_EQ(ScrollIntoView(5, 15, 20, 2), 2);   // becomes the first
  EXPECT_EQ(ScrollIntoView(3, 15, 20, 10), 3);  // already shown
  EXPECT_EQ(ScrollIntoView(9, 15, 20, 10), 5);  // kept in 0 .. count - visible
  EXPECT_EQ(ScrollIntoView(4, 15, 20, -1), 4);  // no point: unchanged
}

TEST(Timing, HeldButtonSteps) {
  int slow = 0, fast = 0;
  for (int t = 0; t < 40; ++t) {
    slow += HoldStep(t, false);
    fast += HoldStep(t, true);
  }
  EXPECT_EQ(slow, 24);            // 1 per tick from tick 16
  EXPECT_EQ(fast, 20 + 10 + 10);  // 1 per tick to 35, then 10 on ticks 36 and 38
  EXPECT_EQ(HoldStep(15, true), 0);
  EXPECT_EQ(HoldStep(37, true), 0);
}

TEST(Timing, DragScrollSpeedGrowsWithTheDistance) {
  EXPECT_TRUE(DragScrollDue(18, 5));  // every 9th tick
  EXPECT_FALSE(DragScrollDue(19, 5));
  EXPECT_TRUE(DragScrollDue(19, 95));  // every tick
  EXPECT_TRUE(DragScrollDue(7, 150));
  EXPECT_TRUE(ScrollRepeatDue(3));
  EXPECT_FALSE(ScrollRepeatDue(2));
  EXPECT_TRUE(CaretVisible(7));
  EXPECT_FALSE(CaretVisible(8));
  EXPECT_TRUE(CaretVisible(16));
}

}  // namespace
}  // namespace ign

namespace ign {
namespace {

// Labels of all three 3D axes go through one placer: a label is refused when
// its box touches or comes within the gap of any label placed before it.
TEST(LabelPlacer, RefusesBoxesThatOverlapOrCrowdOnesPlacedBefore) {
  struct Case {
    const char* name;
    Rect box;
    bool placed;
  };
  LabelPlacer labels(2);
  ASSERT_TRUE(labels.Place(Rect{100, 100, 130, 112}));  // "30k" of the rpm axis
  labels.Reserve(Rect{0, 0, 50, 12});                   // the angle text
  const Case cases[] = {
      {"across the first label (the 30k5Pa case)", Rect{120, 104, 140, 116}, false},
      {"inside it", Rect{105, 102, 110, 110}, false},
      {"one pixel right of it", Rect{131, 100, 150, 112}, false},
      {"two pixels right of it", Rect{132, 100, 150, 112}, true},
      {"two pixels below it", Rect{100, 114, 130, 126}, true},
      {"over the reserved text", Rect{40, 5, 60, 17}, false},
      {"clear of everything", Rect{300, 300, 320, 312}, true},
      {"over a label placed by an earlier case", Rect{305, 305, 315, 315}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(labels.Place(c.box), c.placed) << c.name;
}

}  // namespace
}  // namespace ign
