// The start-up import of ../IMPET/NEW_<version> into an empty store: silent
// when the folder is absent, reported when it is there but cannot be read.
#include <gtest/gtest.h>
#include <unistd.h>

#include "archive_support.h"
#include "core/files/impet_startup.h"

namespace ign::test {
namespace {

namespace fs = std::filesystem;

// Runs the start-up from dir/run, with dir/IMPET as the import folder's parent.
class StartupFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_.File("run"));
    WriteBytes(dir_.File("run/host"), "host program");
    previous_ = fs::current_path();
    fs::current_path(dir_.File("run"));
  }
  void TearDown() override { fs::current_path(previous_); }
  std::string Start() {
    std::ostringstream out;
    CImpet store;
    EXPECT_EQ(StartArchiveStore(store, dir_.File("run/host"), out), kImpetNoMarker);
    imported_ = store.Root().children.size();
    return out.str();
  }
  TempDir dir_;
  fs::path previous_;
  size_t imported_ = 0;
};

TEST_F(StartupFolder, AbsentFolderSaysNothing) {
  EXPECT_EQ(Start(), "");
  EXPECT_EQ(imported_, 0u);
  fs::create_directories(dir_.File("IMPET"));  // the parent alone
  EXPECT_EQ(Start(), "");
  WriteBytes(dir_.File("IMPET/NEW_108x"), "x");  // a near name does not count
  EXPECT_EQ(Start(), "");
}

TEST_F(StartupFolder, PresentFolderIsImportedAndSaysSo) {
  WriteBytes(dir_.File("IMPET/NEW_108/data.ign"), "settings");
  EXPECT_EQ(Start(), "IMPORT ..\\IMPET\\NEW_108 \"\"\n (1 files added)\n");
  EXPECT_EQ(imported_, 1u);
}

// A folder that is there but cannot be read (here a link that loops) is
// still worth a report.
TEST_F(StartupFolder, UnreadableFolderIsReported) {
  fs::create_directories(dir_.File("IMPET"));
  fs::create_symlink("NEW_108", dir_.File("IMPET/NEW_108"));
  const std::string out = Start();
  EXPECT_EQ(out.rfind("IMPORT ..\\IMPET\\NEW_108 \"\"\n (error)\n", 0), 0u) << out;
  EXPECT_EQ(imported_, 0u);
}

}  // namespace
}  // namespace ign::test
