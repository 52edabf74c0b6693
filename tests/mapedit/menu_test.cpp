// Context menu and toolbar contents.
#include "core/mapedit/menu.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/mapedit/commands.h"
#include "core/mapedit/selection.h"
#include "core/text/language.h"
#include "tests/mapedit/fixtures.h"

namespace ign {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Texts(const std::vector<MenuItem>& items) {
  std::vector<std::string> out;
  for (const MenuItem& item : items)
    out.push_back((item.separatorBefore ? "| " : "") + item.text + (item.checked ? " *" : ""));
  return out;
}

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLanguage(LNG_ENGLISH);
    context.pointerOverTable = true;
    context.hit = Hit{HitKind::kCell, 1, 1};
  }
  void TearDown() override { SetLanguage(LNG_ENGLISH); }
  std::vector<std::string> Menu() { return Texts(BuildContextMenu(m, context)); }
  CSheet& S() { return *m.Active(); }

  CTabModel m = test::MakeAdvanceEditor();
  MenuContext context;
};

TEST_F(MenuTest, NothingSelectedInTheTableOffersNoCopyItems) {
  EXPECT_THAT(Menu(), ElementsAre("View as table *", "View as graph 2D", "View as graph 3D", "| Use only RPM",
                                  "Use RPM and TP *"));
}

TEST_F(MenuTest, RectangleOffersInterpolate) {
  Select(S(), SelKind::kCells, 1, 1, 3, 1);
  context.offeredViews = View::kTable;
  EXPECT_THAT(Menu(), ElementsAre("Copy", "Copy the entire table", "| Interpolate", "| Use only RPM",
                                  "Use RPM and TP *"));
}

TEST_F(MenuTest, TwoFullColumnsOfferInsertAndDeleteColumns) {
  Select(S(), SelKind::kColumns, 1, 0, 2, 0);
  context.offeredViews = View::kTable;
  context.insertColumn = 2;
  const std::vector<MenuItem> items = BuildContextMenu(m, context);
  EXPECT_THAT(Texts(items),
              ElementsAre("Copy", "Copy the entire table", "| Interpolate", "| Insert column here",
                          "Delete columns (2)", "| Use only RPM", "Use RPM and TP *"));
  EXPECT_EQ(items[3].action, MenuAction::kInsertColumn);
  EXPECT_EQ(items[3].arg, 2);
  EXPECT_EQ(items[4].action, MenuAction::kDeleteColumns);
  EXPECT_EQ(DeleteSelectedColumns(m, 1), 2);
  EXPECT_EQ(S().x.count, 13);
}

TEST_F(MenuTest, OneFullColumnSaysDeleteColumn) {
  Select(S(), SelKind::kColumns, 1, 0, 1, 0);
  context.offeredViews = View::kTable;
  context.hit = Hit{HitKind::kCell, 5, 1};  // not on the selected column: no insert item
  EXPECT_THAT(Menu(), ::testing::Contains("| Delete column"));
  EXPECT_THAT(Menu(), ::testing::Not(::testing::Contains("Insert column here")));
}

TEST_F(MenuTest, InsertAndDeleteNeedThePointerOverTheTable) {
  Select(S(), SelKind::kColumns, 1, 0, 2, 0);
  context.pointerOverTable = false;
  EXPECT_THAT(Menu(), ::testing::Not(::testing::Contains("Delete columns (2)")));
  context.pointerOverTable = true;
  context.view = View::kGraph2D;
  EXPECT_THAT(Menu(), ::testing::Not(::testing::Contains("Delete columns (2)")));
}

TEST_F(MenuTest, DisabledSheetOffersTheEnableItemOnly) {
  S().flags |= SheetFlag::kCanDisable;
  S().enabled = 0;
  Select(S(), SelKind::kCells, 1, 1, 3, 1);
  context.clipboardHasSheet = true;
  context.offeredViews = View::kTable;
  EXPECT_THAT(Menu(), ElementsAre("Enable Advance 1"));
}

