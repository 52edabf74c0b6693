// The search and the job engine on in-memory ports with a scripted unit, for
// the cases a real unit does not show on demand.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fstream>
#include <sstream>

#include "core/comm/comcom.h"
#include "core/text/language.h"
#include "core/text/lngstr.h"
#include "tests/comm/fake_status.h"
#include "tests/comm/memory_unit.h"
#include "tests/comm/test_clock.h"

namespace ign::test {
namespace {

constexpr int kCapMs = 15000;

struct EngineFixture : ::testing::Test {
  std::shared_ptr<MemoryPortSystem> system = std::make_shared<MemoryPortSystem>();
  MemoryUnit unit{system->Line(2), nullptr};
  FakeStatus status;
  std::unique_ptr<CCOMCOM> com = std::make_unique<CCOMCOM>(test::Clock(), system);
  std::string trace = TracePath();
  Frame image = Frame(1050);

  static std::string TracePath() {
    char path[] = "/tmp/ign-engine-XXXXXX";
    const int fd = ::mkstemp(path);
    ::close(fd);
    return path;
  }
  void SetUp() override {
    ASSERT_TRUE(com->Trace().Open(trace));
    com->SetStatus(&status);
    for (size_t i = 0; i < image.size(); ++i) image[i] = uint8_t(i * 13);
  }
  void TearDown() override {
    com.reset();
    std::remove(trace.c_str());
  }
  bool Tick(const std::function<bool()>& done, int capMs = kCapMs) {
    return TickUntil(
        done,
        [&] {
          unit.Step();
          com->LinkTick();
        },
        capMs, 20);
  }
  std::string Log() {
    std::stringstream text;
    text << std::ifstream(trace).rdbuf();
    return text.str();
  }
  // A well-behaved unit: identification, block reads and writes on `image`.
  Frame Answer(const Frame& request) {
    const uint8_t c = request[0];
    if (c == 0x30) return IdentAnswer(108);
    if (c >= 0x41 && c <= 0x47) {
      const size_t at = size_t(c - 0x41) * 150;
      return ShortFrame(uint8_t(c | 0x80), Frame(image.begin() + long(at), image.begin() + long(at) + 150));
    }
    if (c >= 0x01 && c <= 0x07) {
      const size_t at = size_t(c - 0x01) * 150;
      std::copy(request.begin() + 1, request.begin() + 151, image.begin() + long(at));
      return ShortFrame(uint8_t(c | 0x80), Frame(request.begin() + 1, request.begin() + 151));
    }
    return {};
  }
  int RunJob(int job, int address, int count, int flags) {
    if (!com->StartJob(job, address, count, flags)) return -1;
    Tick([&] { return !JobRunning(com->JobCode()); });
    const int result = com->JobCode();
    com->TakeResult();
    return result;
  }
  bool Connect() {
    return Tick([&] { return com->ConnectedPort() != 0 && com->JobCode() == JOB_IDLE; });
  }
};

TEST_F(EngineFixture, WriteEchoWithOneWrongByteIsSentAgain) {
  bool spoiled = false;
  unit.handler = [&](const Frame& request, int) {
    Frame answer = Answer(request);
    if (request[0] == 0x03 && !spoiled) {
      spoiled = true;
      answer[1 + 20] ^= 0x01;
      answer[151] ^= 0x01;  // the check still holds
    }
    return answer;
  };
  ASSERT_TRUE(Connect());
  for (int a = 0; a < 1050; ++a) com->SendImage()[a] = uint8_t(a ^ 0x5A);
  ASSERT_EQ(RunJob(JOB_WRITE, 0, 1050, JobFlag::Mark), JOB_DONE);
  const std::string log = Log();
  EXPECT_NE(log.find("COM verify fail, 1 errors (0)"), std::string::npos) << log;
  EXPECT_NE(log.find("COM timeout or redirection (0)"), std::string::npos);
  for (int a = 0; a < 1050; ++a) ASSERT_EQ(image[size_t(a)], uint8_t(a ^ 0x5A)) << a;
}

TEST_F(EngineFixture, AnswerForAnotherBlockFailsTheAttempt) {
  bool wrong = false;
  unit.handler = [&](const Frame& request, int) {
    if (request[0] == 0x42 && !wrong) {
      wrong = true;
      return Answer(Frame(1, 0x43));  // the answer of block 2 to the request of block 1
    }
    return Answer(request);
  };
  ASSERT_TRUE(Connect());
  ASSERT_EQ(RunJob(JOB_READ, 0, 1050, JobFlag::Mark), JOB_DONE);
  EXPECT_NE(Log().find("COM not expected answer 0xc3!=0xc2 (0)"), std::string::npos) << Log();
  EXPECT_EQ(std::memcmp(com->ReceiveImage(), image.data(), 1050), 0);
}

TEST_F(EngineFixture, LateAnswerToARepeatedRequestIsIgnored) {
  int asked = 0;
  unit.handler = [&](const Frame& request, int) {
    if (request[0] != 0x42) return Answer(request);
    if (++asked == 1) return Frame();  // late: nothing within the answer limit
    Frame both = Answer(request);      // the late answer and the answer to the repeat
    const Frame again = Answer(request);
    both.insert(both.end(), again.begin(), again.end());
    return both;
  };
  ASSERT_TRUE(Connect());
  ASSERT_EQ(RunJob(JOB_READ, 0, 1050, JobFlag::Mark), JOB_DONE);
  const std::string log = Log();
  EXPECT_NE(log.find("COM late answer 0xc2 ignored"), std::string::npos) << log;
  EXPECT_EQ(log.find("COM not expected answer"), std::string::npos) << log;
  EXPECT_EQ(std::memcmp(com->ReceiveImage(), image.data(), 1050), 0);
  // The next job is not one answer behind.
  ASSERT_EQ(RunJob(JOB_READ, 0, 1050, JobFlag::Mark), JOB_DONE);
  EXPECT_EQ(Log().find("COM not expected answer"), std::string::npos);
}

TEST_F(EngineFixture, OnlyKnownJobsAreAccepted) {
  unit.handler = [&](const Frame& request, int) { return Answer(request); };
  ASSERT_TRUE(Connect());
  for (int code : {JOB_IDLE, JOB_DONE, JOB_FAILED, 99, -1})
    EXPECT_FALSE(com->StartJob(code, 0, 150, JobFlag::Mark));
  EXPECT_EQ(com->JobCode(), JOB_IDLE);
}

TEST_F(EngineFixture, ReadKeepsMarksOutsideTheRangeAndClearsReceivedInside) {
  unit.handler = [&](const Frame& request, int) { return Answer(request); };
  ASSERT_TRUE(Connect());
  ASSERT_EQ(RunJob(JOB_READ, 300, 150, JobFlag::Mark), JOB_DONE);
  for (int a = 0; a < 1050; ++a) ASSERT_EQ(com->ReceivedMarks()[a], a >= 300 && a < 450) << a;
  EXPECT_EQ(com->LastJobCode(), JOB_READ);
}

TEST_F(EngineFixture, ProbeAnsweredOnlyTheSecondTimeStillConnects) {
  unit.handler = [&](const Frame& request, int index) { return index == 0 ? Frame{} : Answer(request); };
  ASSERT_TRUE(Connect());
  EXPECT_NE(Log().find("[0] Send Again..."), std::string::npos);
  EXPECT_EQ(com->ConnectedPort(), 2);
}

TEST_F(EngineFixture, PortThatNeverOpensFailsAfterSlotLimit) {
  unit.line->SetOpenable(false);
  unit.handler = [&](const Frame& request, int) { return Answer(request); };
  ASSERT_TRUE(Tick([&] { return Log().find("FAIL PORT - Close port COM2") != std::string::npos; }));
  EXPECT_NE(Log().find("[0] Not Openning..."), std::string::npos);
  EXPECT_EQ(com->ConnectedPort(), 0);
  unit.line->SetOpenable(true);
  ASSERT_TRUE(Connect()) << "the port comes round again";
}

TEST_F(EngineFixture, NoPresentPortMeansNoSearch) {
  system->SetPresent(2, false);
  unit.handler = [&](const Frame& request, int) { return Answer(request); };
  EXPECT_FALSE(Tick([&] { return com->SlotPort(0) != 0 || unit.line->OpenCount() > 0; }, 1000));
  system->SetPresent(2, true);
  ASSERT_TRUE(Connect()) << "the next enumeration finds it";
}

TEST_F(EngineFixture, LostDeviceDropsTheLink) {
  unit.handler = [&](const Frame& request, int) { return Answer(request); };
  ASSERT_TRUE(Connect());
  com->ClearPortListChanged();
  unit.line->Fail();
  ASSERT_TRUE(Tick([&] { return com->ConnectedPort() == 0; }));
  EXPECT_EQ(com->LinkStateNow(), LinkState::None);
  EXPECT_TRUE(com->PortListChanged());
}

}  // namespace
}  // namespace ign::test

