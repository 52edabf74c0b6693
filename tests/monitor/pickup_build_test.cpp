// The sample ring, taking streams and building the curve lists.
#include <gtest/gtest.h>

#include <memory>

#include "core/comm/stream.h"
#include "core/monitor/pickup_build.h"
#include "core/monitor/pickup_model.h"
#include "core/monitor/pickup_take.h"
#include "pickup_fixture.h"
#include "sim/pickup_stream.h"

namespace ign::test {
namespace {

using PickupSample::kPickup1;
using PickupSample::kPickup2;

void Load(CPickupRing& ring, const std::vector<Sample>& samples, uint8_t type = 1, uint8_t further = 0) {
  const auto bytes = StreamBytes(samples);
  ASSERT_TRUE(TakeStream(type, further, bytes.data(), bytes.size(), ring));
}

// n samples per cycle, `cycles` counter steps, each cycle `ticks` long.
std::vector<Sample> EvenCycles(int cycles, int perCycle, uint32_t ticks, uint32_t start = 0) {
  std::vector<Sample> s;
  for (int c = 0; c < cycles; ++c)
    for (int i = 0; i < perCycle; ++i) s.push_back({start + c * ticks + i * (ticks / perCycle), c & 3});
  return s;
}

TEST(PickupRing, WriterCatchingUpLosesTheOldestSample) {
  CPickupRing ring;
  for (uint32_t i = 0; i < CPickupRing::kSize; ++i) ring.Push(i);
  EXPECT_EQ(ring.WriteIndex(), 0u);  // wrapped at 10000
  EXPECT_EQ(ring.ReadIndex(), 1u);
  EXPECT_EQ(ring.Unread(), CPickupRing::kSize - 1);
  EXPECT_EQ(ring.At(0), 1u);  // sample 0 is lost
  ring.Push(10000);
  ring.Push(10001);
  EXPECT_EQ(ring.At(0), 3u);
  EXPECT_EQ(ring.At(ring.Unread() - 1), 10001u);
}

TEST(PickupTake, TakesOnlyTypesOneAndTwoAndIgnoresAPartialTail) {
  struct Case {
    uint8_t type;
    bool taken;
    PickupMode mode;
  };
  const Case cases[] = {{1, true, PickupMode::Synchronised},
                        {2, true, PickupMode::Time},
                        {0, false, {}},
                        {3, false, {}},
                        {255, false, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.type));
    CPickupRing ring;
    ring.Push(77);  // an unread sample of an earlier stream
    auto bytes = StreamBytes({{10, 1}, {20, 2}});
    bytes.push_back(0xAB);  // 10 bytes: the tail is no sample
    bytes.push_back(0xCD);
    const auto taken = TakeStream(c.type, 3, bytes.data(), bytes.size(), ring);
    ASSERT_EQ(taken.has_value(), c.taken);
    if (!c.taken) {
      EXPECT_EQ(ring.Unread(), 1u);
      continue;
    }
    EXPECT_EQ(taken->mode, c.mode);
    EXPECT_EQ(taken->further, 3);
    EXPECT_EQ(taken->samples, 2u);
    ASSERT_EQ(ring.Unread(), 2u);  // the earlier unread sample is dropped
    EXPECT_EQ(ring.At(0), PickupSample::Make(10, 1));
    EXPECT_EQ(ring.At(1), PickupSample::Make(20, 2));
  }
}

TEST(PickupTake, TakesAFullStreamFromTheLinkAndFreesIt) {
  auto share = std::make_unique<StreamShare>();
  std::vector<Sample> samples;
  for (uint32_t i = 0; i < kStreamBufSize / 4; ++i) samples.push_back({i * 100, int(i & 0xFF)});
  const auto bytes = StreamBytes(samples);
  uint8_t x = 0, s = 0;
  for (uint8_t b : bytes) {
    x ^= b;
    s = uint8_t(s + b);
  }
  share->Announce(2, uint16_t(bytes.size()), x, s, 0);
  bool ended = false;
  for (uint8_t b : bytes) ended = share->Feed(b);
  ASSERT_TRUE(ended);
  ASSERT_EQ(share->completed.type.load(), 2);

  CPickupRing ring;
  const auto taken = TakeStream(*share, ring);
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->mode, PickupMode::Time);
  EXPECT_EQ(ring.Unread(), samples.size());
  EXPECT_EQ(ring.At(samples.size() - 1), PickupSample::Make(samples.back().stamp, samples.back().state));
  EXPECT_EQ(share->completed.type.load(), 0);
  EXPECT_EQ(share->completed.length.load(), 0);
  EXPECT_FALSE(TakeStream(*share, ring));
}

