// The session over a simulated unit: its messages leave the tick and hold the
// engine until they are read; its check before programming.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "core/session/session.h"
#include "tests/support/pacer.h"
#include "tests/support/sim_process.h"

namespace ign::test {
namespace {

class CountingView : public ISessionView {
 public:
  void MessagesWaiting() override { ++announced; }
  int announced = 0;
};

class SessionE2E : public ::testing::Test {
 protected:
  SessionE2E() : portDir_(MakeTempDir() + "/ports") { ::setenv("IGN_PORT_DIR", portDir_.c_str(), 1); }

  bool Run(CSession& s, const std::function<bool()>& pred, double cap = 20) {
    return TickUntil(
        pred, [&] { s.Tick(); }, cap);
  }

  std::string portDir_;
};

// A unit of another subversion: one message, recorded in the tick and
// announced once after it. The engine sends nothing while it waits to be read,
// and goes on once the front end has taken it.
TEST_F(SessionE2E, VersionMessageHoldsTheEngineUntilItIsTaken) {
  SimProcess sim(portDir_, {.com = 2, .subversion = 1});
  ASSERT_TRUE(sim.ready());
  CountingView view;
  CSession s(&view);
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
  CSession s;
  ASSERT_TRUE(Run(s, [&] { return s.Machine().LastOutcome().operation == Operation::Check; }));
  ASSERT_TRUE(s.Machine().Connected());
  ASSERT_GE(s.Machine().UnitBike(), 0);
  Image& edited = s.Params().edited;

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

}  // namespace
}  // namespace ign::test
