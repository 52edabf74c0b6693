// The kept fuzz inputs of the archive store (seeds and what fuzzing found)
// run through the fuzz bodies again; a body aborts on an inconsistency.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/targets/fuzz_archive.h"

namespace ign::fuzz {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Inputs(const std::string& target) {
  std::vector<fs::path> out;
  for (const char* kind : {"fuzz/regressions/", "fuzz/corpus/"}) {
    const fs::path dir = fs::path(IGN_SOURCE_DIR) / (kind + target);
    if (!fs::is_directory(dir)) continue;
    for (const auto& e : fs::directory_iterator(dir))
      if (e.is_regular_file()) out.push_back(e.path());
  }
  std::sort(out.begin(), out.end());
  return out;
}

void Replay(const std::string& target, int (*body)(const uint8_t*, size_t)) {
  const std::vector<fs::path> inputs = Inputs(target);
  ASSERT_FALSE(inputs.empty()) << "no kept inputs for " << target;
  for (const fs::path& p : inputs) {
    SCOPED_TRACE(p.string());
    std::ifstream f(p, std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(f)), {});
    EXPECT_EQ(body(reinterpret_cast<const uint8_t*>(data.data()), data.size()), 0);
  }
}

TEST(ArchiveFuzzReplay, OpenInputs) { Replay("archive_open", ArchiveOpen); }
TEST(ArchiveFuzzReplay, CommandInputs) { Replay("archive_commands", ArchiveCommands); }

}  // namespace
}  // namespace ign::fuzz
