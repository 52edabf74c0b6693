#include "core/monitor/csv_columns.h"

#include <array>
#include <cstdio>

namespace ign {

namespace {

constexpr std::array<CsvColumn, kCsvColumns> MakeTable() {
  std::array<CsvColumn, kCsvColumns> t{};
  int n = 0;
  auto add = [&](int index, int kind, const char* name, const char* unit) {
    t[size_t(n++)] = {index, kind, name, unit};
  };
  add(0, CsvKind::HwKey, "HWKEY", "");
  add(0, CsvKind::Key, "RSKEY", "");
  add(1, CsvKind::Byte, "BIKE", "enumeration");
  add(1, CsvKind::Word, "RPM", "1/min");
  add(2, CsvKind::Word, "TPS", "mV");
  add(3, CsvKind::Word, "TPSIAP", "0.1%/kPa");
  add(4, CsvKind::Word, "BATTERY", "mV");
  add(5, CsvKind::Word, "SERVO", "mV");
  add(6, CsvKind::Word, "SERVO_TG", "mV");
  // The maximum advances are words 9..12, the words the display shows.
  add(9, CsvKind::Word, "ADV_MAX 1", "°");
  add(10, CsvKind::Word, "ADV_MAX 2", "°");
  add(11, CsvKind::Word, "ADV_MAX 3", "°");
  add(12, CsvKind::Word, "ADV_MAX 4", "°");
  add(13, CsvKind::Word, "DWELL_OPT", "0,1ms");
  add(14, CsvKind::Word, "DWELL", "0,1ms");
  add(15, CsvKind::Word, "Moto_min_LO", "min");
  add(115, CsvKind::Byte, "Moto_min_HI", "min");
  add(39, CsvKind::Word, "OVERVOLTAGE_COUNTER", "1");
  add(105, CsvKind::Byte, "ADV1", "°");
  add(106, CsvKind::Byte, "ADV2", "°");
  add(107, CsvKind::Byte, "ADV3", "°");
  add(108, CsvKind::Byte, "ADV5", "°");
  const char* pout[] = {"POUT0", "POUT1", "POUT2", "POUT3"};
  for (int b = 0; b < 4; ++b) add(109, b, pout[b], "0/1");
  const char* modes[] = {"POUT_MODE0", "POUT_MODE1", "POUT_MODE2", "POUT_MODE3"};
  for (int i = 0; i < 4; ++i) add(110 + i, CsvKind::Byte, modes[i], "enumeration");
  add(116, CsvKind::Byte, "SERVO", "%");
  add(117, CsvKind::Byte, "SERVO_TARG", "%");
  add(118, CsvKind::Byte, "SYNCHRO", "1");
  add(119, CsvKind::Byte, "CHANNELS", "1");
  for (int b = 0; b < 4; ++b) add(127, b, "FULL_SYNC", "0/1");
  const char* pickup[] = {"PICKUP1_RUN", "PICKUP2_RUN", "SYNCHRO1_ERR",  "SYNCHRO2_ERR",
                          "POLARITY1",   "POLARITY2",   "POLARITY1_ERR", "POLARITY2_ERR"};
  for (int b = 0; b < 8; ++b) add(140, b, pickup[b], "0/1");
  const char* inputs[] = {"KILL_SWITCH",   "BLOCKING", "CLUTCH_MASTER", "RETARD",
                          "START_LIMITER", "2ND_ADV",  "TACHO_LAMBDA"};
  for (int b = 0; b < 7; ++b) add(141, b, inputs[b], "0/1");
  const char* levels[] = {"INPUT1_IN", "INPUT2_IN", "INPUT3_IN", "INPUT4_IN", "INPUT5_IN", "INPUT6_IN"};
  for (int b = 0; b < 6; ++b) add(142, b, levels[b], "0/1");
  const char* enabled[] = {"KILL_SWITCH_EN",   "BLOCKING_EN", "CLUTCH_MASTER_EN", "RETARD_EN",
                           "START_LIMITER_EN", "2ND_ADV_EN",  "TACHO_LAMBDA_EN",  "N2O_EN"};
  for (int b = 0; b < 8; ++b) add(143, b, enabled[b], "0/1");
  const char* errors[] = {"EE_DATA_ERR", "IAP_ERR", "TPS_ERR", "DWELL_ERR", "SERVO_OK"};
  for (int b = 0; b < 5; ++b) add(144, b, errors[b], "0/1");
  const char* limits[] = {"LIMITER",       "LIMITER_SOFT", "START_LIMITER_ACT", "START_LIMITER_SOFT",
                          "SERVO_PROC_MV", "SERVO_EN",     "SPEED_EN",          "GEAR_EN"};
  for (int b = 0; b < 8; ++b) add(145, b, limits[b], "0/1");
  return t;
}

constexpr std::array<CsvColumn, kCsvColumns> kTable = MakeTable();

void Append(std::string& s, const char* format, auto... args) {
  char buf[32];
  const int n = std::snprintf(buf, sizeof buf, format, args...);
  if (n > 0) s.append(buf, size_t(n) < sizeof buf ? size_t(n) : sizeof buf - 1);
}

}  // namespace

std::span<const CsvColumn, kCsvColumns> CsvColumnTable() { return kTable; }

std::string CsvHeaderLines() {
  std::string s = "Time;";
  for (const CsvColumn& c : kTable) s.append(c.name).push_back(';');
  s += "\nms;";
  for (const CsvColumn& c : kTable) s.append(c.unit).push_back(';');
  s += '\n';
  return s;
}

std::string CsvRowText(const MonitorRecord& r, const LocalTime& time) {
  std::string s;
  s.reserve(400);
  Append(s, "%02i:%02i:%02i.%03i;", time.hour, time.minute, time.second, time.millisecond);
  for (const CsvColumn& c : kTable) {
    switch (c.kind) {
      case CsvKind::HwKey: Append(s, "0x%x;", unsigned(r.Word(Mon::HWKEY))); break;
      case CsvKind::Key: Append(s, "%i.%i;", r.Byte(Mon::KEY), r.Byte(Mon::SUBVERSION)); break;
      case CsvKind::Bike: Append(s, "%i;", r.Byte(Mon::BIKE)); break;
      case CsvKind::ByteAlso:
      case CsvKind::Byte: Append(s, "%i;", r.Byte(c.index)); break;
      case CsvKind::SignedByte: Append(s, "%i;", int(int8_t(r.Byte(c.index)))); break;
      case CsvKind::Word: Append(s, "%i;", r.Word(c.index)); break;
      default: Append(s, "%i;", r.Bit(c.index, c.kind) ? 1 : 0); break;
    }
  }
  s += '\n';
  return s;
}

}  // namespace ign
