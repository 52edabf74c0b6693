// The self-test driven by a sequence of monitor records.
#include <gtest/gtest.h>

#include "core/monitor/selftest.h"
#include "monitor_fixture.h"

namespace ign::test {
namespace {

const LocalTime kNow{2026, 3, 5, 14, 7, 9, 0};

// One run: the record at the start of the test, the records while testing
// (then the count runs out), and the record that ends it.
struct SelfTestRun {
  int startMv = 4980;
  int startLevels = 0x03;  // both inputs low
  int testRpm = 5000;
  int testMv = 2500;
  int testLevels = 0x00;  // both inputs high
  bool servoOk = true;
  int adv1 = 188, adv2 = 190;
  bool pickup1 = true, pickup2 = true;
};

std::vector<std::string> Execute(const SelfTestRun& run, uint8_t* bits = nullptr) {
  CSelfTest t;
  EXPECT_FALSE(t.Start(0, "Unit = SIM"));
  EXPECT_EQ(t.Stage(), 2);
  const int testSet = 5000;
  RecordBuilder start;
  start.Word(Mon::TPS, run.startMv).Byte(Mon::LEVELS, run.startLevels);
  const uint8_t b = t.Evaluate({start.r, testSet, run.pickup1, run.pickup2, kNow});
  if (bits) *bits = b;
  EXPECT_EQ(t.Stage(), 3);
  RecordBuilder testing;
  testing.Word(Mon::RPM, run.testRpm).Word(Mon::TPS, run.testMv).Byte(Mon::LEVELS, run.testLevels);
  t.Evaluate({testing.r, testSet, run.pickup1, run.pickup2, kNow});
  for (int i = 0; i < CSelfTest::kTestTicks; ++i) t.Tick(kNow);
  EXPECT_EQ(t.Stage(), 4);
  RecordBuilder end;
  end.Word(Mon::ADV_MAX, run.adv1).Word(Mon::ADV_MAX + 1, run.adv2);
  if (run.servoOk) end.Bit(Mon::ERRORS, ErrorBit::SERVO_OK);
  t.Evaluate({end.r, testSet, run.pickup1, run.pickup2, kNow});
  EXPECT_EQ(t.Stage(), 5);
  std::vector<std::string> memo = t.Memo();
  memo.push_back(*t.Label().text);
  return memo;
}

TEST(SelfTest, PassingRunWritesTheOkLines) {
  uint8_t bits = 0;
  const std::vector<std::string> expected = {
      "Selftest: 05.03.26-14:07:09",
      "Unit = SIM",
      "1) servo: OK",
      "2) tacho: OK (5000=5000)      PickUp1: OK    PickUp2: OK",
      "3) Powerout1: OK (4.980->2.500)",
      "4) Powerout2 - In0: OK        In1: OK",
      "Result OK...",
  };
  EXPECT_EQ(Execute({}, &bits), expected);
  EXPECT_EQ(bits, 0x07);  // power outputs 1, 2 and the rpm test
}

TEST(SelfTest, EachFaultGivesItsErrorLine) {
  const struct {
    const char* what;
    SelfTestRun run;
    int line;
    const char* text;
  } cases[] = {
      {"servo", {.servoOk = false}, 2, "1) servo: ERROR"},
      {"tacho low", {.testRpm = 4940}, 3, "2) tacho: ERROR (4940<>5000)      PickUp1: OK    PickUp2: OK"},
      {"tacho high", {.testRpm = 5051}, 3, "2) tacho: ERROR (5051<>5000)      PickUp1: OK    PickUp2: OK"},
      {"pick-up 1", {.pickup1 = false}, 3, "2) tacho: OK (5000=5000)      PickUp1: ERROR PickUp2: OK"},
      {"pick-up 2", {.pickup2 = false}, 3, "2) tacho: OK (5000=5000)      PickUp1: OK    PickUp2: ERROR"},
      {"both pick-ups",
       {.pickup1 = false, .pickup2 = false},
       3,
       "2) tacho: OK (5000=5000)      PickUp1: ERROR PickUp2: ERROR"},
      {"output never high", {.startMv = 3000}, 4, "3) Powerout1: ERROR (3.000->2.500)"},
      {"output never halved", {.testMv = 3000}, 4, "3) Powerout1: ERROR (4.980->3.000)"},
      {"input 1 never low", {.startLevels = 0x02}, 5, "4) Powerout2 - In0: ERROR1   In1: OK"},
      {"input 2 stays low", {.testLevels = 0x02}, 5, "4) Powerout2 - In0: OK        In1: ERROR2"},
      {"both inputs", {.startLevels = 0x00}, 5, "4) Powerout2 - In0: ERROR1   In1: ERROR1"},
      {"advance", {.adv2 = 193}, 6, "Result ERROR..."},
  };
  for (const auto& c : cases) {
    const std::vector<std::string> memo = Execute(c.run);
    ASSERT_EQ(memo.size(), 7u) << c.what;
    EXPECT_EQ(memo[size_t(c.line)], c.text) << c.what;
    EXPECT_EQ(memo.back(), "Result ERROR...") << c.what;
  }
}

TEST(SelfTest, RestartWaitsForTheEngineAndCountsDown) {
  CSelfTest t;
  EXPECT_TRUE(t.Start(3000, "u"));  // the engine turns: the unit is reset first
  EXPECT_EQ(*t.Label().text, "Restarting unit (60)...");
  t.Tick(kNow);
  EXPECT_EQ(*t.Label().text, "Restarting unit (59)...");
  EXPECT_EQ(t.Evaluate({RecordBuilder().Word(Mon::RPM, 800).r, 5000, true, true, kNow}), 0);
  EXPECT_EQ(t.Stage(), 1);
  t.Evaluate({RecordBuilder().r, 5000, true, true, kNow});
  EXPECT_EQ(t.Stage(), 2);
  EXPECT_FALSE(t.Label().visible);
}

TEST(SelfTest, WaitingStagesGiveUpAfterSixtySeconds) {
  CSelfTest t;
  t.Start(3000, "Unit = SIM");
  for (int i = 0; i < CSelfTest::kGiveUpTicks - 1; ++i) t.Tick(kNow);
  EXPECT_EQ(t.Stage(), 1);
  t.Tick(kNow);
  EXPECT_EQ(t.Stage(), 5);
  EXPECT_EQ(*t.Label().text, "Result ERROR...");
  EXPECT_EQ(t.Label().back, MonColour::Red);
  ASSERT_EQ(t.Memo().size(), 3u);
  EXPECT_EQ(t.Memo()[2], "0) restart: ERROR (the engine did not stop within 60 s)");
  for (int i = 0; i < CSelfTest::kResultTicks; ++i) t.Tick(kNow);
  EXPECT_EQ(t.Stage(), 0);
  EXPECT_EQ(*t.Label().text, "");
}

}  // namespace
}  // namespace ign::test
