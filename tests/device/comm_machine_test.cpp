#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/base/tick_clock.h"
#include "core/device/comm_machine.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "core/text/lngstr.h"
#include "core/text/messages.h"
#include "fake_link.h"

namespace ign {
namespace {

using test::FakeLink;

struct Shown {
  std::string text;  // empty: cleared
  uint32_t back = 0;
  int priority = 0;
};

class RecordingStatus : public IStatus {
 public:
  void ShowStatus(int slot, const char* packed, int, uint32_t, uint32_t back, int prio) override {
    slots[slot] = {packed ? LngStr(packed) : "", back, prio};
    if (slot == 2 && packed) history.push_back(LngStr(packed));
  }
  void RefreshTitle() override {}
  std::map<int, Shown> slots;
  std::vector<std::string> history;
};

class RecordingHost : public ICommHost {
 public:
  void ShowVersionMessage(const std::string& t) override { messages.push_back(t); }
  void SetComLabel(const std::string& t) override { comLabel = t; }
  void SetGauge(const GaugeView& g) override { gauges.push_back(g); }
  void TakeSnapshot() override { ++snapshots; }
  void ResetUnitInfo() override { ++unitInfoResets; }
  void ShowCutOffMessage(const char* packed) override { cutOff.push_back(LngStr(packed)); }
  std::vector<std::string> messages;
  std::vector<std::string> cutOff;
  std::vector<GaugeView> gauges;
  std::string comLabel;
  int snapshots = 0, unitInfoResets = 0;
};

class CommMachineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLanguage(LNG_ENGLISH);
    FillMessages();
    Image unitImg = StartupImage();
    NormaliseImage(unitImg);
    unitImg[Adrb::LIMITER] = 95;  // the unit differs from the program's defaults
    std::copy(unitImg.begin(), unitImg.begin() + RS_LEN_EXE, link.unit.begin());
    params.Replace(StartupImage());
    params.Normalise();
  }

  void Step() {
    clock.Advance();
    machine.CommStep();
  }
  // Steps until pred holds; fails the test after maxSteps.
  template <typename Pred>
  bool RunUntil(Pred pred, int maxSteps = 400) {
    for (int i = 0; i < maxSteps; ++i) {
      if (pred()) return true;
      Step();
    }
    return pred();
  }
  bool Idle() const { return machine.Idle() && link.JobCode() == JOB_IDLE; }
  const std::string& Result() { return status.slots[2].text; }
  // The typed outcome of the last operation: what ignctl and the tests act on.
  bool Ended(Operation op, ign::Result result) const {
    return machine.LastOutcome().operation == op && machine.LastOutcome().result == result;
  }
  void Connect() {
    ASSERT_TRUE(RunUntil([&] { return Result() == "Checking: OK" && machine.Idle(); }));
  }
  template <typename Pred>
  void RunUntilIdleAfter(Pred pred) {
    ASSERT_TRUE(RunUntil([&] { return pred() && machine.Idle(); }));
  }

  FakeLink link;
  RecordingStatus status;
  CSettingsDoc params{&status};
  RecordingHost host;
  CTickClock clock;
  CCommMachine machine{link, params, status, host, clock};
};

TEST_F(CommMachineTest, ConnectCheckReadsHeaderTwiceThenImageTwice) {
  Connect();
  ASSERT_GE(link.jobs.size(), 5u);
  const int expected[] = {JOB_HEADER, JOB_HEADER, JOB_MONITOR, JOB_READ, JOB_READ};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(link.jobs[i].job, expected[i]) << i;
  EXPECT_TRUE(params.UnitValid());
  EXPECT_TRUE(std::equal(link.unit.begin(), link.unit.end(), params.Unit().begin()));
  EXPECT_EQ(status.slots[4].text, "Unit and PC settings are different");  // LIMITER differs
  EXPECT_EQ(host.comLabel, "COM=3");
  EXPECT_EQ(host.gauges.back().position, 100);
}

