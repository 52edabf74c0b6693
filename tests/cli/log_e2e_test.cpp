// Ride logs of the simulated unit: a recording made while the engine talks
// to ignsim, counted by ignctl log hits, and the CSV logs of ignctl monitor
// and ignctl play read back through the log reader.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "core/device/engine.h"
#include "core/logs/hit_counts.h"
#include "core/logs/log_open.h"
#include "core/monitor/player.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "run_process.h"
#include "tests/logs/log_fixture.h"
#include "tests/support/pacer.h"
#include "tests/support/sim_process.h"

namespace ign::test {
namespace {

std::string Ignctl() { return std::string(IGN_BINARY_DIR) + "/src/cli/ignctl"; }

int64_t SteadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// The unit's settings with the map axes of MapSettings: a throttle sensor,
// rpm points 1000 .. 8000, load points 0, 2, 5, 10, 20, 30, 40, 60, 80, 100 %.
Image RideSettings() {
  Image img = StartupImage();
  const Image maps = MapSettings(1);
  img[Adrb::TPSIAP_SENSOR] = maps[Adrb::TPSIAP_SENSOR];
  for (int c = 0; c < kMapCols; ++c) img[size_t(Adrb::RPM_ADV + c)] = maps[size_t(Adrb::RPM_ADV + c)];
  img[Adrb::ADV_COLUMNS] = maps[Adrb::ADV_COLUMNS];
  img[Adrb::ADV_MAP] = maps[Adrb::ADV_MAP];
  img[Adrb::LIMITER] = 95;
  NormaliseImage(img);
  return img;
}

// Records every monitor answer the engine takes, at its steady-clock time.
class RecorderHost : public ICommHost {
 public:
  explicit RecorderHost(CMonitorPlayer& player) : player_(player) {}
  void ProcessMonitor(const uint8_t* record151) override {
    ++answers;
    MonitorRecord r;
    r.SetData(record151 + 1);
    lastRpm = r.Word(Mon::RPM);
    if (!recording) return;
    player_.RecordMonitor(r, SteadyMs());
    ++records;
  }
  bool recording = false;
  int answers = 0;  // monitor answers, recorded or not
  int lastRpm = -1;
  int records = 0;

 private:
  CMonitorPlayer& player_;
};

// ignsim on a pseudo-terminal, the engine connected to it, and the recorder.
class RideLogE2E : public LogTest {
 protected:
  void StartUnit(std::vector<std::string> extra) {
    settings_ = RideSettings();
    const std::string image = Path("unit.bin");
    Write(image, std::string(reinterpret_cast<const char*>(settings_.data()), RS_LEN_EXE));
    Write(Path("settings.bin"), std::string(reinterpret_cast<const char*>(settings_.data()), RS_LEN_EXE));
    sim_ = std::make_unique<SimProcess>(Path("ports"), SimOptions{.com = 5, .image = image, .extra = extra});
    ASSERT_TRUE(sim_->ready());
  }

  // Connects the engine and records the unit's answers for that long.
  // fromStanding: the recording starts while the engine stands, at the start
  // of the simulated ride's loop, however long the connection took.
  void RecordRide(const std::string& path, double seconds, bool fromStanding = false) {
    NullPlaybackSink sink;
    CMonitorPlayer player(sink);
    RecorderHost host(player);
    RunConfig config;
    config.portDir = Path("ports");
    CEngine engine(&host, nullptr, config);
    auto tick = [&] { engine.Tick(); };
    ASSERT_TRUE(TickUntil([&] { return host.answers > 0; }, tick, 30)) << "the unit answers monitor requests";
    if (fromStanding) {
      ASSERT_TRUE(TickUntil([&] { return host.lastRpm == 0; }, tick, 45))
          << "the loop comes back to standing";
    }
    RecordingHeader h;
    h.startTime = 1767225600;
    InitialRecords initial;
    initial.port = 5;
    initial.unitInfo = "IGNSIM";
    initial.edited = std::span<const uint8_t>(settings_.data(), RS_LEN_EXE);
    ASSERT_EQ(player.StartRecording(path, h, initial, SteadyMs()), CMonitorPlayer::Event::Started);
    host.recording = true;
    const int64_t end = SteadyMs() + int64_t(seconds * 1000);
    TickUntil([&] { return SteadyMs() >= end; }, tick, seconds + 10);
    host.recording = false;
    player.StopPlayer();
    // A monitor answer about every 440 ms; fewer when the machine is slow to tick.
    ASSERT_GE(host.records, int(seconds)) << "monitor answers throughout the recording";
  }

