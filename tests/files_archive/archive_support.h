#pragma once
// Helpers of the archive store suites: a private folder, whole-file reads
// and writes, a shell with a fixed clock, and a listing of a tree's contents.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/files/impet_shell.h"
#include "tests/app/temp_dir.h"

namespace ign::test {

// 2026-01-02 03:04:05 UTC as FILETIME.
constexpr uint64_t kFixedTime = 134117966450000000ull;

inline std::string ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), std::streamsize(bytes.size()));
}

// Bytes that do not compress: a fixed pseudo-random sequence.
inline std::string NoiseBytes(size_t n, uint32_t seed = 1) {
  std::string s(n, '\0');
  uint32_t x = seed * 2654435761u + 1;
  for (char& c : s) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = char(x >> 24);
  }
  return s;
}

// Runs lines through one shell; returns everything it printed.
inline std::string RunLines(CImpet& store, const std::vector<std::string>& lines, uint64_t now = kFixedTime) {
  std::ostringstream out;
  CImpetShell shell(store, out, [now] { return now; });
  for (const std::string& l : lines) shell.Run(l);
  return out.str();
}

// Archive path -> "D" for a directory, or the file's uncompressed bytes.
inline void Contents(const ImpetEntry& dir, const std::string& prefix,
                     std::map<std::string, std::string>& out) {
  for (const ImpetEntry& c : dir.children) {
    const std::string path = prefix + "\\" + c.name;
    std::string bytes;
    if (c.dir) {
      out[path] = "D";
      Contents(c, path, out);
    } else {
      out[path] = ExtractData(c, bytes) ? bytes : "<damaged>";
    }
  }
}

inline std::map<std::string, std::string> Contents(const CImpet& store) {
  std::map<std::string, std::string> out;
  Contents(store.Root(), "", out);
  return out;
}

inline timespec MTime(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mtim;
}

}  // namespace ign::test
