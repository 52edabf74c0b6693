#pragma once
// A job engine talking to the simulated unit over a pseudo-terminal.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "core/comm/comcom.h"
#include "core/comm/posix_serial.h"
#include "tests/comm/fake_status.h"
#include "tests/comm/test_clock.h"
#include "tests/support/sim_process.h"

namespace ign::test {

constexpr int kSearchCapMs = 30000;
constexpr int kJobCapMs = 20000;

struct SimLinkFixture : ::testing::Test {
  std::string portDir = MakeTempDir();
  FakeStatus status;
  std::unique_ptr<CCOMCOM> com;

  void SetUp() override { ::setenv("IGN_PORT_DIR", portDir.c_str(), 1); }
  void TearDown() override {
    com.reset();
    ::unsetenv("IGN_PORT_DIR");
  }

  std::unique_ptr<SimProcess> StartSim(SimOptions options) {
    auto sim = std::make_unique<SimProcess>(portDir, std::move(options));
    EXPECT_TRUE(sim->ready()) << sim->errorOutput();
    return sim;
  }
  void MakeEngine(int configuredPort = 0) {
    PortNaming naming;
    naming.portDir = portDir;
    com = std::make_unique<CCOMCOM>(test::Clock(), std::make_shared<PosixPortSystem>(naming));
    com->SetStatus(&status);
    com->SetConfiguredPort(configuredPort);
  }
  bool Tick(const std::function<bool()>& done, int capMs) {
    return TickUntil(
        done, [&] { com->LinkTick(); }, capMs);
  }
  bool Connected() {
    return Tick([&] { return com->ConnectedPort() != 0 && com->JobCode() == JOB_IDLE; }, kSearchCapMs);
  }
  // Runs one job to its end and takes the result; returns the job code it ended with.
  int RunJob(int job, int address, int count, int flags) {
    if (!com->StartJob(job, address, count, flags)) return -1;
    Tick([&] { return !JobRunning(com->JobCode()); }, kJobCapMs);
    const int result = com->JobCode();
    com->TakeResult();
    return result;
  }
};

}  // namespace ign::test
