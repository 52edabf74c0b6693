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
  RunConfig config;
  config.xdgDataHome = dir.Path();
  SettingsPaths p = ComputeSettingsPaths(config);
  EXPECT_EQ(p.folder, dir.Path() + "/Kardomex/QUNTAR6/108/");
  EXPECT_TRUE(std::filesystem::is_directory(p.folder));
  EXPECT_EQ(p.appIni, p.folder + "application.ini");
  EXPECT_EQ(p.defaultIni, p.folder + "default.ini");
  // A folder that cannot be made: the settings fall back to the current folder.
  ASSERT_TRUE(WriteFileAtomically(dir.File("blocker"), "x"));
  config.settingsDir = dir.File("blocker/sub");
  EXPECT_EQ(ComputeSettingsPaths(config).appIni, "application.ini");
}

// The environment is read once into the configuration; the settings folder's
// override and the port folder come from it.
TEST(RunConfig, TakesTheEnvironmentOnce) {
  test::TempDir dir;
  ::setenv("IGN_PORT_DIR", "/some/ports", 1);
  ::setenv("IGN_SETTINGS_DIR", dir.File("settings").c_str(), 1);
  const RunConfig config = ReadRunConfig();
  ::unsetenv("IGN_PORT_DIR");
  ::unsetenv("IGN_SETTINGS_DIR");
  EXPECT_EQ(config.portDir, "/some/ports");
  EXPECT_EQ(config.settingsDir, dir.File("settings"));
  ASSERT_NE(config.Variable("IGN_PORT_DIR"), nullptr);
  EXPECT_STREQ(config.Variable("IGN_PORT_DIR"), "/some/ports");
  EXPECT_EQ(config.Variable("IGN_NO_SUCH_VARIABLE_SET"), nullptr);
  EXPECT_EQ(ComputeSettingsPaths(config).folder, dir.File("settings") + "/");
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
