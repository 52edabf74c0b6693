// The program's own files: beside the executable in the build tree, in the
// installed data folder under the prefix.
#include "core/base/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/app/temp_dir.h"

namespace ign {
namespace {

TEST(ProgramFolder, DataFileBesideTheProgramFirstThenTheInstalledFolder) {
  test::TempDir dir;
  const std::string bin = dir.File("usr/bin"), share = dir.File("usr/share/ignset");
  std::filesystem::create_directories(bin);
  std::filesystem::create_directories(share);

  // Nothing anywhere: the place beside the program, for the message.
  EXPECT_EQ(ProgramDataFile(bin, "user-guide.html"), bin + "/user-guide.html");
  std::ofstream(share + "/user-guide.html") << "installed";
  EXPECT_EQ(ProgramDataFile(bin, "user-guide.html"), bin + "/../share/ignset/user-guide.html");
  std::ofstream(bin + "/user-guide.html") << "build tree";
  EXPECT_EQ(ProgramDataFile(bin + "/", "user-guide.html"), bin + "/user-guide.html");
  // A folder of that name is no file.
  std::filesystem::create_directories(bin + "/screenshots");
  EXPECT_EQ(ProgramDataFile(bin, "screenshots"), bin + "/screenshots");
}

TEST(ProgramFolder, PresetFileBesideAProgramThatRunsWhereItsDataLieElseInTheSettings) {
  test::TempDir dir;
  const std::string bin = dir.File("bin"), settings = dir.File("settings");
  std::filesystem::create_directories(bin);
  EXPECT_EQ(PresetFolder(bin, settings), settings);  // installed: /usr/bin is nobody's to write
  EXPECT_EQ(PresetFolder(bin, ""), bin);             // no settings folder at all
  std::ofstream(bin + "/user-guide.html") << "build tree";
  EXPECT_EQ(PresetFolder(bin, settings), bin);
}

}  // namespace
}  // namespace ign
