// Edit batches: when the owner hears of a change, driven by a tick count.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "core/mapedit/commands.h"
#include "core/mapedit/selection.h"
#include "tests/mapedit/fixtures.h"

namespace ign {
namespace {

class BatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m.SetOnSheetChanged([this](CTabModel&, unsigned changed) { reports.push_back({tick, changed}); });
  }
  void Tick(int32_t t) {
    tick = t;
    m.UpdateLive(t, true);
  }
  void StepCell(int column, int row, int32_t t) {
    tick = t;
    Select(*m.Active(), SelKind::kCells, column, row, column, row);
    ASSERT_TRUE(StepValues(m, +1, t));
  }

  struct Report {
    int32_t tick;
    unsigned changed;
    bool operator==(const Report&) const = default;
  };
  CTabModel m = test::MakeAdvanceEditor();
  std::vector<Report> reports;
  int32_t tick = 0;
};

TEST_F(BatchTest, FourStepsOnOneCellReportOnceFiveTicksAfterTheLast) {
  for (int32_t t = 10; t < 14; ++t) {
    StepCell(3, 3, t);
    Tick(t);
  }
  for (int32_t t = 14; t < 18; ++t) Tick(t);
  EXPECT_TRUE(reports.empty());
  Tick(18);
  EXPECT_THAT(reports, ::testing::ElementsAre(Report{18, Change::kData}));
  EXPECT_EQ(m.Active()->Cell(3, 3), 4);
  for (int32_t t = 19; t < 30; ++t) Tick(t);
  EXPECT_EQ(reports.size(), 1u);
}

TEST_F(BatchTest, StepOnAnotherCellReportsTheFirstBatchAtOnce) {
  StepCell(3, 3, 10);
  StepCell(3, 3, 11);
  StepCell(4, 3, 12);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].tick, 12);
  // The step on the new cell went out with it; the next one opens a new batch.
  StepCell(4, 3, 13);
  Tick(17);
  EXPECT_EQ(reports.size(), 1u);
  Tick(18);
  EXPECT_EQ(reports.size(), 2u);
}

TEST_F(BatchTest, TypedEntryReportsAtOnce) {
  ASSERT_TRUE(m.StoreTypedValue(2, 2, "12", 40));
  EXPECT_THAT(reports, ::testing::ElementsAre(Report{0, Change::kData}));
  EXPECT_EQ(m.Active()->Cell(2, 2), 12);
}

TEST_F(BatchTest, TypedEntryEndsAnOpenStepBatch) {
  StepCell(3, 3, 10);
  ASSERT_TRUE(m.StoreTypedValue(2, 2, "12", 11));
  EXPECT_EQ(reports.size(), 1u);
  Tick(30);
  EXPECT_EQ(reports.size(), 1u);
}

TEST_F(BatchTest, GestureReportsOnlyWhenItEnds) {
  for (int32_t t = 10; t < 40; ++t) {
    m.Active()->Cell(0, 0) = t;
    m.NotifyChange(Change::kData, Batch::kGesture, t);
    Tick(t);
  }
  EXPECT_TRUE(reports.empty());
  tick = 40;
  m.NotifyChange(Change::kX, Batch::kEndGesture, 40);
  EXPECT_THAT(reports, ::testing::ElementsAre(Report{40, Change::kData | Change::kX}));
}

TEST_F(BatchTest, EndOfGestureWithoutAGestureDoesNothing) {
  StepCell(3, 3, 10);
  m.NotifyChange(Change::kData, Batch::kEndGesture, 11);
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(m.OpenBatch(), StepBatch(StepTarget::kSelection, 3, 3));
}

TEST_F(BatchTest, DueBatchIsReportedWhileTheEditorIsHidden) {
  StepCell(3, 3, 10);
  for (int32_t t = 11; t <= 15; ++t) m.UpdateLive(t, false);
  EXPECT_EQ(reports.size(), 1u);
}

TEST_F(BatchTest, ChangesAreNormalisedAsTheyArrive) {
  m.Active()->Cell(1, 1) = 500;
  m.NotifyChange(Change::kData, Batch::kGesture, 5);
  EXPECT_EQ(m.Active()->Cell(1, 1), 60);
}

TEST_F(BatchTest, TypedTextThatIsNoNumberChangesNothing) {
  m.Active()->Cell(2, 2) = 7;
  EXPECT_FALSE(m.StoreTypedValue(2, 2, "x", 40));
  EXPECT_EQ(m.Active()->Cell(2, 2), 7);
  EXPECT_FALSE(m.StoreTypedValue(-1, 2, "5", 40));  // Y is not editable
  EXPECT_FALSE(m.StoreTypedValue(15, 2, "5", 40));  // beyond the columns
  EXPECT_TRUE(reports.empty());
}

TEST_F(BatchTest, TypedRpmUsesTheAxisScale) {
  ASSERT_TRUE(m.StoreTypedValue(14, -1, "12 500", 40));
  EXPECT_EQ(m.Active()->x.values[14], 125);
  EXPECT_THAT(reports, ::testing::ElementsAre(Report{0, Change::kX}));
}

}  // namespace
}  // namespace ign
