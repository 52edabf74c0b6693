// ignset at start: a copy of the program in a temporary folder whose
// ../IMPET/NEW_108 holds files imports them into its empty store; with a
// store appended by ignctl archive it starts without importing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>

#include "archive_support.h"
#include "child_process.h"

namespace ign::test {
namespace {

namespace fs = std::filesystem;

class ArchiveStartup : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(dir_.File("IMPET/NEW_108/data.ign"), "settings");
    WriteBytes(dir_.File("IMPET/NEW_108/docs/readme.txt"), std::string(300, 'r'));
    WriteBytes(dir_.File("IMPET/NEW_108/.skipped"), "x");
    fs::create_directories(dir_.File("run"));
    fs::create_directories(dir_.File("ports"));
    fs::copy_file(IGN_BINARY_DIR "/tests/ignset_hooked", Program());
    fs::permissions(Program(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
  }
  std::string Program() const { return dir_.File("run/ignset"); }
  // Runs the copy until its first initialised tick, then ends it. Standard
  // error goes to errors when it is given.
  std::string StartAndStop(const std::string& errors = "") {
    ChildProcess p;
    std::vector<std::string> argv = {Program()};
    if (!errors.empty()) argv = {"/bin/sh", "-c", "exec \"$0\" 2>\"$1\"", Program(), errors};
    EXPECT_TRUE(p.Start(argv,
                        {"QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=" + dir_.Path(),
                         "IGN_SETTINGS_DIR=" + dir_.File("settings"),
                         "IGN_MARKER_FILE=" + dir_.File("marker"), "IGN_PORT_DIR=" + dir_.File("ports"),
                         "IGN_HANDOVER_SOCKET=" + dir_.File("handover.sock"), "IGN_TEST_COMMIT=600=1"},
                        dir_.File("run")));
    EXPECT_TRUE(p.WaitForOutput("COMMITTED", 60)) << p.Output();
    p.Signal(SIGTERM);
    p.Wait(60);
    return p.Output();
  }
  TempDir dir_;
};

TEST_F(ArchiveStartup, EmptyStoreImportsFolderAndFullStoreDoesNot) {
  const std::string first = StartAndStop();
  EXPECT_NE(first.find("IMPORT ..\\IMPET\\NEW_108 \"\"\n (2 files added)\n"), std::string::npos) << first;

  // A store appended by ignctl: the program still starts and imports nothing.
  WriteBytes(dir_.File("script"), "OPEN " + Program() + "\nMKDIR kept\nSET kept\\a.txt here\nSAVE\n");
  ChildProcess ctl;
  ASSERT_TRUE(ctl.Start({IGN_BINARY_DIR "/src/cli/ignctl", "archive", dir_.File("script")}));
  ASSERT_EQ(ctl.Wait(60), 0) << ctl.Output();
  const std::string second = StartAndStop();
  EXPECT_NE(second.find("COMMITTED"), std::string::npos);
  EXPECT_EQ(second.find("IMPORT"), std::string::npos) << second;
  CImpet store;
  ASSERT_EQ(store.Open(Program()), kImpetLoaded);
  EXPECT_EQ(Contents(store),
            (std::map<std::string, std::string>{{"\\kept", "D"}, {"\\kept\\a.txt", "here"}}));
}

// Without the import folder, the usual case, a start says nothing on standard error.
TEST_F(ArchiveStartup, StartWithoutImportFolderIsQuiet) {
  fs::remove_all(dir_.File("IMPET"));
  const std::string out = StartAndStop(dir_.File("errors"));
  EXPECT_EQ(out.find("IMPORT"), std::string::npos) << out;
  ASSERT_TRUE(fs::exists(dir_.File("errors")));
  // The offscreen platform used here notes what it cannot do; that is not the program's.
  std::istringstream errors(ReadBytes(dir_.File("errors")));
  std::string own;
  for (std::string line; std::getline(errors, line);)
    if (line != "This plugin does not support propagateSizeHints()") own += line + "\n";
  EXPECT_EQ(own, "");
}

TEST(ArchiveStartupPrograms, BuiltProgramsDoNotCarryTheMarker) {
  const std::string marker(ImpetMarker().begin(), ImpetMarker().end());
  for (const char* program : {IGN_BINARY_DIR "/src/ui/ignset", IGN_BINARY_DIR "/src/cli/ignctl"}) {
    const std::string bytes = ReadBytes(program);
    ASSERT_FALSE(bytes.empty()) << program;
    EXPECT_EQ(bytes.find(marker), std::string::npos) << program;
    CImpet store;
    EXPECT_EQ(store.Open(program), kImpetNoMarker) << program;
  }
}

}  // namespace
}  // namespace ign::test