TEST_F(CommMachineTest, ConnectCheckGoesPiecewiseWhenTheTwoReadsDisagree) {
  int reads = 0;
  link.tamper = [&](int job, auto& rx) {
    if (job == JOB_READ && ++reads == 2) rx[700] ^= 1;  // second full read differs in quarter 2
  };
  Connect();
  std::vector<std::pair<int, int>> quarterReads;
  for (const auto& j : link.jobs)
    if (j.job == JOB_READ && j.count != RS_LEN_EXE) quarterReads.push_back({j.address, j.count});
  const std::vector<std::pair<int, int>> expected = {{0, 300}, {300, 300}, {600, 300}, {900, 150},
                                                     {0, 300}, {300, 300}, {600, 300}, {900, 150}};
  EXPECT_EQ(quarterReads, expected);
  EXPECT_TRUE(params.UnitValid());
  EXPECT_TRUE(std::equal(link.unit.begin(), link.unit.end(), params.Unit().begin()));
}

TEST_F(CommMachineTest, ReadTakesTheUnitSettings) {
  Connect();
  const Image before = params.Edited();
  params.Working()[5] ^= 1;
  params.CommitEdit(before);  // a change the read throws away
  machine.RequestRead();
  RunUntilIdleAfter([&] { return Result() == "Verify: OK"; });
  EXPECT_EQ(params.Edited()[Adrb::LIMITER], 95);
  EXPECT_TRUE(std::equal(link.unit.begin(), link.unit.end(), params.Edited().begin()));
  EXPECT_EQ(params.ChangeMarks()[5], 0);
  EXPECT_EQ(status.slots[4].text, "Unit and PC settings are identical");
  EXPECT_EQ(host.snapshots, 1);
  EXPECT_TRUE(Ended(Operation::Read, ign::Result::Ok));
}

// Between two ticks the machine follows a job's end at once: a whole Read
// runs without the clock moving. The periodic monitor read still only starts
// on a tick, even when it is overdue.
TEST_F(CommMachineTest, StepsBetweenTicksCarryAnOperationButNeverStartTheMonitorRead) {
  Connect();
  for (int i = 0; i < 2 * kMonitorInterval; ++i) clock.Advance();  // a monitor read is overdue
  const int64_t ticks = clock.Ticks();
  const size_t jobs = link.jobs.size();
  EXPECT_FALSE(machine.StepDueBetweenTicks()) << "idle without a request";
  machine.RequestRead();
  for (int step = 0; step < 10 && machine.StepDueBetweenTicks(); ++step) {
    machine.CommStep(CCommMachine::StepKind::BetweenTicks);
    link.LinkTick();  // the protocol thread ends the job it was given
  }
  EXPECT_TRUE(Ended(Operation::Read, ign::Result::Ok));
  EXPECT_EQ(clock.Ticks(), ticks);
  ASSERT_EQ(link.jobs.size(), jobs + 2);
  EXPECT_EQ(link.jobs[jobs].job, JOB_READ);
  EXPECT_EQ(link.jobs[jobs + 1].job, JOB_READ);
  EXPECT_FALSE(machine.StepDueBetweenTicks()) << "the monitor read waits for the tick";
  Step();
  EXPECT_EQ(link.jobs.back().job, JOB_MONITOR);
  // A periodic monitor read that ends is taken on the next tick, not between.
  link.LinkTick();
  EXPECT_FALSE(machine.StepDueBetweenTicks());
  machine.RequestVerify();
  EXPECT_TRUE(machine.StepDueBetweenTicks()) << "a request waits behind the monitor read";
}

TEST_F(CommMachineTest, ReadThatDisagreesOnceRepeatsAndTwiceFails) {
  Connect();
  int reads = 0;
  link.tamper = [&](int job, auto& rx) {
    if (job == JOB_READ && ++reads == 2) rx[1000] ^= 0x10;
  };
  machine.RequestRead();
  RunUntilIdleAfter([&] { return Result() == "Verify: OK"; });
  EXPECT_EQ(reads, 4);  // both reads repeated
  bool dropped = false;
  for (const auto& g : host.gauges) dropped |= g.position == 0 && g.colour == Colour::Aqua;
  EXPECT_TRUE(dropped);

  reads = 0;
  link.tamper = [&](int job, auto& rx) {
    if (job == JOB_READ && (++reads % 2) == 0) rx[10] ^= 1;
  };
  machine.RequestRead();
  RunUntilIdleAfter([&] { return Result() == "Verify error !"; });
  EXPECT_EQ(host.gauges.back().colour, Colour::Red);
  EXPECT_TRUE(Ended(Operation::Read, ign::Result::Disagreed));
  EXPECT_EQ(params.Edited()[Adrb::LIMITER], 95);  // unchanged from the successful read
}

