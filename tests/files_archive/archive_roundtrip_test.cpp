// SAVE, a fresh OPEN and EXPORT of every file give back the same bytes and
// times, for trees of several shapes behind hosts of several sizes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>

#include "archive_support.h"

namespace ign::test {
namespace {

namespace fs = std::filesystem;

struct DiskFile {
  std::string path;  // below the tree folder
  std::string bytes;
};

struct Tree {
  const char* name;
  std::vector<DiskFile> files;
};

std::vector<Tree> Trees() {
  std::vector<Tree> t;
  t.push_back({"nested",
               {{"empty.txt", ""},
                {"a/one.txt", "x"},
                {"a/b/hundred.txt", std::string(100, 'h')},
                {"a/b/c/hundred1.txt", std::string(101, 'k')},
                {"a/b/c/noise.bin", NoiseBytes(4096)}}});
  t.push_back({"five_mib", {{"big.bin", NoiseBytes(0x500000, 7)}}});
  Tree wide{"wide", {}};
  for (int i = 0; i < 21; ++i)
    wide.files.push_back({"f" + std::to_string(100 + i) + ".txt", std::string(i * 10, 'w')});
  t.push_back(wide);
  return t;
}

struct Host {
  const char* name;
  std::string bytes;
};

std::vector<Host> Hosts() {
  std::string program = ReadBytes(IGN_BINARY_DIR "/src/ui/ignset");
  if (program.empty()) program = ReadBytes(IGN_BINARY_DIR "/src/cli/ignctl");
  return {
      {"empty", ""}, {"h1000", NoiseBytes(1000, 3)}, {"h1024", NoiseBytes(1024, 4)}, {"program", program}};
}

uint32_t Get32(const std::string& s, size_t at) {
  uint32_t v = 0;
  std::memcpy(&v, s.data() + at, 4);  // little-endian host
  return v;
}

class RoundTrip : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(RoundTrip, SaveOpenExportGivesBackBytesAndTimes) {
  const Tree tree = Trees()[size_t(std::get<0>(GetParam()))];
  const Host host = Hosts()[size_t(std::get<1>(GetParam()))];
  ASSERT_FALSE(host.name == std::string("program") && host.bytes.empty()) << "no built program";
  TempDir dir;
  const std::string src = dir.File(tree.name);
  int k = 0;
  for (const DiskFile& f : tree.files) {
    WriteBytes(src + "/" + f.path, f.bytes);
    // Times with 100 ns steps, different per file.
    const timespec t[2] = {{1700000000 + k, 123456700}, {1700000000 + k, 123456700}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (src + "/" + f.path).c_str(), t, 0), 0);
    ++k;
  }
  const std::string hostPath = dir.File("host.bin");
  WriteBytes(hostPath, host.bytes);

  CImpet store;
  const std::string out = RunLines(store, {"OPEN " + hostPath, "IMPORT " + src + " \"\"", "SAVE"});
  ASSERT_NE(out.find(" (" + std::to_string(tree.files.size()) + " files added)"), std::string::npos) << out;
  ASSERT_NE(out.find(" (stored "), std::string::npos) << out;

  // The host's own bytes, zeros up to the next multiple of 256, the marker.
  const std::string saved = ReadBytes(hostPath);
  const size_t h = (host.bytes.size() + 255) / 256 * 256;
  ASSERT_GT(saved.size(), h + 32 + 79);
  EXPECT_EQ(saved.compare(0, host.bytes.size(), host.bytes), 0);
  EXPECT_EQ(saved.substr(host.bytes.size(), h - host.bytes.size()), std::string(h - host.bytes.size(), '\0'));
  EXPECT_EQ(saved.compare(h, 16, "##IMPET_HEADER##"), 0);

  CImpet again;
  ASSERT_EQ(again.Open(hostPath), kImpetLoaded);
  EXPECT_EQ(again.HostOffset(), h);
  const ImpetEntry* top = again.Root().Child(tree.name);
  ASSERT_NE(top, nullptr);
  const std::string outDir = dir.File("out");
  fs::create_directories(outDir);
  std::ostringstream log;
  CImpetShell shell(again, log);
  for (const DiskFile& f : tree.files) {
    std::string arch = std::string("\\") + tree.name + "\\" + f.path;
    for (char& c : arch)
      if (c == '/') c = '\\';
    ASSERT_TRUE(shell.Run("EXPORT " + arch + " " + outDir)) << log.str();
    const std::string name = fs::path(f.path).filename().string();
    EXPECT_EQ(ReadBytes(outDir + "/" + name), f.bytes) << f.path;
    const timespec a = MTime(outDir + "/" + name), b = MTime(src + "/" + f.path);
    EXPECT_EQ(a.tv_sec, b.tv_sec) << f.path;
    EXPECT_EQ(a.tv_nsec, b.tv_nsec) << f.path;
  }

  if (std::string(tree.name) == "wide") {
    // The folder's record (the root's only child) and its 21 records.
    const size_t root = h + 32;
    const size_t folderRecord = root + 79;
    EXPECT_EQ(Get32(saved, folderRecord + 57), 3160u);  // capacity: 2 x 1580
    const uint32_t records = Get32(saved, folderRecord + 53);
    const uint32_t firstContent = Get32(saved, root + records + 53);
    EXPECT_EQ(firstContent - records, 21u * 79u);
  }
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<int, int>>& i) {
  static const char* trees[] = {"nested", "five_mib", "wide"};
  static const char* hosts[] = {"empty", "h1000", "h1024", "program"};
  return std::string(trees[std::get<0>(i.param)]) + "_" + hosts[std::get<1>(i.param)];
}

INSTANTIATE_TEST_SUITE_P(TreesAndHosts, RoundTrip,
                         ::testing::Combine(::testing::Range(0, 3), ::testing::Range(0, 4)), CaseName);

}  // namespace
}  // namespace ign::test
