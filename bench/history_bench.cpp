// ign_history_bench: the unit history against the tick. Adding an entry
// (what the GUI thread does after an operation's outcome), listing a large
// history, and the size of the file.
//
//   ign_history_bench [--entries N] [--units U]
//
// Prints a Markdown section; times are wall times of this machine, reported
// as ratios against the 55 ms tick. Nothing passes or fails on time.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/history/history_store.h"
#include "core/params/defaults.h"
#include "core/params/normalise.h"
#include "core/params/param_diff.h"

namespace ign::bench {
namespace {

using Clock = std::chrono::steady_clock;
constexpr double kTickMs = 55.0;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Quantile(std::vector<double> v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[size_t(q * double(v.size() - 1))];
}

long FileBytes(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? long(st.st_size) : 0;
}

// A unit's tune that changes a little with every Program, as a tuner's does.
struct Tune {
  Image image;
  void Evolve(std::mt19937& rng) {
    std::uniform_int_distribution<int> cell(0, kMapCells - 1), delta(-3, 3), count(1, 6);
    for (int n = count(rng); n > 0; --n) {
      uint8_t& c = image[size_t(Adrb::ADVANCE + cell(rng))];
      c = uint8_t(std::clamp(int(c) + delta(rng), 70, 160));
    }
    image[Adrb::LIMITER] = uint8_t(std::clamp(int(image[Adrb::LIMITER]) + delta(rng), 10, 250));
  }
};

struct Figures {
  std::vector<double> addMs, diffMs;
  double listAllMs = 0, listAllMedianMs = 0, listUnitMs = 0, unitsMs = 0;
  long bytes = 0;
  long entries = 0;
};

// Fills a history of `entries` Programs spread over `units` units, each with
// the image it replaced and the one it wrote; every image new when `distinct`.
Figures Run(const std::string& folder, int entries, int units, bool distinct) {
  Figures f;
  const std::string path = HistoryFilePath(folder + "/");
  CHistoryStore store;
  store.CheckpointInBackground();  // as the window's recorder keeps it
  if (!store.Open(path).Ok()) return f;
  std::mt19937 rng(7);
  std::vector<Tune> tunes(static_cast<size_t>(units));
  for (int u = 0; u < units; ++u) {
    tunes[size_t(u)].image = StartupImage();
    tunes[size_t(u)].image[Adrb::BIKE] = uint8_t(u % 44);
    NormaliseImage(tunes[size_t(u)].image);
  }
  std::uniform_int_distribution<int> anyCell(70, 160);
  for (int i = 0; i < entries; ++i) {
    Tune& t = tunes[size_t(i % units)];
    HistoryRecord r;
    r.time = 1700000000 + i * 60;
    r.event = HistoryEvent::Program;
    r.identity = "SN-" + std::to_string(i % units);
    r.unitName = "IGNSIM";
    r.version = "108.00";
    r.owner = "Workshop owner text of some length";
    r.file = "/home/tuner/tunes/bike-" + std::to_string(i % units) + ".ign";
    r.held = t.image;
    if (distinct)
      for (int c = 0; c < kMapCells; ++c) t.image[size_t(Adrb::ADVANCE + c)] = uint8_t(anyCell(rng));
    else
      t.Evolve(rng);
    r.given = t.image;
    r.changed = int(DiffImages(*r.held, *r.given).size());
    store.Add(r);
  }
  return f;
}

// Adds to a full history (each one prunes the oldest) at a pace far quicker
// than a tuner's, yet with room for the journal's checkpoint in between, as
// the window meets it: the GUI thread's cost of an entry.
void TimeAdds(const std::string& folder, int adds, Figures& f) {
  CHistoryStore store;
  store.CheckpointInBackground();
  if (!store.Open(HistoryFilePath(folder + "/")).Ok()) return;
  Image held = StartupImage();
  NormaliseImage(held);
  std::mt19937 rng(11);
  Tune t{held};
  for (int i = 0; i < adds; ++i) {
    HistoryRecord r;
    r.time = 1800000000 + i;
    r.event = HistoryEvent::Program;
    r.identity = "SN-" + std::to_string(i % 50);
    r.unitName = "IGNSIM";
    r.file = "/home/tuner/tunes/latest.ign";
    r.held = t.image;
    t.Evolve(rng);
    r.given = t.image;
    const auto d0 = Clock::now();
    r.changed = int(DiffImages(*r.held, *r.given).size());
    const auto t0 = Clock::now();
    store.Add(r);
    const auto t1 = Clock::now();
    f.diffMs.push_back(Ms(t0 - d0));
    f.addMs.push_back(Ms(t1 - t0));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

// Listing a history at rest, as ignctl history list and the window find it.
void List(const std::string& folder, Figures& f) {
  CHistoryStore store;
  if (!store.Open(HistoryFilePath(folder + "/")).Ok()) return;
  f.entries = store.EntryCount();
  auto t0 = Clock::now();
  const auto unitList = store.Units();
  auto t1 = Clock::now();
  f.unitsMs = Ms(t1 - t0);
  std::vector<double> lists;
  for (int i = 0; i < 5; ++i) {
    const auto l0 = Clock::now();
    const auto all = store.List();
    lists.push_back(Ms(Clock::now() - l0));
  }
  f.listAllMs = lists.front();
  f.listAllMedianMs = Quantile(lists, 0.5);
  const auto u0 = Clock::now();
  const auto one = store.List(unitList.empty() ? 0 : unitList[0].id);
  f.listUnitMs = Ms(Clock::now() - u0);
}

// The size the file keeps once the store is closed (the journal folded in).
long SizeOnDisk(const std::string& folder) {
  const std::string path = HistoryFilePath(folder + "/");
  return FileBytes(path) + FileBytes(path + "-wal");
}

void Print(const char* label, const Figures& f, int units) {
  const double p50 = Quantile(f.addMs, 0.5), p99 = Quantile(f.addMs, 0.99), worst = Quantile(f.addMs, 1.0);
  const double diff = Quantile(f.diffMs, 0.5);
  std::printf(
      "| %s | %ld | %d | %.2f / %.2f / %.2f | %.3f | %.3f | %.1f / %.1f (%.3f) | %.2f | %.1f (%.2f of 15 MB) "
      "|\n",
      label, f.entries, units, p50, p99, worst, (p50 + diff) / kTickMs, (p99 + diff) / kTickMs, f.listAllMs,
      f.listAllMedianMs, (f.listAllMs + f.unitsMs) / kTickMs, f.listUnitMs, double(f.bytes) / 1e6,
      double(f.bytes) / 15e6);
}

}  // namespace
}  // namespace ign::bench

int main(int argc, char** argv) {
  using namespace ign::bench;
  int entries = 10000, units = 50;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--entries") == 0) entries = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--units") == 0) units = std::atoi(argv[i + 1]);
  }
  const std::string base =
      std::filesystem::temp_directory_path() / ("ign-history-bench-" + std::to_string(::getpid()));
  std::printf("\n### ign_history_bench: the unit history against the 55 ms tick\n\n");
  std::printf(
      "%d Programs over %d units, each entry with the image it replaced and the one it wrote, added one\n"
      "by one (WAL journal folded in by a thread of its own, one transaction each). Then 300 more\n"
      "Programs, 20 ms apart, into that full history (the limit at its default of 10,000: each one\n"
      "prunes the oldest entry). *add ms*: the store's write of those, median / 99th percentile /\n"
      "worst; *add, ticks*: that write with the count of changed parameters, as the GUI thread does\n"
      "it after an outcome (aim: under 0.1). *list all ms*: every entry newest first, read and\n"
      "decoded, from a store just opened (first / median of 5; ticks of the first with the unit list;\n"
      "aim: under 1). *size*: the file once closed (aim: under 15 MB).\n\n",
      entries, units);
  std::printf(
      "| history | entries | units | add ms | add, ticks (median) | add, ticks (p99) | list all ms (ticks) | "
      "list one unit ms | size MB |\n");
  std::printf("|---|---|---|---|---|---|---|---|---|\n");
  for (const bool distinct : {false, true}) {
    const std::string folder = base + (distinct ? "-distinct" : "-tunes");
    std::filesystem::create_directories(folder);
    Figures f = Run(folder, entries, units, distinct);
    f.bytes = SizeOnDisk(folder);
    List(folder, f);
    TimeAdds(folder, 300, f);
    Print(distinct ? "every map new" : "tunes that evolve", f, units);
    std::filesystem::remove_all(folder);
  }
  return 0;
}
