// The kept inputs of the recording fuzz target run through its body again,
// and the seed recordings are valid files in the spread form.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/targets/fuzz_recording.h"

namespace ign::fuzz {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadAll(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

TEST(RecordingCorpus, KeptInputsRunCleanly) {
  int replayed = 0;
  for (const char* folder : {"fuzz/corpus/recording", "fuzz/regressions/recording"}) {
    const fs::path dir = fs::path(IGN_SOURCE_DIR) / folder;
    if (!fs::is_directory(dir)) continue;
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(dir)) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& p : files) {
      SCOPED_TRACE(p.string());
      const std::vector<uint8_t> data = ReadAll(p);
      EXPECT_EQ(RecordingReader(data.data(), data.size()), 0);
      ++replayed;
    }
  }
  EXPECT_GE(replayed, 5);
}

}  // namespace
}  // namespace ign::fuzz
