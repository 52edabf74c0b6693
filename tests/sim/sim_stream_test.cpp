// Pick-up streams: announcement in the record, checksums, and the signal they carry.
#include <gtest/gtest.h>

#include <cmath>

#include "sim/fault_plan.h"
#include "tests/sim/unit_fixture.h"

namespace ign::test {
namespace {

using sim::Family;

struct Sample {
  std::uint32_t stamp;
  std::uint8_t state;
};

std::vector<Sample> Samples(const Bytes& s) {
  std::vector<Sample> out;
  for (std::size_t i = 0; i + 3 < s.size(); i += 4)
    out.push_back({static_cast<std::uint32_t>(s[i] | (s[i + 1] << 8) | (s[i + 2] << 16)), s[i + 3]});
  return out;
}

TEST(SimStream, AnnouncedLengthAndChecksumsMatchTheBytesSent) {
  for (std::int64_t t : {1000, 3500, 8000, 19000}) {  // standing, cranking, idle, limiter
    UnitUnderTest u(Family::Ign150);
    const sim::Reply r = u.Ask(u.MonitorRequest(150, 0, 0, 0, 1), t);
    const Bytes& m = r.frame;
    ASSERT_FALSE(r.stream.empty()) << t;
    ASSERT_EQ(r.stream.size() % 4, 0u);
    EXPECT_LE(r.stream.size(), 15000u);
    EXPECT_EQ(WordAt(m, 49), static_cast<int>(r.stream.size()));
    std::uint8_t x = 0, sum = 0;
    for (auto b : r.stream) x ^= b, sum = static_cast<std::uint8_t>(sum + b);
    EXPECT_EQ(m[129], x) << t;
    EXPECT_EQ(m[130], sum) << t;
    EXPECT_TRUE(m[128] == 1 || m[128] == 2);
  }
}

TEST(SimStream, OnlyWhenAsked) {
  UnitUnderTest u(Family::Ign150);
  const sim::Reply r = u.Ask(u.MonitorRequest(150), 8000);
  EXPECT_TRUE(r.stream.empty());
  EXPECT_EQ(r.frame[128], 0);
  EXPECT_EQ(WordAt(r.frame, 49), 0);
}

TEST(SimStream, SynchronisedStreamGivesTheEngineSpeedOverFourCycles) {
  UnitUnderTest u(Family::Ign150);
  const sim::Reply r = u.Ask(u.MonitorRequest(150, 0, 0, 0, 1), 8000);
  ASSERT_EQ(r.frame[128], 1) << "an idling engine is synchronised";
  const int rpm = WordAt(r.frame, 1);
  const int cycleDeg = r.frame[131] == 0 ? 720 : 360;
  // Walk the samples like the pick-up monitor: extend the stamps across wraps, find the
  // reference counter's steps, time the third cycle (0.4 us per count).
  const auto s = Samples(r.stream);
  std::uint64_t wraps = 0;
  std::uint32_t prev = s.front().stamp;
  int counter = s.front().state & 3;
  std::vector<std::uint64_t> boundaries;
  bool rise1 = false, ignition = false;
  std::uint8_t prevState = s.front().state;
  for (const auto& x : s) {
    if (x.stamp < prev) wraps += 0x1000000;
    prev = x.stamp;
    if ((x.state & 3) != counter) {
      counter = x.state & 3;
      boundaries.push_back(wraps + x.stamp);
    }
    rise1 |= (x.state & 0x04) && !(prevState & 0x04);
    ignition |= x.state > 15;
    prevState = x.state;
  }
  ASSERT_GE(boundaries.size(), 4u);
  const double cycleTime = (boundaries[3] - boundaries[2]) * 4e-7;
  EXPECT_NEAR(60.0 / cycleTime * cycleDeg / 360.0, rpm, rpm * 0.01);
  EXPECT_TRUE(rise1) << "pick-up 1 shows its lobes";
  EXPECT_TRUE(ignition) << "the sparks are in the stream";
}

TEST(SimStream, IgnitionFallsAtTheShownAdvance) {
  UnitUnderTest u(Family::Ign150);
  const sim::Reply r = u.Ask(u.MonitorRequest(150, 0, 0, 0, 1), 8000);
  ASSERT_EQ(r.frame[128], 1);
  const int advance = r.frame[105] - 100;
  const int cycleDeg = r.frame[131] == 0 ? 720 : 360;
  const auto s = Samples(r.stream);
  // Find a boundary (channel 1 top dead centre) and the channel-1 spark just before it.
  std::int64_t boundary = -1, spark = -1, prevBoundary = -1;
  int counter = s.front().state & 3;
  for (const auto& x : s) {
    if ((x.state & 0x10) && boundary < 0) spark = x.stamp;
    if ((x.state & 3) != counter) {
      counter = x.state & 3;
      if (spark >= 0 && boundary < 0) {
        boundary = x.stamp;
      } else if (boundary >= 0) {
        prevBoundary = x.stamp;
        break;
      }
    }
  }
  ASSERT_GE(boundary, 0);
  ASSERT_GT(prevBoundary, boundary);
  const double degPerCount = static_cast<double>(cycleDeg) / (prevBoundary - boundary);
  EXPECT_NEAR((boundary - spark) * degPerCount, advance, 1.5);
}

TEST(SimStream, FollowsTheLastMonitorBlockOnSmallFrames) {
  UnitUnderTest u(Family::Ign50);
  Bytes d(50, 0);
  d[23] = 1;
  EXPECT_TRUE(u.Ask(ShortRequest(50, 0x30, d, 108), 8000).stream.empty());
  EXPECT_TRUE(u.Ask(ShortRequest(50, 0x31, {}, 108), 8010).stream.empty());
  EXPECT_FALSE(u.Ask(ShortRequest(50, 0x32, {}, 108), 8020).stream.empty());
}

// Steps of the reference counter, stamps extended across wraps.
std::vector<std::uint64_t> Boundaries(const std::vector<Sample>& s) {
  std::vector<std::uint64_t> out;
  std::uint64_t wraps = 0;
  std::uint32_t prev = s.front().stamp;
  int counter = s.front().state & 3;
  for (const auto& x : s) {
    if (x.stamp < prev) wraps += 0x1000000;
    prev = x.stamp;
    if ((x.state & 3) != counter) counter = x.state & 3, out.push_back(wraps + x.stamp);
  }
  return out;
}

// Pinned stream type, cycle code and the type switch after some streams.
TEST(SimStream, PinnedTypeCycleAndSwitch) {
  struct Case {
    const char* what;
    sim::EnginePins pins;
    std::int64_t t;
    std::vector<int> types;  // of the streams asked in turn
    int cycleCode;
    double cycleDeg;
  };
  sim::EnginePins timed, switching, code3, standing;
  timed.streamType = 2;
  switching.streamSwitchAfter = 2;
  code3.cycleCode = 3, code3.rpm = 3000;
  standing.streamType = 1, standing.rpm = 0;
  const Case cases[] = {
      {"time mode while synchronised", timed, 8000, {2, 2}, 1, 360},
      {"switch after two", switching, 8000, {1, 1, 2, 2}, 1, 360},
      {"cycle code 3", code3, 8000, {1}, 3, 120},
      {"synchronised while standing", standing, 8000, {1}, 1, 0},
  };
  for (const Case& c : cases) {
    UnitUnderTest u(Family::Ign150, {}, 108, 0, c.pins);
    for (std::size_t i = 0; i < c.types.size(); ++i) {
      const sim::Reply r = u.Ask(u.MonitorRequest(150, 0, 0, 0, 1), c.t + 100 * std::int64_t(i));
      ASSERT_FALSE(r.stream.empty()) << c.what;
      EXPECT_EQ(r.frame[128], c.types[i]) << c.what << ", stream " << i;
      EXPECT_EQ(r.frame[131], c.cycleCode) << c.what;
      if (c.cycleDeg == 0 || i > 0) continue;
      const auto b = Boundaries(Samples(r.stream));
      ASSERT_GE(b.size(), 4u) << c.what;
      const double cycleTime = (b[3] - b[2]) * 4e-7;
      const int rpm = WordAt(r.frame, 1);
      EXPECT_NEAR(60.0 / cycleTime * c.cycleDeg / 360.0, rpm, rpm * 0.005) << c.what;
    }
  }
}

TEST(SimStream, CorruptedStreamNoLongerMatchesItsAnnouncement) {
  UnitUnderTest u(Family::Ign150);
  sim::FaultSettings f;
  f.corruptStreamEvery = 2;
  sim::FaultPlan plan(f);
  for (int i = 1; i <= 4; ++i) {
    const sim::Reply r = u.Ask(u.MonitorRequest(150, 0, 0, 0, 1), 8000 + 100 * i);
    const sim::Outgoing o = plan.Shape(r);
    ASSERT_EQ(o.bytes.size(), 152 + r.stream.size());
    std::uint8_t x = 0;
    for (std::size_t k = 152; k < o.bytes.size(); ++k) x ^= o.bytes[k];
    if (i % 2 == 0) {
      EXPECT_NE(x, r.frame[129]) << "stream " << i;
    } else {
      EXPECT_EQ(x, r.frame[129]) << "stream " << i;
    }
  }
}

}  // namespace
}  // namespace ign::test
