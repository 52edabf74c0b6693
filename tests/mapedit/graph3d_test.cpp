#include "core/mapedit/graph3d.h"

#include <gtest/gtest.h>

#include "core/mapedit/commands.h"
#include "tests/mapedit/fixtures.h"

namespace ign {
namespace {

TEST(Graph3DView, TopViewTextAndRotatingPast180Wraps) {
  View3D v;
  EXPECT_EQ(PresetOf(v), Cmd::kPresetIso2);
  ASSERT_TRUE(ApplyPreset(v, Cmd::kPresetTop));
  EXPECT_EQ(AngleText(v), "X:-90°  XY:0°  XYZ:0°");
  v.angleXYZ = 36;  // 180°
  Wheel3D(v, 1, false, false);
  EXPECT_EQ(v.angleXYZ, -35);
  EXPECT_EQ(AngleText(v), "X:-90°  XY:0°  XYZ:-175°");
  EXPECT_EQ(PresetOf(v), -1);
  EXPECT_EQ(WrapAngle(-36), 36);
}

TEST(Graph3DView, DragTurnsByTenthsOfThePixelsInFiveDegreeSteps) {
  View3D v;
  RotateByDrag(v, -5, 24, 37, -23);
  EXPECT_EQ(v.angleXY, 27);  // 24 + 37 / 10
  EXPECT_EQ(v.angleX, -3);   // -5 - (-23 / 10)
  EXPECT_TRUE(v.hints & Hint3D::kRotated);
  RotateByDrag(v, 30, 30, 100, 0);
  EXPECT_EQ(v.angleXY, -32);  // 40 wraps to -32
}

TEST(Graph3DView, WheelWithCtrlAndShiftStaysInsideItsRanges) {
  View3D v;
  v.colouring = 5;
  Wheel3D(v, 1, true, false);
  EXPECT_EQ(v.colouring, 5);
  Wheel3D(v, -1, true, false);
  EXPECT_EQ(v.colouring, 4);
  v.values = 3;
  Wheel3D(v, 1, false, true);
  EXPECT_EQ(v.values, 3);
  for (int i = 0; i < 5; ++i) Wheel3D(v, -1, false, true);
  EXPECT_EQ(v.values, 0);
}

TEST(Graph3DView, PaletteKeyColours) {
  EXPECT_EQ(PaletteColour(0), 0x000055u);
  EXPECT_EQ(PaletteColour(10), 0x0000FFu);
  EXPECT_EQ(PaletteColour(20), 0x00FFFFu);
  EXPECT_EQ(PaletteColour(30), 0x00FF00u);
  EXPECT_EQ(PaletteColour(38), 0xFFFF00u);
  EXPECT_EQ(PaletteColour(5), 0x0000AAu);  // halfway from 0x55 to 0xFF
  EXPECT_EQ(PaletteColour(61), 0xFF0000u);
  EXPECT_EQ(PaletteColour(62), 0xFF0000u);
}

TEST(Graph3DView, GrainSplittingIsBoundedByFourToTheGrain) {
  Triangle3D t;
  t.v = {Vertex3D{{0, 0, 0}, 0.0}, Vertex3D{{100, 0, 0}, 61.0}, Vertex3D{{50, 80, 0}, 30.0}};
  const std::size_t bound[] = {1, 4, 16, 64};
  for (int g = 0; g <= 3; ++g) {
    std::vector<Triangle3D> pieces;
    SplitByGrain(t, g, pieces);
    EXPECT_EQ(pieces.size(), bound[g]) << g;
  }
  Triangle3D flat = t;
  for (auto& v : flat.v) v.colour = 12.2;
  std::vector<Triangle3D> pieces;
  SplitByGrain(flat, 3, pieces);
  EXPECT_EQ(pieces.size(), 1u);
  EXPECT_EQ(TriangleColour(flat), 12);
}

TEST(Graph3DView, OnePeakInAFlatMapIsTheOnlyInterestingValueBesideTheLiveCell) {
  CTabModel m = test::MakeAdvanceEditor();
  CSheet& s = m.Sheet(0);
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 15; ++c) s.Cell(c, r) = 10;
  s.Cell(7, 4) = 25;
  s.liveColumn = 2;
  s.liveRow = 3;
  s.liveState = 1;
  EXPECT_EQ(PrintedCells(s, Values3D::kInteresting),
            (std::vector<int>{CSheet::CellIndex(2, 3), CSheet::CellIndex(7, 4)}));
  EXPECT_EQ(PrintedCells(s, Values3D::kActive), (std::vector<int>{CSheet::CellIndex(2, 3)}));
  EXPECT_EQ(PrintedCells(s, Values3D::kAll).size(), 150u);
  EXPECT_TRUE(PrintedCells(s, Values3D::kNone).empty());
}

TEST(Graph3DView, TopViewLooksStraightDownTheDataAxis) {
  CTabModel m = test::MakeAdvanceEditor();
  View3D v;
  ApplyPreset(v, Cmd::kPresetTop);
  const Projection3D p = ComputeProjection(m, v, Rect{10, 66, 973, 423});
  ASSERT_TRUE(p.valid);
  const Point3D low = Project(p, 0, 0, 0), high = Project(p, 0, 50, 0);
  EXPECT_NEAR(low.x, high.x, 1e-9);
  EXPECT_NEAR(low.y, high.y, 1e-9);
  EXPECT_GT(Project(p, 10, 0, 0).x, low.x);  // rpm to the right
  EXPECT_GT(Project(p, 0, 0, 10).y, low.y);  // load downwards, as in the table
  // The whole surface fits the plot right of the legend.
  for (const Triangle3D& t : SurfaceTriangles(m, p)) {
    for (const Vertex3D& vx : t.v) {
      EXPECT_GE(vx.at.x, p.plot.left);
      EXPECT_LE(vx.at.x, p.plot.right);
      EXPECT_GE(vx.at.y, p.view.top);
      EXPECT_LE(vx.at.y, p.view.bottom);
    }
  }
}

}  // namespace
}  // namespace ign
