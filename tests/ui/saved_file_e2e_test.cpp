// A settings file saved from the window carries the unit it was saved beside,
// exactly as ignctl writes it: the same file, line for line, from the same
// simulated unit.
#include <QAction>
#include <QLabel>
#include <QProcess>

#include <string>
#include <vector>

#include "core/base/atomic_file.h"
#include "core/device/engine.h"
#include "form_fixture.h"
#include "tests/support/sim_process.h"
#include "ui/app/file_host.h"

namespace ign {
namespace {

using test::WaitFor;

std::vector<std::string> Lines(const std::string& file) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = file.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(file.substr(start, end - start));
  lines.push_back(file.substr(start));
  return lines;
}

std::string LineOf(const std::vector<std::string>& lines, const std::string& keyword) {
  for (const std::string& line : lines)
    if (line.rfind(keyword + " ", 0) == 0) return line;
  return {};
}

bool HasKeyword(const std::string& file, const std::string& keyword) {
  return !LineOf(Lines(file), keyword).empty();
}

class SavedFileTest : public test::FormFixture {
 protected:
  void TearDown() override {
    SetSaveNameChooser(nullptr);
    FormFixture::TearDown();
  }
  // Save from the window as the File menu does, the dialog answered with path.
  std::string SaveFromWindow(const std::string& name) {
    const std::string path = dir_.File(name);
    SetSaveNameChooser([path](const std::string&) { return path; });
    Find<QAction>("MenuSave")->trigger();
    std::string text;
    EXPECT_TRUE(ReadWholeFile(path, text)) << path;
    return text;
  }
};

TEST_F(SavedFileTest, FileSavedFromTheWindowIsTheOneIgnctlReadWrites) {
  test::SimOptions options;
  options.com = 4;
  options.image = dir_.File("unit.bin");
  test::SimProcess sim(dir_.File("ports"), options);
  ASSERT_TRUE(sim.ready()) << sim.errorOutput();

  TMainForm& f = Start();
  // Before a unit has been connected the unit's lines are empty and there is no calibration.
  ASSERT_FALSE(f.Engine().Machine().Connected());
  const std::string before = SaveFromWindow("before.ign");
  const std::vector<std::string> beforeLines = Lines(before);
  EXPECT_EQ(LineOf(beforeLines, "HEX"), "HEX   \t\t");
  EXPECT_EQ(LineOf(beforeLines, "HW/FW"), "HW/FW        ()      ");
  EXPECT_FALSE(HasKeyword(before, "Mon_Calib_CoefEE")) << before;

  // Connected, the unit has answered a monitor request, and its settings are read.
  QAction* read = Find<QAction>("MenuRead");
  ASSERT_TRUE(WaitFor([&] { return read->isEnabled(); }, 30000)) << "no connection";
  ASSERT_TRUE(WaitFor([&] { return Find<QLabel>("StatusPanel4")->text().contains("RSKEY=108.00"); }, 10000))
      << Find<QLabel>("StatusPanel4")->text().toStdString();
  read->trigger();
  auto* result = Find<QLabel>("LabelResult");
  ASSERT_TRUE(WaitFor([&] { return result->text() == "Verify: OK"; }, 30000)) << result->text().toStdString();
  const std::string window = SaveFromWindow("window.ign");

  // The window closes and lets the port go; ignctl reads the same unit.
  form_.reset();
  const std::string cliPath = dir_.File("ignctl.ign");
  QProcess ignctl;
  ignctl.start(QString::fromUtf8(IGN_BINARY_DIR) + "/src/cli/ignctl",
               {"read", "--port", "4", "-o", QString::fromStdString(cliPath)});
  ASSERT_TRUE(ignctl.waitForFinished(90000));
  ASSERT_EQ(ignctl.exitCode(), 0) << ignctl.readAllStandardError().toStdString();
  std::string cli;
  ASSERT_TRUE(ReadWholeFile(cliPath, cli));

  const std::vector<std::string> w = Lines(window), c = Lines(cli);
  // The unit's lines are filled, so the comparison is not one of two empty blocks.
  EXPECT_NE(LineOf(w, "HEX").find("IGNSIM"), std::string::npos) << LineOf(w, "HEX");
  const std::string hwfw = LineOf(w, "HW/FW");
  for (const char* part : {"IGNSIM", "RSKEY=108.00", "(last update: ", "Simulated unit"})
    EXPECT_NE(hwfw.find(part), std::string::npos) << part << " in " << hwfw;
  for (const char* keyword : {"Mon_Calib_CoefEE", "Mon_Calib_CoefFLASH", "Mon_Calib_CoefNEW"})
    EXPECT_TRUE(HasKeyword(window, keyword)) << keyword;

  ASSERT_EQ(w.size(), c.size());
  for (size_t i = 0; i < w.size(); ++i) {
    if (w[i].rfind("EXE ", 0) == 0 && c[i].rfind("EXE ", 0) == 0) continue;  // build stamps may differ
    EXPECT_EQ(w[i], c[i]) << "line " << i + 1;
  }
}

}  // namespace
}  // namespace ign
