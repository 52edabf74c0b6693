// Increment and decrement, use only / use both, enable, view choice.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/mapedit/commands.h"
#include "core/mapedit/selection.h"
#include "tests/mapedit/fixtures.h"

namespace ign {
namespace {

using test::Values;
using ::testing::ElementsAre;

class StepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m.SetOnSheetChanged([this](CTabModel&, unsigned changed) { reported |= changed; });
    m.Live().rpm = 3000;     // column 4
    m.Live().throttle = 52;  // row 5
    m.MarkerValues().baseAdvance = 10;
    m.RefreshLiveCell();
  }
  CSheet& S() { return *m.Active(); }
  CTabModel m = test::MakeAdvanceEditor();
  unsigned reported = 0;
};

TEST_F(StepTest, SelectedCellsStepTogether) {
  Select(S(), SelKind::kCells, 1, 1, 2, 2);
  S().Cell(2, 2) = 60;
  ASSERT_TRUE(StepValues(m, +1, 1));
  EXPECT_EQ(S().Cell(1, 1), 1);
  EXPECT_EQ(S().Cell(2, 1), 1);
  EXPECT_EQ(S().Cell(2, 2), 60);  // clamped at the data maximum
  EXPECT_EQ(S().Cell(3, 3), 0);
  EXPECT_EQ(S().Cell(4, 5), 0);  // the live cell is left alone while a selection exists
}

TEST_F(StepTest, SelectedRpmPointPushesItsNeighbour) {
  Select(S(), SelKind::kXPoints, 2, -1, 2, -1);  // X 10, 15, 20, 25, ...
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(StepValues(m, +1, i));
  EXPECT_THAT(Values(S().x),
              ::testing::ElementsAreArray({10, 15, 26, 27, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80}));
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(StepValues(m, -1, 10 + i));
  EXPECT_EQ(S().x.values[3], 25);  // sprung back
}

TEST_F(StepTest, NonEditableSelectionDoesNothing) {
  Select(S(), SelKind::kYPoints, -1, 2, -1, 2);
  EXPECT_FALSE(StepValues(m, +1, 1));
  EXPECT_EQ(S().y.values[2], 20);
  EXPECT_EQ(StepActsOn(m), StepTarget::kSelection);
}

TEST_F(StepTest, WithoutSelectionTheLiveCellSteps) {
  EXPECT_EQ(StepActsOn(m), StepTarget::kLiveCell);
  ASSERT_TRUE(StepValues(m, -1, 1));
  EXPECT_EQ(S().Cell(4, 5), -1);
  EXPECT_EQ(m.OpenBatch(), StepBatch(StepTarget::kLiveCell, 4, 5));
}

TEST_F(StepTest, BelowTheFirstColumnTheBaseAdvanceMovesByOneDegree) {
  m.Live().rpm = 800;  // below the first column (1000 rpm)
  m.RefreshLiveCell();
  EXPECT_EQ(StepActsOn(m), StepTarget::kBaseAdvance);
  ASSERT_TRUE(StepValues(m, +1, 1));
  EXPECT_EQ(m.MarkerValues().baseAdvance, 11);
  ASSERT_TRUE(StepValues(m, -1, 2));
  ASSERT_TRUE(StepValues(m, -1, 3));
  EXPECT_EQ(m.MarkerValues().baseAdvance, 9);
  for (int r = 0; r < 10; ++r) EXPECT_EQ(S().Cell(0, r), 0);
  m.UpdateLive(8, true);
  EXPECT_EQ(reported, Change::kMarkers);
}

TEST_F(StepTest, BaseAdvanceStaysInsideTheDataRange) {
  m.Live().rpm = 800;
  m.RefreshLiveCell();
  m.MarkerValues().baseAdvance = 60;
  ASSERT_TRUE(StepValues(m, +1, 1));
  EXPECT_EQ(m.MarkerValues().baseAdvance, 60);
}

TEST_F(StepTest, NothingToActOnDoesNothing) {
  m.Live().rpm = 0;  // no live state
  m.RefreshLiveCell();
  EXPECT_EQ(StepActsOn(m), StepTarget::kNone);
  EXPECT_FALSE(StepValues(m, +1, 1));
  EXPECT_EQ(reported, 0u);
}

TEST_F(StepTest, DisabledSheetDoesNotStep) {
  Select(S(), SelKind::kCells, 1, 1, 1, 1);
  S().enabled = 0;
  EXPECT_FALSE(StepValues(m, +1, 1));
  EXPECT_EQ(S().Cell(1, 1), 0);
}

TEST_F(StepTest, UseOnlyAndUseBoth) {
  Select(S(), SelKind::kCells, 1, 1, 2, 2);
  ASSERT_TRUE(UseDimensions(m, Cmd::kUseOnlyX, 1));
  EXPECT_FALSE(S().x.collapsed);
  EXPECT_TRUE(S().y.collapsed);
  EXPECT_EQ(S().y.collapsedIndex, 9);  // preferred: last
  EXPECT_TRUE(S().sel.Empty());
  EXPECT_EQ(reported, Change::kAll);
  EXPECT_FALSE(UseDimensions(m, Cmd::kUseOnlyY, 2));  // X is not collapsible
  ASSERT_TRUE(UseDimensions(m, Cmd::kUseBoth, 3));
  EXPECT_FALSE(S().y.collapsed);
  S().x.collapsible = Collapsible::kByOwner;
  EXPECT_FALSE(UseDimensions(m, Cmd::kUseBoth, 4));
}

TEST_F(StepTest, EnableTogglesOnlySheetsThatMayBeDisabled) {
  EXPECT_FALSE(ToggleEnabled(m, 1));  // 0x701 has no disable flag
  S().flags |= SheetFlag::kCanDisable;
  ASSERT_TRUE(ToggleEnabled(m, 1));
  EXPECT_EQ(S().enabled, 0);
  EXPECT_EQ(reported, Change::kAll);
  S().available = 0;  // shown as disabled: the toggle enables
  ASSERT_TRUE(ToggleEnabled(m, 2));
  EXPECT_EQ(S().enabled, 1);
  ASSERT_TRUE(ToggleEnabled(m, 3));
  EXPECT_EQ(S().enabled, 1);  // not (enabled and available)
}

TEST(Views, NextOfferedView) {
  const uint32_t all = EditorFlag::kTableView | EditorFlag::kGraph2DView | EditorFlag::kGraph3DView;
  EXPECT_EQ(NextOfferedView(View::kGraph3D, all), View::kGraph3D);
  const uint32_t no3D = EditorFlag::kTableView | EditorFlag::kGraph2DView;
  EXPECT_EQ(NextOfferedView(View::kGraph3D, no3D), View::kTable);
  EXPECT_EQ(NextOfferedView(View::kTable, EditorFlag::kGraph3DView), View::kGraph3D);
  EXPECT_EQ(NextOfferedView(View::kGraph2D, EditorFlag::kTableView | EditorFlag::kGraph3DView),
            View::kGraph3D);
}

TEST_F(StepTest, DispatcherRunsDataCommandsOnly) {
  EXPECT_TRUE(ExecuteDataCommand(m, Cmd::kIncrement, 1));
  EXPECT_EQ(S().Cell(4, 5), 1);
  EXPECT_FALSE(ExecuteDataCommand(m, Cmd::kCopy, 2));
  EXPECT_FALSE(ExecuteDataCommand(m, 12345, 2));
}

}  // namespace
}  // namespace ign
