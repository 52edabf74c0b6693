// The pending control change without widgets: when a run of events commits.
#include <gtest/gtest.h>

#include <vector>

#include "ui/pages/settle.h"

namespace ign {
namespace {

struct Event {
  int tick;
  int control;  // 0: a settle step on this tick
  ChangeKind kind;
};

struct Case {
  const char* name;
  std::vector<Event> events;
  std::vector<int> commitTicks;
};

TEST(ChangeSettle, CommitsOnceAtTheRightTick) {
  const auto S = ChangeKind::Stepping;
  const auto I = ChangeKind::Immediate;
  const Case cases[] = {
      {"ten steps commit 5 ticks after the last",
       {{1, 1, S},
        {2, 1, S},
        {3, 1, S},
        {4, 1, S},
        {5, 1, S},
        {6, 1, S},
        {7, 1, S},
        {8, 1, S},
        {9, 1, S},
        {10, 1, S}},
       {15}},
      {"a step then another control commits both at once", {{1, 1, S}, {3, 2, I}}, {3}},
      {"a step then a step of another control commits at once", {{1, 1, S}, {2, 2, S}}, {2}},
      {"a step then Enter on the same control", {{1, 1, S}, {2, 1, I}}, {2}},
      {"an immediate change commits at once", {{4, 1, I}}, {4}},
      {"steps far apart settle one by one", {{1, 1, S}, {7, 1, S}}, {6, 12}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int now = 0;
    std::vector<int> commits;
    CChangeSettle settle([&] { commits.push_back(now); });
    size_t next = 0;
    for (now = 0; now <= 30; ++now) {
      while (next < c.events.size() && c.events[next].tick == now) {
        const Event& e = c.events[next++];
        settle.NoteChange(reinterpret_cast<const void*>(intptr_t(e.control)), e.kind, now);
      }
      settle.Settle(now);
    }
    EXPECT_EQ(commits, c.commitTicks);
    EXPECT_FALSE(settle.Pending());
  }
}

TEST(ChangeSettle, CommitPendingCommitsOnlyWhatIsPending) {
  int commits = 0;
  CChangeSettle settle([&] { ++commits; });
  settle.CommitPending(1);
  EXPECT_EQ(commits, 0);
  int control = 0;
  settle.NoteChange(&control, ChangeKind::Stepping, 1);
  settle.CommitPending(2);
  EXPECT_EQ(commits, 1);
  EXPECT_FALSE(settle.Pending());
}

}  // namespace
}  // namespace ign
