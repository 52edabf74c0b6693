#include "core/mapedit/live.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "tests/mapedit/fixtures.h"

namespace ign {
namespace {

using test::SetValues;

CAxe AxisOf(const char* unit, std::initializer_list<int32_t> values, double scale = 1.0) {
  CAxe axis(10);
  axis.count = static_cast<int>(values.size());
  axis.unit = unit;
  axis.scale = scale;
  SetValues(axis, values);
  return axis;
}

struct IndexCase {
  const char* name;
  const char* unit;
  int32_t liveValue;
  uint32_t flags;
  int expected;
};

class LiveIndexCases : public ::testing::TestWithParam<IndexCase> {};

TEST_P(LiveIndexCases, PicksThePoint) {
  const IndexCase& c = GetParam();
  const CAxe axis = AxisOf(c.unit, {10, 20, 40});
  LiveValues live;
  live.rpm = live.throttle = live.pressure = c.liveValue;
  live.airTemperature = live.coolantTemperature = live.starterTemperature = c.liveValue;
  EXPECT_EQ(LiveIndex(axis, live, c.flags), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LiveIndexCases,
    ::testing::Values(
        IndexCase{"on a midpoint goes up", "TP", 30, 0, 2}, IndexCase{"below a midpoint", "TP", 29, 0, 1},
        IndexCase{"below the first point", "TP", 5, 0, 0},
        IndexCase{"below the first rpm with base advance", "RPM", 5, SheetFlag::kBaseAdvanceMarker, -1},
        IndexCase{"below the first rpm without the marker", "RPM", 5, 0, 0},
        IndexCase{"below the first TP with base advance flag", "TP", 5, SheetFlag::kBaseAdvanceMarker, 0},
        IndexCase{"above the last point", "IAP", 400, 0, 2}, IndexCase{"TA nearest", "TA", 16, 0, 1},
        IndexCase{"TW nearest", "TW", 14, 0, 0},
        IndexCase{"Tst takes the last point not above", "Tst", 39, 0, 1},
        IndexCase{"Tst on a point", "Tst", 20, 0, 1}, IndexCase{"Tst above the last", "Tst", 41, 0, 2},
        IndexCase{"unknown unit", "U", 20, 0, -2}, IndexCase{"no unit", "", 20, 0, -2}),
    [](const auto& info) {
      std::string name = info.param.name;
      for (char& ch : name) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
      return name;
    });

TEST(LiveIndex, ComparesTheMidpointAsARealNumber) {
  const CAxe axis = AxisOf("RPM", {3, 4}, 100.0);
  LiveValues live;
  live.rpm = 320;  // 3.2 stored; the midpoint 3.5 lies above it
  EXPECT_EQ(LiveIndex(axis, live, 0), 0);
  live.rpm = 350;
  EXPECT_EQ(LiveIndex(axis, live, 0), 1);
}

TEST(LiveIndex, AirFuelComesFromTheSheetSlot) {
  const CAxe axis = AxisOf("AFR", {100, 150});
  EXPECT_EQ(LiveIndex(axis, LiveValues{}, 0, 140), 1);
  EXPECT_EQ(LiveIndex(axis, LiveValues{}, 0, 110), 0);
}

class LiveCellTest : public ::testing::Test {
 protected:
  CTabModel m = test::MakeAdvanceEditor();
  LiveValues live;
  void SetUp() override {
    live.rpm = 3000;     // stored 30: column 4 (X 10, 15, 20, 25, 30, ...)
    live.throttle = 52;  // row 5 (Y 0, 10, ..., 90)
  }
  LiveCell Cell(int sheet) { return ComputeLiveCell(m.Sheet(sheet), sheet, live); }
};

TEST_F(LiveCellTest, StateFollowsTheActiveMapBit) {
  EXPECT_EQ(Cell(0), (LiveCell{4, 5, 1}));
  EXPECT_EQ(Cell(1).state, 2);
  live.status = LiveStatus::kActiveMap;
  EXPECT_EQ(Cell(0).state, 2);
  EXPECT_EQ(Cell(1).state, 1);
}

TEST_F(LiveCellTest, LoadTypeMismatchGivesMinusOne) {
  live.status = LiveStatus::kMap1Pressure;
  EXPECT_EQ(Cell(0).state, -1);  // a TP sheet while map 1 uses pressure
  EXPECT_EQ(Cell(1).state, 2);
  m.Sheet(1).y.unit = "IAP";
  EXPECT_EQ(Cell(1).state, -1);  // an IAP sheet while map 2 uses throttle
  live.status = LiveStatus::kMap2Pressure | LiveStatus::kActiveMap;
  EXPECT_EQ(Cell(1).state, 1);
}

TEST_F(LiveCellTest, NoRpmGivesNoState) {
  live.rpm = 0;
  EXPECT_EQ(Cell(0).state, 0);
}

TEST_F(LiveCellTest, UnknownIndexGivesNoStateUnlessTheAxisIsCollapsed) {
  m.Sheet(0).y.unit = "XYZ";
  EXPECT_EQ(Cell(0).state, 0);
  m.Sheet(0).y.collapsed = 1;
  m.Sheet(0).y.UpdateCollapsedIndex();
  EXPECT_EQ(Cell(0), (LiveCell{4, 9, 1}));
}

TEST_F(LiveCellTest, SheetsNotFollowingTheLivePointHaveNoCell) {
  m.Sheet(0).flags &= ~SheetFlag::kFollowsLive;
  EXPECT_EQ(Cell(0), (LiveCell{-2, -2, 0}));
}

TEST_F(LiveCellTest, BelowTheFirstColumnIsMinusOne) {
  live.rpm = 900;
  EXPECT_EQ(Cell(0), (LiveCell{-1, 5, 1}));
}

}  // namespace
}  // namespace ign
