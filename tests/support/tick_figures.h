#pragma once
// Figures of the window benchmarks against the main timer's 55 ms tick:
// timing a piece of work, and printing the median, the 99th percentile and
// the worst run as milliseconds and as ticks.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace ign::test {

inline constexpr double kTickMs = 55.0;

struct TickFigures {
  double median = 0, p99 = 0, worst = 0;  // ms
};

inline double MsSince(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// Runs f `runs` times; the time of each run in ms.
template <typename F>
std::vector<double> TimeRuns(int runs, F&& f) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    ms.push_back(MsSince(t0));
  }
  return ms;
}

// One line: what, median and 99th percentile (and the worst when asked), in
// ms and in ticks. Nothing is printed for no runs.
inline TickFigures ReportTicks(const char* what, std::vector<double> ms, bool worst = false) {
  if (ms.empty()) return {};
  std::sort(ms.begin(), ms.end());
  const TickFigures f{ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 99 / 100)], ms.back()};
  std::printf("%-44s median %8.3f ms = %6.4f tick   p99 %8.3f ms = %6.4f tick", what, f.median,
              f.median / kTickMs, f.p99, f.p99 / kTickMs);
  if (worst) std::printf("   worst %8.3f ms = %6.4f tick", f.worst, f.worst / kTickMs);
  std::printf("\n");
  return f;
}

}  // namespace ign::test
