// Damaged and hostile input: stores whose records lie, names that try to
// leave the export folder, trees with loops, FIFOs and clashing names, hosts
// that cannot be written. Each gives result 3 or " (error)" and leaves the
// host's bytes as they were.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <functional>

#include "archive_support.h"

namespace ign::test {
namespace {

namespace fs = std::filesystem;

// A valid store at offset 0: root -> "d" -> "f" holding "hello" plain.
// Offsets in the file: marker 0, root 32, d 111, f 190, data 269..274.
constexpr size_t kRoot = 32, kDir = 111, kFile = 190;

std::string ValidStore() {
  TempDir dir;
  WriteBytes(dir.File("h"), "");
  CImpet store;
  RunLines(store, {"OPEN " + dir.File("h"), "MKDIR d", "SET d\\f hello", "SAVE"});
  return ReadBytes(dir.File("h"));
}

void Put32(std::string& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + size_t(i)] = char(v >> (8 * i));
}

// A store of nested directories, each the only child of the one above.
std::string Chain(int levels) {
  std::string s(ImpetMarker().begin(), ImpetMarker().end());
  for (int i = 0; i <= levels; ++i) {
    IMPET_FILE r;
    r.name = i == 0 ? "" : "n";
    r.flags = uint16_t(kImpetDirFlag | (i < levels ? 1 : 0));
    const auto b = EncodeRecord(r);
    s.append(b.begin(), b.end());
  }
  return s;
}

struct Damage {
  const char* name;
  std::function<std::string()> bytes;
  int result;
};

const std::vector<Damage>& Damages() {
  static const std::vector<Damage> d = {
      {"short_record", [] { return ValidStore().substr(0, kFile + 40); }, kImpetDamaged},
      {"short_data", [] { return ValidStore().substr(0, 272); }, kImpetDamaged},
      {"count_beyond_file",
       [] {
         std::string s = ValidStore();
         s[kRoot + 73] = char(0xFF);  // 4095 children
         s[kRoot + 74] = char(0x8F);
         return s;
       },
       kImpetDamaged},
      {"length_beyond_file",
       [] {
         std::string s = ValidStore();
         Put32(s, kFile + 57, 1000);
         return s;
       },
       kImpetDamaged},
      {"negative_stored_length",
       [] {
         std::string s = ValidStore();
         Put32(s, kFile + 61, uint32_t(-5));
         return s;
       },
       kImpetDamaged},
      {"size_over_5mib",
       [] {
         std::string s = ValidStore();
         Put32(s, kFile + 57, 0x500001);
         s += std::string(0x500001, 'z');
         return s;
       },
       kImpetDamaged},
      {"stored_longer_than_size",
       [] {
         std::string s = ValidStore();
         Put32(s, kFile + 61, 6);
         return s + "!";
       },
       kImpetDamaged},
      {"name_without_nul",
       [] {
         std::string s = ValidStore();
         for (size_t i = 0; i < 53; ++i) s[kDir + i] = 'N';
         return s;
       },
       kImpetDamaged},
      {"empty_child_name",
       [] {
         std::string s = ValidStore();
         s[kDir] = '\0';
         return s;
       },
       kImpetDamaged},
      {"reserved_flag_bits",
       [] {
         std::string s = ValidStore();
         s[kFile + 74] = 0x10;
         return s;
       },
       kImpetDamaged},
      {"nesting_64_deep", [] { return Chain(64); }, kImpetLoaded},
      {"nesting_65_deep", [] { return Chain(65); }, kImpetDamaged},
      {"marker_without_root_record",
       [] {
         std::string s = ValidStore();
         s[kRoot] = 'x';  // a name: no root, no store
         return s;
       },
       kImpetNoMarker},
      {"marker_before_file_root",
       [] {
         std::string s = ValidStore();
         s[kRoot + 74] = 0;  // root without the directory flag
         return s;
       },
       kImpetNoMarker},
      {"false_marker_then_store",
       [] {
         std::string s = ValidStore();
         std::string fake = s.substr(0, 32) + std::string(224, 'x');
         // The real store follows at 256; its offsets count from its root.
         return fake + s;
       },
       kImpetLoaded},
  };
  return d;
}

void PrintTo(const Damage& d, std::ostream* os) { *os << d.name; }

class DamagedStore : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedStore, OpensWithTheExpectedResultAndLeavesTheHost) {
  TempDir dir;
  const std::string host = dir.File("host");
  const std::string bytes = GetParam().bytes();
  WriteBytes(host, bytes);
  CImpet store;
  EXPECT_EQ(store.Open(host), GetParam().result);
  if (GetParam().result == kImpetDamaged) {
    EXPECT_FALSE(store.Loaded());
    EXPECT_TRUE(store.Root().children.empty());
    // A damaged store is never written over.
    EXPECT_EQ(RunLines(store, {"SAVE"}), "SAVE\n (error)\n");
  }
  EXPECT_EQ(ReadBytes(host), bytes);
}

