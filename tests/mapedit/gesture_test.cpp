// Fill handle and copy-by-dragging arithmetic on the advance map (15 x 10).
#include "core/mapedit/gesture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/mapedit/selection.h"
#include "tests/mapedit/fixtures.h"

namespace ign {
namespace {

using test::Values;
using ::testing::ElementsAre;

class GestureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m.SetOnSheetChanged([this](CTabModel&, unsigned changed) { reports.push_back(changed); });
  }
  CSheet& S() { return *m.Active(); }
  std::vector<int32_t> Row(int r, int c0, int c1) {
    std::vector<int32_t> out;
    for (int c = c0; c <= c1; ++c) out.push_back(S().Cell(c, r));
    return out;
  }
  CTabModel m = test::MakeAdvanceEditor();
  std::vector<unsigned> reports;
};

TEST_F(GestureTest, RunContinuesItsSlopeToTheRight) {
  S().Cell(2, 0) = 10;
  S().Cell(3, 0) = 12;
  Select(S(), SelKind::kCells, 2, 0, 3, 0);
  const GestureBox target = FillTarget(S(), 2, 0);
  EXPECT_EQ(target, (GestureBox{2, 0, 5, 0}));
  ASSERT_TRUE(ApplyFill(m, target, 1));
  EXPECT_THAT(Row(0, 1, 6), ElementsAre(0, 10, 12, 14, 16, 0));
  EXPECT_THAT(reports, ElementsAre(Change::kData));
  EXPECT_EQ(S().sel.boxX0, 2);
  EXPECT_EQ(S().sel.boxX1, 5);
}

TEST_F(GestureTest, RunContinuesItsSlopeToTheLeftWhenTheCornerPassesTheNearOne) {
  S().Cell(2, 0) = 10;
  S().Cell(3, 0) = 12;
  Select(S(), SelKind::kCells, 2, 0, 3, 0);
  const GestureBox target = FillTarget(S(), -2, 0);
  EXPECT_EQ(target, (GestureBox{1, 0, 2, 0}));
  ASSERT_TRUE(ApplyFill(m, target, 1));
  EXPECT_THAT(Row(0, 0, 3), ElementsAre(0, 8, 10, 12));
}

TEST_F(GestureTest, RunDraggedAcrossCopiesTheRowIntoEveryTargetRow) {
  S().Cell(2, 0) = 10;
  S().Cell(3, 0) = 12;
  Select(S(), SelKind::kCells, 2, 0, 3, 0);
  ASSERT_TRUE(ApplyFill(m, FillTarget(S(), 1, 2), 1));
  for (int r = 0; r <= 2; ++r) EXPECT_THAT(Row(r, 2, 4), ElementsAre(10, 12, 14)) << "row " << r;
  EXPECT_THAT(Row(3, 2, 4), ElementsAre(0, 0, 0));
}

TEST_F(GestureTest, BlockContinuesItsEdgeSlopesAndAddsThemAtTheCorner) {
  S().data.maximum = 100;
  S().Cell(2, 2) = 10;
  S().Cell(3, 2) = 20;
  S().Cell(2, 3) = 30;
  S().Cell(3, 3) = 40;
  Select(S(), SelKind::kCells, 2, 2, 3, 3);
  ASSERT_TRUE(ApplyFill(m, FillTarget(S(), 1, 1), 1));
  EXPECT_EQ(S().Cell(4, 4), 70);
  EXPECT_THAT(Row(2, 2, 4), ElementsAre(10, 20, 30));
  EXPECT_THAT(Row(3, 2, 4), ElementsAre(30, 40, 50));
  EXPECT_THAT(Row(4, 2, 4), ElementsAre(50, 60, 70));
}

TEST_F(GestureTest, BlockUpAndLeftUsesTheOtherEdges) {
  S().Cell(2, 2) = 10;
  S().Cell(3, 2) = 20;
  S().Cell(2, 3) = 30;
  S().Cell(3, 3) = 40;
  Select(S(), SelKind::kCells, 2, 2, 3, 3);
  const GestureBox target = FillTarget(S(), -2, -2);
  EXPECT_EQ(target, (GestureBox{1, 1, 2, 2}));
  ASSERT_TRUE(ApplyFill(m, target, 1));
  EXPECT_EQ(S().Cell(1, 1), 10 - 10 - 20);  // corner minus both slopes
  EXPECT_EQ(S().Cell(2, 1), 10 - 20);
  EXPECT_EQ(S().Cell(1, 2), 10 - 10);
}

TEST_F(GestureTest, OneValueFillsTheTarget) {
  S().Cell(0, 0) = 9;
  Select(S(), SelKind::kCells, 0, 0, 0, 0);
  ASSERT_TRUE(ApplyFill(m, FillTarget(S(), 2, 1), 1));
  EXPECT_THAT(Row(0, 0, 3), ElementsAre(9, 9, 9, 0));
  EXPECT_THAT(Row(1, 0, 3), ElementsAre(9, 9, 9, 0));
}

