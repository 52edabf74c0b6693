// Measuring on the curve list and the horizontal mapping with its wheel zoom.
#include <gtest/gtest.h>

#include "core/monitor/pickup_dimension.h"
#include "core/monitor/pickup_sample.h"
#include "core/monitor/pickup_view.h"

namespace ign::test {
namespace {

constexpr int p1 = PickupSample::kPickup1;
constexpr int p2 = PickupSample::kPickup2;
constexpr int kRow1 = 225, kRow2 = 325, kIgnitionRow = 50, kBelow = 500;

CCurveList Fixture() {
  CCurveList l;
  l.Append(0, 0);
  l.Append(10, p1);       // pick-up 1 rise
  l.Append(12, p1);       // no edge
  l.Append(30, 0);        // pick-up 1 fall
  l.Append(31, 0x10);     // ignition, channel 1
  l.Append(50, p1);       // pick-up 1 rise
  l.Append(60, p1 | p2);  // pick-up 2 rise
  l.Append(0, CurveMark::kCycleStart);
  l.Append(100, CurveMark::kCycleEnd);
  return l;
}

TEST(PickupMeasure, RowsByHeight) {
  const std::pair<int, MeasureRow> cases[] = {{0, MeasureRow::Ignition},   {100, MeasureRow::Ignition},
                                              {149, MeasureRow::Ignition}, {150, MeasureRow::Pickup1},
                                              {250, MeasureRow::Pickup1},  {275, MeasureRow::Pickup2},
                                              {350, MeasureRow::Pickup2},  {400, MeasureRow::Any}};
  for (const auto& [y, row] : cases) EXPECT_EQ(RowAt(y), row) << y;
}

TEST(PickupMeasure, SnapsToTheEdgesOfThePressedRow) {
  struct Case {
    double press, current;
    int y;
    double first, second;
    const char* degrees;
    const char* ms;
  };
  const Case cases[] = {
      {11.5, 29, kRow1, 10, 30, "20.0 ", "20.0ms"},    // rise to fall; 12 is nearer but no edge
      {29, 52, kRow1, 30, 50, "-20.0", "-20.0ms"},     // fall to rise
      {52, 29, kRow1, 30, 50, "-20.0", "-20.0ms"},     // dragged leftwards: the same distance
      {12, 0, kIgnitionRow, 31, 31, "0.0 ", "0.0ms"},  // the only ignition
      {0, 99, kRow2, 60, 60, "0.0 ", "0.0ms"},         // the only pick-up 2 edge
      {11.5, 99, kBelow, 12, 60, "48.0 ", "48.0ms"},   // any sample; never the end entries
  };
  const CCurveList list = Fixture();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.degrees);
    const auto d = Measure(list, c.press, c.current, c.y, 123);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->first, c.first);
    EXPECT_EQ(d->second, c.second);
    EXPECT_EQ(d->mouseY, 123);
    EXPECT_EQ(DimensionLabel(*d, PickupMode::Synchronised), c.degrees);
    EXPECT_EQ(DimensionLabel(*d, PickupMode::Time), c.ms);
  }
}

TEST(PickupMeasure, NothingToMeasureWithoutSamples) {
  CCurveList list;
  EXPECT_FALSE(Measure(list, 0, 10, kRow1, 0));
  list.Append(0, CurveMark::kCycleStart);
  list.Append(720, CurveMark::kCycleEnd);
  EXPECT_FALSE(Measure(list, 0, 10, kRow1, 0));
  EXPECT_FALSE(Measure(list, 0, 10, kBelow, 0));
}

TEST(PickupMeasure, StoresAtMostTenDimensions) {
  CDimensionList dims;
  for (int i = 0; i < 10; ++i) {
    Dimension d;
    d.mouseY = i;
    ASSERT_TRUE(dims.Add(d));
  }
  EXPECT_FALSE(dims.Add({}));
  EXPECT_EQ(dims.Size(), 10u);
  ASSERT_TRUE(dims.Remove(3));
  ASSERT_EQ(dims.Size(), 9u);
  const int left[] = {0, 1, 2, 4, 5, 6, 7, 8, 9};
  for (size_t i = 0; i < 9; ++i) EXPECT_EQ(dims[i].mouseY, left[i]);
  EXPECT_FALSE(dims.Remove(9));
  dims.Clear();
  EXPECT_EQ(dims.Size(), 0u);
}

TEST(PickupView, WheelZoomStaysInRangeAndKeepsThePointUnderTheMouse) {
  struct Case {
    double zoom;
    bool forward;
    double after;
  };
  const Case cases[] = {{1024, true, 1024}, {1, false, 1}, {1, true, 2}, {8, false, 4}, {512, true, 1024}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zoom);
    double zoom = c.zoom;
    double origin = 210;
    const double mouse = 537;
    const double before = PositionAt(mouse, origin, HorizontalScale(800, -360, 1080, zoom));
    WheelStep(zoom, origin, mouse, c.forward);
    EXPECT_EQ(zoom, c.after);
    EXPECT_NEAR(PositionAt(mouse, origin, HorizontalScale(800, -360, 1080, zoom)), before, 1e-9);
  }
}

TEST(PickupView, OriginAndScale) {
  EXPECT_DOUBLE_EQ(OriginFromPercent(800, 20, 25), 210);
  EXPECT_DOUBLE_EQ(OriginFromPercent(800, 20, 0), 20);
  EXPECT_DOUBLE_EQ(HorizontalScale(720, -360, 1080, 2), 1.0);
  EXPECT_EQ(HorizontalScale(720, 5, 5, 1), 0);  // an empty range draws nothing apart
  EXPECT_EQ(PositionAt(100, 20, 0), 0);
}

}  // namespace
}  // namespace ign::test