TEST_F(CommMachineTest, ReadCorrectedByNormalisationIsNotReportedIdentical) {
  link.unit[Adrb::LIMITER] = 5;  // normalisation makes it 10
  Connect();
  machine.RequestRead();
  RunUntilIdleAfter([&] { return Result() == "Verify: corrected"; });
  EXPECT_EQ(params.Edited()[Adrb::LIMITER], 10);
  EXPECT_EQ(params.Unit()[Adrb::LIMITER], 5);  // what the unit really holds
  EXPECT_TRUE(Ended(Operation::Read, ign::Result::Corrected));
  EXPECT_EQ(status.slots[4].text, "Unit and PC settings are different");
}

TEST_F(CommMachineTest, OtherKeyGetsVersionMessageAndStaysUsable) {
  link.header[10] = 109;
  ASSERT_TRUE(RunUntil([&] { return !host.messages.empty(); }));
  EXPECT_EQ(host.messages[0], "Unmatched version of PC and Ignition programs!  PC-108.00, IGN-109.00");
  EXPECT_TRUE(Ended(Operation::Check, ign::Result::VersionMismatch));
  EXPECT_EQ(host.gauges.back().colour, Colour::Red);
  link.header[10] = 108;
  link.header[11] = 3;
  machine.RequestRead();
  RunUntilIdleAfter([&] { return Result() == "Verify: OK"; });
  EXPECT_TRUE(machine.Connected());
}

TEST_F(CommMachineTest, SubversionMismatchUsesItsOwnText) {
  link.header[11] = 2;
  ASSERT_TRUE(RunUntil([&] { return !host.messages.empty(); }));
  EXPECT_EQ(host.messages[0], "Unmatched subversion of PC and Ignition programs!  PC-108.00, IGN-108.02");
}

TEST_F(CommMachineTest, ThreeFailedMonitorReadsDropTheLink) {
  Connect();
  const size_t before = link.jobs.size();
  ASSERT_TRUE(RunUntil([&] { return link.jobs.size() > before; }));  // a monitor read started
  link.failNext = 3;
  ASSERT_TRUE(RunUntil([&] { return link.closes == 1; }));
  EXPECT_EQ(status.slots[1].text, "No connection with PC...");
  EXPECT_EQ(status.slots[1].back, Colour::Red);
  EXPECT_EQ(status.slots[1].priority, -5);
  EXPECT_FALSE(params.UnitValid());
  EXPECT_EQ(host.unitInfoResets, 1);
}

TEST_F(CommMachineTest, RequestWaitingAcrossADroppedLinkIsCarriedOutAfterTheNextCheck) {
  Connect();
  ASSERT_TRUE(RunUntil([&] { return machine.State() == CommState::Monitor; }));
  machine.RequestRead();  // waits: the machine is busy with the monitor read
  link.port = 0;          // the unit goes away
  Step();
  EXPECT_EQ(machine.State(), CommState::Disconnected);
  EXPECT_EQ(status.slots[1].text, "No connection with PC...");
  EXPECT_EQ(host.unitInfoResets, 1);
  EXPECT_TRUE(host.cutOff.empty());  // no operation was running
  EXPECT_EQ(machine.PendingRequest(), Request::Read);
  link.port = 4;
  RunUntilIdleAfter([&] { return Result() == "Verify: OK"; });
  EXPECT_EQ(params.Edited()[Adrb::LIMITER], 95);
}

TEST_F(CommMachineTest, NewConnectionRetriesAfterADroppedOne) {
  Connect();
  ASSERT_TRUE(RunUntil([&] { return machine.State() == CommState::Monitor; }));
  link.failNext = 3;
  ASSERT_TRUE(RunUntil([&] { return link.closes == 1; }));
  link.port = 3;      // the unit comes back
  link.failNext = 1;  // and its first header read is lost
  const bool ok = RunUntil([&] { return Result() == "Checking: OK" && machine.Idle(); });
  EXPECT_TRUE(ok) << "state " << int(machine.State()) << " " << ::testing::PrintToString(status.history);
  EXPECT_TRUE(params.UnitValid());
}

