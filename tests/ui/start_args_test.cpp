#include "ui/app/start_args.h"

#include <gtest/gtest.h>

namespace ign {
namespace {

TEST(StartArguments, OnlyTheFirstArgumentCountsAndCaseMatters) {
  struct Case {
    std::vector<std::string> args;
    int language;
    bool noPatchCheck;
  } cases[] = {
      {{"ignset"}, -1, false},
      {{"ignset", "ENGLISH"}, 0, false},
      {{"ignset", "DEUTSCH"}, 1, false},
      {{"ignset", "CESKY"}, 2, false},
      {{"ignset", "english"}, -1, false},
      {{"ignset", "nopatchcheck"}, -1, true},
      {{"ignset", "ENGLISH", "nopatchcheck"}, 0, false},
      {{"ignset", "NOPATCHCHECK", "CESKY"}, -1, false},
  };
  for (const Case& c : cases) {
    StartOptions o = ParseStartArguments(c.args);
    EXPECT_EQ(o.language, c.language) << c.args.back();
    EXPECT_EQ(o.noPatchCheck, c.noPatchCheck) << c.args.back();
  }
}

TEST(StartArguments, BuildDateRewrite) {
  EXPECT_EQ(RewriteBuildDate("Oct 19 2023"), "2023_10_19");
  EXPECT_EQ(RewriteBuildDate("Jan  3 2025"), "2025_01_03");
  EXPECT_EQ(RewriteBuildDate("Xyz 3 2025"), "2025_00_03");
  EXPECT_EQ(RewriteBuildDate(nullptr), "0_00_00");
}

TEST(DroppedFiles, FirstSettingsFileWins) {
  using V = std::vector<std::string>;
  EXPECT_EQ(FirstSettingsFile(V{"/a/A.TXT", "/a/B.IGN", "/a/c.ign"}), "/a/B.IGN");
  EXPECT_EQ(FirstSettingsFile(V{"ign", "x.iGn"}), "x.iGn");  // three characters are too short
  EXPECT_EQ(FirstSettingsFile(V{"a.ignx", "b.ig", "ign"}), std::nullopt);
  EXPECT_EQ(FirstSettingsFile(V{}), std::nullopt);
}

}  // namespace
}  // namespace ign
