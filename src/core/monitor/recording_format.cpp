#include "core/monitor/recording_format.h"

#include <sys/utsname.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/comm/comm_const.h"

namespace ign {

int Rec::LengthOfType(int type) {
  switch (type) {
    case UnitInfo: return kUnitInfoLen;
    case EditedImage:
    case UnitImage: return kImageLen;
    case Monitor: return kMonitorLen;
    case View: return kViewLen;
    default: return 0;
  }
}

std::array<uint32_t, 4> OsVersionFields() {
  std::array<uint32_t, 4> v{};
  utsname u{};
  if (::uname(&u) != 0) return v;
  // "6.1.0-18-amd64": the first three numbers.
  const char* p = u.release;
  for (int i = 0; i < 3 && *p; ++i) {
    char* end = nullptr;
    v[size_t(i)] = uint32_t(std::strtoul(p, &end, 10));
    if (end == p || *end != '.') break;
    p = end + 1;
  }
  v[3] = std::strcmp(u.sysname, "Linux") == 0 ? Rec::kPlatformLinux : Rec::kPlatformOtherUnix;
  return v;
}

std::string ProgramIdentification(const std::string& buildDate) {
  char buf[Rec::kIdentMax];
  std::snprintf(buf, sizeof buf, "%s   RSKEY=%i.%02i   COMPILE=%s", "QUNTAR6", kProgramKey, 0,
                buildDate.c_str());
  return buf;
}

}  // namespace ign