TEST(PickupSynchronised, CycleCodeGivesRangeAndEngineSpeed) {
  struct Case {
    uint8_t further;
    int d;
    double rpm;  // for cycles of 100000 counts (0.04 s)
  };
  const Case cases[] = {{0, 720, 3000}, {1, 360, 1500}, {2, 180, 750}, {3, 120, 500}, {9, 360, 1500}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.further));
    CPickupRing ring;
    Load(ring, EvenCycles(5, 10, 100000), 1, c.further);
    PickupCurves curves;
    ASSERT_EQ(BuildSynchronised(ring, c.further, curves), BuildResult::Built);
    EXPECT_EQ(curves.cycleLength, c.d);
    EXPECT_DOUBLE_EQ(curves.minimum, -c.d / 2.0);
    EXPECT_DOUBLE_EQ(curves.maximum, 1.5 * c.d);
    EXPECT_NEAR(curves.engineSpeed, c.rpm, 1e-9);
  }
}

TEST(PickupSynchronised, PositionsAcrossStampAndCounterWraps) {
  // Stamps start just below the wrap; the counter goes 2, 3, 0, 1, 2. Cycles:
  // 50000, 100000 and 200000 counts between the four boundaries.
  const uint32_t t0 = 0xFFFFFF - 20000;
  const int p1 = kPickup1, p2 = kPickup2;
  const std::vector<Sample> s = {
      {t0, 2},                     // before the first boundary: not drawn
      {t0 + 30000, 3 | p1},        // boundary 1 (stamp wrapped)
      {t0 + 55000, 3 | 0x10},      // half of cycle 1, ignition on channel 1
      {t0 + 80000, 0 | p2},        // boundary 2 (counter past 3)
      {t0 + 105000, 0 | p1 | p2},  // quarter of cycle 2
      {t0 + 180000, 1},            // boundary 3
      {t0 + 330000, 1 | p1},       // three quarters of cycle 3
      {t0 + 380000, 2},            // boundary 4: the end
      {t0 + 390000, 2 | p1},
  };
  CPickupRing ring;
  Load(ring, s);
  PickupCurves curves;
  ASSERT_EQ(BuildSynchronised(ring, 0, curves), BuildResult::Built);
  const double d = 720;
  const std::vector<CurveEntry> want = {{-d, 3 | p1},
                                        {-d / 2, 3 | 0x10},
                                        {0, p2},
                                        {d / 4, p1 | p2},
                                        {d, 1},
                                        {1.75 * d, 1 | p1},
                                        {0, CurveMark::kCycleStart},
                                        {d, CurveMark::kCycleEnd}};
  ASSERT_EQ(curves.list.Size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(curves.list[i].position, want[i].position, 1e-9);
    EXPECT_EQ(curves.list[i].state, want[i].state);
  }
  EXPECT_NEAR(curves.engineSpeed, 3000, 1e-9);  // from the 100000-count cycle
  EXPECT_TRUE(curves.newData);
  EXPECT_TRUE(ring.Empty());
}

TEST(PickupSynchronised, WithoutFourUsableBoundariesThePictureStays) {
  CPickupRing ring;
  PickupCurves curves;
  EXPECT_EQ(BuildSynchronised(ring, 0, curves), BuildResult::Empty);
  Load(ring, EvenCycles(5, 10, 100000));
  ASSERT_EQ(BuildSynchronised(ring, 0, curves), BuildResult::Built);
  const size_t size = curves.list.Size();
  const double rpm = curves.engineSpeed;
  curves.newData = false;

  const std::vector<std::vector<Sample>> bad = {
      EvenCycles(4, 10, 100000),                              // three boundaries
      EvenCycles(1, 50, 100000),                              // engine standing
      {{0, 0}, {10, 1}, {20, 2}, {20, 3}, {30, 0}, {40, 1}},  // two boundaries on one stamp
  };
  for (const auto& stream : bad) {
    Load(ring, stream);
    EXPECT_EQ(BuildSynchronised(ring, 0, curves), BuildResult::TooFewBoundaries);
    EXPECT_EQ(curves.list.Size(), size);
    EXPECT_EQ(curves.engineSpeed, rpm);
    EXPECT_FALSE(curves.newData);
    EXPECT_FALSE(ring.Empty());  // the samples stay unread
  }
}

TEST(PickupSynchronised, ListStopsAt600WithTheEndEntries) {
  CPickupRing ring;
  Load(ring, EvenCycles(5, kStreamBufSize / 4 / 5, 100000));
  PickupCurves curves;
  ASSERT_EQ(BuildSynchronised(ring, 1, curves), BuildResult::Built);
  ASSERT_EQ(curves.list.Size(), CCurveList::kCapacity);
  EXPECT_EQ(curves.list[598].state, CurveMark::kCycleStart);
  EXPECT_EQ(curves.list[599].state, CurveMark::kCycleEnd);
  for (size_t i = 1; i < 598; ++i) ASSERT_GT(curves.list[i].position, curves.list[i - 1].position);
}

