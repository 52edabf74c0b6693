#include "core/logs/map_grid.h"

#include <algorithm>

#include "core/mapedit/normalise.h"

namespace ign {

namespace {

constexpr int32_t kThrottlePoints[kMapRows] = {0, 2, 5, 10, 20, 30, 40, 60, 80, 100};
constexpr uint32_t kAdvanceFlags = 0x701;  // live, base-advance, limiter and start-limiter markers
constexpr uint32_t kServoFlags = 0x609;    // live, can be disabled, limiter and start-limiter markers

struct Addresses {
  int rpm, columns, mode, iapWord;
};

Addresses AddressesOf(HitMap map) {
  switch (map) {
    case HitMap::Advance1: return {Adrb::RPM_ADV, Adrb::ADV_COLUMNS, Adrb::ADV_MAP, Adrw::ADV_IAP};
    case HitMap::Advance2: return {Adrb::RPM_ADV2, Adrb::ADV2_COLUMNS, Adrb::ADV2_MAP, Adrw::ADV2_IAP};
    case HitMap::Servo: break;
  }
  return {Adrb::SERVO_RPM, Adrb::SERVO_COLUMNS, Adrb::SERVO_MAP, Adrw::SERVO_IAP};
}

}  // namespace

const char* HitMapName(HitMap map) {
  switch (map) {
    case HitMap::Advance1: return "advance1";
    case HitMap::Advance2: return "advance2";
    case HitMap::Servo: break;
  }
  return "servo";
}

std::optional<HitMap> HitMapOfName(const std::string& name) {
  for (HitMap m : {HitMap::Advance1, HitMap::Advance2, HitMap::Servo})
    if (name == HitMapName(m)) return m;
  return std::nullopt;
}

int HitSheetIndex(HitMap map) { return map == HitMap::Advance2 ? 1 : 0; }

CSheet HitSheetOfImage(const Image& img, HitMap map) {
  const Addresses a = AddressesOf(map);
  const int sensor = img[Adrb::TPSIAP_SENSOR];
  CSheet s(kMapCols, kMapRows);
  s.flags = map == HitMap::Servo ? kServoFlags : kAdvanceFlags;
  s.data.unit = map == HitMap::Servo ? "U" : "ADV";
  // The rpm points, stored in hundreds.
  CAxe& x = s.x;
  x.unit = "RPM";
  x.scale = 100.0;
  x.minimum = 3;
  x.maximum = 250;
  x.step = 1;
  x.preferredIndex = Preferred::kFirst;
  for (int c = 0; c < kMapCols; ++c) x.values[size_t(c)] = img[size_t(a.rpm + c)];
  x.count = std::clamp<int>(img[size_t(a.columns)], 1, kMapCols);
  // The load points by the sensor.
  CAxe& y = s.y;
  y.count = kMapRows;
  y.preferredIndex = Preferred::kLast;
  y.minimum = 0;
  if (sensor == 2) {
    y.unit = "IAP";
    y.maximum = 999;
    for (int r = 0; r < kMapRows; ++r) y.values[size_t(r)] = GetWord(img, a.iapWord + r);
  } else {
    y.unit = "TP";
    y.maximum = 100;
    std::copy(std::begin(kThrottlePoints), std::end(kThrottlePoints), y.values.begin());
  }
  // The dimensions in use: without a load sensor one rpm curve; else the mode byte.
  const int mode = img[size_t(a.mode)];
  if (map == HitMap::Servo) {
    const bool twoDimensional = sensor != 0 && mode != 0;
    y.collapsed = !twoDimensional;
    x.collapsed = twoDimensional && mode == 1;
  } else {
    y.collapsed = sensor == 0 || mode == 0;
  }
  NormaliseAxis(x, true);
  NormaliseAxis(y, true);
  x.UpdateCollapsedIndex();
  y.UpdateCollapsedIndex();
  return s;
}

}  // namespace ign
