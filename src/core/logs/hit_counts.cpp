#include "core/logs/hit_counts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ign {

namespace {

constexpr int kTableSize = 65536;

int8_t Small(int index) { return int8_t(std::clamp(index, -2, 127)); }

}  // namespace

LiveValues LiveOfReading(int rpm, int load, int sensor, bool secondMap) {
  const int type = std::clamp(sensor, 0, 2);
  LiveValues live;
  live.rpm = rpm;
  live.throttle = type == 1 ? load : 100;
  live.pressure = type == 2 ? load : -1;
  live.status = (secondMap ? LiveStatus::kActiveMap : 0u) + (type == 2 ? 0x30u : 0u);
  return live;
}

CHitCounter::CHitCounter(const CSheet& sheet, int sheetIndex) : sheet_(sheet), sheetIndex_(sheetIndex) {
  LiveValues probe;
  if (!sheet_.x.collapsed) {
    columnOfRpm_.resize(kTableSize);
    for (int r = 0; r < kTableSize; ++r) {
      probe.rpm = r;
      columnOfRpm_[size_t(r)] = Small(LiveIndex(sheet_.x, probe, sheet_.flags, sheet_.liveAfr));
    }
  }
  pressureAxis_ = sheet_.y.unit == "IAP";
  if (!sheet_.y.collapsed) {
    rowOfLoad_.resize(kTableSize);
    for (int v = 0; v < kTableSize; ++v) {
      probe.throttle = v;
      probe.pressure = pressureAxis_ ? v - 1 : v;
      rowOfLoad_[size_t(v)] = Small(LiveIndex(sheet_.y, probe, sheet_.flags, sheet_.liveAfr));
    }
  }
}

int CHitCounter::Column(int32_t rpm) const {
  if (sheet_.x.collapsed) return sheet_.x.collapsedIndex;
  if (rpm >= 0 && rpm < kTableSize) return columnOfRpm_[size_t(rpm)];
  LiveValues live;
  live.rpm = rpm;
  return LiveIndex(sheet_.x, live, sheet_.flags, sheet_.liveAfr);
}

int CHitCounter::Row(const LiveValues& live) const {
  if (sheet_.y.collapsed) return sheet_.y.collapsedIndex;
  const int v = pressureAxis_ ? live.pressure + 1 : live.throttle;
  if (v >= 0 && v < kTableSize) return rowOfLoad_[size_t(v)];
  return LiveIndex(sheet_.y, live, sheet_.flags, sheet_.liveAfr);
}

// The state the rule gives a known cell for a status word (it depends on
// nothing else while the engine turns).
int CHitCounter::State(uint32_t status) const {
  const auto it = stateOfStatus_.find(status);
  if (it != stateOfStatus_.end()) return it->second;
  LiveValues probe;
  probe.rpm = 1;  // turning; the state does not depend on the speed
  probe.status = status;
  const int state = ComputeLiveCell(sheet_, sheetIndex_, probe).state;
  stateOfStatus_.emplace(status, state);
  return state;
}

LiveCell CHitCounter::CellOf(const LiveValues& live) const {
  LiveCell cell;
  if (!(sheet_.flags & SheetFlag::kFollowsLive)) return cell;
  cell.column = Column(live.rpm);
  cell.row = Row(live);
  if (cell.column == kLiveUnknown || cell.row == kLiveUnknown) return cell;
  cell.state = State(live.status);
  if (sheet_.x.unit == "RPM" && live.rpm == 0) cell.state = 0;
  return cell;
}

void CHitCounter::Add(const LiveValues& live, double seconds) {
  if (!(seconds > 0)) return;
  const LiveCell cell = CellOf(live);
  if (cell.state == 1 && sheet_.InCells(cell.column, cell.row)) {
    cells_[size_t(CSheet::CellIndex(cell.column, cell.row))] += seconds;
    counted_ += seconds;
  } else if (live.rpm > 0) {
    elsewhere_ += seconds;
  }
}

void CHitCounter::Clear() {
  cells_.fill(0);
  counted_ = elsewhere_ = 0;
}

