// Inserting and deleting columns and rows.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/mapedit/commands.h"
#include "core/mapedit/selection.h"
#include "core/text/language.h"
#include "tests/mapedit/fixtures.h"
#include "tests/text/message_box_spy.h"

namespace ign {
namespace {

using test::SetValues;
using test::Values;
using ::testing::ElementsAre;

// One sheet, X 10, 20, 40 (resizable, capacity 5), two rows of cells.
class ResizeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLanguage(LNG_ENGLISH);
    m.AddSheet("A", "X", "Y", "D", 5, 2, 0);
    AxisDefinition x;
    x.minimum = -1000;
    x.maximum = 1000;
    x.count = 3;
    x.resizable = true;
    x.options = AxisOption::kNumeric;
    m.DefineAxis(0, AxisMask::kX, x);
    AxisDefinition y = x;
    y.count = 2;
    m.DefineAxis(0, AxisMask::kY, y);
    AxisDefinition d;
    d.minimum = -100;
    d.maximum = 100;
    m.DefineAxis(0, AxisMask::kData, d);
    SetValues(S().x, {10, 20, 40});
    SetValues(S().y, {0, 1});
    Row(0, {1, -3, 0});
    Row(1, {5, 6, 8});
    m.Normalise(Change::kAll | Change::kReset);
    m.SelectSheet(0);
    m.SetOnSheetChanged([this](CTabModel&, unsigned) { ++reports; });
  }
  void TearDown() override { SetLanguage(LNG_ENGLISH); }
  CSheet& S() { return *m.Active(); }
  void Row(int r, std::initializer_list<int32_t> cells) {
    int c = 0;
    for (int32_t v : cells) S().Cell(c++, r) = v;
  }
  std::vector<int32_t> RowOf(int r) {
    std::vector<int32_t> out;
    for (int c = 0; c < S().x.count; ++c) out.push_back(S().Cell(c, r));
    return out;
  }

  CTabModel m{EditorFlag::kTableView};
  test::MessageBoxSpy box;
  int reports = 0;
};

TEST_F(ResizeTest, InsertInTheMiddleAveragesTowardsZero) {
  ASSERT_TRUE(InsertColumn(m, 2, 1));
  EXPECT_THAT(Values(S().x), ElementsAre(10, 20, 30, 40));
  EXPECT_THAT(RowOf(0), ElementsAre(1, -3, -1, 0));
  EXPECT_THAT(RowOf(1), ElementsAre(5, 6, 7, 8));
  EXPECT_EQ(reports, 1);
  // The new column is selected.
  EXPECT_EQ(S().sel.kind, SelKind::kColumns);
  EXPECT_THAT(FullySelectedColumns(S()), ElementsAre(2));
}

TEST_F(ResizeTest, InsertAtTheStartCopiesTheRightNeighbour) {
  ASSERT_TRUE(InsertColumn(m, 0, 1));
  EXPECT_THAT(Values(S().x), ElementsAre(10, 11, 20, 40));  // normalisation pushes the old first column
  EXPECT_THAT(RowOf(0), ElementsAre(1, 1, -3, 0));
}

TEST_F(ResizeTest, AddColumnCopiesTheLastColumn) {
  ASSERT_TRUE(ExecuteDataCommand(m, Cmd::kAddColumn, 1));
  EXPECT_THAT(Values(S().x), ElementsAre(10, 20, 40, 41));
  EXPECT_THAT(RowOf(1), ElementsAre(5, 6, 8, 8));
}

TEST_F(ResizeTest, AddAfterRemoveRestoresTheRemovedXValue) {
  ASSERT_TRUE(RemoveLastColumn(m, 1));
  EXPECT_THAT(Values(S().x), ElementsAre(10, 20));
  EXPECT_EQ(S().x.values[2], 40);  // kept beyond the count
  ASSERT_TRUE(ExecuteDataCommand(m, Cmd::kAddColumn, 2));
  EXPECT_THAT(Values(S().x), ElementsAre(10, 20, 40));
}

TEST_F(ResizeTest, AddAfterRemoveAndAnEditBelowTheOldValueTakesTheLastValue) {
  ASSERT_TRUE(RemoveLastColumn(m, 1));
  Select(S(), SelKind::kXPoints, 1, -1, 1, -1);
  S().x.values[1] = 50;  // now above the value left behind
  m.NotifyChange(Change::kX, Batch::kReportNow, 2);
  ClearSelection(S().sel);
  ASSERT_TRUE(ExecuteDataCommand(m, Cmd::kAddColumn, 3));
  EXPECT_THAT(Values(S().x), ElementsAre(10, 50, 51));
}

TEST_F(ResizeTest, CapacityShowsTheMessageInTheCurrentLanguage) {
  ASSERT_TRUE(InsertColumn(m, 3, 1));
  ASSERT_TRUE(InsertColumn(m, 4, 2));
  const std::vector<int32_t> before = Values(S().x);
  const struct {
    int language;
    const char* text;
  } cases[] = {
      {LNG_ENGLISH, "Column count is on maximum !\nDelete some first..."},
      {LNG_DEUTSCH, "Spaltenanzahl ist auf maximal !\nLöschen einige erste..."},
      {LNG_CESKY, "Dosaženo maximálního počtu sloupců !\nNejprve nějaký vymažte..."},
  };
  for (const auto& c : cases) {
    SetLanguage(c.language);
    box.shown.clear();
    EXPECT_FALSE(InsertColumn(m, 1, 3));
    EXPECT_THAT(box.shown, ElementsAre(c.text));
  }
  EXPECT_EQ(Values(S().x), before);
  EXPECT_EQ(reports, 2);
}

