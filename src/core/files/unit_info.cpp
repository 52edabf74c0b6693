#include "core/files/unit_info.h"

#include <cstdio>
#include <ctime>

#include "core/text/codepage.h"

namespace ign {
namespace {

// printf into a std::string. The header bytes are 8-bit text, so a NUL byte
// printed with %c ends the text there, as it would in an 8-bit C string.
template <typename... Args>
std::string Format(const char* format, Args... args) {
  char buf[160];
  int n = std::snprintf(buf, sizeof buf, format, args...);
  if (n < 0) return {};
  std::string s(buf, size_t(n) < sizeof buf ? size_t(n) : sizeof buf - 1);
  return s.substr(0, s.find('\0'));
}

// Bytes up to the first NUL (at most len), converted from Windows-1250.
std::string Text8(const uint8_t* p, size_t len) {
  size_t n = 0;
  while (n < len && p[n] != 0) ++n;
  return Cp1250ToUtf8(std::string_view(reinterpret_cast<const char*>(p), n));
}

bool Present(uint8_t b) { return b != 0 && b != 255; }

const char* MonthText(int code) {
  switch (code) {
    case 12: return "12";
    case 13: return " 2";
    case 25: return " 1";
    case 29: return " 8";
    case 32: return " 3";
    case 35: return " 4";
    case 38: return "10";
    case 39: return " 5";
    case 40: return " 9";
    case 43: return " 7";
    case 45: return " 6";
    case 51: return "11";
    default: return "00";
  }
}

std::string LastUpdateText(const uint8_t* p) {
  const int32_t t =
      int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
  if (t == -1) return {};
  // Times before 1970 cannot be converted on every platform; report them the same way everywhere.
  if (t < 0) return kLastUpdateError;
  std::time_t tt = t;
  std::tm tm{};
  if (!localtime_r(&tt, &tm)) return kLastUpdateError;
  return Format("%02i.%02i.%02i-%02i:%02i:%02i", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900, tm.tm_hour,
                tm.tm_min, tm.tm_sec);
}

std::string OwnerText(const uint8_t* p, size_t len) {
  std::string raw;
  bool gap = false;
  for (size_t i = 0; i < len; ++i) {
    if (!Present(p[i])) {
      gap = true;
      continue;
    }
    if (gap) raw += '~';
    gap = false;
    raw += char(p[i]);
  }
  return Cp1250ToUtf8(raw);
}

}  // namespace

UnitInfo DecodeUnitInfo(std::span<const uint8_t, kUnitHeaderLen> h) {
  UnitInfo u;
  if (h[16] != 0)
    u.name = Text8(&h[16], 15);
  else
    u.name = Cp1250ToUtf8(Format("%c%c%c%02i", h[0], h[1], h[2], int(h[3])));
  u.productionDate = Format("%2i.%s.20%02i", int(h[4]), MonthText(h[5]), int(h[6]));
  u.productionTime = Format("%02i:%02i", int(h[7]), int(h[8]));

  if (Present(h[31]) && h[34] != 255) {
    const char* fmt = (h[31] & 0x80) ? "%02i%02i%02i%c+" : "%02i%02i%02i%c_";
    u.code = Cp1250ToUtf8(Format(fmt, int(h[34]), int(h[33]), int(h[32]), h[31] & 0x7F)) + u.name;
  }
  if (Present(h[39])) {
    if (h[46] == 255)
      u.serial = "none SN";
    else
      u.serial = Format("%02i%02i%02i-%02i%02i%02i-%03i%02x", int(h[46]), int(h[45]), int(h[44]), int(h[43]),
                        int(h[42]), int(h[41]), int(h[40]), int(h[39]));
  }
  if (Present(h[35])) u.lastUpdate = LastUpdateText(&h[35]);
  u.owner = OwnerText(&h[47], 100);
  return u;
}

std::string LastUpdateCaption(const UnitInfo& u) {
  if (u.lastUpdate.empty() || u.lastUpdate == kLastUpdateError) return u.lastUpdate;
  return "(last update: " + u.lastUpdate + ")";
}

std::string UnitVersionsText(const UnitInfo& u, const std::string& versionText) {
  return u.code + "   " + versionText + "   (" + u.serial + ")   " + LastUpdateCaption(u) + "   " + u.owner;
}

std::string UnitPanelText(const UnitInfo& u, int versionState, const std::string& versionText) {
  switch (versionState) {
    case VersionState::NotConnected: return "not connected";
    case VersionState::Mismatch: return versionText;
    default:
      if (!u.code.empty()) return UnitVersionsText(u, versionText);
      return u.name + "   " + versionText + "   " + u.productionDate + "   " + u.productionTime;
  }
}

}  // namespace ign
