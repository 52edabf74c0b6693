#pragma once
// The real port system: termios devices named by PortNaming.
#include "core/comm/port_naming.h"
#include "core/comm/serial_port.h"

namespace ign {

// A line opened by this class is this program's alone until it is closed:
// the terminal's exclusive mode (TIOCEXCL) and an advisory flock on the
// descriptor. A line held that way by another program fails to open with
// EBUSY and is left untouched.
class PosixSerialDevice : public ISerialDevice {
 public:
  ~PosixSerialDevice() override;
  OpenResult Open(const std::string& path, int baud) override;
  int Waiting() override;
  int Read(uint8_t* buf, int n) override;
  int Write(const uint8_t* buf, int n) override;
  void PurgeAndClose() override;
  void WaitForInput(const PortWake& wake, int maxMs) override;
  int LastError() const override { return lastError_; }

 private:
  // Closes the descriptor and gives back the error the failed call left.
  OpenResult FailOpen(int error);
  // Ends the exclusive mode and closes the descriptor, which gives the lock back.
  void ReleaseAndClose();

  int fd_ = -1;
  bool exclusive_ = false;
  int lastError_ = 0;
};

// Opens a device read/write without waiting and closes it again at once, to
// learn whether the program may use it as a serial line: 0, the errno of the
// open, ENOTTY for something that is no terminal, or EBUSY for a line another
// program holds. Nothing on the line is changed.
int TryOpenDevice(const std::string& path);

class PosixPortSystem : public IPortSystem {
 public:
  explicit PosixPortSystem(PortNaming naming) : naming_(std::move(naming)) {}
  bool List(PortPresence& present) override { return naming_.List(present); }
  std::string DevicePath(int port) override { return naming_.DevicePath(port); }
  std::string Description(int port) override { return naming_.Description(port); }
  std::unique_ptr<ISerialDevice> MakeDevice(int) override { return std::make_unique<PosixSerialDevice>(); }

 private:
  PortNaming naming_;
};

}  // namespace ign
