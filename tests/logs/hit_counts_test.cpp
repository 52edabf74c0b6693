// Hit counts: the counter finds the cell the map editor's live-cell rule
// finds, time lands in that cell, ranges cut the time, and the tables.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "core/logs/hit_counts.h"
#include "core/logs/log_open.h"
#include "tests/logs/log_fixture.h"

namespace ign::test {
namespace {

constexpr double kAll = std::numeric_limits<double>::infinity();

class HitCounts : public LogTest {};

// The counter's lookup tables give what ComputeLiveCell gives, over every
// kind of map the editors show.
TEST_F(HitCounts, CellsAreTheLiveCellsOfTheEditorsRule) {
  struct Case {
    const char* name;
    int sensor, advMode, servoMode;
  } cases[] = {{"no sensor", 0, 1, 2},
               {"throttle, 2D", 1, 1, 2},
               {"throttle, rpm only", 1, 0, 0},
               {"pressure, 2D", 2, 1, 2},
               {"servo load only", 1, 1, 1}};
  std::mt19937 random(7);
  for (const Case& c : cases) {
    Image img = MapSettings(c.sensor, 6);
    img[Adrb::ADV_MAP] = img[Adrb::ADV2_MAP] = uint8_t(c.advMode);
    img[Adrb::SERVO_MAP] = uint8_t(c.servoMode);
    for (HitMap map : {HitMap::Advance1, HitMap::Advance2, HitMap::Servo}) {
      SCOPED_TRACE(std::string(c.name) + " " + HitMapName(map));
      const CSheet sheet = HitSheetOfImage(img, map);
      const CHitCounter counter(sheet, HitSheetIndex(map));
      for (int k = 0; k < 3000; ++k) {
        const int rpm = k < 100 ? k * 100 : int(random() % 12000);
        const int load = int(random() % 140);
        const LiveValues live = LiveOfReading(rpm, load, int(random() % 3), random() % 2);
        ASSERT_EQ(counter.CellOf(live), ComputeLiveCell(sheet, HitSheetIndex(map), live))
            << rpm << " " << load << " " << live.status;
      }
    }
  }
}

// A recording with the engine held at one speed and load: all of its time is
// in the one cell those values select.
TEST_F(HitCounts, HeldValuesFallInOneCellWithTheWholeDuration) {
  std::vector<Reading> held;
  for (int i = 0; i < 12; ++i) held.push_back({.ms = 500 + 440 * i, .rpm = 3420, .load = 31, .sensor = 1});
  const LogRead r = OpenLog(Record(held, MapSettings(1)));
  ASSERT_TRUE(r.log);
  CHitCounter counter(HitSheetOfImage(r.log->images.back().image, HitMap::Advance1), 0);
  std::string message;
  ASSERT_TRUE(CountLogHits(*r.log, -kAll, kAll, 1, counter, message));
  // rpm points 1000, 2000 ...: 3420 is nearest 3000 (column 2); 31 % nearest the 30 % row (5).
  EXPECT_NEAR(counter.Seconds(2, 5), 11 * 0.44, 1e-9);
  EXPECT_NEAR(counter.Counted(), r.log->Duration(), 1e-9);
  EXPECT_DOUBLE_EQ(counter.Elsewhere(), 0);
  // The second advance map is not in force: its time is elsewhere.
  CHitCounter other(HitSheetOfImage(r.log->images.back().image, HitMap::Advance2), 1);
  ASSERT_TRUE(CountLogHits(*r.log, -kAll, kAll, 1, other, message));
  EXPECT_DOUBLE_EQ(other.Counted(), 0);
  EXPECT_NEAR(other.Elsewhere(), r.log->Duration(), 1e-9);
}

TEST_F(HitCounts, ARangeCountsOnlyItsTimeAndStoppedEngineCountsNowhere) {
  CLog log;
  log.time = {0, 1, 2, 3, 4, 5};
  log.AddChannel("RPM", "1/min", ChannelKind::Number, ChannelRole::Rpm).values = {0,    1500, 1500,
                                                                                  5000, 500,  500};
  log.AddChannel("TPSIAP", "", ChannelKind::Number, ChannelRole::Load).values = {0, 10, 10, 100, 0, 0};
  const Image img = MapSettings(1);
  CHitCounter counter(HitSheetOfImage(img, HitMap::Advance1), 0);
  std::string message;
  ASSERT_TRUE(CountLogHits(log, 0.5, 3.5, 1, counter, message));
  // 1500 rpm lies on the midpoint of 1000 and 2000 and goes up; 10 % is the fourth load point.
  EXPECT_DOUBLE_EQ(counter.Seconds(1, 3), 2.0);
  EXPECT_DOUBLE_EQ(counter.Seconds(4, 9), 0.5);
  EXPECT_DOUBLE_EQ(counter.Counted(), 2.5);  // 0.5 .. 1 the engine stood
  EXPECT_DOUBLE_EQ(counter.Elsewhere(), 0);
  // 500 rpm is below the first point: the base advance applies, elsewhere;
  // the last row stands for no time.
  counter.Clear();
  ASSERT_TRUE(CountLogHits(log, 3, 10, 1, counter, message));
  EXPECT_DOUBLE_EQ(counter.Seconds(4, 9), 1.0);
  EXPECT_DOUBLE_EQ(counter.Elsewhere(), 1.0);
  CLog none;
  none.time = {0};
  none.AddChannel("volts", "V", ChannelKind::Number).values = {12};
  EXPECT_FALSE(CountLogHits(none, -kAll, kAll, 1, counter, message));
  EXPECT_NE(message.find("RPM"), std::string::npos);
}

TEST_F(HitCounts, TablesAsCsvAndText) {
  Image img = MapSettings(1, 3);
  CHitCounter counter(HitSheetOfImage(img, HitMap::Advance1), 0);
  counter.Add(LiveOfReading(2100, 100, 1, false), 1.25);
  counter.Add(LiveOfReading(3000, 0, 1, false), 0.5);
  const HitTable t = TableOf(counter, HitMap::Advance1);
  ASSERT_EQ(t.Columns(), 3);
  ASSERT_EQ(t.Rows(), 10);
  const std::string csv = HitTableCsv(t);
  EXPECT_EQ(csv.substr(0, csv.find('\n', csv.find('\n') + 1) + 1), ",1000,2000,3000\n0,0.000,0.000,0.500\n");
  EXPECT_NE(csv.find("\n100,0.000,1.250,0.000\n"), std::string::npos);
  // Without a load sensor the map is one rpm curve: one row.
  img[Adrb::TPSIAP_SENSOR] = 0;
  CHitCounter curve(HitSheetOfImage(img, HitMap::Advance1), 0);
  curve.Add(LiveOfReading(1000, 55, 0, false), 2);
  EXPECT_EQ(HitTableCsv(TableOf(curve, HitMap::Advance1)), ",1000,2000,3000\n,2.000,0.000,0.000\n");
  EXPECT_EQ(HitTableTabs(TableOf(curve, HitMap::Advance1)), "\t1000\t2000\t3000\n\t2.000\t0.000\t0.000\n");
}

// A pressure sensor: the maps read kPa against their own pressure points.
TEST_F(HitCounts, PressureSensorUsesThePressurePoints) {
  const Image img = MapSettings(2);
  const CSheet sheet = HitSheetOfImage(img, HitMap::Advance1);
  EXPECT_EQ(sheet.y.unit, "IAP");
  CHitCounter counter(sheet, 0);
  counter.Add(LiveOfReading(4000, 64, 2, false), 3);
  EXPECT_DOUBLE_EQ(counter.Seconds(3, 4), 3);         // 60 kPa is the fifth point (20, 30 .. 60)
  counter.Add(LiveOfReading(4000, 64, 1, false), 1);  // a throttle reading on a pressure map
  EXPECT_DOUBLE_EQ(counter.Elsewhere(), 1);
}

}  // namespace
}  // namespace ign::test