TEST_F(CommMachineTest, ThreeFailedReadsReportReadErrorAndLoseTheUnit) {
  Connect();
  const Image before = params.Edited();
  machine.RequestRead();
  ASSERT_TRUE(RunUntil([&] { return machine.State() == CommState::ReadFirst; }));
  link.failNext = 3;
  ASSERT_TRUE(RunUntil([&] { return link.closes == 1; }));
  EXPECT_EQ(Result(), "Read error !");
  EXPECT_EQ(status.slots[2].back, Colour::Red);
  EXPECT_TRUE(Ended(Operation::Read, ign::Result::JobFailed));
  EXPECT_EQ(host.gauges.back().colour, Colour::Red);
  // A unit that stopped answering is a lost unit: the same signs as a pulled cable.
  EXPECT_EQ(status.slots[1].text, "No connection with PC...");
  EXPECT_EQ(status.slots[1].back, Colour::Red);
  EXPECT_FALSE(params.UnitValid());
  EXPECT_EQ(host.unitInfoResets, 1);
  ASSERT_EQ(host.cutOff.size(), 1u);
  EXPECT_NE(host.cutOff[0].find("were not taken"), std::string::npos) << host.cutOff[0];
  EXPECT_EQ(params.Edited(), before);
}

// The port goes away in the middle of an operation (cable pulled, unit off):
// each operation ends with its own cut-off text and the lost-unit signs.
TEST_F(CommMachineTest, UnitLostDuringAnOperationIsAnnounced) {
  const struct {
    Operation op;
    CommState state;  // where the transfer is cut
    const char* slot2;
    const char* explanation;
  } cases[] = {
      {Operation::Read, CommState::ReadSecond, "Read cut off !", "were not taken"},
      {Operation::Verify, CommState::Verify, "Verify cut off !", "not finished"},
      {Operation::Program, CommState::ProgramWrite, "Program cut off !", "part of the new settings"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.op));
    link.port = 3;
    ASSERT_TRUE(RunUntil([&] { return machine.Idle() && params.UnitValid(); }));
    host.cutOff.clear();
    const int resets = host.unitInfoResets;
    const Image before = params.Edited();
    if (c.op == Operation::Read) machine.RequestRead();
    if (c.op == Operation::Verify) machine.RequestVerify();
    if (c.op == Operation::Program) machine.RequestProgram();
    ASSERT_TRUE(RunUntil([&] { return machine.State() == c.state; }));
    link.cutAfter = 500;
    ASSERT_TRUE(RunUntil([&] { return machine.State() == CommState::Disconnected; }));
    EXPECT_TRUE(Ended(c.op, ign::Result::LinkLost));
    EXPECT_EQ(Result(), c.slot2);
    EXPECT_EQ(status.slots[2].back, Colour::Red);
    EXPECT_EQ(host.gauges.back().colour, Colour::Red);
    EXPECT_EQ(status.slots[1].text, "No connection with PC...");
    EXPECT_FALSE(params.UnitValid());
    EXPECT_EQ(host.unitInfoResets, resets + 1);
    EXPECT_EQ(machine.VersionState(), 0);
    ASSERT_EQ(host.cutOff.size(), 1u);
    EXPECT_NE(host.cutOff[0].find(c.explanation), std::string::npos) << host.cutOff[0];
    EXPECT_EQ(params.Edited(), before);
  }
}

