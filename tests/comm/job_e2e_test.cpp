// Jobs of the protocol thread against the simulated unit.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/params/image.h"  // RS_LEN_EXE
#include "tests/comm/sim_fixture.h"

namespace ign::test {
namespace {

std::string ReadFile(const std::string& path) {
  std::stringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

struct JobFixture : SimLinkFixture {
  std::string trace;
  std::unique_ptr<SimProcess> sim;
  void Start(const char* family, std::vector<std::string> extra = {}) {
    sim = StartSim({.com = 3, .family = family, .extra = std::move(extra)});
    MakeEngine();
    trace = portDir + "/trace.log";
    ASSERT_TRUE(com->Trace().Open(trace));
    ASSERT_TRUE(Connected());
  }
  bool AllReceived(int from, int to) {
    for (int a = from; a < to; ++a)
      if (!com->ReceivedMarks()[a]) return false;
    return true;
  }
};

TEST_F(JobFixture, ReadAndWriteWholeImageOnShortFamily) {
  Start("IGN150");
  ASSERT_EQ(RunJob(JOB_READ, 0, RS_LEN_EXE, JobFlag::Mark), JOB_DONE);
  EXPECT_EQ(com->LastJobCode(), JOB_READ);
  EXPECT_TRUE(AllReceived(0, RS_LEN_EXE));
  const std::string stored = ReadFile(sim->imagePath());
  ASSERT_EQ(stored.size(), size_t(RS_LEN_EXE));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(com->ReceiveImage()), RS_LEN_EXE), stored);

  for (int a = 0; a < RS_LEN_EXE; ++a) com->SendImage()[a] = uint8_t(a * 7 + 3);
  ASSERT_EQ(RunJob(JOB_WRITE, 0, RS_LEN_EXE, JobFlag::Mark), JOB_DONE);
  ASSERT_EQ(RunJob(JOB_READ, 0, RS_LEN_EXE, JobFlag::Mark), JOB_DONE);
  EXPECT_EQ(std::memcmp(com->ReceiveImage(), com->SendImage(), RS_LEN_EXE), 0);

  const std::string log = ReadFile(trace);
  for (int block = 0; block < 7; ++block) {
    EXPECT_NE(log.find(Format("Frame send [0x%02x] (152)", 0x41 + block)), std::string::npos) << block;
    EXPECT_NE(log.find(Format("Frame send [0x%02x] (152)", 0x01 + block)), std::string::npos) << block;
    EXPECT_NE(log.find(Format("Frame rec [0x%02x] (152)", 0xC1 + block)), std::string::npos) << block;
    EXPECT_NE(log.find(Format("Frame rec [0x%02x] (152)", 0x81 + block)), std::string::npos) << block;
  }
  EXPECT_EQ(log.find("Frame send [0x48]"), std::string::npos) << "no eighth block";
}

TEST_F(JobFixture, ReadAndWriteOnHeaderFamily) {
  Start("WCOMS");
  ASSERT_EQ(RunJob(JOB_READ, 0, RS_LEN_EXE, JobFlag::Mark), JOB_DONE);
  EXPECT_TRUE(AllReceived(0, RS_LEN_EXE));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(com->ReceiveImage()), RS_LEN_EXE),
            ReadFile(sim->imagePath()));
  for (int a = 0; a < RS_LEN_EXE; ++a) com->SendImage()[a] = uint8_t(255 - a);
  ASSERT_EQ(RunJob(JOB_WRITE, 0, RS_LEN_EXE, JobFlag::Mark), JOB_DONE);
  ASSERT_EQ(RunJob(JOB_READ, 0, RS_LEN_EXE, JobFlag::Mark), JOB_DONE);
  EXPECT_EQ(std::memcmp(com->ReceiveImage(), com->SendImage(), RS_LEN_EXE), 0);
}

TEST_F(JobFixture, RangeWithoutMarksEndsAtOnce) {
  Start("IGN150");
  const uint32_t before = com->FramesSent();
  ASSERT_EQ(RunJob(JOB_READ, 2000, 300, 0), JOB_DONE);
  EXPECT_EQ(com->FramesSent(), before);
}

