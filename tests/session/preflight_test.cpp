#include "core/session/preflight.h"

#include <gtest/gtest.h>

#include "core/text/messages.h"

namespace ign {
namespace {

struct Case {
  const char* name;
  ProgramFacts facts;
  Verdict verdict;
  int message;  // the reason's message number; 0 none; -1 the playback's reason
};

TEST(Preflight, ProgramVerdicts) {
  FillMessages();
  const Case cases[] = {
      {"same bike", {false, 4, 4}, Verdict::Go, 0},
      {"no bike reported yet", {false, -1, 4}, Verdict::Go, 0},
      {"another bike", {false, 3, 4}, Verdict::Confirm, 63},
      {"bike 0 against another", {false, 0, 4}, Verdict::Confirm, 63},
      {"new installation", {true, 4, 4}, Verdict::Refuse, 62},
      {"new installation wins over another bike", {true, 3, 4}, Verdict::Refuse, 62},
      {"a recording plays", {false, 4, 4, true}, Verdict::Refuse, -1},
      {"a recording plays, another bike", {false, 3, 4, true}, Verdict::Refuse, -1},
  };
  for (const Case& c : cases) {
    const Preflight p = CheckProgram(c.facts);
    EXPECT_EQ(p.verdict, c.verdict) << c.name;
    const std::string expected = c.message > 0 ? Msg(c.message) : "";
    if (c.message < 0) {
      EXPECT_NE(p.reason.find("played back"), std::string::npos) << c.name;
    } else {
      EXPECT_EQ(p.reason, expected) << c.name;
    }
    EXPECT_EQ(p.title.empty(), c.message == 0) << c.name;
  }
}

}  // namespace
}  // namespace ign
