#include "core/mapedit/normalise.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "tests/mapedit/fixtures.h"

namespace ign {
namespace {

using test::SetValues;
using test::Values;
using ::testing::ElementsAre;

// An axis of the given values, normalised once so that they are its saved
// state (as after loading).
CAxe MakeAxis(std::initializer_list<int32_t> values, int32_t minimum = 0, int32_t maximum = 100,
              int32_t step = 1) {
  CAxe axis(10);
  axis.count = static_cast<int>(values.size());
  axis.minimum = minimum;
  axis.maximum = maximum;
  axis.step = step;
  SetValues(axis, values);
  NormaliseAxis(axis, true);
  return axis;
}

void Edit(CAxe& axis, int index, int32_t value) {
  axis.values[static_cast<std::size_t>(index)] = value;
  NormaliseAxis(axis, false);
}

TEST(NormaliseAxis, EditedPointIsRaisedToItsLowestPlace) {
  CAxe axis = MakeAxis({3, 5, 7}, 3, 250);
  Edit(axis, 1, 2);
  EXPECT_THAT(Values(axis), ElementsAre(3, 4, 7));
}

TEST(NormaliseAxis, PushedNeighbourSpringsBackWhenTheSamePointReturns) {
  CAxe axis = MakeAxis({10, 20, 30});
  Edit(axis, 0, 25);
  EXPECT_THAT(Values(axis), ElementsAre(25, 26, 30));
  Edit(axis, 0, 15);
  EXPECT_THAT(Values(axis), ElementsAre(15, 20, 30));
}

TEST(NormaliseAxis, ChainOfPushedNeighboursReturnsHome) {
  CAxe axis = MakeAxis({10, 20, 30});
  Edit(axis, 0, 35);
  EXPECT_THAT(Values(axis), ElementsAre(35, 36, 37));
  Edit(axis, 0, 10);
  EXPECT_THAT(Values(axis), ElementsAre(10, 20, 30));
}

TEST(NormaliseAxis, PushingDownwardsSpringsBackUpwards) {
  CAxe axis = MakeAxis({10, 20, 30});
  Edit(axis, 2, 5);
  EXPECT_THAT(Values(axis), ElementsAre(3, 4, 5));
  Edit(axis, 2, 30);
  EXPECT_THAT(Values(axis), ElementsAre(10, 20, 30));
}

TEST(NormaliseAxis, EditingAnotherPointForgetsTheMemory) {
  CAxe axis = MakeAxis({10, 20, 30});
  Edit(axis, 0, 25);
  Edit(axis, 2, 40);
  EXPECT_THAT(Values(axis), ElementsAre(25, 26, 40));
  Edit(axis, 0, 10);
  EXPECT_THAT(Values(axis), ElementsAre(10, 26, 40));
}

TEST(NormaliseAxis, NormalisingWithoutAChangeKeepsTheMemory) {
  CAxe axis = MakeAxis({10, 20, 30});
  Edit(axis, 0, 25);
  NormaliseAxis(axis, false);  // nothing changed (another part was edited)
  Edit(axis, 0, 10);
  EXPECT_THAT(Values(axis), ElementsAre(10, 20, 30));
}

TEST(NormaliseAxis, ResetClampsAgainstTheMaximum) {
  CAxe axis(10);
  axis.count = 3;
  axis.minimum = 0;
  axis.maximum = 250;
  SetValues(axis, {100, 200, 300});
  NormaliseAxis(axis, true);
  EXPECT_THAT(Values(axis), ElementsAre(100, 200, 250));
  EXPECT_EQ(axis.lastEdited, kNoEditedPoint);
}

TEST(NormaliseAxis, SinglePointIsClampedIntoTheLimits) {
  for (int32_t value : {-7, 500}) {
    CAxe axis(1);
    axis.count = 1;
    axis.minimum = 3;
    axis.maximum = 250;
    SetValues(axis, {value});
    NormaliseAxis(axis, true);
    EXPECT_THAT(Values(axis), ElementsAre(value < 0 ? 3 : 250)) << value;
  }
}

TEST(NormaliseAxis, PointsBeyondTheCountStayAsTheyAre) {
  CAxe axis(5);
  axis.count = 2;
  SetValues(axis, {50, 40, 7, 3, 1});
  NormaliseAxis(axis, true);
  EXPECT_THAT(axis.values, ElementsAre(50, 51, 7, 3, 1));
}

TEST(NormaliseAxis, BrokenCountsAreBroughtBackIntoRange) {
  CAxe axis(4);
  axis.count = 99;
  axis.minCount = -5;
  NormaliseAxis(axis, true);
  EXPECT_EQ(axis.minCount, 1);
  EXPECT_EQ(axis.count, 4);
  axis.capacity = 1000;  // more than the stored values
  axis.count = 1000;
  NormaliseAxis(axis, false);
  EXPECT_EQ(axis.capacity, 4);
  EXPECT_EQ(axis.count, 4);
}

TEST(NormaliseAxis, SeveralChangedPointsForgetTheMemory) {
  CAxe axis = MakeAxis({10, 20, 30});
  Edit(axis, 0, 25);  // 25, 26 (home 20), 30
  axis.values[0] = 26;
  axis.values[1] = 27;
  NormaliseAxis(axis, false);  // the user moved both: 27 is no longer a pushed value
  Edit(axis, 0, 10);
  EXPECT_THAT(Values(axis), ElementsAre(10, 27, 30));
}

void ExpectValid(const CAxe& axis, const char* what) {
  for (int i = 0; i < axis.count; ++i) {
    const int32_t v = axis.values[static_cast<std::size_t>(i)];
    ASSERT_GE(v, axis.minimum) << what << " point " << i;
    ASSERT_LE(v, axis.maximum) << what << " point " << i;
    if (i > 0) {
      ASSERT_GE(v - axis.values[static_cast<std::size_t>(i - 1)], axis.step) << what << " point " << i;
    }
  }
}

TEST(NormaliseAxisProperty, RandomEditsKeepTheAxisValidAndReturnRestoresNeighbours) {
  std::mt19937 random(20240611);
  for (int trial = 0; trial < 300; ++trial) {
    const int count = std::uniform_int_distribution<int>(1, 10)(random);
    const int32_t step = std::uniform_int_distribution<int32_t>(1, 5)(random);
    CAxe axis(10);
    axis.count = count;
    axis.minimum = 3;
    axis.maximum = 250;
    axis.step = step;
    std::uniform_int_distribution<int32_t> anyValue(-50, 300);
    for (int i = 0; i < count; ++i) axis.values[static_cast<std::size_t>(i)] = anyValue(random);
    NormaliseAxis(axis, true);
    ExpectValid(axis, "after reset");

    // A few multi-point edits.
    for (int k = 0; k < 3; ++k) {
      for (int i = 0; i < count; ++i) {
        if (random() % 2) axis.values[static_cast<std::size_t>(i)] = anyValue(random);
      }
      NormaliseAxis(axis, false);
      ExpectValid(axis, "after a multi-point edit");
    }

    // One point dragged around and back: every neighbour returns.
    const std::vector<int32_t> before = Values(axis);
    const int point = std::uniform_int_distribution<int>(0, count - 1)(random);
    for (int k = 0; k < 6; ++k) {
      Edit(axis, point, anyValue(random));
      ExpectValid(axis, "after a single-point edit");
    }
    Edit(axis, point, before[static_cast<std::size_t>(point)]);
    ASSERT_EQ(Values(axis), before) << "trial " << trial << ", point " << point;
  }
}

TEST(ClampData, ClampsTheUsedCellsOnly) {
  CSheet sheet(3, 2);
  sheet.data.minimum = -30;
  sheet.data.maximum = 60;
  sheet.Cell(0, 0) = -31;
  sheet.Cell(2, 1) = 61;
  sheet.Cell(3, 0) = 999;   // beyond the used columns
  sheet.Cell(0, 2) = -999;  // beyond the used rows
  ClampData(sheet);
  EXPECT_EQ(sheet.Cell(0, 0), -30);
  EXPECT_EQ(sheet.Cell(2, 1), 60);
  EXPECT_EQ(sheet.Cell(3, 0), 999);
  EXPECT_EQ(sheet.Cell(0, 2), -999);
}

TEST(ClampData, CompactLayoutUsesOneMoreColumnAndRow) {
  CSheet sheet(3, 2);
  sheet.compactCells = true;
  sheet.data.maximum = 2;
  sheet.Cell(3, 2) = 5;
  sheet.Cell(4, 2) = 5;
  ClampData(sheet);
  EXPECT_EQ(sheet.Cell(3, 2), 2);
  EXPECT_EQ(sheet.Cell(4, 2), 5);
}

TEST(ClampData, FullCompactSheetStaysInsideTheRowPitch) {
  CSheet sheet(kMaxColumns, kMaxRows);
  sheet.compactCells = true;
  EXPECT_EQ(sheet.UsedColumns(), kMaxColumns);
  EXPECT_EQ(sheet.UsedRows(), kMaxRows);
}

}  // namespace
}  // namespace ign
