// The command language: each command's result line for success and failure,
// the error lines after it, and what the store and the disk hold afterwards.
#include <fcntl.h>
#include <gtest/gtest.h>

#include "archive_support.h"

namespace ign::test {
namespace {

struct Step {
  std::string line;    // "$D" stands for the case's folder
  std::string result;  // what follows the echoed line
};

struct Case {
  const char* name;
  std::vector<Step> steps;
};

std::string Expand(std::string s, const std::string& folder) {
  for (size_t at; (at = s.find("$D")) != std::string::npos;) s.replace(at, 2, folder);
  return s;
}

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"open_missing_host", {{"OPEN $D/none", " (error)\n"}, {"MKDIR a", " (error)\n"}}},
      {"no_store_after_clear",
       {{"CLEAR", " (cleared)\n"}, {"SAVE", " (error)\n"}, {"SET a x", " (error)\n"}}},
      {"mixed_case_words",
       {{"oPeN $D/host", " (opened)\n"},
        {"  mkdir\tDocs  ", " (directory created)\n"},
        {"Set docs\\A.txt x", " (file rewritten)\n"},
        {"cat DOCS\\a.TXT", "x\n (1 bytes shown)\n"}}},
      {"quoted_names_with_blanks",
       {{"OPEN \"$D/host\"", " (opened)\n"},
        {"MKDIR \"My Docs\"", " (directory created)\n"},
        {"SET \"My Docs\\a b.txt\" \"two  words\"", " (file rewritten)\n"},
        {"CAT \"my docs\\A B.TXT\"", "two  words\n (10 bytes shown)\n"},
        {"LIST \"My Docs\"",
         "\\My Docs\\      <dir>             2026-01-02 03:04:05\n"
         "\\My Docs\\a b.txt         10         10  2026-01-02 03:04:05\n (2 entries listed)\n"}}},
      {"names_without_regard_to_case",
       {{"OPEN $D/host", " (opened)\n"},
        {"SET DATA.IGN v", " (file rewritten)\n"},
        {"CAT Data.ign", "v\n (1 bytes shown)\n"},
        {"CAT \\data.ign.", "v\n (1 bytes shown)\n"},
        {"FIND d*.?gn", "\\DATA.IGN\n (1 found)\n"}}},
      {"file_replaces_file_not_folder",
       {{"OPEN $D/host", " (opened)\n"},
        {"SET a x", " (file rewritten)\n"},
        {"SET A yy", " (file rewritten)\n"},
        {"CAT a", "yy\n (2 bytes shown)\n"},
        {"MKDIR d", " (directory created)\n"},
        {"SET D z", " (error)\nERROR - file name used already for directory:D\n"},
        {"MKDIR a", " (error)\nERROR - directory name used already for file:a\n"},
        {"MKDIR D", " (directory created)\n"},
        {"IMPORT $D/tree/a.txt d", " (1 file added)\n"},
        {"IMPORT $D/tree/a.txt d", " (1 file added)\n"},
        {"LIST d",
         "\\d\\      <dir>             2026-01-02 03:04:05\n"
         "\\d\\a.txt          5          5  2020-09-13 12:26:40\n (2 entries listed)\n"},
        {"IMPORT $D/tree/a.txt \"\"", " (1 file added)\n"},
        {"MKDIR x", " (directory created)\n"},
        {"MKDIR x\\a.txt", " (directory created)\n"},
        {"IMPORT $D/tree/a.txt x", " (error)\nERROR - file name used already for directory:a.txt\n"}}},
      {"import_folder_and_export",
       {{"OPEN $D/host", " (opened)\n"},
        {"IMPORT $D\\tree \"\"", " (2 files added)\n"},
        {"EXPORT tree\\sub\\b.txt $D/out", " (1 files extracted)\n"},
        {"EXPORT tree\\sub $D/out", " (error)\n"},
        {"EXPORT tree\\none $D/out", " (error)\n"},
        {"EXPORT tree\\a.txt $D/missing", " (error)\n"},
        {"IMPORT $D/none \"\"", " (error)\nERROR - can't open file:$D/none\n"},
        {"IMPORT $D/tree none", " (error)\n"}}},
      {"set_then_export",
       {{"OPEN $D/host", " (opened)\n"},
        {"SET t.txt hello", " (file rewritten)\n"},
        {"EXPORT \\T.TXT $D/out", " (1 files extracted)\n"}}},
      {"delete_folder",
       {{"OPEN $D/host", " (opened)\n"},
        {"MKDIR a", " (directory created)\n"},
        {"MKDIR a\\b", " (directory created)\n"},
        {"SET a\\b\\c x", " (file rewritten)\n"},
        {"DELETE A", " (1 files deleted)\n"},
        {"CAT a\\b\\c", " (error)\n"},
        {"DELETE a", " (error)\n"},
        {"DELETE \\", " (error)\n"}}},
      {"rename_across_folders",
       {{"OPEN $D/host", " (opened)\n"},
        {"MKDIR a", " (directory created)\n"},
        {"MKDIR b", " (directory created)\n"},
        {"SET a\\f x", " (file rewritten)\n"},
        {"SET b\\g y", " (file rewritten)\n"},
        {"RENAME a\\f b\\G", " (error)\nERROR - name used already:G\n"},
        {"RENAME a\\f b\\h", " (1 file renamed)\n"},
        {"CAT b\\h", "x\n (1 bytes shown)\n"},
        {"CAT a\\f", " (error)\n"},
        {"RENAME b\\h B\\H", " (1 file renamed)\n"},
        {"RENAME a a\\sub", " (error)\n"},
        {"MKDIR a\\s", " (directory created)\n"},
        {"RENAME a a\\s\\a", " (error)\n"},
        {"RENAME b a\\s\\moved", " (1 file renamed)\n"},
        {"FIND *", "\\a\n\\a\\s\n\\a\\s\\moved\n\\a\\s\\moved\\g\n\\a\\s\\moved\\H\n (5 found)\n"}}},
      {"bad_lines",
       {{"OPEN $D/host", " (opened)\n"},
        {"FROB x", " (error)\n"},
        {"SET \"a b x", " (error)\n"},
        {"MKDIR", " (error)\n"},
        {"RENAME a", " (error)\n"},
        {"EXPORT a", " (error)\n"},
        {"IMPORT x", " (error)\n"},
        {"CLEAR now", " (error)\n"},
        {"MKDIR a\\\\b", " (error)\n"},
        {"MKDIR missing\\b", " (error)\n"},
        {"SET \"\" x", " (error)\n"}}},
  };
  return cases;
}

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class Commands : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    WriteBytes(dir_.File("host"), NoiseBytes(1024, 9));
    WriteBytes(dir_.File("tree/a.txt"), "alpha");
    WriteBytes(dir_.File("tree/sub/b.txt"), "beta");
    WriteBytes(dir_.File("tree/.hidden"), "skipped");
    std::filesystem::create_directories(dir_.File("out"));
    const timespec t[2] = {{1600000000, 0}, {1600000000, 0}};
    ::utimensat(AT_FDCWD, dir_.File("tree/a.txt").c_str(), t, 0);
  }
  TempDir dir_;
};

