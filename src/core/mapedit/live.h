#pragma once
// The live operating point: values the owner stores on every tick, the
// markers, and how an axis finds its live index.
#include <cstdint>

#include "core/mapedit/axe.h"
#include "core/mapedit/sheet.h"

namespace ign {

// Live status word bits.
namespace LiveStatus {
inline constexpr uint32_t kActiveMap = 0x1;      // index of the advance map the unit uses
inline constexpr uint32_t kMap1Pressure = 0x10;  // advance map 1 uses pressure as its load axis
inline constexpr uint32_t kMap2Pressure = 0x20;  // advance map 2 uses pressure
}  // namespace LiveStatus

// Live values in display units (rpm, %, kPa, degrees C).
struct LiveValues {
  int32_t rpm = 0;
  int32_t previousRpm = 0;
  int32_t throttle = 0;
  int32_t pressure = 0;
  uint32_t status = 0;
  int32_t airTemperature = 0;      // "TA"; not filled by this program's owners
  int32_t coolantTemperature = 0;  // "TW"
  int32_t starterTemperature = 0;  // "Tst"
};

// Markers in display units, kept by the editor and taken by its owner.
struct Markers {
  int32_t baseAdvance = 0;   // degrees
  int32_t limiter = 0;       // rpm
  int32_t startLimiter = 0;  // rpm
};

// Index values of LiveIndex other than a point.
inline constexpr int kLiveBelowBase = -1;  // below the first rpm point: the base advance applies
inline constexpr int kLiveUnknown = -2;

// The live index on an axis of a sheet (sheetFlags are the sheet's flags,
// afr its air-fuel slot):
//  - the live value is picked by the axis unit and divided by its scale;
//    any other unit (or no points, or scale 0) gives kLiveUnknown;
//  - below the first point: kLiveBelowBase for "RPM" with
//    SheetFlag::kBaseAdvanceMarker, else 0;
//  - "Tst": the last point not above the live value;
//  - otherwise the nearest point: the first i whose midpoint
//    (v[i] + v[i+1]) / 2, a real number, lies above the live value, else
//    the last point (a value on a midpoint goes to the upper point).
int LiveIndex(const CAxe& axis, const LiveValues& live, uint32_t sheetFlags, int32_t afr = 0);

// The live state and cell of sheet number sheetIndex (see CSheet::liveState).
struct LiveCell {
  int column = -2;
  int row = -2;
  int state = 0;
  bool operator==(const LiveCell&) const = default;
};
LiveCell ComputeLiveCell(const CSheet& sheet, int sheetIndex, const LiveValues& live);

}  // namespace ign
