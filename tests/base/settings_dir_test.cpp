#include "core/base/settings_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/app/developer_marker.h"
#include "core/base/atomic_file.h"
#include "tests/app/temp_dir.h"

namespace ign {
namespace {

TEST(SettingsDir, FolderRules) {
  EXPECT_EQ(SettingsFolderFrom("/tmp/over", "/x", "/home/u"), "/tmp/over/");
  EXPECT_EQ(SettingsFolderFrom(nullptr, "/xdg/", "/home/u"), "/xdg/Kardomex/QUNTAR6/108/");
  EXPECT_EQ(SettingsFolderFrom("", nullptr, "/home/u"), "/home/u/.local/share/Kardomex/QUNTAR6/108/");
  EXPECT_EQ(SettingsFolderFrom(nullptr, "relative", "/home/u"), "/home/u/.local/share/Kardomex/QUNTAR6/108/");
  EXPECT_EQ(SettingsFolderFrom(nullptr, nullptr, nullptr), "");
}

TEST(SettingsDir, CreatesTheMissingLevels) {
  test::TempDir dir;
  const char* old = std::getenv("IGN_SETTINGS_DIR");
  std::string saved = old ? old : "";
  ::unsetenv("IGN_SETTINGS_DIR");
  ::setenv("XDG_DATA_HOME", dir.Path().c_str(), 1);
  SettingsPaths p = ComputeSettingsPaths();
  EXPECT_EQ(p.folder, dir.Path() + "/Kardomex/QUNTAR6/108/");
  EXPECT_TRUE(std::filesystem::is_directory(p.folder));
  EXPECT_EQ(p.appIni, p.folder + "application.ini");
  EXPECT_EQ(p.defaultIni, p.folder + "default.ini");
  // A folder that cannot be made: the settings fall back to the current folder.
  ASSERT_TRUE(WriteFileAtomically(dir.File("blocker"), "x"));
  ::setenv("IGN_SETTINGS_DIR", dir.File("blocker/sub").c_str(), 1);
  EXPECT_EQ(ComputeSettingsPaths().appIni, "application.ini");
  if (old)
    ::setenv("IGN_SETTINGS_DIR", saved.c_str(), 1);
  else
    ::unsetenv("IGN_SETTINGS_DIR");
}

TEST(DeveloperMarker, Tokens) {
  struct Case {
    const char* text;
    bool testMode;
    int testPort;
  } cases[] = {
      {"", false, 0},
      {"DEVX_SWITCH", true, 0},
      {"  foo\nDEVX_SWITCH\tTEST_COM 7\r\n", true, 7},
      {"TEST_COM 12", false, 12},
      {"TEST_COM DEVX_SWITCH", true, 0},  // no number: the next word still counts
      {"TEST_COM 999", false, 0},
      {"devx_switch TEST_COM", false, 0},
  };
  for (const Case& c : cases) {
    DeveloperMarker m = ParseDeveloperMarker(c.text);
    EXPECT_EQ(m.testMode, c.testMode) << c.text;
    EXPECT_EQ(m.testPort, c.testPort) << c.text;
  }
  DeveloperMarker none = ReadDeveloperMarker("/nonexistent/ign-marker");
  EXPECT_FALSE(none.testMode);
}

}  // namespace
}  // namespace ign
