// Where the file dialogs start: the documents folder until a folder was used,
// then the kept name while its folder exists.
#include <gtest/gtest.h>

#include <fstream>

#include "core/app/dialog_start.h"
#include "temp_dir.h"

namespace ign::test {
namespace {

struct Case {
  const char* name;
  std::string remembered;  // "$D" stands for an existing folder
  bool keeps;              // the dialog starts at the remembered name, else in documents
};

TEST(DialogStart, DocumentsUntilAFolderWasUsed) {
  TempDir dir;
  std::ofstream(dir.File("kept.ign")) << "x";
  const std::string docs = "/home/user/Documents";
  const Case cases[] = {
      {"nothing used yet", "", false},
      {"a file in an existing folder", dir.File("kept.ign"), true},
      {"a file that has gone from an existing folder", dir.File("gone.ign"), true},
      {"the folder alone", dir.Path() + "/", true},
      {"a folder that has gone", dir.File("gone/") + "a.ign", false},
      {"a name without a folder", "data.ign", false},
      {"an old Windows path", "C:\\Settings\\bike.ign", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DialogStartPath(c.remembered, docs), c.keeps ? c.remembered : docs) << c.name;
  }
}

TEST(DialogStart, FolderOfARememberedName) {
  EXPECT_EQ(DialogFolderOf("/a/b/c.ign"), "/a/b/");
  EXPECT_EQ(DialogFolderOf("/a/b/"), "/a/b/");
  EXPECT_EQ(DialogFolderOf("c.ign"), "");
  EXPECT_EQ(DialogFolderOf(""), "");
}

}  // namespace
}  // namespace ign::test
