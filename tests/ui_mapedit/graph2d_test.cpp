// The 2D graph driven by synthetic mouse events on the advance map editor.
#include <gtest/gtest.h>

#include <QImage>

#include <cmath>

#include "core/mapedit/graph2d.h"
#include "tests/mapedit/fixtures.h"
#include "tests/ui_mapedit/host.h"

namespace ign::test {
namespace {

struct Graph2DView : ::testing::Test {
  std::unique_ptr<EditorHost> h = MakeAdvanceHost();

  void SetUp() override {
    h->editor->Execute(Cmd::kView2D);
    ASSERT_EQ(h->editor->CurrentView(), View::kGraph2D);
  }
  const Graph2D& G() { return h->editor->Graph().layout; }
  QPoint At(double x, double y) { return QPoint(static_cast<int>(x), static_cast<int>(y)); }
  QPoint PointAt(int i, int k) { return At(PointX(G(), h->Sheet(), i), PointY(G(), h->Sheet(), i, k)); }
  // Presses at from, moves through to, releases there.
  void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {}) {
    Move(h->editor, from);
    Press(h->editor, from, Qt::LeftButton, mods);
    Move(h->editor, to, Qt::LeftButton);
    Release(h->editor, to);
  }
};

TEST_F(Graph2DView, RpmPointDraggedOntoItsNeighbourPushesItAndTheStatusNamesBothValues) {
  h->editor->Execute(Cmd::kUseOnlyX);  // one curve: the last throttle row
  ASSERT_EQ(G().curves, 1);
  const QPoint from = PointAt(3, 0);  // 2 500 rpm
  const QPoint to = At(XOfValue(G(), 35), from.y());
  Move(h->editor, from);
  Press(h->editor, from);
  Move(h->editor, to, Qt::LeftButton);
  EXPECT_EQ(h->editor->Hint().toStdString(), "Dragging: RPM = 3 500; Advance = 12 °");
  Release(h->editor, to);
  EXPECT_EQ(Values(h->Sheet().x)[3], 35);
  EXPECT_EQ(Values(h->Sheet().x)[4], 36);  // pushed by one step
  EXPECT_EQ(Values(h->Sheet().x)[5], 37);
  EXPECT_EQ(h->Sheet().Cell(3, 9), 12);
}

// Pixels of the box that shows the value being set during a drag.
int DragValuePixels(TTab* editor) {
  editor->Flush();
  const QImage image = editor->grab().toImage();
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == qRgb(0xFF, 0xFF, 0xE1);
  return n;
}

TEST_F(Graph2DView, TheValueBeingSetStandsBesideThePointWhileTheButtonIsHeld) {
  h->editor->Execute(Cmd::kUseOnlyX);
  const QPoint from = PointAt(3, 0);
  const QPoint to = At(XOfValue(G(), 35), from.y());
  Move(h->editor, from);
  EXPECT_EQ(DragValuePixels(h->editor), 0);  // hovering shows none
  Press(h->editor, from);
  Move(h->editor, to, Qt::LeftButton);
  const int shown = DragValuePixels(h->editor);
  EXPECT_GT(shown, 500);
  // The box stands up and right of the dragged point, clear of the pointer.
  const QImage image = h->editor->grab().toImage();
  EXPECT_EQ(image.pixel(to.x() + 20, to.y() - 20), qRgb(0xFF, 0xFF, 0xE1));
  EXPECT_NE(image.pixel(to.x(), to.y()), qRgb(0xFF, 0xFF, 0xE1));
  Release(h->editor, to);
  EXPECT_EQ(DragValuePixels(h->editor), 0);
}

TEST_F(Graph2DView, ShiftDragWithNothingSelectedLiftsTheWholeCurve) {
  h->editor->Execute(Cmd::kUseOnlyX);
  const QPoint from = PointAt(5, 0);
  Drag(from, At(from.x(), YOfValue(G(), h->Sheet().Cell(5, 9) + 4, 0)), Qt::ShiftModifier);
  for (int c = 0; c < 15; ++c) EXPECT_EQ(h->Sheet().Cell(c, 9), c + 9 + 4) << c;
  EXPECT_EQ(Values(h->Sheet().x)[0], 10);   // the pointer kept its x
  EXPECT_EQ(h->Sheet().Cell(5, 8), 5 + 8);  // other rows untouched
}

TEST_F(Graph2DView, CtrlDragMovesThatIndexOnEveryCurve) {
  ASSERT_EQ(G().curves, 10);
  const QPoint from = PointAt(6, 4);
  Drag(from, At(from.x(), YOfValue(G(), h->Sheet().Cell(6, 4) + 3, 4)), Qt::ControlModifier);
  for (int r = 0; r < 10; ++r) EXPECT_EQ(h->Sheet().Cell(6, r), 6 + r + 3) << r;
  EXPECT_EQ(h->Sheet().Cell(5, 4), 9);
}

TEST_F(Graph2DView, LimiterLineDraggedFarRightClampsAtTheAxisMaximumTimes100) {
  h->editor->Model().MarkerValues().limiter = 9000;
  h->editor->RequestRelayout();
  h->editor->Flush();
  const int x = static_cast<int>(XOfValue(G(), 90));
  const QPoint from(x, G().bottom - G().height + 3);
  Drag(from, QPoint(x + 4000, from.y()));
  EXPECT_EQ(h->editor->Model().MarkerValues().limiter, 25000);
}

TEST_F(Graph2DView, DraggingTheLeadInChangesTheBaseAdvance) {
  h->editor->Execute(Cmd::kUseOnlyX);
  const QPoint from = At(G().left, YOfValue(G(), 0, 0));
  Drag(from, At(G().left, YOfValue(G(), 5, 0)));
  EXPECT_EQ(h->editor->Model().MarkerValues().baseAdvance, 5);
}

TEST_F(Graph2DView, OneDragReportsOnceAtButtonUp) {
  h->editor->Execute(Cmd::kUseOnlyX);
  h->reports.clear();
  const QPoint from = PointAt(7, 0);
  Move(h->editor, from);
  Press(h->editor, from);
  for (int step = 1; step <= 4; ++step) Move(h->editor, from - QPoint(0, 6 * step), Qt::LeftButton);
  h->Tick(10);
  EXPECT_TRUE(h->reports.empty());
  Release(h->editor, from - QPoint(0, 24));
  ASSERT_EQ(h->reports.size(), 1u);
  EXPECT_EQ(h->reports[0], Change::kData);
}

TEST_F(Graph2DView, NonEditableAxisKeepsItsValuesAndNothingEditableNeverStarts) {
  h->editor->Execute(Cmd::kUseOnlyX);
  h->Sheet().x.editable = 0;
  const QPoint from = PointAt(4, 0);
  Drag(from, from + QPoint(40, -30));
  EXPECT_EQ(Values(h->Sheet().x)[4], 30);
  EXPECT_GT(h->Sheet().Cell(4, 9), 13);

  h->Sheet().data.editable = 0;
  h->reports.clear();
  const int32_t cell = h->Sheet().Cell(6, 9);
  Drag(PointAt(6, 0), PointAt(6, 0) + QPoint(0, -40));
  EXPECT_EQ(h->Sheet().Cell(6, 9), cell);
  EXPECT_TRUE(h->reports.empty());
}

TEST_F(Graph2DView, RubberBandSelectsThePointsInsideAndWheelStepsThem) {
  h->editor->Execute(Cmd::kUseOnlyX);
  const QPoint a = PointAt(2, 0), b = PointAt(4, 0);
  Drag(QPoint(a.x() - 4, G().bottom - G().height + 2), QPoint(b.x() + 4, G().bottom - 2));
  const CSheet& s = h->Sheet();
  EXPECT_EQ(s.sel.selectedCount, 3);
  EXPECT_TRUE(s.sel.cellState[CSheet::CellIndex(3, 9)] & SelBit::kSelected);
  EXPECT_FALSE(s.sel.cellState[CSheet::CellIndex(5, 9)] & SelBit::kSelected);
}

TEST_F(Graph2DView, ViewSwitchReachesTheNextOfferedViewAndBack) {
  h->editor->Execute(Cmd::kViewTable);
  EXPECT_EQ(h->editor->CurrentView(), View::kTable);
  EXPECT_TRUE(h->editor->Graph().area.Empty());  // 15 columns fill the table
  h->editor->Execute(Cmd::kView2D);
  EXPECT_EQ(h->editor->CurrentView(), View::kGraph2D);
}

TEST(Graph2DBeside, TwoPointSheetDrawsTheGraphBesideTheTable) {
  auto h = MakeAdvanceHost(2);
  EXPECT_EQ(h->editor->CurrentView(), View::kTable);
  EXPECT_FALSE(h->editor->Graph().area.Empty());
  EXPECT_TRUE(h->editor->Graph().layout.valid);
}

}  // namespace
}  // namespace ign::test
