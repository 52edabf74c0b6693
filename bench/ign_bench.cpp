// ign_bench: timings of the engine against the simulated unit (ignsim --pace).
//
//   ign_bench ops  [--family F] [--runs N]
//   ign_bench cpu  [--seconds S]
//   ign_bench soak [--cycles N] [--minutes M] [--drop-every K] [--corrupt-every K]
//
// Each mode prints a Markdown section on standard output. Times are wall
// times of this machine; nothing here passes or fails on time.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <dirent.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bench_rig.h"
#include "bench/line_model.h"
#include "core/base/tick_clock.h"
#include "core/comm/codec.h"
#include "core/device/comm_machine.h"
#include "core/params/address_map.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "core/text/language.h"
#include "core/text/lngstr.h"
#include "core/text/messages.h"

namespace ign::bench {
namespace {

using test::MakeTempDir;
using test::SimOptions;
using test::SimProcess;

// ---------------------------------------------------------------- statistics

struct Stats {
  std::vector<double> v;
  void Add(double x) { v.push_back(x); }
  bool Empty() const { return v.empty(); }
  double Q(double q) const {
    if (v.empty()) return NAN;
    std::vector<double> s = v;
    std::sort(s.begin(), s.end());
    const double pos = q * double(s.size() - 1);
    const size_t lo = size_t(std::floor(pos)), hi = size_t(std::ceil(pos));
    return s[lo] + (s[hi] - s[lo]) * (pos - double(lo));
  }
  double Median() const { return Q(0.5); }
  double Min() const { return Q(0); }
  double Max() const { return Q(1); }
  double Mean() const {
    double s = 0;
    for (double x : v) s += x;
    return v.empty() ? NAN : s / double(v.size());
  }
};

std::string Fmt(const char* f, double x) {
  char b[64];
  std::snprintf(b, sizeof b, f, x);
  return b;
}

// ------------------------------------------------------------------ families

const std::vector<FamilyInfo>& Families() {
  // The baud rates of the search-table rows that find each family.
  static const std::vector<FamilyInfo> k = {
      {"IGN150", Proto::Ign150, 57600},  {"IGN50", Proto::Ign50, 57600}, {"IGN100", Proto::Ign100, 57600},
      {"IGN300", Proto::Ign300, 115200}, {"WCOM", Proto::Wcom, 57600},   {"WCOMS", Proto::Wcoms, 57600},
  };
  return k;
}

const FamilyInfo* FamilyByName(const std::string& name) {
  for (const FamilyInfo& f : Families())
    if (f.name == name) return &f;
  return nullptr;
}

// A normalised settings block that differs from the program's start-up settings.
Image UnitImage() {
  Image img = StartupImage();
  img[Adrb::LIMITER] = 95;
  NormaliseImage(img);
  return img;
}

std::string WriteImage(const Image& img) {
  const std::string path = MakeTempDir() + "/unit.bin";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(img.data()), RS_LEN_EXE);
  return path;
}

bool SameAsUnit(CEngine& e, const std::string& imagePath) {
  const std::vector<uint8_t> file = ReadFileBytes(imagePath);
  return file.size() == size_t(RS_LEN_EXE) && std::equal(file.begin(), file.end(), e.Params().Edited().begin());
}

std::string NewPortDir() {
  const std::string dir = MakeTempDir() + "/ports";
  ::mkdir(dir.c_str(), 0755);
  return dir;
}

// One timed operation: from the request to its outcome with the machine idle again.
struct OpResult {
  std::string outcome;  // empty: no outcome in time
  double wallMs = 0;
  double busyMs = 0;      // time the protocol thread had a job
  double handOverMs = 0;  // of which: from the hand-over to the first frame
  int jobs = 0, monitorJobs = 0;
  uint32_t frames = 0;
};

template <typename Request>
OpResult TimedOp(BenchRig& rig, Request request, double limitS) {
  CEngine& e = rig.engine();
  // Start from a machine that is idle with no job running, as a user would find it.
  rig.RunUntil([&] { return rig.Idle() && e.Com().JobCode() == JOB_IDLE; }, 10);
  OpResult r;
  const size_t from = rig.ResultHistorySize();
  const double busy0 = rig.watcher().BusyMs();
  const double hand0 = rig.watcher().HandOverMs();
  const int jobs0 = rig.watcher().Jobs(), mon0 = rig.watcher().MonitorJobs();
  const uint32_t frames0 = e.Com().FramesSent();
  const Clock::time_point t0 = Clock::now();
  request();
  // The operation ends when its outcome is shown; the machine may already have
  // gone on to its next periodic monitor read in the same step.
  rig.RunUntil([&] { return !rig.OutcomeSince(from).empty(); }, limitS);
  r.wallMs = MsSince(t0);
  r.outcome = rig.OutcomeSince(from);
  // The outcome can follow a job's end within microseconds: let the watcher,
  // which looks every 100 us, see that end before its figures are read.
  std::this_thread::sleep_for(std::chrono::milliseconds(1));
  r.busyMs = rig.watcher().BusyMs() - busy0;
  r.handOverMs = rig.watcher().HandOverMs() - hand0;
  r.jobs = rig.watcher().Jobs() - jobs0;
  r.monitorJobs = rig.watcher().MonitorJobs() - mon0;
  r.frames = e.Com().FramesSent() - frames0;
  return r;
}

// ------------------------------------------------------------------- ops mode

struct OpStats {
  Stats wall, busy, frames, monitors, handOver;
  int ok = 0, runs = 0;
};

// Times of one connection: from the unit appearing to "Checking: OK".
struct ConnectStats {
  Stats search, check, total;
  int runs = 0;
  std::map<std::string, int> failures;  // how the runs that did not end with "Checking: OK" ended
};

// Ticks until the unit is connected and checked; t0 is when the unit appeared.
void TimeConnection(BenchRig& rig, Clock::time_point t0, ConnectStats& s, const char* label) {
  CEngine& e = rig.engine();
  const size_t h0 = rig.ResultHistorySize();
  ++s.runs;
  if (!rig.RunUntil([&] { return e.Com().ConnectedPort() != 0; }, 30)) {
    ++s.failures["(no connection in 30 s)"];
    std::fprintf(stderr, "%s: no connection\n", label);
    return;
  }
  const double searchMs = MsSince(t0);
  const Clock::time_point connectedAt = Clock::now();
  // The check ends with "Checking: OK" or, when its jobs fail, "Checking error !".
  rig.RunUntil([&] { return !rig.OutcomeSince(h0).empty(); }, 30);
  const std::string checked = rig.OutcomeSince(h0);
  if (checked != LngStr(CommText::CheckingOk)) {
    std::fprintf(stderr, "%s: check ended with '%s'\n", label, checked.c_str());
    ++s.failures[checked.empty() ? "(no outcome in 30 s)" : checked];
    return;
  }
  s.search.Add(searchMs);
  s.check.Add(MsSince(connectedAt));
  s.total.Add(MsSince(t0));
}

std::unique_ptr<SimProcess> StartUnit(const std::string& portDir, const FamilyInfo& fam,
                                      const std::string& image) {
  SimOptions so;
  so.family = fam.name;
  so.baud = fam.baud;
  so.image = image;
  so.extra = {"--pace"};
  auto sim = std::make_unique<SimProcess>(portDir, so);
  if (!sim->ready()) std::fprintf(stderr, "ignsim did not start\n");
  return sim;
}

// The unit is unplugged, the engine notices, and the same unit is plugged in
// again on the same port.
std::unique_ptr<SimProcess> Replug(BenchRig& rig, std::unique_ptr<SimProcess> sim, const std::string& portDir,
                                   const FamilyInfo& fam) {
  const std::string image = sim->imagePath();
  sim.reset();
  rig.RunUntil([&] { return rig.engine().Machine().State() == CommState::Disconnected; }, 10);
  return StartUnit(portDir, fam, image);
}

void PrintConnectRow(const char* name, const ConnectStats& s, double searchLine, double checkLine) {
  const double totalLine = searchLine + checkLine;
  std::printf("| %s | %zu/%d | %.0f (%.0f..%.0f) | %.0f (%.0f..%.0f) | %.2f | %.0f (%.0f..%.0f) | %.2f |\n",
              name, s.total.v.size(), s.runs, s.search.Median(), s.search.Min(), s.search.Max(),
              s.check.Median(), s.check.Min(), s.check.Max(), s.check.Median() / checkLine, s.total.Median(),
              s.total.Min(), s.total.Max(), s.total.Median() / totalLine);
}

int RunOps(const FamilyInfo& fam, int runs) {
  std::map<std::string, OpStats> ops;
  ConnectStats first, replug;
  const std::string ok = LngStr(CommText::VerifyOk);
  for (int run = 0; run < runs; ++run) {
    const std::string portDir = NewPortDir();
    // First connection: the program starts with the unit on its port.
    auto sim = StartUnit(portDir, fam, WriteImage(UnitImage()));
    if (!sim->ready()) return 2;
    const Clock::time_point started = Clock::now();
    BenchRig rig(portDir, DriveOptions{55, true});
    CEngine& e = rig.engine();
    TimeConnection(rig, started, first, (fam.name + " first connection").c_str());
    if (e.Com().ConnectedPort() == 0) continue;

    auto note = [&](const std::string& name, const OpResult& r, bool good) {
      OpStats& s = ops[name];
      ++s.runs;
      if (!good) {
        std::fprintf(stderr, "%s run %d %s: outcome '%s'\n", fam.name.c_str(), run, name.c_str(),
                     r.outcome.c_str());
        return;
      }
      ++s.ok;
      s.wall.Add(r.wallMs), s.busy.Add(r.busyMs), s.frames.Add(r.frames), s.monitors.Add(r.monitorJobs);
      s.handOver.Add(r.handOverMs);
    };
    OpResult r = TimedOp(
        rig, [&] { e.Machine().RequestRead(); }, 30);
    note("Read", r, r.outcome == ok && SameAsUnit(e, sim->imagePath()));
    r = TimedOp(
        rig, [&] { e.Machine().RequestVerify(); }, 30);
    note("Verify", r, r.outcome == ok);
    e.Params().Working()[Adrb::LIMITER] = uint8_t(100 + run);
    r = TimedOp(
        rig, [&] { e.Machine().RequestProgram(); }, 30);
    note("Program", r, r.outcome == ok && SameAsUnit(e, sim->imagePath()));
    // The unit's saving work after a programming (the unit's own time, not the line's).
    const Clock::time_point saveStart = Clock::now();
    if (rig.RunUntil([&] { return rig.Result() == LngStr(CommText::ProgramOk); }, 15))
      ops["(saving until Program device: OK)"].wall.Add(MsSince(saveStart));
    // Re-plug of the same unit on the same port.
    sim = Replug(rig, std::move(sim), portDir, fam);
    if (!sim->ready()) return 2;
    TimeConnection(rig, Clock::now(), replug, (fam.name + " re-plug").c_str());
  }

  std::printf("\n### %s at %d baud, %d runs\n\n", fam.name.c_str(), fam.baud, runs);
  std::printf(
      "| operation | frames | line ms | unit's answers ms | wall median ms | wall min..max ms | wall / line "
      "| "
      "jobs median ms | jobs / line | of the jobs: hand-over to first frame ms | frames sent (median) | "
      "monitor reads in between | ok |\n");
  std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
  struct Row {
    const char* name;
    LineCost cost;
  };
  const Row rows[] = {
      {"Read", ReadOpCost(fam)}, {"Verify", VerifyOpCost(fam)}, {"Program", ProgramOpCost(fam)}};
  for (const Row& row : rows) {
    const OpStats& s = ops[row.name];
    const double line = LineMs(fam, row.cost.bytes);
    std::printf("| %s | %d | %.0f | %.0f | %s | %s..%s | %s | %s | %s | %s | %s | %s | %d/%d |\n", row.name,
                row.cost.frames, line, LineMs(fam, row.cost.answerBytes),
                Fmt("%.0f", s.wall.Median()).c_str(), Fmt("%.0f", s.wall.Min()).c_str(),
                Fmt("%.0f", s.wall.Max()).c_str(), Fmt("%.2f", s.wall.Median() / line).c_str(),
                Fmt("%.0f", s.busy.Median()).c_str(), Fmt("%.2f", s.busy.Median() / line).c_str(),
                Fmt("%.0f", s.handOver.Median()).c_str(), Fmt("%.0f", s.frames.Median()).c_str(),
                Fmt("%.1f", s.monitors.Mean()).c_str(), s.ok, s.runs);
  }
  const Stats& saving = ops["(saving until Program device: OK)"].wall;
  if (!saving.Empty())
    std::printf(
        "| Program, then saving until \"Program device: OK\" | – | – | – | %.0f | %.0f..%.0f | – | – | – | – "
        "| – | – | %zu |\n",
        saving.Median(), saving.Min(), saving.Max(), saving.v.size());
  const LineCost chk = CheckOpCost(fam);
  const LineCost probe = ProbeCost(fam);
  const double chkLine = LineMs(fam, chk.bytes), probeLine = LineMs(fam, probe.bytes);
  std::printf(
      "\nFrom the unit appearing on the port to \"Checking: OK\": search (appeared → connected), check "
      "(connected → Checking: OK) and the total, median (min..max) ms. Line time: the probe that finds the "
      "unit and its answer, %.0f ms; the check's %d frames, %.0f ms.",
      probeLine, chk.frames, chkLine);
  for (const auto* s : {&first, &replug})
    for (const auto& [text, n] : s->failures) std::printf(" %d× \"%s\".", n, text.c_str());
  std::printf(
      "\n\n| connection | checked | search ms | check ms | check / line | total ms | total / line |\n");
  std::printf("|---|---|---|---|---|---|---|\n");
  PrintConnectRow("first (program starts with the unit on the port)", first, probeLine, chkLine);
  PrintConnectRow("re-plug of the same unit", replug, probeLine, chkLine);
  std::fflush(stdout);
  return 0;
}

// -------------------------------------------------------------------- cpu mode

double ThreadCpuMs() {
  timespec ts{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

double ProcessCpuMs() {
  rusage ru{};
  ::getrusage(RUSAGE_SELF, &ru);
  auto ms = [](const timeval& t) { return double(t.tv_sec) * 1000.0 + double(t.tv_usec) / 1000.0; };
  return ms(ru.ru_utime) + ms(ru.ru_stime);
}

long StatusKb(const char* key) {
  std::ifstream f("/proc/self/status");
  std::string line;
  while (std::getline(f, line))
    if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + std::strlen(key));
  return -1;
}

// CPU ms of every thread of this process (utime + stime from /proc).
std::map<int, double> ThreadCpu() {
  std::map<int, double> out;
  const long hz = ::sysconf(_SC_CLK_TCK);
  DIR* d = ::opendir("/proc/self/task");
  if (!d) return out;
  while (dirent* ent = ::readdir(d)) {
    if (ent->d_name[0] == '.') continue;
    std::ifstream f(std::string("/proc/self/task/") + ent->d_name + "/stat");
    std::string s;
    std::getline(f, s);
    const size_t close = s.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(s.substr(close + 2));
    std::string field;
    std::vector<std::string> fields;
    while (rest >> field) fields.push_back(field);
    if (fields.size() < 13) continue;
    out[std::atoi(ent->d_name)] =
        (std::atof(fields[11].c_str()) + std::atof(fields[12].c_str())) * 1000.0 / double(hz);
  }
  ::closedir(d);
  return out;
}

void MeasureIdle(BenchRig& rig, const char* label, double seconds) {
  Stats tickCpu, stepCpu, plainCpu;
  const std::map<int, double> threads0 = ThreadCpu();
  const double p0 = ProcessCpuMs();
  const Clock::time_point t0 = Clock::now();
  const int monitors0 = rig.engine().Com().FramesSent();
  while (MsSince(t0) < seconds * 1000) {
    // Rig::Step sleeps first and then ticks; time the tick alone.
    const double before = ThreadCpuMs();
    const bool steps = ((rig.engine().Clock().Ticks() + 1) & rig.engine().Com().StepMask()) == 0;
    rig.Step();
    const double used = ThreadCpuMs() - before;
    tickCpu.Add(used * 1000.0);
    (steps ? stepCpu : plainCpu).Add(used * 1000.0);
  }
  const double wall = MsSince(t0);
  const double proc = ProcessCpuMs() - p0;
  const std::map<int, double> threads1 = ThreadCpu();
  std::vector<double> perThread;
  for (const auto& [tid, ms] : threads1)
    perThread.push_back(ms - (threads0.count(tid) ? threads0.at(tid) : 0));
  std::sort(perThread.rbegin(), perThread.rend());
  std::string threadText;
  for (size_t i = 0; i < perThread.size() && i < 4; ++i) {
    if (i) threadText += ", ";
    threadText += Fmt("%.1f%%", 100.0 * perThread[i] / wall);
  }
  std::printf("| %s | %.0f s | %zu | %.1f / %.1f / %.1f | %.1f / %.1f | %.2f%% | %s | %u | %ld / %ld |\n",
              label, wall / 1000, tickCpu.v.size(), tickCpu.Median(), tickCpu.Q(0.99), tickCpu.Max(),
              stepCpu.Median(), plainCpu.Median(), 100.0 * proc / wall, threadText.c_str(),
              rig.engine().Com().FramesSent() - monitors0, StatusKb("VmRSS:"), StatusKb("VmHWM:"));
  std::fflush(stdout);
}

int RunCpu(double seconds) {
  const std::string portDir = NewPortDir();
  SimOptions so;
  so.image = WriteImage(UnitImage());
  so.extra = {"--pace"};
  SimProcess sim(portDir, so);
  BenchRig rig(portDir, DriveOptions{55, false});
  const size_t h0 = rig.ResultHistorySize();
  if (!rig.RunUntil([&] { return rig.OutcomeSince(h0) == LngStr(CommText::CheckingOk) && rig.Idle(); }, 40)) {
    std::fprintf(stderr, "no connection\n");
    return 2;
  }
  std::printf("\n### CPU and memory of the engine (IGN150, 57600 baud, paced unit)\n\n");
  std::printf(
      "Per-tick CPU is the ticking thread's own CPU time around one Tick(); process CPU includes the "
      "protocol thread and the port's I/O thread (and the idle bench loop).\n\n");
  std::printf(
      "| phase | wall | ticks | CPU per tick µs median / p99 / max | µs median, ticks with / without a "
      "communication step | process CPU (of one core) | busiest threads | frames sent | RSS / peak "
      "RSS kB |\n|---|---|---|---|---|---|---|---|---|\n");
  MeasureIdle(rig, "connected, idle (monitor read every 7 ticks)", seconds);
  rig.engine().Machine().streamWanted = true;
  MeasureIdle(rig, "monitoring with the pick-up stream on", seconds);
  rig.engine().Machine().streamWanted = false;
  rig.engine().Com().CloseLink();
  rig.engine().Com().SetConfiguredPort(-1);
  MeasureIdle(rig, "no unit (search off)", std::min(seconds, 20.0));
  return 0;
}

// ------------------------------------------------------------------ stall mode

// One answer arrives later than the answer limit (the unit is stopped for a
// moment while it owes an answer). Counts the frames of the Verify operations
// before and after: each needs 7 request frames when every answer is in time.
int RunStall(int stallMs, int verifies) {
  const std::string portDir = NewPortDir();
  SimOptions so;
  so.image = WriteImage(UnitImage());
  so.extra = {"--pace"};
  SimProcess sim(portDir, so);
  BenchRig rig(portDir, DriveOptions{55, true});
  CEngine& e = rig.engine();
  const size_t h0 = rig.ResultHistorySize();
  if (!rig.RunUntil([&] { return rig.OutcomeSince(h0) == LngStr(CommText::CheckingOk) && rig.Idle(); }, 40)) {
    std::fprintf(stderr, "no connection\n");
    return 2;
  }
  // The program's image is the unit's after a Read, so that Verify finds them equal.
  TimedOp(
      rig, [&] { e.Machine().RequestRead(); }, 30);
  auto verifyRound = [&](const char* label) {
    Stats frames, wall;
    std::map<std::string, int> outcomes;
    for (int i = 0; i < verifies; ++i) {
      const OpResult r = TimedOp(
          rig, [&] { e.Machine().RequestVerify(); }, 30);
      frames.Add(r.frames - r.monitorJobs);
      wall.Add(r.wallMs);
      ++outcomes[r.outcome.empty() ? "(none)" : r.outcome];
    }
    std::string text;
    for (const auto& [o, n] : outcomes) {
      text += std::to_string(n);
      text += "× \"";
      text += o;
      text += "\" ";
    }
    std::printf("| %s | %.0f | %.0f..%.0f | %.0f | %s|\n", label, frames.Median(), frames.Min(), frames.Max(),
                wall.Median(), text.c_str());
  };
  std::printf("\n### One late answer (unit stopped for %d ms while it owes an answer), IGN150\n\n", stallMs);
  std::printf(
      "| Verify operations | request frames per Verify, median | min..max | wall median ms | outcomes "
      "|\n|---|---|---|---|---|\n");
  verifyRound("before");
  // The unit stops before the next request reaches it and resumes once the
  // answer limit has passed: it then finds the request and its repetition.
  rig.RunUntil([&] { return rig.Idle() && e.Com().JobCode() == JOB_IDLE; }, 10);
  ::kill(sim.pid(), SIGSTOP);
  e.Machine().RequestVerify();
  const Clock::time_point stopped = Clock::now();
  while (MsSince(stopped) < stallMs) rig.Step();
  ::kill(sim.pid(), SIGCONT);
  rig.RunUntil([&] { return rig.Idle(); }, 30);
  verifyRound("after the late answer");
  std::fflush(stdout);
  return 0;
}

// ------------------------------------------------------------------- soak mode

struct SoakCount {
  int ok = 0, failedWithMessage = 0, okWrongData = 0, noOutcome = 0;
};

int RunSoak(int cycles, double minutes, int dropEvery, int corruptEvery) {
  const std::string portDir = NewPortDir();
  SimOptions so;
  so.image = WriteImage(UnitImage());
  so.extra = {"--pace"};
  if (dropEvery > 0) so.extra.insert(so.extra.end(), {"--drop-every", std::to_string(dropEvery)});
  if (corruptEvery > 0) so.extra.insert(so.extra.end(), {"--corrupt-every", std::to_string(corruptEvery)});
  SimProcess sim(portDir, so);
  BenchRig rig(portDir, DriveOptions{55, true});
  CEngine& e = rig.engine();
  const size_t h0 = rig.ResultHistorySize();
  if (!rig.RunUntil([&] { return rig.OutcomeSince(h0) == LngStr(CommText::CheckingOk) && rig.Idle(); }, 60)) {
    std::fprintf(stderr, "no connection\n");
    return 2;
  }
  const std::string ok = LngStr(CommText::VerifyOk);
  SoakCount read, program;
  std::map<std::string, int> messages;
  int done = 0, drops = 0;
  Stats readMs, programMs;
  const Clock::time_point start = Clock::now();
  const uint32_t frames0 = e.Com().FramesSent();
  for (; done < cycles && MsSince(start) < minutes * 60000; ++done) {
    auto classify = [&](SoakCount& c, const OpResult& r, Stats& ms) {
      if (r.outcome.empty()) {
        ++c.noOutcome;
      } else if (r.outcome == ok) {
        if (SameAsUnit(e, sim.imagePath()))
          ++c.ok, ms.Add(r.wallMs);
        else
          ++c.okWrongData;
      } else {
        ++c.failedWithMessage;
        ++messages[r.outcome];
      }
    };
    // A dropped link: wait for the reconnection check before the next cycle.
    if (e.Com().ConnectedPort() == 0) ++drops;
    rig.RunUntil([&] { return e.Com().ConnectedPort() != 0 && rig.Idle(); }, 60);
    classify(read,
             TimedOp(
                 rig, [&] { e.Machine().RequestRead(); }, 60),
             readMs);
    e.Params().Working()[Adrb::LIMITER] = uint8_t(90 + done % 40);
    e.Params().Working()[Adrb::ADVANCE + 17] = uint8_t(100 + done % 20);
    classify(program,
             TimedOp(
                 rig, [&] { e.Machine().RequestProgram(); }, 60),
             programMs);
  }
  const double minutesRun = MsSince(start) / 60000;
  std::printf(
      "\n### Soak: Read and Program cycles with faults (IGN150, 57600 baud, paced unit, --drop-every %d "
      "--corrupt-every %d)\n\n",
      dropEvery, corruptEvery);
  std::printf(
      "%d cycles in %.1f minutes (asked for %d, at most %.0f minutes); %u frames sent; link dropped "
      "before a cycle %d times.\n\n",
      done, minutesRun, cycles, minutes, e.Com().FramesSent() - frames0, drops);
  std::printf(
      "| operation | ended OK (data equal to the unit's) | failed with a message | reported OK with "
      "wrong data | no outcome within 60 s | wall median ms (OK) |\n|---|---|---|---|---|---|\n");
  std::printf("| Read | %d | %d | %d | %d | %.0f |\n", read.ok, read.failedWithMessage, read.okWrongData,
              read.noOutcome, readMs.Median());
  std::printf("| Program | %d | %d | %d | %d | %.0f |\n", program.ok, program.failedWithMessage,
              program.okWrongData, program.noOutcome, programMs.Median());
  if (!messages.empty()) {
    std::printf("\nMessages of failed operations:");
    for (const auto& [text, n] : messages) std::printf(" \"%s\" ×%d;", text.c_str(), n);
    std::printf("\n");
  }
  std::fflush(stdout);
  return read.okWrongData + program.okWrongData == 0 ? 0 : 1;
}

}  // namespace
}  // namespace ign::bench