TEST_F(GestureTest, FillResultsAreClampedAndTargetsClipped) {
  S().Cell(12, 0) = 30;
  S().Cell(13, 0) = 50;
  Select(S(), SelKind::kCells, 12, 0, 13, 0);
  const GestureBox target = FillTarget(S(), 100, 0);
  EXPECT_EQ(target, (GestureBox{12, 0, 14, 0}));
  ASSERT_TRUE(ApplyFill(m, target, 1));
  EXPECT_EQ(S().Cell(14, 0), 60);  // 70 clamped to the data maximum
}

TEST_F(GestureTest, FillIntoAnotherRowOfACollapsedSheetIsClipped) {
  S().y.collapsed = 1;
  m.SelectSheet(0);
  Select(S(), SelKind::kCells, 0, 9, 0, 9);
  EXPECT_EQ(FillTarget(S(), 0, -5), (GestureBox{0, 9, 0, 9}));
}

TEST_F(GestureTest, CopyPastTheRightEdgeLandsOnTheLastColumns) {
  S().Cell(10, 0) = 1;
  S().Cell(11, 0) = 2;
  Select(S(), SelKind::kCells, 10, 0, 11, 0);
  const GestureBox target = CopyTarget(S(), 5, 0);
  EXPECT_EQ(target, (GestureBox{13, 0, 14, 0}));
  ASSERT_TRUE(ApplyCopy(m, target, 1));
  EXPECT_THAT(Row(0, 10, 14), ElementsAre(1, 2, 0, 1, 2));
}

TEST_F(GestureTest, CopyPastTheTopLeftCornerIsPushedBack) {
  Select(S(), SelKind::kCells, 3, 3, 5, 4);
  EXPECT_EQ(CopyTarget(S(), -20, -20), (GestureBox{0, 0, 2, 1}));
  EXPECT_EQ(CopyTarget(S(), 20, 20), (GestureBox{12, 8, 14, 9}));
}

TEST_F(GestureTest, OverlappingCopyTakesTheValuesBeforeWriting) {
  for (int c = 0; c < 3; ++c) S().Cell(c, 0) = c + 1;
  Select(S(), SelKind::kCells, 0, 0, 2, 0);
  ASSERT_TRUE(ApplyCopy(m, CopyTarget(S(), 1, 0), 1));
  EXPECT_THAT(Row(0, 0, 3), ElementsAre(1, 1, 2, 3));
}

TEST_F(GestureTest, AxisSelectionsMoveOnlyAlongTheirAxis) {
  Select(S(), SelKind::kXPoints, 0, -1, 1, -1);
  EXPECT_EQ(FillTarget(S(), 2, 7), (GestureBox{0, -1, 3, -1}));
  EXPECT_EQ(CopyTarget(S(), 1, 7), (GestureBox{1, -1, 2, -1}));
}

TEST_F(GestureTest, AxisFillContinuesTheRunAndKeepsTheAxisOrdered) {
  Select(S(), SelKind::kXPoints, 0, -1, 1, -1);  // 10, 15
  ASSERT_TRUE(ApplyFill(m, FillTarget(S(), 2, 0), 1));
  EXPECT_THAT(Values(S().x), ElementsAre(10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80));
  Select(S(), SelKind::kXPoints, 3, -1, 3, -1);  // 25 copied over 30
  ASSERT_TRUE(ApplyCopy(m, CopyTarget(S(), 1, 0), 2));
  EXPECT_EQ(S().x.values[4], 25);  // the written point stays; its neighbour makes room
  EXPECT_EQ(S().x.values[3], 24);
}

TEST_F(GestureTest, NotEditableTargetsAreNotOffered) {
  Select(S(), SelKind::kYPoints, -1, 0, -1, 1);
  EXPECT_FALSE(GestureAllowed(S()));
  const std::vector<int32_t> before = Values(S().y);
  EXPECT_FALSE(ApplyFill(m, FillTarget(S(), 0, 3), 1));
  EXPECT_FALSE(ApplyCopy(m, CopyTarget(S(), 0, 3), 1));
  EXPECT_EQ(Values(S().y), before);
  EXPECT_TRUE(reports.empty());
}

TEST_F(GestureTest, NothingSelectedNothingDone) {
  EXPECT_EQ(FillTarget(S(), 1, 1), GestureBox{});
  EXPECT_FALSE(ApplyFill(m, GestureBox{0, 0, 1, 1}, 1));
}

TEST_F(GestureTest, TargetsOutsideTheTableAreRefused) {
  Select(S(), SelKind::kCells, 0, 0, 0, 0);
  EXPECT_FALSE(ApplyFill(m, GestureBox{14, 0, 15, 0}, 1));
  EXPECT_FALSE(ApplyCopy(m, GestureBox{-1, 0, -1, 0}, 1));
  EXPECT_FALSE(ApplyCopy(m, GestureBox{1, 0, 2, 0}, 1));  // not the source's size
}

}  // namespace
}  // namespace ign
