#include "core/logs/log_summary.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "core/text/lngstr.h"

namespace ign {

namespace {

constexpr double kBatteryHighMv = 14998;

std::optional<double> ThresholdOf(const LogChannel& c, int limiterRpm) {
  if (c.kind == ChannelKind::Flag) return 0.5;
  if (c.role == ChannelRole::Battery) return kBatteryHighMv;
  if (c.role == ChannelRole::Rpm && limiterRpm > 0) return limiterRpm;
  return std::nullopt;
}

std::string Number(double v) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.3f", v);
  std::string s = buf;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

}  // namespace

std::vector<ChannelSummary> SummariseLog(const CLog& log, double from, double to, int limiterRpm) {
  std::vector<ChannelSummary> out;
  const size_t n = log.Rows();
  const size_t first = n ? log.RowAt(from) : 0, end = log.EndRowUntil(to);
  for (const LogChannel& c : log.channels) {
    ChannelSummary s;
    s.name = c.name;
    s.unit = c.unit;
    s.threshold = ThresholdOf(c, limiterRpm);
    double sum = 0, lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (size_t i = first; i < end; ++i) {
      const float v = c.values[i];
      if (!HasValue(v)) continue;
      ++s.count;
      sum += v;
      lo = std::min(lo, double(v));
      hi = std::max(hi, double(v));
      if (s.threshold && v > *s.threshold) {
        const double a = std::max(log.time[i], from);
        const double b = std::min(i + 1 < n ? log.time[i + 1] : log.time[i], to);
        if (b > a) s.secondsAbove += b - a;
      }
    }
    if (s.count) {
      s.minimum = lo;
      s.maximum = hi;
      s.mean = sum / double(s.count);
    }
    out.push_back(std::move(s));
  }
  return out;
}

std::string SummaryText(const std::vector<ChannelSummary>& summary, double duration) {
  std::string out;
  char line[256];
  std::snprintf(line, sizeof line, "%-22s %-12s %10s %10s %10s %10s %9s\n",
                LngStr("###channel##Kanal##kanál"), LngStr("###unit##Einheit##jednotka"), "min", "max",
                LngStr("###mean##Mittel##průměr"), LngStr("###above##über##nad"), "s");
  out += line;
  for (const ChannelSummary& s : summary) {
    if (!s.count) {
      std::snprintf(line, sizeof line, "%-22s %-12s %10s\n", s.name.c_str(), s.unit.c_str(), "-");
    } else {
      const std::string above = s.threshold ? Number(*s.threshold) : "";
      const std::string seconds = s.threshold ? Number(s.secondsAbove) : "";
      std::snprintf(line, sizeof line, "%-22s %-12s %10s %10s %10s %10s %9s\n", s.name.c_str(),
                    s.unit.c_str(), Number(s.minimum).c_str(), Number(s.maximum).c_str(),
                    Number(s.mean).c_str(), above.c_str(), seconds.c_str());
    }
    out += line;
  }
  std::snprintf(line, sizeof line, "%s: %s s\n", LngStr("###duration##Dauer##trvání"),
                Number(duration).c_str());
  out += line;
  return out;
}

}  // namespace ign