TEST(PickupSynchronised, SimulatedEngineGivesItsSpeedAndSparks) {
  sim::Image im{};
  im[sim::adr::kFourStroke] = 1;
  im[sim::adr::kLobeCount] = 1;
  im[sim::adr::kChannelCount] = 1;
  im[sim::adr::kPickupSystem] = 0;
  sim::StreamInput in;
  in.rpm = 4321;
  in.synchronised = true;
  in.advance = {12, 0, 0, 0};
  in.startStamp = 0xFFF000;
  const auto stream = sim::BuildPickupStream(im, in);
  CPickupRing ring;
  const auto taken =
      TakeStream(stream.type, stream.cycleCode, stream.bytes.data(), stream.bytes.size(), ring);
  ASSERT_TRUE(taken);
  ASSERT_EQ(taken->mode, PickupMode::Synchronised);
  PickupCurves curves;
  ASSERT_EQ(BuildSynchronised(ring, taken->further, curves), BuildResult::Built);
  EXPECT_NEAR(curves.engineSpeed, 4321, 4321 * 0.005);
  std::vector<double> sparks;
  for (const CurveEntry& e : curves.list)
    if (PickupSample::IsIgnition(e.state)) sparks.push_back(e.position);
  ASSERT_EQ(sparks.size(), 3u);  // one per cycle, 12 degrees before each boundary
  EXPECT_NEAR(sparks[0], -12, 0.1);
  EXPECT_NEAR(sparks[1], 708, 0.1);
  EXPECT_NEAR(sparks[2], 1428, 0.1);
}

TEST(PickupTimed, TriggersOnTheFirstRiseOfPickup2) {
  // 2500 counts are 1 ms. Pick-up 2 is high in the first sample (no rise),
  // falls, and rises at 4 ms.
  const std::vector<Sample> s = {{0x1000000 - 2499, kPickup2}, {1, 0},     {5001, kPickup1}, {7501, kPickup2},
                                 {10001, kPickup2 | kPickup1}, {12501, 0}, {20001, kPickup2}};
  CPickupRing ring;
  Load(ring, s, 2);
  PickupCurves curves;
  curves.engineSpeed = 1234;
  ASSERT_EQ(BuildTimed(ring, curves), BuildResult::Built);
  EXPECT_EQ(curves.engineSpeed, 0);
  EXPECT_EQ(curves.secondValue, 0);
  EXPECT_DOUBLE_EQ(curves.minimum, 0);
  EXPECT_NEAR(curves.maximum, 9.0, 1e-9);  // the span of the samples
  const std::vector<double> want = {-4, -3, -1, 0, 1, 2, 5};
  ASSERT_EQ(curves.list.Size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(curves.list[i].position, want[i], 1e-9) << i;
  EXPECT_EQ(curves.list[3].state, kPickup2);
  EXPECT_TRUE(ring.Empty());
}

TEST(PickupTimed, WithoutARiseTheFirstSampleTriggersAndTheListStopsAt600) {
  CPickupRing ring;
  Load(ring, EvenCycles(1, kStreamBufSize / 4, 250000, 5000), 2);
  PickupCurves curves;
  ASSERT_EQ(BuildTimed(ring, curves), BuildResult::Built);
  ASSERT_EQ(curves.list.Size(), CCurveList::kCapacity);
  EXPECT_DOUBLE_EQ(curves.list[0].position, 0);
  EXPECT_EQ(BuildTimed(ring, curves), BuildResult::Empty);
  EXPECT_EQ(curves.list.Size(), CCurveList::kCapacity);
}

TEST(PickupModel, ModeChangeClearsCurvesAndDimensions) {
  PickupModel m;
  CPickupRing ring;
  Load(ring, EvenCycles(5, 10, 100000));
  ASSERT_EQ(m.Build(ring, PickupMode::Synchronised, 0), BuildResult::Built);
  ASSERT_TRUE(m.dimensions.Add({}));
  EXPECT_FALSE(m.NoteMode(PickupMode::Synchronised));
  EXPECT_FALSE(m.curves.list.Empty());
  EXPECT_EQ(m.dimensions.Size(), 1u);
  EXPECT_TRUE(m.NoteMode(PickupMode::Time));
  EXPECT_TRUE(m.curves.list.Empty());
  EXPECT_EQ(m.dimensions.Size(), 0u);
  EXPECT_EQ(m.modeSeen, PickupMode::Time);
}

}  // namespace
}  // namespace ign::test
