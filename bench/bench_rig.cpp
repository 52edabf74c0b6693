#include "bench/bench_rig.h"

#include <fstream>
#include <iterator>

#include "core/device/comm_machine.h"
#include "core/text/lngstr.h"

namespace ign::bench {

namespace {
bool Running(int job) { return job != JOB_IDLE && job != JOB_FAILED && job != JOB_DONE; }
}  // namespace

JobWatcher::JobWatcher(CCOMCOM& com) : com_(com), thread_([this] { Run(); }) {}

JobWatcher::~JobWatcher() {
  stop_.store(true);
  thread_.join();
}

// Jobs follow each other within microseconds now, so a new job is told by the
// engine's count of ended jobs, not by seeing the job code idle in between.
void JobWatcher::Run() {
  int last = com_.JobCode();
  uint32_t ends = com_.JobsEnded();
  Clock::time_point sampled = Clock::now(), started = sampled;
  uint32_t framesAtStart = 0;
  bool waitingFirstFrame = false;
  auto us = [](Clock::duration d) {
    return std::chrono::duration_cast<std::chrono::microseconds>(d).count();
  };
  while (!stop_.load()) {
    const Clock::time_point now = Clock::now();
    const uint32_t endsNow = com_.JobsEnded();
    const int job = com_.JobCode();
    if (Running(last)) busyUs_.fetch_add(us(now - sampled));
    if (waitingFirstFrame && com_.FramesSent() != framesAtStart) {
      handOverUs_.fetch_add(us(now - started));
      waitingFirstFrame = false;
    }
    if (Running(job) && (!Running(last) || endsNow != ends)) {
      started = now;
      framesAtStart = com_.FramesSent();
      waitingFirstFrame = true;
      jobs_.fetch_add(1);
      if (job == JOB_MONITOR) monitorJobs_.fetch_add(1);
    }
    last = job;
    ends = endsNow;
    sampled = now;
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
}

BenchRig::BenchRig(const std::string& portDir, DriveOptions o) : o_(o) {
  RunConfig config;
  config.portDir = portDir;
  engine_ = std::make_unique<CEngine>(&host, nullptr, config);
  if (o_.watchJobs) watcher_ = std::make_unique<JobWatcher>(engine_->Com());
  next_ = Clock::now();
}

BenchRig::~BenchRig() {
  watcher_.reset();
  engine_.reset();
}

void BenchRig::Step(const std::function<bool()>& done) {
  if (!pendingTick_) {
    next_ += std::chrono::milliseconds(o_.tickMs);
    if (next_ < Clock::now()) next_ = Clock::now();  // fell behind: do not catch up in a burst
  }
  // The wait between ticks is the program's own: a job that ends in between
  // is followed up at once, as in ignctl's driver loop.
  pendingTick_ = true;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(next_ - Clock::now()).count();
  if (engine_->WaitForNextTick(int(left), done)) return;  // the tick is still due at next_
  pendingTick_ = false;
  engine_->Tick();
  ++ticks_;
}

bool BenchRig::RunUntil(const std::function<bool()>& pred, double seconds) {
  const auto end = Clock::now() + std::chrono::milliseconds(int64_t(seconds * 1000));
  while (Clock::now() < end) {
    if (pred()) return true;
    Step(pred);
  }
  return pred();
}

std::string BenchRig::Result() const { return engine_->Label(Slot::Result).Shown(); }

size_t BenchRig::ResultHistorySize() const { return engine_->Label(Slot::Result).History().size(); }

std::string BenchRig::OutcomeSince(size_t from) const {
  static const char* const kFinal[] = {CommText::VerifyOk,  CommText::VerifyCorrected, CommText::VerifyError,
                                       CommText::ReadError, CommText::CheckingError,   CommText::CheckingOk,
                                       CommText::ProgramOk};
  const auto& h = engine_->Label(Slot::Result).History();
  for (size_t i = from; i < h.size(); ++i)
    for (const char* f : kFinal)
      if (h[i] == LngStr(f)) return h[i];
  return {};
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

}  // namespace ign::bench
