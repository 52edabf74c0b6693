#include "core/mapedit/mouse_select.h"

#include <gtest/gtest.h>

#include "core/mapedit/selection.h"
#include "tests/mapedit/fixtures.h"

namespace ign {
namespace {

class MouseSelectTest : public ::testing::Test {
 protected:
  CSheet& Sheet() { return *m.Active(); }
  void Click(Hit hit, bool shift = false, bool ctrl = false) {
    ASSERT_TRUE(BeginMouseSelection(Sheet(), hit, shift, ctrl));
    EndMouseSelection(Sheet());
  }
  CTabModel m = test::MakeAdvanceEditor();
};

TEST_F(MouseSelectTest, DragMarksOnlyUntilReleaseAndThenCommitsARectangle) {
  CSheet& s = Sheet();
  ASSERT_TRUE(BeginMouseSelection(s, {HitKind::kCell, 2, 2}, false, false));
  DragMouseSelection(s, 4, 5);
  EXPECT_TRUE(s.sel.Empty());
  EXPECT_TRUE(s.sel.cellState[CSheet::CellIndex(4, 5)] & SelBit::kMarking);
  DragMouseSelection(s, 3, 2);  // marks follow the pointer back
  EXPECT_FALSE(s.sel.cellState[CSheet::CellIndex(4, 5)] & SelBit::kMarking);
  DragMouseSelection(s, 4, 5);
  EndMouseSelection(s);
  EXPECT_EQ(s.sel.selectedCount, 12);
  EXPECT_TRUE(s.sel.rectangle);
  EXPECT_TRUE(s.sel.cellState[CSheet::CellIndex(4, 5)] & SelBit::kCorner);
  EXPECT_FALSE(s.sel.cellState[CSheet::CellIndex(4, 5)] & SelBit::kMarking);
}

TEST_F(MouseSelectTest, ShiftAndCtrlRules) {
  CSheet& s = Sheet();
  Click({HitKind::kCell, 1, 1});
  Click({HitKind::kCell, 5, 5}, false, true);  // Ctrl adds
  EXPECT_EQ(s.sel.selectedCount, 2);
  Click({HitKind::kCell, 7, 5}, true, false);  // Shift extends from the anchor (5, 5)
  EXPECT_EQ(s.sel.selectedCount, 4);
  EXPECT_TRUE(CellSelected(s, 1, 1));
  Click({HitKind::kCell, 0, 0}, true, true);  // both clear
  EXPECT_EQ(s.sel.selectedCount, 1);
  Click({HitKind::kXHeader, 3, -1}, false, true);  // another kind clears even with Ctrl
  EXPECT_EQ(s.sel.kind, SelKind::kXPoints);
  EXPECT_EQ(s.sel.selectedCount, 1);
  Click({HitKind::kColumnSelector, 2, -1});
  Click({HitKind::kCell, 6, 0}, false, true);  // selectors count as cells
  EXPECT_EQ(s.sel.selectedCount, 11);
}

TEST_F(MouseSelectTest, CornerSquareTogglesAllCellsAndTrianglesPickAnAxis) {
  CSheet& s = Sheet();
  ASSERT_TRUE(CornerClick(s, HitKind::kCornerAll));
  EXPECT_EQ(s.sel.selectedCount, 150);
  ASSERT_TRUE(CornerClick(s, HitKind::kCornerAll));
  EXPECT_TRUE(s.sel.Empty());
  ASSERT_TRUE(CornerClick(s, HitKind::kCornerX));
  EXPECT_EQ(s.sel.kind, SelKind::kXPoints);
  EXPECT_EQ(s.sel.selectedCount, 15);
  ASSERT_TRUE(CornerClick(s, HitKind::kCornerY));
  EXPECT_EQ(s.sel.selectedCount, 10);
  EXPECT_FALSE(CornerClick(s, HitKind::kCell));
}

TEST_F(MouseSelectTest, RightPressSelectsAnUnselectedItemAloneAndKeepsASelectedOne) {
  CSheet& s = Sheet();
  Select(s, SelKind::kCells, 1, 1, 3, 3);
  EXPECT_FALSE(RightPressSelect(s, {HitKind::kCell, 2, 2}));
  EXPECT_EQ(s.sel.selectedCount, 9);
  EXPECT_TRUE(RightPressSelect(s, {HitKind::kCell, 6, 6}));
  EXPECT_EQ(s.sel.selectedCount, 1);
  EXPECT_TRUE(CellSelected(s, 6, 6));
  EXPECT_TRUE(RightPressSelect(s, {HitKind::kColumnSelector, 4, -1}));
  EXPECT_EQ(s.sel.selectedCount, 10);
  EXPECT_FALSE(RightPressSelect(s, {HitKind::kColumnSelector, 4, -1}));
  EXPECT_FALSE(RightPressSelect(s, {HitKind::kNone}));
}

TEST_F(MouseSelectTest, CancelLeavesTheCommittedSelection) {
  CSheet& s = Sheet();
  Select(s, SelKind::kCells, 0, 0, 0, 0);
  ASSERT_TRUE(BeginMouseSelection(s, {HitKind::kCell, 3, 3}, false, true));
  DragMouseSelection(s, 5, 5);
  CancelMouseSelection(s);
  EXPECT_EQ(s.sel.selectedCount, 1);
  for (uint16_t st : s.sel.cellState) EXPECT_FALSE(st & SelBit::kMarking);
}

TEST_F(MouseSelectTest, NearestShownPointAndDistanceOutsideTheCells) {
  const TableLayout t = ComputeTableLayout(Sheet(), TableFrame{1000, 450, 36, 96, 113, 15, 10});
  EXPECT_EQ(NearestShownPoint(t, 150, 120), (Cursor{1, 1}));
  EXPECT_EQ(NearestShownPoint(t, -50, 5000), (Cursor{0, 9}));
  EXPECT_EQ(NearestShownPoint(t, 5000, -50), (Cursor{14, 0}));
  const Outside o = OutsideCells(t, 80, 433);  // cells span 90..973 x 84..423
  EXPECT_EQ(o.dx, -10);
  EXPECT_EQ(o.dy, 11);
  EXPECT_EQ(OutsideCells(t, 500, 200).dx, 0);
}

}  // namespace
}  // namespace ign
