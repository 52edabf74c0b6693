// ign_monitor_window_bench: the main-timer tick while the window monitors the
// simulated unit with the CSV log and the recorder running and the Advance
// Map page in front (its live cell moving with the ride). Prints the median,
// the 99th percentile and the worst tick as ratios to the 55 ms tick, and the
// records shown per second against the request cadence.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/device/engine.h"
#include "core/monitor/recording_reader.h"
#include "tests/support/private_folders.h"
#include "tests/support/sim_process.h"
#include "tests/support/tick_figures.h"
#include "ui/app/main_form.h"
#include "ui/app/main_menu.h"
#include "ui/app/monitor_commands.h"
#include "ui/monitor/live_display.h"
#include "ui/pages/pages.h"

namespace {

using Clock = std::chrono::steady_clock;
using ign::test::kTickMs;

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  int seconds = 30;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::string(argv[i]) == "--seconds") seconds = std::max(5, std::atoi(argv[i + 1]));
  QTemporaryDir dir;
  const QByteArray root = dir.path().toUtf8();
  ign::test::UsePrivateFolders(root.toStdString());
  ign::test::SimProcess sim((root + "/ports").toStdString(), {.com = 3});
  if (!sim.ready()) {
    std::fprintf(stderr, "the simulated unit did not start\n");
    return 1;
  }
  ign::TMainForm form(QStringList{"ignset", "nopatchcheck"});
  form.FormCreate();
  form.resize(1260, 860);
  form.ShowPage(ign::Page::Advance);
  form.show();
  // The bench drives the ticks itself.
  for (QTimer* t : form.findChildren<QTimer*>())
    if (t->interval() == 55) t->stop();

  auto tickFor = [&](int ms, std::vector<double>* times) {
    QElapsedTimer wall;
    wall.start();
    while (wall.elapsed() < ms) {
      const auto t0 = Clock::now();
      form.Timer1Timer();
      if (times) times->push_back(ign::test::MsSince(t0));
      QElapsedTimer idle;
      idle.start();
      while (idle.elapsed() < 55) QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
  };
  tickFor(8000, nullptr);  // connect
  if (!form.Engine().Machine().Connected()) {
    std::fprintf(stderr, "no connection with the simulated unit\n");
    return 1;
  }
  const std::string csv = (root + "/bench.csv").toStdString(), ride = (root + "/bench.ignlog").toStdString();
  ign::TMonitorCommands& monitor = form.Monitor();
  monitor.message = [](const std::string& m) { std::fprintf(stderr, "message: %s\n", m.c_str()); };
  monitor.chooseFile = [&](bool, const char* filter, const char*) {
    return std::string(filter).find("csv") != std::string::npos ? csv : ride;
  };
  form.MainMenu().Item("MenuCSVout")->trigger();
  monitor.SpeedButtonPlay(0);

  std::vector<double> ticks;
  tickFor(seconds * 1000, &ticks);
  monitor.SpeedButtonPlay(3);
  form.MainMenu().Item("MenuCSVout")->trigger();
  const ign::RecordingLoad load = ign::ReadRecording(ride);
  const int records = load.recording ? load.recording->CountOfType(4) : 0;

  std::printf("Monitoring the simulated unit for %d s: CSV log and recorder running, Advance Map in front\n",
              seconds);
  ign::test::ReportTicks("main-timer tick", ticks, true);
  const double perSecond = records / double(seconds);
  // One request at least 7 ticks after the last, on every second tick: about 8 ticks.
  const double cadence = 1000.0 / (8 * kTickMs);
  std::printf("records shown %.2f per s; the request cadence allows %.2f per s (%.0f %%)\n", perSecond,
              cadence, 100.0 * perSecond / cadence);
  return 0;
}
