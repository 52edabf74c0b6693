// The live display against the simulated unit: pinned engine values reach
// the labels, the map editors' live point and the CSV log.
#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "core/device/engine.h"
#include "core/mapedit/live.h"
#include "core/mapedit/model.h"
#include "core/monitor/recording_reader.h"
#include "tests/ui_monitor/sim_window_fixture.h"
#include "ui/app/monitor_commands.h"
#include "ui/mapedit/map_editor.h"
#include "ui/monitor/live_display.h"
#include "ui/monitor/player_panel.h"
#include "ui/pages/pages.h"

namespace ign::test {
namespace {

class MonitorE2eTest : public SimWindowFixture {
 protected:
  QString Text(const char* label) { return Find<QLabel>(label)->text(); }
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

// The advance editor marks the cell of the unit's operating point: the rpm
// and throttle points nearest to the pinned values.
TEST_F(MonitorE2eTest, TheAdvanceEditorsLiveCellFollowsThePinnedPoint) {
  TMainForm& f = Connect({"--pin-rpm", "7400", "--pin-sensor", "1", "--pin-load", "62"});
  f.Params().Working()[Adrb::TPSIAP_SENSOR] = 1;
  f.CommitImageChange();
  f.ShowPage(Page::Advance);
  CTabModel* advance = nullptr;
  for (auto& e : f.Pages().Editors())
    if (e->Model().Identifier() == 0) advance = &e->Model();
  ASSERT_NE(advance, nullptr);
  CTabModel& model = *advance;
  ASSERT_TRUE(WaitFor([&] { return model.Live().rpm == 7400 && model.Live().throttle == 62; }, 20000));
  const CSheet& sheet = *model.Active();
  const LiveCell cell = ComputeLiveCell(sheet, model.ActiveIndex(), model.Live());
  ASSERT_GE(cell.column, 0);
  ASSERT_GE(cell.row, 0);
  // Points are stored in the axis' units: shown value = stored x scale.
  auto within = [](const CAxe& axis, int index, double value) {
    auto distance = [&](int i) { return std::abs(axis.values[size_t(i)] * axis.scale - value); };
    for (int i = 0; i < axis.count; ++i)
      if (distance(i) < distance(index)) return false;
    return true;
  };

  EXPECT_TRUE(within(sheet.x, cell.column, 7400)) << cell.column;
  // A map that uses only the rpm keeps its one row.
  if (sheet.y.collapsed)
    EXPECT_EQ(cell.row, sheet.y.collapsedIndex);
  else
    EXPECT_TRUE(within(sheet.y, cell.row, 62)) << cell.row;
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
  f.MonitorCommands().chooseFile = [&](bool, const char*, const char*) { return path; };
  Find<QAction>("MenuCSVout")->trigger();
  ASSERT_TRUE(f.Session().Monitor().Csv().Running());
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

// Lines of the unit's command log that carry the byte value.
int Requests(const std::string& log, const std::string& field) {
  std::string text;
  ReadWholeFile(log, text);
  int n = 0;
  for (size_t at = 0; (at = text.find(field, at)) != std::string::npos; ++at) ++n;
  return n;
}

TEST_F(MonitorE2eTest, ATestButtonGoesOutInOneRequestOnly) {
  const std::string log = dir_.File("commands.log");
  TMainForm& f = Connect({"--command-log", log});
  f.ShowPage(Page::Test);
  ASSERT_TRUE(WaitFor([&] { return Requests(log, "monitor") >= 2; }, 20000));
  Find<QPushButton>("ButtonTestIgn3")->click();
  Find<QPushButton>("ButtonTestIgn3")->click();  // twice before the next request: once
  ASSERT_TRUE(WaitFor([&] { return Requests(log, "20=04") >= 1; }, 20000));
  const int after = Requests(log, "monitor");
  ASSERT_TRUE(WaitFor([&] { return Requests(log, "monitor") >= after + 3; }, 20000));
  EXPECT_EQ(Requests(log, "20=04"), 1);
}

TEST_F(MonitorE2eTest, BitsClickedWithoutAUnitGoWithTheFirstRequest) {
  const std::string log = dir_.File("commands.log");
  TMainForm& f = Start({"ignset", "nopatchcheck"});
  f.show();
  f.ShowPage(Page::Test);
  Find<QPushButton>("ButtonTestRpm")->click();  // byte 21 bit 2
  SimOptions options;
  options.com = 7;
  options.extra = {"--command-log", log};
  sim_ = std::make_unique<SimProcess>(dir_.File("ports"), options);
  ASSERT_TRUE(sim_->ready()) << sim_->errorOutput();
  ASSERT_TRUE(WaitFor([&] { return Requests(log, "21=04") >= 1; }, 30000));
  const int after = Requests(log, "monitor");
  ASSERT_TRUE(WaitFor([&] { return Requests(log, "monitor") >= after + 2; }, 20000));
  EXPECT_EQ(Requests(log, "21=04"), 1);
}

TEST_F(MonitorE2eTest, SelfTestWaitsForAStoppedEngineAndResetsATurningOne) {
  {
    TMainForm& f = Connect({"--pin-rpm", "0"});
    ASSERT_TRUE(WaitFor([&] { return f.Session().Monitor().Shown().live.valid; }, 20000));
    f.ButtonSelftestClick();
    EXPECT_EQ(f.Session().Monitor().SelfTest().Stage(), 2);
    EXPECT_EQ(f.Session().Monitor().SelfTest().Count(), 20);
  }
  form_.reset();
  TMainForm& f = Connect({"--pin-rpm", "3000"});
  ASSERT_TRUE(WaitFor([&] { return f.Session().Monitor().Kept().rpm == 3000; }, 20000));
  f.ButtonSelftestClick();
  EXPECT_EQ(f.Session().Monitor().SelfTest().Stage(), 1);
  // The reset goes to the unit: the machine takes the request.
  EXPECT_EQ(f.Engine().Machine().PendingRequest(), Request::Reset);
  EXPECT_TRUE(WaitFor([&] { return f.Engine().Machine().PendingRequest() == Request::None; }, 20000));
}

}  // namespace
}  // namespace ign::test

namespace ign::test {
namespace {

// The CSV rows without their time column.
std::vector<std::string> RowsWithoutTime(const std::string& path) {
  std::string text;
  ReadWholeFile(path, text);
  std::vector<std::string> rows;
  for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string line = text.substr(start, end - start);
    rows.push_back(line.substr(line.find(';') + 1));
  }
  return rows;
}

// A ride recorded against the unit with a page change, an edit and a sheet
// switch, then played back: the file holds its records in order, the player
// shows them, and the CSV written while playing equals the live one apart
// from the time column.
TEST_F(MonitorE2eTest, ARecordedRidePlaysBackIntoTheSameDisplays) {
  const std::string ride = dir_.File("ride.ignlog"), liveCsv = dir_.File("live.csv"),
                    playedCsv = dir_.File("played.csv");
  TMainForm& f = Connect({"--pin-rpm", "5100"});
  TMonitorCommands& m = f.MonitorCommands();
  CSessionMonitor& monitor = f.Session().Monitor();
  std::string next;
  m.chooseFile = [&](bool, const char*, const char*) { return next; };
  ASSERT_TRUE(WaitFor([&] { return Text("LabelRpm") == "RPM = 5100"; }, 20000));

  next = ride;
  m.SpeedButtonPlay(TPlayerPanel::Record);
  next = liveCsv;
  Find<QAction>("MenuCSVout")->trigger();
  const int initial = monitor.Player().Length();
  f.ShowPage(Page::Advance);
  f.Params().Working()[Adrb::LIMITER] = 96;
  f.CommitImageChange();
  TTab* advance = nullptr;
  for (auto& e : f.Pages().Editors())
    if (e->widget->Identifier() == 0) advance = e->widget;
  ASSERT_NE(advance, nullptr);
  advance->SelectSheet(1);
  f.Session().Monitor().RecordView();  // the sheet switch, as the editor's report gives it
  ASSERT_TRUE(WaitFor([&] { return RowsWithoutTime(liveCsv).size() >= 6; }, 30000));
  Find<QAction>("MenuCSVout")->trigger();
  m.SpeedButtonPlay(TPlayerPanel::Stop);
  ASSERT_EQ(f.findChild<QMessageBox*>("MonitorMessage"), nullptr) << "the recorder had nothing to say";

  const RecordingLoad load = ReadRecording(ride);
  ASSERT_TRUE(load.recording) << RecordingErrorMessage(load);
  const Recording& r = *load.recording;
  EXPECT_EQ(r.initialCount, initial);
  EXPECT_EQ(r.records[0].type, 1);
  EXPECT_EQ(r.records[1].type, 2);
  EXPECT_GE(r.CountOfType(2), 2);  // the start and the edit
  EXPECT_GE(r.CountOfType(5), 2);  // the page and the sheet
  const int monitors = r.CountOfType(4);
  EXPECT_GE(monitors, 4);
  for (size_t i = 1; i < r.records.size(); ++i) EXPECT_GE(r.records[i].timeMs, r.records[i - 1].timeMs);

  // Play it without the unit.
  sim_.reset();
  ASSERT_TRUE(WaitFor([&] { return !f.Engine().Machine().Connected(); }, 30000));
  f.ShowPage(Page::Misc);
  next = playedCsv;
  Find<QAction>("MenuCSVout")->trigger();
  next = ride;
  m.SpeedButtonPlay(TPlayerPanel::Play);
  ASSERT_TRUE(monitor.Playing());
  ASSERT_TRUE(WaitFor([&] { return monitor.Player().State() == PlayerState::PlayingPaused; }, 60000));
  EXPECT_EQ(f.ActivePageIndex(), Page::Advance);  // the view followed
  EXPECT_EQ(advance->Model().ActiveIndex(), 1);
  EXPECT_EQ(Text("LabelRpm"), "RPM = 5100");
  Find<QAction>("MenuCSVout")->trigger();
  m.SpeedButtonPlay(TPlayerPanel::Stop);
  // The rows of the recorded monitor records, in order (the live log may
  // have one more, shown after the recorder stopped).
  const std::vector<std::string> live = RowsWithoutTime(liveCsv), played = RowsWithoutTime(playedCsv);
  ASSERT_EQ(played.size(), size_t(2 + monitors));
  ASSERT_GE(live.size(), played.size());
  for (size_t i = 0; i < played.size(); ++i) EXPECT_EQ(played[i], live[i]) << "row " << i;
}

}  // namespace
}  // namespace ign::test
