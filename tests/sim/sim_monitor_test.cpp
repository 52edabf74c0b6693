// The monitor record of the simulated unit: saving count, advance, outputs, test commands.
#include <gtest/gtest.h>

#include <filesystem>

#include "sim/default_image.h"
#include "sim/image_layout.h"
#include "tests/sim/unit_fixture.h"
#include "tests/support/sim_process.h"

namespace ign::test {
namespace {

using sim::Family;
namespace adr = sim::adr;

// Record word k from an IGN150 answer frame (frame offset = record index).
int Word(const Bytes& frame, int k) { return WordAt(frame, k); }

TEST(SimMonitor, SavingCountFallsToZeroAfterAProgramming) {
  UnitUnderTest u(Family::Ign150);
  const Bytes before = u.Ask(u.MonitorRequest(150), 1000).frame;
  EXPECT_EQ(Word(before, 8), 0) << "no saving before any programming";
  const int programmings = Word(before, 7);

  // A whole programming: seven blocks, then monitor records while the unit saves.
  const sim::Image im = sim::DefaultImage();
  std::int64_t t = 2000;
  for (int b = 0; b < 7; ++b) {
    const Bytes data(im.begin() + 150 * b, im.begin() + 150 * (b + 1));
    ASSERT_FALSE(u.Ask(ShortRequest(150, static_cast<std::uint8_t>(b + 1), data), t += 20).frame.empty());
  }
  std::vector<int> counts;
  int seenProgrammings = -1;
  for (int i = 0; i < 40; ++i) {
    const Bytes m = u.Ask(u.MonitorRequest(150), t += 100).frame;
    counts.push_back(Word(m, 8));
    seenProgrammings = Word(m, 7);
  }
  ASSERT_GT(counts.front(), 0);
  EXPECT_LE(counts.front(), 2100);
  for (std::size_t i = 1; i < counts.size(); ++i) EXPECT_LE(counts[i], counts[i - 1]) << "record " << i;
  EXPECT_EQ(counts.back(), 0) << "saving ends";
  EXPECT_EQ(seenProgrammings, programmings + 1) << "seven blocks are one programming";
}

TEST(SimMonitor, FailedStoreIsReportedAsDataError) {
  const std::string dir = MakeTempDir();
  std::string err;
  auto store = sim::SettingsStore::Open(dir + "/unit.img", &err);
  ASSERT_TRUE(store) << err;
  UnitUnderTest u(Family::Ign150, std::move(*store));
  EXPECT_EQ(u.Ask(u.MonitorRequest(150), 100).frame[144] & 0x01, 0);
  std::filesystem::remove_all(dir);  // the unit's memory goes bad
  ASSERT_FALSE(u.Ask(ShortRequest(150, 0x01, Bytes(150, 7)), 200).frame.empty());
  EXPECT_EQ(u.Ask(u.MonitorRequest(150), 300).frame[144] & 0x01, 0x01);
}

TEST(SimMonitor, AdvanceComesFromTheMapAtTheCurrentSpeed) {
  sim::SettingsStore store;
  sim::Image im = store.image();
  // Map 1: 25 degrees everywhere; channel 2 corrected by -3 degrees.
  for (int i = 0; i < 150; ++i) im[adr::kAdvance + i] = 125;
  im[adr::kCorrAdvance + 1] = 97;
  store.Write(0, im.data(), im.size());
  UnitUnderTest u(Family::Ign150, std::move(store));
  const Bytes m = u.Ask(u.MonitorRequest(150), 8000).frame;  // idling
  ASSERT_GT(Word(m, 1), 500);
  EXPECT_EQ(m[105], 125);
  EXPECT_EQ(m[106], 122);
  EXPECT_EQ(m[107], 0) << "channel 3 is not configured: base";
  EXPECT_EQ(Word(m, 9), 25) << "maximum advance of channel 1";
}

TEST(SimMonitor, AdvanceFollowsTheMapBetweenColumns) {
  sim::SettingsStore store;
  sim::Image im = store.image();
  im[adr::kAdvMap] = 0;  // rpm only: the last row
  im[adr::kAdvColumns] = 2;
  im[adr::kRpmAdv + 0] = 10;  // 1000 rpm: 10 degrees
  im[adr::kRpmAdv + 1] = 20;  // 2000 rpm: 30 degrees
  constexpr int kLastRow = adr::kAdvance + 15 * (sim::adr::kMapRows - 1);
  im[kLastRow + 0] = 110;
  im[kLastRow + 1] = 130;
  store.Write(0, im.data(), im.size());
  UnitUnderTest u(Family::Ign150, std::move(store));
  const Bytes m = u.Ask(u.MonitorRequest(150), 8000).frame;
  const int rpm = Word(m, 1);
  ASSERT_GT(rpm, 1000);
  ASSERT_LT(rpm, 2000);
  const double expected = 10.0 + 20.0 * (rpm - 1000) / 1000.0;
  EXPECT_NEAR(m[105] - 100, expected, 1.0);
}

// In rpm-only mode the advance editor shows and edits the map's last row (the
// collapsed load axis keeps its preferred index, the last); the unit must
// fire that row, whatever the other rows hold. With a load sensor and the
// map's mode byte set, the load picks the row.
TEST(SimMonitor, RpmOnlyModeFiresTheRowTheEditorEdits) {
  struct Case {
    const char* what;
    int sensor;   // TPSIAP_SENSOR
    int mode;     // ADV_MAP
    int advance;  // degrees expected on channel 1
  };
  const Case cases[] = {
      {"no load sensor, mode byte left at 1", 0, 1, 29},
      {"no load sensor, mode byte 0", 0, 0, 29},
      {"throttle sensor, collapsed by the user", 1, 0, 29},
      {"pressure sensor, collapsed by the user", 2, 0, 29},
      {"throttle sensor, rpm and load: the idling throttle's row", 1, 1, 11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sim::SettingsStore store;
    sim::Image im = store.image();
    im[adr::kTpsIapSensor] = std::uint8_t(c.sensor);
    im[adr::kAdvMap] = std::uint8_t(c.mode);
    // Every row flat and different from the others: row r gives 11 + 2 r degrees.
    for (int r = 0; r < sim::adr::kMapRows; ++r)
      for (int col = 0; col < 15; ++col) im[adr::kAdvance + 15 * r + col] = std::uint8_t(111 + 2 * r);
    // Load points 0..90 for the rpm-and-load case: an idling engine is on row 0.
    for (int r = 0; r < sim::adr::kMapRows; ++r) sim::SetWord(im, adr::kAdvIapWord + r, 10 * r);
    store.Write(0, im.data(), im.size());
    UnitUnderTest u(Family::Ign150, std::move(store), 108, 0, {.load = 0});
    const Bytes m = u.Ask(u.MonitorRequest(150), 8000).frame;
    ASSERT_GT(Word(m, 1), 500) << "the engine idles";
    EXPECT_EQ(m[105] - 100, c.advance);
  }
}

TEST(SimMonitor, StandingEngineShowsBaseAdvanceAndNoPickups) {
  UnitUnderTest u(Family::Ign150);
  const Bytes m = u.Ask(u.MonitorRequest(150), 500).frame;
  EXPECT_EQ(Word(m, 1), 0);
  EXPECT_EQ(m[105], 0);
  EXPECT_EQ(m[140] & 0x03, 0);
  EXPECT_EQ(m[127] & 0x10, 0);
}

TEST(SimMonitor, GearShiftLightSwitchesByItsRpmPoint) {
  sim::SettingsStore store;
  sim::Image im = store.image();
  im[adr::kPowerOutFunction + 1] = 2;  // output 2: gear shift light
  im[adr::kPowerOutRpm + 3] = 30;      // on from 3000 rpm
  store.Write(0, im.data(), im.size());
  UnitUnderTest u(Family::Ign150, std::move(store));
  bool sawOn = false, sawOff = false;
  for (std::int64_t t = 5000; t < 20000; t += 250) {
    const Bytes m = u.Ask(u.MonitorRequest(150), t).frame;
    const int rpm = Word(m, 1);
    const bool on = (m[109] & 0x02) != 0;
    if (rpm > 3100) {
      EXPECT_TRUE(on) << "rpm " << rpm;
    }
    if (rpm < 2800) {
      EXPECT_FALSE(on) << "rpm " << rpm;
    }
    sawOn |= on;
    sawOff |= !on;
    EXPECT_EQ(m[111], 2);
  }
  EXPECT_TRUE(sawOn && sawOff);
}

TEST(SimMonitor, OneShotTestCommandsShowInTheNextRecords) {
  UnitUnderTest u(Family::Ign150);
  const Bytes plain = u.Ask(u.MonitorRequest(150), 500).frame;
  EXPECT_EQ(plain[109] & 0x03, 0) << "outputs idle with the engine standing";
  // Test power out 2, the rpm test and ignition 3.
  const Bytes m = u.Ask(u.MonitorRequest(150, 0x04, 0x06), 600).frame;
  EXPECT_NE(m[109] & 0x02, 0);
  EXPECT_EQ(Word(m, 1), 5000) << "the rpm test shows the test speed";
  EXPECT_EQ(Word(m, 16), 0x04);
  const Bytes later = u.Ask(u.MonitorRequest(150), 5000).frame;
  EXPECT_EQ(later[109] & 0x02, 0) << "one-shot: the effect ends";
  EXPECT_EQ(Word(later, 16), 0);
}

TEST(SimMonitor, RecordCarriesTheUnitsSettingsAndIdentity) {
  UnitUnderTest u(Family::Ign150, {}, 108, 4);
  const Bytes m = u.Ask(u.MonitorRequest(150), 8000).frame;
  const sim::Image im = sim::DefaultImage();
  EXPECT_EQ(m[1], im[adr::kBike]);
  EXPECT_EQ(m[118], im[adr::kPickupSystem]);
  EXPECT_EQ(m[119], im[adr::kChannelCount]);
  EXPECT_EQ(m[100], 1) << "throttle sensor";
  EXPECT_EQ(Word(m, 73), 0x0150);
  EXPECT_EQ(m[149], 4);
  EXPECT_EQ(m[150], 108);
  const int battery = Word(m, 4);
  EXPECT_GT(battery, 11000);
  EXPECT_LE(battery, 14998);
  EXPECT_EQ(m[127] & 0x13, 0x13) << "two channels synchronised";
}

TEST(SimMonitor, ThrottleVoltageFollowsTheCalibration) {
  UnitUnderTest u(Family::Ign150);
  const sim::Image im = sim::DefaultImage();
  const int u0 = im[0] | (im[1] << 8), u100 = im[2] | (im[3] << 8);
  for (std::int64_t t : {8000, 17000, 19000}) {
    const Bytes m = u.Ask(u.MonitorRequest(150), t).frame;
    const int percent = Word(m, 3);
    EXPECT_NEAR(Word(m, 2), u0 + (u100 - u0) * percent / 100.0, (u100 - u0) / 100.0 + 1) << t;
  }
}

}  // namespace
}  // namespace ign::test
