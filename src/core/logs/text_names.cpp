#include "core/logs/text_names.h"

#include <algorithm>
#include <cctype>

#include "core/logs/csv_fields.h"
#include "core/monitor/csv_columns.h"
#include "core/text/codepage.h"

namespace ign {

namespace {

bool ValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    int more = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (more < 0 || (more > 0 && c < 0xC2)) return false;
    if (i + size_t(more) >= s.size() && more > 0) return false;
    for (int k = 1; k <= more; ++k)
      if ((static_cast<unsigned char>(s[i + size_t(k)]) & 0xC0) != 0x80) return false;
    i += size_t(more) + 1;
  }
  return true;
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return s;
}

}  // namespace

std::string TextToUtf8(std::string_view bytes) {
  return ValidUtf8(bytes) ? std::string(bytes) : Cp1250ToUtf8(bytes);
}

std::pair<std::string, std::string> SplitNameAndUnit(const std::string& header) {
  const std::string h(TrimField(header));
  if (h.size() >= 3 && (h.back() == ']' || h.back() == ')')) {
    const char open = h.back() == ']' ? '[' : '(';
    const size_t at = h.rfind(open);
    if (at != std::string::npos && at > 0) {
      std::string name(TrimField(std::string_view(h).substr(0, at)));
      if (!name.empty()) return {name, h.substr(at + 1, h.size() - at - 2)};
    }
  }
  return {h, {}};
}

bool LooksLikeTimeName(const std::string& name) {
  const std::string n = Lower(name);
  static const char* const kNames[] = {"time", "t", "zeit", "čas", "cas", "timestamp", "seconds", "sec", "s"};
  for (const char* k : kNames)
    if (n == k) return true;
  return n.rfind("time ", 0) == 0 || n.rfind("zeit ", 0) == 0;
}

ChannelRole RoleOfName(const std::string& name) {
  const std::string n = Lower(name);
  static const std::pair<const char*, ChannelRole> kRoles[] = {
      {"rpm", ChannelRole::Rpm},
      {"tpsiap", ChannelRole::Load},
      {"battery", ChannelRole::Battery},
      {"servo", ChannelRole::Servo},
      {"adv1", ChannelRole::Advance1},
      {"adv2", ChannelRole::Advance2},
      {"adv3", ChannelRole::Advance3},
      {"adv5", ChannelRole::Advance4},
      {"2nd_adv", ChannelRole::SecondMap},
      {"limiter", ChannelRole::Limiter},
      {"start_limiter", ChannelRole::StartLimiter},
      {"load_sensor", ChannelRole::LoadSensor},
  };
  for (const auto& [key, role] : kRoles)
    if (n == key) return role;
  return ChannelRole::None;
}

bool IsOwnCsvHeader(const std::vector<std::string_view>& fields, size_t count) {
  const auto table = CsvColumnTable();
  if (count != table.size() + 1 || TrimField(fields[0]) != "Time") return false;
  for (size_t i = 0; i < table.size(); ++i)
    if (TrimField(fields[i + 1]) != table[i].name) return false;
  return true;
}

}  // namespace ign
