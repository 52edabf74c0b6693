// The window and ignctl share the unit history: a Program from the window and
// one from ignctl are both listed with the image each replaced, and the first
// entry, programmed again from the history window, gives the unit its
// original settings back byte for byte.
#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QProcess>
#include <QToolButton>
#include <QTreeWidget>

#include "core/base/atomic_file.h"
#include "core/files/ign_writer.h"
#include "core/history/history_words.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "tests/support/sim_process.h"
#include "tests/ui/form_fixture.h"
#include "ui/app/history_commands.h"

namespace ign {
namespace {

using test::FormFixture;
using test::WaitFor;

std::string ImageFile(const test::SimProcess& sim) {
  std::string bytes;
  ReadWholeFile(sim.imagePath(), bytes);
  return bytes;
}

class HistoryE2E : public FormFixture {
 protected:
  // Runs ignctl to its end while the window keeps ticking.
  int Ignctl(const QStringList& args, QString* out = nullptr) {
    QProcess p;
    p.start(QString::fromUtf8(IGN_BINARY_DIR) + "/src/cli/ignctl", args);
    if (!WaitFor([&] { return p.state() == QProcess::NotRunning; }, 60000)) {
      p.kill();
      p.waitForFinished(5000);
      return -1;
    }
    if (out) *out = QString::fromUtf8(p.readAllStandardOutput());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  }
  bool ResultIs(const char* text) {
    return WaitFor([&] { return Find<QLabel>("LabelResult")->text() == QString::fromUtf8(text); }, 30000);
  }
};

TEST_F(HistoryE2E, ProgramsOfTheWindowAndIgnctlAreKeptAndTheFirstGivesTheOriginalBack) {
  Image original = StartupImage();
  original[Adrb::LIMITER] = 95;
  NormaliseImage(original);
  const std::string unitPath = dir_.File("unit.bin");
  ASSERT_TRUE(
      WriteFileAtomically(unitPath, std::string(reinterpret_cast<const char*>(original.data()), RS_LEN_EXE)));
  test::SimOptions options;
  options.com = 6;
  options.image = unitPath;
  test::SimProcess sim(dir_.File("ports"), options);
  ASSERT_TRUE(sim.ready()) << sim.errorOutput();
  const std::string originalBytes = ImageFile(sim);

  TMainForm& f = Start();
  f.show();
  ASSERT_TRUE(ResultIs("Checking: OK"));
  // A file into the window, programmed from it.
  Image a = original;
  a[Adrb::LIMITER] = 100;
  ASSERT_TRUE(SaveSettingsFile(dir_.File("a.ign"), a, IgnVersions{}));
  f.OpenSettingsFile(dir_.File("a.ign"), -1);
  Find<QToolButton>("ButtonProgram")->click();
  ASSERT_TRUE(ResultIs("Program device: OK"));
  EXPECT_EQ(uint8_t(ImageFile(sim)[Adrb::LIMITER]), 100);

  // The window lets the port go; ignctl programs another file.
  f.DeviceCommands().MenuCom1Click(0);
  ASSERT_TRUE(WaitFor([&] { return !f.Session().Machine().Connected(); }, 10000));
  Image b = a;
  b[Adrb::LIMITER] = 105;
  ASSERT_TRUE(WriteFileAtomically(dir_.File("b.bin"),
                                  std::string(reinterpret_cast<const char*>(b.data()), RS_LEN_EXE)));
  ASSERT_EQ(Ignctl({"program", QString::fromStdString(dir_.File("b.bin"))}), 0);
  EXPECT_EQ(uint8_t(ImageFile(sim)[Adrb::LIMITER]), 105);

  QString list;
  ASSERT_EQ(Ignctl({"history", "list"}, &list), 0);
  const QStringList lines = list.trimmed().split('\n');
  ASSERT_EQ(lines.size(), 2) << list.toStdString();
  const QStringList newest = lines[0].split('\t'), first = lines[1].split('\t');
  const auto crc = [](const Image& img) { return QString::fromStdString(ImageWords(ImageChecksum(img))); };
  EXPECT_EQ(first[2], "Program");
  EXPECT_EQ(newest[2], "Program");
  EXPECT_EQ(first[3], newest[3]);  // the same unit
  EXPECT_EQ(first[5], crc(original) + " -> " + crc(a));
  EXPECT_EQ(newest[5], crc(a) + " -> " + crc(b));
  EXPECT_EQ(first[7].toStdString(), dir_.File("a.ign"));

  // Back in the window: the first entry programmed again.
  f.DeviceCommands().MenuCom1Click(1);
  ASSERT_TRUE(ResultIs("Checking: OK"));
  THistoryCommands& history = *THistoryCommands::Of(f);
  history.MenuUnitHistoryClick();
  THistoryWindow* w = history.Window();
  w->SelectEntries({first[0].toLongLong()});
  auto* program = w->findChild<QAbstractButton*>(QStringLiteral("HistoryProgram"));
  ASSERT_TRUE(program->isEnabled());
  program->click();
  ASSERT_TRUE(ResultIs("Program device: OK"));
  EXPECT_EQ(ImageFile(sim), originalBytes);
  // That Program is kept too, with the image it replaced.
  ASSERT_TRUE(WaitFor([&] { return history.Recorder().Store().List().size() == 3; }, 5000));
  EXPECT_EQ(history.Recorder().Store().List()[0].heldCrc, ImageChecksum(b));
}

}  // namespace
}  // namespace ign
