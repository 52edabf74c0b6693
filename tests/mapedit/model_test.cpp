// Building editors and sheets, axis helpers, markers, and the tick.
#include "core/mapedit/model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "core/mapedit/selection.h"
#include "core/text/language.h"
#include "tests/mapedit/fixtures.h"
#include "tests/text/message_box_spy.h"

namespace ign {
namespace {

using test::Values;
using ::testing::ElementsAre;

TEST(AddSheet, ClampsCountsAndRefusesANinthSheet) {
  CTabModel m(0);
  EXPECT_EQ(m.AddSheet("A", "X", "Y", "D", 80, 0, 0), 0);
  EXPECT_EQ(m.Sheet(0).x.capacity, 50);
  EXPECT_EQ(m.Sheet(0).x.count, 50);
  EXPECT_EQ(m.Sheet(0).y.count, 1);
  EXPECT_EQ(m.ActiveIndex(), 0);
  for (int i = 1; i < 8; ++i) EXPECT_EQ(m.AddSheet("S", "X", "Y", "D", 3, 3, 0), i);
  EXPECT_EQ(m.AddSheet("S", "X", "Y", "D", 3, 3, 0), -1);
  EXPECT_EQ(m.SheetCount(), 8);
}

TEST(AddSheet, NormalisesTheNewAxesAndSetsDefaults) {
  CTabModel m(0);
  m.AddSheet("A", "X", "Y", "D", 4, 2, 0x701);
  const CSheet& s = m.Sheet(0);
  EXPECT_THAT(Values(s.x), ElementsAre(0, 1, 2, 3));
  EXPECT_EQ(s.x.suffixInCells, 1);
  EXPECT_EQ(s.data.suffixInCells, 0);
  EXPECT_EQ(s.titleTextSize, 12);
  EXPECT_EQ(s.data.values.size(), 1500u);
  EXPECT_EQ(s.curveColour, 0x0000FFu);
}

TEST(AddSheet, CompactLayoutUsesSmallFontsAndOneMoreCell) {
  CTabModel m = test::MakeSwitchEditor();
  const CSheet& s = m.Sheet(0);
  EXPECT_EQ(s.titleTextSize, -10);
  EXPECT_EQ(s.x.fontSize, -9);
  EXPECT_EQ(s.data.fontSize, -9);
  EXPECT_EQ(s.UsedColumns(), 4);
  EXPECT_EQ(s.UsedRows(), 3);
}

TEST(AddSheet, LongTextsAreCutAtACharacterBoundary) {
  CTabModel m(0);
  std::string name(254, 'a');
  name += "čč";  // two 2-byte characters: 258 bytes
  m.AddSheet(name, "X", "Y", "D", 1, 1, 0);
  EXPECT_EQ(m.Sheet(0).name.size(), 254u);
  AxisDefinition d;
  d.unit = std::string(70, 'u');
  d.suffix = std::string(20, 's');
  m.DefineAxis(0, AxisMask::kData, d);
  EXPECT_EQ(m.Sheet(0).data.unit.size(), 63u);
  EXPECT_EQ(m.Sheet(0).data.suffix.size(), 15u);
}

TEST(DefineAxis, AppliesToTheNamedAxesAndTheDataIgnoresCounts) {
  CTabModel m(0);
  m.AddSheet("A", "X", "Y", "D", 10, 5, 0);
  AxisDefinition d;
  d.unit = "TP";
  d.minimum = -5;
  d.count = 3;
  d.minCount = 7;  // above the count: the count follows it
  d.resizable = true;
  d.step = 4;
  d.options = 0;
  m.DefineAxis(0, AxisMask::kY | AxisMask::kData, d);
  const CSheet& s = m.Sheet(0);
  EXPECT_EQ(s.y.unit, "TP");
  EXPECT_EQ(s.y.minCount, 5);  // at most the capacity
  EXPECT_EQ(s.y.count, 5);
  EXPECT_EQ(s.y.step, 4);
  EXPECT_EQ(s.y.numeric, 0);
  EXPECT_EQ(s.data.unit, "TP");
  EXPECT_EQ(s.data.minimum, -5);
  EXPECT_EQ(s.data.numeric, 1);  // always numeric
  EXPECT_EQ(s.data.resizable, 0);
  EXPECT_EQ(s.data.step, 1);
  EXPECT_EQ(s.x.unit, "");           // not named
  m.DefineAxis(5, AxisMask::kX, d);  // no such sheet: nothing happens
}

TEST(DefineAxis, GridRulesStopAtTheTerminator) {
  CTabModel m = test::MakeAdvanceEditor();
  CAxe& x = m.Active()->x;
  EXPECT_EQ(x.gridRuleCount, 3);
  EXPECT_EQ(x.ChooseGridRule(4000).fineSpacing, 200.0);
  EXPECT_EQ(x.ChooseGridRule(8000).fineSpacing, 500.0);
  EXPECT_EQ(x.ChooseGridRule(25000).labelSpacing, 2000.0);
  EXPECT_EQ(x.ChooseGridRule(99999).labelSpacing, 2000.0);  // none matches: the last
  EXPECT_EQ(x.gridRuleInForce, 2);
  x.numeric = 0;
  EXPECT_EQ(x.ChooseGridRule(8000).gridSpacing, 1.0);
  EXPECT_EQ(m.Active()->y.ChooseGridRule(100).labelSpacing, 1.0);  // no rules
}

TEST(PreferredIndex, Resolves) {
  EXPECT_EQ(ResolvePreferredIndex(Preferred::kFirst, 7), 0);
  EXPECT_EQ(ResolvePreferredIndex(Preferred::kLast, 7), 6);
  EXPECT_EQ(ResolvePreferredIndex(Preferred::kMiddle, 7), 3);
  EXPECT_EQ(ResolvePreferredIndex(Preferred::kMiddle, 6), 3);
  EXPECT_EQ(ResolvePreferredIndex(4, 7), 4);
  EXPECT_EQ(ResolvePreferredIndex(40, 7), 6);
  EXPECT_EQ(ResolvePreferredIndex(-9, 7), 0);
  EXPECT_EQ(ResolvePreferredIndex(Preferred::kLast, 0), 0);
}

TEST(EnumerationText, ShowsTheTextOrReportsTheFault) {
  test::MessageBoxSpy box;
  CAxe axis(3);
  EXPECT_FALSE(axis.IsEnumerated());
  EXPECT_EQ(axis.EnumerationText(1), std::nullopt);
  axis.enumTexts[0] = {"###Off##Aus##Vyp", "###On##Ein##Zap"};
  EXPECT_TRUE(axis.IsEnumerated());
  SetLanguage(LNG_DEUTSCH);
  EXPECT_EQ(axis.EnumerationText(1), "Ein");
  SetLanguage(LNG_ENGLISH);
  EXPECT_EQ(axis.EnumerationText(2), std::nullopt);
  EXPECT_EQ(axis.EnumerationText(9), std::nullopt);
  EXPECT_EQ(axis.EnumerationText(1001), std::nullopt);
  EXPECT_EQ(axis.EnumerationText(-1), std::nullopt);
  EXPECT_THAT(box.shown, ElementsAre("Spatny stringview (part is NULL)", "Spatny index stringview >n",
                                     "Spatny index stringview >MAXSV", "Spatny stringview (part is NULL)",
                                     "Spatny index stringview >MAXSV"));
}

TEST(SelectSheet, RemembersThePreviousSheet) {
  CTabModel m = test::MakeAdvanceEditor();
  EXPECT_TRUE(m.SelectSheet(1));
  EXPECT_EQ(m.ActiveIndex(), 1);
  EXPECT_EQ(m.PreviousIndex(), 0);
  EXPECT_FALSE(m.SelectSheet(2));
  EXPECT_FALSE(m.SelectSheet(-1));
  EXPECT_EQ(m.ActiveIndex(), 1);
}

TEST(SelectSheet, RecomputesTheCollapsedIndex) {
  CTabModel m = test::MakeAdvanceEditor();
  CSheet& s = m.Sheet(0);
  s.y.count = 6;
  s.y.collapsed = 1;
  m.SelectSheet(0);
  EXPECT_EQ(s.y.collapsedIndex, 5);
}

TEST(Markers, ClampedOnSheetsWithTheRpmLabel) {
  CTabModel m = test::MakeAdvanceEditor();
  m.MarkerValues() = Markers{-45, 26000, 100};
  m.Normalise(Change::kData);
  EXPECT_EQ(m.MarkerValues().baseAdvance, -30);
  EXPECT_EQ(m.MarkerValues().limiter, 25000);
  EXPECT_EQ(m.MarkerValues().startLimiter, 300);

  m.Active()->x.label = "Speed";
  m.MarkerValues() = Markers{-45, 26000, 100};
  m.Normalise(Change::kData);
  EXPECT_EQ(m.MarkerValues().baseAdvance, -45);
}

TEST(Markers, OnlyTheFlaggedOnesAreClamped) {
  CTabModel m = test::MakeAdvanceEditor();
  m.Active()->flags = SheetFlag::kFollowsLive | SheetFlag::kLimiterMarker;
  m.MarkerValues() = Markers{-45, 26000, 100};
  m.Normalise(0);
  EXPECT_EQ(m.MarkerValues().baseAdvance, -45);
  EXPECT_EQ(m.MarkerValues().limiter, 25000);
  EXPECT_EQ(m.MarkerValues().startLimiter, 100);
}

TEST(UpdateLive, RunsItsStepsInOrder) {
  CTabModel m = test::MakeAdvanceEditor();
  std::vector<std::string> steps;
  CTabModel::TickHooks hooks;
  hooks.sampleKeys = [&] { steps.push_back("keys"); };
  hooks.autoRepeat = [&] { steps.push_back("repeat"); };
  hooks.blinkCaret = [&] { steps.push_back("caret"); };
  hooks.refreshToolbar = [&] {
    steps.push_back(m.Active()->liveState == 1 ? "toolbar after live cell" : "toolbar before live cell");
  };
  hooks.dragAutoscroll = [&] { steps.push_back("drag"); };
  m.Live().rpm = 3000;
  m.UpdateLive(1, true, hooks);
  EXPECT_THAT(steps, ElementsAre("keys", "repeat", "caret", "toolbar after live cell", "drag"));
  steps.clear();
  m.UpdateLive(2, false, hooks);
  EXPECT_TRUE(steps.empty());
  EXPECT_EQ(m.TickCount(), 2);
}

TEST(UpdateLive, ReportsLiveCellAndLanguageChanges) {
  CTabModel m = test::MakeAdvanceEditor();
  m.UpdateLive(1, true);
  m.Live().rpm = 3000;
  CTabModel::TickResult r = m.UpdateLive(2, true);
  EXPECT_TRUE(r.liveCellChanged);
  EXPECT_TRUE(r.liveRpmChanged);
  r = m.UpdateLive(3, true);
  EXPECT_FALSE(r.Repaint());
  EXPECT_FALSE(r.liveRpmChanged);
  m.Live().rpm = 3100;  // same cell
  r = m.UpdateLive(4, true);
  EXPECT_FALSE(r.liveCellChanged);
  EXPECT_TRUE(r.liveRpmChanged);
  SetLanguage(LNG_CESKY);
  EXPECT_TRUE(m.UpdateLive(5, true).languageChanged);
  SetLanguage(LNG_ENGLISH);
}

TEST(UpdateLive, AutoscrollBringsTheLiveCellIntoView) {
  CTabModel m = test::MakeAdvanceEditor();
  m.SetMaxVisible(10, 5);
  bool autoscroll = false;
  m.SetAutoscrollFlag(&autoscroll);
  m.Live().rpm = 7600;     // column 13
  m.Live().throttle = 80;  // row 8
  m.UpdateLive(1, true);
  EXPECT_EQ(m.Active()->x.firstVisible, 0);
  autoscroll = true;
  m.Live().rpm = 7500;  // column 13 still, but the row changes
  m.Live().throttle = 70;
  m.UpdateLive(2, true);
  EXPECT_EQ(m.Active()->x.firstVisible, 4);
  EXPECT_EQ(m.Active()->y.firstVisible, 3);
}

TEST(Selection, KindsAreExclusiveAndBoxesFollowTheKind) {
  CTabModel m = test::MakeAdvanceEditor();
  CSheet& s = *m.Active();
  Select(s, SelKind::kCells, 3, 2, 1, 1);
  EXPECT_EQ(s.sel.selectedCount, 6);
  EXPECT_EQ(s.sel.boxX0, 1);
  EXPECT_EQ(s.sel.boxY1, 2);
  Select(s, SelKind::kXPoints, 2, 0, 4, 0, true);  // another kind clears the cells
  EXPECT_EQ(s.sel.selectedCount, 3);
  EXPECT_EQ(s.sel.boxY0, -1);
  EXPECT_FALSE(CellSelected(s, 2, 2));
  Select(s, SelKind::kCells, 20, 20, 40, 40);  // outside the table: nothing
  EXPECT_TRUE(s.sel.Empty());
  EXPECT_EQ(s.sel.boxX0, -2);
}

TEST(SheetNameWidth, TakesTheWidestLanguage) {
  const auto width = [](std::string_view text) { return static_cast<int>(text.size()) * 7; };
  EXPECT_EQ(SheetNameWidth("###Advance 1##Vorzündung 1##Předstih 1", width),
            13 * 7 + 15);  // "Vorzündung 1" is 13 bytes
  EXPECT_EQ(SheetNameWidth("1", width), 7 + 15);
}

}  // namespace
}  // namespace ign
