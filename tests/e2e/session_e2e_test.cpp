// The session over a simulated unit: its messages leave the tick and hold the
// engine until they are read; its check before programming.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>

#include "tests/e2e/session_driver.h"

namespace ign::test {
namespace {

class CountingView : public ISessionView {
 public:
  void MessagesWaiting() override { ++announced; }
  int announced = 0;
};

class SessionE2E : public ::testing::Test {
 protected:
  SessionE2E() : portDir_(MakeTempDir() + "/ports") { config_.portDir = portDir_; }

  bool Run(CSession& s, const std::function<bool()>& pred, double cap = 20) {
    return RunSession(s, pred, cap);
  }

  std::string portDir_;
  RunConfig config_;
};

// A unit of another subversion: one message, recorded in the tick and
// announced once after it. The engine sends nothing while it waits to be read,
// and goes on once the front end has taken it.
TEST_F(SessionE2E, VersionMessageHoldsTheEngineUntilItIsTaken) {
  SimProcess sim(portDir_, {.com = 2, .subversion = 1});
  ASSERT_TRUE(sim.ready());
  CountingView view;
  CSession s(&view, nullptr, config_);
  ASSERT_TRUE(Run(s, [&] { return s.MessagesPending(); }));
  EXPECT_EQ(view.announced, 1);
  EXPECT_TRUE(s.Holding());

  const uint32_t frames = s.Engine().Com().FramesSent();
  for (int i = 0; i < 40; ++i) s.Tick();  // two seconds of ticks
  EXPECT_EQ(s.Engine().Com().FramesSent(), frames);
  EXPECT_EQ(view.announced, 1);

  const std::vector<SessionMessage> messages = s.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].kind, SessionMessage::Kind::Version);
  EXPECT_TRUE(messages[0].holding);
  EXPECT_NE(messages[0].text.find("PC-108.00, IGN-108.01"), std::string::npos) << messages[0].text;

  // A front end that keeps its box open holds the engine as well.
  s.SetMessageOpen(true);
  for (int i = 0; i < 10; ++i) s.Tick();
  EXPECT_EQ(s.Engine().Com().FramesSent(), frames);
  s.SetMessageOpen(false);

  ASSERT_TRUE(Run(s, [&] { return s.Machine().Idle(); }));
  const uint32_t before = s.Machine().LastOutcome().sequence;
  s.Machine().RequestRead();
  ASSERT_TRUE(Run(s, [&] {
    return s.Machine().LastOutcome().sequence != before &&
           s.Machine().LastOutcome().operation == Operation::Read;
  }));
  EXPECT_EQ(s.Machine().LastOutcome().result, Result::Ok);
  EXPECT_FALSE(s.MessagesPending());
}

// The check before programming, on a real connection: the unit's bike comes
// with its monitor record.
TEST_F(SessionE2E, ProgramAsksForAnotherBikeAndRefusesANewInstallation) {
  SimProcess sim(portDir_, {.com = 3});
  ASSERT_TRUE(sim.ready());
  CSession s(nullptr, nullptr, config_);
  ASSERT_TRUE(Run(s, [&] { return s.Machine().LastOutcome().operation == Operation::Check; }));
  ASSERT_TRUE(s.Machine().Connected());
  ASSERT_GE(s.Machine().UnitBike(), 0);
  Image& edited = s.Params().Working();

  edited[Adrb::BIKE] = uint8_t(s.Machine().UnitBike());
  EXPECT_EQ(s.CheckProgram().verdict, Verdict::Go);

  edited[Adrb::BIKE] = uint8_t(s.Machine().UnitBike() + 1);
  EXPECT_EQ(s.CheckProgram().verdict, Verdict::Confirm);
  EXPECT_FALSE(s.Program(false));
  EXPECT_EQ(s.Machine().PendingRequest(), Request::None);

  s.Machine().newInstallation = true;
  EXPECT_EQ(s.CheckProgram().verdict, Verdict::Refuse);
  EXPECT_FALSE(s.Program(true));
  EXPECT_EQ(s.Machine().PendingRequest(), Request::None);
}

// Two sessions in one process, each on its own unit, ticked together: both
// read and program their own unit, and neither sees the other's settings or
// counts time on the other's clock.
TEST_F(SessionE2E, TwoSessionsReadAndProgramTheirOwnUnitsAtOnce) {
  auto unitByte = [](const SimProcess& sim, int address) {
    std::ifstream f(sim.imagePath(), std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(f)), {});
    return bytes.size() == size_t(RS_LEN_EXE) ? int(uint8_t(bytes[size_t(address)])) : -1;
  };
  SimProcess simA(portDir_, {.com = 2, .image = UnitImageFile(85)});
  SimProcess simB(portDir_, {.com = 6, .image = UnitImageFile(105)});
  ASSERT_TRUE(simA.ready() && simB.ready());
  CSession a(nullptr, nullptr, config_), b(nullptr, nullptr, config_);
  a.Engine().Com().SetConfiguredPort(2);
  b.Engine().Com().SetConfiguredPort(6);
  int rounds = 0;
  const auto both = [&] {
    a.Tick();
    b.Tick();
    ++rounds;
  };
  const auto ended = OutcomeAfter;
  ASSERT_TRUE(
      TickUntil([&] { return ended(a, Operation::Check, 0) && ended(b, Operation::Check, 0); }, both, 20));
  ASSERT_TRUE(a.Machine().Connected() && b.Machine().Connected());

  uint32_t seqA = a.Machine().LastOutcome().sequence, seqB = b.Machine().LastOutcome().sequence;
  a.Machine().RequestRead();
  b.Machine().RequestRead();
  ASSERT_TRUE(TickUntil([&] { return ended(a, Operation::Read, seqA) && ended(b, Operation::Read, seqB); },
                        both, 30));
  EXPECT_EQ(a.Machine().LastOutcome().result, Result::Ok);
  EXPECT_EQ(b.Machine().LastOutcome().result, Result::Ok);
  EXPECT_EQ(a.Params().Edited()[Adrb::LIMITER], 85);
  EXPECT_EQ(b.Params().Edited()[Adrb::LIMITER], 105);

  a.Params().Working()[Adrb::LIMITER] = 90;
  b.Params().Working()[Adrb::LIMITER] = 100;
  seqA = a.Machine().LastOutcome().sequence;
  seqB = b.Machine().LastOutcome().sequence;
  a.Machine().RequestProgram();
  b.Machine().RequestProgram();
  const auto saved = [](CSession& s) {
    return s.Machine().LastOutcome().operation == Operation::Program &&
           s.Machine().LastOutcome().result == Result::Saved;
  };
  ASSERT_TRUE(TickUntil([&] { return saved(a) && saved(b); }, both, 60))
      << int(a.Machine().LastOutcome().result) << " " << int(b.Machine().LastOutcome().result);
  EXPECT_EQ(unitByte(simA, Adrb::LIMITER), 90);
  EXPECT_EQ(unitByte(simB, Adrb::LIMITER), 100);
  // Each session's time-outs count its own ticks: one a round, not two.
  EXPECT_EQ(a.Engine().Clock().Ticks(), rounds);
  EXPECT_EQ(b.Engine().Clock().Ticks(), rounds);
}

}  // namespace
}  // namespace ign::test
