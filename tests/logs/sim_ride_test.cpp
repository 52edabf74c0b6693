// A ride of the simulated unit's 40 s loop, counted on an advance map: the
// time spreads over the cells in the order the loop visits them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

#include "core/logs/hit_counts.h"
#include "sim/engine_model.h"
#include "tests/logs/log_fixture.h"

namespace ign::test {
namespace {

TEST(SimRide, TheLoopSpreadsOverTheCellsInItsOrder) {
  const Image img = MapSettings(1);  // rpm points 1000 .. 8000, limiter 9000
  sim::EngineModel engine(1);
  CLog log;
  log.AddChannel("RPM", "1/min", ChannelKind::Number, ChannelRole::Rpm);
  log.AddChannel("TPSIAP", "", ChannelKind::Number, ChannelRole::Load);
  LogChannel& rpm = log.channels[0];
  LogChannel& load = log.channels[1];
  for (int64_t t = 0; t <= sim::EngineModel::kRideMs; t += 110) {
    const sim::EngineState s = engine.At(t, img[Adrb::LIMITER] * 100);
    log.time.push_back(t / 1000.0);
    rpm.values.push_back(float(s.rpm));
    load.values.push_back(float(std::lround(s.throttle)));  // the unit reports whole percent
  }
  CHitCounter counter(HitSheetOfImage(img, HitMap::Advance1), 0);
  std::string message;
  const double all = std::numeric_limits<double>::infinity();
  ASSERT_TRUE(CountLogHits(log, -all, all, 1, counter, message));

  // When each cell was first entered.
  std::map<std::pair<int, int>, double> first;
  for (size_t i = 0; i < log.Rows(); ++i) {
    const LiveCell c = counter.CellOf(LiveOfReading(int(rpm.values[i]), int(load.values[i]), 1, false));
    if (c.state == 1 && c.column >= 0) first.try_emplace({c.column, c.row}, log.time[i]);
  }
  const std::pair<int, int> idle{0, 1}, limiter{7, 9};
  ASSERT_TRUE(first.count(idle) && first.count(limiter));
  EXPECT_GT(first[idle], 4.0);  // cranking below the first point comes first
  EXPECT_LT(first[idle], 5.0);
  EXPECT_GT(first[limiter], 16.0);  // the run to the limiter
  EXPECT_LT(first[limiter], 18.5);
  EXPECT_GE(counter.Seconds(idle.first, idle.second), 7.0);  // idle 4.6 .. 12 s, and again after the run
  EXPECT_GE(counter.Seconds(limiter.first, limiter.second), 2.0);
  // The engine stood for 3.2 s; cranking at 300 rpm is under the first point.
  EXPECT_NEAR(counter.Counted() + counter.Elsewhere(), 40.0 - 3.2, 0.25);
  EXPECT_NEAR(counter.Elsewhere(), 1.4, 0.25);
}

}  // namespace
}  // namespace ign::test
