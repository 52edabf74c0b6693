// The live display against the simulated unit: pinned engine values reach
// the labels, the map editors' live point and the CSV log.
#include <QAction>
#include <QLabel>

#include "core/device/engine.h"
#include "tests/support/sim_process.h"
#include "tests/ui/form_fixture.h"
#include "ui/app/monitor_commands.h"
#include "ui/monitor/live_display.h"
#include "ui/pages/pages.h"

namespace ign::test {
namespace {

class MonitorE2eTest : public FormFixture {
 protected:
  // The window connected to a unit started with the extra options.
  TMainForm& Connect(std::vector<std::string> extra) {
    SimOptions options;
    options.com = 7;
    options.extra = std::move(extra);
    sim_ = std::make_unique<SimProcess>(dir_.File("ports"), options);
    EXPECT_TRUE(sim_->ready()) << sim_->errorOutput();
    TMainForm& f = Start({"ignset", "nopatchcheck"});
    f.show();
    EXPECT_TRUE(WaitFor([&] { return f.Engine().Machine().Connected(); }, 30000)) << "no connection";
    return f;
  }
  QString Text(const char* label) { return Find<QLabel>(label)->text(); }

  std::unique_ptr<SimProcess> sim_;
};

TEST_F(MonitorE2eTest, PinnedValuesReachTheLabelsAndTheLivePoint) {
  TMainForm& f = Connect({"--pin-rpm", "6500", "--pin-battery", "13200", "--pin-advance", "25",
                          "--pin-sensor", "1", "--pin-load", "40"});
  ASSERT_TRUE(WaitFor([&] { return Text("LabelRpm") == "RPM = 6500"; }, 20000))
      << Text("LabelRpm").toStdString();
  EXPECT_EQ(Text("LabelNapeti"), "U = 13.2 [V]");
  EXPECT_TRUE(Text("LabelAdvance1").startsWith("Advance 1 = 25 [")) << Text("LabelAdvance1").toStdString();
  const LiveFeed& live = f.Pages().Live();
  EXPECT_TRUE(live.valid);
  EXPECT_EQ(live.rpm, 6500);
  EXPECT_EQ(live.throttle, 40);

  // The unit goes away: every label reads "---" again.
  sim_.reset();
  ASSERT_TRUE(WaitFor([&] { return Text("LabelRpm") == "RPM = ---"; }, 30000));
  EXPECT_FALSE(f.Pages().Live().valid);
}

TEST_F(MonitorE2eTest, APressureSensorGivesThePressureToTheMapEditors) {
  TMainForm& f = Connect({"--pin-rpm", "3000", "--pin-sensor", "2", "--pin-load", "85"});
  // The first records of a connection may come before the unit's values settle.
  ASSERT_TRUE(WaitFor([&] { return f.Pages().Live().rpm == 3000; }, 20000)) << f.Pages().Live().rpm;
  const LiveFeed& live = f.Pages().Live();
  EXPECT_EQ(live.loadSensor, 2);
  EXPECT_EQ(live.pressure, 85);
  EXPECT_EQ(live.throttle, 100);  // not a throttle sensor
}

TEST_F(MonitorE2eTest, CsvRowsCarryThePinnedValues) {
  TMainForm& f = Connect({"--pin-rpm", "4321"});
  const std::string path = dir_.File("live.csv");
  f.Monitor().chooseFile = [&](bool, const char*, const char*) { return path; };
  Find<QAction>("MenuCSVout")->trigger();
  ASSERT_TRUE(f.LiveDisplay().Csv().Running());
  std::string text;
  ASSERT_TRUE(WaitFor(
      [&] {
        ReadWholeFile(path, text);
        return std::count(text.begin(), text.end(), '\n') >= 4;
      },
      20000));
  Find<QAction>("MenuCSVout")->trigger();
  // Header "Time;RPM;...": the RPM column of every row holds the pinned speed.
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0].rfind("Time;", 0), 0u);
  auto field = [](const std::string& line, size_t index) {
    size_t start = 0;
    for (size_t i = 0; i < index; ++i) start = line.find(';', start) + 1;
    return line.substr(start, line.find(';', start) - start);
  };
  size_t rpmColumn = 0;
  while (rpmColumn < 100 && field(lines[0], rpmColumn) != "RPM") ++rpmColumn;
  ASSERT_LT(rpmColumn, 100u) << lines[0];
  for (size_t i = 2; i < lines.size(); ++i)
    EXPECT_EQ(field(lines[i], rpmColumn), "4321") << Text("LabelRpm").toStdString() << "\n" << lines[i];
}

}  // namespace
}  // namespace ign::test