TEST_P(Commands, PrintTheirResults) {
  std::string expected;
  std::vector<std::string> lines;
  for (const Step& s : GetParam().steps) {
    lines.push_back(Expand(s.line, dir_.Path()));
    expected += lines.back() + "\n" + Expand(s.result, dir_.Path());
  }
  CImpet store;
  EXPECT_EQ(RunLines(store, lines), expected);
}

std::string CaseName(const ::testing::TestParamInfo<Case>& i) { return i.param.name; }
INSTANTIATE_TEST_SUITE_P(Table, Commands, ::testing::ValuesIn(Cases()), CaseName);

TEST(ArchiveCommands, ExportedFilesHoldTheBytes) {
  TempDir dir;
  WriteBytes(dir.File("host"), "");
  WriteBytes(dir.File("tree/sub/b.txt"), "beta");
  CImpet store;
  RunLines(store, {"OPEN " + dir.File("host"), "IMPORT " + dir.File("tree") + " \"\"", "SET t.txt hello",
                   "EXPORT tree\\sub\\b.txt " + dir.Path(), "EXPORT t.txt " + dir.Path()});
  EXPECT_EQ(ReadBytes(dir.File("b.txt")), "beta");
  EXPECT_EQ(ReadBytes(dir.File("t.txt")), "hello");
}