namespace ign::test {
namespace {

TEST_F(EngineFixture, StreamThatNeverArrivesIsGivenUpAndJobsGoOn) {
  unit.handler = [&](const Frame& request, int) { return Answer(request); };
  ASSERT_TRUE(Connect());
  com->Stream().Announce(1, 500, 0, 0, 0);  // announced, but the unit sends nothing
  ASSERT_EQ(RunJob(JOB_READ, 0, 1050, JobFlag::Mark), JOB_DONE);
  EXPECT_EQ(com->Stream().live.type.load(), 0);
  EXPECT_EQ(com->Stream().dropped.load(), 1u);
  EXPECT_EQ(std::memcmp(com->ReceiveImage(), image.data(), 1050), 0);
}

}  // namespace
}  // namespace ign::test

namespace ign::test {
namespace {

int Occurrences(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

int TimesShown(const FakeStatus& status, const std::string& part) {
  int n = 0;
  for (const FakeStatus::Shown& s : status.shown) n += s.text.find(part) != std::string::npos;
  return n;
}

TEST_F(EngineFixture, PortWithoutPermissionSaysWhyOnceUntilTheErrorChanges) {
  unit.line->SetOpenError(EACCES);
  unit.handler = [&](const Frame& request, int) { return Answer(request); };
  ASSERT_TRUE(Tick([&] { return status.Find("permission denied") != nullptr; }));
  const FakeStatus::Shown shown = *status.Find("permission denied");
  EXPECT_EQ(shown.slot, Slot::Connection);
  EXPECT_EQ(shown.durationMs, 6000);
  EXPECT_EQ(shown.back, Colour::Red);
  EXPECT_EQ(shown.priority, 10);
  const CPackedText packed(shown.text.c_str());
  EXPECT_STREQ(packed.Resolve(LNG_ENGLISH), "COM 2: permission denied (add your user to the dialout group)");
  EXPECT_STREQ(packed.Resolve(LNG_DEUTSCH),
               "COM 2: Zugriff verweigert (Benutzer zur Gruppe dialout hinzufügen)");
  EXPECT_NE(Log().find("OPEN FAIL COM2 mem:COM2: Permission denied"), std::string::npos) << Log();
  EXPECT_EQ(com->OpenError(2), EACCES);

  // The search comes round to the port again and again; the same cause is not repeated.
  ASSERT_TRUE(Tick([&] { return Occurrences(Log(), "OPEN FAIL COM2") >= 3; }));
  EXPECT_EQ(TimesShown(status, "permission denied"), 1);

  // Another cause is news.
  unit.line->SetOpenError(ENOENT);
  const std::string missing = std::string("COM 2: ") + std::strerror(ENOENT);
  ASSERT_TRUE(Tick([&] { return status.Find(missing) != nullptr; }));
  EXPECT_EQ(TimesShown(status, "permission denied"), 1);

  unit.line->SetOpenError(0);
  ASSERT_TRUE(Connect());
}

// A port another program holds: skipped, said once, left alone between
// slow retries, and used as soon as it is free. Automatic search and the
// search of that one port alike.
TEST_F(EngineFixture, HeldPortIsSkippedToldOnceAndTakenWhenFree) {
  for (int configured : {0, 2}) {
    SCOPED_TRACE(configured);
    com = std::make_unique<CCOMCOM>(test::Clock(), system);
    status.shown.clear();
    ASSERT_TRUE(com->Trace().Open(trace));
    com->SetStatus(&status);
    com->SetConfiguredPort(configured);
    unit.line->SetOpenError(EBUSY);
    const int opens = unit.line->OpenCount();
    unit.handler = [&](const Frame& request, int) { return Answer(request); };
    ASSERT_TRUE(Tick([&] { return com->Enumerated(); }));
    com->ClearPortListChanged();

    ASSERT_TRUE(Tick([&] { return com->PortHeld(2); }));
    EXPECT_TRUE(com->PortListChanged()) << "menus show the port in use";
    EXPECT_EQ(com->HeldPorts(), std::vector<int>{2});
    const FakeStatus::Shown* shown = status.Find("in use");
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->slot, Slot::Connection);
    EXPECT_EQ(shown->back, Colour::Red);
    EXPECT_STREQ(CPackedText(shown->text.c_str()).Resolve(LNG_ENGLISH), "COM 2: in use by another program");
    EXPECT_NE(Log().find("[0]IN USE - skip port COM2"), std::string::npos) << Log();

    // 100 ticks, five seconds of the program clock: a failing port would be
    // opened, given up and closed every second or so.
    int ticks = 0;
    ASSERT_TRUE(Tick([&] { return ++ticks >= 100; }));
    const std::string log = Log();
    const int tries = Occurrences(log, "OPEN FAIL COM2");
    EXPECT_GE(tries, 2) << "the port is looked at again";
    EXPECT_LE(tries, 4) << log;
    EXPECT_EQ(Occurrences(log, "FAIL PORT"), 0) << log;
    EXPECT_EQ(Occurrences(log, "Not Openning"), 0) << log;
    EXPECT_EQ(TimesShown(status, "in use"), 1) << "told once";
    EXPECT_EQ(unit.line->OpenCount(), opens) << "never opened while held";

    // The other program lets it go.
    unit.line->SetOpenError(0);
    ASSERT_TRUE(Connect());
    EXPECT_EQ(com->ConnectedPort(), 2);
    EXPECT_FALSE(com->PortHeld(2));
    EXPECT_TRUE(com->HeldPorts().empty());
    com.reset();
    std::remove(trace.c_str());
  }
}

TEST_F(EngineFixture, UnitWithAnotherKeyRecordedAsUnmatched) {
  EXPECT_FALSE(com->LastUnmatched().has_value());
  EXPECT_EQ(com->UnmatchedCount(), 0);
  unit.handler = [&](const Frame& request, int) { return request[0] == 0x30 ? IdentAnswer(77) : Frame{}; };
  ASSERT_TRUE(Tick([&] { return com->UnmatchedCount() >= 1; }));
  const std::optional<UnmatchedUnit> unmatched = com->LastUnmatched();
  ASSERT_TRUE(unmatched.has_value());
  EXPECT_EQ(unmatched->port, 2);
  EXPECT_EQ(unmatched->key, 77);
  EXPECT_EQ(unmatched->hardwareId, -1);
  EXPECT_NE(unmatched->name.find("v77"), std::string::npos) << unmatched->name;
  const FakeStatus::Shown* shown = status.Find("(unmatched)");
  ASSERT_NE(shown, nullptr);
  EXPECT_NE(shown->text.find("COM 2:" + unmatched->name + " (unmatched)"), std::string::npos) << shown->text;
  EXPECT_EQ(com->ConnectedPort(), 0);
  // Each answer is counted: the port comes round again.
  ASSERT_TRUE(Tick([&] { return com->UnmatchedCount() >= 2; }));
}

TEST_F(EngineFixture, BadFrameFromTheUnitIsCountedTracedAndTheBlockReadAgain) {
  bool spoiled = false;
  unit.handler = [&](const Frame& request, int) {
    Frame answer = Answer(request);
    if (request[0] == 0x42 && !spoiled) {
      spoiled = true;
      answer[151] ^= 0x01;  // a wrong check byte
    }
    return answer;
  };
  ASSERT_TRUE(Connect());
  EXPECT_EQ(com->BadFrameCount(), 0);
  ASSERT_EQ(RunJob(JOB_READ, 0, 1050, JobFlag::Mark), JOB_DONE);
  EXPECT_EQ(com->BadFrameCount(), 1);
  EXPECT_EQ(Occurrences(Log(), "bad frame ("), 1) << Log();
  EXPECT_NE(Log().find("bad frame (check): IGN150 152 bytes [0xc2]"), std::string::npos) << Log();
  EXPECT_EQ(std::memcmp(com->ReceiveImage(), image.data(), 1050), 0);
  EXPECT_EQ(com->ShortWriteCount(), 0);
}

}  // namespace
}  // namespace ign::test
