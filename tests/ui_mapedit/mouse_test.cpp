// Mouse of the map editor: right-click pre-selection, held +/- buttons,
// scroll bars and wheel, fill and copy drags, sheet tabs, and gestures that
// end in odd ways.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QWheelEvent>

#include "core/mapedit/hover.h"
#include "core/mapedit/selection.h"
#include "tests/ui_mapedit/host.h"

namespace ign {
namespace {

using test::CellCentre;

class TabMouseTest : public ::testing::Test {
 protected:
  void SetUp() override { h = test::MakeAdvanceHost(); }
  void Drag(QPoint from, QPoint to) { test::Drag(h->editor, from, to); }
  QPoint PlusOf(int c, int r) { return test::Centre(PlusMinusButtons(CellRect(h->Layout(), c, r)).plus); }
  std::unique_ptr<test::EditorHost> h;
};

TEST_F(TabMouseTest, RightClickSelectsAnUnselectedCellAloneAndKeepsASelectedOne) {
  Drag(CellCentre(*h, 1, 1), CellCentre(*h, 3, 3));
  ASSERT_EQ(h->Sheet().sel.selectedCount, 9);
  h->editor->PrepareContextMenu(CellCentre(*h, 2, 2));
  EXPECT_EQ(h->Sheet().sel.selectedCount, 9);
  h->editor->PrepareContextMenu(CellCentre(*h, 8, 8));
  EXPECT_EQ(h->Sheet().sel.selectedCount, 1);
  EXPECT_TRUE(CellSelected(h->Sheet(), 8, 8));
}

struct HoldCase {
  uint32_t extraFlags;
  int32_t afterForty;
};

TEST_F(TabMouseTest, HoldingPlusStepsEveryTickFromTick16AndFastFromTick36) {
  // Press at tick t0: one step; ticks 16..40 repeat (25 steps); with fast
  // stepping ticks 16..35 step 1 (20) and ticks 36, 38, 40 step 10 (30).
  const HoldCase cases[] = {{0, 4 + 1 + 25}, {SheetFlag::kFastStepData, 4 + 1 + 20 + 30}};
  for (const HoldCase& c : cases) {
    h = test::MakeAdvanceHost();
    h->Sheet().flags |= c.extraFlags;
    h->Sheet().data.maximum = 1000;
    const QPoint plus = PlusOf(2, 2);
    test::Move(h->editor, plus);
    test::Press(h->editor, plus);
    EXPECT_EQ(h->Sheet().Cell(2, 2), 5);
    std::vector<int32_t> values;
    for (int t = 1; t <= 40; ++t) {
      h->Tick();
      values.push_back(h->Sheet().Cell(2, 2));
    }
    EXPECT_EQ(values[14], 5) << "tick 15 does not step yet";
    EXPECT_EQ(values[15], 6) << "tick 16 steps";
    EXPECT_EQ(h->Sheet().Cell(2, 2), c.afterForty);
    EXPECT_TRUE(h->reports.empty()) << "a held button is one gesture";
    test::Release(h->editor, plus);
    EXPECT_EQ(h->reports.size(), 1u);
    h->Tick(10);
    EXPECT_EQ(h->reports.size(), 1u);
  }
}

TEST_F(TabMouseTest, PlusOnACellOutsideTheSelectionStepsThatCellAloneAndMinusOnASelectedOneStepsAll) {
  Drag(CellCentre(*h, 1, 1), CellCentre(*h, 2, 1));
  test::Click(h->editor, PlusOf(5, 5));
  EXPECT_EQ(h->Sheet().Cell(5, 5), 11);
  EXPECT_EQ(h->Sheet().Cell(1, 1), 2);
  Drag(CellCentre(*h, 1, 1), CellCentre(*h, 2, 1));
  const QPoint minus = test::Centre(PlusMinusButtons(CellRect(h->Layout(), 2, 1)).minus);
  test::Click(h->editor, minus);
  EXPECT_EQ(h->Sheet().Cell(1, 1), 1);
  EXPECT_EQ(h->Sheet().Cell(2, 1), 2);
}

TEST_F(TabMouseTest, WheelStepsTheHoveredValueAndIsSwallowedWhileAButtonIsHeld) {
  const QPoint at = CellCentre(*h, 4, 4);
  test::Move(h->editor, at);
  QWheelEvent up(QPointF(at), QPointF(h->editor->mapToGlobal(at)), QPoint(), QPoint(0, 120), Qt::NoButton,
                 Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(h->editor, &up);
  EXPECT_EQ(h->Sheet().Cell(4, 4), 9);
  QWheelEvent held(QPointF(at), QPointF(h->editor->mapToGlobal(at)), QPoint(), QPoint(0, -120),
                   Qt::LeftButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(h->editor, &held);
  EXPECT_EQ(h->Sheet().Cell(4, 4), 9);
}

TEST_F(TabMouseTest, ScrollBarOfTwentyColumnsRunsZeroToFiveAndFifteenColumnsHaveNone) {
  EXPECT_FALSE(h->editor->ViewState().hRange.active);
  EXPECT_TRUE(h->editor->ViewState().hBar.bar.Empty());
  h = test::MakeAdvanceHost(20);
  const TabViewState& v = h->editor->ViewState();
  ASSERT_TRUE(v.hRange.active);
  EXPECT_EQ(v.hRange.maxPosition, 5);
  const QPoint forward = test::Centre(v.hBar.arrowForward);
  for (int i = 0; i < 7; ++i) test::Click(h->editor, forward);
  EXPECT_EQ(h->Sheet().x.firstVisible, 5);
  EXPECT_EQ(h->Layout().firstColumn, 5);
  test::Click(h->editor, test::Centre(v.hBar.arrowBack));
  EXPECT_EQ(h->Sheet().x.firstVisible, 4);
  // Held on the back track: one page at the press, repeats from the third tick.
  const QPoint track(v.hBar.track.left + 2, (v.hBar.track.top + v.hBar.track.bottom) / 2);
  test::Move(h->editor, track);
  test::Press(h->editor, track);
  EXPECT_EQ(h->Sheet().x.firstVisible, 0);
  h->Tick(3);
  test::Release(h->editor, track);
  EXPECT_EQ(h->Sheet().x.firstVisible, 0);
  // Dragging the thumb all the way right.
  const QPoint thumb = test::Centre(v.hBar.thumb);
  test::Move(h->editor, thumb);
  test::Press(h->editor, thumb);
  test::Move(h->editor, thumb + QPoint(2000, 0), Qt::LeftButton);
  test::Release(h->editor, thumb + QPoint(2000, 0));
  EXPECT_EQ(h->Sheet().x.firstVisible, 5);
}

TEST_F(TabMouseTest, ScrollingCommitsATypedEntry) {
  h = test::MakeAdvanceHost(20);
  test::Click(h->editor, CellCentre(*h, 1, 1));
  test::Type(h->editor, "30");
  test::Click(h->editor, test::Centre(h->editor->ViewState().hBar.arrowForward));
  EXPECT_FALSE(h->editor->ViewState().entry.active);
  EXPECT_EQ(h->Sheet().Cell(1, 1), 30);
}

TEST_F(TabMouseTest, FillHandleDragExtendsARowBySlope) {
  h->Sheet().Cell(3, 2) = 10;
  h->Sheet().Cell(4, 2) = 12;
  Drag(CellCentre(*h, 3, 2), CellCentre(*h, 4, 2));
  const Rect frame = SelectionFrame(h->Layout(), h->Sheet());
  const QPoint handle(frame.right - 1, frame.bottom - 1);
  test::Move(h->editor, handle);
  ASSERT_EQ(h->editor->ViewState().hover.kind, HoverKind::kFillHandle);
  const int twoColumns = static_cast<int>(h->Layout().cellWidth * 2) + 2;
  test::Press(h->editor, handle);
  test::Move(h->editor, handle + QPoint(twoColumns, 0), Qt::LeftButton);
  EXPECT_EQ(h->Sheet().Cell(5, 2), 7) << "nothing changes before the release";
  test::Release(h->editor, handle + QPoint(twoColumns, 0));
  EXPECT_EQ(h->Sheet().Cell(5, 2), 14);
  EXPECT_EQ(h->Sheet().Cell(6, 2), 16);
  EXPECT_EQ(h->reports.size(), 1u);
  EXPECT_EQ(h->Sheet().sel.boxX1, 6);
}

TEST_F(TabMouseTest, BorderDragPastTheRightEdgeLandsOnTheLastColumns) {
  h->Sheet().Cell(2, 4) = 40;
  h->Sheet().Cell(3, 4) = 41;
  Drag(CellCentre(*h, 2, 4), CellCentre(*h, 3, 4));
  const Rect frame = SelectionFrame(h->Layout(), h->Sheet());
  const QPoint border((frame.left + frame.right) / 2, frame.top + 1);
  test::Move(h->editor, border);
  ASSERT_EQ(h->editor->ViewState().hover.kind, HoverKind::kBorder);
  test::Press(h->editor, border);
  test::Move(h->editor, border + QPoint(5000, 0), Qt::LeftButton);
  test::Release(h->editor, border + QPoint(5000, 0));
  EXPECT_EQ(h->Sheet().Cell(13, 4), 40);
  EXPECT_EQ(h->Sheet().Cell(14, 4), 41);
  EXPECT_EQ(h->Sheet().Cell(2, 4), 40) << "the source stays";
}

TEST_F(TabMouseTest, GesturesCutShortChangeNothing) {
  Drag(CellCentre(*h, 3, 2), CellCentre(*h, 4, 2));
  const std::vector<int32_t> before(h->Sheet().data.values.begin(), h->Sheet().data.values.end());
  const Rect frame = SelectionFrame(h->Layout(), h->Sheet());
  const QPoint handle(frame.right - 1, frame.bottom - 1);
  // Focus lost mid-fill.
  test::Move(h->editor, handle);
  test::Press(h->editor, handle);
  test::Move(h->editor, handle + QPoint(300, 200), Qt::LeftButton);
  QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
  QApplication::sendEvent(h->editor, &out);
  test::Release(h->editor, handle + QPoint(300, 200));
  // Sheet switched mid-fill, released far outside the control.
  test::Move(h->editor, handle);
  test::Press(h->editor, handle);
  test::Move(h->editor, QPoint(-4000, 9000), Qt::LeftButton);
  h->editor->SelectSheet(1);
  test::Release(h->editor, QPoint(-4000, 9000));
  const std::vector<int32_t> after(h->editor->Model().Sheet(0).data.values.begin(),
                                   h->editor->Model().Sheet(0).data.values.end());
  EXPECT_EQ(before, after);
  EXPECT_TRUE(h->reports.empty());
}

TEST_F(TabMouseTest, DraggingASelectionOutsideScrollsByDistance) {
  h = test::MakeAdvanceHost(20);
  const QPoint start = CellCentre(*h, 10, 3);
  test::Move(h->editor, start);
  test::Press(h->editor, start);
  const Rect cells = CellAreaRect(h->Layout());
  test::Move(h->editor, QPoint(cells.right + 95, start.y()),
             Qt::LeftButton);  // (100 - 95) / 10 = 0 -> every tick
  h->Tick(3);
  EXPECT_EQ(h->Sheet().x.firstVisible, 3);
  test::Release(h->editor, QPoint(cells.right + 95, start.y()));
  EXPECT_EQ(h->Sheet().sel.boxX0, 10);
  EXPECT_EQ(h->Sheet().sel.boxX1, 17);
}

TEST_F(TabMouseTest, ClickingASheetTabSelectsItAndReports) {
  const Rect tab = h->editor->ViewState().tabs[1];
  test::Click(h->editor, test::Centre(tab));
  EXPECT_EQ(h->editor->Model().ActiveIndex(), 1);
  ASSERT_EQ(h->reports.size(), 1u);
  EXPECT_EQ(h->reports[0], 0u);
}

TEST_F(TabMouseTest, DoubleClickPlacesTheCaret) {
  h->Sheet().Cell(6, 6) = 123;
  const QPoint at = CellCentre(*h, 6, 6);
  test::Click(h->editor, at);
  QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(at + QPoint(-20, 0)),
                  QPointF(h->editor->mapToGlobal(at)), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(h->editor, &dbl);
  const TypedEntry& e = h->editor->ViewState().entry;
  ASSERT_TRUE(e.active);
  EXPECT_EQ(e.text, "123");
  EXPECT_EQ(e.caret, 0);  // left of the text
}

}  // namespace
}  // namespace ign
