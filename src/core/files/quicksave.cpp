#include "core/files/quicksave.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace ign {
namespace {

constexpr int kNumberLimit = 100000000;

}  // namespace

int QuicksaveNumber(const std::string& name) {
  const size_t underscore = name.rfind('_');
  if (underscore == std::string::npos) return -1;
  size_t i = underscore + 1;
  while (i < name.size() && name[i] == '0') ++i;
  if (i >= name.size() || name[i] < '0' || name[i] > '9') return -1;
  int n = 0;
  for (; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i)
    n = n < kNumberLimit ? n * 10 + (name[i] - '0') : n;
  return n;
}

std::string NextQuicksaveName(const std::string& current, const std::vector<std::string>& present) {
  namespace fs = std::filesystem;
  const fs::path path(current);
  // Only the file name counts: a "." in a folder name splits nothing.
  const std::string file = path.filename().string();
  const size_t dot = file.rfind('.');
  if (dot == std::string::npos) return {};
  const std::string stem = file.substr(0, dot), ext = file.substr(dot);
  int largest = 0;
  for (const std::string& name : present) {
    if (name.size() < stem.size() + ext.size()) continue;
    if (name.compare(0, stem.size(), stem) != 0) continue;
    if (name.compare(name.size() - ext.size(), ext.size(), ext) != 0) continue;
    const int n = QuicksaveNumber(name);
    if (n > largest) largest = n;
  }
  char number[24];
  std::snprintf(number, sizeof number, "_%03i", largest + 1);
  return (path.parent_path() / (stem + number + ext)).string();
}

std::string NextQuicksaveName(const std::string& current) {
  namespace fs = std::filesystem;
  std::vector<std::string> present;
  fs::path folder = fs::path(current).parent_path();
  if (folder.empty()) folder = ".";
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    present.push_back(it->path().filename().string());
  return NextQuicksaveName(current, present);
}

}  // namespace ign
