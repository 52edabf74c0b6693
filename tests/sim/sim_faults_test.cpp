// Line faults of the simulated unit.
#include <gtest/gtest.h>

#include "sim/fault_plan.h"
#include "tests/sim/wire.h"

namespace ign::test {
namespace {

sim::Reply Answer(std::uint8_t command) {
  Bytes f(152, 0);
  f[0] = command;
  std::uint8_t c = 0xFF;
  for (int i = 0; i < 151; ++i) c ^= f[i];
  f[151] = c;
  return {f, {}};
}

TEST(SimFaults, DropAndCorruptCountAnswers) {
  sim::FaultSettings s;
  s.dropEvery = 3;
  s.corruptEvery = 2;
  sim::FaultPlan plan(s);
  // answer: 1 ok, 2 corrupt, 3 dropped, 4 corrupt, 5 ok, 6 dropped
  const std::vector<const char*> expect = {"ok", "corrupt", "drop", "corrupt", "ok", "drop"};
  for (std::size_t i = 0; i < expect.size(); ++i) {
    const sim::Outgoing o = plan.Shape(Answer(0xC1));
    const std::string what = expect[i];
    if (what == "drop") {
      EXPECT_TRUE(o.bytes.empty()) << i;
    } else {
      ASSERT_EQ(o.bytes.size(), 152u) << i;
      EXPECT_EQ(ShortFrameChecks(o.bytes), what == "ok") << i;
    }
  }
}

TEST(SimFaults, NoAnswerIsNotCounted) {
  sim::FaultSettings s;
  s.dropEvery = 2;
  sim::FaultPlan plan(s);
  EXPECT_FALSE(plan.Shape(Answer(0xC1)).bytes.empty());
  EXPECT_TRUE(plan.Shape(sim::Reply{}).bytes.empty());
  EXPECT_TRUE(plan.Shape(Answer(0xC2)).bytes.empty()) << "the second real answer is dropped";
}

TEST(SimFaults, ShortFamilyNoiseIsSkippableAndPrecedesTheFrame) {
  sim::FaultSettings s;
  s.noise = true;
  s.seed = 7;
  sim::FaultPlan plan(s);
  for (int i = 0; i < 50; ++i) {
    const sim::Outgoing o = plan.Shape(Answer(0xC1));
    ASSERT_GT(o.bytes.size(), 152u);
    const std::size_t noise = o.bytes.size() - 152;
    for (std::size_t k = 0; k < noise; ++k) EXPECT_EQ(o.bytes[k] & 0x80, 0) << "noise byte " << k;
    EXPECT_TRUE(ShortFrameChecks(Bytes(o.bytes.begin() + static_cast<std::ptrdiff_t>(noise), o.bytes.end())));
  }
}

TEST(SimFaults, HangupAfterKSentFrames) {
  sim::FaultSettings s;
  s.hangupAfter = 2;
  s.dropEvery = 2;
  sim::FaultPlan plan(s);
  EXPECT_FALSE(plan.Shape(Answer(0xC1)).hangup);
  EXPECT_FALSE(plan.Shape(Answer(0xC2)).hangup) << "a dropped answer was not sent";
  EXPECT_TRUE(plan.Shape(Answer(0xC3)).hangup);
}

}  // namespace
}  // namespace ign::test
