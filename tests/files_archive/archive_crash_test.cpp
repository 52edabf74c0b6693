// ignctl archive saving a large store, killed with SIGKILL at several
// moments of the save: the host always opens with 0 and holds the old or the
// new tree, never a mixture, never nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "archive_support.h"
#include "child_process.h"

namespace ign::test {
namespace {

namespace fs = std::filesystem;

// The size of the temporary file beside host, 0 while there is none.
uint64_t TempSize(const std::string& dir) {
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    std::error_code ec;
    if (name.rfind("host.", 0) == 0) return e.file_size(ec);
  }
  return 0;
}

void RemoveTemps(const std::string& dir) {
  for (const auto& e : fs::directory_iterator(dir))
    if (e.path().filename().string().rfind("host.", 0) == 0) fs::remove(e.path());
}

TEST(ArchiveCrash, KilledSaveLeavesOldOrNewStore) {
  TempDir dir;
  const std::string host = dir.File("host");
  WriteBytes(host, NoiseBytes(65536, 11));
  {
    CImpet store;
    RunLines(store, {"OPEN " + host, "SET old.txt \"the old tree\"", "SAVE"});
  }
  const std::string oldHost = ReadBytes(host);
  constexpr int kFiles = 6;
  for (int i = 0; i < kFiles; ++i)
    WriteBytes(dir.File("big/f" + std::to_string(i)), NoiseBytes(0x500000, 20 + i));
  WriteBytes(dir.File("script"), "OPEN " + host + "\nIMPORT " + dir.File("big") + " \"\"\nSAVE\n");

  std::map<std::string, std::string> oldTree, newTree;
  {
    CImpet store;
    ASSERT_EQ(store.Open(host), kImpetLoaded);
    oldTree = Contents(store);
    RunLines(store, {"IMPORT " + dir.File("big") + " \"\""});
    newTree = Contents(store);
  }
  ASSERT_EQ(newTree.size(), oldTree.size() + 1 + kFiles);
  const uint64_t full = uint64_t(kFiles) * 0x500000;

  // Moments: as SAVE starts; with a quarter, half and all of the data in the
  // temporary file; after the program ended.
  const std::vector<uint64_t> thresholds = {0, full / 4, full / 2, full, UINT64_MAX};
  int sawOld = 0, sawNew = 0;
  for (uint64_t threshold : thresholds) {
    SCOPED_TRACE("threshold " + std::to_string(threshold));
    WriteBytes(host, oldHost);
    RemoveTemps(dir.Path());
    ChildProcess p;
    ASSERT_TRUE(p.Start({IGN_BINARY_DIR "/src/cli/ignctl", "archive", dir.File("script")}));
    ASSERT_TRUE(p.WaitForOutput("SAVE\n", 120)) << p.Output();
    if (threshold != UINT64_MAX) {
      // Ends early when the program finished before the temporary file grew that far.
      p.WaitFor([&] { return threshold == 0 || TempSize(dir.Path()) >= threshold; }, 120);
      const uint64_t landed = TempSize(dir.Path());
      p.Signal(SIGKILL);
      std::printf("killed with %llu bytes in the temporary file\n", (unsigned long long)landed);
    }
    p.Wait(120);

    CImpet after;
    ASSERT_EQ(after.Open(host), kImpetLoaded);
    const auto tree = Contents(after);
    EXPECT_TRUE(tree == oldTree || tree == newTree);
    sawOld += tree == oldTree;
    sawNew += tree == newTree;
  }
  EXPECT_GE(sawNew, 1);  // the run that was not killed saved the new tree
  RemoveTemps(dir.Path());
}

}  // namespace
}  // namespace ign::test