int main(int argc, char** argv) {
  using namespace ign::bench;
  ign::SetLanguage(ign::LNG_ENGLISH);
  ign::FillMessages();
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::fprintf(stderr, "usage: ign_bench ops|cpu|soak [options]\n");
    return 2;
  }
  auto value = [&](const std::string& name, const std::string& def) {
    for (size_t i = 1; i + 1 < args.size(); ++i)
      if (args[i] == name) return args[i + 1];
    return def;
  };
  if (args[0] == "ops") {
    const FamilyInfo* fam = FamilyByName(value("--family", "IGN150"));
    if (!fam) return 2;
    return RunOps(*fam, std::atoi(value("--runs", "10").c_str()));
  }
  if (args[0] == "stall")
    return RunStall(std::atoi(value("--stall-ms", "600").c_str()),
                    std::atoi(value("--verifies", "5").c_str()));
  if (args[0] == "cpu") return RunCpu(std::atof(value("--seconds", "60").c_str()));
  if (args[0] == "soak")
    return RunSoak(std::atoi(value("--cycles", "1000").c_str()), std::atof(value("--minutes", "20").c_str()),
                   std::atoi(value("--drop-every", "10").c_str()),
                   std::atoi(value("--corrupt-every", "0").c_str()));
  std::fprintf(stderr, "unknown mode %s\n", args[0].c_str());
  return 2;
}
