// ports and handover.
#include <cstdio>

#include "cli/commands.h"
#include "core/app/handover.h"
#include "core/comm/comiosys.h"

namespace ign::cli {

int CmdPorts(const Args&) {
  CCOMIOSYS io;
  io.EnumeratePorts();
  int listed = 0;
  for (int port = 1; port <= 255; ++port) {
    if (!io.IsPresent(port)) continue;
    std::printf("COM%-3d %s\n", port, io.DevicePathOf(port).c_str());
    ++listed;
  }
  if (!listed) std::fprintf(stderr, "ignctl: no serial ports found\n");
  return kOk;
}

int CmdHandover(const Args& args) {
  if (args.port < 1 || args.positional.size() != 1) {
    std::fprintf(stderr, "ignctl: handover needs --port N and one of release, reset, takeback\n");
    return kUsage;
  }
  const std::string& what = args.positional[0];
  HandoverMessage m{args.port, 0};
  if (what == "release")
    m.code = Handover::Release;
  else if (what == "reset")
    m.code = Handover::Reset;
  else if (what == "takeback")
    m.code = Handover::TakeBack;
  else {
    std::fprintf(stderr, "ignctl: unknown hand-over '%s'\n", what.c_str());
    return kUsage;
  }
  std::string error;
  if (!SendHandover(m, &error)) {
    std::fprintf(stderr, "ignctl: %s\n", error.c_str());
    return kFailed;
  }
  return kOk;
}

}  // namespace ign::cli
