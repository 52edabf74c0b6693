// Cutting a job's range into blocks.
#include <gtest/gtest.h>

#include <vector>

#include "core/comm/comm_const.h"
#include "core/comm/job_blocks.h"

namespace ign {
namespace {

struct Marks {
  std::vector<uint8_t> m = std::vector<uint8_t>(COMMAXBUF, 0);
  Marks& Set(int from, int to) {
    for (int a = from; a < to; ++a) m[size_t(a)] = 1;
    return *this;
  }
};

TEST(ShortBlocks, WholeImageIsSevenBlocksOf150) {
  Marks marks;
  marks.Set(0, 1050);
  int current = 0;
  std::vector<int> starts;
  while (auto b = NextShortBlock(marks.m.data(), current, 1050, 150)) {
    EXPECT_EQ(b->length, 150);
    starts.push_back(b->address);
    current = b->address + b->length;
  }
  EXPECT_EQ(starts, (std::vector<int>{0, 150, 300, 450, 600, 750, 900}));
}

TEST(ShortBlocks, SkipsUnmarkedBlocksAndCoversPartialOnes) {
  struct Case {
    int markFrom, markTo, current, end;
    int expected;  // -1: none
  };
  const Case cases[] = {
      {310, 311, 0, 1050, 300},    // one marked byte pulls in its whole block
      {0, 0, 0, 1050, -1},         // nothing marked: the job ends at once
      {1040, 1050, 0, 1050, 900},  // last block
      {100, 200, 160, 1050, 150},  // starts with the block that holds the current address
      {1100, 1200, 0, 1050, -1},   // marks beyond the end do not count
      {1050, 1051, 0, 1001, -1},   // end rounded up to 1050: the block at 1050 is beyond
      {7990, 8000, 7900, 8000, 7950},
  };
  for (const Case& c : cases) {
    Marks marks;
    marks.Set(c.markFrom, c.markTo);
    const auto b = NextShortBlock(marks.m.data(), c.current, c.end, 150);
    if (c.expected < 0) {
      EXPECT_FALSE(b) << c.markFrom;
    } else {
      ASSERT_TRUE(b) << c.markFrom;
      EXPECT_EQ(b->address, c.expected) << c.markFrom;
    }
  }
}

TEST(HeaderBlocks, RunsOfMarksUpToBlockSize) {
  struct Case {
    std::vector<std::pair<int, int>> marks;
    int current, end, size;
    int address, length;  // length 0: none
  };
  const Case cases[] = {
      {{{0, 1050}}, 0, 1050, 32, 0, 32},
      {{{0, 1050}}, 1040, 1050, 32, 1040, 10},
      {{{10, 12}, {42, 44}}, 0, 1050, 32, 10, 2},    // the second run would overflow 32 bytes
      {{{10, 12}, {30, 32}}, 0, 1050, 32, 10, 22},   // gaps inside the block travel with it
      {{{10, 11}, {62, 63}}, 0, 1050, 256, 10, 1},   // 51 unmarked addresses end the block
      {{{10, 11}, {61, 62}}, 0, 1050, 256, 10, 52},  // 50 unmarked addresses are bridged
      {{{500, 520}}, 0, 510, 256, 500, 10},          // stops at the end address
      {{}, 0, 1050, 256, 0, 0},
  };
  for (const Case& c : cases) {
    Marks marks;
    for (auto [from, to] : c.marks) marks.Set(from, to);
    const auto b = NextHeaderBlock(marks.m.data(), c.current, c.end, c.size);
    if (c.length == 0) {
      EXPECT_FALSE(b);
      continue;
    }
    ASSERT_TRUE(b);
    EXPECT_EQ(b->address, c.address);
    EXPECT_EQ(b->length, c.length);
  }
}

TEST(ShortCommands, ByteAndAnswerOfEveryJob) {
  EXPECT_EQ(ShortCommandOf(JOB_READ).base, 0x41);
  EXPECT_EQ(ShortCommandOf(JOB_READ).answer, 0xC1);
  EXPECT_EQ(ShortCommandOf(JOB_WRITE).base, 0x01);
  EXPECT_EQ(ShortCommandOf(JOB_WRITE).answer, 0x81);
  EXPECT_EQ(ShortCommandOf(JOB_MONITOR).base, 0x30);
  EXPECT_EQ(ShortCommandOf(JOB_MONITOR).answer, 0xB0);
  EXPECT_EQ(ShortCommandOf(JOB_COMMAND).answer, 0x80);
  EXPECT_EQ(ShortCommandOf(JOB_HEADER).base, 0x40);
  EXPECT_EQ(ShortCommandOf(JOB_HEADER).answer, 0xC0);
}

}  // namespace
}  // namespace ign
