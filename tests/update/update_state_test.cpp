// The hand-over between the GUI thread and the update worker.
#include <gtest/gtest.h>

#include <thread>

#include "core/update/update_state.h"

namespace ign {
namespace {

TEST(UpdateState, TransitionsOnlyInOrder) {
  CUpdateState s;
  EXPECT_FALSE(s.Finish("early"));  // the worker waits for a request
  EXPECT_FALSE(s.MarkHandled());
  EXPECT_TRUE(s.Request());
  EXPECT_FALSE(s.Request());
  EXPECT_EQ(s.State(), UpdateState::Requested);
  EXPECT_TRUE(s.Data().empty());
  EXPECT_TRUE(s.Finish(std::string_view("doc\0x", 5)));
  EXPECT_FALSE(s.Finish("again"));
  EXPECT_TRUE(s.MarkHandled());
  EXPECT_FALSE(s.MarkHandled());
  ASSERT_EQ(s.Data().size(), 5u);
  EXPECT_EQ(s.Data()[5], '\0');  // always followed by a NUL
}

TEST(UpdateState, NoDataIsNoData) {
  CUpdateState s;
  ASSERT_TRUE(s.Request());
  ASSERT_TRUE(s.Finish(""));
  EXPECT_EQ(s.State(), UpdateState::Finished);
  EXPECT_FALSE(s.HasData());
}

// The document written on another thread is complete once state 2 is seen
// (run under ThreadSanitizer with the rest of the unit suites).
TEST(UpdateState, DocumentPublishedWithTheState) {
  for (int round = 0; round < 50; ++round) {
    CUpdateState s;
    const std::string doc(4096, char('a' + round % 26));
    std::thread worker([&] {
      while (s.State() != UpdateState::Requested) std::this_thread::yield();
      s.Finish(doc);
    });
    s.Request();
    while (s.State() != UpdateState::Finished) std::this_thread::yield();
    EXPECT_EQ(s.Data(), doc);
    worker.join();
  }
}

}  // namespace
}  // namespace ign
