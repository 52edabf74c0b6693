#include <gtest/gtest.h>

#include <csignal>

#include "core/base/tick_clock.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "core/text/lngstr.h"
#include "core/text/messages.h"
#include "engine_rig.h"

namespace ign::test {
namespace {

class EngineE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLanguage(LNG_ENGLISH);
    FillMessages();
  }
};

TEST_F(EngineE2E, ConnectReadVerifyProgramAgainstTheSimulatedUnit) {
  EngineRig rig;
  ASSERT_TRUE(rig.sim().ready());
  ASSERT_TRUE(rig.ConnectAndCheck()) << "result: " << rig.Result() << " state "
                                     << int(rig.engine().Machine().State()) << " caption "
                                     << rig.engine().Label(2).Caption() << " vis "
                                     << rig.engine().Label(2).Visible();
  CEngine& e = rig.engine();
  EXPECT_TRUE(e.Params().UnitValid());

  e.Machine().RequestRead();
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Result() == "Verify: OK" && rig.Idle(); }))
      << ::testing::PrintToString(e.Label(Slot::Result).History());
  std::vector<uint8_t> file = rig.UnitFile();
  ASSERT_EQ(file.size(), size_t(RS_LEN_EXE));
  EXPECT_TRUE(std::equal(file.begin(), file.end(), e.Params().Edited().begin()));
  EXPECT_EQ(e.Params().Edited()[Adrb::LIMITER], 95);

  e.Machine().RequestVerify();
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Result() == "Verify: OK" && rig.Idle(); }));

  e.Params().Working()[Adrb::LIMITER] = 123;
  e.Params().Working()[Adrb::ADVANCE + 17] = 111;
  e.Machine().RequestProgram();
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Result() == "Program device: OK"; }, 30)) << rig.Result();
  EXPECT_EQ(e.Machine().SavingCount(), 0);
  file = rig.UnitFile();
  ASSERT_EQ(file.size(), size_t(RS_LEN_EXE));
  EXPECT_TRUE(std::equal(file.begin(), file.end(), e.Params().Edited().begin()));
  EXPECT_EQ(file[Adrb::LIMITER], 123);
}

// An operation's request and every job boundary after it are followed up as
// they happen: Read, Verify and Program run to their outcome inside one wait
// for the next tick, with the program clock standing still.
TEST_F(EngineE2E, OperationsRunBetweenTicksWithoutWaitingForOne) {
  EngineRig rig;
  ASSERT_TRUE(rig.ConnectAndCheck());
  CEngine& e = rig.engine();
  const struct {
    const char* name;
    void (*request)(CCommMachine&);
    Operation operation;
  } ops[] = {
      {"Read", [](CCommMachine& m) { m.RequestRead(); }, Operation::Read},
      {"Verify", [](CCommMachine& m) { m.RequestVerify(); }, Operation::Verify},
      {"Program", [](CCommMachine& m) { m.RequestProgram(); }, Operation::Program},
  };
  for (const auto& op : ops) {
    const uint32_t before = rig.Sequence();
    const int64_t ticks = e.Clock().Ticks();
    if (op.operation == Operation::Program) e.Params().Working()[Adrb::LIMITER] = 121;
    op.request(e.Machine());
    const bool ended = e.WaitForNextTick(20000, [&] {
      const Outcome& o = e.Machine().LastOutcome();
      return o.sequence != before && o.operation == op.operation;
    });
    EXPECT_TRUE(ended) << op.name;
    EXPECT_EQ(rig.LastResult(), ign::Result::Ok) << op.name << ": " << rig.Result();
    EXPECT_EQ(e.Clock().Ticks(), ticks) << op.name;
    // The program's saving and the periodic monitor read go on with the ticks.
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Idle() && e.Machine().SavingCount() == 0; }, 30)) << op.name;
  }
  EXPECT_EQ(rig.UnitFile(),
            std::vector<uint8_t>(e.Params().Edited().begin(), e.Params().Edited().begin() + RS_LEN_EXE));
  EXPECT_EQ(rig.UnitFile()[Adrb::LIMITER], 121);
}

TEST_F(EngineE2E, ProgramChangedOnlyWritesTheMarkedBlock) {
  EngineRig rig;
  ASSERT_TRUE(rig.ConnectAndCheck());
  CEngine& e = rig.engine();
  e.Machine().RequestRead();
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Result() == "Verify: OK" && rig.Idle(); }));

  const Image edited = e.Params().Edited();
  e.Params().Working()[Adrb::RETARD] = 7;
  e.Params().CommitEdit(edited);
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Idle() && e.Com().JobCode() == JOB_IDLE; }));
  const uint32_t before = e.Com().FramesSent();
  const int monitorsBefore = rig.host.monitorRecords;
  const uint32_t sequence = rig.Sequence();
  e.Machine().RequestProgramChanged();
  ASSERT_TRUE(rig.RunUntilOutcome(Operation::Program, sequence));
  EXPECT_EQ(rig.LastResult(), Result::Ok);
  // Settled: no job between two steps. Monitor reads are one frame each.
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Idle() && e.Com().JobCode() == JOB_IDLE; }));
  const int monitors = rig.host.monitorRecords - monitorsBefore;
  EXPECT_EQ(e.Com().FramesSent() - before, 2u + uint32_t(monitors))
      << "one block written, the same block read back, and " << monitors << " monitor reads";
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Result() == "Program device: OK"; }, 30));
  EXPECT_EQ(rig.UnitFile()[Adrb::RETARD], 7);
  EXPECT_EQ(e.Params().ChangeMarks()[Adrb::RETARD], 0);
}

