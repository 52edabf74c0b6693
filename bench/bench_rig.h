#pragma once
// The engine against a simulated unit, ticked at the program's real pace
// (one Tick() every 55 ms of wall time, the program clock advancing 50 ms per
// tick), with a watcher thread that times the jobs of the protocol thread.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/device/engine.h"
#include "tests/support/sim_process.h"

namespace ign::bench {

using Clock = std::chrono::steady_clock;

inline double MsSince(Clock::time_point t) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

// Watches the job code of the protocol thread every 100 us and adds up the
// time during which a job runs. Only atomics of the job engine are read.
class JobWatcher {
 public:
  explicit JobWatcher(CCOMCOM& com);
  ~JobWatcher();
  double BusyMs() const { return busyUs_.load() / 1000.0; }
  // Time from a job's hand-over (job code set) to its first request frame being built.
  double HandOverMs() const { return handOverUs_.load() / 1000.0; }
  int Jobs() const { return jobs_.load(); }
  int MonitorJobs() const { return monitorJobs_.load(); }

 private:
  void Run();
  CCOMCOM& com_;
  std::atomic<bool> stop_{false};
  std::atomic<int64_t> busyUs_{0};
  std::atomic<int64_t> handOverUs_{0};
  std::atomic<int> jobs_{0};
  std::atomic<int> monitorJobs_{0};
  std::thread thread_;
};

class RecordingHost : public ICommHost {
 public:
  void ShowVersionMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

struct DriveOptions {
  int tickMs = 55;        // wall time per tick
  bool watchJobs = true;  // time the jobs (a thread polling every 100 us; off for CPU figures)
};

// One engine; the unit is started separately so that its appearance can be timed.
class BenchRig {
 public:
  BenchRig(const std::string& portDir, DriveOptions o);
  ~BenchRig();

  CEngine& engine() { return *engine_; }
  JobWatcher& watcher() { return *watcher_; }
  RecordingHost host;

  // One tick at the next tick time, and the steps between ticks that jobs
  // ending call for; returns early, before the tick, when a step between
  // ticks makes done hold.
  void Step(const std::function<bool()>& done = {});
  // Steps until pred holds or the wall time runs out.
  bool RunUntil(const std::function<bool()>& pred, double seconds);
  // Ticks spent so far.
  int64_t ticks() const { return ticks_; }

  std::string Result() const;
  size_t ResultHistorySize() const;
  // The first final outcome text (OK, corrected or error) shown since history index from, or "".
  std::string OutcomeSince(size_t from) const;
  bool Idle() { return engine_->Machine().Idle(); }

 private:
  DriveOptions o_;
  std::unique_ptr<CEngine> engine_;
  std::unique_ptr<JobWatcher> watcher_;
  Clock::time_point next_;
  bool pendingTick_ = false;  // a Step returned early: its tick is still due at next_
  int64_t ticks_ = 0;
};

// Reads the unit's settings block from the simulator's image file.
std::vector<uint8_t> ReadFileBytes(const std::string& path);

}  // namespace ign::bench
