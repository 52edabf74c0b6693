#include "core/app/recent_files.h"

#include <gtest/gtest.h>

namespace ign {
namespace {

using Names = std::vector<std::string>;

TEST(RecentFiles, EleventhDistinctFileDropsTheOldest) {
  CRecentFiles r;
  for (int i = 0; i < 11; ++i) r.Add("f" + std::to_string(i));
  ASSERT_EQ(r.Count(), 10);
  EXPECT_EQ(r.Entry(0), "f10");
  EXPECT_EQ(r.Entry(9), "f1");  // f0 fell off
}

TEST(RecentFiles, KnownNameMovesToTheFrontWithoutDuplicates) {
  CRecentFiles r;
  r.Assign({"a", "b", "c", "d"});
  r.Add("c");
  EXPECT_EQ(r.Entries(), (Names{"c", "a", "b", "d"}));
  r.Add("d");
  EXPECT_EQ(r.Entries(), (Names{"d", "c", "a", "b"}));
}

TEST(RecentFiles, EmptyEntryRules) {
  CRecentFiles r;
  r.Assign({"a", "b"});
  r.Add("");  // File New
  EXPECT_EQ(r.Entries(), (Names{"", "a", "b"}));
  r.Add("");  // a second New keeps one empty entry
  EXPECT_EQ(r.Entries(), (Names{"", "a", "b"}));
  r.Add("c");  // the next real file removes it
  EXPECT_EQ(r.Entries(), (Names{"c", "a", "b"}));
  // A full list with an empty entry: the new file takes the empty one's place.
  CRecentFiles full;
  full.Assign({"", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
  full.Add("x");
  EXPECT_EQ(full.Entries(), (Names{"x", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
}

TEST(RecentFiles, RemoveTakesTheFirstEqualEntry) {
  CRecentFiles r;
  r.Assign({"a", "b", "c"});
  r.Remove("b");
  EXPECT_EQ(r.Entries(), (Names{"a", "c"}));
  r.Remove("zz");
  EXPECT_EQ(r.Entries(), (Names{"a", "c"}));
}

TEST(RecentFiles, MenuItemsShowEntriesOneToNine) {
  CRecentFiles r;
  r.Assign({"cur"});
  EXPECT_FALSE(r.ItemVisible(1));
  EXPECT_FALSE(r.SeparatorVisible());
  r.Assign({"cur", "x", "y"});
  EXPECT_TRUE(r.ItemVisible(2));
  EXPECT_FALSE(r.ItemVisible(3));
  EXPECT_FALSE(r.ItemVisible(0));
  EXPECT_TRUE(r.SeparatorVisible());
}

TEST(RecentFiles, CaptionDropsFolderAndExtension) {
  struct Case {
    int index;
    const char* name;
    const char* caption;
  } cases[] = {
      {1, "/home/a/my.bike.ign", "1 my.bike"},
      {2, "C:\\Ign\\Yamaha.IGN", "2 Yamaha"},
      {3, "/dir.d/noext", "3 noext"},
      {9, "", "9 "},
  };
  for (const Case& c : cases) EXPECT_EQ(CRecentFiles::Caption(c.index, c.name), c.caption);
}

}  // namespace
}  // namespace ign
