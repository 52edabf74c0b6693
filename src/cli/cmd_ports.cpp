// ports and handover.
#include <cstdio>

#include "cli/commands.h"
#include "core/base/settings_dir.h"
#include "core/comm/comiosys.h"
#include "core/comm/port_error.h"
#include "core/comm/posix_serial.h"
#include "core/device/handover.h"

namespace ign::cli {

int CmdPorts(const Args& args) {
  CTickClock clock;
  PortNaming naming;
  naming.portDir = args.env.portDir;
  if (naming.portDir.empty()) naming.mapFile = UsbPortMapFile(args.env);
  CCOMIOSYS io(clock, std::make_shared<PosixPortSystem>(naming));
  io.EnumeratePorts();
  int listed = 0;
  for (int port : io.PresentPorts()) {
    const std::string path = io.DevicePathOf(port), device = io.DeviceNameOf(port);
    const std::string what = io.DescriptionOf(port);
    // Opened and closed at once, so that a port the user may not use says why
    // here rather than as a unit that never answers. A port another program
    // holds is left as it is; a number that names no device is not listed.
    const int error = TryOpenDevice(path);
    if (IsAbsentDeviceError(error)) continue;
    ++listed;
    const std::string cause = error == 0            ? ""
                              : IsInUseError(error) ? ", " + OpenErrorHint(error)
                                                    : ", cannot open: " + OpenErrorHint(error);
    std::printf("COM%-3d %-24s %-16s present%s%s%s\n", port, path.c_str(),
                device == path ? "" : device.c_str(), cause.c_str(), what.empty() ? "" : "  ", what.c_str());
  }
  if (listed == 0) std::fprintf(stderr, "ignctl: no serial ports found\n");
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
  if (!SendHandover(m, HandoverSocketPath(args.env), &error)) {
    std::fprintf(stderr, "ignctl: %s\n", error.c_str());
    return kFailed;
  }
  return kOk;
}

}  // namespace ign::cli
