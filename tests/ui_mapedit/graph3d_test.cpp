// The 3D view driven by synthetic mouse and wheel events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWheelEvent>

#include "core/mapedit/graph3d.h"
#include "core/mapedit/selection.h"
#include "core/mapedit/texts.h"
#include "tests/ui_mapedit/host.h"

namespace ign::test {
namespace {

void Wheel(TTab* w, QPoint at, int steps, Qt::KeyboardModifiers mods = {}) {
  QWheelEvent e(QPointF(at), QPointF(w->mapToGlobal(at)), QPoint(), QPoint(0, 120 * steps), Qt::NoButton,
                mods, Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &e);
}

struct Graph3DUi : ::testing::Test {
  std::unique_ptr<EditorHost> h = MakeAdvanceHost();
  void SetUp() override {
    h->editor->Execute(Cmd::kView3D);
    ASSERT_EQ(h->editor->CurrentView(), View::kGraph3D);
  }
  const View3D& V() { return h->editor->Graph().view3D; }
  QPoint InPlot() { return Centre(h->editor->Graph().projection.plot); }
  QPoint InLegend() { return Centre(h->editor->Graph().projection.legend); }
  const ToolButton* Button(int code) const {
    for (const ToolButton& b : h->editor->ViewState().toolbar.buttons) {
      if (b.code == code) return &b;
    }
    return nullptr;
  }
};

TEST_F(Graph3DUi, DragRotatesByATenthOfThePixels) {
  const QPoint from = InPlot();
  Drag(h->editor, from, from + QPoint(37, -23));
  EXPECT_EQ(V().angleXY, 24 + 3);
  EXPECT_EQ(V().angleX, -5 + 2);
}

TEST_F(Graph3DUi, WheelWithModifiersKeepsColouringAndValueDisplayInRange) {
  EXPECT_EQ(V().colouring, 4);  // editors made by CreateMapEditor
  Wheel(h->editor, InPlot(), 1, Qt::ControlModifier);
  Wheel(h->editor, InPlot(), 1, Qt::ControlModifier);
  EXPECT_EQ(V().colouring, 5);
  for (int i = 0; i < 5; ++i) Wheel(h->editor, InPlot(), 1, Qt::ShiftModifier);
  EXPECT_EQ(V().values, 3);
  for (int i = 0; i < 5; ++i) Wheel(h->editor, InPlot(), -1, Qt::ShiftModifier);
  EXPECT_EQ(V().values, 0);
  Wheel(h->editor, InPlot(), -1);
  EXPECT_EQ(V().angleXYZ, -1);
}

TEST_F(Graph3DUi, WheelOverTheLegendStepsTheLiveCell) {
  h->editor->Model().Live().rpm = 3000;
  h->editor->Model().Live().throttle = 40;
  h->Tick();
  const CSheet& s = h->Sheet();
  ASSERT_GT(s.liveState, 0);
  const int32_t before = s.Cell(s.liveColumn, s.liveRow);
  Wheel(h->editor, InLegend(), 1);
  EXPECT_EQ(s.Cell(s.liveColumn, s.liveRow), before + 1);
}

TEST_F(Graph3DUi, PresetsShowCheckedInToolbarAndMenu) {
  Select(h->Sheet(), SelKind::kCells, 2, 2, 4, 4);
  h->editor->Execute(Cmd::kPresetTop);
  EXPECT_EQ(V().angleX, -18);
  h->Tick();
  ASSERT_NE(Button(Cmd::kPresetTop), nullptr);
  EXPECT_TRUE(Button(Cmd::kPresetTop)->checked);
  EXPECT_FALSE(Button(Cmd::kPresetIso2)->checked);
  bool topChecked = false;
  for (const MenuItem& item : h->editor->PrepareContextMenu(InPlot())) {
    if (item.code == Cmd::kPresetTop) topChecked = item.checked;
  }
  EXPECT_TRUE(topChecked);
  EXPECT_EQ(h->Sheet().sel.selectedCount, 9);  // a right click in 3D keeps the selection
}

TEST_F(Graph3DUi, PlotHintKeepsTheUsageUntilTheUserRotated) {
  const std::string quality = Shown(MapText::kHintQuality3D);
  Move(h->editor, InPlot());
  EXPECT_EQ(h->editor->Hint().toStdString(), Shown(MapText::kHintRotate3D) + "|" + quality);
  Wheel(h->editor, InPlot(), 1);
  Move(h->editor, InPlot() + QPoint(1, 0));
  EXPECT_EQ(h->editor->Hint().toStdString(), "|" + quality);
  Move(h->editor, InLegend());
  EXPECT_EQ(h->editor->Hint().toStdString(), Shown(MapText::kHintLegend3D));
}

}  // namespace
}  // namespace ign::test
