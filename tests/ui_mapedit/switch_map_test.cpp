// The switch-map view of a power output's compact map, driven by mouse events.
#include <gtest/gtest.h>

#include "core/mapedit/switch_map.h"
#include "tests/mapedit/fixtures.h"
#include "tests/ui_mapedit/host.h"

namespace ign::test {
namespace {

struct SwitchView : ::testing::Test {
  std::unique_ptr<EditorHost> h = MakeSwitchHost();
  const SwitchLayout& L() { return h->editor->Graph().switchLayout; }
  QPoint RegionCentre(int i, int j) { return Centre(RegionRect(L(), i, j)); }
  void Drag(QPoint from, QPoint to) { test::Drag(h->editor, from, to); }
};

TEST_F(SwitchView, RubberBandTogglesEveryTouchedRegionInOneReport) {
  h->Sheet().data.editable = 1;
  ASSERT_EQ(L().columns, 4);
  ASSERT_EQ(L().rows, 3);
  h->Sheet().Cell(0, 1) = 0;
  h->Sheet().Cell(1, 1) = 1;
  h->Sheet().Cell(2, 1) = 2;
  h->Sheet().Cell(3, 1) = 0;
  h->reports.clear();
  Drag(RegionCentre(0, 1), RegionCentre(2, 1));
  EXPECT_EQ(h->Sheet().Cell(0, 1), 1);
  EXPECT_EQ(h->Sheet().Cell(1, 1), 0);
  EXPECT_EQ(h->Sheet().Cell(2, 1), 0);
  EXPECT_EQ(h->Sheet().Cell(3, 1), 0);  // not touched
  EXPECT_EQ(h->Sheet().Cell(0, 0), 0);
  EXPECT_EQ(h->reports, (std::vector<unsigned>{Change::kData}));
}

TEST_F(SwitchView, NotEditableDataIsNeverToggled) {
  h->reports.clear();
  Drag(RegionCentre(0, 0), RegionCentre(1, 0));
  EXPECT_EQ(h->Sheet().Cell(0, 0), 0);
  EXPECT_TRUE(h->reports.empty());
}

TEST_F(SwitchView, RegionHoldingThreeShowsTheGreenTriangle) {
  h->Sheet().data.editable = 1;
  h->Sheet().Cell(1, 1) = 3;
  h->editor->RequestRepaint();
  h->editor->RedrawNow();
  const QImage& image = h->editor->Bitmap();
  const Rect r = RegionRect(L(), 1, 1);
  EXPECT_EQ(image.pixelColor(r.left + 3, r.bottom - 3), QColor(0x00, 0x80, 0x00));  // in the triangle
  EXPECT_EQ(image.pixelColor(r.right - 3, r.top + 3), QColor(0xF0, 0xF0, 0xE0));    // the pale half
}

TEST_F(SwitchView, ProportionalBoundariesFollowTheAxisValuesAndADragPushesTheNeighbour) {
  const Rect plot = L().plot;
  // Evenly spaced: a quarter of the width each.
  EXPECT_EQ(L().xb[0], plot.left + plot.Width() / 4);
  h->editor->SetProportional(true);
  ASSERT_TRUE(L().proportional);
  // X over 0 .. 250: 20, 40 and 60 lie at 8, 16 and 24 % of the width.
  EXPECT_EQ(L().xb[0], plot.left + static_cast<int>(0.08 * plot.Width()));
  EXPECT_EQ(L().xb[2], plot.left + static_cast<int>(0.24 * plot.Width()));
  h->reports.clear();
  const int y = (plot.top + plot.bottom) / 2 + 3;
  const int to = plot.left + static_cast<int>(45.0 / 250.0 * plot.Width() + 0.5);
  Drag(QPoint(L().xb[0], y), QPoint(to, y));
  EXPECT_EQ(Values(h->Sheet().x), (std::vector<int32_t>{45, 46, 60}));
  EXPECT_EQ(h->reports, (std::vector<unsigned>{Change::kX}));
}

}  // namespace
}  // namespace ign::test
