// ign_monitor_window_bench: the main-timer tick while the window monitors the
// simulated unit with the CSV log and the recorder running and the Advance
// Map page in front (its live cell moving with the ride). Prints the median,
// the 99th percentile and the worst tick as ratios to the 55 ms tick, and the
// records shown per second against the request cadence.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/monitor/recording_reader.h"
#include "tests/ui_monitor/driven_window.h"
#include "ui/app/main_menu.h"
#include "ui/app/monitor_commands.h"
#include "ui/pages/pages.h"

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const int seconds = ign::test::SecondsArgument(argc, argv, 30);
  ign::test::TDrivenWindow window;
  if (!window.Start({})) return 1;
  ign::TMainForm& form = window.Form();
  form.resize(1260, 860);
  form.ShowPage(ign::Page::Advance);
  window.Show();
  if (!window.Connect()) return 1;
  const std::string root = window.Root();
  const std::string csv = root + "/bench.csv", ride = root + "/bench.ignlog";
  ign::TMonitorCommands& monitor = form.MonitorCommands();
  monitor.chooseFile = [&](bool, const char* filter, const char*) {
    return std::string(filter).find("csv") != std::string::npos ? csv : ride;
  };
  form.MainMenu().Item("MenuCSVout")->trigger();
  monitor.SpeedButtonPlay(0);

  std::vector<double> ticks;
  window.TickFor(seconds * 1000, [&](double ms) { ticks.push_back(ms); });
  monitor.SpeedButtonPlay(3);
  form.MainMenu().Item("MenuCSVout")->trigger();
  for (const ign::SessionMessage& m : form.Session().TakeMessages())
    std::fprintf(stderr, "message: %s\n", m.text.c_str());
  const ign::RecordingLoad load = ign::ReadRecording(ride);
  const int records = load.recording ? load.recording->CountOfType(4) : 0;

  std::printf("Monitoring the simulated unit for %d s: CSV log and recorder running, Advance Map in front\n",
              seconds);
  ign::test::ReportTicks("main-timer tick", ticks, true);
  const double perSecond = records / double(seconds);
  // One request at least 7 ticks after the last, on every second tick: about 8 ticks.
  const double cadence = 1000.0 / (8 * ign::test::kTickMs);
  std::printf("records shown %.2f per s; the request cadence allows %.2f per s (%.0f %%)\n", perSecond,
              cadence, 100.0 * perSecond / cadence);
  return 0;
}
