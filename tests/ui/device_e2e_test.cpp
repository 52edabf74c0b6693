// The main window against the simulated unit: it finds the unit, reads it
// from the Device menu and lets it go when the COM menu says offline.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>

#include "core/base/atomic_file.h"
#include "core/device/handover.h"
#include "core/params/image.h"

#include "core/device/engine.h"
#include "form_fixture.h"
#include "tests/support/sim_process.h"

namespace ign {
namespace {

using test::FormFixture;
using test::WaitFor;

TEST_F(FormFixture, FindsReadsAndReleasesTheSimulatedUnit) {
  test::SimOptions options;
  options.com = 3;
  test::SimProcess sim(dir_.File("ports"), options);
  ASSERT_TRUE(sim.ready()) << sim.errorOutput();

  TMainForm& f = Start();
  f.show();
  QAction* read = Find<QAction>("MenuRead");
  ASSERT_TRUE(WaitFor([&] { return read->isEnabled(); }, 30000)) << "no connection";
  EXPECT_TRUE(Find<QAction>("MenuProgram")->isEnabled());
  // Automatic mode marks the connected port.
  ASSERT_TRUE(WaitFor([&] { return Find<QAction>("MenuCom4")->isChecked(); }, 5000));
  EXPECT_EQ(Find<QAction>("MenuCom4")->text(), "COM&3");
  EXPECT_TRUE(Find<QLabel>("LabelCom")->text().contains("3"));
  // The unit's identification and matching version reach status panel 4.
  ASSERT_TRUE(WaitFor([&] { return Find<QLabel>("StatusPanel4")->text().contains("RSKEY=108.00"); }, 10000))
      << Find<QLabel>("StatusPanel4")->text().toStdString();

  read->trigger();
  ASSERT_TRUE(WaitFor([&] { return f.Params().UnitValid() && !f.Engine().Machine().newInstallation; }, 30000));
  // The first read ends the new installation, and that is written at once.
  EXPECT_NE(ReadSettingsFile("application.ini").find("NEWINSTAL=0\r\n"), std::string::npos);

  f.DeviceCommands().MenuCom1Click(0);  // COM offline
  EXPECT_EQ(f.ConfiguredPort(), kPortOffline);
  ASSERT_TRUE(WaitFor([&] { return !read->isEnabled(); }, 10000));
  EXPECT_EQ(Find<QLabel>("LabelConnection")->text(), "No connection with PC...");
  EXPECT_EQ(Find<QLabel>("StatusPanel4")->text(), "not connected");
  EXPECT_TRUE(Find<QAction>("MenuCom1")->isChecked());
}

std::string ImageFile(const test::SimProcess& sim) {
  std::string bytes;
  ReadWholeFile(sim.imagePath(), bytes);
  return bytes;
}

TEST_F(FormFixture, ButtonsReadProgramAndProgramAfterChange) {
  test::SimOptions options;
  options.com = 5;
  test::SimProcess sim(dir_.File("ports"), options);
  ASSERT_TRUE(sim.ready()) << sim.errorOutput();
  TMainForm& f = Start();
  f.show();
  auto* read = Find<QToolButton>("ButtonRead");
  auto* program = Find<QToolButton>("ButtonProgram");
  auto* result = Find<QLabel>("LabelResult");
  auto* gauge = Find<QProgressBar>("CGaugeProgram");
  EXPECT_FALSE(read->isEnabled());
  ASSERT_TRUE(WaitFor([&] { return read->isEnabled() && result->text() == "Checking: OK"; }, 30000));

  read->click();
  ASSERT_TRUE(WaitFor([&] { return result->text() == "Verify: OK" && result->isVisible(); }, 30000))
      << result->text().toStdString();
  EXPECT_TRUE(gauge->isVisible());
  EXPECT_EQ(gauge->value(), 100);
  EXPECT_EQ(Find<QLabel>("LabelCongruence")->text(), "Unit and PC settings are identical");
  // The unit holds what was read: nothing waits to be programmed.
  EXPECT_EQ(std::count(f.Params().ChangeMarks().begin(), f.Params().ChangeMarks().end(), 1), 0);

  // A committed change enables undo and makes the comparison say "different".
  f.Params().Working()[Adrb::LIMITER] = 104;
  ASSERT_TRUE(f.CommitImageChange());
  EXPECT_TRUE(Find<QToolButton>("SpeedButtonZpet")->isEnabled());
  EXPECT_EQ(Find<QLabel>("LabelCongruence")->text(), "Unit and PC settings are different");

  program->click();
  ASSERT_TRUE(WaitFor([&] { return result->text() == "Program device: OK"; }, 30000))
      << result->text().toStdString();
  EXPECT_EQ(uint8_t(ImageFile(sim)[Adrb::LIMITER]), 104);

  // With "Programming after change" every commit goes straight into the unit.
  auto* progHned = Find<QCheckBox>("CheckBoxProgHned");
  progHned->setChecked(true);
  const uint8_t retard = f.Params().Edited()[Adrb::RETARD];
  ASSERT_NE(retard, 9);
  f.Params().Working()[Adrb::RETARD] = 9;
  ASSERT_TRUE(f.CommitImageChange());
  ASSERT_TRUE(WaitFor([&] { return uint8_t(ImageFile(sim)[Adrb::RETARD]) == 9; }, 30000));
  // Undo restores the byte, and programs it too.
  const uint8_t before = uint8_t(ImageFile(sim)[Adrb::LIMITER]);
  Find<QToolButton>("SpeedButtonZpet")->click();
  EXPECT_EQ(f.Params().Edited()[Adrb::RETARD], retard);
  ASSERT_TRUE(WaitFor([&] { return uint8_t(ImageFile(sim)[Adrb::RETARD]) == retard; }, 30000));
  EXPECT_EQ(uint8_t(ImageFile(sim)[Adrb::LIMITER]), before);
}

TEST_F(FormFixture, BootloaderHandOverReleasesAndTakesBackThePort) {
  test::SimOptions options;
  options.com = 6;
  test::SimProcess sim(dir_.File("ports"), options);
  ASSERT_TRUE(sim.ready()) << sim.errorOutput();
  TMainForm& f = Start();
  QAction* read = Find<QAction>("MenuRead");
  ASSERT_TRUE(WaitFor([&] { return read->isEnabled(); }, 30000));

  ASSERT_TRUE(SendHandover({6, Handover::Release}, HandoverSocketPath(ReadRunConfig())));
  ASSERT_TRUE(WaitFor([&] { return !read->isEnabled(); }, 10000));
  EXPECT_TRUE(f.windowTitle().contains("(Disconnected by bootloader)")) << f.windowTitle().toStdString();
  ASSERT_TRUE(WaitFor([&] { return Find<QLabel>("LabelCom")->text() == "COM=6 (DISCONECTED)"; }, 5000))
      << Find<QLabel>("LabelCom")->text().toStdString();

  ASSERT_TRUE(SendHandover({6, Handover::TakeBack}, HandoverSocketPath(ReadRunConfig())));
  ASSERT_TRUE(WaitFor([&] { return read->isEnabled(); }, 30000));
  EXPECT_FALSE(f.windowTitle().contains("(Disconnected by bootloader)"));
}

}  // namespace
}  // namespace ign
