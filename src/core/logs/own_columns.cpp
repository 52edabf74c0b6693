#include "core/logs/own_columns.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ign {

namespace {

ChannelRole RoleOf(const CsvColumn& c, int column) {
  const std::string_view name = c.name;
  if (name == "RPM") return ChannelRole::Rpm;
  if (name == "TPSIAP") return ChannelRole::Load;
  if (name == "BATTERY") return ChannelRole::Battery;
  if (name == "SERVO" && c.kind == CsvKind::Word) return ChannelRole::Servo;
  if (name == "2ND_ADV") return ChannelRole::SecondMap;
  if (name == "LIMITER") return ChannelRole::Limiter;
  if (name == "START_LIMITER") return ChannelRole::StartLimiter;
  if (IsAdvanceByteColumn(column)) return ChannelRole(int(ChannelRole::Advance1) + c.index - Mon::ADV);
  return ChannelRole::None;
}

ChannelKind KindOf(const CsvColumn& c) {
  if (c.kind >= 0 && c.kind <= 7) return ChannelKind::Flag;
  if (std::strcmp(c.unit, "enumeration") == 0 || c.kind == CsvKind::HwKey || c.kind == CsvKind::Key)
    return ChannelKind::Enumeration;
  return ChannelKind::Number;
}

float AdvanceDegrees(int raw) { return raw == 0 ? kNoValue : float(raw - 100); }

}  // namespace

bool IsAdvanceByteColumn(int column) {
  const CsvColumn& c = CsvColumnTable()[size_t(column)];
  return c.kind == CsvKind::Byte && c.index >= Mon::ADV && c.index < Mon::ADV + 4;
}

void AddOwnChannels(CLog& log) {
  const auto table = CsvColumnTable();
  for (int i = 0; i < kCsvColumns; ++i) {
    const CsvColumn& c = table[size_t(i)];
    log.AddChannel(c.name, c.unit, KindOf(c), RoleOf(c, i));
  }
}

float OwnValueOfRecord(const MonitorRecord& r, int column) {
  const CsvColumn& c = CsvColumnTable()[size_t(column)];
  switch (c.kind) {
    case CsvKind::HwKey: return float(r.Word(Mon::HWKEY));
    case CsvKind::Key: {
      // As the log writes it: key, a point, the subversion ("108.12").
      char buf[16];
      std::snprintf(buf, sizeof buf, "%i.%i", r.Byte(Mon::KEY), r.Byte(Mon::SUBVERSION));
      return float(std::strtod(buf, nullptr));
    }
    case CsvKind::Bike: return float(r.Byte(Mon::BIKE));
    case CsvKind::ByteAlso:
    case CsvKind::Byte:
      return IsAdvanceByteColumn(column) ? AdvanceDegrees(r.Byte(c.index)) : float(r.Byte(c.index));
    case CsvKind::SignedByte: return float(int8_t(r.Byte(c.index)));
    case CsvKind::Word: return float(r.Word(c.index));
    default: return r.Bit(c.index, c.kind) ? 1.0f : 0.0f;
  }
}

float OwnValueOfCsv(double written, int column) {
  if (IsAdvanceByteColumn(column)) return AdvanceDegrees(int(written));
  return float(written);
}

}  // namespace ign
