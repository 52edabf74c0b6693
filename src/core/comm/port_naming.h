#pragma once
// Port numbers 1..255 on this platform. With a port folder, its links named
// COM<n> are the ports; otherwise the serial devices of the device folder get
// fixed numbers: ttyS<k> is k+1, ttyUSB<k> is 33+k, ttyACM<k> is 65+k.
#include <string>

#include "core/comm/serial_port.h"

namespace ign {

struct PortNaming {
  std::string portDir;  // non-empty: only COM<n> links in this folder count
  std::string devDir = "/dev";
  std::string sysDir = "/sys/class/tty";  // where fitted UARTs show their type

  std::string DevicePath(int port) const;  // empty for a number no rule maps
  bool List(PortPresence& present) const;  // false when the folder cannot be read
};

// Parses "COM<n>" with n in 1..255; 0 for anything else.
int ParseComName(const std::string& name);
// Maps a device file name (ttyS3, ttyUSB0, ttyACM2) to its port number, 0 when none.
int PortOfDeviceName(const std::string& name);

}  // namespace ign