TEST_F(MenuTest, EnabledSheetThatMayBeDisabledStartsWithDisable) {
  S().flags |= SheetFlag::kCanDisable;
  context.offeredViews = View::kTable;
  const std::vector<MenuItem> items = BuildContextMenu(m, context);
  ASSERT_FALSE(items.empty());
  EXPECT_EQ(items[0].text, "Disable Advance 1");
  EXPECT_EQ(items[0].code, Cmd::kEnable);
  EXPECT_TRUE(items[1].separatorBefore);
}

TEST_F(MenuTest, SheetTabOffersCopyAndPasteTableForThatSheet) {
  context.tabSheet = 1;
  std::vector<MenuItem> items = BuildContextMenu(m, context);
  EXPECT_THAT(Texts(items), ElementsAre("Copy the entire table"));
  EXPECT_EQ(items[0].arg, 1);
  context.clipboardHasSheet = true;
  items = BuildContextMenu(m, context);
  EXPECT_THAT(Texts(items), ElementsAre("Copy the entire table", "Paste table"));
  EXPECT_EQ(items[1].arg, 1);
}

TEST_F(MenuTest, PasteNeedsAnEditableSelection) {
  context.clipboardHasText = true;
  context.offeredViews = View::kTable;
  Select(S(), SelKind::kYPoints, -1, 1, -1, 1);  // Y is not editable
  EXPECT_THAT(Menu(), ::testing::Not(::testing::Contains("Paste")));
  Select(S(), SelKind::kCells, 1, 1, 1, 1);
  EXPECT_THAT(Menu(),
              ElementsAre("Copy", "Copy the entire table", "Paste", "| Use only RPM", "Use RPM and TP *"));
}

TEST_F(MenuTest, AutoscrollItemsWhenTheTableIsScrolled) {
  bool autoscroll = true;
  m.SetAutoscrollFlag(&autoscroll);
  context.offeredViews = View::kTable;
  EXPECT_THAT(Menu(), ::testing::Not(::testing::Contains("Autoscroll actual position *")));
  m.SetMaxVisible(10, 10);
  EXPECT_THAT(Menu(), ElementsAre("Autoscroll actual position *", "Disable autoscroll", "| Use only RPM",
                                  "Use RPM and TP *"));
  autoscroll = false;
  EXPECT_THAT(Menu(), ::testing::Contains("Disable autoscroll *"));
}

TEST_F(MenuTest, CollapsedSheetChecksUseOnly) {
  ASSERT_TRUE(UseDimensions(m, Cmd::kUseOnlyX, 1));
  context.offeredViews = View::kTable;
  EXPECT_THAT(Menu(), ElementsAre("Use only RPM *", "Use RPM and TP"));
}

TEST_F(MenuTest, GraphViewsOfferCopyGraphAndThe3DGroups) {
  context.view = View::kGraph3D;
  context.pointerOverTable = false;
  context.pointerInGraph = true;
  context.preset3D = Cmd::kPresetIso1;
  context.colouring3D = 2;
  context.values3D = 3;
  const std::vector<std::string> menu = Menu();
  EXPECT_THAT(menu,
              ::testing::IsSupersetOf({"Copy the entire table", "Copy graph", "| Top view", "ISO1 view *",
                                       "| Wire model", "Height colors (grain 0) *", "| No values",
                                       "All values *", "| View as table", "View as graph 3D *"}));
}

TEST_F(MenuTest, ItemsFollowTheLanguage) {
  Select(S(), SelKind::kCells, 1, 1, 3, 1);
  context.offeredViews = View::kTable;
  SetLanguage(LNG_CESKY);
  EXPECT_THAT(Menu(), ElementsAre("Kopírovat", "Kopírovat celou tabulku", "| Interpolovat",
                                  "| Použij jen RPM", "Použij RPM a TP *"));
  SetLanguage(LNG_DEUTSCH);
  EXPECT_THAT(Menu(), ElementsAre("Kopieren", "Tabelle kopieren", "| Interpolieren", "| Nur RPM",
                                  "Verwenden RPM und TP *"));
}

