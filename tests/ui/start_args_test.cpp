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

TEST(StartArguments, TheFileIsTheFirstArgumentThatIsNoWordInFirstPlaceNorAnOption) {
  struct Case {
    std::vector<std::string> args;
    std::string file;
    int language;
    bool help;
  } cases[] = {
      {{"ignset", "bike.ign"}, "bike.ign", -1, false},
      {{"ignset", "ENGLISH", "/a/bike.ign", "/a/other.ign"}, "/a/bike.ign", 0, false},
      {{"ignset", "nopatchcheck", "ride.ignlog"}, "ride.ignlog", -1, false},
      {{"ignset", "bike.ign", "CESKY"}, "bike.ign", -1, false},  // a word counts only first
      {{"ignset", "ENGLISH", "nopatchcheck"}, "", 0, false},     // and is never a file
      {{"ignset", "-platform", "offscreen", "b.ign"}, "b.ign", -1, false},
      {{"ignset", "--style=fusion", "b.ign"}, "b.ign", -1, false},
      {{"ignset", "--help"}, "", -1, true},
      {{"ignset", "DEUTSCH", "-h"}, "", 1, true},
      {{"ignset", ""}, "", -1, false},
  };
  for (const Case& c : cases) {
    const StartOptions o = ParseStartArguments(c.args);
    EXPECT_EQ(o.file, c.file) << c.args.back();
    EXPECT_EQ(o.language, c.language) << c.args.back();
    EXPECT_EQ(o.help, c.help) << c.args.back();
  }
  EXPECT_TRUE(IsRecordingName("/a/ride.IgnLog"));
  EXPECT_FALSE(IsRecordingName("/a/ride.ign"));
  EXPECT_FALSE(IsRecordingName("ignlog"));
  EXPECT_NE(
      StartUsage("/usr/share/ignset/user-guide.html").find("User guide: /usr/share/ignset/user-guide.html\n"),
      std::string::npos);
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
