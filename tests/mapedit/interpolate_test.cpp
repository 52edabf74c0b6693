#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/mapedit/commands.h"
#include "core/mapedit/selection.h"
#include "tests/mapedit/fixtures.h"

namespace ign {
namespace {

using test::SetValues;
using test::Values;
using ::testing::ElementsAre;

// A 3 x 3 sheet with X 10, 20, 40 and Y 0, 1, 2.
class InterpolateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m.AddSheet("A", "X", "Y", "D", 3, 3, 0);
    AxisDefinition axis;
    axis.count = 3;
    axis.options = AxisOption::kNumeric;
    m.DefineAxis(0, AxisMask::kX | AxisMask::kY, axis);
    AxisDefinition d;
    d.minimum = -100;
    d.maximum = 100;
    m.DefineAxis(0, AxisMask::kData, d);
    SetValues(S().x, {10, 20, 40});
    SetValues(S().y, {0, 1, 2});
    m.Normalise(Change::kAll | Change::kReset);
    m.SetOnSheetChanged([this](CTabModel&, unsigned changed) { reported |= changed; });
  }
  CSheet& S() { return *m.Active(); }
  std::vector<int32_t> Row(int r) { return {S().Cell(0, r), S().Cell(1, r), S().Cell(2, r)}; }

  CTabModel m{EditorFlag::kTableView};
  unsigned reported = 0;
};

TEST_F(InterpolateTest, RowUsesNumericAxisValuesAsWeights) {
  S().Cell(0, 0) = 0;
  S().Cell(1, 0) = 7;
  S().Cell(2, 0) = 10;
  Select(S(), SelKind::kCells, 0, 0, 2, 0);
  ASSERT_TRUE(Interpolate(m, 1));
  EXPECT_THAT(Row(0), ElementsAre(0, 3, 10));
  EXPECT_TRUE(S().sel.Empty());
  EXPECT_EQ(reported, Change::kData);
}

TEST_F(InterpolateTest, RowUsesIndicesOnANonNumericAxis) {
  S().x.numeric = 0;
  S().Cell(1, 0) = 7;
  S().Cell(2, 0) = 10;
  Select(S(), SelKind::kCells, 0, 0, 2, 0);
  ASSERT_TRUE(Interpolate(m, 1));
  EXPECT_THAT(Row(0), ElementsAre(0, 5, 10));
}

TEST_F(InterpolateTest, BlockCentreIsTheMeanOfItsCorners) {
  S().x.numeric = 0;
  S().Cell(0, 0) = 0;
  S().Cell(2, 0) = 10;
  S().Cell(0, 2) = 20;
  S().Cell(2, 2) = 30;
  S().Cell(1, 1) = 99;
  Select(S(), SelKind::kCells, 0, 0, 2, 2);
  ASSERT_TRUE(Interpolate(m, 1));
  EXPECT_EQ(S().Cell(1, 1), 15);
  EXPECT_THAT(Row(0), ElementsAre(0, 5, 10));
  EXPECT_THAT(Row(2), ElementsAre(20, 25, 30));
}

TEST_F(InterpolateTest, HalvesRoundAwayFromZero) {
  S().x.numeric = 0;
  S().Cell(0, 0) = 0;
  S().Cell(2, 0) = -5;
  S().Cell(0, 1) = 0;
  S().Cell(2, 1) = 5;
  Select(S(), SelKind::kCells, 0, 0, 2, 1);
  ASSERT_TRUE(Interpolate(m, 1));
  EXPECT_EQ(S().Cell(1, 0), -3);
  EXPECT_EQ(S().Cell(1, 1), 3);
}

TEST_F(InterpolateTest, EqualAxisValuesWeighHalf) {
  S().y.values[0] = 5;
  S().y.values[2] = 5;  // not normalised: only the weights are under test
  S().Cell(0, 0) = 0;
  S().Cell(0, 2) = 10;
  Select(S(), SelKind::kCells, 0, 0, 0, 2);
  ASSERT_TRUE(Interpolate(m, 1));
  EXPECT_EQ(S().Cell(0, 1), 5);
  EXPECT_EQ(S().Cell(0, 0), 5);  // h is 0.5 everywhere
}

TEST_F(InterpolateTest, RunOfAxisPointsByIndex) {
  SetValues(S().x, {10, 11, 40});
  m.Normalise(Change::kX | Change::kReset);
  Select(S(), SelKind::kXPoints, 0, -1, 2, -1);
  ASSERT_TRUE(Interpolate(m, 1));
  EXPECT_THAT(Values(S().x), ElementsAre(10, 25, 40));
  EXPECT_EQ(reported, Change::kX);
}

TEST_F(InterpolateTest, NeedsARectangleOfAtLeastThreePoints) {
  S().Cell(1, 0) = 7;
  Select(S(), SelKind::kCells, 0, 0, 1, 1);  // 2 x 2: no rectangle
  EXPECT_FALSE(Interpolate(m, 1));
  Select(S(), SelKind::kCells, 0, 0, 2, 0);
  Select(S(), SelKind::kCells, 1, 1, 1, 1, true);  // no longer one rectangle
  EXPECT_FALSE(S().sel.rectangle);
  EXPECT_FALSE(Interpolate(m, 1));
  EXPECT_EQ(S().Cell(1, 0), 7);
  EXPECT_EQ(reported, 0u);
}

TEST_F(InterpolateTest, NotEditableDataIsLeftAlone) {
  S().data.editable = 0;
  S().Cell(1, 0) = 7;
  Select(S(), SelKind::kCells, 0, 0, 2, 0);
  EXPECT_FALSE(Interpolate(m, 1));
  EXPECT_EQ(S().Cell(1, 0), 7);
}

TEST_F(InterpolateTest, PreviewHoldsTheInterpolationOverStoredValues) {
  S().Cell(1, 0) = 7;
  S().Cell(2, 0) = 10;
  S().Cell(1, 1) = 42;
  Select(S(), SelKind::kCells, 0, 0, 2, 0);
  std::array<int32_t, kMaxCells> preview{};
  FillPreview(S(), preview);
  EXPECT_EQ(preview[1], 3);
  EXPECT_EQ(preview[CSheet::CellIndex(1, 1)], 42);
  EXPECT_EQ(S().Cell(1, 0), 7);  // the preview changes nothing
}

TEST_F(InterpolateTest, RectangleCornersAreMarked) {
  Select(S(), SelKind::kCells, 0, 0, 2, 1);
  const TSel& sel = S().sel;
  ASSERT_TRUE(sel.rectangle);
  EXPECT_EQ(sel.selectedCount, 6);
  for (int c = 0; c < 3; ++c) {
    for (int r = 0; r < 2; ++r) {
      const bool corner = (c == 0 || c == 2);
      EXPECT_EQ((sel.cellState[CSheet::CellIndex(c, r)] & SelBit::kCorner) != 0, corner) << c << "," << r;
    }
  }
}

}  // namespace
}  // namespace ign
