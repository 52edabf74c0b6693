#pragma once
// The seam between the port layer and the operating system: a port system
// lists the ports that exist and makes device objects; a device is one open
// serial line. The POSIX termios system is the real one; tests may put an
// in-memory system in its place.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "core/comm/comm_const.h"
#include "core/comm/port_wake.h"

namespace ign {

// The outcome of opening a device: error 0 when the line is open, else the
// system's error number (errno) of the call that failed. Tests as true when open.
struct OpenResult {
  int error = 0;
  static OpenResult Ok() { return {}; }
  static OpenResult Failed(int err) { return {err}; }
  explicit operator bool() const { return error == 0; }
};

class ISerialDevice {
 public:
  virtual ~ISerialDevice() = default;
  // Opens the line raw 8N1 at the baud rate; the error tells why it could not.
  virtual OpenResult Open(const std::string& path, int baud) = 0;
  // Bytes waiting in the input queue (line errors are cleared on the way);
  // -1 when the device has failed (gone away).
  virtual int Waiting() = 0;
  // Reads at most n queued bytes without waiting; returns the count, -1 on failure.
  virtual int Read(uint8_t* buf, int n) = 0;
  // Writes the bytes, waiting at most a short bounded time; returns the count
  // written, -1 on failure.
  virtual int Write(const uint8_t* buf, int n) = 0;
  // The system's error number behind the last Write that fell short or failed
  // (EAGAIN when it ran out of time); 0 when none is known.
  virtual int LastError() const { return 0; }
  // Drops everything queued in both directions and closes the line.
  virtual void PurgeAndClose() = 0;
  // Waits at most maxMs until input is waiting, the device fails or the wake
  // is signalled (and takes the signal). A device without a descriptor to
  // wait on is polled: it waits only for the wake, at most 1 ms.
  virtual void WaitForInput(const PortWake& wake, int maxMs) { wake.Wait(std::min(maxMs, kIoSleepOpenMs)); }
};

using PortPresence = std::array<bool, 256>;

class IPortSystem {
 public:
  virtual ~IPortSystem() = default;
  // Marks every present port number 1..255; false when the listing failed.
  virtual bool List(PortPresence& present) = 0;
  // The device path of a port number (also for ports not present now).
  virtual std::string DevicePath(int port) = 0;
  // What is plugged in behind the number (a USB adapter's product, maker and
  // serial number); empty when there is nothing to tell.
  virtual std::string Description(int port) {
    (void)port;
    return {};
  }
  virtual std::unique_ptr<ISerialDevice> MakeDevice(int port) = 0;
};

}  // namespace ign