// A programming cut off after 500 of 1050 bytes: the unit holds part of the
// new settings; the change marks stay, so the next programming of only the
// changed bytes completes the unit.
TEST_F(CommMachineTest, ProgramCutOffKeepsTheMarksAndTheNextProgramCompletesTheUnit) {
  Connect();
  machine.RequestRead();
  RunUntilIdleAfter([&] { return Result() == "Verify: OK"; });
  const Image before = params.Edited();
  for (int a : std::initializer_list<int>{Adrb::RETARD, Adrb::LIMITER, 900})
    params.Working()[a] = uint8_t(params.Edited()[a] + 1);
  params.CommitEdit(before);
  machine.RequestProgramChanged();
  ASSERT_TRUE(RunUntil([&] { return machine.State() == CommState::ProgramWrite; }));
  link.cutAfter = 500;
  ASSERT_TRUE(RunUntil([&] { return machine.State() == CommState::Disconnected; }));
  ASSERT_NE(link.unit[900], params.Edited()[900]);  // the unit holds part of it
  EXPECT_EQ(params.ChangeMarks()[900], 1);
  EXPECT_EQ(params.ChangeMarks()[Adrb::RETARD], 1);
  link.port = 3;  // the unit is back
  ASSERT_TRUE(RunUntil([&] { return machine.Idle() && params.UnitValid(); }));
  EXPECT_EQ(status.slots[4].text, "Unit and PC settings are different");
  machine.RequestProgramChanged();
  ASSERT_TRUE(RunUntil([&] { return Result() == "Program device: OK"; }));
  EXPECT_TRUE(std::equal(link.unit.begin(), link.unit.end(), params.Edited().begin()));
  EXPECT_EQ(status.slots[4].text, "Unit and PC settings are identical");
}

TEST_F(CommMachineTest, UnitLostWhileSavingReportsTheProgramCutOff) {
  Connect();
  params.Working()[Adrb::LIMITER] = 120;
  machine.RequestProgram();
  link.monitor[16] = 0x34;
  link.monitor[17] = 0x08;
  ASSERT_TRUE(RunUntil([&] { return machine.SavingCount() == 2100; }));
  link.port = 0;
  Step();
  EXPECT_TRUE(Ended(Operation::Program, ign::Result::LinkLost));
  EXPECT_EQ(machine.SavingCount(), 0);
  ASSERT_EQ(host.cutOff.size(), 1u);
}

// In the developer test mode a job result that finds a Program or a Read
// waiting is dropped unseen; the machine goes idle and takes the request.
TEST_F(CommMachineTest, DeveloperTestModeDropsAResultWhileAProgramOrReadWaits) {
  for (bool testMode : {false, true}) {
    SCOPED_TRACE(testMode);
    machine.developerTestMode = testMode;
    link.port = 3;
    ASSERT_TRUE(RunUntil([&] { return machine.Idle() && params.UnitValid(); }));
    ASSERT_TRUE(
        RunUntil([&] { return machine.State() == CommState::Monitor && link.JobCode() == JOB_MONITOR; }));
    const int before = machine.UnitBike();
    link.monitor[1] = 77;  // the bike the unit reports in this record
    machine.RequestRead();
    Step();  // the monitor answer arrives with the Read waiting
    EXPECT_EQ(machine.UnitBike(), testMode ? before : 77);
    RunUntilIdleAfter([&] { return Result() == "Verify: OK"; });
    link.monitor[1] = 0;
    link.CloseLink();
    Step();
  }
}

TEST_F(CommMachineTest, ProgramWritesAllBytesAndWaitsForSaving) {
  Connect();
  params.Working()[Adrb::LIMITER] = 120;
  machine.RequestProgram();
  // The unit reports its saving work in the monitor records after the programming.
  link.monitor[16] = 0x34;
  link.monitor[17] = 0x08;  // 2100
  ASSERT_TRUE(RunUntil([&] { return machine.SavingCount() == 2100; }));
  EXPECT_TRUE(Ended(Operation::Program, ign::Result::Ok));  // written and read back; saving follows
  EXPECT_EQ(link.unit[Adrb::LIMITER], 120);
  EXPECT_EQ(link.written.size(), size_t(RS_LEN_EXE));
  EXPECT_NE(std::find(status.history.begin(), status.history.end(), "Verify: OK"), status.history.end());
  EXPECT_EQ(host.gauges.back().position, 0);
  link.monitor[16] = 0x1A;
  link.monitor[17] = 0x04;  // 1050
  ASSERT_TRUE(RunUntil([&] { return machine.SavingCount() == 1050; }));
  EXPECT_EQ(host.gauges.back().position, 50);
  EXPECT_NE(std::find(status.history.begin(), status.history.end(), "Saving:"), status.history.end());
  link.monitor[16] = link.monitor[17] = 0;
  ASSERT_TRUE(RunUntil([&] { return Result() == "Program device: OK"; }));
  EXPECT_TRUE(params.UnitValid());
  EXPECT_TRUE(Ended(Operation::Program, ign::Result::Saved));
  EXPECT_EQ(status.slots[4].text, "Unit and PC settings are identical");
}