TEST_F(ResizeTest, RowCapacityMessage) {
  S().y.resizable = 1;
  S().y.capacity = 2;
  SetLanguage(LNG_CESKY);
  EXPECT_FALSE(InsertRow(m, 1, 1));
  EXPECT_THAT(box.shown, ElementsAre("Dosaženo maximálního počtu řádků !\nNejprve nějaký vymažte..."));
}

TEST_F(ResizeTest, MessageGoesToTheSinkWhenOneIsSet) {
  std::string shown;
  m.SetMessageSink([&](const std::string& text) { shown = text; });
  ASSERT_TRUE(InsertColumn(m, 3, 1));
  ASSERT_TRUE(InsertColumn(m, 4, 2));
  EXPECT_FALSE(InsertColumn(m, 4, 3));
  EXPECT_EQ(shown, "Column count is on maximum !\nDelete some first...");
  EXPECT_TRUE(box.shown.empty());
}

TEST_F(ResizeTest, NotResizableOrCollapsedIsRefusedSilently) {
  S().x.resizable = 0;
  EXPECT_FALSE(InsertColumn(m, 1, 1));
  S().x.resizable = 1;
  S().x.collapsed = 1;
  EXPECT_FALSE(InsertColumn(m, 1, 1));
  Select(S(), SelKind::kXPoints, 0, -1, 0, -1);
  EXPECT_EQ(DeleteSelectedColumns(m, 1), 0);
  EXPECT_TRUE(box.shown.empty());
  EXPECT_EQ(S().x.count, 3);
  EXPECT_EQ(reports, 0);
}

TEST_F(ResizeTest, InsertBoundaryOutsideTheCountIsKeptInside) {
  ASSERT_TRUE(InsertColumn(m, 99, 1));
  EXPECT_THAT(Values(S().x), ElementsAre(10, 20, 40, 41));
  ASSERT_TRUE(InsertColumn(m, -7, 2));
  EXPECT_EQ(S().x.count, 5);
}

TEST_F(ResizeTest, TwoFullySelectedColumnsAreDeleted) {
  Select(S(), SelKind::kColumns, 0, 0, 1, 0);
  EXPECT_EQ(DeleteSelectedColumns(m, 1), 2);
  EXPECT_THAT(Values(S().x), ElementsAre(40));
  EXPECT_THAT(RowOf(1), ElementsAre(8));
  EXPECT_TRUE(S().sel.Empty());
  EXPECT_EQ(reports, 1);
}

TEST_F(ResizeTest, DeletionStopsAtTheMinimumCount) {
  S().x.minCount = 2;
  Select(S(), SelKind::kCells, 0, 0, 2, 1);
  EXPECT_EQ(DeleteSelectedColumns(m, 1), 1);
  EXPECT_THAT(Values(S().x), ElementsAre(10, 20));  // the highest went first
}

TEST_F(ResizeTest, PartlySelectedColumnsAreKept) {
  Select(S(), SelKind::kCells, 1, 0, 1, 0);
  EXPECT_EQ(DeleteSelectedColumns(m, 1), 0);
  EXPECT_EQ(S().x.count, 3);
}

TEST_F(ResizeTest, DeleteRowKeepsTheValuesBeyondTheCount) {
  S().y.resizable = 1;
  Select(S(), SelKind::kRows, 0, 0, 0, 0);
  EXPECT_EQ(DeleteSelectedRows(m, 1), 1);
  EXPECT_THAT(RowOf(0), ElementsAre(5, 6, 8));
  EXPECT_EQ(S().y.count, 1);
}

// The advance editor with 13 of its 15 columns in use, both sheets linked.
class LinkedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int s = 0; s < 2; ++s) {
      m.Sheet(s).linkedGroup = 7;
      m.Sheet(s).x.count = 13;
      m.NormaliseSheet(s, Change::kX | Change::kReset);
    }
    m.Sheet(1).Cell(12, 0) = 33;
  }
  CTabModel m = test::MakeAdvanceEditor();
};

TEST_F(LinkedTest, LinkedSheetsGrowAndShrinkTogether) {
  ASSERT_TRUE(InsertColumn(m, 13, 1));
  EXPECT_EQ(m.Sheet(0).x.count, 14);
  EXPECT_EQ(m.Sheet(1).x.count, 14);
  EXPECT_EQ(m.Sheet(1).Cell(13, 0), 33);
  EXPECT_EQ(m.Sheet(1).x.values[13], 75);  // the value stored beyond the count

  Select(*m.Active(), SelKind::kXPoints, 0, -1, 1, -1);
  EXPECT_EQ(DeleteSelectedColumns(m, 2), 2);
  EXPECT_EQ(m.Sheet(0).x.count, 12);
  EXPECT_EQ(m.Sheet(1).x.count, 12);
  EXPECT_EQ(m.Sheet(1).x.values[0], 20);
}

TEST_F(LinkedTest, UnlinkedSheetsKeepTheirSize) {
  m.Sheet(1).linkedGroup = 8;
  ASSERT_TRUE(InsertColumn(m, 3, 1));
  EXPECT_EQ(m.Sheet(0).x.count, 14);
  EXPECT_EQ(m.Sheet(1).x.count, 13);
}

TEST_F(LinkedTest, LinkedSheetAtCapacityIsLeftAlone) {
  m.Sheet(1).x.count = 15;
  ASSERT_TRUE(InsertColumn(m, 3, 1));
  EXPECT_EQ(m.Sheet(0).x.count, 14);
  EXPECT_EQ(m.Sheet(1).x.count, 15);
}

TEST_F(LinkedTest, NewColumnIsScrolledIntoView) {
  m.SetMaxVisible(10, 10);
  ASSERT_TRUE(InsertColumn(m, 13, 1));
  EXPECT_EQ(m.Active()->x.firstVisible, 4);
}

}  // namespace
}  // namespace ign
