#include "core/files/ign_keywords.h"

#include <functional>
#include <string>
#include <unordered_map>

#include "core/params/lobe.h"
#include "core/params/value.h"

namespace ign {
namespace {

using namespace Adrb;

constexpr int kOldMapVersion = 96;  // files below this carry 10 rpm columns

// A value read and turned back into a raw value; nothing when the text has no number left.
std::optional<int> Raw(IgnReadContext& c, int scale = 1, int offset = 0) {
  std::optional<int> v = c.in.NextNumber();
  if (!v) return std::nullopt;
  return ShownToRaw(*v, scale, offset);
}

// A byte value outside the byte's range stores 0.
uint8_t InRange(int raw, int lo = 0, int hi = 255) { return raw < lo || raw > hi ? 0 : uint8_t(raw); }

void Byte(IgnReadContext& c, int adrb, int scale = 1, int offset = 0) {
  if (auto raw = Raw(c, scale, offset)) c.img[adrb] = InRange(*raw);
}
void Bytes(IgnReadContext& c, int adrb, int count, int scale = 1, int offset = 0) {
  for (int i = 0; i < count; ++i) Byte(c, adrb + i, scale, offset);
}
// Words keep the low 16 bits of the value.
void Words(IgnReadContext& c, int adrw, int count) {
  for (int i = 0; i < count; ++i)
    if (auto raw = Raw(c)) SetWord(c.img, adrw + i, uint16_t(*raw));
}
void Skip(IgnReadContext& c, int count) {
  for (int i = 0; i < count; ++i) c.in.NextNumber();
}
// Each non-zero value sets its bit, lowest bit first; the byte is cleared first.
void BitsOf(IgnReadContext& c, int adrb, int count) {
  c.img[adrb] = 0;
  for (int i = 0; i < count; ++i)
    if (auto v = c.in.NextNumber(); v && *v != 0) c.img[adrb] |= uint8_t(1 << i);
}
// Map cells stored as value + 100, without range check.
void AdvanceCells(IgnReadContext& c, int base, int columns) {
  for (int r = 0; r < kMapRows; ++r)
    for (int col = 0; col < columns; ++col)
      if (auto v = c.in.NextNumber()) c.img[base + kMapCols * r + col] = uint8_t(*v + 100);
}

int BikeChannels(const IgnReadContext& c) {
  if (c.family == IgnFamily::Family3) return 2;
  if (c.family == IgnFamily::Family4) return c.version == 106 ? 1 : 2;
  return 4;
}

void ReadBike(IgnReadContext& c) {
  if (auto raw = Raw(c)) {
    uint8_t bike = InRange(*raw);
    c.img[BIKE] = bike == 22 ? 255 : bike;
  }
  Bytes(c, PICKUP_SYSTEM, 3);
  const bool wide = IsWideLobeSystem(c.img[PICKUP_SYSTEM]);
  const int channels = BikeChannels(c);
  for (int ch = 0; ch < channels; ++ch)
    for (int base : {PICKUP1_LOBES, PICKUP2_LOBES}) {
      std::optional<int> lobe = Raw(c);
      std::optional<int> edge = c.in.NextNumber();
      std::optional<int> second = c.in.NextNumber();
      if (!lobe) continue;
      Lobe l;
      l.number = InRange(*lobe);
      l.secondEdge = edge.value_or(0) != 0;
      l.secondPickup = !wide && second.value_or(0) != 0;
      c.img[base + ch] = EncodeLobe(l, wide);
    }
  Byte(c, REV_WITHOUT_IGNITION);
  Byte(c, COMPENSATION);
  Skip(c, channels == 4 ? 3 : 1);
  c.bikeSection = true;
}

void ReadInput(IgnReadContext& c) {
  c.img[INPUT_INVERT] = 0;
  Bytes(c, PICKUP1_POLARITY, 2);
  Bytes(c, INPUT_FUNCTION, 2);
  for (int i = 0; i < 2; ++i)
    if (c.img[INPUT_FUNCTION + i] == 4) {
      c.img[INPUT_FUNCTION + i] = 3;
      c.img[INPUT_INVERT] |= uint8_t(1 << i);
    }
}

void ReadInputN(IgnReadContext& c, int index) {
  if (index == 0) c.img[INPUT_INVERT] = 0;
  Byte(c, INPUT_FUNCTION + index);
  if (auto raw = Raw(c)) c.img[INPUT_INVERT] |= uint8_t(InRange(*raw) << index);
}

void ReadLimiter(IgnReadContext& c) {
  if (c.family != IgnFamily::Family4) return Byte(c, LIMITER);
  Skip(c, 1);
  Byte(c, START_LIM);
  Byte(c, START_LIM_DELAY, 100);
  Skip(c, 1);
  Byte(c, LIMITER);
}

void ReadClutch(IgnReadContext& c) {
  if (c.family != IgnFamily::Family4) {
    Byte(c, CLUTCH_TIME, 5);
    Byte(c, CLUTCH_PAUSE, 10);
    return;
  }
  Skip(c, 2);
  Byte(c, CLUTCH_PAUSE, 10);
  Skip(c, 2);
}

void ReadClutchTime(IgnReadContext& c) {
  if (c.family != IgnFamily::Family4) return;
  Byte(c, CLUTCH_TIME, 5);
  Skip(c, 5);
}

void ReadAdvanceMisc(IgnReadContext& c) {
  Byte(c, ADV_MAP);
  Byte(c, BASE_ADV);
  Bytes(c, CORR_ADVANCE, 2, 1, -100);
  c.img[ADV_COLUMNS] = kMapCols;
  c.img[ADV2_COLUMNS] = kMapCols;
  c.img[ADV2_MAP] = c.img[ADV_MAP];
}

void ReadTpsMap(IgnReadContext& c) {
  Byte(c, ADV_MAP);
  c.img[TPSIAP_SENSOR] = 1;
  if (c.img[ADV_MAP] > 1) c.img[ADV_MAP] = 1;
}

void ReadRpmAdv(IgnReadContext& c) {
  const bool old = c.version < kOldMapVersion;
  Bytes(c, RPM_ADV, old ? 10 : kMapCols, 100);
  if (!old) return;
  c.img[ADV_COLUMNS] = kMapCols;
  for (int col = 10; col < kMapCols; ++col) {
    const int next = c.img[RPM_ADV + col - 1] + 10;
    c.img[RPM_ADV + col] = uint8_t(next > 255 ? 255 : next);
  }
}

void ReadAdvance(IgnReadContext& c) {
  const bool old = c.version < kOldMapVersion;
  AdvanceCells(c, ADVANCE, old ? 10 : kMapCols);
  if (!old) return;
  for (int r = 0; r < kMapRows; ++r)
    for (int col = 10; col < kMapCols; ++col)
      c.img[ADVANCE + kMapCols * r + col] = c.img[ADVANCE + kMapCols * r + 9];
}

void ReadPowerOut(IgnReadContext& c, int k) {
  Byte(c, POWER_OUT_FUNCTION + k);
  if (c.img[POWER_OUT_FUNCTION + k] == 3) c.img[POWER_OUT_FUNCTION + k] = 255;
  Bytes(c, POWER_OUT_RPM + 3 * k, 3, 100);
  Byte(c, POWER_OUT_HYSTERESIS + k, 10);
  Words(c, Adrw::POWER_OUT_TP + 2 * k, 2);
  for (int m = 0; m < 3; ++m) c.img[POWER_OUT_MASK + 3 * k + m] = 0;
  for (int m = 0; m < 3; ++m) BitsOf(c, POWER_OUT_MASK + 3 * k + m, 4);
}

void ReadPowerOutPwm(IgnReadContext& c, int k) {
  Bytes(c, POWER_OUT_PWM_RPM + 6 * k, 6, 100);
  Words(c, Adrw::POWER_OUT_PWM_TP + 4 * k, 4);
  Bytes(c, POWER_OUT_PWM + 24 * k, 24);
}

using Handler = std::function<void(IgnReadContext&)>;

// One byte parameter, read as value / scale - offset.
Handler Param(int adrb, int scale = 1, int offset = 0) {
  return [=](IgnReadContext& c) { Byte(c, adrb, scale, offset); };
}
Handler WordsOf(int adrw, int count) {
  return [=](IgnReadContext& c) { Words(c, adrw, count); };
}
Handler Nothing() {
  return [](IgnReadContext&) {};
}

std::unordered_map<std::string, Handler> BuildTable() {
  std::unordered_map<std::string, Handler> t;
  t["BIKE"] = ReadBike;
  t["4_TAKT"] = t["FOUR_STROKE"] = Param(FOUR_STROKE);
  t["FOUR_STROKE_2ND_TURN"] = [](IgnReadContext& c) { BitsOf(c, FOUR_STROKE_2ND_TURN, 4); };
  t["PICKUP_POLARITY"] = t["INV_PICKUP"] = [](IgnReadContext& c) { Bytes(c, PICKUP1_POLARITY, 2); };
  t["RPM"] = [](IgnReadContext& c) {
    // Written unsigned (255, 254 for the pick-ups); a signed -1, -2 means the same.
    if (auto raw = Raw(c)) c.img[RPM_PULSES] = *raw < -128 || *raw > 255 ? 0 : uint8_t(*raw);
    Byte(c, RPM_CORRECTION, 1, -100);
  };
  const std::pair<const char*, int> same[] = {{"SYNC_POLARITY", SYNC_POLARITY},
                                              {"MAX_LOBE_LEN", MAX_LOBE_LEN},
                                              {"PICKUPS_INTERCHANGE", PICKUPS_INTERCHANGE},
                                              {"NO_LOBE_CHECK", NO_LOBE_CHECK},
                                              {"INTERLOCK_INPUT", INTERLOCK_INPUT},
                                              {"SPARK_BEFORE_LOBE", SPARK_BEFORE_LOBE},
                                              {"SPECIAL_START_PERC", SPECIAL_START_PERC},
                                              {"FLYWHEEL_OPERATION", FLYWHEEL_OPERATION},
                                              {"GEBER_MODE", GEBER_MODE},
                                              {"SPEC_START", SPECIAL_START},
                                              {"SPECIAL_START", SPECIAL_START},
                                              {"START_LIM", START_LIM},
                                              {"RETARD", RETARD},
                                              {"EXCITATION", EXCITATION},
                                              {"DUR_DISCHARG", DUR_DISCHARG},
                                              {"TPSIAP_SENSOR", TPSIAP_SENSOR},
                                              {"SENSOR_TPS_IAP", TPSIAP_SENSOR},
                                              {"SERVO_SENSOR", SERVO_SENSOR},
                                              {"BASE_ADV", BASE_ADV},
                                              {"ADV2TOOUT2", ADV2TOOUT2},
                                              {"ADV_MAPA", ADV_MAP},
                                              {"ADV_MAP", ADV_MAP},
                                              {"ADV_COLUMNS", ADV_COLUMNS},
                                              {"ADV2_MAP", ADV2_MAP},
                                              {"ADV2_COLUMNS", ADV2_COLUMNS},
                                              {"SERVO_ENABLE", SERVO_ENABLE},
                                              {"SERVO_PERCENT", SERVO_PERCENT},
                                              {"SERVO_NO", SERVO_NO},
                                              {"SERVO_MAPA", SERVO_MAP},
                                              {"SERVO_MAP", SERVO_MAP},
                                              {"SERVO_COLUMNS", SERVO_COLUMNS}};
  for (auto [keyword, adrb] : same) t[keyword] = Param(adrb);
  t["LIMITER"] = ReadLimiter;
  t["START_LIM_DELAY"] = Param(START_LIM_DELAY, 100);
  t["INPUT_NEUTRAL_SS"] = Nothing();
  t["INPUT1"] = [](IgnReadContext& c) { ReadInputN(c, 0); };
  t["INPUT2"] = [](IgnReadContext& c) { ReadInputN(c, 1); };
  t["INPUT"] = ReadInput;
  t["DWELL"] = [](IgnReadContext& c) {
    Bytes(c, EXCITATION, 5);  // 179..183
    Byte(c, DWELL_5);
  };
  t["TPS"] = t["SENSOR_TPS"] = WordsOf(Adrw::TPS, 2);
  t["IAP_SENSOR"] = t["SENSOR_IAP"] = WordsOf(Adrw::IAP_SENSOR, 4);
  t["ADVANCE_MISC"] = ReadAdvanceMisc;
  t["CORR_ADVANCE"] = [](IgnReadContext& c) { Bytes(c, CORR_ADVANCE, 4, 1, -100); };
  t["TPS_MAPA"] = ReadTpsMap;
  t["IAP"] = t["ADV_IAP"] = WordsOf(Adrw::ADV_IAP, kMapRows);
  t["RPM_ADV"] = t["ADVANCE_RPM1"] = ReadRpmAdv;
  t["ADVANCE"] = t["ADVANCE1"] = ReadAdvance;
  t["ADV2_IAP"] = WordsOf(Adrw::ADV2_IAP, kMapRows);
  t["RPM_ADV2"] = t["ADVANCE_RPM2"] = [](IgnReadContext& c) { Bytes(c, RPM_ADV2, kMapCols, 100); };
  t["ADVANCE2"] = [](IgnReadContext& c) {
    AdvanceCells(c, ADVANCE2, kMapCols);
    c.map2Read = true;
  };
  t["SERRVO_MISC"] = [](IgnReadContext& c) {
    Bytes(c, SERVO_ENABLE, 3);  // SERVO_ENABLE, SERVO_PERCENT, SERVO_MAP
    Byte(c, SERVO_HYSTER, 5);
  };
  t["SERVO_HYSTER"] = Param(SERVO_HYSTER, 5);
  t["SERRVO_MISC_HO"] = Param(SERVO_NO, 5);
  t["SERVO_IAP"] = WordsOf(Adrw::SERVO_IAP, kMapRows);
  t["SERVO_RPM"] = [](IgnReadContext& c) { Bytes(c, SERVO_RPM, kMapCols, 100); };
  t["SERVO"] = t["SERVO_MV"] = [](IgnReadContext& c) { Bytes(c, SERVO, kMapCells, 20); };
  for (int k = 0; k < 2; ++k) {
    const std::string n = std::to_string(k + 1);
    t["POWER_OUT" + n] = [k](IgnReadContext& c) { ReadPowerOut(c, k); };
    t["POWER_OUT" + n + "_PWM"] = [k](IgnReadContext& c) { ReadPowerOutPwm(c, k); };
  }
  for (const char* keyword : {"POWER_OUT3", "POWER_OUT4", "POWER_OUT3_PWM", "POWER_OUT4_PWM"})
    t[keyword] = Nothing();
  for (int n = 1; n <= 4; ++n) {
    const std::string prefix = "POWER_OUT" + std::to_string(n);
    t[prefix + "_SP_PWM"] = Param(237 + n);
    t[prefix + "_SPWM_FR"] = Param(233 + n);
    t[prefix + "_SPULSE"] = Param(241 + n, 5);
  }
  t["PILOT_LIGHT"] = Param(POWER_OUT_RPM + 3, 100);
  t["PILOT_LIGHT_INV_OUT"] = [](IgnReadContext& c) { Skip(c, 1); };
  t["CLUTCH"] = ReadClutch;
  t["CLUTCH_TIME"] = ReadClutchTime;
  t["PROPRIETARY"] = WordsOf(Adrw::PROPRIETARY, 5);
  return t;
}

}  // namespace

bool ReadKeyword(std::string_view token, IgnReadContext& c) {
  static const std::unordered_map<std::string, Handler> table = BuildTable();
  auto it = table.find(std::string(token));
  if (it == table.end()) return false;
  it->second(c);
  return true;
}

}  // namespace ign
