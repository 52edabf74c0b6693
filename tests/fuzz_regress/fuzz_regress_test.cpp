// Every kept fuzz input runs through its target again. A target checks its own
// invariants and aborts on a violation, so a regression ends this test with a crash.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/targets/fuzz_targets.h"

namespace ign::fuzz {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadAll(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

// Files of one folder, sorted so that a failure names the same input every time.
std::vector<fs::path> Inputs(const std::string& folder) {
  std::vector<fs::path> out;
  const fs::path dir = fs::path(IGN_SOURCE_DIR) / folder;
  if (!fs::is_directory(dir)) return out;
  for (const auto& e : fs::directory_iterator(dir))
    if (e.is_regular_file()) out.push_back(e.path());
  std::sort(out.begin(), out.end());
  return out;
}

class FuzzReplay : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzReplay, KeptInputsRunCleanly) {
  const Target t = GetParam();
  int replayed = 0;
  for (const char* kind : {"fuzz/regressions/", "fuzz/corpus/"}) {
    for (const fs::path& p : Inputs(std::string(kind) + t.name)) {
      SCOPED_TRACE(p.string());
      const std::vector<uint8_t> data = ReadAll(p);
      EXPECT_EQ(t.fn(data.data(), data.size()), 0);
      ++replayed;
    }
  }
  // The seed corpus is part of the repository; an empty folder means a lost corpus.
  EXPECT_GT(replayed, 0) << "no inputs for " << t.name;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(Targets()),
                         [](const ::testing::TestParamInfo<Target>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace ign::fuzz