// 1000 px wide: W = 123 + 75 x 2 + 63 x 3 = 462, x0 = 1000 - 27 - 462 = 511.
TEST_F(MenuTest, ToolbarLayoutOfTheAdvanceEditor) {
  ToolbarContext c;
  c.controlWidth = 1000;
  c.tableRight = 973;
  c.tableTop = 36;
  const Toolbar bar = BuildToolbar(m, c);
  EXPECT_EQ(bar.reservedWidth, 462);
  EXPECT_EQ(bar.left, 511);
  std::vector<std::pair<int, int>> placed;
  for (const ToolButton& b : bar.buttons) placed.emplace_back(b.code, b.rect.left);
  EXPECT_THAT(placed, ElementsAre(std::pair{Cmd::kCopy, 511}, std::pair{Cmd::kCopyTable, 541},
                                  std::pair{Cmd::kPaste, 571}, std::pair{Cmd::kIncrement, 611},
                                  std::pair{Cmd::kDecrement, 611}, std::pair{Cmd::kUseOnlyX, 639},
                                  std::pair{Cmd::kUseBoth, 714}, std::pair{Cmd::kViewTable, 789},
                                  std::pair{Cmd::kView2D, 852}, std::pair{Cmd::kView3D, 915},
                                  std::pair{Cmd::kAddColumn, 978}, std::pair{Cmd::kRemoveColumn, 978}));
  EXPECT_EQ(bar.buttons[5].label, "Only RPM");
  EXPECT_EQ(bar.buttons[6].label, "RPM and TP");
  EXPECT_TRUE(bar.buttons[6].checked);
  EXPECT_FALSE(bar.buttons[10].enabled);  // add: at the capacity of 15
  EXPECT_TRUE(bar.buttons[11].enabled);   // remove
}

TEST_F(MenuTest, ToolbarStatesFollowTheSelectionAndTheLiveState) {
  const auto find = [](const Toolbar& bar, int code) {
    for (const ToolButton& b : bar.buttons) {
      if (b.code == code) return b;
    }
    return ToolButton{};
  };
  Toolbar bar = BuildToolbar(m, ToolbarContext{});
  EXPECT_FALSE(find(bar, Cmd::kCopy).enabled);
  EXPECT_FALSE(find(bar, Cmd::kIncrement).enabled);
  EXPECT_EQ(bar.stepTarget, StepTarget::kNone);

  m.Live().rpm = 3000;
  m.RefreshLiveCell();
  bar = BuildToolbar(m, ToolbarContext{});
  EXPECT_TRUE(find(bar, Cmd::kIncrement).enabled);
  EXPECT_EQ(bar.stepTarget, StepTarget::kLiveCell);

  Select(S(), SelKind::kCells, 1, 1, 1, 1);
  ToolbarContext withText;
  withText.clipboardHasText = true;
  bar = BuildToolbar(m, withText);
  EXPECT_TRUE(find(bar, Cmd::kCopy).enabled);
  EXPECT_TRUE(find(bar, Cmd::kPaste).enabled);
  EXPECT_EQ(bar.stepTarget, StepTarget::kSelection);

  Select(S(), SelKind::kYPoints, -1, 1, -1, 1);  // not editable
  bar = BuildToolbar(m, withText);
  EXPECT_FALSE(find(bar, Cmd::kPaste).enabled);
  EXPECT_FALSE(find(bar, Cmd::kIncrement).enabled);
}

TEST(Toolbar, EditorWithoutLivePointHasNoClipboardUseOrViewButtons) {
  CTabModel m = test::MakeSwitchEditor();
  ToolbarContext c;
  c.controlWidth = 290;
  Toolbar bar = BuildToolbar(m, c);
  EXPECT_EQ(bar.reservedWidth, 123 + 150 + 126);
  EXPECT_TRUE(bar.buttons.empty());
  m.Active()->x.resizable = 1;  // add and remove column exist in any editor
  m.Active()->x.capacity = 3;
  bar = BuildToolbar(m, c);
  ASSERT_EQ(bar.buttons.size(), 2u);
  EXPECT_EQ(bar.buttons[0].code, Cmd::kAddColumn);
  EXPECT_FALSE(bar.buttons[0].enabled);
}

}  // namespace
}  // namespace ign
