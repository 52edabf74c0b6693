#include "core/mapedit/live.h"

#include <algorithm>
#include <optional>

namespace ign {

namespace {

std::optional<double> LiveValueFor(const std::string& unit, const LiveValues& live, int32_t afr) {
  if (unit == "RPM") return live.rpm;
  if (unit == "TP") return live.throttle;
  if (unit == "IAP") return live.pressure;
  if (unit == "TA") return live.airTemperature;
  if (unit == "TW") return live.coolantTemperature;
  if (unit == "Tst") return live.starterTemperature;
  if (unit == "AFR") return afr;
  return std::nullopt;
}

}  // namespace

int LiveIndex(const CAxe& axis, const LiveValues& live, uint32_t sheetFlags, int32_t afr) {
  const std::optional<double> raw = LiveValueFor(axis.unit, live, afr);
  const int n = std::min(axis.count, static_cast<int>(axis.values.size()));
  if (!raw || n < 1 || axis.scale == 0.0) return kLiveUnknown;
  const double value = *raw / axis.scale;
  const auto v = [&](int i) { return static_cast<double>(axis.values[static_cast<std::size_t>(i)]); };

  if (value < v(0)) {
    return (axis.unit == "RPM" && (sheetFlags & SheetFlag::kBaseAdvanceMarker)) ? kLiveBelowBase : 0;
  }
  if (axis.unit == "Tst") {
    int last = 0;
    for (int i = 0; i < n; ++i) {
      if (v(i) <= value) last = i;
    }
    return last;
  }
  for (int i = 0; i + 1 < n; ++i) {
    if ((v(i) + v(i + 1)) / 2.0 > value) return i;
  }
  return n - 1;
}

LiveCell ComputeLiveCell(const CSheet& sheet, int sheetIndex, const LiveValues& live) {
  LiveCell cell;
  if (!(sheet.flags & SheetFlag::kFollowsLive)) return cell;

  cell.column =
      sheet.x.collapsed ? sheet.x.collapsedIndex : LiveIndex(sheet.x, live, sheet.flags, sheet.liveAfr);
  cell.row =
      sheet.y.collapsed ? sheet.y.collapsedIndex : LiveIndex(sheet.y, live, sheet.flags, sheet.liveAfr);
  cell.state = 1;
  if (cell.column == kLiveUnknown || cell.row == kLiveUnknown) cell.state = 0;

  if (cell.state != 0 && sheet.data.unit == "ADV") {
    const int activeMap = static_cast<int>(live.status & LiveStatus::kActiveMap);
    cell.state = activeMap == sheetIndex ? 1 : 2;
    bool usesPressure = false;
    if (sheetIndex == 0) usesPressure = live.status & LiveStatus::kMap1Pressure;
    if (sheetIndex == 1) usesPressure = live.status & LiveStatus::kMap2Pressure;
    if ((sheet.y.unit == "TP" && usesPressure) || (sheet.y.unit == "IAP" && !usesPressure)) cell.state = -1;
  }
  if (sheet.x.unit == "RPM" && live.rpm == 0) cell.state = 0;
  return cell;
}

}  // namespace ign
