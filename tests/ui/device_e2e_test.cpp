// The main window against the simulated unit: it finds the unit, reads it
// from the Device menu and lets it go when the COM menu says offline.
#include <QAction>
#include <QLabel>

#include "form_fixture.h"
#include "tests/support/sim_process.h"
#include "ui/app/comm_adapter.h"

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
  ASSERT_TRUE(WaitFor([&] { return f.Params().unitValid && !f.Comm().Machine().newInstallation; }, 30000));
  // The first read ends the new installation, and that is written at once.
  EXPECT_NE(ReadSettingsFile("application.ini").find("NEWINSTAL=0\r\n"), std::string::npos);

  f.MenuCom1Click(0);  // COM offline
  EXPECT_EQ(f.ConfiguredPort(), kPortOffline);
  ASSERT_TRUE(WaitFor([&] { return !read->isEnabled(); }, 10000));
  EXPECT_EQ(Find<QLabel>("LabelConnection")->text(), "No connection with PC...");
  EXPECT_EQ(Find<QLabel>("StatusPanel4")->text(), "not connected");
  EXPECT_TRUE(Find<QAction>("MenuCom1")->isChecked());
}

}  // namespace
}  // namespace ign