std::string DamageName(const ::testing::TestParamInfo<Damage>& i) { return i.param.name; }
INSTANTIATE_TEST_SUITE_P(Table, DamagedStore, ::testing::ValuesIn(Damages()), DamageName);

TEST(ArchiveHostile, ExportOfDataThatDoesNotUncompressWritesNothing) {
  TempDir dir;
  std::string s = ValidStore();
  Put32(s, kFile + 61, 4);  // "hell" as compressed bytes of a 5-byte file
  WriteBytes(dir.File("host"), s);
  fs::create_directories(dir.File("out"));
  CImpet store;
  ASSERT_EQ(store.Open(dir.File("host")), kImpetLoaded);
  EXPECT_EQ(RunLines(store, {"EXPORT d\\f " + dir.File("out"), "CAT d\\f"}),
            "EXPORT d\\f " + dir.File("out") + "\n (error)\nCAT d\\f\n (error)\n");
  EXPECT_TRUE(fs::is_empty(dir.File("out")));
}

// Entries with names that would lead out of the export folder.
TEST(ArchiveHostile, ExportWritesOnlyPlainNamesInsideTheFolder) {
  TempDir dir;
  fs::create_directories(dir.File("a/b/out"));
  WriteBytes(dir.File("host"), "");
  WriteBytes(dir.File("a/b/victim"), "old");
  fs::create_symlink(dir.File("a/b/victim"), dir.File("a/b/out/link"));
  CImpet store;
  ASSERT_EQ(store.Open(dir.File("host")), kImpetNoMarker);
  auto file = [](const std::string& name) {
    ImpetEntry e;
    e.name = name;
    SetFileData(e, "evil");
    return e;
  };
  ImpetEntry up;
  up.name = "..";
  up.dir = true;
  ImpetEntry up2 = up;
  up2.children = {file("x"), file("../../y"), file(dir.File("abs")), file("c\x01"), file("link")};
  up.children = {up2};
  store.Root().children = {up, file(".")};
  const std::string out = dir.File("a/b/out");
  EXPECT_EQ(RunLines(store, {"EXPORT ..\\..\\x " + out}),
            "EXPORT ..\\..\\x " + out + "\n (1 files extracted)\n");
  for (const std::string& name :
       {std::string("../../y"), dir.File("abs"), std::string("c\x01"), std::string("link")})
    EXPECT_EQ(RunLines(store, {"EXPORT ..\\..\\" + name + " " + out}),
              "EXPORT ..\\..\\" + name + " " + out + "\n (error)\n")
        << name;
  EXPECT_EQ(ReadBytes(out + "/x"), "evil");
  EXPECT_EQ(ReadBytes(dir.File("a/b/victim")), "old");
  EXPECT_FALSE(fs::exists(dir.File("a/y")));
  EXPECT_FALSE(fs::exists(dir.File("abs")));
  // The folder holds x and the untouched symlink, nothing else.
  size_t n = 0;
  for (const auto& e : fs::directory_iterator(out))
    n += (e.path().filename() == "x" || e.is_symlink()) ? 1 : 100;
  EXPECT_EQ(n, 2u);
}

