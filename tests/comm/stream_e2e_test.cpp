// The pick-up sample stream after a monitor answer: announced by the main
// thread from the record, collected by the protocol thread, handed over whole.
#include <gtest/gtest.h>

#include <vector>

#include "core/params/image.h"  // RS_LEN_EXE
#include "tests/comm/sim_fixture.h"

namespace ign::test {
namespace {

// Where the monitor record announces a stream, as receive image addresses (the
// record counts the answer's command byte as its index 0).
constexpr int kStreamLengthWord = 98 - 1;
constexpr int kStreamType = 128 - 1;
constexpr int kStreamXor = 129 - 1;
constexpr int kStreamSum = 130 - 1;
constexpr int kStreamFurther = 131 - 1;
constexpr int kAskForStream = 23;  // request data byte: 1 = send the stream

struct StreamFixture : SimLinkFixture {
  std::unique_ptr<SimProcess> sim;
  void Start(std::vector<std::string> extra = {}) {
    sim = StartSim({.com = 3, .family = "IGN150", .extra = std::move(extra)});
    MakeEngine();
    ASSERT_TRUE(Connected());
  }
  // One monitor read asking for the stream; announces what the record says.
  uint16_t MonitorAndAnnounce() {
    std::fill(com->SendImage(), com->SendImage() + 150, 0);
    com->SendImage()[kAskForStream] = 1;
    EXPECT_EQ(RunJob(JOB_MONITOR, 0, 150, JobFlag::Mark | JobFlag::OneAttempt), JOB_DONE);
    const uint8_t* r = com->ReceiveImage();
    const uint16_t length = uint16_t(r[kStreamLengthWord] | (r[kStreamLengthWord + 1] << 8));
    com->Stream().Announce(r[kStreamType], length, r[kStreamXor], r[kStreamSum], r[kStreamFurther]);
    return r[kStreamType] ? length : 0;
  }
};

TEST_F(StreamFixture, IntactStreamIsHandedOverAndTheLinkGoesOn) {
  Start();
  const uint16_t length = MonitorAndAnnounce();
  ASSERT_GT(length, 0) << "the unit announced no stream";
  ASSERT_TRUE(Tick([&] { return com->Stream().completed.type.load() != 0; }, kJobCapMs));
  const uint8_t announcedType = com->ReceiveImage()[kStreamType];
  uint8_t type = 0, further = 0;
  uint16_t got = 0;
  std::vector<uint8_t> data(kStreamBufSize);
  ASSERT_TRUE(com->Stream().Take(type, got, further, data.data()));
  EXPECT_EQ(got, length);
  EXPECT_EQ(type, announcedType);
  EXPECT_EQ(com->Stream().stepMask.load(), 1);
  // The bytes after the stream are frames again.
  EXPECT_EQ(RunJob(JOB_READ, 0, RS_LEN_EXE, JobFlag::Mark), JOB_DONE);
}

TEST_F(StreamFixture, DamagedStreamIsDroppedAndSlowsTheSteps) {
  Start({"--corrupt-stream-every", "1"});
  ASSERT_GT(MonitorAndAnnounce(), 0);
  ASSERT_TRUE(Tick([&] { return com->Stream().live.type.load() == 0; }, kJobCapMs));
  EXPECT_EQ(com->Stream().completed.type.load(), 0);
  EXPECT_EQ(com->Stream().stepMask.load(), 3);
  EXPECT_EQ(com->Stream().dropped.load(), 1u);
  EXPECT_EQ(RunJob(JOB_READ, 0, RS_LEN_EXE, JobFlag::Mark), JOB_DONE);
}

}  // namespace
}  // namespace ign::test