TEST_F(CommMachineTest, ProgramChangedOnlyWritesMarkedBytes) {
  Connect();
  machine.RequestRead();
  RunUntilIdleAfter([&] { return Result() == "Verify: OK"; });
  const Image before = params.Edited();
  params.Working()[Adrb::RETARD] = 9;
  params.CommitEdit(before);
  link.written.clear();
  machine.RequestProgramChanged();
  ASSERT_TRUE(RunUntil([&] { return Result() == "Program device: OK"; }));
  EXPECT_EQ(link.written, std::vector<int>{Adrb::RETARD});
  EXPECT_EQ(link.unit[Adrb::RETARD], 9);
  EXPECT_EQ(params.ChangeMarks()[Adrb::RETARD], 0);
  EXPECT_TRUE(params.UnitValid());
  EXPECT_EQ(status.slots[4].text, "Unit and PC settings are identical");
}

TEST_F(CommMachineTest, ProgramChangedWithoutMarksWritesNothingAndReportsOk) {
  Connect();
  link.written.clear();
  const size_t before = link.jobs.size();
  machine.RequestProgramChanged();
  ASSERT_TRUE(RunUntil([&] { return Result() == "Program device: OK"; }));
  EXPECT_TRUE(link.written.empty());
  for (size_t i = before; i < link.jobs.size(); ++i)
    if (link.jobs[i].job == JOB_WRITE || link.jobs[i].job == JOB_READ) {
      EXPECT_EQ(link.jobs[i].marked, 0);
    }
}

TEST_F(CommMachineTest, PartialProgrammingOfAnUnknownUnitDoesNotClaimIdentity) {
  link.header[10] = 109;  // no image check on connect: the unit image stays unknown
  ASSERT_TRUE(RunUntil([&] { return !host.messages.empty(); }));
  const Image before = params.Edited();
  params.Working()[Adrb::RETARD] = 9;
  params.CommitEdit(before);
  machine.RequestProgramChanged();
  ASSERT_TRUE(RunUntil([&] { return Result() == "Program device: OK"; }));
  EXPECT_FALSE(params.UnitValid());
  EXPECT_TRUE(status.slots[4].text.empty());
}

TEST_F(CommMachineTest, HandoverReleasesAndTakesBackThePort) {
  Connect();
  machine.HandleHandover(3, 0x7FFFFFA1);
  EXPECT_FALSE(link.LinkEnabled());
  EXPECT_EQ(machine.SavedPort(), 3);
  Step();
  EXPECT_EQ(host.comLabel, "COM=3 (DISCONECTED)");
  machine.HandleHandover(5, 0x7FFFFFA4);  // not the saved port
  EXPECT_FALSE(link.LinkEnabled());
  machine.HandleHandover(3, 0x7FFFFFA4);
  EXPECT_TRUE(link.LinkEnabled());
  EXPECT_EQ(machine.SavedPort(), -1);
}

TEST_F(CommMachineTest, ComLabelWithoutConnection) {
  link.port = 0;
  link.searchPorts = {2, 7};
  Step();
  EXPECT_EQ(host.comLabel, "COM=(auto 2,7)");
  link.searchPorts.clear();
  Step();
  EXPECT_EQ(host.comLabel, "COM=none");
  link.configured = -1;
  Step();
  EXPECT_EQ(host.comLabel, "COM=OFF");
  link.configured = 4;
  link.searchPorts = {4};
  Step();
  EXPECT_EQ(host.comLabel, "COM=4");
  EXPECT_EQ(status.slots[1].text, "No connection with PC...");
}