TEST_F(JobFixture, StartJobRefusedWhileRunningOrResultNotTaken) {
  Start("IGN150");
  ASSERT_TRUE(com->StartJob(JOB_READ, 0, RS_LEN_EXE, JobFlag::Mark));
  EXPECT_FALSE(com->StartJob(JOB_WRITE, 0, 150, JobFlag::Mark));
  ASSERT_TRUE(Tick([&] { return com->JobCode() == JOB_DONE; }, kJobCapMs));
  EXPECT_FALSE(com->StartJob(JOB_WRITE, 0, 150, JobFlag::Mark)) << "the result must be taken first";
  EXPECT_EQ(com->LastJobCode(), JOB_READ);
  com->TakeResult();
  EXPECT_TRUE(com->StartJob(JOB_READ, 0, 150, JobFlag::Mark));
}

struct FaultCase {
  const char* name;
  const char* family;
  std::vector<std::string> extra;
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class JobFault : public JobFixture, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(JobFault, AnswerLostOnceIsRetriedAndJobEndsDone) {
  Start(GetParam().family, GetParam().extra);
  ASSERT_EQ(RunJob(JOB_READ, 0, RS_LEN_EXE, JobFlag::Mark), JOB_DONE);
  EXPECT_TRUE(AllReceived(0, RS_LEN_EXE));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(com->ReceiveImage()), RS_LEN_EXE),
            ReadFile(sim->imagePath()));
  EXPECT_NE(ReadFile(trace).find("COM timeout or redirection (0)"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Faults, JobFault,
                         ::testing::Values(FaultCase{"DroppedShort", "IGN150", {"--drop-every", "4"}},
                                           FaultCase{"CorruptedShort", "IGN150", {"--corrupt-every", "4"}},
                                           FaultCase{"CorruptedHeader", "WCOM", {"--corrupt-every", "4"}},
                                           FaultCase{
                                               "NoisyHeader", "WCOM", {"--noise", "--drop-every", "5"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(JobFixture, UnitThatStopsAnsweringFailsTheJobAfterThreeAttempts) {
  Start("IGN150");
  ASSERT_EQ(::kill(sim->pid(), SIGSTOP), 0);
  const int result = RunJob(JOB_READ, 0, RS_LEN_EXE, JobFlag::Mark);
  ::kill(sim->pid(), SIGCONT);
  EXPECT_EQ(result, JOB_FAILED);
  EXPECT_EQ(com->LastJobCode(), JOB_READ);
  const std::string log = ReadFile(trace);
  EXPECT_NE(log.find("COM timeout or redirection (2)"), std::string::npos) << log;
  EXPECT_EQ(log.find("COM timeout or redirection (3)"), std::string::npos);
  EXPECT_EQ(com->ConnectedPort(), 3) << "a failed job leaves the link to the state machine";
}

TEST_F(JobFixture, MonitorJobGetsOneAttempt) {
  Start("IGN150");
  ASSERT_EQ(::kill(sim->pid(), SIGSTOP), 0);
  const int result = RunJob(JOB_MONITOR, 0, 150, JobFlag::Mark | JobFlag::ClearSend | JobFlag::OneAttempt);
  ::kill(sim->pid(), SIGCONT);
  EXPECT_EQ(result, JOB_FAILED);
  EXPECT_EQ(ReadFile(trace).find("COM timeout or redirection (1)"), std::string::npos);
}

TEST_F(JobFixture, PullingThePortMidJobDropsTheLink) {
  Start("IGN150", {"--delay-ms", "150"});
  ASSERT_TRUE(com->StartJob(JOB_READ, 0, RS_LEN_EXE, JobFlag::Mark));
  ASSERT_TRUE(Tick([&] { return com->CurrentAddress() >= 150; }, kJobCapMs));
  sim->stop();
  ASSERT_TRUE(Tick([&] { return com->ConnectedPort() == 0; }, 10000));
  EXPECT_EQ(com->LinkStateNow(), LinkState::None);
  EXPECT_NE(com->JobCode(), JOB_DONE);
  EXPECT_TRUE(Tick([&] { return com->Port(3).threadState.load() == ThreadState::None; }, 5000))
      << "the port's I/O thread has ended";
  com.reset();  // and the engine shuts down promptly
}

}  // namespace
}  // namespace ign::test
