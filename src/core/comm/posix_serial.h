#pragma once
// The real port system: termios devices named by PortNaming.
#include "core/comm/port_naming.h"
#include "core/comm/serial_port.h"

namespace ign {

class PosixSerialDevice : public ISerialDevice {
 public:
  ~PosixSerialDevice() override;
  bool Open(const std::string& path, int baud) override;
  int Waiting() override;
  int Read(uint8_t* buf, int n) override;
  int Write(const uint8_t* buf, int n) override;
  void PurgeAndClose() override;
  void WaitForInput(const PortWake& wake, int maxMs) override;

 private:
  int fd_ = -1;
};

class PosixPortSystem : public IPortSystem {
 public:
  explicit PosixPortSystem(PortNaming naming) : naming_(std::move(naming)) {}
  bool List(PortPresence& present) override { return naming_.List(present); }
  std::string DevicePath(int port) override { return naming_.DevicePath(port); }
  std::unique_ptr<ISerialDevice> MakeDevice(int) override { return std::make_unique<PosixSerialDevice>(); }

 private:
  PortNaming naming_;
};

}  // namespace ign
