// ignctl archive: command lines from a script or standard input, the store's
// lines on standard output, and the exit code.
#include <gtest/gtest.h>

#include "archive_support.h"
#include "child_process.h"

namespace ign::test {
namespace {

const std::string kIgnctl = IGN_BINARY_DIR "/src/cli/ignctl";

struct CliRun {
  int code;
  std::string out;
};

CliRun Ignctl(const std::vector<std::string>& args) {
  ChildProcess p;
  std::vector<std::string> argv = {kIgnctl};
  argv.insert(argv.end(), args.begin(), args.end());
  EXPECT_TRUE(p.Start(argv));
  const int code = p.Wait(60);
  return {code, p.Output()};
}

TEST(ArchiveCli, ScriptRunsAndExitCodeTellsAboutErrors) {
  TempDir dir;
  WriteBytes(dir.File("host"), "abc");
  WriteBytes(dir.File("ok"), "OPEN " + dir.File("host") + "\r\n\nMKDIR a\nSET a\\b \"x y\"\nSAVE\n");
  CliRun r = Ignctl({"archive", dir.File("ok")});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "OPEN " + dir.File("host") +
                       "\n (opened)\nMKDIR a\n (directory created)\nSET a\\b \"x y\"\n" +
                       " (file rewritten)\nSAVE\n (stored 240 bytes - 2 items)\n");
  CImpet store;
  ASSERT_EQ(store.Open(dir.File("host")), kImpetLoaded);

  // One failing line among good ones: all run, the exit code is 1.
  WriteBytes(dir.File("bad"), "OPEN " + dir.File("host") + "\nCAT a\\missing\nCAT a\\b\n");
  r = Ignctl({"archive", dir.File("bad")});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out, "OPEN " + dir.File("host") +
                       "\n (opened)\nCAT a\\missing\n (error)\nCAT a\\b\nx y\n (3 bytes shown)\n");
}

TEST(ArchiveCli, StandardInputWhenNoScript) {
  TempDir dir;
  WriteBytes(dir.File("host"), "");
  ChildProcess p;
  ASSERT_TRUE(
      p.Start({"/bin/sh", "-c", "printf 'OPEN host\\nLIST\\n' | " + kIgnctl + " archive"}, {}, dir.Path()));
  EXPECT_EQ(p.Wait(60), 0);
  EXPECT_EQ(p.Output(), "OPEN host\n (opened)\nLIST\n (0 entries listed)\n");
}

TEST(ArchiveCli, UsageErrors) {
  TempDir dir;
  EXPECT_EQ(Ignctl({"archive", dir.File("a"), dir.File("b")}).code, 2);
  EXPECT_EQ(Ignctl({"archive", dir.File("missing")}).code, 2);
}

}  // namespace
}  // namespace ign::test
