// The kept inputs of the clipboard fuzz target (its seed corpus and what
// fuzzing found) run through the target's body again; a violated check
// aborts, which ends this test with a crash.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace ign::fuzz {
int ClipboardText(const uint8_t* data, size_t size);
}

namespace {

namespace fs = std::filesystem;

TEST(ClipboardFuzzReplay, KeptInputsRunCleanly) {
  int replayed = 0;
  for (const char* folder : {"fuzz/regressions/clipboard", "fuzz/corpus/clipboard"}) {
    const fs::path dir = fs::path(IGN_SOURCE_DIR) / folder;
    if (!fs::is_directory(dir)) continue;
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(dir))
      if (e.is_regular_file()) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& p : files) {
      SCOPED_TRACE(p.string());
      std::ifstream f(p, std::ios::binary);
      const std::vector<uint8_t> data{std::istreambuf_iterator<char>(f), {}};
      EXPECT_EQ(ign::fuzz::ClipboardText(data.data(), data.size()), 0);
      ++replayed;
    }
  }
  EXPECT_GT(replayed, 0) << "the clipboard seed corpus is missing";
}

TEST(ClipboardFuzzReplay, HostileContentKeepsTheChecks) {
  // A megabyte of mixed bytes for every reader and selection.
  std::vector<uint8_t> data(1 << 20);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>((i * 7919u) ^ (i >> 3));
  for (int mode = 0; mode < 256; mode += 17) {
    data[0] = static_cast<uint8_t>(mode);
    EXPECT_EQ(ign::fuzz::ClipboardText(data.data(), data.size()), 0);
  }
}

}  // namespace
