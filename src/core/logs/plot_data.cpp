#include "core/logs/plot_data.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ign {

void ReduceForColumns(const CLog& log, const std::vector<float>& v, double t0, double t1, int columns,
                      PlotPoints& out) {
  out.x.clear();
  out.y.clear();
  const size_t n = log.Rows();
  if (n == 0 || columns < 1 || !(t1 > t0)) return;
  const size_t first = log.FirstRowFrom(t0), end = log.EndRowUntil(t1);
  const size_t from = first > 0 ? first - 1 : 0, to = std::min(n, end + 1);
  const auto put = [&](size_t i) {
    out.x.push_back(log.time[i]);
    out.y.push_back(HasValue(v[i]) ? double(v[i]) : std::numeric_limits<double>::quiet_NaN());
  };
  if (to - from <= size_t(columns) * 2) {
    for (size_t i = from; i < to; ++i) put(i);
    return;
  }
  out.x.reserve(size_t(columns) * 2 + 4);
  out.y.reserve(size_t(columns) * 2 + 4);
  if (from < first) put(from);
  const double span = (t1 - t0) / columns;
  size_t i = first;
  for (int c = 0; c < columns && i < end; ++c) {
    const double limit = c + 1 == columns ? t1 : t0 + span * (c + 1);
    size_t lo = n, hi = n;
    bool any = false;
    for (; i < end && (log.time[i] <= limit || c + 1 == columns); ++i) {
      any = true;
      if (!HasValue(v[i])) continue;
      if (lo == n || v[i] < v[lo]) lo = i;
      if (hi == n || v[i] > v[hi]) hi = i;
    }
    if (!any) continue;
    if (lo == n) {  // only gaps in this column
      out.x.push_back(t0 + span * (c + 0.5));
      out.y.push_back(std::numeric_limits<double>::quiet_NaN());
      continue;
    }
    put(std::min(lo, hi));
    if (lo != hi) put(std::max(lo, hi));
  }
  if (end < to) put(end);
}

HistogramData HistogramOf(const CLog& log, int channel, double from, double to, int bins) {
  HistogramData h;
  if (channel < 0 || size_t(channel) >= log.channels.size() || bins < 1) return h;
  const std::vector<float>& v = log.channels[size_t(channel)].values;
  const size_t first = log.FirstRowFrom(from), end = log.EndRowUntil(to);
  float lo = std::numeric_limits<float>::infinity(), hi = -lo;
  for (size_t i = first; i < end; ++i)
    if (HasValue(v[i])) {
      lo = std::min(lo, v[i]);
      hi = std::max(hi, v[i]);
    }
  if (lo > hi) return h;
  h.low = lo;
  h.width = hi > lo ? (double(hi) - lo) / bins : 1.0;
  h.counts.assign(size_t(bins), 0.0);
  for (size_t i = first; i < end; ++i) {
    if (!HasValue(v[i])) continue;
    const int b = std::clamp(int((v[i] - h.low) / h.width), 0, bins - 1);
    h.counts[size_t(b)] += 1;
  }
  return h;
}

ScatterData ScatterOf(const CLog& log, int xc, int yc, int cc, double from, double to, size_t most) {
  ScatterData s;
  const auto valid = [&](int c) { return c >= 0 && size_t(c) < log.channels.size(); };
  if (!valid(xc) || !valid(yc) || most == 0) return s;
  const auto& xv = log.channels[size_t(xc)].values;
  const auto& yv = log.channels[size_t(yc)].values;
  const std::vector<float>* cv = valid(cc) ? &log.channels[size_t(cc)].values : nullptr;
  const size_t first = log.FirstRowFrom(from), end = log.EndRowUntil(to);
  if (end <= first) return s;
  const size_t step = std::max<size_t>(1, (end - first + most - 1) / most);
  for (size_t i = first; i < end; i += step) {
    if (!HasValue(xv[i]) || !HasValue(yv[i])) continue;
    s.x.push_back(xv[i]);
    s.y.push_back(yv[i]);
    s.colour.push_back(cv && HasValue((*cv)[i]) ? double((*cv)[i])
                                                : std::numeric_limits<double>::quiet_NaN());
  }
  return s;
}

}  // namespace ign