TEST(ArchiveCommands, HundredBytesStayPlainHundredAndOneAreCompressed) {
  TempDir dir;
  WriteBytes(dir.File("host"), "");
  WriteBytes(dir.File("in/p100"), std::string(100, 'x'));
  WriteBytes(dir.File("in/p101"), std::string(101, 'x'));
  WriteBytes(dir.File("in/noise"), NoiseBytes(4096));
  CImpet store;
  RunLines(store, {"OPEN " + dir.File("host"), "IMPORT " + dir.File("in") + " \"\""});
  const ImpetEntry* in = store.Root().Child("in");
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->Child("p100")->stored, 0);
  EXPECT_EQ(in->Child("p100")->data, std::string(100, 'x'));
  EXPECT_GT(in->Child("p101")->stored, 0);
  EXPECT_LT(in->Child("p101")->stored, 101);
  EXPECT_EQ(in->Child("noise")->stored, 0);  // would not get smaller
}

TEST(ArchiveCommands, FileOverFiveMibIsRefused) {
  TempDir dir;
  WriteBytes(dir.File("host"), "");
  WriteBytes(dir.File("in/big"), std::string(5242881, 'b'));
  WriteBytes(dir.File("in/max"), std::string(5242880, 'm'));
  CImpet store;
  const std::string out = RunLines(store, {"OPEN " + dir.File("host"), "IMPORT " + dir.File("in") + " \"\"",
                                           "IMPORT " + dir.File("in/big") + " \"\""});
  EXPECT_EQ(out, "OPEN " + dir.File("host") + "\n (opened)\nIMPORT " + dir.File("in") +
                     " \"\"\n (error)\nERROR - file >5M:" + dir.File("in/big") + "\nIMPORT " +
                     dir.File("in/big") + " \"\"\n (error)\nERROR - file >5M:" + dir.File("in/big") + "\n");
  // What could be added stays.
  ASSERT_NE(store.Root().Child("in"), nullptr);
  EXPECT_NE(store.Root().Child("in")->Child("max"), nullptr);
  EXPECT_EQ(store.Root().Child("in")->Child("big"), nullptr);
}

TEST(ArchiveCommands, EmptiedStoreCutsHostBack) {
  for (const std::string& original : {NoiseBytes(1024, 5), std::string()}) {
    TempDir dir;
    const std::string host = dir.File("host");
    WriteBytes(host, original);
    CImpet store;
    RunLines(store, {"OPEN " + host, "SET a x", "SAVE"});
    ASSERT_GT(ReadBytes(host).size(), original.size());
    // A fresh OPEN, as the next run would do, then the last entry goes.
    CImpet next;
    const std::string out = RunLines(next, {"OPEN " + host, "DELETE a", "SAVE"});
    EXPECT_EQ(out, "OPEN " + host +
                       "\n (opened)\nDELETE a\n (1 files deleted)\nSAVE\n (stored 79 bytes - 0 items)\n");
    EXPECT_EQ(ReadBytes(host), original) << original.size();
    EXPECT_EQ(next.Open(host), kImpetNoMarker);
  }
}

TEST(ArchiveCommands, HostWithoutMarkerUnchangedByEmptySave) {
  TempDir dir;
  const std::string host = dir.File("host");
  WriteBytes(host, NoiseBytes(1000, 6));
  CImpet store;
  EXPECT_EQ(RunLines(store, {"OPEN " + host, "SAVE"}),
            "OPEN " + host + "\n (opened)\nSAVE\n (stored 79 bytes - 0 items)\n");
  EXPECT_EQ(ReadBytes(host), NoiseBytes(1000, 6));
}

}  // namespace
}  // namespace ign::test
