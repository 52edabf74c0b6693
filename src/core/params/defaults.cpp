#include "core/params/defaults.h"

#include <algorithm>
#include <initializer_list>

#include "core/params/bike_presets.h"

namespace ign {
namespace {

constexpr uint8_t kRpmAxis[kMapCols] = {15, 20, 25, 30, 35, 40, 50, 60, 70, 80, 90, 100, 110, 120, 140};
constexpr uint8_t kAdvanceRowDeg[kMapCols] = {8, 8, 8, 12, 20, 23, 28, 33, 35, 35, 35, 35, 35, 35, 35};
constexpr uint16_t kLoadAxis[kMapRows] = {30, 50, 60, 70, 75, 80, 85, 90, 95, 100};

constexpr int kServoRpm[2][kMapCols] = {
    {1000, 2000, 3000, 4000, 6000, 7000, 8000, 9000, 10000, 11000, 12000, 13000, 14000, 15000, 16000},
    {300, 400, 4100, 4600, 6500, 6700, 7000, 7200, 7500, 7900, 8300, 8600, 8800, 9000, 10500}};
constexpr int kServoMv[2][kMapCols] = {
    {2000, 2100, 2200, 2300, 2400, 2450, 2500, 2550, 2600, 2650, 2700, 2750, 2800, 2850, 2900},
    {600, 900, 900, 1220, 1220, 1240, 1290, 1320, 1360, 1480, 1610, 1720, 1800, 1860, 1860}};

void SetBytes(Image& img, int at, std::initializer_list<int> values) {
  for (int v : values) img[at++] = uint8_t(v);
}
void SetWords(Image& img, int at, std::initializer_list<int> values) {
  for (int v : values) SetWord(img, at++, uint16_t(v));
}

bool OneOf(int v, std::initializer_list<int> set) {
  return std::find(set.begin(), set.end(), v) != set.end();
}

int RpmPulsesForBike(int bike, int current) {
  if (bike == 4) return 4;
  if ((bike >= 7 && bike <= 14) || OneOf(bike, {21, 23, 26}) || (bike >= 28 && bike <= 30) ||
      (bike >= 34 && bike <= 38))
    return 1;
  if (bike == 22 || bike >= 41) return current;
  return 2;
}

void SetServoDefaults(Image& img, int bike) {
  const int set = bike == 19 ? 1 : 0;
  img[Adrb::SERVO_COLUMNS] = kMapCols;
  for (int c = 0; c < kMapCols; ++c) {
    img[Adrb::SERVO_RPM + c] = uint8_t(kServoRpm[set][c] / 100);
    for (int r = 0; r < kMapRows; ++r) img[Adrb::SERVO + kMapCols * r + c] = uint8_t(kServoMv[set][c] / 20);
  }
}

}  // namespace

void CDefaults::SetGroupMask(int group) {
  for (int g = 0; g < kGroupCount; ++g) mask_[g] = group == -1 || group == g;
}

void CDefaults::ApplyDefaultValues(Image& img) {
  const int bike = img[Adrb::BIKE];
  using namespace Adrb;
  if (Selected(Group::AdvanceMap)) img[BASE_ADV] = 10;
  if (Selected(Group::Bike)) {
    img[PICKUP1_POLARITY] = 2;
    img[PICKUP2_POLARITY] = 2;
    for (int a : {PICKUPS_INTERCHANGE, NO_LOBE_CHECK, SPARK_BEFORE_LOBE, SPECIAL_START, FLYWHEEL_OPERATION,
                  SPECIAL_START_PERC, SYNC_POLARITY, SPECIAL_DWELL_START, FOUR_STROKE})
      img[a] = 0;
  }
  if (Selected(Group::Misc)) {
    img[LIMITER] = 110;
    img[START_LIM] = 100;
  }
  if (Selected(Group::Sensors)) SetWords(img, Adrw::TPS, {700, 3790});
  if (Selected(Group::AdvanceMap)) {
    img[ADV_MAP] = 0;
    img[ADV2_MAP] = 0;
  }
  if (Selected(Group::Servo)) {
    img[SERVO_ENABLE] = 0;
    img[SERVO_PERCENT] = 0;
    img[SERVO_HYSTER] = 20;
    img[SERVO_NO] = 0;
  }
  if (Selected(Group::Bike)) img[RPM_CORRECTION] = 100;
  if (Selected(Group::AdvanceMap)) {
    for (int c = 0; c < kMapCols; ++c) {
      img[RPM_ADV + c] = kRpmAxis[c];
      img[RPM_ADV2 + c] = kRpmAxis[c];
      for (int r = 0; r < kMapRows; ++r) {
        img[ADVANCE + kMapCols * r + c] = uint8_t(kAdvanceRowDeg[c] + 100);
        img[ADVANCE2 + kMapCols * r + c] = uint8_t(kAdvanceRowDeg[c] + 100);
      }
    }
    img[ADV_COLUMNS] = kMapCols;
    img[ADV2_COLUMNS] = kMapCols;
  }
  if (Selected(Group::Servo)) SetServoDefaults(img, bike);
  if (Selected(Group::Misc)) img[START_LIM_DELAY] = 0;
  if (Selected(Group::Bike)) {
    img[REV_WITHOUT_IGNITION] = img[PICKUP_SYSTEM] == 0 ? 1 : 0;
    img[COMPENSATION] = 6;
    img[MAX_LOBE_LEN] = 250;
  }
  if (Selected(Group::AdvanceMap)) {
    SetBytes(img, CORR_ADVANCE, {100, 100, 100, 100});
    img[ADV2TOOUT2] = 0;
  }
  if (Selected(Group::Misc)) {
    img[CLUTCH_TIME] = 20;
    img[CLUTCH_PAUSE] = 50;
    img[RETARD] = 6;
  }
  if (Selected(Group::PowerOut)) SetPowerOutDefaults(img);
  if (Selected(Group::Bike)) img[RPM_PULSES] = uint8_t(RpmPulsesForBike(bike, img[RPM_PULSES]));
  if (Selected(Group::Misc)) {
    img[INPUT_FUNCTION] = 0;
    img[INPUT_FUNCTION + 1] = 0;
    img[INPUT_INVERT] = 0;
    if (OneOf(bike, {0, 2, 15, 18, 19, 20, 21, 24, 25, 27}))
      img[INPUT_FUNCTION] = 2;
    else if (bike == 17)
      img[INPUT_FUNCTION] = 1;
  }
  if (Selected(Group::Test)) SetBytes(img, TEST_SET, {50, 50});
  if (Selected(Group::AdvanceMap))
    for (int r = 0; r < kMapRows; ++r) {
      SetWord(img, Adrw::ADV_IAP + r, kLoadAxis[r]);
      SetWord(img, Adrw::ADV2_IAP + r, kLoadAxis[r]);
    }
  if (Selected(Group::Servo))
    for (int r = 0; r < kMapRows; ++r) SetWord(img, Adrw::SERVO_IAP + r, kLoadAxis[r]);
  if (Selected(Group::Sensors)) {
    SetWords(img, Adrw::IAP_SENSOR, {55, 2305, 105, 3756});
    img[TPSIAP_SENSOR] = 0;
    img[SERVO_SENSOR] = 0;
  }
  for (int i = 0; i < 5; ++i) SetWord(img, Adrw::PROPRIETARY + i, 0);  // whatever the mask
}

void CDefaults::LoadDefaults(Image& img, int group) {
  img[Adrb::RESERVED_389] = 0;
  SetGroupMask(group);
  const bool userBike = img[Adrb::BIKE] == kBikeUserDefined;
  if (!userBike || !bikeChanged_) ApplyDefaultValues(img);
  if (!userBike) {
    if (Selected(Group::Bike)) {
      for (int i = 0; i < 4; ++i) {
        img[Adrb::PICKUP1_LOBES + i] = 0;
        img[Adrb::PICKUP2_LOBES + i] = 0;
      }
      img[Adrb::FOUR_STROKE_2ND_TURN] = 0;
    }
    if (Selected(Group::Misc)) img[Adrb::GEBER_MODE] = 1;
  }
  ApplyBikePreset(img);
  if (Selected(Group::Bike)) {
    uint8_t& channels = img[Adrb::CHANNEL_COUNT];
    if (channels == 0) channels = 1;
    if (channels > 4) channels = 4;
  }
  bikeChanged_ = false;
  if (onMapsReload) onMapsReload();
}

void CDefaults::ApplyBikePreset(Image& img) {
  bikeChanged_ = false;
  const int bike = img[Adrb::BIKE];
  std::optional<BikePreset> p = FindBikePreset(bike);
  if (!p || p->system < 0) return;
  if (!Selected(Group::Bike) && !p->anyMask) return;
  img[Adrb::PICKUP_SYSTEM] = uint8_t(p->system);
  img[Adrb::LOBE_COUNT] = uint8_t(p->lobes);
  img[Adrb::CHANNEL_COUNT] = uint8_t(p->channels);
  if (p->geberMode >= 0) img[Adrb::GEBER_MODE] = uint8_t(p->geberMode);
  for (int i = 0; i < p->lobeCount; ++i) {
    img[Adrb::PICKUP1_LOBES + i] = p->pickup1[i];
    img[Adrb::PICKUP2_LOBES + i] = p->pickup2[i];
  }
  switch (bike) {
    case 19:
      if (Selected(Group::Servo)) img[Adrb::SERVO_ENABLE] = 1;
      break;
    case 21: img[Adrb::SPECIAL_START] = 1; break;
    case 31:
    case 40: img[Adrb::PICKUP1_POLARITY] = 1; break;
    case 36:
    case 37: img[Adrb::PICKUPS_INTERCHANGE] = 1; break;
    case 41:
    case 42: img[Adrb::NO_LOBE_CHECK] = 0; break;
    default: break;
  }
}

void SetPowerOutFixed(Image& img, int k, int mode) {
  const int function = img[Adrb::POWER_OUT_FUNCTION + k];
  const int rpm = Adrb::POWER_OUT_RPM + 3 * k, mask = Adrb::POWER_OUT_MASK + 3 * k;
  const int tp = Adrw::POWER_OUT_TP + 2 * k, hyst = Adrb::POWER_OUT_HYSTERESIS + k;
  auto fuller = [&](std::initializer_list<int> rpms) {
    SetBytes(img, rpm, rpms);
    SetWords(img, tp, {75, 90});
    img[hyst] = 10;
  };
  if (function == 2) {
    if (mode >= 1) fuller({90, 95, 140});
    SetBytes(img, mask, {12, 14, 14});
  } else if (function == 3) {
    if (mode >= 1) fuller({40, 125, 140});
    SetBytes(img, mask, {14, 12, 12});
  } else if (OneOf(function, {0, 1, 255}) && mode <= 1) {
    fuller({40, 125, 140});
    SetBytes(img, mask, {2, 2, 2});
  }
}

void CDefaults::SetPowerOutDefaults(Image& img) {
  img[Adrb::POWER_OUT_FUNCTION] = 1;  // fuel pump
  SetPowerOutFixed(img, 0, 1);
  img[Adrb::POWER_OUT_FUNCTION + 1] = 2;  // gear shift light
  SetPowerOutFixed(img, 1, 1);
  for (int k = 0; k < 2; ++k) {
    img[Adrb::POWER_OUT_SPULSE + k] = 20;
    img[Adrb::POWER_OUT_SPWM_FR + k] = 10;
    img[Adrb::POWER_OUT_SP_PWM + k] = 100;
    SetBytes(img, Adrb::POWER_OUT_PWM_RPM + 6 * k, {20, 40, 60, 80, 100, 120});
    SetWords(img, Adrw::POWER_OUT_PWM_TP + 4 * k, {20, 40, 60, 80});
    for (int c = 0; c < 24; ++c) img[Adrb::POWER_OUT_PWM + 24 * k + c] = 0;
  }
}

Image StartupImage() {
  Image img{};
  img[Adrb::BIKE] = kStartBike;
  CDefaults d;
  d.LoadDefaults(img, Group::All);
  return img;
}

}  // namespace ign