HitTable TableOf(const CHitCounter& counter, HitMap map) {
  const CSheet& s = counter.Sheet();
  HitTable t;
  t.map = map;
  t.loadUnit = s.y.unit;
  t.counted = counter.Counted();
  t.elsewhere = counter.Elsewhere();
  for (int c = s.ShownColumnBegin(); c < s.ShownColumnEnd(); ++c)
    t.rpm.push_back(int32_t(std::lround(s.x.values[size_t(c)] * s.x.scale)));
  if (!s.y.collapsed)
    for (int r = s.ShownRowBegin(); r < s.ShownRowEnd(); ++r)
      t.load.push_back(int32_t(std::lround(s.y.values[size_t(r)] * s.y.scale)));
  for (int r = s.ShownRowBegin(); r < s.ShownRowEnd(); ++r)
    for (int c = s.ShownColumnBegin(); c < s.ShownColumnEnd(); ++c)
      t.seconds.push_back(counter.Seconds(c, r));
  return t;
}

bool CountLogHits(const CLog& log, double from, double to, int sensorFallback, CHitCounter& counter,
                  std::string& message) {
  const int rpmChannel = log.FindRole(ChannelRole::Rpm);
  if (rpmChannel < 0) {
    message =
        "###The log has no engine speed (RPM)##Das Protokoll hat keine Drehzahl (RPM)##Záznam nemá otáčky "
        "(RPM)";
    return false;
  }
  const int loadChannel = log.FindRole(ChannelRole::Load);
  const int sensorChannel = log.FindRole(ChannelRole::LoadSensor);
  const int secondChannel = log.FindRole(ChannelRole::SecondMap);
  const auto& rpm = log.channels[size_t(rpmChannel)].values;
  const float* load = loadChannel >= 0 ? log.channels[size_t(loadChannel)].values.data() : nullptr;
  const float* sensor = sensorChannel >= 0 ? log.channels[size_t(sensorChannel)].values.data() : nullptr;
  const float* second = secondChannel >= 0 ? log.channels[size_t(secondChannel)].values.data() : nullptr;
  const size_t n = log.Rows();
  if (n == 0 || !(to > from)) return true;
  const size_t first = log.RowAt(from), end = log.EndRowUntil(to);
  for (size_t i = first; i < end; ++i) {
    const double a = std::max(log.time[i], from);
    const double b = std::min(i + 1 < n ? log.time[i + 1] : log.time[i], to);
    if (!(b > a) || !HasValue(rpm[i])) continue;
    const int type = sensor && HasValue(sensor[i]) ? int(sensor[i]) : (load ? sensorFallback : 0);
    const float l = load && HasValue(load[i]) ? load[i] : 0.0f;
    const bool map2 = second && HasValue(second[i]) && second[i] >= 0.5f;
    counter.Add(LiveOfReading(int(std::lround(rpm[i])), int(std::lround(l)), type, map2), b - a);
  }
  return true;
}

namespace {

std::string Seconds(double s) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.3f", s);
  return buf;
}

std::string Joined(const HitTable& t, char sep, bool pad) {
  const auto field = [&](const std::string& s) {
    if (!pad) return s;
    return std::string(s.size() < 9 ? 9 - s.size() : 0, ' ') + s;
  };
  std::string out = field(pad ? (t.load.empty() ? "rpm" : t.loadUnit + "\\rpm") : "");
  for (int32_t r : t.rpm) out += sep + field(std::to_string(r));
  out += '\n';
  for (int row = 0; row < t.Rows(); ++row) {
    out += field(t.load.empty() ? std::string() : std::to_string(t.load[size_t(row)]));
    for (int c = 0; c < t.Columns(); ++c) out += sep + field(Seconds(t.At(row, c)));
    out += '\n';
  }
  return out;
}

}  // namespace

std::string HitTableCsv(const HitTable& t) { return Joined(t, ',', false); }
std::string HitTableText(const HitTable& t) { return Joined(t, ' ', true); }
std::string HitTableTabs(const HitTable& t) { return Joined(t, '\t', false); }

}  // namespace ign