  ProcessResult Ignctl(std::vector<std::string> args) {
    args.insert(args.begin(), ::ign::test::Ignctl());
    return RunProcess(args, {"IGN_PORT_DIR=" + Path("ports"), "XDG_STATE_HOME=" + Path("state")}, 90);
  }

  // ignctl log hits --csv: the seconds by (rpm point, load point).
  std::map<std::pair<int, int>, double> Hits(const std::string& log, std::string& printed) {
    ProcessResult r =
        Ignctl({"log", "hits", "--settings", Path("settings.bin"), "--csv", Path("hits.csv"), log});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    printed = r.out;
    std::map<std::pair<int, int>, double> cells;
    std::istringstream in(Read(Path("hits.csv")));
    std::string line;
    std::getline(in, line);
    std::vector<int> rpm;
    std::istringstream head(line);
    for (std::string f; std::getline(head, f, ',');)
      if (!f.empty()) rpm.push_back(std::stoi(f));
    while (std::getline(in, line)) {
      std::istringstream row(line);
      std::string f;
      std::getline(row, f, ',');
      const int load = std::stoi(f);
      for (size_t c = 0; std::getline(row, f, ','); ++c) cells[{rpm.at(c), load}] = std::stod(f);
    }
    return cells;
  }

  static double Sum(const std::map<std::pair<int, int>, double>& cells) {
    double s = 0;
    for (const auto& [cell, seconds] : cells) s += seconds;
    return s;
  }

