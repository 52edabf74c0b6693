#pragma once
// The inputs kept for a fuzz target: its seed corpus and what fuzzing found
// (fuzz/corpus/<target>, fuzz/regressions/<target>), in name order.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace ign::test {

inline std::vector<std::pair<std::string, std::vector<uint8_t>>> KeptInputs(const std::string& target) {
  namespace fs = std::filesystem;
  std::vector<std::pair<std::string, std::vector<uint8_t>>> out;
  for (const char* folder : {"fuzz/corpus/", "fuzz/regressions/"}) {
    const fs::path dir = fs::path(IGN_SOURCE_DIR) / (folder + target);
    if (!fs::is_directory(dir)) continue;
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(dir)) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& p : files) {
      std::ifstream f(p, std::ios::binary);
      out.emplace_back(p.string(), std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {}));
    }
  }
  return out;
}

}  // namespace ign::test
