// ign_monitor_bench: the live monitor against the 55 ms main-timer tick.
//
//   ign_monitor_bench [--seconds S]
//
// CPU figures of the core steps (display update, CSV row, recorder append,
// loading 6000 records, one PlayTick, a scroll-bar jump); the time per tick
// while monitoring ignsim --pace at 57600 baud with the CSV log and the
// recorder running; monitor records per second against the request cadence
// and against the line time of the request and answer frames; the playback
// timing error over a five-minute recording. Prints Markdown; nothing passes
// or fails on time.
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "bench/line_model.h"
#include "core/comm/codec.h"
#include "core/device/engine.h"
#include "core/monitor/live_monitor.h"
#include "core/monitor/player.h"
#include "core/text/language.h"
#include "core/text/messages.h"
#include "tests/support/sim_process.h"

namespace ign::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
constexpr double kTickMs = 55;

// CPU time of this thread: on a shared machine wall time mostly measures the
// other processes that preempt us.
double CpuUs() {
  timespec ts{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}

struct Stats {
  double median = 0, p99 = 0, worst = 0;
};
Stats Of(std::vector<double> v) {
  if (v.empty()) return {};
  std::sort(v.begin(), v.end());
  return {v[v.size() / 2], v[std::min(v.size() - 1, v.size() * 99 / 100)], v.back()};
}

void Row(const char* what, const Stats& s) {
  std::printf("| %s | %.1f | %.1f | %.1f | %.5f |\n", what, s.median, s.p99, s.worst, s.p99 / 1000 / kTickMs);
}

Stats Time(int runs, const std::function<void(int)>& fn) {
  std::vector<double> v;
  v.reserve(size_t(runs));
  for (int i = 0; i < runs; ++i) {
    const double t = CpuUs();
    fn(i);
    v.push_back(CpuUs() - t);
  }
  return Of(v);
}

MonitorRecord BusyRecord(int i) {
  MonitorRecord r;
  for (int k = 1; k < kMonitorRecordLen; ++k) r.bytes[size_t(k)] = uint8_t(k * 7 + i);
  r.bytes[Mon::KEY] = 108;
  r.bytes[Mon::SUBVERSION] = 0;
  return r;
}

class NullSink : public IPlaybackSink {
 public:
  void ApplyEditedImage(std::span<const uint8_t>) override {}
  void ApplyUnitImage(std::span<const uint8_t>) override {}
  void ApplyMonitor(const MonitorRecord& r) override {
    last = r.Word(Mon::RPM);
    ++monitors;
  }
  void ApplyView(const ViewRecord&) override {}
  int last = 0;
  long monitors = 0;
};

InitialRecords Initial(const Image& img) {
  InitialRecords in;
  in.port = 1;
  in.unitInfo = "IGNSIM";
  in.edited = std::span<const uint8_t>(img.data(), 1050);
  in.unit = in.edited;
  return in;
}

void CoreSteps(const std::string& dir) {
  std::printf(
      "\n### Live monitor: core steps (CPU microseconds of the GUI thread; ratio = 99th percentile / 55 ms "
      "tick)\n\n");
  std::printf("| step | median | 99th pct | worst | ratio |\n|---|---|---|---|---|\n");
  Image img{};
  img[Adrb::LIMITER] = 100;
  CLiveMonitor live;
  DisplayInput in;
  in.edited = &img;
  Row("PickUp1 (display update, no CSV)", Time(20000, [&](int i) {
        live.Record() = BusyRecord(i);
        live.Show(true, in);
      }));
  live.Csv().Start(dir + "/bench.csv");
  Row("PickUp1 with WriteCsvRow (flushed line)", Time(5000, [&](int i) {
        live.Record() = BusyRecord(i);
        live.Show(true, in);
      }));
  Row("WriteCsvRow alone", Time(5000, [&](int i) { live.Csv().WriteCsvRow(BusyRecord(i)); }));
  live.Csv().Stop();

  NullSink sink;
  CMonitorPlayer rec(sink);
  rec.StartRecording(dir + "/bench.ignlog", {}, Initial(img), 0);
  Row("recorder append (type 4)",
      Time(5990, [&](int i) { rec.RecordMonitor(BusyRecord(i), 385 * (i + 1)); }));
  Row("recorder rewrite of 6000 records (every 30 s)", Time(5, [&](int) { rec.Tick(int64_t(1) << 40); }));
  rec.StopPlayer();

  RecordingLoad loaded;
  Row("loading a 6000-record recording",
      Time(20, [&](int) { loaded = ReadRecording(dir + "/bench.ignlog"); }));
  CMonitorPlayer play(sink);
  play.StartPlaying(std::move(*loaded.recording), "bench", 0);
  int64_t now = 0;
  Row("PlayTick", Time(20000, [&](int) { play.Tick(now += 55); }));
  Row("scroll-bar jump", Time(20000, [&](int i) { play.PlayPosChange((i * 7919) % play.Length(), now); }));
}

void PlaybackError() {
  // Five minutes of records at the monitor cadence with the jitter of the
  // communication steps, replayed by ticks of 55 ms.
  Image img{};
  NullSink sink;
  CMonitorPlayer rec(sink);
  const std::string path =
      fs::temp_directory_path() / ("ign-monitor-bench-" + std::to_string(::getpid()) + ".ignlog");
  rec.StartRecording(path, {}, Initial(img), 0);
  std::vector<int64_t> times;
  uint32_t x = 1;
  for (int64_t t = 0; t < 300000;) {
    x = x * 1103515245 + 12345;
    t += 440 + (x >> 16) % 3 * 55 + (x >> 8) % 23;  // 8 to 10 ticks, off the tick grid
    if (t >= 300000) break;
    rec.RecordMonitor(BusyRecord(int(times.size())), t);
    times.push_back(t);
  }
  rec.StopPlayer();
  RecordingLoad l = ReadRecording(path);
  fs::remove(path);
  if (!l.recording) return;
  CMonitorPlayer play(sink);
  play.StartPlaying(std::move(*l.recording), "x", 0);
  std::vector<double> late;
  long seen = 0;
  for (int64_t now = 55; play.State() == PlayerState::Playing; now += 55) {
    play.Tick(now);
    while (seen < sink.monitors) late.push_back(double(now - times[size_t(seen++)]));
  }
  const Stats s = Of(late);
  std::printf("\n### Playback timing over a five-minute recording (%zu monitor records, ticks of 55 ms)\n\n",
              times.size());
  std::printf(
      "| lateness against the recorded time | median ms | 99th pct ms | worst ms | worst / tick "
      "|\n|---|---|---|---|---|\n");
  std::printf("| | %.0f | %.0f | %.0f | %.2f |\n", s.median, s.p99, s.worst, s.worst / kTickMs);
}

// The window's work per record: version, display update, CSV row, recorder append.
class MonitorHost : public ICommHost {
 public:
  explicit MonitorHost(const std::string& dir) : player(sink) { live.Csv().Start(dir + "/live.csv"); }
  void ProcessMonitor(const uint8_t* record) override {
    live.SetRecord(record);
    player.RecordMonitor(live.Record(), nowMs);
    DisplayInput in;
    in.edited = &edited;
    live.Show(true, in);
    ++records;
  }
  Image edited{};
  CLiveMonitor live;
  NullSink sink;
  CMonitorPlayer player;
  int64_t nowMs = 0;
  long records = 0;
};

void LiveTicks(const std::string& dir, double seconds) {
  test::SimOptions so;
  so.com = 1;
  so.extra = {"--pace"};
  test::SimProcess sim(dir + "/ports", so);
  if (!sim.ready()) {
    std::printf("\nignsim did not start; no live figures\n");
    return;
  }
  MonitorHost host(dir);
  RunConfig config;
  config.portDir = dir + "/ports";
  CEngine engine(&host, nullptr, config);
  const auto start = Clock::now();
  auto next = start;
  auto tick = [&] {
    next += std::chrono::milliseconds(55);
    std::this_thread::sleep_until(next);
    host.nowMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    const double t = CpuUs();
    engine.Tick();
    host.player.Tick(host.nowMs);
    return CpuUs() - t;
  };
  while (!engine.Machine().Idle() || host.records == 0) {
    tick();
    if (Clock::now() - start > std::chrono::seconds(30)) {
      std::printf("\nno unit connected; no live figures\n");
      return;
    }
  }
  host.player.StartRecording(dir + "/live.ignlog", {}, Initial(host.edited), host.nowMs);
  const long before = host.records;
  const auto measured = Clock::now();
  std::vector<double> ticks;
  while (Clock::now() - measured < std::chrono::duration<double>(seconds)) ticks.push_back(tick());
  const double wall = std::chrono::duration<double>(Clock::now() - measured).count();
  const long records = host.records - before;
  host.player.StopPlayer();
  host.live.Csv().Stop();

  const Stats s = Of(ticks);
  std::printf(
      "\n### Main-timer tick while monitoring ignsim --pace (IGN150, 57600 baud), CSV log and recorder "
      "on\n\n");
  std::printf(
      "%zu ticks over %.0f s (engine tick: state machine, record, display update, CSV, recorder).\n\n",
      ticks.size(), wall);
  std::printf("| | median us | 99th pct us | worst us | 99th pct / tick |\n|---|---|---|---|---|\n");
  std::printf("| tick | %.0f | %.0f | %.0f | %.4f |\n", s.median, s.p99, s.worst, s.p99 / 1000 / kTickMs);

  const FamilyInfo f{"IGN150", Proto::Ign150, 57600};
  const double lineMs = LineMs(f, MonitorCost(f).bytes);
  const double cadence =
      1000.0 / (8 * kTickMs);  // a request 7 ticks after the last, steps on every second tick
  std::printf("\n| monitor records | per second | against |\n|---|---|---|\n");
  std::printf("| measured | %.2f | |\n", records / wall);
  std::printf(
      "| cadence limit (one request at least 7 ticks after the last, steps every 2nd tick) | %.2f | %.0f %% "
      "|\n",
      cadence, 100.0 * records / wall / cadence);
  std::printf("| line limit (request + answer frames, %.1f ms at 57600 baud) | %.1f | %.1f %% |\n", lineMs,
              1000.0 / lineMs, 100.0 * records / wall / (1000.0 / lineMs));
}

}  // namespace
}  // namespace ign::bench

int main(int argc, char** argv) {
  double seconds = 60;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::string(argv[i]) == "--seconds") seconds = std::atof(argv[i + 1]);
  ign::SetLanguage(ign::LNG_ENGLISH);
  ign::FillMessages();
  char pattern[] = "/tmp/ign-monitor-bench-XXXXXX";
  const std::string dir = ::mkdtemp(pattern);
  std::printf("\n## Live monitor, CSV log, recorder and player\n");
  ign::bench::CoreSteps(dir);
  ign::bench::PlaybackError();
  ign::bench::LiveTicks(dir, seconds);
  std::filesystem::remove_all(dir);
  return 0;
}
