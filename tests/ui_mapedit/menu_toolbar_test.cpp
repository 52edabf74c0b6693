// Context menu, toolbar, commands and the editor list on the host window.
#include <gtest/gtest.h>

#include <QMenu>

#include "core/mapedit/selection.h"
#include "core/text/language.h"
#include "core/text/relabel.h"
#include "tests/ui/qt_app.h"
#include "tests/ui_mapedit/host.h"
#include "ui/mapedit/editor_list.h"

namespace ign {
namespace {

using test::CellCentre;

std::vector<std::string> Texts(const std::vector<MenuItem>& items) {
  std::vector<std::string> out;
  for (const MenuItem& i : items) out.push_back(i.text);
  return out;
}

class TabMenuTest : public ::testing::Test {
 protected:
  void SetUp() override { h = test::MakeAdvanceHost(); }
  void Drag(QPoint from, QPoint to) { test::Drag(h->editor, from, to); }
  const ToolButton* Button(int code) const {
    for (const ToolButton& b : h->editor->ViewState().toolbar.buttons) {
      if (b.code == code) return &b;
    }
    return nullptr;
  }
  std::unique_ptr<test::EditorHost> h;
};

using Strings = std::vector<std::string>;

TEST_F(TabMenuTest, MenuItemsForTheRightClickedPlace) {
  const QPoint belowTable(300, CellAreaRect(h->Layout()).bottom + 5);
  EXPECT_EQ(
      Texts(h->editor->PrepareContextMenu(belowTable)),
      (Strings{"View as table", "View as graph 2D", "View as graph 3D", "Use only RPM", "Use RPM and TP"}));

  Drag(CellCentre(*h, 2, 2), CellCentre(*h, 4, 4));
  EXPECT_EQ(Texts(h->editor->PrepareContextMenu(CellCentre(*h, 3, 3))),
            (Strings{"Copy", "Copy the entire table", "Interpolate", "View as table", "View as graph 2D",
                     "View as graph 3D", "Use only RPM", "Use RPM and TP"}));

  const Rect selector2 = ColumnSelectorRect(h->Layout(), 2), selector3 = ColumnSelectorRect(h->Layout(), 3);
  Drag(test::Centre(selector2), test::Centre(selector3));
  const std::vector<MenuItem> items = h->editor->PrepareContextMenu(CellCentre(*h, 3, 5));
  EXPECT_EQ(Texts(items), (Strings{"Copy", "Copy the entire table", "Interpolate", "Insert column here",
                                   "Delete columns (2)", "View as table", "View as graph 2D",
                                   "View as graph 3D", "Use only RPM", "Use RPM and TP"}));
  h->editor->RunMenuItem(items[4]);
  EXPECT_EQ(h->Sheet().x.count, 13);
  ASSERT_EQ(h->reports.size(), 1u);

  EXPECT_EQ(Texts(h->editor->PrepareContextMenu(test::Centre(h->editor->ViewState().tabs[1]))),
            (Strings{"Copy the entire table"}));

  h->Sheet().flags |= SheetFlag::kCanDisable;
  h->Sheet().enabled = 0;
  EXPECT_EQ(Texts(h->editor->PrepareContextMenu(CellCentre(*h, 3, 3))),
            (Strings{"Enable Advance 1", "View as table", "View as graph 2D", "View as graph 3D"}));
}

TEST_F(TabMenuTest, TheShownMenuEnablesItsItems) {
  Drag(CellCentre(*h, 2, 2), CellCentre(*h, 4, 4));
  const QPoint at = CellCentre(*h, 3, 3);
  test::Press(h->editor, at, Qt::RightButton);
  QMenu* menu = h->editor->LastMenu();
  ASSERT_NE(menu, nullptr);
  QStringList enabled;
  for (QAction* a : menu->actions()) {
    if (!a->isSeparator() && a->isEnabled()) enabled << a->text();
  }
  EXPECT_EQ(enabled, (QStringList{"Copy", "Copy the entire table", "Interpolate", "View as table",
                                  "View as graph 2D", "View as graph 3D", "Use only RPM", "Use RPM and TP"}));
  menu->close();
}

TEST_F(TabMenuTest, InsertingAtCapacityShowsTheMessageAndChangesNothing) {
  test::MessageCatcher catcher;
  const std::vector<MenuItem> items =
      h->editor->PrepareContextMenu(test::Centre(ColumnSelectorRect(h->Layout(), 4)));
  const auto insert = std::find_if(items.begin(), items.end(),
                                   [](const MenuItem& i) { return i.action == MenuAction::kInsertColumn; });
  ASSERT_NE(insert, items.end());
  const std::vector<int32_t> x(h->Sheet().x.values.begin(), h->Sheet().x.values.begin() + 15);
  h->editor->RunMenuItem(*insert);
  ASSERT_EQ(catcher.messages.size(), 1u);
  EXPECT_EQ(catcher.messages[0], "Column count is on maximum !\nDelete some first...");
  EXPECT_EQ(h->Sheet().x.count, 15);
  EXPECT_EQ(std::vector<int32_t>(h->Sheet().x.values.begin(), h->Sheet().x.values.begin() + 15), x);
}

TEST_F(TabMenuTest, ToolbarStepButtonsFollowTheSelectionAndTheLiveState) {
  const ToolButton* plus = Button(Cmd::kIncrement);
  ASSERT_NE(plus, nullptr);
  EXPECT_FALSE(plus->enabled);
  EXPECT_EQ(h->editor->ViewState().toolbar.stepTarget, StepTarget::kNone);
  test::Click(h->editor, CellCentre(*h, 1, 1));
  h->Tick();
  EXPECT_TRUE(Button(Cmd::kIncrement)->enabled);
  EXPECT_EQ(h->editor->ViewState().toolbar.stepTarget, StepTarget::kSelection);
  test::Key(h->editor, Qt::Key_Escape);
  h->Tick();
  EXPECT_FALSE(Button(Cmd::kIncrement)->enabled);

  h->editor->Model().Live().rpm = 3000;
  h->editor->Model().Live().throttle = 50;
  h->Tick();
  EXPECT_TRUE(Button(Cmd::kIncrement)->enabled);
  EXPECT_EQ(h->editor->ViewState().toolbar.stepTarget, StepTarget::kLiveCell);
  const CSheet& s = h->Sheet();
  const int32_t before = s.Cell(s.liveColumn, s.liveRow);
  test::Click(h->editor, test::Centre(Button(Cmd::kIncrement)->rect));
  EXPECT_EQ(s.Cell(s.liveColumn, s.liveRow), before + 1);

  h->editor->Model().Live().rpm = 500;  // below the first column: the base advance
  h->editor->Model().MarkerValues().baseAdvance = 10;
  h->Tick();
  EXPECT_EQ(h->editor->ViewState().toolbar.stepTarget, StepTarget::kBaseAdvance);
  test::Click(h->editor, test::Centre(Button(Cmd::kIncrement)->rect));
  EXPECT_EQ(h->editor->Model().MarkerValues().baseAdvance, 11);
  // Copy needs a selection.
  EXPECT_FALSE(Button(Cmd::kCopy)->enabled);
}

TEST_F(TabMenuTest, RemoveAndAddColumnButtons) {
  ASSERT_NE(Button(Cmd::kAddColumn), nullptr);
  EXPECT_FALSE(Button(Cmd::kAddColumn)->enabled);  // at the capacity of 15
  const int32_t last = h->Sheet().x.values[14];
  test::Click(h->editor, test::Centre(Button(Cmd::kRemoveColumn)->rect));
  EXPECT_EQ(h->Sheet().x.count, 14);
  test::Click(h->editor, test::Centre(Button(Cmd::kAddColumn)->rect));
  EXPECT_EQ(h->Sheet().x.count, 15);
  EXPECT_EQ(h->Sheet().x.values[14], last);
}

TEST_F(TabMenuTest, UseOnlyCollapsesAndTheTableShowsOneRow) {
  h->editor->Execute(Cmd::kUseOnlyX);
  EXPECT_TRUE(h->Sheet().y.collapsed);
  EXPECT_EQ(h->Layout().visibleRows, 1);
  EXPECT_EQ(h->Layout().firstRow, 9);  // preferred index: the last row
  h->editor->Execute(Cmd::kUseBoth);
  EXPECT_EQ(h->Layout().visibleRows, 10);
}

TEST_F(TabMenuTest, CzechRelabelsHintsMenuItemsAndTheAccessibleName) {
  ChangeLanguage(LNG_CESKY);
  h->Tick();
  EXPECT_EQ(h->editor->accessibleName().toStdString(), "Předstih 1");
  test::Move(h->editor, test::Centre(Button(Cmd::kIncrement)->rect));
  EXPECT_EQ(h->editor->Hint().toStdString(), "Zvětšit hodnotu vybraných buněk nebo aktuální hodnotu");
  const QPoint belowTable(300, CellAreaRect(h->Layout()).bottom + 5);
  EXPECT_EQ(Texts(h->editor->PrepareContextMenu(belowTable)),
            (Strings{"Zobrazit jako tabulku", "Zobrazit jako 2D graf", "Zobrazit jako 3D graf",
                     "Použij jen RPM", "Použij RPM a TP"}));
  ChangeLanguage(LNG_ENGLISH);
  h->Tick();
  EXPECT_EQ(h->editor->accessibleName().toStdString(), "Advance 1");
}

TEST(TabFrameTest, CreationDefaultsAndLimits) {
  test::App();
  QWidget window;
  TTab* first = CreateMapEditor(7, 0, 0, 0x10, &window);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->size(), QSize(500, 200));
  EXPECT_EQ(first->pos(), QPoint(0, 0));
  EXPECT_EQ(first->Identifier(), 7);
  EXPECT_EQ(window.findChild<TTab*>("TTab7"), first);
  EXPECT_EQ(first->focusPolicy(), Qt::StrongFocus);
  for (int s = 0; s < 8; ++s) EXPECT_EQ(first->Model().AddSheet("s", "X", "Y", "D", 3, 3, 0), s);
  EXPECT_EQ(first->Model().AddSheet("s", "X", "Y", "D", 3, 3, 0), -1);
  for (int i = 1; i < kMaxMapEditors; ++i)
    ASSERT_NE(CreateMapEditor(i + 100, 10, 10, 0x10, &window), nullptr);
  EXPECT_EQ(CreateMapEditor(999, 10, 10, 0x10, &window), nullptr);
  delete first;  // room for one more
  EXPECT_NE(CreateMapEditor(998, 10, 10, 0x10, &window), nullptr);
  QWidget other;
  EXPECT_NE(CreateMapEditor(1, 10, 10, 0x10, &other), nullptr);
}

TEST(TabFrameTest, OneSheetSensorEditorTogglesItsSheetFromTheTitleLine) {
  test::App();
  QWidget window;
  TTab* editor = CreateMapEditor(41, 290, 130, EditorFlag::kTableView | EditorFlag::kSensorPage, &window);
  editor->Model().AddSheet("###TP sensor##TP Sensor##TP senzor", "", "TP", "U", 2, 2, SheetFlag::kCanDisable);
  editor->SelectSheet(0);
  window.show();
  const Rect title = editor->ViewState().titleLine;
  ASSERT_FALSE(title.Empty());
  EXPECT_EQ(title.top, 1);
  test::Click(editor, QPoint(title.left + 60, title.top + 8));
  EXPECT_EQ(editor->Model().Sheet(0).enabled, 0);
  test::Click(editor, QPoint(title.left + 3, title.top + 8));
  EXPECT_EQ(editor->Model().Sheet(0).enabled, 1);
}

TEST(TabFrameTest, ASmallTableLeavesRoomForTheGraphBelowIt) {
  auto h = test::MakeAdvanceHost();
  EXPECT_EQ(h->editor->ViewState().besideGraph.place, GraphPlace::kNone);
  h->editor->Execute(Cmd::kUseOnlyX);
  EXPECT_EQ(h->editor->ViewState().besideGraph.place, GraphPlace::kBelow);
}

}  // namespace
}  // namespace ign
