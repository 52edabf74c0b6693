// Pinned engine values and the log of received one-shot commands.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "sim/sim_options.h"
#include "tests/sim/unit_fixture.h"
#include "tests/support/sim_process.h"

namespace ign::test {
namespace {

using sim::Family;

TEST(SimPins, RecordsCarryThePinnedValues) {
  const std::string dir = MakeTempDir();
  sim::UnitConfig c = UnitUnderTest::Config(Family::Ign150, 108, 0);
  c.pins.rpm = 6000;
  c.pins.batteryMv = 13200;
  c.pins.load = 95;
  c.pins.advance = 27;
  c.pins.sensor = 2;
  c.commandLog = dir + "/commands.log";
  sim::SimUnit unit(c, {});
  unit.PowerOn(0);
  sim::RequestReader reader(Family::Ign150);
  UnitUnderTest helper(Family::Ign150);
  auto ask = [&](std::uint8_t b20, std::uint8_t b21, std::int64_t t) {
    std::vector<sim::Request> got;
    for (auto b : helper.MonitorRequest(150, b20, b21, 0x02))
      for (auto& r : reader.Feed(b, t)) got.push_back(r);
    EXPECT_EQ(got.size(), 1u);
    return unit.Handle(got.at(0), t).frame;
  };
  for (std::int64_t t : {1000, 17000, 33000}) {  // anywhere in the ride
    const Bytes f = ask(0, 0, t);
    EXPECT_EQ(WordAt(f, 1), 6000);
    EXPECT_EQ(WordAt(f, 4), 13200);
    EXPECT_EQ(WordAt(f, 3), 95);
    EXPECT_EQ(f[100], 2);
    EXPECT_EQ(f[105], 127);  // 27 degrees + 100
    EXPECT_EQ(WordAt(f, 9), 27);
  }
  ask(0x03, 0x10, 34000);
  std::ifstream in(c.commandLog);
  const std::string log((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(log,
            "monitor 1 20=00 21=00 22=02 23=00\nmonitor 2 20=00 21=00 22=02 23=00\n"
            "monitor 3 20=00 21=00 22=02 23=00\nmonitor 4 20=03 21=10 22=02 23=00\n");
  std::filesystem::remove_all(dir);
}

TEST(SimPins, OptionsAreParsedAndChecked) {
  std::string error;
  auto o = sim::ParseOptions(
      {"--port-dir", "d", "--com", "1", "--pin-rpm", "4000", "--pin-advance", "-5", "--command-log", "c.log"},
      &error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->pins.rpm, 4000);
  EXPECT_EQ(o->pins.advance, -5);
  EXPECT_FALSE(o->pins.batteryMv);
  EXPECT_EQ(o->commandLog, "c.log");
  EXPECT_FALSE(sim::ParseOptions({"--port-dir", "d", "--com", "1", "--pin-sensor", "3"}, &error));
  EXPECT_FALSE(sim::ParseOptions({"--port-dir", "d", "--com", "1", "--pin-rpm", "x"}, &error));
  EXPECT_FALSE(sim::ParseOptions({"--port-dir", "d", "--com", "1", "--stream-type", "3"}, &error));
  EXPECT_FALSE(sim::ParseOptions({"--port-dir", "d", "--com", "1", "--cycle-code", "4"}, &error));
  o = sim::ParseOptions({"--port-dir", "d", "--com", "1", "--stream-type", "2", "--cycle-code", "0",
                         "--stream-switch-after", "5"},
                        &error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->pins.streamType, 2);
  EXPECT_EQ(o->pins.cycleCode, 0);
  EXPECT_EQ(o->pins.streamSwitchAfter, 5);
}

}  // namespace
}  // namespace ign::test
