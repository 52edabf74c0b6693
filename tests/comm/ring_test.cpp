// The receive ring: free runs, one slot kept free, wrap-around, the consumer making room.
#include <gtest/gtest.h>

#include <vector>

#include "core/comm/ccom.h"
#include "core/comm/memory_port.h"

namespace ign {
namespace {

struct RingFixture : ::testing::Test {
  MemoryPortSystem system;
  std::shared_ptr<MemoryLine> line = system.Line(1);
  std::unique_ptr<ISerialDevice> device = system.MakeDevice(1);
  CCOM com;
  void SetUp() override { ASSERT_TRUE(device->Open("mem", 57600)); }
  std::vector<uint8_t> Pattern(int n, int from = 0) {
    std::vector<uint8_t> v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) v[size_t(i)] = uint8_t(from + i);
    return v;
  }
  std::vector<uint8_t> Drain(int max = 1000) {
    std::vector<uint8_t> out;
    uint8_t b;
    while (int(out.size()) < max && com.RxGet(b)) out.push_back(b);
    return out;
  }
};

TEST(RingRuns, OneSlotAlwaysStaysFree) {
  struct Case {
    uint32_t read, write, first, second;
  };
  const Case cases[] = {
      {0, 0, 329, 0},       // empty at the start: one run to the end less the free slot
      {100, 100, 230, 99},  // empty in the middle: the second run gives up the slot
      {100, 99, 0, 0},      // full
      {0, 329, 0, 0},       // full across the top
      {200, 50, 149, 0},    // write below read
      {1, 0, 0, 0},         // full, the write index just below the read index
  };
  for (const Case& c : cases) {
    const RingRuns runs = FreeRuns(c.read, c.write);
    EXPECT_EQ(runs.first, c.first) << c.read << "," << c.write;
    EXPECT_EQ(runs.second, c.second) << c.read << "," << c.write;
  }
}

TEST_F(RingFixture, HoldsAt329BytesAndLeavesTheRestQueued) {
  line->Answer(Pattern(400));
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(FillRing(com, *device));
  EXPECT_EQ(com.RxCount(), 329u);
  EXPECT_EQ(device->Waiting(), 71) << "bytes beyond the ring stay in the driver queue";
  // The consumer takes one byte: exactly one more comes in.
  uint8_t b;
  ASSERT_TRUE(com.RxGet(b));
  EXPECT_EQ(b, 0);
  ASSERT_TRUE(FillRing(com, *device));
  EXPECT_EQ(com.RxCount(), 329u);
  EXPECT_EQ(device->Waiting(), 70);
}

TEST_F(RingFixture, WrapsAroundKeepingByteOrder) {
  line->Answer(Pattern(300));
  ASSERT_TRUE(FillRing(com, *device));
  EXPECT_EQ(Drain(250), Pattern(250));
  // 50 bytes remain near the top; the next 200 bytes wrap past index 329.
  line->Answer(Pattern(200, 300));
  ASSERT_TRUE(FillRing(com, *device));
  EXPECT_LT(com.rxWrite.load(), com.rxRead.load()) << "the write index has wrapped";
  EXPECT_EQ(Drain(), Pattern(250, 250));
}

TEST_F(RingFixture, FailedDeviceReported) {
  line->Fail();
  EXPECT_FALSE(FillRing(com, *device));
}

}  // namespace
}  // namespace ign
