// The editor through Qt's accessibility API, as a screen reader reads it.
#include <gtest/gtest.h>

#include <QAccessible>

#include "core/mapedit/format.h"
#include "tests/ui_mapedit/host.h"

namespace ign {
namespace {

TEST(TabAccessibleTest, EveryCellOfTheAdvanceMapReadsItsShownValue) {
  auto h = test::MakeAdvanceHost();
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(h->editor);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->role(), QAccessible::Table);
  EXPECT_EQ(table->text(QAccessible::Name), "Advance 1");
  QAccessibleTableInterface* t = table->tableInterface();
  ASSERT_NE(t, nullptr);
  ASSERT_EQ(t->rowCount(), 10);
  ASSERT_EQ(t->columnCount(), 15);
  EXPECT_EQ(table->childCount(), 150);
  for (int r = 0; r < 10; ++r) {
    for (int c = 0; c < 15; ++c) {
      QAccessibleInterface* cell = t->cellAt(r, c);
      ASSERT_NE(cell, nullptr);
      EXPECT_EQ(cell->text(QAccessible::Name).toStdString(), FormatValue(h->Sheet().Cell(c, r), 1.0))
          << r << c;
      QAccessibleTableCellInterface* ci = cell->tableCellInterface();
      ASSERT_NE(ci, nullptr);
      EXPECT_EQ(ci->rowIndex(), r);
      EXPECT_EQ(ci->columnIndex(), c);
    }
  }
  QAccessibleTableCellInterface* corner = t->cellAt(2, 3)->tableCellInterface();
  EXPECT_EQ(corner->columnHeaderCells().at(0)->text(QAccessible::Name), "2 500");
  EXPECT_EQ(corner->rowHeaderCells().at(0)->text(QAccessible::Name), "20 %");
  EXPECT_EQ(t->columnDescription(14), "8 000");
  EXPECT_EQ(table->indexOfChild(t->cellAt(2, 3)), 2 * 15 + 3);
}

TEST(TabAccessibleTest, SelectionAndSheetSwitchAreSeen) {
  auto h = test::MakeAdvanceHost();
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(h->editor);
  QAccessibleTableInterface* t = table->tableInterface();
  test::Click(h->editor, test::Centre(ColumnSelectorRect(h->Layout(), 6)));
  EXPECT_EQ(t->selectedCellCount(), 10);
  EXPECT_EQ(t->selectedColumns(), QList<int>{6});
  EXPECT_TRUE(t->cellAt(4, 6)->state().selected);
  h->Sheet().Cell(1, 1) = 42;
  EXPECT_EQ(t->cellAt(1, 1)->text(QAccessible::Value), "42");
  test::Key(h->editor, Qt::Key_Tab);
  EXPECT_EQ(table->text(QAccessible::Name), "Advance 2");
  EXPECT_EQ(t->selectedCellCount(), 0);
  h->editor->Execute(Cmd::kUseOnlyX);  // one row left
  EXPECT_EQ(t->rowCount(), 1);
  EXPECT_EQ(t->cellAt(0, 0)->text(QAccessible::Name), "9");  // row 9 (90 %), column 0
  EXPECT_EQ(t->cellAt(1, 0), nullptr);
}

}  // namespace
}  // namespace ign
