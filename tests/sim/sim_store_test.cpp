// The unit's settings block on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "sim/default_image.h"
#include "sim/settings_store.h"
#include "sim/sim_options.h"
#include "tests/support/sim_process.h"

namespace ign::test {
namespace {

namespace fs = std::filesystem;

class SimStore : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = MakeTempDir(); }
  void TearDown() override { fs::remove_all(dir_); }
  std::string dir_;
};

TEST_F(SimStore, MissingFileIsCreatedWithTheDefaultsAndKeepsWrites) {
  const std::string path = dir_ + "/unit.img";
  std::string err;
  {
    auto s = sim::SettingsStore::Open(path, &err);
    ASSERT_TRUE(s) << err;
    EXPECT_EQ(s->image(), sim::DefaultImage());
    ASSERT_EQ(fs::file_size(path), 1050u);
    const std::uint8_t data[4] = {1, 2, 3, 4};
    EXPECT_TRUE(s->Write(1048, data, 4)) << "bytes past the block are left out";
  }
  auto again = sim::SettingsStore::Open(path, &err);
  ASSERT_TRUE(again) << err;
  EXPECT_EQ(again->image()[1048], 1);
  EXPECT_EQ(again->image()[1049], 2);
  EXPECT_EQ(fs::file_size(path), 1050u);
  EXPECT_FALSE(fs::exists(path + ".tmp"));
}

TEST_F(SimStore, FileOfAnotherSizeIsRefusedAndLeftAlone) {
  for (std::size_t size : {0u, 1049u, 1051u}) {
    const std::string path = dir_ + "/bad" + std::to_string(size);
    std::ofstream(path, std::ios::binary) << std::string(size, 'x');
    std::string err;
    EXPECT_FALSE(sim::SettingsStore::Open(path, &err)) << size;
    EXPECT_NE(err.find(path), std::string::npos);
    EXPECT_EQ(fs::file_size(path), size);
  }
}

TEST_F(SimStore, UnwritableFolderFailsCleanly) {
  std::string err;
  EXPECT_FALSE(sim::SettingsStore::Open(dir_ + "/missing/folder/unit.img", &err));
  EXPECT_FALSE(err.empty());
}

TEST(SimOptionsParse, DefaultsAndErrors) {
  std::string err;
  auto o = sim::ParseOptions({"--port-dir", "/tmp/x", "--com", "3", "--family", "IGN300"}, &err);
  ASSERT_TRUE(o) << err;
  EXPECT_EQ(o->baud, 115200) << "IGN300 is searched at 115200";
  o = sim::ParseOptions({"--port-dir", "/tmp/x", "--com", "3", "--family", "WCOMS"}, &err);
  ASSERT_TRUE(o);
  EXPECT_EQ(o->baud, 57600);
  for (const std::vector<std::string>& bad : {std::vector<std::string>{"--com", "3"},
                                              {"--port-dir", "/x"},
                                              {"--port-dir", "/x", "--com", "256"},
                                              {"--port-dir", "/x", "--com", "1", "--family", "IGN99"},
                                              {"--port-dir", "/x", "--com", "1", "--key"},
                                              {"--port-dir", "/x", "--com", "1", "--drop-every", "0"},
                                              {"--port-dir", "/x", "--com", "1x"},
                                              {"--port-dir", "/x", "--com", "1", "--bogus"}}) {
    EXPECT_FALSE(sim::ParseOptions(bad, &err)) << bad.back();
  }
}

}  // namespace
}  // namespace ign::test
