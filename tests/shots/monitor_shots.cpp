// The live display: against the simulated unit while revving and at the
// limiter, with the CSV log running (title), and the player during playback.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <memory>

#include "core/device/engine.h"
#include "core/text/language.h"
#include "tests/shots/shots.h"
#include "tests/support/sim_process.h"
#include "ui/app/main_form.h"
#include "ui/app/main_menu.h"
#include "ui/app/monitor_commands.h"
#include "ui/monitor/live_display.h"
#include "ui/pages/pages.h"

namespace ign::shots {

namespace {

std::unique_ptr<TMainForm> OpenLive(int page) {
  auto form = std::make_unique<TMainForm>(QStringList{"ignset", "nopatchcheck"});
  form->FormCreate();
  form->move(0, 0);
  form->resize(1260, 860);
  form->ShowPage(page);
  form->show();
  return form;
}

// Waits until the rpm label shows the pinned speed.
bool WaitRpm(TMainForm& form, const char* text) {
  auto* rpm = form.findChild<QLabel*>("LabelRpm");
  return Settle([&] { return rpm && rpm->text() == text; }, 20000);
}

}  // namespace

int MonitorShots(const QString& dir) {
  int failed = 0;
  SetLanguage(LNG_ENGLISH);
  struct Live {
    const char* name;
    std::vector<std::string> pins;
    const char* rpmText;
    int page;
  } lives[] = {
      {"monitor-revving",
       {"--pin-rpm", "7400", "--pin-battery", "13600", "--pin-advance", "31", "--pin-sensor", "1",
        "--pin-load", "62"},
       "RPM = 7400",
       Page::Advance},
      {"monitor-limiter",
       {"--pin-rpm", "12500", "--pin-battery", "14100", "--pin-advance", "35", "--pin-sensor", "1",
        "--pin-load", "100"},
       "RPM = 12500",
       Page::Misc},
  };
  for (const Live& l : lives) {
    Sandbox box;
    test::SimProcess sim(box.Ports(), {.com = 3, .extra = l.pins});
    auto form = OpenLive(l.page);
    if (!WaitRpm(*form, l.rpmText)) std::fprintf(stderr, "%s: the simulated unit did not answer\n", l.name);
    Settle(600);  // the map editor's live mark follows
    failed += !SaveScreen(dir, l.name);
    if (std::string(l.name) == "monitor-revving") {
      // The CSV log runs: its file shows in the title.
      const std::string csv = (box.dir.path() + "/ride.csv").toStdString();
      form->MonitorCommands().chooseFile = [&](bool, const char*, const char*) { return csv; };
      form->MainMenu().Item("MenuCSVout")->trigger();
      Settle(300);
      failed += !SaveScreen(dir, "monitor-csv-title");
      form->MainMenu().Item("MenuCSVout")->trigger();
    }
  }
  {
    // A short ride recorded against the unit, then played back.
    Sandbox box;
    const std::string ride = (box.dir.path() + "/ride.ignlog").toStdString();
    {
      test::SimProcess sim(
          box.Ports(),
          {.com = 3, .extra = {"--pin-rpm", "5200", "--pin-advance", "27", "--pin-sensor", "1"}});
      auto form = OpenLive(Page::Advance);
      WaitRpm(*form, "RPM = 5200");
      form->MonitorCommands().chooseFile = [&](bool, const char*, const char*) { return ride; };
      form->MainMenu().Item("MenuMonitorPlayer")->trigger();
      form->MonitorCommands().SpeedButtonPlay(0);
      Settle(3000);
      form->MonitorCommands().SpeedButtonPlay(3);
    }
    auto form = OpenLive(Page::Misc);
    form->MonitorCommands().chooseFile = [&](bool, const char*, const char*) { return ride; };
    if (form->findChild<QGroupBox*>("GroupBoxPlayer")->isHidden())
      form->MainMenu().Item("MenuMonitorPlayer")->trigger();
    form->MonitorCommands().SpeedButtonPlay(1);
    Settle(1500);
    failed += !SaveScreen(dir, "monitor-playback");
    form->MonitorCommands().SpeedButtonPlay(3);
  }
  return failed;
}

}  // namespace ign::shots
