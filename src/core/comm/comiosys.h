#pragma once
// The port layer: 256 port records, opened and closed only through requests
// that ServicePorts (main thread) turns into commands for each port's own I/O
// thread. The I/O thread does every system call on its port.
#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "core/base/tick_clock.h"
#include "core/comm/ccom.h"
#include "core/comm/serial_port.h"
#include "core/comm/trace.h"

namespace ign {

class CCOMIOSYS {
 public:
  // Uses the real serial devices unless a port system is given; a trace file
  // name opens the trace log. Times count on the session's clock.
  explicit CCOMIOSYS(const CTickClock& clock, std::shared_ptr<IPortSystem> system = nullptr,
                     const std::string& traceFile = {});
  virtual ~CCOMIOSYS();
  CCOMIOSYS(const CCOMIOSYS&) = delete;
  CCOMIOSYS& operator=(const CCOMIOSYS&) = delete;

  void RequestOpen(int port, int baud);
  void RequestClose(int port);
  void CloseAll();
  // Starts and stops the I/O threads the requests ask for, and lists the
  // ports again when the listing is older than enumerateEveryMs.
  void ServicePorts(int enumerateEveryMs = kEnumerateEveryMs);
  bool EnumeratePorts();

  CCOM& Port(int port) { return ports_[size_t(port & 0xFF)]; }
  const CCOM& Port(int port) const { return ports_[size_t(port & 0xFF)]; }
  bool IsPresent(int port) const;
  // Port numbers 1..255 the last enumeration found, ascending.
  std::vector<int> PresentPorts() const;
  // The device behind a port number as of the last enumeration, for menus
  // and `ignctl ports` (on the thread that enumerates).
  std::string DevicePathOf(int port) const;
  // What is plugged in there (a USB adapter's product, maker, serial number).
  std::string DescriptionOf(int port) const;
  // The device itself: a COM link resolved to its target (/dev/pts/7), else the path.
  std::string DeviceNameOf(int port) const;

  // The system's error number of the port's last open attempt; 0 when it
  // opened (or was never tried). Any thread.
  int OpenError(int port) const;
  // Writes to any port that fell short of the bytes asked, or failed. Any thread.
  int ShortWriteCount() const { return shortWrites_.load(std::memory_order_acquire); }

  bool Enumerated() const { return enumerated_.load(std::memory_order_acquire) != 0; }
  bool PortListChanged() const { return portListChanged_.load(std::memory_order_acquire) != 0; }
  void ClearPortListChanged() { portListChanged_.store(0, std::memory_order_release); }

  CTrace& Trace() { return trace_; }
  void TraceLine(const std::string& text) { trace_.Line(text); }

  // Stops every thread of the layer: used by the destructors before members go.
  void StopThreads();

 protected:
  const CTickClock& Clock() const { return clock_; }
  bool Stopping() const { return stop_.load(std::memory_order_acquire); }
  void SetPortListChanged() { portListChanged_.store(1, std::memory_order_release); }

 private:
  void IoThread(int port);
  void IoOpen(CCOM& com, std::unique_ptr<ISerialDevice>& device);
  void IoClose(CCOM& com, std::unique_ptr<ISerialDevice>& device, bool traced);
  void IoTransmit(CCOM& com, ISerialDevice& device);
  static void IoWait(const CCOM& com, ISerialDevice* device);
  void StartIoThread(CCOM& com);
  // Gives the I/O thread a command and wakes it.
  static void Command(CCOM& com, uint8_t command);

  const CTickClock& clock_;
  std::shared_ptr<IPortSystem> system_;
  std::array<CCOM, kPortCount> ports_;
  std::atomic<int32_t> enumerated_{0};
  std::atomic<int32_t> portListChanged_{0};
  std::atomic<bool> stop_{false};
  std::atomic<int> shortWrites_{0};
  int64_t lastEnumeration_ = 0;
  bool everEnumerated_ = false;
  CTrace trace_;
};

}  // namespace ign