  Image settings_{};
  std::unique_ptr<SimProcess> sim_;
};

const std::vector<std::string> kPinned = {"--pin-rpm",     "4321", "--pin-load",    "40",
                                          "--pin-sensor",  "1",    "--pin-advance", "25",
                                          "--pin-battery", "12900"};

// 4321 rpm is nearest the 4000 point, 40 % on the 40 % point: the whole
// recording falls in that cell, for as long as the recording lasts.
TEST_F(RideLogE2E, PinnedEngineFillsTheOneCellForTheRecordingsDuration) {
  StartUnit(kPinned);
  RecordRide(Path("pinned.ignlog"), 4);
  const LogRead read = OpenLog(Path("pinned.ignlog"));
  ASSERT_TRUE(read.log) << LogErrorMessage("pinned.ignlog", read.error);
  const double duration = read.log->Duration();
  EXPECT_GT(duration, 2.5);  // from the first answer to the last of 4 s
  EXPECT_LE(duration, 4.1);

  std::string printed;
  const auto cells = Hits(Path("pinned.ignlog"), printed);
  ASSERT_EQ(cells.size(), 8u * 10u) << printed;
  EXPECT_NEAR(cells.at({4000, 40}), duration, 0.002) << printed;
  EXPECT_NEAR(Sum(cells), duration, 0.002) << printed;
  EXPECT_NE(printed.find("elsewhere: 0.000 s"), std::string::npos) << printed;

  // A recording carries its settings: the same counts without --settings.
  ProcessResult own = Ignctl({"log", "hits", Path("pinned.ignlog")});
  ASSERT_EQ(own.exitCode, 0) << own.err;
  EXPECT_EQ(own.out, printed);
}

// The 40 s loop: standing, cranking below the first point, idle, a run up
// to the limiter, back to idle, cruising. The run enters the rpm columns
// one after the other, and idle is where the engine spends most time. The
// recording starts while the engine stands: on a slow machine the connection
// may take so long that the loop is already past its run up.
TEST_F(RideLogE2E, TheLoopSpreadsOverTheCellsInTheOrderItVisitsThem) {
  StartUnit({});
  RecordRide(Path("loop.ignlog"), 41, true);
  const LogRead read = OpenLog(Path("loop.ignlog"));
  ASSERT_TRUE(read.log) << LogErrorMessage("loop.ignlog", read.error);
  const CLog& log = *read.log;
  ASSERT_GT(log.Duration(), 39.0);  // the whole loop

  std::string printed;
  const auto cells = Hits(Path("loop.ignlog"), printed);
  auto most = cells.begin();
  for (auto it = cells.begin(); it != cells.end(); ++it)
    if (it->second > most->second) most = it;
  EXPECT_EQ(most->first, std::make_pair(1000, 2)) << printed;  // idle at 1250 .. 1400 rpm, 2 %
  EXPECT_GT(most->second, 8.0) << printed;
  EXPECT_GT(cells.at({8000, 100}), 1.5) << printed;  // on the limiter at full throttle
  int visited = 0;
  for (const auto& [cell, seconds] : cells) visited += seconds > 0;
  EXPECT_GE(visited, 15) << printed;

  // When each rpm column is first entered, from the recorded rows.
  CHitCounter counter(HitSheetOfImage(settings_, HitMap::Advance1), 0);
  const auto& rpm = log.channels[size_t(log.FindRole(ChannelRole::Rpm))].values;
  const auto& load = log.channels[size_t(log.FindRole(ChannelRole::Load))].values;
  std::map<int, double> firstInColumn;
  for (size_t i = 0; i < log.Rows(); ++i) {
    const LiveCell c = counter.CellOf(LiveOfReading(int(rpm[i]), int(load[i]), 1, false));
    if (c.state == 1 && c.column >= 0) firstInColumn.try_emplace(c.column, log.time[i]);
  }
  ASSERT_EQ(firstInColumn.size(), 8u) << printed;
  for (int c = 1; c < 8; ++c) EXPECT_LT(firstInColumn[c - 1], firstInColumn[c]) << "column " << c;
  // Idle to the limiter takes the 6 s of the run, whatever the loop's phase at the start.
  const double run = firstInColumn[7] - firstInColumn[1];
  EXPECT_GT(run, 1.0);
  EXPECT_LT(run, 6.5);
}

// Every channel of one log equals that of the other, row by row.
void ExpectSameValues(const CLog& a, const CLog& b) {
  ASSERT_EQ(a.Rows(), b.Rows());
  for (size_t i = 0; i < a.Rows(); ++i) EXPECT_NEAR(a.time[i], b.time[i], 0.0011) << "row " << i;
  for (const LogChannel& c : b.channels) {
    const int k = a.Find(c.name);
    ASSERT_GE(k, 0) << c.name;
    const LogChannel& d = a.channels[size_t(k)];
    for (size_t i = 0; i < c.values.size(); ++i) {
      if (HasValue(c.values[i]) || HasValue(d.values[i])) {
        EXPECT_EQ(d.values[i], c.values[i]) << c.name << " row " << i;
      }
    }
  }
}

TEST_F(RideLogE2E, CsvLogsOfMonitorAndPlayShowTheValuesOfTheRecording) {
  StartUnit(kPinned);
  RecordRide(Path("ride.ignlog"), 3);
  const LogRead recording = OpenLog(Path("ride.ignlog"));
  ASSERT_TRUE(recording.log);

  // ignctl play --csv: the CSV log of the playback, row for row the recording.
  ProcessResult play = Ignctl({"play", Path("ride.ignlog"), "--csv", Path("play.csv")});
  ASSERT_EQ(play.exitCode, 0) << play.err;
  const LogRead played = OpenLog(Path("play.csv"));
  ASSERT_TRUE(played.log) << LogErrorMessage("play.csv", played.error);
  EXPECT_EQ(played.log->format, "CSV log");
  ExpectSameValues(*recording.log, *played.log);

  // ignctl monitor --csv from the same unit: the pinned values in degrees,
  // and the hit counts in the recording's cell.
  ProcessResult monitor = Ignctl({"monitor", "--port", "5", "--seconds", "3", "--csv", Path("live.csv")});
  ASSERT_EQ(monitor.exitCode, 0) << monitor.err;
  const LogRead live = OpenLog(Path("live.csv"));
  ASSERT_TRUE(live.log) << LogErrorMessage("live.csv", live.error);
  const CLog& l = *live.log;
  ASSERT_GE(l.Rows(), 3u);
  for (const char* name :
       {"RPM", "TPSIAP", "BATTERY", "ADV1", "ADV2", "ADV3", "ADV5", "ADV_MAX 1", "RSKEY"}) {
    const int k = l.Find(name), j = recording.log->Find(name);
    ASSERT_GE(k, 0) << name;
    const float held = recording.log->channels[size_t(j)].values[0];
    for (size_t i = 0; i < l.Rows(); ++i) {
      const float v = l.channels[size_t(k)].values[i];
      EXPECT_TRUE(v == held || (!HasValue(v) && !HasValue(held))) << name << " row " << i << ": " << v;
    }
  }
  EXPECT_EQ(l.channels[size_t(l.Find("ADV1"))].values[0], 25.0f);
  std::string printed;
  const auto cells = Hits(Path("live.csv"), printed);
  EXPECT_NEAR(cells.at({4000, 40}), l.Duration(), 0.002) << printed;
  EXPECT_NEAR(Sum(cells), l.Duration(), 0.002) << printed;
}

// What ignctl log refuses, with its exit code and the reason on standard error.
TEST_F(RideLogE2E, RefusedInputsEndWithTheirExitCodeAndReason) {
  const Image settings = MapSettings(1);
  Write(Path("settings.bin"), std::string(reinterpret_cast<const char*>(settings.data()), RS_LEN_EXE));
  const std::string ride =
      Record({{.ms = 0, .rpm = 3000, .load = 40}, {.ms = 500, .rpm = 3100, .load = 40}}, settings);
  Write(Path("ride.csv"), "time;RPM;TPSIAP\n0,0;3000;40\n0,5;3100;40\n");
  Write(Path("broken.csv"), "time;RPM\n0,0;3000\n0,5;3100;7\n");
  const struct {
    std::vector<std::string> args;
    int exitCode;
    const char* says;
  } cases[] = {
      {{"log", "hits", Path("ride.csv")}, 2, "give the settings with --settings FILE"},
      {{"log", "hits", "--map", "ignition", ride}, 2, "--map must be advance1, advance2 or servo"},
      {{"log", "summary", Path("broken.csv")}, 2, "broken.csv, line 3, column 3"},
      {{"log", "hits", "--settings", Path("none.bin"), ride}, 2, "none.bin"},
      {{"log", "summary", "--time", "Zeit", Path("ride.csv")}, 2, "The time column is not in the header"},
      {{"log", "graph", ride}, 2, "summary or hits"},
      {{"log", "hits", "--csv", Path("no/such/dir/hits.csv"), ride}, 1, "cannot be written"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[1] + " " + c.args.back());
    const ProcessResult r = Ignctl(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.out;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
  // The German spreadsheet's CSV counts with the settings given.
  const ProcessResult ok = Ignctl({"log", "hits", "--settings", Path("settings.bin"), Path("ride.csv")});
  EXPECT_EQ(ok.exitCode, 0) << ok.err;
  EXPECT_NE(ok.out.find("in the map: 0.500 s"), std::string::npos) << ok.out;
}

}  // namespace
}  // namespace ign::test
