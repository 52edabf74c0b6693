#include "core/monitor/version.h"

#include <cstdio>

#include "core/device/comm_machine.h"
#include "core/files/unit_info.h"
#include "core/text/messages.h"

namespace ign {

MonitorVersion VersionOfRecord(int key, int subversion) {
  char text[256];
  if (key == kProgramKey && subversion == kProgramSubversion) {
    std::snprintf(text, sizeof text, "RSKEY=%d.%02d", kProgramKey, kProgramSubversion);
    return {VersionState::Match, text};
  }
  std::snprintf(text, sizeof text, "%s  PC-%d.%02d, IGN-%d.%02d", Msg(key != kProgramKey ? 17 : 18),
                kProgramKey, kProgramSubversion, key, subversion);
  return {VersionState::Mismatch, text};
}

}  // namespace ign