TEST_F(EngineE2E, UnitWithAnotherSubversionGetsTheVersionMessageAndStaysUsable) {
  EngineRig rig(SimOptions{.subversion = 1});
  ASSERT_TRUE(rig.RunUntil([&] { return !rig.host.messages.empty(); }));
  EXPECT_EQ(rig.host.messages[0], "Unmatched subversion of PC and Ignition programs!  PC-108.00, IGN-108.01");
  CEngine& e = rig.engine();
  e.Machine().RequestRead();
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Result() == "Verify: OK" && rig.Idle(); }));
  EXPECT_EQ(e.Params().Edited()[Adrb::LIMITER], 95);
}

TEST_F(EngineE2E, UnitWithAnotherKeyIsShownUnmatchedAndNotConnected) {
  EngineRig rig(SimOptions{.key = 109});
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Connection().find("(unmatched)") != std::string::npos; }));
  EXPECT_EQ(rig.engine().Com().ConnectedPort(), 0);
  EXPECT_EQ(rig.engine().Label(Slot::Connection).Back(), Colour::Red);
}

// Without a load sensor the advance editor shows and edits the last row of
// each advance map; the unit fires that row.
TEST_F(EngineE2E, UnitWithoutLoadSensorFiresTheLastRowOfTheMap) {
  Image img = EngineRig::SoundUnitImage();
  img[Adrb::TPSIAP_SENSOR] = 0;
  for (int r = 0; r < 10; ++r)
    for (int c = 0; c < 15; ++c) img[size_t(Adrb::ADVANCE + 15 * r + c)] = uint8_t(r == 9 ? 130 : 105);
  for (int c = 0; c < 4; ++c) img[size_t(Adrb::CORR_ADVANCE + c)] = 100;
  NormaliseImage(img);
  ASSERT_EQ(img[Adrb::TPSIAP_SENSOR], 0);
  const std::string file = MakeTempDir() + "/unit.bin";
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(img.data()), RS_LEN_EXE);

  EngineRig rig(SimOptions{.image = file});
  ASSERT_TRUE(rig.ConnectAndCheck());
  const auto& m = rig.engine().Machine().MonitorRecord();
  // Record word 1 is the speed, byte 105 the advance of channel 1 (+100).
  ASSERT_TRUE(rig.RunUntil([&] { return (m[2] | m[3] << 8) > 500 && m[105] != 0; }));
  EXPECT_EQ(m[105] - 100, 30);
}

TEST_F(EngineE2E, SilentUnitDropsTheLinkAndAWaitingRequestSurvives) {
  EngineRig rig;
  ASSERT_TRUE(rig.ConnectAndCheck());
  CEngine& e = rig.engine();
  ::kill(rig.sim().pid(), SIGSTOP);  // the unit stops answering, the line stays
  ASSERT_TRUE(rig.RunUntil([&] { return e.Machine().State() == CommState::Monitor; }));
  e.Machine().RequestRead();  // waits: the machine takes requests only when idle
  ASSERT_TRUE(rig.RunUntil([&] { return e.Com().ConnectedPort() == 0; }, 20));
  EXPECT_EQ(rig.Connection(), "No connection with PC...");
  EXPECT_EQ(e.Label(Slot::Connection).Back(), Colour::Red);
  EXPECT_FALSE(e.Params().UnitValid());
  EXPECT_EQ(e.Machine().PendingRequest(), Request::Read);
  ::kill(rig.sim().pid(), SIGCONT);
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Result() == "Verify: OK" && rig.Idle(); }, 30)) << rig.Result();
}

TEST_F(EngineE2E, ReadAndProgramSucceedWithLostAndDamagedAnswers) {
  EngineRig rig(SimOptions{.extra = {"--drop-every", "10", "--corrupt-every", "13"}});
  ASSERT_TRUE(rig.ConnectAndCheck(40)) << rig.Result();
  CEngine& e = rig.engine();
  e.Machine().RequestRead();
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Result() == "Verify: OK" && rig.Idle(); }, 30)) << rig.Result();
  e.Params().Working()[Adrb::BASE_ADV] = 17;
  e.Machine().RequestProgram();
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Result() == "Program device: OK"; }, 40)) << rig.Result();
  std::vector<uint8_t> file = rig.UnitFile();
  ASSERT_EQ(file.size(), size_t(RS_LEN_EXE));
  EXPECT_TRUE(std::equal(file.begin(), file.end(), e.Params().Edited().begin()));
}

// Families whose blocks are shorter than the unit header read the header as its
// one unnumbered block, then check, read and program like the others.
class ShortBlockFamily : public EngineE2E, public ::testing::WithParamInterface<const char*> {};

TEST_P(ShortBlockFamily, ChecksReadsAndPrograms) {
  EngineRig rig(SimOptions{.family = GetParam()});
  ASSERT_TRUE(rig.ConnectAndCheck(30))
      << ::testing::PrintToString(rig.engine().Label(Slot::Result).History());
  CEngine& e = rig.engine();
  e.Machine().RequestRead();
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Result() == "Verify: OK" && rig.Idle(); }));
  e.Params().Working()[Adrb::LIMITER] = 121;
  e.Machine().RequestProgram();
  ASSERT_TRUE(rig.RunUntil([&] { return rig.Result() == "Program device: OK"; }, 30)) << rig.Result();
  EXPECT_EQ(rig.UnitFile()[Adrb::LIMITER], 121);
}

INSTANTIATE_TEST_SUITE_P(Families, ShortBlockFamily, ::testing::Values("IGN50", "IGN100"));

}  // namespace
}  // namespace ign::test