TEST(ArchiveHostile, ImportOfLoopFifoAndClashingNames) {
  TempDir dir;
  const std::string t = dir.File("tree");
  WriteBytes(t + "/A.txt", "first");
  WriteBytes(t + "/a.TXT", "second");
  WriteBytes(t + "/sub/ok", "ok");
  WriteBytes(t + "/back\\slash", "b");
  WriteBytes(t + "/\xE6\x97\xA5.txt", "not in Windows-1250");
  fs::create_symlink(t, t + "/sub/loop");
  fs::create_symlink(t + "/sub/ok", t + "/link_to_file");
  ASSERT_EQ(::mkfifo((t + "/fifo").c_str(), 0600), 0);
  WriteBytes(dir.File("host"), "");
  CImpet store;
  const std::string out =
      RunLines(store, {"OPEN " + dir.File("host"), "IMPORT " + t + " \"\"", "IMPORT " + t + "/fifo \"\""});
  EXPECT_EQ(out, "OPEN " + dir.File("host") + "\n (opened)\nIMPORT " + t + " \"\"\n (error)\n" +
                     "ERROR - name used already:" + t + "/a.TXT\n" + "ERROR - name not allowed:" + t +
                     "/back\\slash\n" + "ERROR - can't open file:" + t + "/fifo\n" +
                     "ERROR - can't open file:" + t + "/link_to_file\n" + "ERROR - can't open file:" + t +
                     "/sub/loop\n" + "ERROR - name not allowed:" + t + "/\xE6\x97\xA5.txt\n" + "IMPORT " + t +
                     "/fifo \"\"\n (error)\nERROR - can't open file:" + t + "/fifo\n");
  const std::map<std::string, std::string> expected = {
      {"\\tree", "D"}, {"\\tree\\A.txt", "first"}, {"\\tree\\sub", "D"}, {"\\tree\\sub\\ok", "ok"}};
  EXPECT_EQ(Contents(store), expected);
}

TEST(ArchiveHostile, HostThatCannotBeWrittenStaysAsItWas) {
  TempDir dir;
  const std::string host = dir.File("host");
  const std::string original = NoiseBytes(1000, 2);
  WriteBytes(host, original);
  {  // read-only
    CImpet store;
    ASSERT_EQ(::chmod(host.c_str(), 0444), 0);
    EXPECT_EQ(RunLines(store, {"OPEN " + host, "SET a x", "SAVE"}),
              "OPEN " + host + "\n (opened)\nSET a x\n (file rewritten)\nSAVE\n (error)\n");
    ASSERT_EQ(::chmod(host.c_str(), 0640), 0);
  }
  {  // a full disk: writes beyond 64 KiB fail
    CImpet store;
    RunLines(store, {"OPEN " + host});
    SetFileData(store.Root().children.emplace_back(), NoiseBytes(200000, 8));
    store.Root().children.back().name = "big";
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 65536;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = store.Save(kFixedTime);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
  }
  EXPECT_EQ(ReadBytes(host), original);
  struct stat st {};
  ASSERT_EQ(::stat(host.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);  // the permission bits, not the temporary file's
  // No temporary file stays behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(ArchiveHostile, SaveKeepsPermissionBits) {
  TempDir dir;
  const std::string host = dir.File("host");
  WriteBytes(host, "abc");
  ASSERT_EQ(::chmod(host.c_str(), 0751), 0);
  CImpet store;
  RunLines(store, {"OPEN " + host, "SET a x", "SAVE"});
  struct stat st {};
  ASSERT_EQ(::stat(host.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0751u);
  EXPECT_GT(st.st_size, 256);
}

TEST(ArchiveHostile, OpenOfFifoAndFolderFailsAtOnce) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
  CImpet store;
  EXPECT_EQ(store.Open(dir.File("fifo")), kImpetCannotOpen);
  EXPECT_EQ(store.Open(dir.Path()), kImpetCannotOpen);
}

}  // namespace
}  // namespace ign::test
