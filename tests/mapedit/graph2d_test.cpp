#include "core/mapedit/graph2d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/mapedit/graph2d_edit.h"
#include "core/mapedit/selection.h"
#include "tests/mapedit/fixtures.h"

namespace ign {
namespace {

using test::SetValues;

// One rpm sheet of points x rows, X scale 100 with the rpm rules.
CTabModel RpmSheet(int points, int rows, uint32_t flags = 0) {
  CTabModel m(test::kAdvanceEditorFlags, 0);
  m.AddSheet("S", "RPM", "TP", "ADV", points, rows, flags);
  AxisDefinition x;
  x.unit = "RPM";
  x.minimum = 3;
  x.maximum = 250;
  x.scale = 100.0;
  x.gridRules = kRpmGridRules;
  x.options = AxisOption::kNumeric;
  x.count = points;
  m.DefineAxis(0, AxisMask::kX, x);
  AxisDefinition y;
  y.options = AxisOption::kNumeric;
  y.count = rows;
  m.DefineAxis(0, AxisMask::kY, y);
  AxisDefinition d;
  d.minimum = -30;
  d.maximum = 60;
  m.DefineAxis(0, AxisMask::kData, d);
  m.SelectSheet(0);
  return m;
}

const Rect kArea{10, 40, 510, 340};

TEST(Graph2DRange, RpmAxisFrom300To12000RoundsTo0To14000WithLabelsEvery2k) {
  CTabModel m = RpmSheet(2, 1);
  SetValues(m.Sheet(0).x, {3, 120});
  m.NormaliseSheet(0, Change::kAll | Change::kReset);
  const Graph2D g = ComputeGraph2D(m, kArea);
  EXPECT_EQ(g.h.low, 0);
  EXPECT_EQ(g.h.high, 140);
  EXPECT_DOUBLE_EQ(g.h.rule.gridSpacing, 1000.0);
  std::vector<std::string> labels;
  for (double v = g.h.low * 100.0; v <= g.h.high * 100.0; v += g.h.rule.labelSpacing)
    labels.push_back(GraphNumber(g.h.rule.labelSpacing, v));
  EXPECT_EQ(labels, (std::vector<std::string>{"0k", "2k", "4k", "6k", "8k", "10k", "12k", "14k"}));
}

TEST(Graph2DRange, GraphNumberFormatAtEachThreshold) {
  struct Case {
    double spacing, value;
    const char* text;
  } cases[] = {
      {0.0005, 0.0123, "12.30m"}, {0.001, 0.0123, "12m"},     {0.005, 0.012, "12m"},
      {0.01, 1.234, "1.23"},      {0.05, 1.234, "1.23"},      {0.1, 2.5, "2.5"},
      {0.5, -2.5, "-2.5"},        {1, 1234.4, "1234"},        {999, 7.0, "7"},
      {1000, 14000, "14k"},       {999999, 2500000, "2500k"}, {1000000, 3e6, "3M"},
      {1000, -0.1, "0k"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GraphNumber(c.spacing, c.value), c.text) << c.spacing << " " << c.value;
}

TEST(Graph2DRange, MarkersWidenTheRpmAndDataRanges) {
  CTabModel m = RpmSheet(3, 1, SheetFlag::kBaseAdvanceMarker | SheetFlag::kLimiterMarker);
  SetValues(m.Sheet(0).x, {20, 30, 40});  // 2000 .. 4000 rpm
  m.Sheet(0).Cell(0, 0) = m.Sheet(0).Cell(1, 0) = m.Sheet(0).Cell(2, 0) = 20;
  m.NormaliseSheet(0, Change::kAll | Change::kReset);
  m.MarkerValues().baseAdvance = 5;
  m.MarkerValues().limiter = 9000;
  const Graph2D g = ComputeGraph2D(m, kArea);
  EXPECT_EQ(g.h.low, 0);     // the base advance starts the axis at 0 rpm
  EXPECT_EQ(g.h.high, 100);  // 9000 + 400 rounds up to 10 000 (unit 2000)
  EXPECT_LE(g.d.low, 5);
  EXPECT_EQ(LeadInValue(g, m, 0), 5);
}

TEST(Graph2DRange, TwoCurvesStackTheUpperOneCurveOffsetHigher) {
  CTabModel m = RpmSheet(3, 2);
  CSheet& s = m.Sheet(0);
  SetValues(s.x, {10, 20, 30});
  SetValues(s.y, {0, 50});
  const int32_t rows[2][3] = {{10, 12, 15}, {14, 16, 20}};
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) s.Cell(c, r) = rows[r][c];
  m.NormaliseSheet(0, Change::kAll | Change::kReset);
  const Graph2D g = ComputeGraph2D(m, kArea);
  // Data 10 .. 20 rounds to 9 .. 21 (unit 1); the largest rise between the
  // curves is 5, so the offset is ceil(5 + 0.5) = 6; the first curve's top
  // 15 rounds up to 16, and the data top is 6 + 16.
  EXPECT_EQ(g.curves, 2);
  EXPECT_EQ(g.d.low, 9);
  EXPECT_EQ(g.curveOffset, 6);
  EXPECT_EQ(g.dataTop, 22);
  EXPECT_EQ(g.h.low, 0);
  EXPECT_EQ(g.h.high, 40);
  EXPECT_EQ(g.left, 55);
  EXPECT_EQ(g.bottom, 322);
  EXPECT_EQ(g.width, 425);
  EXPECT_EQ(g.height, 274);
  EXPECT_EQ(static_cast<int>(PointX(g, s, 0)), 161);     // 55 + 10 * 425 / 40
  EXPECT_EQ(static_cast<int>(PointY(g, s, 0, 1)), 216);  // 322 - (14 - 9) * 274 / 13
  EXPECT_EQ(static_cast<int>(PointY(g, s, 0, 0)), 174);  // 322 - (10 - 9 + 6) * 274 / 13
  EXPECT_DOUBLE_EQ(PointY(g, s, 0, 0), YOfValue(g, 10, 1) - 6 * g.vf);
}

TEST(Graph2DRange, PixelToValueRoundTripsForEveryPointOfTheAdvanceMap) {
  CTabModel m = test::MakeAdvanceEditor();
  CSheet& s = m.Sheet(0);
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 15; ++c) s.Cell(c, r) = (c * 7 + r * 3) % 40 - 5;
  const Graph2D g = ComputeGraph2D(m, Rect{10, 66, 973, 423});
  for (int k = 0; k < g.curves; ++k) {
    for (int i = 0; i < g.points; ++i) {
      EXPECT_EQ(HorizontalValueAt(g, PointX(g, s, i)), s.x.values[static_cast<std::size_t>(i)]);
      EXPECT_EQ(DataValueAt(g, PointY(g, s, i, k), k), s.Cell(i, k));
    }
  }
}

TEST(Graph2DRange, DragToThePointsOwnPixelChangesNothingAndReportsNothing) {
  CTabModel m = test::MakeAdvanceEditor();
  int reports = 0;
  m.SetOnSheetChanged([&](CTabModel&, unsigned) { ++reports; });
  m.Sheet(0).y.collapsed = 1;  // one curve, as on the page with "use only rpm"
  m.SelectSheet(0);
  const std::vector<int32_t> before = test::Values(m.Sheet(0).x);
  const int32_t cell = m.Sheet(0).Cell(4, 9);
  const Graph2D g = ComputeGraph2D(m, Rect{10, 66, 973, 423});
  const GraphTarget t{GraphTargetKind::kPoint, 4, 0};
  const int px = static_cast<int>(PointX(g, m.Sheet(0), 4)),
            py = static_cast<int>(PointY(g, m.Sheet(0), 4, 0));
  GraphDrag drag;
  ASSERT_TRUE(BeginGraphDrag(m, g, t, px, py, false, false, 1, drag));
  GraphDragStep(m, g, drag, px, py, 2);
  EndGraphDrag(m, 3);
  EXPECT_EQ(test::Values(m.Sheet(0).x), before);
  EXPECT_EQ(m.Sheet(0).Cell(4, 9), cell);
  EXPECT_EQ(reports, 0);
}

TEST(Graph2DRange, FollowersOfShiftCtrlAndTheSelection) {
  CTabModel m = test::MakeAdvanceEditor();
  CSheet& s = m.Sheet(0);
  const Graph2D g = ComputeGraph2D(m, kArea);
  const GraphTarget t{GraphTargetKind::kPoint, 5, 3};
  const auto count = [&](bool shift, bool ctrl) {
    int n = 0;
    for (char f : GraphFollowers(s, g, t, shift, ctrl)) n += f;
    return n;
  };
  EXPECT_EQ(count(false, false), 1);
  EXPECT_EQ(count(true, false), 15);  // its curve
  EXPECT_EQ(count(false, true), 10);  // its index on every curve
  EXPECT_EQ(count(true, true), 150);  // everything
  Select(s, SelKind::kCells, 2, 7, 3, 7);
  EXPECT_EQ(count(false, false), 1);  // not selected itself: the selection stays
  Select(s, SelKind::kCells, 5, 3, 5, 3, true);
  EXPECT_EQ(count(false, false), 3);  // the selected points follow
  EXPECT_EQ(count(true, false), 30);  // the curves holding them
  EXPECT_EQ(count(false, true), 30);  // the indices 2, 3 and 5 on every curve
}

TEST(Graph2DRange, OnlyTheCurveAxisInUseBecomesTheHorizontalAxis) {
  CTabModel m = test::MakeAdvanceEditor();
  m.Sheet(0).x.collapsed = 1;
  m.SelectSheet(0);
  const Graph2D g = ComputeGraph2D(m, kArea);
  EXPECT_TRUE(g.swap);
  EXPECT_EQ(g.points, 10);
  EXPECT_EQ(g.curves, 1);
  EXPECT_FALSE(g.rpm);
}

}  // namespace
}  // namespace ign

namespace ign {
namespace {

// The value shown during a drag stays beside the point and inside the graph:
// up and right of it, turned left at the right edge and below it at the top.
TEST(DragValueBox, BesideThePointAndInsideTheGraph) {
  const Rect area{0, 0, 400, 300};
  struct Case {
    const char* name;
    double x, y;
    int w;
    Rect expected;
  };
  const Case cases[] = {
      {"in the middle: up and right", 200, 150, 100, Rect{212, 118, 312, 138}},
      {"at the right edge: to the left", 350, 150, 100, Rect{238, 118, 338, 138}},
      {"at the top: below", 200, 10, 100, Rect{212, 22, 312, 42}},
      {"in the top right corner: below and to the left", 390, 5, 100, Rect{278, 17, 378, 37}},
      {"wider than the graph: from its left edge", 200, 150, 500, Rect{0, 118, 500, 138}},
      {"at the bottom edge: kept inside", 200, 299.5, 100, Rect{212, 267, 312, 287}},
  };
  for (const Case& c : cases) EXPECT_EQ(DragValueBox(c.x, c.y, c.w, 20, area), c.expected) << c.name;
}

}  // namespace
}  // namespace ign
