// The live monitor against the simulated unit: pinned engine values on the
// labels, the live point of a pressure sensor, and one-shot test bits that go
// out in exactly one request.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/device/engine.h"
#include "core/monitor/live_monitor.h"
#include "core/monitor/version.h"
#include "core/text/language.h"
#include "core/text/messages.h"
#include "tests/support/pacer.h"
#include "tests/support/sim_process.h"

namespace ign::test {
namespace {

class LiveHost : public ICommHost {
 public:
  void ProcessMonitor(const uint8_t* record) override {
    live.SetRecord(record);
    version = VersionOfRecord(record[150], record[149]);
    DisplayInput in;
    in.edited = edited;
    shown = live.Show(true, in).model;
    ++records;
  }
  const Image* edited = nullptr;
  CLiveMonitor live;
  DisplayModel shown;
  MonitorVersion version;
  int records = 0;
};

class LiveMonitorE2E : public ::testing::Test {
 protected:
  void Start(std::vector<std::string> pins) {
    SetLanguage(LNG_ENGLISH);
    FillMessages();
    dir_ = MakeTempDir();
    log_ = dir_ + "/commands.log";
    pins.insert(pins.end(), {"--command-log", log_});
    sim_ = std::make_unique<SimProcess>(dir_ + "/ports", SimOptions{.com = 3, .extra = pins});
    ASSERT_TRUE(sim_->ready());
    RunConfig config;
    config.portDir = dir_ + "/ports";
    engine_ = std::make_unique<CEngine>(&host_, nullptr, config);
    host_.edited = &engine_->Params().Edited();
  }
  void TearDown() override {
    engine_.reset();
    sim_.reset();
  }
  bool RunUntil(const std::function<bool()>& pred, double cap = 20) {
    return TickUntil(
        pred, [&] { engine_->Tick(); }, cap);
  }
  // The command bytes 20..22 of every monitor request the unit received.
  // The one-shot command bytes 20..22 of every request (the stream request,
  // byte 23, is the pick-up monitor's).
  std::vector<std::string> Requests() const {
    std::ifstream f(log_);
    std::vector<std::string> v;
    for (std::string l; std::getline(f, l);) v.push_back(l.substr(l.find(" 20=") + 1, 17));
    return v;
  }
  int Carrying(const std::string& bytes) const {
    int n = 0;
    for (const std::string& r : Requests()) n += r == bytes;
    return n;
  }

  std::string dir_, log_;
  LiveHost host_;
  std::unique_ptr<SimProcess> sim_;
  std::unique_ptr<CEngine> engine_;
};

TEST_F(LiveMonitorE2E, LabelsShowThePinnedValues) {
  Start({"--pin-rpm", "5200", "--pin-battery", "13400", "--pin-advance", "31"});
  ASSERT_TRUE(RunUntil([&] { return host_.records >= 2; }));
  const DisplayModel& m = host_.shown;
  EXPECT_EQ(m.Text("LabelRpm"), "RPM = 5200");
  EXPECT_EQ(m.Text("LabelNapeti"), "U = 13.4 [V]");
  EXPECT_EQ(m.Label("LabelNapeti").back, MonColour::Normal);
  EXPECT_EQ(m.Text("LabelAdvance1"), "Advance 1 = 31 [°] /max 31 [°]");
  EXPECT_EQ(m.Label("LabelAdvance1").back, MonColour::Yellow);  // at its maximum
  EXPECT_EQ(host_.version.state, 2);
  EXPECT_EQ(host_.version.text, "RSKEY=108.00");
  EXPECT_TRUE(m.live.valid);
  EXPECT_EQ(m.live.rpm, 5200);
}

TEST_F(LiveMonitorE2E, PressureSensorGivesTheLiveStatus0x30) {
  Start({"--pin-rpm", "3000", "--pin-sensor", "2", "--pin-load", "85"});
  ASSERT_TRUE(RunUntil([&] { return host_.records >= 2; }));
  const DisplayModel& m = host_.shown;
  EXPECT_EQ(m.live.status & 0x30u, 0x30u);
  EXPECT_EQ(m.live.pressure, 85);
  EXPECT_EQ(m.live.throttle, 100);
  EXPECT_EQ(m.Text("LabelTpsMon").rfind("IAP= 85 [kPa]", 0), 0u) << m.Text("LabelTpsMon");
}

TEST_F(LiveMonitorE2E, OneShotBitsGoOutInExactlyOneRequest) {
  Start({});
  CCommMachine& m = engine_->Machine();
  // Clicked before a unit answers: pending until the first request.
  m.testBits[0] |= 0x04;
  ASSERT_TRUE(RunUntil([&] { return host_.records >= 1 && m.Idle(); }));
  // The port search's probe is a monitor request of its own (all zero); the
  // first request of the connection carries the pending bits.
  const std::vector<std::string> first = Requests();
  ASSERT_GE(first.size(), 2u);
  EXPECT_EQ(first[0], "20=00 21=00 22=00");
  EXPECT_EQ(first[1], "20=04 21=00 22=00");
  // Two clicks before the next request go out once.
  const size_t before = Requests().size();
  m.testBits[1] |= 0x01;
  m.testBits[1] |= 0x01;
  ASSERT_TRUE(RunUntil([&] { return Requests().size() >= before + 3; }));
  EXPECT_EQ(Carrying("20=00 21=01 22=00"), 1);
  EXPECT_EQ(Carrying("20=04 21=00 22=00"), 1);
}

}  // namespace
}  // namespace ign::test
