#pragma once
// Port numbers 1..255 on this platform. With a port folder, its links named
// COM<n> are the ports. Otherwise the built-in UARTs keep fixed numbers
// (ttyS<k> is k+1), and USB adapters (ttyUSB, ttyACM) get numbers from 33 up
// that they keep across re-plugging and sockets (CUsbPortMap, kept in
// mapFile when one is named).
#include <map>
#include <string>
#include <vector>

#include "core/comm/serial_port.h"
#include "core/comm/usb_ports.h"

namespace ign {

struct PortNaming {
  std::string portDir;  // non-empty: only COM<n> links in this folder count
  std::string devDir = "/dev";
  std::string sysDir = "/sys/class/tty";  // fitted UARTs show their type, USB ttys their adapter
  std::string mapFile;                    // the adapters' numbers; empty: kept for this run only

  // Empty for a number no rule maps; a USB adapter's number maps to its
  // device as of the last List.
  std::string DevicePath(int port) const;
  // Product, maker and serial number of the USB adapter behind the number.
  std::string Description(int port) const;
  // Marks the present ports; false when the folder cannot be read. Gives new
  // USB adapters their numbers and writes the map file when it changed.
  bool List(PortPresence& present);

 private:
  void ListUsb(const std::vector<std::string>& devices, PortPresence& present);
  CUsbPortMap numbers_;
  std::map<int, UsbAdapter> usb_;  // from the last List
};

// Parses "COM<n>" with n in 1..255; 0 for anything else.
int ParseComName(const std::string& name);
// Maps a built-in UART's device file name (ttyS3) to its port number, 0 when none.
int PortOfDeviceName(const std::string& name);

}  // namespace ign