TEST_F(CommMachineTest, ResetForBootloaderSendsTheCommandThenReleases) {
  Connect();
  machine.HandleHandover(3, 0x7FFFFFA2);
  ASSERT_TRUE(RunUntil([&] { return !link.LinkEnabled(); }));
  EXPECT_EQ(link.resets, 1);
  EXPECT_EQ(machine.SavedPort(), 3);
}

TEST(TransferGauge, ConnectCheckIsOneRunOf2400Units) {
  struct Case {
    int state, start, end, current, position;
  } cases[] = {
      {64, 0, 1050, 525, 50},                          // an ordinary read shows its own progress
      {64, 0, 1050, 0, 0},      {32, 0, 150, 150, 6},  // header: 0..150 of 2400
      {30, 0, 1050, 525, 34},                          // (300 * 100 + 1050 * 50) / 2400
      {31, 0, 1050, 1050, 100}, {52, 0, 150, 75, 12},  // a monitor read before quarter 0 stands at 300
      {59, 900, 1050, 975, 94},                        // (2137 * 100 + 263 * 50) / 2400
      {98, 0, 1050, -5, -5},                           // not positive: the difference itself
  };
  for (const auto& c : cases)
    EXPECT_EQ(TransferGaugePosition(CommState(c.state), c.start, c.end, c.current), c.position)
        << "state " << c.state;
}

// Every outcome the machine can end with has the result text and colour the
// user has always seen; outcomes without a text leave the slot alone.
TEST(PresentOutcome, TextsAndColoursOfEveryOutcome) {
  SetLanguage(LNG_ENGLISH);
  const struct {
    Operation op;
    ign::Result result;
    const char* text;
    uint32_t back;
    bool gaugeError;
  } cases[] = {
      {Operation::Check, ign::Result::Ok, "Checking: OK", Colour::ButtonFace, false},
      {Operation::Check, ign::Result::Disagreed, "Checking error !", Colour::ButtonFace, true},
      {Operation::Check, ign::Result::JobFailed, "Checking error !", Colour::Red, true},
      {Operation::Check, ign::Result::VersionMismatch, nullptr, 0, true},
      {Operation::Read, ign::Result::Ok, "Verify: OK", Colour::ButtonFace, false},
      {Operation::Read, ign::Result::Corrected, "Verify: corrected", Colour::ButtonFace, false},
      {Operation::Read, ign::Result::Disagreed, "Verify error !", Colour::ButtonFace, true},
      {Operation::Read, ign::Result::JobFailed, "Read error !", Colour::Red, true},
      {Operation::Verify, ign::Result::Different, "Verify error !", Colour::ButtonFace, true},
      {Operation::Verify, ign::Result::JobFailed, "Verify error !", Colour::Red, true},
      {Operation::Program, ign::Result::Ok, "Verify: OK", Colour::ButtonFace, false},
      {Operation::Program, ign::Result::Saved, "Program device: OK", Colour::ButtonFace, false},
      {Operation::Program, ign::Result::Disagreed, "Checking error !", Colour::ButtonFace, true},
      {Operation::Program, ign::Result::JobFailed, "Verify error !", Colour::Red, true},
      {Operation::Reset, ign::Result::Ok, nullptr, 0, false},
      {Operation::Read, ign::Result::LinkLost, "Read cut off !", Colour::Red, true},
      {Operation::Verify, ign::Result::LinkLost, "Verify cut off !", Colour::Red, true},
      {Operation::Program, ign::Result::LinkLost, "Program cut off !", Colour::Red, true},
      {Operation::Check, ign::Result::LinkLost, nullptr, 0, false},
  };
  for (const auto& c : cases) {
    const OutcomeView v = PresentOutcome(c.op, c.result);
    const std::string where = std::to_string(int(c.op)) + "/" + std::to_string(int(c.result));
    if (c.text) {
      ASSERT_NE(v.text, nullptr) << where;
      EXPECT_STREQ(LngStr(v.text), c.text) << where;
      EXPECT_EQ(v.back, c.back) << where;
    } else {
      EXPECT_EQ(v.text, nullptr) << where;
    }
    EXPECT_EQ(v.gaugeError, c.gaugeError) << where;
  }
}

}  // namespace
}  // namespace ign
